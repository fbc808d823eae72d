// Prompt Before Print and Choose From List groups, and the justification
// lists they share with the Database and Strings In File groups.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/choose_list.h"
#include "datasource/data_folders.h"
#include "datasource/ui/panel/panel_ids.h"
#include "datasource/ui/panel/panel_sections.h"
#include "datasource/ui/panel/panel_text.h"
#include "fields/model/field_data.h"
#include "foundation/window_helpers/dialog_helpers.h"

namespace {

constexpr std::array<ComboChoice, 3> kAlignments = {{{"Left", -1}, {"Center", 0}, {"Right", 1}}};
constexpr std::array<ComboChoice, 3> kAfterPrint = {
    {{"Keep last used data", -1}, {"Keep default data", 0}, {"Clear data", 1}}};
constexpr std::array<ComboChoice, 2> kResetChoices = {{{"Yes", 1}, {"No", 0}}};

bool IsEmptyItem(HWND dialog, int id) { return ::GetWindowTextLengthW(::GetDlgItem(dialog, id)) == 0; }

void Refuse(HWND dialog, int message, const char* what, int focus) {
  UiMessageBox(CWnd::FromHandle(dialog), message, kMsgBoxOk, false, TranslateUiString(what));
  ::SetFocus(::GetDlgItem(dialog, focus));
}

void ShowFolderNote(HWND dialog, const char* what, DataFolder folder) {
  AString note;
  const AString caption = TranslateUiString(what);
  const AString path = GetDataFolder(folder);
  note.Format("%s:  %s", caption.GetData(), path.GetData());
  SetItemCaption(dialog, IDC_DS_FOLDER_NOTE, note);
}

}  // namespace

void FillAlignmentCombo(HWND dialog, int id, const CField& field) {
  FillChoiceCombo(dialog, id, kAlignments, std::clamp<int>(field.anchor, -1, 1));
}

int GetAlignmentChoice(HWND dialog, int id) { return static_cast<int>(GetComboSelData(dialog, id, -1)); }

void SetPromptCaption(HWND dialog, bool isLink) {
  SetItemCaption(dialog, IDC_DS_DB_PROMPT_CAPTION, TranslateUiString(isLink ? "Link Expression" : "Prompt"));
}

void InitPromptControls(HWND dialog, const CField& field) {
  if (IsEmptyItem(dialog, IDC_DS_PROMPT)) SetItemFieldText(dialog, IDC_DS_PROMPT, field.prompt);
  if (IsEmptyItem(dialog, IDC_DS_DEFAULT_DATA)) {
    AString data;
    GetFieldData(data, field);
    SetItemFieldText(dialog, IDC_DS_DEFAULT_DATA, data);
  }
  SetItemCaption(dialog, IDC_DS_AFTER_PRINT_CAPTION, TranslateUiString("After Print"));
  FillChoiceCombo(dialog, IDC_DS_AFTER_PRINT, kAfterPrint, std::clamp<int>(field.resetAfterPrint, 0, 2) - 1);
  FillAlignmentCombo(dialog, IDC_DS_ALIGN, field);
  if (IsEmptyItem(dialog, IDC_DS_MAX_CHARS)) ::SetDlgItemInt(dialog, IDC_DS_MAX_CHARS, std::max<int>(field.maxChars, 1), TRUE);
  if (IsEmptyItem(dialog, IDC_DS_MIN_CHARS)) ::SetDlgItemInt(dialog, IDC_DS_MIN_CHARS, std::max<int>(field.minChars, 0), TRUE);
}

