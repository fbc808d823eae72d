// The rasteriser: painting spans through raster operations, polygon scan
// conversion (integer coordinates address pixel centres; a pixel is inside
// when left and top edges include it and right and bottom edges do not), one-pixel lines, pen stroking (cosmetic styles,
// geometric widths, caps and joins), curve flattening, and the drawing seams
// the text code uses.
#include "platform/gdi/gdi_raster.h"

#include <algorithm>
#include <cmath>
#include <climits>
#include <cstring>

#include "platform/gdi/pixel_stores.h"
#include "platform/gdi/wide_lines.h"

namespace gdi {
namespace {

constexpr double kPi = 3.14159265358979323846;

uint32_t ColourValue(const Bitmap& target, COLORREF c) { return target.ColourToValue(c); }

// 8 x 8 hatch patterns, relative to the brush origin. The straight lines sit
// in the middle of the cell: row 3 and column 4.
bool HatchBit(int hatch, int x, int y) {
  x &= 7;
  y &= 7;
  switch (hatch) {
    case HS_HORIZONTAL: return y == 3;
    case HS_VERTICAL: return x == 4;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x == 7 - y;
    case HS_CROSS: return x == 4 || y == 3;
    case HS_DIAGCROSS: return x == y || x == 7 - y;
    default: return false;
  }
}

int FloorMod(int a, int m) {
  const int r = a % m;
  return r < 0 ? r + m : r;
}

double SnapX(double x) { return std::round(x * 4096.0) / 4096.0; }

int ClampToInt(double v) {
  if (v < INT_MIN / 2) return INT_MIN / 2;
  if (v > INT_MAX / 2) return INT_MAX / 2;
  return static_cast<int>(v);
}

// Paints the spans of one row: [x0, x1) in device coordinates at device row y.
void PaintRow(Bitmap& target, POINT origin, int y, int x0, int x1, const BrushSampler& source, int rop2) {
  const int sy = y + origin.y;
  const uint32_t mask = target.ValueMask();
  if (source.kind == BrushSampler::Kind::Solid && (rop2 == R2_COPYPEN || rop2 == R2_BLACK || rop2 == R2_WHITE)) {
    // The pixel loop below with the destination ignored, a row at a time.
    const uint32_t v = ApplyRop2(rop2, source.fg, 0) & mask;
    const int sx = x0 + origin.x, n = x1 - x0;
    const bool wholeRow = sx == 0 && n == target.width && target.stride * 8 == target.width * target.bpp;
    BYTE* row = wholeRow && target.bpp >= 8 ? target.RowToOverwrite(sy) : target.Row(sy);
    switch (target.bpp) {
      case 32: Stores().fill32(row + static_cast<size_t>(sx) * 4, static_cast<size_t>(n), v); return;
      case 8: std::memset(row + sx, static_cast<int>(v), static_cast<size_t>(n)); return;
      case 24: Stores().fill24(row + static_cast<size_t>(sx) * 3, static_cast<size_t>(n), v); return;
      default: break;
    }
  }
  for (int x = x0; x < x1; ++x) {
    uint32_t v;
    if (!source.Sample(x, y, v)) continue;
    const int sx = x + origin.x;
    const uint32_t d = target.ReadValue(sx, sy);
    target.WriteValue(sx, sy, ApplyRop2(rop2, v, d) & mask);
  }
}

}  // namespace

std::vector<int> CosmeticPattern(const Pen& pen) {
  switch (pen.LineStyle()) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE: return {1, 1};
    case PS_USERSTYLE: {
      std::vector<int> p;
      // Each unit of a cosmetic user style is three pixels long.
      for (DWORD e : pen.userStyle) p.push_back(3 * std::clamp<int>(static_cast<int>(e), 1, 1 << 20));
      if (p.size() % 2) p.insert(p.end(), p.begin(), p.end());
      return p;
    }
    default: return {};
  }
}

