// The rich-edit control as a framework class: thin calls over its messages.
// The window is of the UTF-16 class, so its character formats are the wide ones.
#pragma once

#include "platform/framework/wnd.h"
#include "platform/richedit/richedit.h"

// Makes sure the rich-edit classes ("RichEdit20W", "RichEdit20A") are there
// before a control is created; FALSE when they are not.
BOOL AfxInitRichEdit2();

class CRichEditCtrl : public CWnd {
  DECLARE_DYNAMIC(CRichEditCtrl)

 public:
  // A "RichEdit20W" window; FALSE when the classes are missing or the window
  // cannot be made.
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  void SetSel(long start, long end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
  void SetSel(CHARRANGE& range) { SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range)); }
  void GetSel(long& start, long& end) const;
  void GetSel(CHARRANGE& range) const { SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range)); }
  void HideSelection(BOOL hide, BOOL permanent) { SendMessage(EM_HIDESELECTION, hide, permanent); }
  void ReplaceSel(const char* text, BOOL canUndo = FALSE) {
    SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
  }
  long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
  long GetTextLengthEx(DWORD flags, UINT codePage) const;
  int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
  int GetFirstVisibleLine() const { return static_cast<int>(SendMessage(EM_GETFIRSTVISIBLELINE)); }
  long LineFromChar(long index) const { return static_cast<long>(SendMessage(EM_EXLINEFROMCHAR, 0, index)); }
  int LineIndex(int line = -1) const { return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(line))); }
  int LineLength(int index = -1) const {
    return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(index)));
  }
  BOOL LineScroll(int lines, int chars = 0) {
    return SendMessage(EM_LINESCROLL, static_cast<WPARAM>(chars), lines) != 0;
  }
  void GetRect(LPRECT rect) const { SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(rect)); }
  CPoint GetCharPos(long index) const;
  int CharFromPos(CPoint point) const;
  BOOL GetModify() const { return SendMessage(EM_GETMODIFY) != 0; }
  void SetModify(BOOL modified = TRUE) { SendMessage(EM_SETMODIFY, modified); }
  BOOL SetReadOnly(BOOL readOnly = TRUE) { return SendMessage(EM_SETREADONLY, readOnly) != 0; }
  UINT SetOptions(WORD operation, DWORD flags) {
    return static_cast<UINT>(SendMessage(EM_SETOPTIONS, operation, static_cast<LPARAM>(flags)));
  }
  UINT GetOptions() const { return static_cast<UINT>(SendMessage(EM_GETOPTIONS)); }
  UINT SetUndoLimit(UINT limit) { return static_cast<UINT>(SendMessage(EM_SETUNDOLIMIT, limit)); }
  BOOL SetTextMode(UINT mode) { return SendMessage(EM_SETTEXTMODE, mode) == 0; }
  DWORD SetEventMask(DWORD mask) { return static_cast<DWORD>(SendMessage(EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask))); }
  BOOL SetSelectionCharFormat(CHARFORMAT2W& format) {
    return SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format)) != 0;
  }
  BOOL SetDefaultCharFormat(CHARFORMAT2W& format) {
    return SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format)) != 0;
  }
  DWORD GetSelectionCharFormat(CHARFORMAT2W& format) const;
  BOOL SetFontSize(int points) { return SendMessage(EM_SETFONTSIZE, static_cast<WPARAM>(points)) != 0; }
  BOOL CanUndo() const { return SendMessage(EM_CANUNDO) != 0; }
  BOOL Undo() { return SendMessage(EM_UNDO) != 0; }
  void Cut() { SendMessage(WM_CUT); }
  void Copy() { SendMessage(WM_COPY); }
  void Paste() { SendMessage(WM_PASTE); }
  void Clear() { SendMessage(WM_CLEAR); }
  BOOL IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
};
