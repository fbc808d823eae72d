#include "barcode/maxicode/maxicode_painting.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "barcode/draw/bar_bands.h"
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

uint32_t PixelOf(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

struct ColouredRun {
  int y, x0, x1;
  uint32_t pixel;
};

std::vector<ColouredRun> ColouredRuns(const Stamp& stamp, const uint32_t (&ink)[4]) {
  std::vector<ColouredRun> runs;
  for (const auto* part : {&stamp.fill, &stamp.pen})
    for (const Stamp::Run& r : *part) runs.push_back({r.y, r.x0, r.x1, ink[static_cast<int>(r.ink)]});
  std::sort(runs.begin(), runs.end(), [](const ColouredRun& a, const ColouredRun& b) {
    return a.y != b.y ? a.y < b.y : a.x0 < b.x0;
  });
  std::vector<ColouredRun> joined;
  for (const ColouredRun& r : runs) {
    if (!joined.empty() && joined.back().y == r.y && joined.back().x1 == r.x0 && joined.back().pixel == r.pixel)
      joined.back().x1 = r.x1;
    else
      joined.push_back(r);
  }
  return joined;
}

// Paints the symbol from the stamps of its resolution, a band of rows at a
// time composed over the ground colour: the hexagons' fills, then their
// outlines (an outline pixel stays the pen's, as when all hexagons are drawn
// in one call), then the finder over them, and the band written to the
// bitmap. False when the stamps do not apply, before anything is written.
bool StampMaxiCode(HDC dc, const ModuleGrid& grid, int r, HBRUSH brush, COLORREF ground) {
  BITMAP bm{};
  LOGBRUSH lb{};
  HGDIOBJ target = GetCurrentObject(dc, OBJ_BITMAP);
  if (GetObjectA(target, sizeof bm, &bm) == 0 || GetObjectA(brush, sizeof lb, &lb) == 0) return false;
  if (!DrawsAsStamped(dc, bm, lb)) return false;
  const int width = bm.bmWidth, height = bm.bmHeight;
  const std::shared_ptr<const MaxiStamps> stamps = StampsFor(r, width, height);
  if (!stamps) return false;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  // A band of rows at a time keeps the buffer small.
  auto pixels = std::make_unique_for_overwrite<uint32_t[]>(static_cast<size_t>(width) * kStampBand);
  const uint32_t ink[4] = {0, 0 /* the black pen */, PixelOf(lb.lbColor), PixelOf(RGB(255, 255, 255))};
  const uint32_t groundPixel = PixelOf(ground);
  // Each kind's fill and outline as one list of runs in their colours, runs
  // of one colour that meet joined (the two never share a pixel).
  std::vector<std::vector<ColouredRun>> whole;
  if (stamps->apart)
    for (const Stamp& kind : stamps->kinds) whole.push_back(ColouredRuns(kind, ink));
  // The bitmap leaves the device context while its bits move.
  UniqueBitmap placeholder(CreateBitmap(1, 1, 1, 1, nullptr));
  SelectScope away(dc, placeholder.get());
  const auto bitmap = static_cast<HBITMAP>(target);
  bool moved = true;
  for (int band = 0, top = 0; top < height && moved; ++band, top += kStampBand) {
    const int rows = std::min(kStampBand, height - top), bottom = top + rows;
    for (int y = 0; y < rows; ++y) {
      uint32_t* row = pixels.get() + static_cast<size_t>(y) * width;
      if (y == 0) std::fill(row, row + width, groundPixel);
      else std::memcpy(row, pixels.get(), static_cast<size_t>(width) * sizeof(uint32_t));
    }
    auto stamp = [&](const std::vector<Stamp::Run>& runs, POINT offset) {
      for (const Stamp::Run& run : runs) {
        const int y = run.y + offset.y;
        if (y < top || y >= bottom) continue;
        uint32_t* row = pixels.get() + static_cast<size_t>(y - top) * width + offset.x;
        std::fill(row + run.x0, row + run.x1, ink[static_cast<int>(run.ink)]);
      }
    };
    const std::vector<int>& modules = stamps->modulesInBand[static_cast<size_t>(band)];
    if (stamps->apart) {
      for (int m : modules) {
        if (!grid[static_cast<size_t>(m)]) continue;
        const POINT o = stamps->offsetOf[m];
        for (const ColouredRun& run : whole[static_cast<size_t>(stamps->kindOf[m])]) {
          const int y = run.y + o.y;
          if (y < top || y >= bottom) continue;
          uint32_t* row = pixels.get() + static_cast<size_t>(y - top) * width + o.x;
          std::fill(row + run.x0, row + run.x1, run.pixel);
        }
      }
    } else {
      for (int m : modules)
        if (grid[static_cast<size_t>(m)]) stamp(stamps->kinds[static_cast<size_t>(stamps->kindOf[m])].fill, stamps->offsetOf[m]);
      for (int m : modules)
        if (grid[static_cast<size_t>(m)]) stamp(stamps->kinds[static_cast<size_t>(stamps->kindOf[m])].pen, stamps->offsetOf[m]);
    }
    stamp(stamps->finder.fill, POINT{0, 0});
    stamp(stamps->finder.pen, POINT{0, 0});
    moved = SetDIBits(dc, bitmap, static_cast<UINT>(top), static_cast<UINT>(rows), pixels.get(), &info,
                      DIB_RGB_COLORS) == rows;
  }
  return moved;
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
