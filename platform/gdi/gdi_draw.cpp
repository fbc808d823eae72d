// Drawing calls: lines, curves, closed shapes, rectangle fills and pixels.
// Shapes become device-space figures, filled with the brush and stroked
// with the pen (or recorded into an open path).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/gdi/ellipse_ring.h"
#include "platform/gdi/gdi_raster.h"

namespace gdi {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Where a shape's bounding box lives: in the compatible mode it is taken to
// device pixels first and loses its right and bottom edges; in the advanced
// mode it is kept in logical units and the whole shape is transformed.
struct Frame {
  Matrix toDevice;
  double left, top, right, bottom;
  double scale;  // device pixels per shape unit
};

Frame ShapeFrame(const DeviceContext& dc, int l, int t, int r, int b) {
  const Matrix m = dc.LogicalToDevice();
  Frame f;
  if (dc.state.graphicsMode == GM_ADVANCED) {
    f.toDevice = m;
    f.left = std::min(l, r), f.right = std::max(l, r);
    f.top = std::min(t, b), f.bottom = std::max(t, b);
    f.scale = std::sqrt(std::fabs(m.Determinant()));
  } else {
    const POINT a = RoundDevice(m.Apply({double(l), double(t)}));
    const POINT c = RoundDevice(m.Apply({double(r), double(b)}));
    f.left = std::min(a.x, c.x), f.right = std::max(a.x, c.x) - 1;
    f.top = std::min(a.y, c.y), f.bottom = std::max(a.y, c.y) - 1;
    f.scale = 1;
  }
  // An inside-frame pen keeps its whole width inside the box.
  const Pen* pen = dc.state.pen.get();
  if (pen && pen->LineStyle() == PS_INSIDEFRAME && pen->Geometric()) {
    const double w = dc.state.graphicsMode == GM_ADVANCED ? pen->width : DevicePenWidth(dc, *pen);
    const double inset = std::floor(w / 2);
    f.left += inset, f.top += inset, f.right -= inset, f.bottom -= inset;
    if (f.right < f.left) f.left = f.right = (f.left + f.right) / 2;
    if (f.bottom < f.top) f.top = f.bottom = (f.top + f.bottom) / 2;
  }
  return f;
}

// A box of no width or no height (in device pixels, compatible mode) holds
// no shape: nothing is drawn, not even the outline.
bool Degenerate(const DeviceContext& dc, const Frame& f) {
  return dc.state.graphicsMode != GM_ADVANCED && dc.path.state != Path::State::Open &&
         (f.right - f.left < 0 || f.bottom - f.top < 0);
}

std::vector<PointD> ToDevice(const Frame& f, std::vector<PointD> pts) {
  for (auto& p : pts) p = f.toDevice.Apply(p);
  return pts;
}

// Points of an elliptic arc about (cx, cy) from angle a0 sweeping by `sweep`
// (radians, counter-clockwise on screen when positive).
void ArcPoints(double cx, double cy, double rx, double ry, double a0, double sweep, double scale,
               std::vector<PointD>& out) {
  const int full = EllipseSegments(rx * scale, ry * scale);
  const int n = std::max(1, static_cast<int>(std::ceil(full * std::fabs(sweep) / (2 * kPi))));
  for (int i = 0; i <= n; ++i) {
    const double a = a0 + sweep * i / n;
    out.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
}

std::vector<PointD> EllipsePolygon(const Frame& f) {
  const double cx = (f.left + f.right) / 2, cy = (f.top + f.bottom) / 2;
  const double rx = (f.right - f.left) / 2, ry = (f.bottom - f.top) / 2;
  std::vector<PointD> pts;
  ArcPoints(cx, cy, rx, ry, 0, 2 * kPi, f.scale, pts);
  pts.pop_back();
  return pts;
}

std::vector<PointD> RoundRectPolygon(const Frame& f, double cw, double ch) {
  const double rx = std::min(std::fabs(cw), f.right - f.left) / 2;
  const double ry = std::min(std::fabs(ch), f.bottom - f.top) / 2;
  std::vector<PointD> pts;
  if (rx <= 0 || ry <= 0) {
    return {{f.left, f.top}, {f.right, f.top}, {f.right, f.bottom}, {f.left, f.bottom}};
  }
  ArcPoints(f.right - rx, f.top + ry, rx, ry, 0, kPi / 2, f.scale, pts);
  ArcPoints(f.left + rx, f.top + ry, rx, ry, kPi / 2, kPi / 2, f.scale, pts);
  ArcPoints(f.left + rx, f.bottom - ry, rx, ry, kPi, kPi / 2, f.scale, pts);
  ArcPoints(f.right - rx, f.bottom - ry, rx, ry, 3 * kPi / 2, kPi / 2, f.scale, pts);
  return pts;
}

enum class ArcKind { Arc, Chord, Pie };

// The open arc of Arc, ArcTo, Chord and Pie, from the radial through the
// start point to the radial through the end point, in the arc direction.
std::vector<PointD> ArcFigure(const DeviceContext& dc, const Frame& f, int xs, int ys, int xe, int ye) {
  const double cx = (f.left + f.right) / 2, cy = (f.top + f.bottom) / 2;
  const double rx = std::max((f.right - f.left) / 2, 1e-9), ry = std::max((f.bottom - f.top) / 2, 1e-9);
  PointD s{double(xs), double(ys)}, e{double(xe), double(ye)};
  if (dc.state.graphicsMode != GM_ADVANCED) {
    const Matrix m = dc.LogicalToDevice();
    s = m.Apply(s);
    e = m.Apply(e);
  }
  const double a0 = std::atan2(-(s.y - cy) / ry, (s.x - cx) / rx);
  double a1 = std::atan2(-(e.y - cy) / ry, (e.x - cx) / rx);
  double sweep;
  if (dc.state.arcDirection == AD_COUNTERCLOCKWISE) {
    sweep = a1 - a0;
    while (sweep <= 1e-12) sweep += 2 * kPi;
  } else {
    sweep = a1 - a0;
    while (sweep >= -1e-12) sweep -= 2 * kPi;
  }
  std::vector<PointD> pts;
  ArcPoints(cx, cy, rx, ry, a0, sweep, f.scale, pts);
  return pts;
}

PointD MapPoint(const DeviceContext& dc, const Matrix& m, POINT p) {
  const PointD d = m.Apply({double(p.x), double(p.y)});
  if (dc.state.graphicsMode == GM_ADVANCED) return d;
  const POINT r = RoundDevice(d);
  return {double(r.x), double(r.y)};
}

std::vector<PointD> MapPoints(const DeviceContext& dc, const POINT* pts, size_t count) {
  const Matrix m = dc.LogicalToDevice();
  std::vector<PointD> out;
  out.reserve(count);
  for (size_t i = 0; i < count; ++i) out.push_back(MapPoint(dc, m, pts[i]));
  return out;
}

void Shape(DeviceContext& dc, std::vector<PointD> devicePoints, FillUnder under = FillUnder::Outline) {
  DrawFigures(dc, {Figure{std::move(devicePoints), true}}, true, true, under);
}

// Bézier runs: p0 then groups of three points.
std::vector<PointD> BezierPoints(const std::vector<PointD>& pts) {
  std::vector<PointD> out{pts[0]};
  for (size_t i = 1; i + 2 < pts.size(); i += 3) FlattenBezier(out.back(), pts[i], pts[i + 1], pts[i + 2], out);
  return out;
}

// Figures extending the current position (LineTo, PolylineTo, ...): drawn as
// one open figure, or appended to the open figure of a path.
void DrawFromCurrent(DeviceContext& dc, std::vector<PointD> points) {
  const PointD from = MapPoint(dc, dc.LogicalToDevice(), dc.state.position);
  if (dc.path.state == Path::State::Open) {
    auto& figures = dc.path.figures;
    if (!dc.path.figureOpen) {
      figures.push_back(Figure{{from}, false});
      dc.path.figureOpen = true;
    }
    figures.back().points.insert(figures.back().points.end(), points.begin(), points.end());
    return;
  }
  points.insert(points.begin(), from);
  DrawFigures(dc, {Figure{std::move(points), false}}, false, true);
}

BrushSampler PenSampler(const DeviceContext& dc, const Bitmap& target, const Pen& pen) {
  const bool dcPen = dc.state.penHandle == static_cast<HPEN>(GetStockObject(DC_PEN));
  if (pen.brush.lbStyle == BS_HATCHED) {
    Brush b;
    b.style = BS_HATCHED;
    b.hatch = static_cast<int>(pen.brush.lbHatch);
    b.colour = pen.colour;
    return MakeBrushSampler(dc, target, &b);
  }
  return BrushSampler::Solid(target.ColourToValue(dcPen ? dc.state.dcPenColour : pen.colour));
}

bool DeviceRectOf(const DeviceContext& dc, const RECT& r, RECT& out, std::vector<PointD>& polygon) {
  const Matrix m = dc.LogicalToDevice();
  if (m.KeepsRectangles()) {
    // Under a quarter turn the corners still map to corners; which device
    // edge is left out follows from where the logical right and bottom land.
    const POINT a = RoundDevice(m.Apply({double(r.left), double(r.top)}));
    const POINT b = RoundDevice(m.Apply({double(r.right), double(r.bottom)}));
    // A rectangle given right to left (or bottom to top) in device space
    // still leaves out its second edge: it covers (b, a], one pixel past
    // where the same rectangle given left to right would start.
    out = RECT{a.x, a.y, b.x, b.y};
    if (b.x < a.x) out.left = b.x + 1, out.right = a.x + 1;
    if (b.y < a.y) out.top = b.y + 1, out.bottom = a.y + 1;
    return true;
  }
  polygon = {m.Apply({double(r.left), double(r.top)}), m.Apply({double(r.right), double(r.top)}),
             m.Apply({double(r.right), double(r.bottom)}), m.Apply({double(r.left), double(r.bottom)})};
  return false;
}

// Paints a logical rectangle (right and bottom edges excluded).
void PaintLogicalRect(DeviceContext& dc, const RECT& r, const BrushSampler& source, int rop2) {
  RECT box;
  std::vector<PointD> polygon;
  if (DeviceRectOf(dc, r, box, polygon)) {
    PaintRect(dc, box, source, rop2);
    return;
  }
  std::array<std::vector<PointD>, 1> one{polygon};
  PaintRegion(dc, ScanPolygons(one, ALTERNATE, DeviceClipBox(dc)), source, rop2);
}

// The device region of a logical rectangle (right and bottom edges excluded).
SpanRegion RectRegion(const DeviceContext& dc, const RECT& r) {
  RECT box;
  std::vector<PointD> polygon;
  if (DeviceRectOf(dc, r, box, polygon)) return SpanRegion::FromRect(box);
  std::array<std::vector<PointD>, 1> one{polygon};
  return ScanPolygons(one, ALTERNATE, DeviceClipBox(dc));
}

bool SolidStyle(const Pen& pen) { return pen.LineStyle() == PS_SOLID || pen.LineStyle() == PS_INSIDEFRAME; }

// Ellipses and round rectangles of the compatible mode drawn with a null pen
// or a solid one-pixel pen are drawn pixel by pixel from their outline: the
// brush over the outline and what it encloses, then the pen over the
// outline. Others become polygons.
bool DrawsByPixels(const DeviceContext& dc) {
  if (dc.state.graphicsMode == GM_ADVANCED || dc.path.state == Path::State::Open) return false;
  const Pen* pen = dc.state.pen.get();
  return !PenDraws(pen) || (DevicePenWidth(dc, *pen) < 1.5 && SolidStyle(*pen));
}

// A styled cosmetic pen runs its pattern along an ellipse's own outline
// pixels too, one pattern step a pixel.
bool StyledRing(const DeviceContext& dc) {
  if (dc.state.graphicsMode == GM_ADVANCED || dc.path.state == Path::State::Open) return false;
  const Pen* pen = dc.state.pen.get();
  return PenDraws(pen) && !pen->Geometric() && DevicePenWidth(dc, *pen) < 1.5 && !SolidStyle(*pen);
}

// The pixel rules build a shape's outline whole, a span or two for every row
// and column it covers, before the clip cuts it. A shape far larger than any
// surface (a metafile may ask for one) is drawn through the polygon path,
// which works only on the rows the clip keeps.
bool FitsPixelOutline(const Frame& f) {
  constexpr double kLargest = 1 << 16;
  return std::fabs(f.right - f.left) <= kLargest && std::fabs(f.bottom - f.top) <= kLargest;
}

// The outline pixels of an ellipse drawn by pixels: the ring, except for
// boxes one or two pixels wide or one high, which the ellipse fills whole.
bool RingDrawn(const Frame& f) {
  const int l = int(f.left), t = int(f.top), r = int(f.right), b = int(f.bottom);
  return r - l >= 2 && b - t >= 1;
}

SpanRegion EllipsePixels(const Frame& f) {
  const int l = int(f.left), t = int(f.top), r = int(f.right), b = int(f.bottom);
  if (!RingDrawn(f)) return EllipseOutline(l, t, r, b);
  SpanBuilder out;
  for (POINT p : RingPixels(MakeEllipseRing(l, t, r, b))) out.Add(p.y, p.x, p.x + 1);
  return out.Build();
}

// Without a pen, a box two pixels wide or high or less is filled as a
// rectangle that leaves out its right column and bottom row, as a rectangle
// without a pen does; larger ones fill what the outline would enclose.
SpanRegion NullPenEllipse(const Frame& f) {
  const int l = int(f.left), t = int(f.top), r = int(f.right), b = int(f.bottom);
  if (r - l < 2 || b - t < 2) return SpanRegion::FromRect(l, t, r, b);
  return EllipsePixels(f);
}

// The brush over the outline and what it encloses, then the pen's pixels
// (`pen`) and the gaps of its pattern (`gaps`, in the background colour).
void PaintOutlined(DeviceContext& dc, const SpanRegion& outline, const SpanRegion& pen, const SpanRegion& gaps) {
  Bitmap* target = dc.Target();
  if (!target) return;
  const SpanRegion clip = dc.EffectiveClip();
  // The brush covers the outline's pixels too, and the pen goes over them:
  // under XOR the outline shows the two combined.
  if (dc.state.brush && dc.state.brush->style != BS_NULL)
    PaintRegion(dc, RowHull(outline), MakeBrushSampler(dc, *target, dc.state.brush.get()), dc.state.rop2, clip);
  if (!PenDraws(dc.state.pen.get())) return;
  PaintRegion(dc, gaps, BrushSampler::Solid(target->ColourToValue(dc.state.bkColour)), dc.state.rop2, clip);
  PaintRegion(dc, pen, PenSampler(dc, *target, *dc.state.pen), dc.state.rop2, clip);
}

void PaintOutlined(DeviceContext& dc, const SpanRegion& outline) { PaintOutlined(dc, outline, outline, {}); }

// The pixels a styled pen walks round an ellipse's outline, in order: the
// ring counter-clockwise from the middle of its right side (its upper middle
// row when the height is even), each pixel once; a box too small for a ring
// (which the outline fills whole) round the rectangle through its corner
// pixels, counter-clockwise from the top right one, each side leaving out
// its last pixel, so that a box one pixel high or wide is walked there and
// back.
std::vector<POINT> StyledWalk(const Frame& f) {
  const int l = int(f.left), t = int(f.top), r = int(f.right), b = int(f.bottom);
  std::vector<POINT> walk;
  if (RingDrawn(f)) {
    for (POINT p : MakeEllipseRing(l, t, r, b).pixels)
      if (walk.empty() || walk.back().x != p.x || walk.back().y != p.y) walk.push_back(p);
    if (walk.size() > 1 && walk.front().x == walk.back().x && walk.front().y == walk.back().y) walk.pop_back();
    return walk;
  }
  for (int x = r; x > l; --x) walk.push_back({x, t});
  for (int y = t; y < b; ++y) walk.push_back({l, y});
  for (int x = l; x < r; ++x) walk.push_back({x, b});
  for (int y = b; y > t; --y) walk.push_back({r, y});
  return walk;
}

// The pattern starts where the walk does and steps once a pixel; a pixel
// walked twice shows what the later step gives it.
void PaintStyledEllipse(DeviceContext& dc, const Frame& f) {
  const std::vector<int> pattern = CosmeticPattern(*dc.state.pen);
  const bool opaque = dc.state.bkMode == OPAQUE;
  std::vector<POINT> walk = StyledWalk(f);
  std::vector<bool> on(walk.size());
  PatternCursor cursor(pattern);
  for (size_t i = 0; i < walk.size(); ++i, cursor.Step()) on[i] = cursor.On();
  // The last step on each pixel (a ring walks tens of thousands of pixels
  // on a large ellipse: one pass, not one search a pixel).
  std::unordered_map<uint64_t, size_t> last;
  const auto key = [](POINT p) { return (uint64_t(uint32_t(p.x)) << 32) | uint32_t(p.y); };
  for (size_t i = 0; i < walk.size(); ++i) last[key(walk[i])] = i;
  SpanBuilder fg, bg;
  for (size_t i = 0; i < walk.size(); ++i) {
    const POINT p = walk[i];
    if (last[key(p)] != i) continue;
    if (on[i]) fg.Add(p.y, p.x, p.x + 1);
    else if (opaque) bg.Add(p.y, p.x, p.x + 1);
  }
  PaintOutlined(dc, EllipsePixels(f), fg.Build(), bg.Build());
}

// A raster operation that gives another result when applied twice (XOR,
// NOT, ...) shows where one-pixel solid segments of a figure meet or cross:
// each segment is drawn on its own, so a pixel two segments share is changed
// twice.
bool EachSegmentApart(const DeviceContext& dc) {
  const Pen& pen = *dc.state.pen;
  if (DevicePenWidth(dc, pen) >= 1.5 || (pen.LineStyle() != PS_SOLID && pen.LineStyle() != PS_INSIDEFRAME))
    return false;
  for (uint32_t p : {0u, 1u})
    for (uint32_t d : {0u, 1u})
      if ((ApplyRop2(dc.state.rop2, p, ApplyRop2(dc.state.rop2, p, d)) & 1) != (ApplyRop2(dc.state.rop2, p, d) & 1))
        return true;
  return false;
}

}  // namespace

void RecordFigures(DeviceContext& dc, std::vector<Figure> figures) {
  for (auto& f : figures) {
    if (f.points.empty()) continue;
    dc.path.figures.push_back(std::move(f));
  }
  dc.path.figureOpen = false;
}

void DrawFigures(DeviceContext& dc, std::vector<Figure> figures, bool fill, bool stroke, FillUnder under) {
  if (dc.path.state == Path::State::Open) {
    RecordFigures(dc, std::move(figures));
    return;
  }
  Bitmap* target = dc.Target();
  if (!target) return;
  const SpanRegion clip = dc.EffectiveClip();
  const RECT bounds = clip.Box();
  if (clip.Empty()) return;
  const bool stroking = stroke && PenDraws(dc.state.pen.get());
  StrokeCoverage cover;
  if (stroking) cover = StrokeFigures(dc, *dc.state.pen, figures, bounds);
  if (fill && dc.state.brush && dc.state.brush->style != BS_NULL) {
    std::vector<std::vector<PointD>> polygons;
    for (const auto& f : figures)
      if (f.closed) polygons.push_back(f.points);
    SpanRegion area = ScanPolygons(polygons, dc.state.polyFillMode, bounds);
    // A rectangle's brush, and any shape's under a wide pen, leaves the
    // outline's pixels to the pen; under a one-pixel pen other shapes are
    // filled whole and the pen goes over the fill (under XOR the two show
    // together).
    if (stroking && (under == FillUnder::InsideOnly || DevicePenWidth(dc, *dc.state.pen) >= 1.5)) {
      area = SpanRegion::Combine(area, cover.fg, RGN_DIFF);
      area = SpanRegion::Combine(area, cover.bg, RGN_DIFF);
    }
    PaintRegion(dc, area, MakeBrushSampler(dc, *target, dc.state.brush.get()), dc.state.rop2, clip);
  }
  if (!stroking) return;
  if (EachSegmentApart(dc)) {
    for (const auto& f : figures)
      for (size_t i = 0; i + 1 < f.points.size() + (f.closed ? 1 : 0); ++i) {
        const Figure segment{{f.points[i], f.points[(i + 1) % f.points.size()]}, false};
        const StrokeCoverage one = StrokeFigures(dc, *dc.state.pen, {&segment, 1}, bounds);
        PaintRegion(dc, one.fg, PenSampler(dc, *target, *dc.state.pen), dc.state.rop2, clip);
      }
    return;
  }
  PaintRegion(dc, cover.bg, BrushSampler::Solid(target->ColourToValue(dc.state.bkColour)), dc.state.rop2, clip);
  PaintRegion(dc, cover.fg, PenSampler(dc, *target, *dc.state.pen), dc.state.rop2, clip);
}

}  // namespace gdi

