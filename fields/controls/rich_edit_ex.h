// CRichEditEx: the text entry control of the field property pages. It keeps
// its text in the code page of the application's data language, moves text
// between strings and the control in any code page (1200 = UTF-16), re-pairs
// characters when the language switches to a double-byte code page, and
// does its own clipboard work and a few navigation keys.
#pragma once

#include <string>

#include "foundation/string/astring.h"
#include "platform/framework.h"

// Sent to the parent when the control gains (1453) or loses (1454) the focus:
// wParam the control's id, lParam its window.
inline constexpr UINT kMsgRichEditFocusIn = 1453;
inline constexpr UINT kMsgRichEditFocusOut = 1454;

// Re-pairs UTF-16 text read in code page `from` into the double-byte code
// page `to`: two units that each stand for one byte of `from` become the one
// character of `to` those two bytes make. Other units stay; nothing changes
// when `to` is 1200 or not a double-byte code page.
std::u16string RepairUnits(const std::u16string& text, int from, int to);

class CRichEditEx : public CRichEditCtrl {
  DECLARE_DYNAMIC(CRichEditEx)

 public:
  CRichEditEx();

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // Plain-text mode, an undo limit of 8000, the language and the keep-text
  // flag; the control is ready after it. Returns 1.
  int Setup(int language, int option, int keepText);
  // Switches to the language's code page (see the source). Returns 1.
  int SetLanguage(int language, int quiet, int option);

  LRESULT SetText(const AString& text, int keepSelection, int pointSize, int codePage);
  LRESULT ReplaceText(const char* data, int keepSelection, int pointSize, int codePage);
  LRESULT AppendText(const char* data, int length, int codePage);
  AString& GetText(AString& out, int codePage);
  AString& GetUnicodeText(AString& out);
  // The selection in the code page (0: the control's), its line ends as CR LF
  // with crlf; returns the characters (units in 1200) copied.
  int GetSelText(AString& out, int codePage, int crlf);
  LRESULT SetTextEx(const char* data, int codePage, int keepUndo);
  long GetTextLength() const { return GetTextLengthEx(0, 1200); }
  using CRichEditCtrl::GetTextLengthEx;
  // Arial in the control's character set at pointSize (0: 10 points) over
  // first..last (-1: the end), the selection kept.
  void ApplyDefaultFormat(long first, long last, int pointSize);
  BOOL SetFaceAndSize(const char* face, int points, WPARAM scfFlags);
  void MoveCaretToEnd();
  CPoint GetPosFromChar(long index) const { return GetCharPos(index); }
  void RemapText(int from, int to);
  // 1: a UTF-16 selection or Chinese character; 2: a word in the control's
  // code page (selected); 0: none.
  int GetWordAtCaret(AString& out);
  // 1 with the two bytes of a double-byte character at the caret; else 0.
  int GetDbcsCharAtCaret(AString& out, int keepSelection);

  int m_ready = 0;
  int m_language = 0;
  int m_codePage;
  int m_clipOption = 0;
  int m_ownCopy = 0;
  int m_keepText = 0;
  AString m_savedText;

  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  void OnSetFocus(CWnd* old);
  void OnKillFocus(CWnd* next);

 private:
  std::u16string Units() const;
  void SetUnits(const std::u16string& units);
  void OwnPaste();
  void OwnCopy();
  void ScrollByLine(bool down);
  DECLARE_MESSAGE_MAP()
};
