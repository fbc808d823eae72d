// The file dialog's list: a report list view with a column each for the
// name (with a folder or page mark), size, type and date, whose heads sort.
#include <algorithm>

#include "platform/comctl/comctl.h"
#include "platform/comdlg/comdlg_internal.h"
#include "platform/comdlg/file_dialog.h"
#include "platform/user/controls/controls.h"

namespace comdlg::file_list {
namespace {

constexpr const char16_t* kQuiet = u"TavFileListQuiet";
constexpr int kMarkSize = 16;
constexpr COLORREF kMarkGround = RGB(255, 0, 255);  // the marks' transparent colour
// The columns: heads and widths in dialog units, sizes right-aligned.
struct Column {
  const char16_t* head;
  int widthDlu;
  int format;
};
constexpr Column kColumns[] = {
    {u"Name", 104, LVCFMT_LEFT}, {u"Size", 40, LVCFMT_RIGHT}, {u"Type", 56, LVCFMT_LEFT}, {u"Modified", 72, LVCFMT_LEFT}};
static_assert(std::size(kColumns) == 4);

// The folder and page marks, drawn once into a small image list.
void DrawMark(HDC dc, int x, bool folder) {
  const int y = 2;
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(96, 96, 96));
  HBRUSH brush = CreateSolidBrush(folder ? RGB(240, 200, 80) : RGB(255, 255, 255));
  HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
  if (folder) {
    Rectangle(dc, x + 1, y + 2, x + 15, y + 12);
    Rectangle(dc, x + 1, y, x + 7, y + 3);
  } else {
    Rectangle(dc, x + 3, y, x + 13, y + 12);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

HIMAGELIST MakeMarks() {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP strip = CreateCompatibleBitmap(screen, 2 * kMarkSize, kMarkSize);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, strip);
  RECT all{0, 0, 2 * kMarkSize, kMarkSize};
  HBRUSH ground = CreateSolidBrush(kMarkGround);
  FillRect(dc, &all, ground);
  DeleteObject(ground);
  DrawMark(dc, 0, true);
  DrawMark(dc, kMarkSize, false);
  SelectObject(dc, old);
  DeleteDC(dc);
  HIMAGELIST marks = ImageList_Create(kMarkSize, kMarkSize, ILC_COLOR32 | ILC_MASK, 2, 0);
  ImageList_AddMasked(marks, strip, kMarkGround);
  DeleteObject(strip);
  return marks;
}

// Changes the list makes itself are not the user's: the dialog is not told.
class Quiet {
 public:
  explicit Quiet(HWND list) : list_(list) { SetPropW(list_, kQuiet, reinterpret_cast<HANDLE>(1)); }
  ~Quiet() { RemovePropW(list_, kQuiet); }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  HWND list_;
};

void SetText(HWND list, int row, int column, const std::u16string& text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = const_cast<LPWSTR>(text.c_str());
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

HWND Create(HWND dialog, int id, const RECT& place, bool multiple) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS |
                      (multiple ? 0 : LVS_SINGLESEL);
  const HWND list = CreateWindowExW(0, u"SysListView32", u"", style, place.left, place.top, place.right - place.left,
                                    place.bottom - place.top, dialog,
                                    reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
  if (!list) return nullptr;
  SendMessageW(list, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(MakeMarks()));
  for (size_t i = 0; i < std::size(kColumns); ++i) {
    RECT width{0, 0, kColumns[i].widthDlu, 0};
    MapDialogRect(dialog, &width);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = kColumns[i].format;
    column.cx = width.right;
    column.pszText = const_cast<LPWSTR>(kColumns[i].head);
    column.iSubItem = static_cast<int>(i);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  return list;
}

void Fill(HWND list, const std::vector<FileEntry>& entries) {
  Quiet quiet(list);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < entries.size(); ++i) {
    const FileEntry& e = entries[i];
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<LPWSTR>(e.name.c_str());
    item.iImage = e.folder ? 0 : 1;
    const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) continue;
    SetText(list, row, 1, SizeText(e));
    SetText(list, row, 2, e.type);
    SetText(list, row, 3, DateText(e));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

std::vector<int> Selected(HWND list) {
  std::vector<int> out;
  for (LRESULT at = -1; (at = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(at), LVNI_SELECTED)) >= 0;)
    out.push_back(static_cast<int>(at));
  return out;
}

int Caret(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void Select(HWND list, int index) {
  Quiet quiet(list);
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  LVITEMW chosen{};
  chosen.state = chosen.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&chosen));
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

bool IsQuiet(HWND list) { return GetPropW(list, kQuiet) != nullptr; }

void ShowSortMark(HWND list, int sorted, bool descending) {
  for (size_t i = 0; i < std::size(kColumns); ++i) {
    std::u16string head = kColumns[i].head;
    if (static_cast<int>(i) == sorted) head += descending ? u" \u25BC" : u" \u25B2";
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = head.data();
    SendMessageW(list, LVM_SETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

}  // namespace comdlg::file_list
