// Text drawn on a transparent background: in a given font and colour, or
// centred in a rectangle in the interface font.
#pragma once

#include "foundation/build.h"
#include "foundation/string/astring.h"
#include "platform/gdi/gdi.h"

FOUNDATION_BEGIN

// Returns the text's extent.
SIZE DrawTextTransparent(HDC dc, int x, int y, const char* text, HFONT font, COLORREF colour);

// Nothing for an empty text. Centred in rect (never left of or above the
// device origin), then moved by offset on both axes; dimmed text takes a
// contrasting colour at half intensity.
void DrawTextCentered(HDC dc, const AString& text, const RECT& rect, int offset, bool dimmed);

FOUNDATION_END
