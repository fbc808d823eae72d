// The rasteriser's pieces shared by the drawing files: scan conversion of
// polygons and lines into spans, pen stroking, and painting spans with a
// brush or a pen through a binary raster operation.
#pragma once

#include <cmath>
#include <functional>
#include <span>
#include <vector>

#include "platform/gdi/gdi_internal.h"

namespace gdi {

using Figure = PathFigure;

// The binary raster operation `rop` (R2_*) on pen value p and destination d.
inline uint32_t ApplyRop2(int rop, uint32_t p, uint32_t d) {
  const unsigned t = static_cast<unsigned>(rop - 1);
  uint32_t r = 0;
  if (t & 8) r |= p & d;
  if (t & 4) r |= p & ~d;
  if (t & 2) r |= ~p & d;
  if (t & 1) r |= ~p & ~d;
  return r;
}

// The ternary raster operation's function byte on pattern, source and destination.
inline uint32_t ApplyRop3(unsigned code, uint32_t p, uint32_t s, uint32_t d) {
  switch (code) {
    case 0xCC: return s;
    case 0xF0: return p;
    case 0xAA: return d;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x66: return s ^ d;
    case 0x33: return ~s;
    case 0x55: return ~d;
    case 0x5A: return p ^ d;
    case 0xC0: return p & s;
    case 0x00: return 0;
    case 0xFF: return ~0u;
    default: break;
  }
  uint32_t r = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if (!(code & (1u << i))) continue;
    r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return r;
}
inline bool Rop3UsesSource(unsigned code) { return ((code >> 2) & 0x33) != (code & 0x33); }
inline bool Rop3UsesPattern(unsigned code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }
inline bool Rop3UsesDest(unsigned code) { return ((code >> 1) & 0x55) != (code & 0x55); }
// A ternary operation that ignores the source as the binary operation it is.
inline int Rop3ToRop2(unsigned code) {
  unsigned t = 0;
  for (unsigned i = 0; i < 4; ++i) {
    const unsigned p = i >> 1, d = i & 1;
    if (code & (1u << ((p << 2) | d))) t |= 1u << i;
  }
  return static_cast<int>(t) + 1;
}

// What goes into each pixel of a fill: a solid value, a hatch or a pattern.
struct BrushSampler {
  enum class Kind { None, Solid, Hatch, Pattern };
  Kind kind = Kind::None;
  uint32_t fg = 0;
  uint32_t bg = 0;
  bool opaqueBackground = false;
  int hatch = 0;
  POINT origin{0, 0};
  int patternWidth = 0;
  int patternHeight = 0;
  std::vector<uint32_t> pattern;  // target values, row by row

