// The standard controls as framework classes: thin calls over their
// messages, plus the owner-draw members (DrawItem, MeasureItem) that a
// derived control overrides; the parent's WM_DRAWITEM/WM_MEASUREITEM reach
// them through reflection.
#pragma once

#include "platform/framework/wnd.h"

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)

 public:
  BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
  void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
  UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
  void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
  UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
  void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
  HBITMAP SetBitmap(HBITMAP bitmap) {
    return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }
  virtual void DrawItem(LPDRAWITEMSTRUCT dis);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)

 public:
  BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
  HBITMAP SetBitmap(HBITMAP bitmap) {
    return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  }
  HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
  virtual void DrawItem(LPDRAWITEMSTRUCT dis);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void GetSel(int& start, int& end) const;
  void ReplaceSel(const char* text, BOOL canUndo = FALSE) {
    SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
  }
  void LimitText(int max = 0) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(max)); }
  UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
  BOOL GetModify() const { return SendMessage(EM_GETMODIFY) != 0; }
  void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
  BOOL SetReadOnly(BOOL readOnly = TRUE) { return SendMessage(EM_SETREADONLY, readOnly) != 0; }
  int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
  BOOL CanUndo() const { return SendMessage(EM_CANUNDO) != 0; }
  BOOL Undo() { return SendMessage(EM_UNDO) != 0; }
  void Cut() { SendMessage(WM_CUT); }
  void Copy() { SendMessage(WM_COPY); }
  void Paste() { SendMessage(WM_PASTE); }
  void Clear() { SendMessage(WM_CLEAR); }
};

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int AddString(const char* text) { return Int(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
  int InsertString(int index, const char* text) {
    return Int(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
  }
  int DeleteString(UINT index) { return Int(SendMessage(LB_DELETESTRING, index)); }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  int GetCount() const { return Int(SendMessage(LB_GETCOUNT)); }
  int GetCurSel() const { return Int(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int index) { return Int(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
  int GetSel(int index) const { return Int(SendMessage(LB_GETSEL, static_cast<WPARAM>(index))); }
  int SetSel(int index, BOOL select = TRUE) { return Int(SendMessage(LB_SETSEL, select, index)); }
  int GetText(int index, char* buffer) const {
    return Int(SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
  }
  void GetText(int index, CString& text) const;
  int GetTextLen(int index) const { return Int(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index))); }
  DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index))); }
  int SetItemData(int index, DWORD_PTR data) {
    return Int(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
  }
  int FindString(int start, const char* text) const {
    return Int(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)));
  }
  int FindStringExact(int start, const char* text) const {
    return Int(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)));
  }
  int SelectString(int start, const char* text) {
    return Int(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)));
  }
  int GetTopIndex() const { return Int(SendMessage(LB_GETTOPINDEX)); }
  int SetTopIndex(int index) { return Int(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(index))); }
  int GetSelCount() const { return Int(SendMessage(LB_GETSELCOUNT)); }
  int SetItemHeight(int index, UINT height) { return Int(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), height)); }
  virtual void DrawItem(LPDRAWITEMSTRUCT dis);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 protected:
  static int Int(LRESULT r) { return static_cast<int>(r); }
};

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int AddString(const char* text) { return Int(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
  int InsertString(int index, const char* text) {
    return Int(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
  }
  int DeleteString(UINT index) { return Int(SendMessage(CB_DELETESTRING, index)); }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
  int GetCount() const { return Int(SendMessage(CB_GETCOUNT)); }
  int GetCurSel() const { return Int(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int index) { return Int(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
  int GetLBText(int index, char* buffer) const {
    return Int(SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
  }
  void GetLBText(int index, CString& text) const;
  int GetLBTextLen(int index) const { return Int(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index))); }
  DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index))); }
  int SetItemData(int index, DWORD_PTR data) {
    return Int(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
  }
  int FindString(int start, const char* text) const {
    return Int(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)));
  }
  int FindStringExact(int start, const char* text) const {
    return Int(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)));
  }
  int SelectString(int start, const char* text) {
    return Int(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text)));
  }
  BOOL LimitText(int max) { return SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(max)) != 0; }
  void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }
  BOOL GetDroppedState() const { return SendMessage(CB_GETDROPPEDSTATE) != 0; }
  int SetItemHeight(int index, UINT height) { return Int(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(index), height)); }
  virtual void DrawItem(LPDRAWITEMSTRUCT dis);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 protected:
  static int Int(LRESULT r) { return static_cast<int>(r); }
};

class CScrollBar : public CWnd {
  DECLARE_DYNAMIC(CScrollBar)

 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int GetScrollPos() const { return static_cast<int>(SendMessage(SBM_GETPOS)); }
  int SetScrollPos(int pos, BOOL redraw = TRUE) { return static_cast<int>(SendMessage(SBM_SETPOS, static_cast<WPARAM>(pos), redraw)); }
  void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE) {
    SendMessage(redraw ? SBM_SETRANGEREDRAW : SBM_SETRANGE, static_cast<WPARAM>(minPos), maxPos);
  }
  BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE) {
    info->cbSize = sizeof(SCROLLINFO);
    SendMessage(SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info));
    return TRUE;
  }
  BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL) const {
    info->cbSize = sizeof(SCROLLINFO);
    info->fMask = mask;
    return SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)) != 0;
  }
};
