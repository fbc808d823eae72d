// Combo boxes, dialog items, arrays and pointer lists.
#include "foundation/window_helpers/dialog_helpers.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "foundation/uifonts/mbcs_text.h"

FOUNDATION_BEGIN
namespace {

LRESULT ToCombo(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

int Select(HWND combo, int found, int defaultIndex) {
  const int index = found == CB_ERR ? defaultIndex : found;
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return index;
}

}  // namespace

int SelectComboStringExact(HWND dialog, int id, const char* text, int defaultIndex) {
  const HWND combo = GetDlgItem(dialog, id);
  const auto found = static_cast<int>(
      SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text ? text : "")));
  return Select(combo, found, defaultIndex);
}

int SelectComboString(HWND combo, const char* text, int defaultIndex) {
  const auto found =
      static_cast<int>(SendMessageA(combo, CB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>(text ? text : "")));
  return Select(combo, found, defaultIndex);
}

int FindComboItemByData(HWND dialog, int id, int value) {
  const auto count = static_cast<int>(ToCombo(dialog, id, CB_GETCOUNT));
  for (int i = 0; i < count; ++i) {
    const LRESULT data = ToCombo(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(i));
    if (static_cast<SHORT>(data) == value) return i;
  }
  return -1;
}

int SelectComboByData(HWND dialog, int id, int value) {
  const auto count = static_cast<int>(ToCombo(dialog, id, CB_GETCOUNT));
  for (int i = 0; i < count; ++i) {
    const LRESULT data = ToCombo(dialog, id, CB_GETITEMDATA, static_cast<WPARAM>(i));
    if (static_cast<int>(static_cast<DWORD>(data)) == value) {
      ToCombo(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(i));
      return i;
    }
  }
  return -1;
}

int ComboDropWidth(HWND combo) {
  if (!combo || !IsWindow(combo)) return 0;
  RECT window;
  GetWindowRect(combo, &window);
  const int width = window.right - window.left;
  HDC dc = GetDC(combo);
  HGDIOBJ old = nullptr;
  if (auto font = reinterpret_cast<HFONT>(SendMessageA(combo, WM_GETFONT, 0, 0))) old = SelectObject(dc, font);
  int widest = 0;
  const auto count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const auto length = static_cast<int>(SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0));
    if (length <= 0) continue;
    // Room for a double-byte conversion of every character, and the zero.
    std::vector<char> text(static_cast<size_t>(length) * 2 + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    widest = std::max(widest, static_cast<int>(MeasureTextMbcs(dc, text.data(), 16, 16, 0).cx));
  }
  if (old) SelectObject(dc, old);
  ReleaseDC(combo, dc);
  return std::min(std::max(width, widest * 8 / 10), 10 * width);
}

int GetDlgItemScaled(int id, HWND dialog, double factor) {
  char text[64] = {};
  GetDlgItemTextA(dialog, id, text, static_cast<int>(sizeof text));
  return static_cast<int>(std::atof(text) * factor);
}

int ShowDlgItem(HWND dialog, int id, int show) {
  const HWND item = GetDlgItem(dialog, id);
  if (!item) return -99;
  return ShowWindow(item, show);
}

int FindInIntArray(const AArray<int>& array, int key) {
  for (int i = 0; i < array.GetSize(); ++i)
    if (array[i] == key) return i;
  return -1;
}

int AppendPtrArray(CPtrList& list, const CPtrArray& array) {
  for (INT_PTR i = 0; i < array.GetSize(); ++i) list.AddTail(array.GetAt(i));
  return static_cast<int>(array.GetSize());
}

int InsertPtrArrayAfter(POSITION pos, CPtrList& list, const CPtrArray& array) {
  for (INT_PTR i = 0; i < array.GetSize(); ++i) {
    if (pos) list.InsertAfter(pos, array.GetAt(i));
    else list.AddTail(array.GetAt(i));
  }
  return static_cast<int>(array.GetSize());
}

FOUNDATION_END
