#include "datasource/ui/files/dialog_text.h"

#include "platform/richedit/richedit.h"

std::u16string GetItemUnits(HWND dialog, int id) {
  HWND item = ::GetDlgItem(dialog, id);
  const int length = item ? ::GetWindowTextLengthW(item) : 0;
  if (length <= 0) return {};
  std::u16string units(static_cast<size_t>(length) + 1, u'\0');
  const int got = ::GetWindowTextW(item, reinterpret_cast<LPWSTR>(units.data()), length + 1);
  units.resize(static_cast<size_t>(got > 0 ? got : 0));
  return units;
}

void SetItemUnits(HWND dialog, int id, std::u16string_view text) {
  const std::u16string units(text);
  ::SetDlgItemTextW(dialog, id, reinterpret_cast<LPCWSTR>(units.c_str()));
}

AString WideStringOf(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size() * 2);
  for (char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  AString out(static_cast<int>(bytes.size()), bytes.data());
  out.SetWide(true);
  out.SetCodePage(1200);
  return out;
}

void SetDisplayBackground(HWND dialog, int id) {
  ::SendDlgItemMessageW(dialog, id, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(kDisplayBackground));
}
