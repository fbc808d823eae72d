#include "dialogs/barcode/page_controls.h"

#include <string>

#include "app/ui/ui_language.h"

void FillChoices(HWND dialog, int id, const std::vector<ListChoice>& choices, Words words) {
  const HWND combo = ::GetDlgItem(dialog, id);
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const ListChoice& choice : choices) {
    const std::u16string text = words == Words::kTranslated ? UiTextToWide(TranslateUiString(choice.text.c_str()))
                                                            : UiTextToWide(choice.text.c_str());
    const LRESULT item = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (item >= 0)
      ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(choice.data));
  }
}

bool SelectData(HWND dialog, int id, int data) {
  const HWND combo = ::GetDlgItem(dialog, id);
  const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (static_cast<int>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == data) {
      ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return true;
    }
  }
  return false;
}

void SelectIndex(HWND dialog, int id, int index) {
  ::SendMessageW(::GetDlgItem(dialog, id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int SelectedIndex(HWND dialog, int id) {
  return static_cast<int>(::SendMessageW(::GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0));
}

int SelectedData(HWND dialog, int id, int otherwise) {
  const int index = SelectedIndex(dialog, id);
  if (index < 0) return otherwise;
  return static_cast<int>(::SendMessageW(::GetDlgItem(dialog, id), CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void ShowControls(HWND dialog, std::initializer_list<int> ids, bool shown) {
  for (int id : ids) ::ShowWindow(::GetDlgItem(dialog, id), shown ? SW_SHOW : SW_HIDE);
}

void EnableControls(HWND dialog, std::initializer_list<int> ids, bool enabled) {
  for (int id : ids) ::EnableWindow(::GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

bool IsShown(HWND dialog, int id) { return (::GetWindowLongW(::GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }

bool IsChecked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetChecked(HWND dialog, int id, bool checked) {
  ::CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

CBarcodeField* BarcodeFieldOf(const FieldSheetContext& context) {
  CField* field = context.field;
  return field && field->IsKind(FieldKind::kBarcode) ? static_cast<CBarcodeField*>(field) : nullptr;
}
