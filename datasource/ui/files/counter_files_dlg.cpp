#include "datasource/ui/files/counter_files_dlg.h"

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/counter_file.h"
#include "datasource/data_folders.h"
#include "datasource/ui/files/data_file_edit_dlg.h"
#include "datasource/ui/files/dialog_text.h"
#include "datasource/ui/files/files_ids.h"
#include "platform/nls/nls_text.h"

namespace {

// The value is kept as the bytes the user typed, in the interface's code page.
AString ValueOf(const std::u16string& units) {
  const std::string bytes = nls::FromUtf16(static_cast<UINT>(UiCodePage()), units);
  return AString(static_cast<int>(bytes.size()), bytes.data());
}

std::u16string UnitsOfDescription(const AString& description) {
  if (description.IsEmpty()) return {};
  AString wide = description;
  wide.SetWide(true);
  return UiTextToWide(wide);
}

}  // namespace

CCounterFilesDlg::CCounterFilesDlg(CWnd* parent) : CLikelyDbListDlg(IDD_COUNTER_FILES, parent) {
  m_extension = ".cntr";
  m_folder = GetDataFolder(DataFolder::kCounters);
}

BOOL CCounterFilesDlg::OnInitDialog() {
  CLikelyDbListDlg::OnInitDialog();
  SetDisplayBackground(m_hWnd, IDC_COUNTER_VALUE_SHOW);
  SetDisplayBackground(m_hWnd, IDC_COUNTER_DESCRIPTION_SHOW);
  return TRUE;
}

void CCounterFilesDlg::ShowEntry(const char* path) {
  CCounterFileData data;
  if (path && ReadCounterFileContent(path, &data)) {
    SetItemUnits(m_hWnd, IDC_COUNTER_VALUE_SHOW, UiTextToWide(data.value));
    SetItemUnits(m_hWnd, IDC_COUNTER_DESCRIPTION_SHOW, UnitsOfDescription(data.description));
    return;
  }
  SetItemUnits(m_hWnd, IDC_COUNTER_VALUE_SHOW, u"");
  SetItemUnits(m_hWnd, IDC_COUNTER_DESCRIPTION_SHOW, u"");
}

int CCounterFilesDlg::AddOrEdit(int add) {
  CCounterEditDlg edit(this);
  PrepareEdit(edit, add, "Counter Value", IDC_COUNTER_VALUE_SHOW);
  edit.m_descriptionCaption = TranslateUiString("Description");
  if (!add) edit.m_description = GetItemUnits(m_hWnd, IDC_COUNTER_DESCRIPTION_SHOW);
  if (edit.DoModal() != IDOK) return 0;
  const AString path = EntryPath(edit.m_name);
  CCounterFileData data;
  data.value = ValueOf(edit.m_value);
  data.description = WideStringOf(edit.m_description);
  if (!WriteCounterFile(path.GetData(), data)) {
    // The old file (if any) is kept; say so rather than show values never stored.
    ReportDataFileWriteFailure(this, path);
    ShowSelection();
    return 0;
  }
  if (add) SelectOrAddName(edit.m_name);
  SetItemUnits(m_hWnd, IDC_COUNTER_VALUE_SHOW, edit.m_value);
  SetItemUnits(m_hWnd, IDC_COUNTER_DESCRIPTION_SHOW, edit.m_description);
  ShowSelection();
  return 1;
}
