// The human-readable text row and the texts placed around EAN/UPC symbols.
#pragma once

#include <string_view>
#include <vector>

#include "barcode/draw/symbol_frame.h"

namespace kalvo {

// Draws the request's hrText in the text row (colours, font and alignment from
// the request); restores the device context's colours and font.
void DrawTextRow(HDC dc, const CBCode& code, bool sameScale, double factor);

// Draws `text` in `rect` (device coordinates): bytes of 32 or more one by one,
// bytes below 32 as the outline of a box in an "M"-wide cell.
void DrawFramedText(HDC dc, std::string_view text, const RECT& rect, int align);

// DrawTextA in `rect` given in symbol coordinates.
void DrawTextInRect(HDC dc, std::string_view text, RECT rect, UINT format, bool sameScale, double factor);

// Draws every placed text in the row's font and colours; `measured` (may be
// null) holds the fonts the texts were measured in.
void DrawPlacedTexts(HDC dc, const CBCode& code, const std::vector<PlacedText>& texts, HeightFonts* measured,
                     bool sameScale, double factor);

}  // namespace kalvo