using namespace gdi;

BOOL MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  if (previous) *previous = dc->state.position;
  dc->state.position = POINT{x, y};
  if (dc->path.state == Path::State::Open) dc->path.figureOpen = false;
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC handle, LPPOINT position) {
  auto dc = FindDC(handle);
  if (!dc || !position) return FALSE;
  *position = dc->state.position;
  return TRUE;
}

BOOL LineTo(HDC handle, int x, int y) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  const POINT to{x, y};
  DrawFromCurrent(*dc, {MapPoint(*dc, dc->LogicalToDevice(), to)});
  dc->state.position = to;
  return TRUE;
}

BOOL Polyline(HDC handle, const POINT* points, int count) {
  auto dc = FindDC(handle);
  if (!dc || !points || count < 2) return FALSE;
  DrawFigures(*dc, {Figure{MapPoints(*dc, points, count), false}}, false, true);
  return TRUE;
}

BOOL PolylineTo(HDC handle, const POINT* points, DWORD count) {
  auto dc = FindDC(handle);
  if (!dc || !points || count == 0) return FALSE;
  DrawFromCurrent(*dc, MapPoints(*dc, points, count));
  dc->state.position = points[count - 1];
  return TRUE;
}

BOOL PolyPolyline(HDC handle, const POINT* points, const DWORD* counts, DWORD polylines) {
  auto dc = FindDC(handle);
  if (!dc || !points || !counts) return FALSE;
  std::vector<Figure> figures;
  for (DWORD i = 0; i < polylines; ++i) {
    if (counts[i] < 2) return FALSE;
    figures.push_back(Figure{MapPoints(*dc, points, counts[i]), false});
    points += counts[i];
  }
  DrawFigures(*dc, std::move(figures), false, true);
  return TRUE;
}

