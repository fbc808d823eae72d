// The file-based groups: Link To File (with the default folder of the
// field's kind) and Strings In File (file, separator, length).
#include <algorithm>
#include <array>
#include <string>

#include "app/open_dialog/mru_file_dlg.h"
#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/ui/panel/panel_ids.h"
#include "datasource/ui/panel/panel_sections.h"
#include "datasource/ui/panel/panel_text.h"
#include "fields/model/field_data.h"
#include "fields/model/field_kinds.h"
#include "foundation/settings/process_settings.h"
#include "foundation/window_helpers/dialog_helpers.h"

namespace {

// The separators a strings file may be cut at (the item data is the
// character).
constexpr std::array<ComboChoice, 5> kSeparators = {
    {{"Line Break", '\n'}, {"Comma", ','}, {"Semicolon", ';'}, {"Tab", '\t'}, {"Vertical Bar", '|'}}};

FolderKind FolderOf(const CField& field) {
  return field.IsKind(FieldKind::kImage) ? FolderKind::kImage : FolderKind::kLinkedText;
}

// The linked file's name: an image field's file name, else its data.
AString LinkedName(const CField& field) {
  if (field.IsKind(FieldKind::kImage)) return static_cast<const CImageField&>(field).fileName;
  AString data;
  GetFieldData(data, field);
  return data;
}

// Selects text in a path combo, adding it at the top when it is not listed.
void SelectOrAddPath(HWND dialog, int id, const AString& text) {
  if (text.IsEmpty()) return;
  if (SelectComboStringExact(dialog, id, text.GetData(), -1) >= 0) return;
  const std::u16string wide = UiTextToWide(text);
  ::SendDlgItemMessageW(dialog, id, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  ::SendDlgItemMessageW(dialog, id, CB_SETCURSEL, 0, 0);
}

// A path combo's text as it shows it. Its edit holds whatever came last:
// the entry chosen from the list (choosing shows it there) or what was typed
// since, while the list keeps its old selection.
AString PathText(HWND dialog, int id) { return GetItemNarrowText(dialog, id, UiCodePage()); }

}  // namespace

void ShowLinkFileFolderControls(HWND dialog, CField& field, bool keep) {
  if (!keep) field.useFolder = ::IsDlgButtonChecked(dialog, IDC_DS_USE_DEFAULT_FOLDER) == BST_CHECKED ? 1 : 0;
  ::CheckDlgButton(dialog, IDC_DS_USE_DEFAULT_FOLDER, field.useFolder ? BST_CHECKED : BST_UNCHECKED);
  const AString& folder = GetFolder(FolderOf(field));
  if (field.useFolder && ::SendDlgItemMessageW(dialog, IDC_DS_FOLDER_FILE, CB_GETCOUNT, 0, 0) <= 0)
    FillFolderFileCombo(dialog, IDC_DS_FOLDER_FILE, folder, "");
  ShowDlgItem(dialog, IDC_DS_BROWSE, field.useFolder ? SW_HIDE : SW_SHOWNA);
  ShowDlgItem(dialog, IDC_DS_PATH, field.useFolder ? SW_HIDE : SW_SHOWNA);
  ShowDlgItem(dialog, IDC_DS_FOLDER_FILE, field.useFolder ? SW_SHOWNA : SW_HIDE);
  SetItemCaption(dialog, IDC_DS_FOLDER_CAPTION, field.useFolder ? folder : AString());
  SelectLinkedFileInCombo(dialog, field.useFolder != 0, LinkedName(field));
}

void SelectLinkedFileInCombo(HWND dialog, bool useDefault, const AString& name) {
  AString shown = name;
  if (shown.IsWide()) shown.ConvertToMultiByte(UiCodePage());
  if (useDefault) {
    if (SelectComboStringExact(dialog, IDC_DS_FOLDER_FILE, shown.GetData(), -1) < 0)
      ::SendDlgItemMessageW(dialog, IDC_DS_FOLDER_FILE, CB_SETCURSEL, 0, 0);
    return;
  }
  SelectOrAddPath(dialog, IDC_DS_PATH, shown);
}

AString LinkedFileShown(HWND dialog, bool useDefault) {
  AString name;
  if (useDefault) GetComboSelText(dialog, IDC_DS_FOLDER_FILE, &name);
  else name = PathText(dialog, IDC_DS_PATH);
  return name;
}

int ApplyLinkFileControls(HWND dialog, CField& field) {
  field.useFolder = ::IsDlgButtonChecked(dialog, IDC_DS_USE_DEFAULT_FOLDER) == BST_CHECKED ? 1 : 0;
  const AString name = LinkedFileShown(dialog, field.useFolder != 0);
  if (name.IsEmpty()) {
    UiMessageBox(CWnd::FromHandle(dialog), 50050, kMsgBoxOk, false, TranslateUiString("File"));
    ::SetFocus(::GetDlgItem(dialog, field.useFolder ? IDC_DS_FOLDER_FILE : IDC_DS_PATH));
    return 0;
  }
  if (field.IsKind(FieldKind::kImage)) static_cast<CImageField&>(field).fileName = name;
  else SetFieldData(field, name);
  return 1;
}

int BrowseForDataFile(CWnd* page, const char* title, int combo, const AString& initialName) {
  CMRUFileDlg dialog(1, nullptr, initialName.GetData(), OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, "All Files (*.*)|*.*||",
                     page);
  const AString caption = TranslateUiString(title);
  dialog.m_ofn.lpstrTitle = caption.GetData();
  if (dialog.DoModal() != IDOK) return 0;
  const CString path = dialog.GetPathName();
  SelectOrAddPath(page->m_hWnd, combo, AString(static_cast<const char*>(path)));
  return 1;
}

void InitStringsFileControls(HWND dialog, const CField& field) {
  SelectOrAddPath(dialog, IDC_DS_STRINGS_PATH, field.stringsFile);
  FillChoiceCombo(dialog, IDC_DS_STRINGS_SEPARATOR, kSeparators, field.stringsDelimiter);
  // A separator the list does not name is shown as the character itself.
  if (GetComboSelData(dialog, IDC_DS_STRINGS_SEPARATOR, -1) != field.stringsDelimiter && field.stringsDelimiter > 32 &&
      field.stringsDelimiter < 127) {
    AString own;
    own.Format("%c", field.stringsDelimiter);
    const int index = AddComboText(dialog, IDC_DS_STRINGS_SEPARATOR, own, field.stringsDelimiter);
    ::SendDlgItemMessageW(dialog, IDC_DS_STRINGS_SEPARATOR, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  if (::GetWindowTextLengthW(::GetDlgItem(dialog, IDC_DS_STRINGS_MAX)) == 0)
    ::SetDlgItemInt(dialog, IDC_DS_STRINGS_MAX, std::max<int>(field.maxChars, 1), TRUE);
  FillAlignmentCombo(dialog, IDC_DS_DB_ALIGN, field);
}

int ApplyStringsFileControls(HWND dialog, CField& field) {
  const AString path = PathText(dialog, IDC_DS_STRINGS_PATH);
  if (path.IsEmpty()) {
    UiMessageBox(CWnd::FromHandle(dialog), 50050, kMsgBoxOk, false, TranslateUiString("Strings File"));
    ::SetFocus(::GetDlgItem(dialog, IDC_DS_STRINGS_PATH));
    return 0;
  }
  const int maximum = GetItemNumber(dialog, IDC_DS_STRINGS_MAX, 0);
  if (maximum <= 0) {
    UiMessageBox(CWnd::FromHandle(dialog), 50058, kMsgBoxOk, false, TranslateUiString("Max"));
    ::SetFocus(::GetDlgItem(dialog, IDC_DS_STRINGS_MAX));
    return 0;
  }
  field.stringsFile = path;
  field.stringsDelimiter = static_cast<int16_t>(GetComboSelData(dialog, IDC_DS_STRINGS_SEPARATOR, '\n'));
  field.maxChars = static_cast<int16_t>(std::min(maximum, 32767));
  field.anchor = static_cast<int16_t>(GetAlignmentChoice(dialog, IDC_DS_DB_ALIGN));
  return 1;
}
