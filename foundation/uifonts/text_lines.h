// Laying out a text in lines of a given width (message-box texts), with
// indents, alignment and word wrap.
#pragma once

#include "foundation/build.h"
#include "foundation/containers/aarray.h"
#include "foundation/containers/atypedarray.h"
#include "foundation/string/astring.h"
#include "platform/gdi/gdi.h"

FOUNDATION_BEGIN

// Alignments of LayoutTextLines.
inline constexpr int kAlignCentre = 0;
inline constexpr int kAlignRight = 1;
inline constexpr int kAlignJustify = 2;
inline constexpr int kAlignLeft = 3;

// One of ")>]}" or ".,;" at text[i] (single-byte).
bool IsClosingPunctuation(const char* text, int length, int i);

// Lays the text out in lines of at most maxWidth pixels on the device
// context's font: line breaks (CR LF, CR, LF) end lines, long lines wrap at
// blanks (inside a word only when it has none), closing punctuation may
// overhang by up to three blanks unless noHangingPunctuation. A positive
// indent moves the first line in, a negative one every later line
// (hanging). Lines are drawn unless measureOnly, aligned: 0 centred, 1 right,
// 2 justified (blanks added at the blanks when fewer than 7 are needed), else
// left. The lines, their rectangles and the line height go to the outputs
// given; returns (widest line, lines x line height).
SIZE LayoutTextLines(HDC dc, int maxWidth, const AString& text, AArray<AString>* lines, ATypedArray<RECT>* lineRects,
                     int* lineHeightOut, double lineSpacing, bool measureOnly, int indent, int align,
                     bool noHangingPunctuation);

FOUNDATION_END
