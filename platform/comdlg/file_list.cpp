// The file dialog's list: an owner-drawn list box whose rows the dialog
// draws in columns (name with a folder or page mark, size, type, date).
#include <algorithm>

#include "platform/comdlg/comdlg_internal.h"
#include "platform/comdlg/file_dialog.h"
#include "platform/user/controls/controls.h"

namespace comdlg::file_list {
namespace {

void Mark(HDC dc, const RECT& row, bool folder) {
  const int x = row.left + 3, y = row.top + (row.bottom - row.top - 12) / 2;
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(96, 96, 96));
  HBRUSH brush = CreateSolidBrush(folder ? RGB(240, 200, 80) : RGB(255, 255, 255));
  HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
  if (folder) {
    Rectangle(dc, x, y + 2, x + 14, y + 12);
    Rectangle(dc, x, y, x + 6, y + 3);
  } else {
    Rectangle(dc, x + 2, y, x + 12, y + 12);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void Cell(HDC dc, const std::u16string& text, int left, int right, const RECT& row, UINT align) {
  RECT cell{left + 4, row.top, right - 4, row.bottom};
  if (cell.right <= cell.left) return;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &cell,
            align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

HWND Create(HWND dialog, int id, const RECT& place, bool multiple) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                      LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | (multiple ? LBS_EXTENDEDSEL : 0);
  const HWND list = CreateWindowExW(0, u"ListBox", u"", style, place.left, place.top, place.right - place.left,
                                    place.bottom - place.top, dialog,
                                    reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
  if (list) SendMessageW(list, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
  return list;
}

void Fill(HWND list, const std::vector<FileEntry>& entries) {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const FileEntry& e : entries) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.name.c_str()));
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

std::vector<int> Selected(HWND list) {
  std::vector<int> out;
  if (GetWindowLongW(list, GWL_STYLE) & LBS_EXTENDEDSEL) {
    const LRESULT count = SendMessageW(list, LB_GETSELCOUNT, 0, 0);
    if (count > 0) {
      out.resize(static_cast<size_t>(count));
      const LRESULT got = SendMessageW(list, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(out.data()));
      out.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
    }
  } else {
    const LRESULT at = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (at >= 0) out.push_back(static_cast<int>(at));
  }
  return out;
}

int Caret(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0)); }

void Select(HWND list, int index) {
  if (GetWindowLongW(list, GWL_STYLE) & LBS_EXTENDEDSEL) {
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    SendMessageW(list, LB_SETSEL, TRUE, index);
    SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
  } else {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void Draw(const DRAWITEMSTRUCT& item, const FileEntry& entry, const Columns& columns) {
  const HDC dc = item.hDC;
  const RECT& row = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  Mark(dc, row, entry.folder);
  Cell(dc, entry.name, columns.left[0] + 18, columns.left[1], row, DT_LEFT);
  Cell(dc, SizeText(entry), columns.left[1], columns.left[2], row, DT_RIGHT);
  Cell(dc, entry.type, columns.left[2], columns.left[3], row, DT_LEFT);
  Cell(dc, DateText(entry), columns.left[3], columns.right, row, DT_LEFT);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &row);
}

}  // namespace comdlg::file_list
