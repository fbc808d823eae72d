#include "app/options/default_folders_dlg.h"

#include <cstring>
#include <string>

#include "app/controls/translated_columns.h"
#include "app/options/options_ids.h"
#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "foundation/util/file_names.h"
#include "foundation/window_helpers/pickers.h"
#include "platform/nls/nls_text.h"

namespace {

constexpr const char* kRowNames[] = {"Text Files", "Chooselist Files", "Counter Files", "Image Files",
                                     "Custom Stock Files"};

// Texts reach the list as UTF-16: names in the interface language's code
// page, paths in UTF-8 as the file system has them.
std::u16string FromUtf8(const char* text) { return nls::ToUtf16(CP_UTF8, nls::OrEmpty(text)); }

std::string ToUtf8(const std::u16string& wide) { return nls::FromUtf16(CP_UTF8, wide); }

void SetCell(CListCtrl& list, int row, int column, std::u16string text) {
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = reinterpret_cast<LPWSTR>(text.data());
  if (column == 0) {
    list.SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  } else {
    list.SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
}

std::string PathOf(const CListCtrl& list, int row) {
  char16_t buffer[1024] = {};
  LVITEMW item{};
  item.iSubItem = 1;
  item.pszText = reinterpret_cast<LPWSTR>(buffer);
  item.cchTextMax = 1024;
  list.SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return ToUtf8(buffer);
}

}  // namespace

BEGIN_MESSAGE_MAP(CDefaultFoldersDlg, CSkinDialog)
  ON_BN_CLICKED(IDC_FOLDER_CHANGE, OnChange)
  ON_NOTIFY(NM_DBLCLK, IDC_FOLDER_LIST, OnRowDoubleClick)
END_MESSAGE_MAP()

CDefaultFoldersDlg::CDefaultFoldersDlg(CWnd* parent) : CSkinDialog(IDD_DEFAULT_FOLDERS, parent) {}

CDefaultFoldersDlg::~CDefaultFoldersDlg() = default;

std::array<AString*, 5> CDefaultFoldersDlg::Folders() {
  return {&m_textFolder, &m_chooselistFolder, &m_counterFolder, &m_imageFolder, &m_stockFolder};
}

void CDefaultFoldersDlg::DoDataExchange(CDataExchange* dx) {
  CSkinDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_FOLDER_LIST, m_list);
}

BOOL CDefaultFoldersDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
  static constexpr CListCtrlEx::Column kColumns[] = {{"File", 0.3}, {"Path", 0}};
  InsertTranslatedColumns(m_list, kColumns);
  const auto folders = Folders();
  for (int row = 0; row < 5; ++row) {
    SetCell(m_list, row, 0, UiTextToWide(TranslateUiString(kRowNames[row])));
    SetCell(m_list, row, 1, FromUtf8(folders[static_cast<size_t>(row)]->GetData()));
  }
  SelectRow(0);
  return TRUE;
}

void CDefaultFoldersDlg::SelectRow(int row) {
  m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_list.SetSelectionMark(row);
  m_list.EnsureVisible(row, FALSE);
}

void CDefaultFoldersDlg::OnChange() {
  const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
  if (row < 0) return;
  const std::string path = PathOf(m_list, row);
  const AString chosen = BrowseForFolder(m_hWnd, path.c_str(), TranslateUiString("Find Resource Location").GetData());
  if (chosen.IsEmpty()) return;
  SetCell(m_list, row, 1, FromUtf8(chosen.GetData()));
  m_list.SetFocus();
  m_list.EnsureVisible(row, FALSE);
}

void CDefaultFoldersDlg::OnRowDoubleClick(NMHDR*, LRESULT* result) {
  OnChange();
  if (result) *result = 0;
}

void CDefaultFoldersDlg::OnOK() {
  const auto folders = Folders();
  for (int row = 0; row < 5; ++row) {
    *folders[static_cast<size_t>(row)] = PathOf(m_list, row).c_str();
  }
  for (int row = 0; row < 5; ++row) {
    if (!IsDirectory(folders[static_cast<size_t>(row)]->GetData())) {
      UiMessageBoxEx(this, MSG_FOLDER_MISSING, kMsgBoxOk, 0, IDOK);
      SelectRow(row);
      return;
    }
  }
  EndDialog(IDOK);
}
