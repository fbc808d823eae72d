// The report list view as a framework class: thin calls over its messages.
#pragma once

#include "platform/framework/image_list.h"
#include "platform/framework/wnd.h"

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Columns.
  int InsertColumn(int index, const LVCOLUMNA* column) {
    return Int(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(column)));
  }
  int InsertColumn(int index, const char* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
  BOOL DeleteColumn(int index) { return SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(index)) != 0; }
  BOOL GetColumn(int index, LVCOLUMNA* column) const {
    return SendMessage(LVM_GETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(column)) != 0;
  }
  BOOL SetColumn(int index, const LVCOLUMNA* column) {
    return SendMessage(LVM_SETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(column)) != 0;
  }
  int GetColumnWidth(int index) const { return Int(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index))); }
  // A width, or LVSCW_AUTOSIZE / LVSCW_AUTOSIZE_USEHEADER.
  BOOL SetColumnWidth(int index, int width) {
    return SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), static_cast<LPARAM>(MAKELONG(width, 0))) != 0;
  }
  // The header control's window, or null in a list without one.
  HWND GetHeaderCtrl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }
  // The number of columns (header items); -1 without a header.
  int GetColumnCount() const;

  // Items.
  int GetItemCount() const { return Int(SendMessage(LVM_GETITEMCOUNT)); }
  int InsertItem(const LVITEMA* item) { return Int(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item))); }
  int InsertItem(int index, const char* text);
  int InsertItem(int index, const char* text, int image);
  int InsertItem(UINT mask, int index, const char* text, UINT state, UINT stateMask, int image, LPARAM value);
  BOOL DeleteItem(int index) { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }
  BOOL DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
  BOOL GetItem(LVITEMA* item) const { return SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item)) != 0; }
  BOOL SetItem(const LVITEMA* item) { return SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item)) != 0; }
  BOOL SetItemText(int index, int subItem, const char* text);
  // The text of a cell, bounded by `size` (terminator included); its length.
  int GetItemText(int index, int subItem, char* text, int size) const;
  CString GetItemText(int index, int subItem) const;
  DWORD_PTR GetItemData(int index) const;
  BOOL SetItemData(int index, DWORD_PTR data);
  UINT GetItemState(int index, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
  }
  BOOL SetItemState(int index, UINT state, UINT mask);
  BOOL GetCheck(int index) const { return ((GetItemState(index, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1; }
  BOOL SetCheck(int index, BOOL check = TRUE) {
    return SetItemState(index, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
  }
  int GetNextItem(int start, UINT flags) const {
    return Int(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), static_cast<LPARAM>(flags)));
  }
  UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
  int GetSelectionMark() const { return Int(SendMessage(LVM_GETSELECTIONMARK)); }
  int SetSelectionMark(int index) { return Int(SendMessage(LVM_SETSELECTIONMARK, 0, index)); }
  int FindItem(const LVFINDINFOA* find, int start = -1) const {
    return Int(SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(find)));
  }
  BOOL EnsureVisible(int index, BOOL partialOk) {
    return SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partialOk) != 0;
  }
  BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
  BOOL GetSubItemRect(int index, int subItem, int code, LPRECT rect) const;
  int HitTest(LVHITTESTINFO* info) const { return Int(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info))); }
  int HitTest(POINT point, UINT* flags = nullptr) const;
  int SubItemHitTest(LVHITTESTINFO* info) { return Int(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info))); }
  int GetTopIndex() const { return Int(SendMessage(LVM_GETTOPINDEX)); }
  int GetCountPerPage() const { return Int(SendMessage(LVM_GETCOUNTPERPAGE)); }
  BOOL RedrawItems(int first, int last) { return SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last) != 0; }
  BOOL Update(int index) { return SendMessage(LVM_UPDATE, static_cast<WPARAM>(index)) != 0; }
  BOOL Scroll(CSize by) { return SendMessage(LVM_SCROLL, static_cast<WPARAM>(by.cx), by.cy) != 0; }
  // Sorts by the items' values through `compare`.
  BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data) {
    return SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)) != 0;
  }
  // Label editing: the edit control over the item, or null.
  HWND EditLabel(int index) { return reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELA, static_cast<WPARAM>(index))); }
  HWND GetEditControl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL)); }

  // Image lists (LVSIL_SMALL, LVSIL_NORMAL, LVSIL_STATE); the list before.
  // Without LVS_SHAREIMAGELISTS the control destroys its lists with itself:
  // an image list object that stays the owner goes with LVS_SHAREIMAGELISTS.
  HIMAGELIST SetImageList(CImageList* list, int kind) {
    return reinterpret_cast<HIMAGELIST>(
        SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(list ? list->m_hImageList : nullptr)));
  }
  HIMAGELIST GetImageList(int kind) const {
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(kind)));
  }

  // Look.
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  DWORD SetExtendedStyle(DWORD style) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
  }
  COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
  BOOL SetBkColor(COLORREF colour) { return SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour)) != 0; }
  COLORREF GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }
  BOOL SetTextColor(COLORREF colour) { return SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour)) != 0; }
  COLORREF GetTextBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR)); }
  BOOL SetTextBkColor(COLORREF colour) { return SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour)) != 0; }
  int GetStringWidth(const char* text) const {
    return Int(SendMessage(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
  }

 protected:
  static int Int(LRESULT r) { return static_cast<int>(r); }
};
