// The owner-drawn push button of the dialogs' colour choices: a swatch with a
// drop-down arrow, a swatch with a short caption, or a plain arrow. It tells
// its parent when it gains and loses the focus; the owner sets its look,
// colour and caption and opens the colour chooser itself.
#pragma once

#include "foundation/string/astring.h"
#include "platform/framework.h"

inline constexpr UINT kMsgColourButtonFocusGained = 1455;
inline constexpr UINT kMsgColourButtonFocusLost = 1456;

class CColorButton : public CButton {
 public:
  enum Look : int { kSwatchAndArrow = 0, kArrowOnly = 1, kSwatchAndCaption = 2 };

  int m_look = kSwatchAndArrow;
  COLORREF m_colour = 0;
  AString m_caption;

  ~CColorButton() override = default;
  void DrawItem(LPDRAWITEMSTRUCT dis) override;
  void OnSetFocus(CWnd* old);
  void OnKillFocus(CWnd* next);

 private:
  void Notify(UINT message);
  DECLARE_MESSAGE_MAP()
};

// The parts of a colour button's face for an item rectangle; public so the
// geometry can be checked apart from the pixels.
struct ColourButtonLayout {
  RECT inner;      // the working rectangle
  RECT swatch;
  int separatorX;
  RECT arrowArea;
};
ColourButtonLayout LayOutColourButton(const RECT& item, bool selected, int look);
