// The Counter File group, and the increment group the text and barcode pages
// keep (its controls are theirs; the routines are shared).
#include <array>

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/counter_file.h"
#include "datasource/data_folders.h"
#include "datasource/ui/panel/panel_ids.h"
#include "datasource/ui/panel/panel_sections.h"
#include "datasource/ui/panel/panel_text.h"
#include "fields/model/field_data.h"
#include "foundation/window_helpers/dialog_helpers.h"

namespace {

constexpr std::array<ComboChoice, 3> kNumberBases = {
    {{"Decimal & Alpha", 2}, {"Decimal Only", 0}, {"Hexadecimal", 1}}};

}  // namespace

void InitCounterFileControls(HWND dialog, CField& field) {
  AString note;
  const AString caption = TranslateUiString("Counter files folder");
  const AString folder = GetDataFolder(DataFolder::kCounters);
  note.Format("%s:  %s", caption.GetData(), folder.GetData());
  SetItemCaption(dialog, IDC_DS_FOLDER_NOTE, note);
  if (::SendDlgItemMessageW(dialog, IDC_DS_COUNTER_FILE, CB_GETCOUNT, 0, 0) <= 0)
    FillFolderFileCombo(dialog, IDC_DS_COUNTER_FILE, folder, ".cntr");
  SelectComboStringExact(dialog, IDC_DS_COUNTER_FILE, field.counterFile.GetData(), -1);
  ShowCounterFileValue(dialog, field);
}

void ShowCounterFileValue(HWND dialog, CField& field) {
  AString name;
  if (!GetComboSelText(dialog, IDC_DS_COUNTER_FILE, &name)) return;
  field.counterFile = name;
  CCounterFileData data;
  if (!ReadCounterFileContent(DataFilePath(DataFolder::kCounters, name).GetData(), &data)) {
    ::SetDlgItemTextW(dialog, IDC_DS_COUNTER_VALUE, u"");
    ::SetDlgItemTextW(dialog, IDC_DS_COUNTER_DESCRIPTION, u"");
    return;
  }
  SetItemFieldText(dialog, IDC_DS_COUNTER_VALUE, data.value);
  // The description is UTF-16 text.
  data.description.SetWide(true);
  SetItemFieldText(dialog, IDC_DS_COUNTER_DESCRIPTION, data.description);
}

int ApplyCounterFileControls(HWND dialog, CField& field) {
  AString name;
  if (!GetComboSelText(dialog, IDC_DS_COUNTER_FILE, &name)) {
    UiMessageBox(CWnd::FromHandle(dialog), 50050, kMsgBoxOk, false, TranslateUiString("Counter File"));
    ::SetFocus(::GetDlgItem(dialog, IDC_DS_COUNTER_FILE));
    return 0;
  }
  field.counterFile = name;
  // The value as the file holds it becomes the field's data.
  SetFieldData(field, GetItemNarrowText(dialog, IDC_DS_COUNTER_VALUE, UiCodePage()));
  return 1;
}

int ShowNumberBaseControls(HWND dialog) {
  const int increment = GetItemNumber(dialog, IDC_DS_INCREMENT, 0);
  const int show = increment != 0 ? SW_SHOWNA : SW_HIDE;
  ShowDlgItem(dialog, IDC_DS_NUMBER_BASE, show);
  ShowDlgItem(dialog, IDC_DS_NUMBER_BASE_BUTTON, show);
  return increment;
}

void EnableIncrementControls(HWND dialog, bool enable, bool withBase) {
  for (const int id : {IDC_DS_INCREMENT_CAPTION, IDC_DS_INCREMENT, IDC_DS_DUPLICATES_CAPTION, IDC_DS_DUPLICATES,
                       IDC_DS_INCREMENT_SPIN, IDC_DS_DUPLICATES_SPIN, IDC_DS_INCREMENT_BUTTON})
    if (HWND item = ::GetDlgItem(dialog, id)) ::EnableWindow(item, enable);
  if (HWND base = ::GetDlgItem(dialog, IDC_DS_NUMBER_BASE)) ::EnableWindow(base, enable && withBase);
  ShowDlgItem(dialog, IDC_DS_NUMBER_BASE_BUTTON, enable && withBase ? SW_SHOWNA : SW_HIDE);
}

void FillNumberBaseCombo(HWND dialog, int base) { FillChoiceCombo(dialog, IDC_DS_NUMBER_BASE, kNumberBases, base); }
