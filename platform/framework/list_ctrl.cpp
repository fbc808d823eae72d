// The list view's framework class.
#include "platform/framework/list_ctrl.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create("SysListView32", nullptr, style, rect, parent, id);
}

int CListCtrl::InsertColumn(int index, const char* heading, int format, int width, int subItem) {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_FMT;
  column.pszText = const_cast<char*>(heading);
  column.fmt = format;
  if (width != -1) {
    column.mask |= LVCF_WIDTH;
    column.cx = width;
  }
  if (subItem != -1) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = subItem;
  }
  return InsertColumn(index, &column);
}

int CListCtrl::GetColumnCount() const {
  HWND header = GetHeaderCtrl();
  return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : -1;
}

int CListCtrl::InsertItem(int index, const char* text) { return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0); }

int CListCtrl::InsertItem(int index, const char* text, int image) {
  return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

int CListCtrl::InsertItem(UINT mask, int index, const char* text, UINT state, UINT stateMask, int image,
                          LPARAM value) {
  LVITEMA item{};
  item.mask = mask;
  item.iItem = index;
  item.pszText = const_cast<char*>(text);
  item.state = state;
  item.stateMask = stateMask;
  item.iImage = image;
  item.lParam = value;
  return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int index, int subItem, const char* text) {
  LVITEMA item{};
  item.iSubItem = subItem;
  item.pszText = const_cast<char*>(text);
  return SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != 0;
}

int CListCtrl::GetItemText(int index, int subItem, char* text, int size) const {
  if (!text || size <= 0) return 0;
  LVITEMA item{};
  item.iSubItem = subItem;
  item.pszText = text;
  item.cchTextMax = size;
  text[0] = '\0';
  return Int(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int index, int subItem) const {
  // Grows the buffer until the text fits with room to spare.
  std::vector<char> buffer(256);
  for (;;) {
    const int length = GetItemText(index, subItem, buffer.data(), static_cast<int>(buffer.size()));
    if (length < static_cast<int>(buffer.size()) - 1 || buffer.size() >= (1u << 20)) return CString(buffer.data());
    buffer.resize(buffer.size() * 4);
  }
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = static_cast<LPARAM>(data);
  return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != 0;
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const {
  if (!rect) return FALSE;
  rect->left = static_cast<LONG>(code);
  return SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)) != 0;
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int code, LPRECT rect) const {
  if (!rect) return FALSE;
  rect->top = subItem;
  rect->left = code;
  return SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)) != 0;
}

int CListCtrl::HitTest(POINT point, UINT* flags) const {
  LVHITTESTINFO info{};
  info.pt = point;
  const int index = HitTest(&info);
  if (flags) *flags = info.flags;
  return index;
}
