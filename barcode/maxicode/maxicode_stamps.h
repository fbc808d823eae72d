// MaxiCode's shapes rasterised once per resolution and stamped: each kind of
// hexagon (the rounding of the layout gives a few) and the finder's rings are
// drawn once through the drawing layer into a scratch bitmap, and what each
// pixel received is kept. A symbol is then painted by stamping those pixels,
// which gives the pixels of drawing every shape through the drawing layer.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "barcode/maxicode/maxicode_symbol.h"
#include "platform/gdi/gdi.h"

namespace kalvo::maxicode {

// What a shape's drawing leaves in a pixel.
enum class Ink : uint8_t { None, Pen, Dark, White };

// The pixels a drawing touched in the symbol's bitmap, as runs of one ink.
struct Stamp {
  struct Run {
    int y, x0, x1;  // [x0, x1) on row y
    Ink ink;
  };
  std::vector<Run> fill;  // the Dark and White runs, by row
  std::vector<Run> pen;   // the outline's runs, by row
  int top = 0, bottom = 0;  // the rows they take
};

// Symbols are stamped a band of this many rows at a time.
constexpr int kStampBand = 32;

// One module's hexagon: its corners in the bitmap, as the painting lays them out.
struct HexagonPlace {
  bool exists = false;  // odd rows have one module fewer
  std::array<POINT, 6> corners{};
};

// Where every module of the grid goes at a resolution (row by row, kGridColumns a row).
std::vector<HexagonPlace> LayOutHexagons(int resolution);

// The finder's six circles at a resolution, largest first: centre and radii.
struct FinderCircles {
  POINT centre;
  std::array<int, 6> radii;  // smallest first
};
FinderCircles FinderAt(int resolution);

// The stamps of one resolution: per module the stamp of its hexagon moved to
// its place, and the finder.
struct MaxiStamps {
  int width = 0, height = 0;            // the bitmap they were made for
  std::vector<int> kindOf;              // per module: its hexagon kind
  std::vector<POINT> offsetOf;          // per module: its move from the kind's stamp
  std::vector<Stamp> kinds;             // one stamp per kind of hexagon
  std::vector<std::vector<int>> modulesInBand;  // per band of kStampBand rows: the modules reaching into it
  Stamp finder;
  // No pixel is reached by the stamps of two modules: each module can then be
  // stamped whole, its fill and outline together, in any order.
  bool apart = false;
};

// The cache of stamps by resolution, owned by the library's exit step.
void BuildMaxiCodeStampCache();
void FreeMaxiCodeStampCache();
// The stamps for a bitmap of `width` x `height` at `resolution`; null without
// a cache or when a shape reaches past the bitmap's edge (drawn shape by shape then).
std::shared_ptr<const MaxiStamps> StampsFor(int resolution, int width, int height);

}  // namespace kalvo::maxicode