namespace {

std::vector<double> GeometricPattern(const Pen& pen, double width, double scale) {
  const double w = std::max(width, 1.0);
  switch (pen.LineStyle()) {
    case PS_DASH: return {3 * w, w};
    case PS_DOT: return {w, w};
    case PS_DASHDOT: return {3 * w, w, w, w};
    case PS_DASHDOTDOT: return {3 * w, w, w, w, w, w};
    case PS_USERSTYLE: {
      std::vector<double> p;
      for (DWORD e : pen.userStyle) p.push_back(std::max(1e-3, e * scale));
      if (p.size() % 2) p.insert(p.end(), p.begin(), p.end());
      return p;
    }
    default: return {};
  }
}

}  // namespace

bool BrushSampler::Sample(int x, int y, uint32_t& value) const {
  switch (kind) {
    case Kind::None: return false;
    case Kind::Solid: value = fg; return true;
    case Kind::Hatch:
      if (HatchBit(hatch, x - origin.x, y - origin.y)) {
        value = fg;
        return true;
      }
      if (!opaqueBackground) return false;
      value = bg;
      return true;
    case Kind::Pattern:
      value = pattern[static_cast<size_t>(FloorMod(y - origin.y, patternHeight)) * patternWidth +
                      FloorMod(x - origin.x, patternWidth)];
      return true;
  }
  return false;
}

BrushSampler MakeBrushSampler(const DeviceContext& dc, const Bitmap& target, const Brush* brush) {
  BrushSampler s;
  if (!brush || brush->style == BS_NULL) return s;
  s.origin = dc.state.brushOrigin;
  switch (brush->style) {
    case BS_SOLID:
      s.kind = BrushSampler::Kind::Solid;
      s.fg = ColourValue(target, brush->dcBrush ? dc.DcBrushColour() : brush->colour);
      break;
    case BS_HATCHED:
      s.kind = BrushSampler::Kind::Hatch;
      s.hatch = brush->hatch;
      s.fg = ColourValue(target, brush->colour);
      s.bg = ColourValue(target, dc.state.bkColour);
      s.opaqueBackground = dc.state.bkMode == OPAQUE;
      break;
    default: {
      const Bitmap* p = brush->pattern.get();
      if (!p) return s;
      s.kind = BrushSampler::Kind::Pattern;
      s.patternWidth = p->width;
      s.patternHeight = p->height;
      s.pattern.resize(static_cast<size_t>(p->width) * p->height);
      // A monochrome device-dependent pattern draws its 0 bits in the text
      // colour and its 1 bits in the background colour; a DIB section's
      // colour table says what its bits are, whatever their depth.
      const bool useDcColours = p->bpp == 1 && !p->dibSection;
      const uint32_t zero = ColourValue(target, dc.state.textColour);
      const uint32_t one = ColourValue(target, dc.state.bkColour);
      for (int y = 0; y < p->height; ++y)
        for (int x = 0; x < p->width; ++x) {
          const uint32_t v = p->ReadValue(x, y);
          s.pattern[static_cast<size_t>(y) * p->width + x] =
              useDcColours ? (v ? one : zero) : ColourValue(target, p->ValueToColour(v));
        }
      break;
    }
  }
  return s;
}

void PaintRegion(DeviceContext& dc, const SpanRegion& shape, const BrushSampler& source, int rop2,
                 const SpanRegion& clip) {
  Bitmap* target = dc.Target();
  if (!target || shape.Empty() || source.kind == BrushSampler::Kind::None || rop2 == R2_NOP) return;
  const SpanRegion area = SpanRegion::Combine(shape, clip, RGN_AND);
  const auto hold = target->pixels.Hold();
  for (const auto& band : area.Bands())
    for (int y = band.top; y < band.bottom; ++y)
      for (const auto& s : band.spans) PaintRow(*target, dc.surfaceOrigin, y, s.x0, s.x1, source, rop2);
}

void PaintRegion(DeviceContext& dc, const SpanRegion& shape, const BrushSampler& source, int rop2) {
  PaintRegion(dc, shape, source, rop2, dc.EffectiveClip());
}