BOOL Polygon(HDC handle, const POINT* points, int count) {
  auto dc = FindDC(handle);
  if (!dc || !points || count < 2) return FALSE;
  Shape(*dc, MapPoints(*dc, points, count));
  return TRUE;
}

BOOL PolyPolygon(HDC handle, const POINT* points, const INT* counts, int polygons) {
  auto dc = FindDC(handle);
  if (!dc || !points || !counts || polygons <= 0) return FALSE;
  std::vector<Figure> figures;
  for (int i = 0; i < polygons; ++i) {
    if (counts[i] < 2) return FALSE;
    figures.push_back(Figure{MapPoints(*dc, points, counts[i]), true});
    points += counts[i];
  }
  DrawFigures(*dc, std::move(figures), true, true);
  return TRUE;
}

BOOL PolyBezier(HDC handle, const POINT* points, DWORD count) {
  auto dc = FindDC(handle);
  if (!dc || !points || count < 4 || (count - 1) % 3 != 0) return FALSE;
  DrawFigures(*dc, {Figure{BezierPoints(MapPoints(*dc, points, count)), false}}, false, true);
  return TRUE;
}

BOOL PolyBezierTo(HDC handle, const POINT* points, DWORD count) {
  auto dc = FindDC(handle);
  if (!dc || !points || count < 3 || count % 3 != 0) return FALSE;
  std::vector<PointD> all{MapPoint(*dc, dc->LogicalToDevice(), dc->state.position)};
  auto mapped = MapPoints(*dc, points, count);
  all.insert(all.end(), mapped.begin(), mapped.end());
  auto flat = BezierPoints(all);
  flat.erase(flat.begin());
  DrawFromCurrent(*dc, std::move(flat));
  dc->state.position = points[count - 1];
  return TRUE;
}

