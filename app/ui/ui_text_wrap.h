// Wrapping one line of interface text to a pixel width on a device
// context's font: breaks after blanks, between ideographs, or inside a word
// that has no other break.
#pragma once

#include <string>
#include <vector>

#include "platform/win.h"

struct WrappedText {
  std::vector<std::u16string> pieces;  // one per wrapped line
  std::vector<POINT> positions;        // each piece's place from the block's origin
  int lineHeight = 0;                  // the text height x (1 + extra spacing)
  SIZE size{0, 0};                     // widest piece, lines x line height
};

WrappedText WrapTextToWidth(HDC dc, int width, const std::u16string& text, double extraSpacing);