void PaintRect(DeviceContext& dc, const RECT& rect, const BrushSampler& source, int rop2) {
  Bitmap* target = dc.Target();
  if (!target || source.kind == BrushSampler::Kind::None || rop2 == R2_NOP) return;
  RECT clip;
  if (!dc.RectangularClip(clip)) {
    PaintRegion(dc, SpanRegion::FromRect(rect), source, rop2);
    return;
  }
  // The rectangle against one clip rectangle: the region path's rows, without the region.
  const RECT r = SpanRegion::Normalized(rect);
  const int x0 = std::max(r.left, clip.left), x1 = std::min(r.right, clip.right);
  const int y0 = std::max(r.top, clip.top), y1 = std::min(r.bottom, clip.bottom);
  if (x0 >= x1) return;
  const auto hold = target->pixels.Hold();
  for (int y = y0; y < y1; ++y) PaintRow(*target, dc.surfaceOrigin, y, x0, x1, source, rop2);
}

void ScanPolygons(std::span<const std::vector<PointD>> polygons, int fillMode, const RECT& bounds, SpanBuilder& out) {
  struct Edge {
    double yTop, yBottom, xAtTop, slope;
    int dir;
  };
  std::vector<Edge> edges;
  double yMin = 1e300, yMax = -1e300;
  for (const auto& poly : polygons) {
    const size_t n = poly.size();
    if (n < 3) continue;
    for (size_t i = 0; i < n; ++i) {
      PointD a = poly[i], b = poly[(i + 1) % n];
      if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) return;
      if (a.y == b.y) continue;
      int dir = 1;
      if (a.y > b.y) {
        std::swap(a, b);
        dir = -1;
      }
      edges.push_back({a.y, b.y, a.x, (b.x - a.x) / (b.y - a.y), dir});
      yMin = std::min(yMin, a.y);
      yMax = std::max(yMax, b.y);
    }
  }
  if (edges.empty()) return;
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.yTop < b.yTop; });
  const int rowFirst = std::max<int>(bounds.top, ClampToInt(std::ceil(yMin)));
  const int rowEnd = std::min<int>(bounds.bottom, ClampToInt(std::ceil(yMax)));
  std::vector<const Edge*> active;
  std::vector<std::pair<double, int>> crossings;
  size_t next = 0;
  for (int y = rowFirst; y < rowEnd; ++y) {
    const double yc = y;
    while (next < edges.size() && edges[next].yTop <= yc) active.push_back(&edges[next++]);
    std::erase_if(active, [&](const Edge* e) { return e->yBottom <= yc; });
    crossings.clear();
    for (const Edge* e : active)
      if (e->yTop <= yc) crossings.emplace_back(SnapX(e->xAtTop + (yc - e->yTop) * e->slope), e->dir);
    std::sort(crossings.begin(), crossings.end());
    int winding = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += fillMode == WINDING ? crossings[i].second : 1;
      const bool inside = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
      if (!inside) continue;
      const int x0 = std::max<int>(bounds.left, ClampToInt(std::ceil(crossings[i].first)));
      const int x1 = std::min<int>(bounds.right, ClampToInt(std::ceil(crossings[i + 1].first)));
      out.Add(y, x0, x1);
    }
  }
}

SpanRegion ScanPolygons(std::span<const std::vector<PointD>> polygons, int fillMode, const RECT& bounds) {
  SpanBuilder builder;
  ScanPolygons(polygons, fillMode, bounds, builder);
  return builder.Build();
}

namespace {

// floor(a / b) and ceil(a / b) for b > 0.
long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
long long CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

}  // namespace

