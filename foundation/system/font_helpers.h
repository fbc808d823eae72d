// Fonts made from a few parameters and fonts fitted to a height or a width.
#pragma once

#include "foundation/build.h"
#include "platform/gdi/gdi.h"

FOUNDATION_BEGIN

// A new font (the caller deletes it) on the stock system font's LOGFONT: a
// width of 0 becomes half the height (rounded); angle in tenths of a degree
// turns the text; proportional clears the fixed-pitch bit. Turned text off
// the right angles and heights of 20 and more are anti-aliased.
HFONT NewFont(int height, int width, const char* face, bool proportional, int weight, int charset, int angle);
// "Courier New", fixed pitch, the style's weight + 70, charset and escapement.
HFONT NewCourierFont(int height, int width, const LOGFONT& style);
// "Arial", proportional, the style's weight, charset and escapement.
HFONT NewArialFont(int height, int width, const LOGFONT& style);

// Makes the font's line height (character height plus external leading) at
// most lf->lfHeight; lf keeps the character height tried last. Returns the
// last line height.
int FitFontHeight(HDC dc, LOGFONT* lf);

// Narrows or widens the characters until the text's extent is within 4
// pixels of targetWidth. The fitted font stays selected in dc; returns the
// object selected before, which the caller selects again (and then deletes
// the fitted font).
HGDIOBJ FitFontToWidth(HDC dc, const char* text, int len, LOGFONT lf, int targetWidth);

// Regular 0, italic 1, bold 2, bold italic 7; plus 8 for strike-out and 16
// for underline.
int FontStyleCode(const LOGFONT& lf);

FOUNDATION_END
