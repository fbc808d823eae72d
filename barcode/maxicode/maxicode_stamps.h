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

// Symbols are stamped a band of this many rows at a time.
constexpr int kStampBand = 16;

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

// Runs ready to stamp a band of kStampBand rows at a time, with their places
// counted in pixels of the bitmap's rows laid end to end: each kind's runs
// row by row, and per band the pieces reaching into it. A piece is the runs
// [first, last) of one kind that fall inside the band, moved to one module's
// place (stamped when the module is dark) or to the finder's (module -1,
// always stamped), less the band's top row.
struct StampLayer {
  struct Run {
    int at, count;
    Ink ink;
  };
  struct Piece {
    int module, kind;
    int at;
    int first, last;
  };
  std::vector<std::vector<Run>> kinds;
  std::vector<std::vector<Piece>> bands;
  // Every run's ink when all have the same, else Ink::None.
  Ink onlyInk = Ink::None;
};

// The stamps of one resolution, as layers stamped one after the other: the
// hexagons, each whole (no pixel is reached by two modules), and the finder
// over them.
struct MaxiStamps {
  int width = 0, height = 0;  // the bitmap they were made for
  std::vector<StampLayer> layers;
  // The same where the dark ink is the pen's colour: the outline counted as
  // dark joins the fill's runs.
  std::vector<StampLayer> oneInkLayers;
};

// The cache of stamps by resolution, owned by the library's exit step.
void BuildMaxiCodeStampCache();
void FreeMaxiCodeStampCache();
// The stamps for a bitmap of `width` x `height` at `resolution`; null without
// a cache, or when a shape reaches past the bitmap's edge or two hexagons
// share a pixel (drawn shape by shape then).
std::shared_ptr<const MaxiStamps> StampsFor(int resolution, int width, int height);

}  // namespace kalvo::maxicode