void WalkLine(int x0, int y0, int x1, int y1, const RECT& clip, const std::function<void(int, int)>& visit,
              const std::function<void(long)>& skip) {
  const long long dx = static_cast<long long>(x1) - x0, dy = static_cast<long long>(y1) - y0;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const long long steps = xMajor ? std::llabs(dx) : std::llabs(dy);
  if (steps == 0) return;
  // Step i sits at major + i * sign on the major axis and on the true line's
  // minor coordinate rounded, a tie going to the smaller coordinate (up or
  // left), whichever way the line runs.
  const long long major0 = xMajor ? x0 : y0, minor0 = xMajor ? y0 : x0;
  const long long sign = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const long long rise = xMajor ? dy : dx;
  // Only the steps whose major coordinate lies in the clip are walked, so a
  // far-reaching line costs what its visible part costs and keeps the true
  // line's pixels.
  const long long lo = xMajor ? clip.left : clip.top, hi = (xMajor ? clip.right : clip.bottom) - 1;
  long long first = sign > 0 ? lo - major0 : major0 - hi;
  long long last = sign > 0 ? hi - major0 : major0 - lo;
  first = std::max<long long>(first, 0);
  last = std::min<long long>(last, steps - 1);
  if (first > last) {
    if (skip) skip(static_cast<long>(steps));
    return;
  }
  if (skip && first > 0) skip(static_cast<long>(first));
  for (long long i = first; i <= last; ++i) {
    const long long major = major0 + sign * i;
    const long long minor = minor0 + CeilDiv(2 * i * rise - steps, 2 * steps);
    if (xMajor) visit(static_cast<int>(major), static_cast<int>(minor));
    else visit(static_cast<int>(minor), static_cast<int>(major));
  }
  if (skip && last + 1 < steps) skip(static_cast<long>(steps - 1 - last));
}

// Widths are logical units and scale with the transform, except for pens of
// width 0 and cosmetic pens made by ExtCreatePen: those are one pixel always.
// A width is measured along the logical x axis: under an anisotropic mapping
// a pen is as wide as a logical run of its width along x, in every
// direction.
double DevicePenWidth(const DeviceContext& dc, const Pen& pen) {
  if (pen.width == 0 || (pen.extended && !pen.Geometric())) return 1.0;
  const Matrix m = dc.LogicalToDevice();
  const double scale = std::hypot(m.m11, m.m12);
  // Rounded to the nearest whole pixel: 1.5 draws two pixels wide, 3.6 four.
  return std::max(1.0, std::floor(pen.width * scale + 0.5));
}

bool PenDraws(const Pen* pen) { return pen && pen->LineStyle() != PS_NULL; }

StrokeCoverage StrokeFigures(const DeviceContext& dc, const Pen& pen, std::span<const Figure> figures,
                             const RECT& bounds) {
  StrokeCoverage result;
  if (!PenDraws(&pen)) return result;
  const double width = DevicePenWidth(dc, pen);
  SpanBuilder fg, bg;
  if (width < 1.5) {
    // One-pixel lines; a style pattern runs on across the figures of one call.
    std::vector<int> pattern = pen.Geometric() ? std::vector<int>{} : CosmeticPattern(pen);
    if (pen.Geometric() && pen.LineStyle() != PS_SOLID && pen.LineStyle() != PS_INSIDEFRAME) {
      for (double v : GeometricPattern(pen, 1.0, 1.0)) pattern.push_back(std::max(1, static_cast<int>(v)));
    }
    const bool opaque = dc.state.bkMode == OPAQUE;
    PatternCursor cursor(pattern);
    auto visit = [&](int x, int y) {
      const bool inside = y >= bounds.top && y < bounds.bottom && x >= bounds.left && x < bounds.right;
      if (inside && cursor.On()) {
        fg.Add(y, x, x + 1);
      } else if (inside && opaque) {
        bg.Add(y, x, x + 1);
      }
      cursor.Step();
    };
    auto advance = [&](long n) {
      if (pattern.empty() || n <= 0) return;
      long period = 0;
      for (int v : pattern) period += v;
      n %= period;
      while (n-- > 0) cursor.Step();
    };
    for (const auto& figure : figures) {
      std::vector<POINT> pts;
      for (const auto& p : figure.points) {
        const POINT q = RoundDevice(p);
        if (pts.empty() || q.x != pts.back().x || q.y != pts.back().y) pts.push_back(q);
      }
      if (figure.closed && pts.size() > 1 && (pts.front().x != pts.back().x || pts.front().y != pts.back().y))
        pts.push_back(pts.front());
      for (size_t i = 0; i + 1 < pts.size(); ++i)
        WalkLine(pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, bounds, visit, advance);
    }
  } else {
    WidePen wide;
    wide.width = static_cast<int>(std::min(width, double(1 << 20)));
    wide.style = pen.style;
    wide.miterLimit = dc.state.miterLimit;
    wide.dashes = GeometricPattern(pen, width, std::sqrt(std::fabs(dc.LogicalToDevice().Determinant())));
    wide.capsInsideDashes = pen.LineStyle() != PS_USERSTYLE;
    std::vector<POINT> pts;
    for (const auto& figure : figures) {
      pts.clear();
      for (const auto& p : figure.points) pts.push_back(RoundDevice(p));
      StrokeWidePolyline(pts, figure.closed, wide, bounds, fg);
    }
  }
  result.fg = fg.Build();
  result.bg = SpanRegion::Combine(bg.Build(), result.fg, RGN_DIFF);
  return result;
}

