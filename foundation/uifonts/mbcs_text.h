// Drawing and measuring multibyte text character by character: double-byte
// characters go to the matching Chinese font, tabs take a fixed cell, and the
// text wraps or stops at a right edge.
#pragma once

#include "foundation/build.h"
#include "platform/gdi/gdi.h"

FOUNDATION_BEGIN

// Font kinds of DrawTextMbcs.
inline constexpr int kFontFollowUi = 0;
inline constexpr int kFontNoSwitch = 1;
inline constexpr int kFontGb = 2;
inline constexpr int kFontBig5 = 3;

// The platform's extent of the text; off the NT family a two-byte text's
// width is corrected for charsets 134 and 136.
SIZE MeasureCjkPair(HDC dc, const char* text, int length, int charset);

// Lays out text (a C string) from (x, y) and draws it unless measureOnly;
// returns its extent. gbkRanges chooses the GBK byte ranges for the double-byte
// test, else the Big5 ones. With a clip rectangle the text stops (stopAtEdge)
// or wraps to lines 3/2 x cellHeight apart when it reaches clip->right.
SIZE DrawTextMbcs(HDC dc, int x, int y, const char* text, int tabWidth, int cellHeight, const RECT* clip,
                  bool stopAtEdge, int fontKind, bool gbkRanges, bool measureOnly);

SIZE MeasureTextMbcs(HDC dc, const char* text, int tabWidth, int cellHeight, int fontKind);

FOUNDATION_END