BOOL Rectangle(HDC handle, int left, int top, int right, int bottom) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  const Frame f = ShapeFrame(*dc, left, top, right, bottom);
  if (Degenerate(*dc, f)) return TRUE;
  // The outline runs from the top right corner counter-clockwise, which is
  // where a dash pattern starts and the way it runs.
  Shape(*dc, ToDevice(f, {{f.right, f.top}, {f.left, f.top}, {f.left, f.bottom}, {f.right, f.bottom}}),
        FillUnder::InsideOnly);
  return TRUE;
}

BOOL RoundRect(HDC handle, int left, int top, int right, int bottom, int width, int height) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  const Frame f = ShapeFrame(*dc, left, top, right, bottom);
  double cw = width, ch = height;
  if (dc->state.graphicsMode != GM_ADVANCED) {
    // The corner ellipse is given in logical units too.
    const Matrix m = dc->LogicalToDevice();
    cw = std::fabs(width * m.m11);
    ch = std::fabs(height * m.m22);
  }
  if (Degenerate(*dc, f)) return TRUE;
  if (DrawsByPixels(*dc) && FitsPixelOutline(f)) {
    PaintOutlined(*dc, RoundRectOutline(int(f.left), int(f.top), int(f.right), int(f.bottom),
                                        static_cast<int>(std::lround(cw)), static_cast<int>(std::lround(ch))));
    return TRUE;
  }
  Shape(*dc, ToDevice(f, RoundRectPolygon(f, cw, ch)));
  return TRUE;
}

