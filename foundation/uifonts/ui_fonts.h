// The designer's own interface fonts: a GUI font in the character set of the
// interface language and two fixed-pitch fonts for Simplified (GDI charset
// 134) and Traditional (136) Chinese text, with the lists of installed faces
// of those two character sets. Window thread only.
#pragma once

#include "foundation/build.h"
#include "foundation/system/font_entry.h"
#include "platform/gdi/gdi.h"

FOUNDATION_BEGIN

HFONT GuiFont();
HFONT FixedFontGb();
HFONT FixedFontBig5();
int CellHeightGb();
int CellHeightBig5();
FontList& FontListGb();
FontList& FontListBig5();

// Lists the installed faces of charsets 134 and 136 (raster faces left out).
// The lists are rebuilt on every call.
void EnumerateFonts(HDC dc);

// Adds one enumerated face to its list: 0 for a vertical face ('@'), a face
// already seen in this enumeration, a face of another charset, or a
// "黑体" face (not listed); else 1. "宋体" faces and "MingLiu" go to the front.
int AddFontEntry(const ENUMLOGFONTEXA* font, int fontType, const char* script);

// Creates the interface fonts (the fixed-pitch ones when asked) with the
// faces the lists offer. Fonts made by an earlier call are deleted. Returns 1.
int CreateUiFonts(bool withFixedFonts);
// The GUI font again in the current interface language's charset. Returns 1.
int RecreateGuiFont();
int DeleteUiFonts(bool withFixedFonts);

FOUNDATION_END
