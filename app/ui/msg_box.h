// The designer's one message box: questions, warnings and errors, with the
// text translated line by line through the interface language file, drawn
// in the language's code page and laid out line by line. Results: 1 OK,
// 6 Yes, 7 No, 2 Cancel or closed.
#pragma once

#include <string>
#include <vector>

#include "app/ui/skin_dialog.h"
#include "app/ui/ui_message_text.h"
#include "app/ui/ui_text_wrap.h"
#include "foundation/string/astring.h"

inline constexpr UINT IDD_MSGBOX = 112;
// Button styles: OK only, Yes and No, Yes, No and Cancel (a question whose
// asker can still step back), anything else OK and Cancel.
inline constexpr int kMsgBoxOk = 0;
inline constexpr int kMsgBoxYesNo = 4;
inline constexpr int kMsgBoxYesNoCancel = 3;
inline constexpr int kMsgBoxOkCancel = 1;
inline constexpr int kMsgBoxMaxLines = 20;
inline constexpr int kMsgBoxWrapWidth = 580;

class CMsgBoxDlg : public CSkinDialog {
 public:
  explicit CMsgBoxDlg(CWnd* parent);

  BOOL OnInitDialog() override;

  AString m_caption;
  int m_buttons = kMsgBoxOk;
  AString m_text;
  int m_alreadyTranslated = 0;
  int m_defaultChoice = -1;
  int m_result = IDCANCEL;

  // The laid-out lines, for whoever wants to look: each line's pieces,
  // draw mode (0 plain, 1 translated, or a CJK code page), origin and size.
  struct Line {
    WrappedText wrapped;
    int mode = 0;
    POINT origin{0, 0};
  };
  const std::vector<Line>& Lines() const { return lines_; }

 protected:
  void OnPaint();
  void OnOkButton();
  void OnYes();
  void OnNo();
  void OnCancel() override;
  DECLARE_MESSAGE_MAP()

 private:
  void LayOutLines(HDC dc, int* widest, int* total, int* lineHeight);
  void PlaceButtons(int clientWidth, int clientHeight, int bw, int bh);
  std::vector<Line> lines_;
};

// Fills a message box, runs it modally and returns its result. A null
// parent means the program's main window.
int ShowMsgBoxDlg(CWnd* parent, const AString& text, int buttons, int alreadyTranslated, int defaultChoice,
                  const AString& caption = AString());

int UiMessageBoxArgs(CWnd* parent, int n, int buttons, bool raw, const UiArg* args, size_t count);
int UiMessageBoxTextArgs(CWnd* parent, const char* format, int buttons, bool raw, const UiArg* args, size_t count);

// UiMessageBox(parent, n, buttons, raw, ...): message n with its caption.
template <class... A>
int UiMessageBox(CWnd* parent, int n, int buttons, bool raw, const A&... args) {
  const std::array<UiArg, sizeof...(A)> list{UiArg(args)...};
  return UiMessageBoxArgs(parent, n, buttons, raw, list.data(), list.size());
}

// UiMessageBoxText(parent, format, buttons, raw, ...): a message keyed by its
// English text, without caption.
template <class... A>
int UiMessageBoxText(CWnd* parent, const char* format, int buttons, bool raw, const A&... args) {
  const std::array<UiArg, sizeof...(A)> list{UiArg(args)...};
  return UiMessageBoxTextArgs(parent, format, buttons, raw, list.data(), list.size());
}

// Message n's text looked up even in English (no arguments), with the given
// caption or its own, and the given default choice.
int UiMessageBoxEx(CWnd* parent, int n, int buttons, int unused, int defaultChoice, const AString& caption = AString());