SpanRegion EllipseOutline(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  SpanBuilder out;
  auto add = [&out](long long x, long long y) {
    out.Add(static_cast<int>(y), static_cast<int>(x), static_cast<int>(x) + 1);
  };
  // A single pixel is no ellipse; a line of them is a flat one.
  if (l == r && t == b) return {};
  if (l == r || t == b) return SpanRegion::FromRect(l, t, r + 1, b + 1);
  // The curve through the centres of the box's edge pixels, in doubled
  // coordinates so that every test is exact: F(x, y) < 0 inside. It is met
  // once a column and once a row (so steep and shallow parts both close),
  // each time at whichever of the two pixels around it has the smaller |F|,
  // a tie going toward the centre.
  using Wide = __int128;
  const Wide w = r - l, h = b - t;
  auto f = [&](long long x, long long y) -> Wide {
    const Wide dx = 2 * Wide(x) - l - r, dy = 2 * Wide(y) - t - b;
    return h * h * dx * dx + w * w * dy * dy - w * w * h * h;
  };
  auto absolute = [](Wide v) { return v < 0 ? -v : v; };
  const double cx = (l + r) / 2.0, cy = (t + b) / 2.0, a = w / 2.0, bb = h / 2.0;
  // Of the pixels n and n + 1 around the curve, the nearer in |F|; `first`
  // is the one toward the centre on a tie.
  auto nearer = [&](long long n, bool towardLarger, auto value) {
    const Wide f0 = absolute(value(n)), f1 = absolute(value(n + 1));
    if (f0 == f1) return towardLarger ? n + 1 : n;
    return f0 < f1 ? n : n + 1;
  };
  for (long long x = l; x <= r; ++x) {
    const double d = x - cx, dy = bb * std::sqrt(std::max(0.0, 1 - (d / a) * (d / a)));
    auto at = [&](long long y) { return f(x, y); };
    add(x, std::clamp<long long>(nearer(static_cast<long long>(std::floor(cy - dy)), true, at), t, b));
    add(x, std::clamp<long long>(nearer(static_cast<long long>(std::floor(cy + dy)), false, at), t, b));
  }
  for (long long y = t; y <= b; ++y) {
    const double d = y - cy, dx = a * std::sqrt(std::max(0.0, 1 - (d / bb) * (d / bb)));
    auto at = [&](long long x) { return f(x, y); };
    add(std::clamp<long long>(nearer(static_cast<long long>(std::floor(cx - dx)), true, at), l, r), y);
    add(std::clamp<long long>(nearer(static_cast<long long>(std::floor(cx + dx)), false, at), l, r), y);
  }
  return out.Build();
}

SpanRegion RowHull(const SpanRegion& outline) {
  SpanBuilder out;
  for (const auto& band : outline.Bands()) {
    if (band.spans.empty()) continue;
    for (int y = band.top; y < band.bottom; ++y) out.Add(y, band.spans.front().x0, band.spans.back().x1);
  }
  return out.Build();
}

SpanRegion EllipseArea(int l, int t, int r, int b) { return RowHull(EllipseOutline(l, t, r, b)); }