BOOL Ellipse(HDC handle, int left, int top, int right, int bottom) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  const Frame f = ShapeFrame(*dc, left, top, right, bottom);
  if (Degenerate(*dc, f)) return TRUE;
  if (DrawsByPixels(*dc) && FitsPixelOutline(f)) {
    PaintOutlined(*dc, PenDraws(dc->state.pen.get()) ? EllipsePixels(f) : NullPenEllipse(f));
    return TRUE;
  }
  if (StyledRing(*dc) && FitsPixelOutline(f)) {
    PaintStyledEllipse(*dc, f);
    return TRUE;
  }
  Shape(*dc, ToDevice(f, EllipsePolygon(f)));
  return TRUE;
}

namespace {

// Arcs, chords and pies of the compatible mode run along the ellipse's own
// outline pixels: the arc is the part of that ring between the radials, a
// chord closes it with a line and a pie with the two radials to the middle
// pixel. The closed figure's brush fills the polygon through those pixels;
// the pen strokes that polygon, each line of a one-pixel outline its own
// segment (so a raster operation such as XOR shows where radials overlap).
// A wide pen strokes the same polygon; a dashed wide pen keeps the smooth
// curve, along which its dashes are measured.
bool ArcsByPixels(const DeviceContext& dc) {
  if (dc.state.graphicsMode == GM_ADVANCED || dc.path.state == Path::State::Open) return false;
  const Pen* pen = dc.state.pen.get();
  if (!PenDraws(pen) || !pen->Geometric() || DevicePenWidth(dc, *pen) < 1.5) return true;
  return pen->LineStyle() == PS_SOLID || pen->LineStyle() == PS_INSIDEFRAME;
}

void ArcByPixels(DeviceContext& dc, const Frame& f, POINT start, POINT end, ArcKind kind) {
  const int l = int(f.left), t = int(f.top), r = int(f.right), b = int(f.bottom);
  const Matrix m = dc.LogicalToDevice();
  const POINT s = RoundDevice(m.Apply({double(start.x), double(start.y)}));
  const POINT e = RoundDevice(m.Apply({double(end.x), double(end.y)}));
  const POINT centre = EllipseRingCentre(l, t, r, b);
  std::vector<PointD> pts;
  for (POINT p : ArcVertices(MakeEllipseRing(l, t, r, b), centre, s, e, dc.state.arcDirection == AD_CLOCKWISE))
    pts.push_back({double(p.x), double(p.y)});
  if (kind == ArcKind::Pie) pts.push_back({double(centre.x), double(centre.y)});
  if (kind == ArcKind::Arc) {
    DrawFigures(dc, {Figure{std::move(pts), false}}, false, true);
  } else {
    Shape(dc, std::move(pts));
  }
}

}  // namespace