  // The value for device pixel (x, y); false where a hatch shows through.
  bool Sample(int x, int y, uint32_t& value) const;
  static BrushSampler Solid(uint32_t value) {
    BrushSampler s;
    s.kind = Kind::Solid;
    s.fg = value;
    return s;
  }
};
BrushSampler MakeBrushSampler(const DeviceContext& dc, const Bitmap& target, const Brush* brush);

// Paints a device-space region with a sampler and a binary raster operation,
// inside the context's clip.
void PaintRegion(DeviceContext& dc, const SpanRegion& shape, const BrushSampler& source, int rop2);
void PaintRegion(DeviceContext& dc, const SpanRegion& shape, const BrushSampler& source, int rop2,
                 const SpanRegion& clip);
// The same for a device rectangle (edges in any order); a clip of one
// rectangle is met row by row without building regions.
void PaintRect(DeviceContext& dc, const RECT& rect, const BrushSampler& source, int rop2);

// Scan conversion: the pixels (at integer coordinates) inside the polygons (ALTERNATE or WINDING),
// limited to the rows and columns of `bounds`.
void ScanPolygons(std::span<const std::vector<PointD>> polygons, int fillMode, const RECT& bounds, SpanBuilder& out);
SpanRegion ScanPolygons(std::span<const std::vector<PointD>> polygons, int fillMode, const RECT& bounds);

// A one-pixel line from (x0, y0) toward (x1, y1), the last point left out.
// `visit` gets each pixel whose major coordinate lies in `clip`; `skip`
// (may be empty) gets the number of steps left out before and after them.
void WalkLine(int x0, int y0, int x1, int y1, const RECT& clip, const std::function<void(int x, int y)>& visit,
              const std::function<void(long steps)>& skip);

// The pixels a pen paints along figures (device space): `fg` in the pen's
// colour, `bg` in the background colour (the gaps of styled cosmetic lines
// when the background mode is opaque).
struct StrokeCoverage {
  SpanRegion fg;
  SpanRegion bg;
};
StrokeCoverage StrokeFigures(const DeviceContext& dc, const Pen& pen, std::span<const Figure> figures,
                             const RECT& bounds);
// A cosmetic pen's style as runs of pixels, on and off by turns (empty for a
// solid line).
std::vector<int> CosmeticPattern(const Pen& pen);
// A place in such a pattern, stepped once a pixel.
struct PatternCursor {
  explicit PatternCursor(std::span<const int> runs) : pattern(runs), left(runs.empty() ? 0 : runs[0]) {}
  bool On() const { return pattern.empty() || element % 2 == 0; }
  void Step() {
    if (!pattern.empty() && --left == 0) {
      element = (element + 1) % pattern.size();
      left = pattern[element];
    }
  }
  std::span<const int> pattern;
  size_t element = 0;
  int left;
};
// The pen's width in device pixels (1 for cosmetic pens).
double DevicePenWidth(const DeviceContext& dc, const Pen& pen);
bool PenDraws(const Pen* pen);

// Draws figures: fills the closed ones with the brush (when `fill`), then
// strokes all of them with the pen (when `stroke`). Under a one-pixel pen the
// fill reaches under the outline, except for `FillUnder::InsideOnly`
// (rectangles); under a wide pen it fills only what the outline leaves.
// Inside an open path the figures are recorded instead.
enum class FillUnder { Outline, InsideOnly };
void DrawFigures(DeviceContext& dc, std::vector<Figure> figures, bool fill, bool stroke,
                 FillUnder under = FillUnder::Outline);
void RecordFigures(DeviceContext& dc, std::vector<Figure> figures);

// The pixels of an axis-aligned ellipse whose box runs over pixels [l, r] x
// [t, b], all four edges included: its one-pixel outline, and the outline
// with everything inside it.
SpanRegion EllipseOutline(int l, int t, int r, int b);
SpanRegion EllipseArea(int l, int t, int r, int b);
// The same for a rectangle over pixels [l, r] x [t, b] whose corners are the
// quarters of a cw x ch ellipse (clamped to the box).
SpanRegion RoundRectOutline(int l, int t, int r, int b, int cw, int ch);
// Each row of a closed convex outline filled from its first pixel to its last.
SpanRegion RowHull(const SpanRegion& outline);

// Flattening of curves in device space.
void FlattenBezier(PointD p0, PointD p1, PointD p2, PointD p3, std::vector<PointD>& out);
int EllipseSegments(double rx, double ry);

// The clip box of a context in device coordinates (empty when nothing is drawable).
RECT DeviceClipBox(const DeviceContext& dc);
// Rounds a device point the way the compatible mode does, kept within a
// range whose differences still fit in 32 bits.
inline LONG RoundDeviceCoordinate(double v) {
  constexpr double kLimit = 1 << 29;
  if (!(v > -kLimit)) return -(1 << 29);  // also catches NaN
  if (v > kLimit) return 1 << 29;
  return static_cast<LONG>(std::floor(v + 0.5));
}
inline POINT RoundDevice(PointD p) { return POINT{RoundDeviceCoordinate(p.x), RoundDeviceCoordinate(p.y)}; }

}  // namespace gdi
