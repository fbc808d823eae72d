// Interface texts on a device context: a text in the interface language's
// code page goes through UTF-16 to the platform's text output, so the
// characters of that code page show whatever the process's ANSI code page is.
#pragma once

#include "foundation/string/astring.h"
#include "platform/win.h"

// The font of owner-drawn interface texts: the program's interface font, or
// the stock GUI font while none has been made.
HFONT UiFont();
// The font of message texts: the Simplified or Traditional Chinese interface
// font in those languages (when made), else UiFont().
HFONT UiMessageFont();

SIZE MeasureUiText(HDC dc, const AString& text);
// TextOut of an interface text at (x, y) with the DC's font and colours.
void DrawUiText(HDC dc, int x, int y, const AString& text);
// DrawText of an interface text (DT_* flags); returns the height drawn.
int DrawUiTextInRect(HDC dc, const AString& text, RECT* rect, UINT format);

// Runs a function with a font selected and the background transparent,
// restoring both afterwards.
class UiTextScope {
 public:
  UiTextScope(HDC dc, HFONT font);
  ~UiTextScope();
  UiTextScope(const UiTextScope&) = delete;
  UiTextScope& operator=(const UiTextScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ oldFont_;
  int oldMode_;
};