static BOOL ArcCommon(HDC handle, int l, int t, int r, int b, int xs, int ys, int xe, int ye, ArcKind kind, bool to) {
  auto dc = FindDC(handle);
  if (!dc) return FALSE;
  const Frame f = ShapeFrame(*dc, l, t, r, b);
  if (!to && ArcsByPixels(*dc) && FitsPixelOutline(f) && f.right > f.left && f.bottom > f.top) {
    ArcByPixels(*dc, f, {xs, ys}, {xe, ye}, kind);
    return TRUE;
  }
  std::vector<PointD> pts = ArcFigure(*dc, f, xs, ys, xe, ye);
  if (kind == ArcKind::Pie) pts.push_back({(f.left + f.right) / 2, (f.top + f.bottom) / 2});
  pts = ToDevice(f, std::move(pts));
  if (to) {
    DrawFromCurrent(*dc, pts);
    const auto inverse = dc->LogicalToDevice().Inverse();
    if (inverse) dc->state.position = RoundDevice(inverse->Apply(pts.back()));
    return TRUE;
  }
  if (kind == ArcKind::Arc) {
    DrawFigures(*dc, {Figure{std::move(pts), false}}, false, true);
  } else {
    Shape(*dc, std::move(pts));
  }
  return TRUE;
}

