#include "barcode/maxicode/maxicode_painting.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "barcode/draw/bar_bands.h"
#include "barcode/draw/dib32.h"
#include "barcode/maxicode/maxicode_runs.h"
#include "barcode/maxicode/maxicode_stamps.h"
#include "platform/gdi/gdi_owners.h"

namespace kalvo::maxicode {
namespace {

int Round(double value) { return static_cast<int>(value + 0.5); }

}  // namespace

int SymbolWidthAt(int resolution) { return Round(resolution * 1.03937); }
int SymbolHeightAt(int resolution) { return Round(resolution * 0.9984784); }

HexagonMeasures HexagonMeasuresAt(int r) {
  HexagonMeasures m{};
  m.moduleWidth = Round(r * 0.0202);
  m.moduleHeight = Round(r * 0.0173228);
  m.halfHeight = std::min(m.moduleWidth - 1, Round(r * 0.0164));
  m.halfSide = std::min(m.halfHeight - 1, Round(r * 0.0082));
  m.halfWidth = std::min(m.moduleHeight - 1, Round(r * 0.01385824));
  m.gapX = std::max(2, Round(r * 0.00692912));
  m.gapY = std::max(2, Round(r * 0.0068333));
  return m;
}

namespace {

// The drawing state the stamps were made in: a memory device context's
// defaults over a 32-bit bitmap, without a clip or a mapping.
bool DrawsAsStamped(HDC dc, const BITMAP& bm, const LOGBRUSH& brush) {
  POINT viewport{}, window{};
  GetViewportOrgEx(dc, &viewport);
  GetWindowOrgEx(dc, &window);
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  const bool clipped = GetClipRgn(dc, clip) != 0;
  DeleteObject(clip);
  return bm.bmBitsPixel == 32 && brush.lbStyle == BS_SOLID && !clipped &&
         GetCurrentObject(dc, OBJ_PEN) == GetStockObject(BLACK_PEN) && GetROP2(dc) == R2_COPYPEN &&
         GetPolyFillMode(dc) == ALTERNATE && GetMapMode(dc) == MM_TEXT && GetGraphicsMode(dc) == GM_COMPATIBLE &&
         viewport.x == 0 && viewport.y == 0 && window.x == 0 && window.y == 0;
}

// Band `index` (`rows` rows of `width` pixels) composed in `band`: the
// ground, then each layer's pieces in that band whose module is dark, or
// that belong to no module.
void ComposeBand(uint32_t* band, int width, int rows, int index, std::span<const StampLayer> layers,
                 const ModuleGrid& grid, const uint32_t (&ink)[4], std::vector<const StampLayer::Piece*>& dark) {
  // The ground: one row filled, then copied over twice as many rows each
  // step, in the long copies the C library makes with its widest stores.
  const size_t rowPixels = static_cast<size_t>(width);
  std::fill_n(band, rowPixels, ink[static_cast<int>(Ink::None)]);
  for (size_t done = 1, all = static_cast<size_t>(rows); done < all; done *= 2)
    std::memcpy(band + done * rowPixels, band, std::min(done, all - done) * rowPixels * sizeof(uint32_t));
  for (const StampLayer& layer : layers) {
    const std::vector<StampLayer::Piece>& pieces = layer.bands[static_cast<size_t>(index)];
    // The pieces to stamp gathered without a branch: light and dark modules
    // come in no order a predictor could follow.
    dark.resize(pieces.size());
    size_t count = 0;
    for (const StampLayer::Piece& p : pieces) {
      dark[count] = &p;
      count += p.module < 0 || grid[static_cast<size_t>(p.module)] ? 1 : 0;
    }
    StampPieces(band, std::span(dark).first(count), layer, ink);
  }
}

// Paints the symbol from the stamps of its resolution, a band of rows at a
// time composed over the ground colour and written to the bitmap. False when
// the stamps do not apply, before anything is written, or when a band could
// not be written (the symbol is then painted shape by shape).
bool StampMaxiCode(HDC dc, const ModuleGrid& grid, int r, HBRUSH brush, COLORREF ground) {
  BITMAP bm{};
  LOGBRUSH lb{};
  HGDIOBJ target = GetCurrentObject(dc, OBJ_BITMAP);
  if (GetObjectA(target, sizeof bm, &bm) == 0 || GetObjectA(brush, sizeof lb, &lb) == 0) return false;
  if (!DrawsAsStamped(dc, bm, lb)) return false;
  const int width = bm.bmWidth, height = bm.bmHeight;
  const std::shared_ptr<const MaxiStamps> stamps = StampsFor(r, width, height);
  if (!stamps) return false;

  // The ground where no ink is; the pen is black.
  const uint32_t ink[4] = {DibPixelOf(ground), 0, DibPixelOf(lb.lbColor), DibPixelOf(RGB(255, 255, 255))};
  const std::vector<StampLayer>& layers = ink[static_cast<int>(Ink::Dark)] == ink[static_cast<int>(Ink::Pen)]
                                              ? stamps->oneInkLayers
                                              : stamps->layers;
  // A band of rows at a time keeps the buffer in the nearest cache.
  auto pixels = std::make_unique_for_overwrite<uint32_t[]>(static_cast<size_t>(width) * kStampBand);
  std::vector<const StampLayer::Piece*> dark;
  // The bitmap leaves the device context while its bits move.
  UniqueBitmap placeholder(CreateBitmap(1, 1, 1, 1, nullptr));
  SelectScope away(dc, placeholder.get());
  const auto bitmap = static_cast<HBITMAP>(target);
  const BITMAPINFO info = TopDownDibInfo(width, height);  // the band holds the rows from `top` on
  for (int band = 0, top = 0; top < height; ++band, top += kStampBand) {
    const int rows = std::min(kStampBand, height - top);
    ComposeBand(pixels.get(), width, rows, band, layers, grid, ink, dark);
    if (SetDIBits(dc, bitmap, static_cast<UINT>(top), static_cast<UINT>(rows), pixels.get(), &info, DIB_RGB_COLORS) !=
        rows)
      return false;
  }
  return true;
}

}  // namespace

// The shapes one by one through the drawing layer.
void DrawMaxiCodeShapes(HDC dc, const ModuleGrid& grid, int r, HBRUSH brush) {
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  // All dark modules go out in one call; they never touch, so they fill and
  // outline as separate hexagons.
  std::vector<POINT> points;
  std::vector<INT> counts;
  const std::vector<HexagonPlace> places = LayOutHexagons(r);
  for (size_t m = 0; m < places.size(); ++m) {
    if (!places[m].exists || !grid[m]) continue;
    points.insert(points.end(), places[m].corners.begin(), places[m].corners.end());
    counts.push_back(6);
  }
  if (!counts.empty()) PolyPolygon(dc, points.data(), counts.data(), static_cast<int>(counts.size()));

  // Finder: six circles from the largest down, dark and white in turn.
  const FinderCircles f = FinderAt(r);
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  for (int i = 5; i >= 0; --i) {
    SelectObject(dc, i % 2 == 1 ? static_cast<HGDIOBJ>(brush) : white);
    Ellipse(dc, f.centre.x - f.radii[i], f.centre.y - f.radii[i], f.centre.x + f.radii[i], f.centre.y + f.radii[i]);
  }
  SelectObject(dc, oldBrush);
}

void PaintMaxiCode(HDC dc, const ModuleGrid& grid, int r, HBRUSH brush, COLORREF ground) {
  if (StampMaxiCode(dc, grid, r, brush, ground)) return;
  BITMAP bm{};
  if (GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm) != 0)
    PaintBarBands(dc, bm.bmWidth, bm.bmHeight, {}, ground, ground);
  DrawMaxiCodeShapes(dc, grid, r, brush);
}

}  // namespace kalvo::maxicode
