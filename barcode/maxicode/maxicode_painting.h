// Painting a MaxiCode module grid: hexagonal modules and the bull's-eye finder,
// measured from the output resolution alone.
#pragma once

#include "barcode/maxicode/maxicode_symbol.h"
#include "platform/gdi/gdi.h"

namespace kalvo::maxicode {

// Symbol size in pixels at a resolution (dots per inch).
int SymbolWidthAt(int resolution);
int SymbolHeightAt(int resolution);

// The hexagon measures at a resolution, in pixels.
struct HexagonMeasures {
  int moduleWidth;
  int moduleHeight;
  int halfHeight;  // centre to top point
  int halfSide;    // centre to the upper and lower ends of the vertical sides
  int halfWidth;   // centre to the vertical sides
  int gapX;        // least gap between neighbours in a row
  int gapY;        // least gap between rows
};
HexagonMeasures HexagonMeasuresAt(int resolution);

// Paints the whole bitmap selected into `dc`: the ground colour, then the dark
// modules with `brush` and the finder circles, both outlined with the device
// context's pen.
void PaintMaxiCode(HDC dc, const ModuleGrid& grid, int resolution, HBRUSH brush, COLORREF ground);

// The dark modules and the finder drawn shape by shape through the drawing
// layer over what the bitmap holds: the pixels the stamps of PaintMaxiCode
// reproduce, and its way where they do not apply.
void DrawMaxiCodeShapes(HDC dc, const ModuleGrid& grid, int resolution, HBRUSH brush);

}  // namespace kalvo::maxicode
