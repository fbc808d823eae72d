// The tab control as a framework class: thin calls over its messages, and
// DrawItem for owner-drawn tabs (the parent's WM_DRAWITEM reaches it through
// reflection).
#pragma once

#include "platform/framework/wnd.h"

class CImageList;

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetItemCount() const { return Int(SendMessage(TCM_GETITEMCOUNT)); }
  BOOL GetItem(int index, TCITEMA* item) const {
    return SendMessage(TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)) != 0;
  }
  BOOL SetItem(int index, TCITEMA* item) {
    return SendMessage(TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)) != 0;
  }
  LONG InsertItem(int index, TCITEMA* item) {
    return static_cast<LONG>(SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
  }
  LONG InsertItem(int index, const char* text);
  LONG InsertItem(int index, const char* text, int image);
  BOOL DeleteItem(int index) { return SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }
  BOOL DeleteAllItems() { return SendMessage(TCM_DELETEALLITEMS) != 0; }
  BOOL GetItemRect(int index, LPRECT rect) const {
    return SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)) != 0;
  }
  int GetCurSel() const { return Int(SendMessage(TCM_GETCURSEL)); }
  // Selects without notifying the parent, as the control does.
  int SetCurSel(int index) { return Int(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
  int GetCurFocus() const { return Int(SendMessage(TCM_GETCURFOCUS)); }
  void SetCurFocus(int index) { SendMessage(TCM_SETCURFOCUS, static_cast<WPARAM>(index)); }
  int HitTest(TCHITTESTINFO* info) const { return Int(SendMessage(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(info))); }
  // Display area from window rectangle (larger FALSE), or back (TRUE).
  void AdjustRect(BOOL larger, LPRECT rect) { SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect)); }
  CSize SetItemSize(CSize size);
  void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, static_cast<LPARAM>(MAKELONG(size.cx, size.cy))); }
  int SetMinTabWidth(int width) { return Int(SendMessage(TCM_SETMINTABWIDTH, 0, width)); }
  int GetRowCount() const { return Int(SendMessage(TCM_GETROWCOUNT)); }
  HIMAGELIST SetImageList(HIMAGELIST list) {
    return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)));
  }
  HIMAGELIST GetImageList() const { return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_GETIMAGELIST)); }
  BOOL HighlightItem(int index, BOOL highlight = TRUE) {
    return SendMessage(TCM_HIGHLIGHTITEM, static_cast<WPARAM>(index), static_cast<LPARAM>(MAKELONG(highlight, 0))) != 0;
  }
  // Owner-drawn tabs draw in the derived class; this one has nothing to draw.
  virtual void DrawItem(LPDRAWITEMSTRUCT dis);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 protected:
  static int Int(LRESULT r) { return static_cast<int>(r); }
};