BOOL Arc(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return ArcCommon(dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Arc, false);
}
BOOL ArcTo(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return ArcCommon(dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Arc, true);
}
BOOL Chord(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return ArcCommon(dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Chord, false);
}
BOOL Pie(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return ArcCommon(dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Pie, false);
}

int FillRect(HDC handle, const RECT* rect, HBRUSH brush) {
  auto dc = FindDC(handle);
  auto b = FindFillBrush(brush);
  if (!dc || !rect || !b) return 0;
  Bitmap* target = dc->Target();
  if (!target) return 1;
  PaintLogicalRect(*dc, *rect, MakeBrushSampler(*dc, *target, b.get()), R2_COPYPEN);
  return 1;
}

int FrameRect(HDC handle, const RECT* rect, HBRUSH brush) {
  auto dc = FindDC(handle);
  auto b = FindFillBrush(brush);
  if (!dc || !rect || !b) return 0;
  Bitmap* target = dc->Target();
  if (!target) return 1;
  // A rectangle given right to left or bottom to top frames nothing.
  const RECT& r = *rect;
  if (r.right <= r.left || r.bottom <= r.top) return 1;
  // Four bands one logical unit wide, each mapped like a FillRect; on a
  // rectangle one or two units across they cover all of it.
  SpanRegion frame = RectRegion(*dc, RECT{r.left, r.top, r.right, r.top + 1});
  for (const RECT& band : {RECT{r.left, r.bottom - 1, r.right, r.bottom}, RECT{r.left, r.top, r.left + 1, r.bottom},
                           RECT{r.right - 1, r.top, r.right, r.bottom}})
    frame = SpanRegion::Combine(frame, RectRegion(*dc, band), RGN_OR);
  PaintRegion(*dc, frame, MakeBrushSampler(*dc, *target, b.get()), R2_COPYPEN);
  return 1;
}

