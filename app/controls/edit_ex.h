// A single-line edit that draws its text itself, one character at a time,
// so double-byte Chinese text (GBK or Big5) shows correctly whatever the
// system's own code page, and so the caret, the selection and the keys never
// split a double-byte character. The system control keeps the text and the
// selection; this class keeps the caret and the scroll position (byte
// indexes into the text in its code page) and does all the drawing.
#pragma once

#include "app/controls/edit_ex_text.h"
#include "platform/framework.h"

class CEditEx : public CEdit {
  DECLARE_DYNCREATE(CEditEx)

 public:
  CEditEx();

  COLORREF m_bkColour;
  COLORREF m_textColour;
  COLORREF m_selBkColour;
  COLORREF m_selTextColour;
  int m_tabWidth = 4;        // in widths of a blank
  int m_firstVisible = 0;    // byte index of the first character shown
  int m_caret = 0;           // byte index of the caret
  int m_caretPending = 1;    // the first paint that finds all selected puts the caret at the end
  int m_inCombo = 0;         // set by a history combo box before it takes the edit over
  int m_selectAllPending = 0;
  int m_pasteDone = 0;
  BYTE m_pendingLead = 0;
  int m_codePage;            // the code page the text is shown and pasted in: the interface language's

  int CharIndexFromX(int x);
  int XFromCharIndex(HDC dc, int index);
  void ScrollToCaret();
  void SelectAll();
  void CutText();
  void CopyText();
  void PasteText();

  // The text as the edit shows it, and the selection in its byte indexes.
  EditExText ShownText() const;
  void GetByteSel(int& start, int& end) const;
  void SetByteSel(int start, int end);

  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnSetFocus(CWnd* old);
  void OnKillFocus(CWnd* next);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  LRESULT OnReplaceSel(WPARAM wParam, LPARAM lParam);

 private:
  int anchor_ = 0;  // the fixed end of a selection made with the mouse or Shift
  int CharWidth(HDC dc, const EditExText& text, int byte);
  int ClientWidth() const;
  void PlaceCaret();
  void Repaint(BOOL erase = FALSE);
  void MoveCaretTo(int caret, bool extend);
  void InsertUnits(const std::u16string& units, BOOL undoable);
  DECLARE_MESSAGE_MAP()
};
