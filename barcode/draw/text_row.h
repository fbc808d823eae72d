// The human-readable text row and the texts placed around EAN/UPC symbols.
#pragma once

#include <string_view>
#include <vector>

#include "barcode/draw/symbol_frame.h"
#include "barcode/draw/text_cells.h"

namespace kalvo {

// Draws the request's hrText in the text row (colours, font and alignment from
// the request); restores the device context's colours and font. `ground`, when
// known, may let the row be drawn in fewer calls.
void DrawTextRow(HDC dc, const CBCode& code, bool sameScale, double factor, const PlainGround* ground = nullptr);

// Draws `text` in `rect` (device coordinates): bytes of 32 or more one by one,
// bytes below 32 as the outline of a box in an "M"-wide cell. Each byte's cell
// is opaque: its background cuts what an earlier glyph put into it. `ground`
// (in the coordinates of `rect`) is filled where it is left unpainted and
// otherwise changes no pixel: where it shows that the cells' background is
// there already, the text goes down as transparent runs in a few calls
// instead of one call a byte (the fill with them), and true is returned.
bool DrawFramedText(HDC dc, std::string_view text, const RECT& rect, int align,
                    const PlainGround* ground = nullptr);

// DrawTextA in `rect` given in symbol coordinates.
void DrawTextInRect(HDC dc, std::string_view text, RECT rect, UINT format, bool sameScale, double factor);

// Draws every placed text in the row's font and colours; `measured` (may be
// null) holds the fonts the texts were measured in.
void DrawPlacedTexts(HDC dc, const CBCode& code, const std::vector<PlacedText>& texts, HeightFonts* measured,
                     bool sameScale, double factor);

}  // namespace kalvo