BOOL InvertRect(HDC handle, const RECT* rect) {
  auto dc = FindDC(handle);
  if (!dc || !rect) return FALSE;
  if (dc->Target()) PaintLogicalRect(*dc, *rect, BrushSampler::Solid(0), R2_NOT);
  return TRUE;
}

BOOL PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop) {
  auto dc = FindDC(handle);
  const unsigned code = (rop >> 16) & 0xFF;
  if (!dc || Rop3UsesSource(code)) return FALSE;
  Bitmap* target = dc->Target();
  if (!target) return TRUE;
  const BrushSampler pattern = Rop3UsesPattern(code) ? MakeBrushSampler(*dc, *target, dc->state.brush.get())
                                               : BrushSampler::Solid(0);
  if (pattern.kind == BrushSampler::Kind::None) return TRUE;  // the null brush paints nothing
  PaintLogicalRect(*dc, RECT{x, y, x + width, y + height}, pattern, Rop3ToRop2(code));
  return TRUE;
}

static bool PixelInClip(const DeviceContext& dc, POINT p) { return dc.EffectiveClip().Contains(p.x, p.y); }

COLORREF SetPixel(HDC handle, int x, int y, COLORREF colour) {
  auto dc = FindDC(handle);
  if (!dc || !dc->Target()) return CLR_INVALID;
  const POINT p = RoundDevice(dc->LogicalToDevice().Apply({double(x), double(y)}));
  if (!PixelInClip(*dc, p)) return CLR_INVALID;
  Bitmap& target = *dc->Target();
  const uint32_t value = target.ColourToValue(colour);
  const auto hold = target.pixels.Hold();
  target.WriteValue(p.x + dc->surfaceOrigin.x, p.y + dc->surfaceOrigin.y, value);
  return target.ValueToColour(value);
}

BOOL SetPixelV(HDC handle, int x, int y, COLORREF colour) {
  return SetPixel(handle, x, y, colour) != CLR_INVALID ? TRUE : FALSE;
}

COLORREF GetPixel(HDC handle, int x, int y) {
  auto dc = FindDC(handle);
  if (!dc || !dc->Target()) return CLR_INVALID;
  const POINT p = RoundDevice(dc->LogicalToDevice().Apply({double(x), double(y)}));
  if (!PixelInClip(*dc, p)) return CLR_INVALID;
  const Bitmap& target = *dc->Target();
  const auto hold = target.pixels.Hold();
  return target.ValueToColour(target.ReadValue(p.x + dc->surfaceOrigin.x, p.y + dc->surfaceOrigin.y));
}
