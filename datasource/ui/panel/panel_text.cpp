#include "datasource/ui/panel/panel_text.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ui/skin_dialog.h"
#include "app/ui/ui_language.h"
#include "foundation/codepage/codepage.h"

namespace {

std::u16string ItemUnits(HWND dialog, int id) {
  HWND item = ::GetDlgItem(dialog, id);
  if (!item) return {};
  const int length = ::GetWindowTextLengthW(item);
  std::u16string units(static_cast<size_t>(length) + 1, u'\0');
  const int got = ::GetWindowTextW(item, reinterpret_cast<LPWSTR>(units.data()), length + 1);
  units.resize(static_cast<size_t>(std::max(got, 0)));
  return units;
}

AString WideString(const std::u16string& units) {
  AString out(static_cast<int>(units.size() * 2), reinterpret_cast<const char*>(units.data()));
  out.SetWide(true);
  out.SetCodePage(1200);
  return out;
}

}  // namespace

AString GetItemWideText(HWND dialog, int id) { return WideString(ItemUnits(dialog, id)); }

AString GetItemNarrowText(HWND dialog, int id, int codePage) {
  AString out;
  const AString wide = GetItemWideText(dialog, id);
  if (!wide.IsEmpty()) WideToMultiByte(wide, &out, codePage);
  out.SetCodePage(codePage);
  return out;
}

void SetItemFieldText(HWND dialog, int id, const AString& text) {
  std::u16string units;
  if (text.IsWide()) {
    units.assign(reinterpret_cast<const char16_t*>(text.GetData()), static_cast<size_t>(text.GetLength() / 2));
  } else if (!text.IsEmpty()) {
    const int codePage = text.GetCodePage() > 0 && text.GetCodePage() != 1200 ? text.GetCodePage() : UiCodePage();
    units = DecodeCodePageText(std::string_view(text.GetData(), static_cast<size_t>(text.GetLength())), codePage, 0);
  }
  ::SetDlgItemTextW(dialog, id, reinterpret_cast<LPCWSTR>(units.c_str()));
}

int GetItemNumber(HWND dialog, int id, int fallback) {
  BOOL ok = FALSE;
  const int value = static_cast<int>(::GetDlgItemInt(dialog, id, &ok, TRUE));
  return ok ? value : fallback;
}

int AddComboText(HWND dialog, int id, const AString& text, LPARAM data) {
  HWND combo = ::GetDlgItem(dialog, id);
  if (!combo) return -1;
  const std::u16string wide = UiTextToWide(text);
  const auto index = static_cast<int>(::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
  if (index >= 0) ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
  return index;
}

int FillChoiceCombo(HWND dialog, int id, std::span<const ComboChoice> choices, LPARAM selectData) {
  HWND combo = ::GetDlgItem(dialog, id);
  if (!combo) return 0;
  ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  int selection = 0;
  for (const ComboChoice& choice : choices) {
    const int index = AddComboText(dialog, id, TranslateUiString(choice.text), choice.data);
    if (choice.data == selectData && selection == 0 && index > 0) selection = index;
  }
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
  return static_cast<int>(choices.size());
}

int GetComboSel(HWND dialog, int id) {
  return static_cast<int>(::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

LPARAM GetComboSelData(HWND dialog, int id, LPARAM fallback) {
  const int selection = GetComboSel(dialog, id);
  if (selection < 0) return fallback;
  return ::SendDlgItemMessageW(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(selection), 0);
}

AString GetComboSelWideText(HWND dialog, int id) {
  const int selection = GetComboSel(dialog, id);
  if (selection < 0) return WideString({});
  const auto length =
      static_cast<int>(::SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(selection), 0));
  std::u16string units(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
  ::SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(selection),
                        reinterpret_cast<LPARAM>(units.data()));
  units.resize(static_cast<size_t>(std::max(length, 0)));
  return WideString(units);
}

bool GetComboSelText(HWND dialog, int id, AString* out) {
  if (GetComboSel(dialog, id) < 0) return false;
  const AString wide = GetComboSelWideText(dialog, id);
  *out = AString();
  if (!wide.IsEmpty()) WideToMultiByte(wide, out, UiCodePage());
  return true;
}

int FillFolderFileCombo(HWND dialog, int id, const AString& folder, const char* extension) {
  ::SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder.GetData(), ec)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file(ec) && name.size() > std::strlen(extension) &&
        name.compare(name.size() - std::strlen(extension), std::string::npos, extension) == 0)
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) AddComboText(dialog, id, AString(name.c_str()), 0);
  return static_cast<int>(names.size());
}

void SetItemCaption(HWND dialog, int id, const AString& text) {
  if (auto* skinned = dynamic_cast<CSkinDialog*>(CWnd::FromHandlePermanent(dialog))) {
    skinned->Skin().SetDlgItemText(id, text.GetData());
    return;
  }
  const std::u16string wide = UiTextToWide(text);
  ::SetDlgItemTextW(dialog, id, reinterpret_cast<LPCWSTR>(wide.c_str()));
}