SpanRegion RoundRectOutline(int l, int t, int r, int b, int cw, int ch) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  cw = std::min(std::abs(cw), r - l + 1);
  ch = std::min(std::abs(ch), b - t + 1);
  if (cw < 2 || ch < 2) {
    if (l == r && t == b) return {};
    const SpanRegion box = SpanRegion::FromRect(l, t, r + 1, b + 1);
    if (r - l < 2 || b - t < 2) return box;
    return SpanRegion::Combine(box, SpanRegion::FromRect(l + 1, t + 1, r, b), RGN_DIFF);
  }
  // The corner ellipse's quarters go to the four corners (a middle column or
  // row belongs to both halves); straight edges join them.
  const SpanRegion corner = EllipseOutline(0, 0, cw - 1, ch - 1);
  SpanBuilder out;
  for (const auto& band : corner.Bands())
    for (int y = band.top; y < band.bottom; ++y)
      for (const auto& span : band.spans)
        for (int x = span.x0; x < span.x1; ++x) {
          const bool left = 2 * x <= cw - 1, right = 2 * x >= cw - 1;
          const bool top = 2 * y <= ch - 1, bottom = 2 * y >= ch - 1;
          const int xl = l + x, xr = r - (cw - 1) + x, yt = t + y, yb = b - (ch - 1) + y;
          if (left && top) out.Add(yt, xl, xl + 1);
          if (right && top) out.Add(yt, xr, xr + 1);
          if (left && bottom) out.Add(yb, xl, xl + 1);
          if (right && bottom) out.Add(yb, xr, xr + 1);
        }
  const int ix = (cw - 1) / 2, iy = (ch - 1) / 2;
  out.Add(t, l + ix, r - ix + 1);
  out.Add(b, l + ix, r - ix + 1);
  for (int y = t + iy; y <= b - iy; ++y) {
    out.Add(y, l, l + 1);
    out.Add(y, r, r + 1);
  }
  return out.Build();
}

void FlattenBezier(PointD p0, PointD p1, PointD p2, PointD p3, std::vector<PointD>& out) {
  // Enough uniform steps that the chords stay within a quarter pixel.
  const double d1 = std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y);
  const double d2 = std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y);
  const double dd = std::max(d1, d2);
  int n = static_cast<int>(std::ceil(std::sqrt(dd * 6 / 8 / 0.25)));
  n = std::clamp(n, 1, 1000);
  for (int i = 1; i <= n; ++i) {
    const double t = static_cast<double>(i) / n, u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    out.push_back({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
}

int EllipseSegments(double rx, double ry) {
  const double r = std::max(std::fabs(rx), std::fabs(ry));
  // Chord error r (1 - cos(pi / n)) kept below a tenth of a pixel.
  const int n = static_cast<int>(std::ceil(kPi * std::sqrt(std::max(r, 0.0) * 5.0)));
  return std::clamp((n + 3) / 4 * 4, 8, 4096);
}

RECT DeviceClipBox(const DeviceContext& dc) { return dc.EffectiveClip().Box(); }

// ---------------------------------------------------------------------------
// Seams for the text code (the glyph blends are in glyph_blend.cpp)

void FillSpans(DeviceContext& dc, std::span<const DeviceSpan> spans, COLORREF colour) {
  Bitmap* target = dc.Target();
  if (!target) return;
  SpanBuilder builder;
  for (const auto& s : spans) builder.Add(s.y, s.x0, s.x1);
  PaintRegion(dc, builder.Build(), BrushSampler::Solid(target->ColourToValue(colour)), R2_COPYPEN);
}

void FillDeviceRect(DeviceContext& dc, const RECT& rect, COLORREF colour) {
  Bitmap* target = dc.Target();
  if (!target) return;
  PaintRect(dc, rect, BrushSampler::Solid(target->ColourToValue(colour)), R2_COPYPEN);
}

void FillDevicePolygon(DeviceContext& dc, std::span<const PointD> points, COLORREF colour) {
  Bitmap* target = dc.Target();
  if (!target || points.size() < 3) return;
  std::array<std::vector<PointD>, 1> polygon{std::vector<PointD>(points.begin(), points.end())};
  const RECT bounds = DeviceClipBox(dc);
  PaintRegion(dc, ScanPolygons(polygon, ALTERNATE, bounds), BrushSampler::Solid(target->ColourToValue(colour)),
              R2_COPYPEN);
}

bool WantsGreyText(const DeviceContext& dc) {
  const Bitmap* target = dc.Target();
  return target && target->bpp >= 24 && dc.deviceName.empty();
}

}  // namespace gdi
