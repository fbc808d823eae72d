// Calls on a dialog's items by id.
#include <string>

#include "platform/user/controls/controls.h"
#include "platform/user/dialogs/dialogs.h"

namespace {

HWND Item(HWND dialog, int id) {
  const HWND item = GetDlgItem(dialog, id);
  if (!item) SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return item;
}

}  // namespace

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND item = Item(dialog, id);
  return item ? SendMessageW(item, message, wParam, lParam) : 0;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND item = Item(dialog, id);
  return item ? SendMessageA(item, message, wParam, lParam) : 0;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
  const HWND item = Item(dialog, id);
  return item ? SetWindowTextW(item, text) : FALSE;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
  const HWND item = Item(dialog, id);
  return item ? SetWindowTextA(item, text) : FALSE;
}

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR text, int size) {
  if (text && size > 0) text[0] = u'\0';
  const HWND item = Item(dialog, id);
  return item ? static_cast<UINT>(GetWindowTextW(item, text, size)) : 0;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int size) {
  if (text && size > 0) text[0] = '\0';
  const HWND item = Item(dialog, id);
  return item ? static_cast<UINT>(GetWindowTextA(item, text, size)) : 0;
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  const std::string text = isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
  return SetDlgItemTextA(dialog, id, text.c_str());
}

// Leading and trailing blanks are allowed; anything else, or a value out of
// range, is not translated (GetDlgItemInt, public documentation).
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated) *translated = FALSE;
  WCHAR text[64] = {};
  if (!GetDlgItemTextW(dialog, id, text, 64) && !GetDlgItem(dialog, id)) return 0;
  const WCHAR* p = text;
  while (*p == u' ') ++p;
  bool negative = false;
  if (isSigned && *p == u'-') {
    negative = true;
    ++p;
  }
  if (*p < u'0' || *p > u'9') return 0;
  uint64_t value = 0;
  for (; *p >= u'0' && *p <= u'9'; ++p) {
    value = value * 10 + static_cast<uint64_t>(*p - u'0');
    if (value > 0xFFFFFFFFull) return 0;
  }
  while (*p == u' ') ++p;
  if (*p) return 0;
  if (isSigned && (negative ? value > 0x80000000ull : value > 0x7FFFFFFFull)) return 0;
  if (translated) *translated = TRUE;
  return negative ? static_cast<UINT>(-static_cast<int64_t>(value)) : static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  const HWND item = Item(dialog, id);
  if (!item) return FALSE;
  SendMessageW(item, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  const HWND item = Item(dialog, id);
  return item ? static_cast<UINT>(SendMessageW(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
  if (!IsWindow(dialog) || first > last) return FALSE;
  for (int id = first; id <= last; ++id) {
    if (const HWND item = GetDlgItem(dialog, id))
      SendMessageW(item, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}