int ApplyPromptControls(HWND dialog, CField& field, bool withLengths) {
  field.prompt = GetItemWideText(dialog, IDC_DS_PROMPT);
  field.resetAfterPrint = static_cast<uint8_t>(std::max(GetComboSel(dialog, IDC_DS_AFTER_PRINT), 0));
  if (!withLengths) return 1;
  const int maximum = GetItemNumber(dialog, IDC_DS_MAX_CHARS, 0);
  const int minimum = GetItemNumber(dialog, IDC_DS_MIN_CHARS, 0);
  if (maximum <= 0) {
    Refuse(dialog, 50058, "Max", IDC_DS_MAX_CHARS);
    return 0;
  }
  if (maximum < minimum) {
    UiMessageBox(CWnd::FromHandle(dialog), 50059, kMsgBoxOk, false);
    ::SetFocus(::GetDlgItem(dialog, IDC_DS_MIN_CHARS));
    return 0;
  }
  field.maxChars = static_cast<int16_t>(std::min(maximum, 32767));
  field.minChars = static_cast<int16_t>(std::max(minimum, 0));
  field.anchor = static_cast<int16_t>(GetAlignmentChoice(dialog, IDC_DS_ALIGN));
  // The default data, cut to the longest value the prompt takes.
  AString data = GetItemWideText(dialog, IDC_DS_DEFAULT_DATA);
  if (data.GetLength() / 2 > maximum) {
    data.Truncate(2 * maximum);
  }
  SetFieldData(field, data);
  return 1;
}

void InitChooseListControls(HWND dialog, const CField& field) {
  ShowFolderNote(dialog, "Chooselist files folder", DataFolder::kChooseLists);
  if (IsEmptyItem(dialog, IDC_DS_PROMPT)) SetItemFieldText(dialog, IDC_DS_PROMPT, field.prompt);
  if (::SendDlgItemMessageW(dialog, IDC_DS_LIST_FILE, CB_GETCOUNT, 0, 0) <= 0)
    FillFolderFileCombo(dialog, IDC_DS_LIST_FILE, GetDataFolder(DataFolder::kChooseLists), ".chl");
  SelectComboStringExact(dialog, IDC_DS_LIST_FILE, field.listFile.GetData(), -1);
  FillChooseListItems(dialog, field);
  FillAlignmentCombo(dialog, IDC_DS_ALIGN, field);
  SetItemCaption(dialog, IDC_DS_AFTER_PRINT_CAPTION, TranslateUiString("Reset to Default After Print"));
  FillChoiceCombo(dialog, IDC_DS_AFTER_PRINT, kResetChoices, (field.resetAfterPrint & 1) ? 1 : 0);
}

void FillChooseListItems(HWND dialog, const CField& field) {
  ::SendDlgItemMessageW(dialog, IDC_DS_DEFAULT_ITEM, CB_RESETCONTENT, 0, 0);
  AString name;
  if (!GetComboSelText(dialog, IDC_DS_LIST_FILE, &name)) return;
  AArray<AString> items;
  ReadChooseListFile(DataFilePath(DataFolder::kChooseLists, name).GetData(), &items);
  // The items are UTF-16 text.
  for (int i = 0; i < items.GetSize(); ++i) {
    const AString& item = items[i];
    std::u16string wide(static_cast<size_t>(item.GetLength() / 2), u'\0');
    std::memcpy(wide.data(), item.GetData(), wide.size() * 2);
    ::SendDlgItemMessageW(dialog, IDC_DS_DEFAULT_ITEM, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  AString data;
  GetFieldData(data, field);
  if (!data.IsWide()) data.ConvertToWide(UiCodePage());
  const std::u16string wanted(reinterpret_cast<const char16_t*>(data.GetData()), static_cast<size_t>(data.GetLength() / 2));
  auto found = ::SendDlgItemMessageW(dialog, IDC_DS_DEFAULT_ITEM, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(wanted.c_str()));
  if (wanted.empty() || found < 0) found = items.GetSize() > 0 ? 0 : -1;
  ::SendDlgItemMessageW(dialog, IDC_DS_DEFAULT_ITEM, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

int ApplyChooseListControls(HWND dialog, CField& field) {
  AString list;
  if (!GetComboSelText(dialog, IDC_DS_LIST_FILE, &list)) {
    Refuse(dialog, 50050, "Chooselist File", IDC_DS_LIST_FILE);
    return 0;
  }
  field.prompt = GetItemWideText(dialog, IDC_DS_PROMPT);
  field.anchor = static_cast<int16_t>(GetAlignmentChoice(dialog, IDC_DS_ALIGN));
  field.resetAfterPrint = GetComboSel(dialog, IDC_DS_AFTER_PRINT) == 0 ? 1 : 0;
  field.listFile = list;
  SetFieldData(field, GetComboSelWideText(dialog, IDC_DS_DEFAULT_ITEM));
  field.minChars = 0;
  field.maxChars = static_cast<int16_t>(std::min(GetChooseListMaxLength(list), 32767));
  return 1;
}
