// A framed text drawn as transparent runs over a ground that already holds
// its cells' background: the pixels of drawing each cell opaque on its own,
// in far fewer calls.
#pragma once

#include <string_view>

#include "barcode/draw/text_cells.h"

namespace kalvo {

// Whether the selected font's glyphs stand upright on a level baseline.
bool FontIsUpright(HDC dc);

// Draws `text` with its first cell at (x, y) when every pixel comes out as
// drawing each cell opaque on its own does; false, with nothing drawn,
// otherwise. `cells` must be measured with boxes.
bool DrawFramedRuns(HDC dc, std::string_view text, int x, int y, CellWidths& cells, const PlainGround& ground);

}  // namespace kalvo
