// The in-place edit box laid over a cell while it is typed into. It ends
// itself on Tab, Enter, Esc, some arrow keys or the loss of the focus, tells
// the grid by an end-of-edit notice (-106) and deletes itself when its
// window is gone.
#pragma once

#include "foundation/string/astring.h"
#include "platform/framework.h"

class CGridCtrl;

class CGridEditBox : public CEdit {
 public:
  CGridEditBox(CGridCtrl* grid, const RECT& rect, DWORD style, UINT id, int row, int col, const AString& text,
               UINT firstKey);
  ~CGridEditBox() override = default;
  void EndEdit();
  int Row() const { return m_nRow; }
  int Col() const { return m_nCol; }

 protected:
  void PostNcDestroy() override { delete this; }
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  void OnKillFocus(CWnd* next);
  UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
  void OnSysChar(UINT, UINT, UINT) {}

 private:
  void Grow();
  int m_nRow;
  int m_nCol;
  AString m_sInitText;
  UINT m_nLastChar = 0;
  bool m_bExitOnArrows;
  bool m_bEnded = false;
  RECT m_Rect;
  DECLARE_MESSAGE_MAP()
};

// Sends the in-place editor's end-of-edit notice to its grid.
void SendEndEditNotice(HWND editor, HWND grid, UINT id, int row, int col, const AString& text, UINT lastKey);
