// Geometric pen outlines on whole pixels (see wide_lines.h).
//
// A segment's two sides sit at integer offsets from its end points. The half
// width w/2 along the segment's normal is rounded once to the nearest pixel
// for one side; the other side lies a whole "width vector" away, that vector
// being the normal's full width with each component taken up to the next
// whole pixel, so a slanted line is never thinner than the pen. Which side
// gets the nearest rounding depends only on the line, not on the direction it
// is drawn in, so a line and its reverse cover the same pixels. Square caps
// extend the ends by the same rounding along the line, round caps and joins
// are the pen-sized ellipse centred on the point. Dashes are measured along
// the line in pixels, each dash end lands on the line's point truncated
// toward its start, and each dash carries the pen's caps; in the built-in
// styles a square or round cap eats into the gap, so a dash is drawn its
// nominal length caps included, while a user's style adds the caps.
#include "platform/gdi/wide_lines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "platform/gdi/gdi_raster.h"

namespace gdi {
namespace {

using Wide = __int128;

struct Vec {
  long long x = 0;
  long long y = 0;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
long long Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
int Sign(long long v) { return (v > 0) - (v < 0); }

// floor(w |c| / sqrt(d)) exactly, for d > 0.
long long ScaledFloor(long long w, long long c, long long d) {
  const Wide target = Wide(w) * w * c * c;
  long long f = static_cast<long long>(std::floor(double(w) * std::fabs(double(c)) / std::sqrt(double(d))));
  f = std::max<long long>(f, 0);
  while (f > 0 && Wide(f) * f * d > target) --f;
  while (Wide(f + 1) * (f + 1) * d <= target) ++f;
  return f;
}

// The vector (a, b) scaled to half the width, rounded two ways: `near` for
// the vector itself, `far` for its opposite (the whole width vector away).
// On an axis the width is exact: `far` is `near` less the width, or, along
// the line (`mirrored`), simply its mirror image.
struct Rounded {
  Vec near, far;
};
Rounded RoundHalfWidth(long long a, long long b, long long w, bool mirrored) {
  Rounded r;
  const long long d = a * a + b * b;
  const bool axis = a == 0 || b == 0;
  long long* nearPart[2] = {&r.near.x, &r.near.y};
  long long* farPart[2] = {&r.far.x, &r.far.y};
  const long long parts[2] = {a, b};
  for (int i = 0; i < 2; ++i) {
    const long long c = parts[i];
    if (c == 0) continue;
    const int s = Sign(c);
    if (axis) {
      // floor(s w / 2 + 1/2)
      const long long n = s > 0 ? (w + 1) / 2 : -(w / 2);
      *nearPart[i] = n;
      *farPart[i] = mirrored ? -n : n - s * w;
    } else {
      const long long f = ScaledFloor(w, c, d);
      const long long n = (f + 1) / 2;
      *nearPart[i] = s * n;
      *farPart[i] = s * (n - (f + 1));
    }
  }
  return r;
}

// A line and its reverse are rounded alike: the rule works on the direction
// that points down (or right).
bool Flipped(Vec d) { return d.y < 0 || (d.y == 0 && d.x < 0); }

// The offsets of the side the normal (-dy, dx) points to and of the other side.
struct Sides {
  Vec plus, minus;
};
Sides SideOffsets(Vec d, long long w) {
  const bool flip = Flipped(d);
  const Vec c = flip ? Vec{-d.x, -d.y} : d;
  const Rounded r = RoundHalfWidth(-c.y, c.x, w, false);
  return flip ? Sides{r.far, r.near} : Sides{r.near, r.far};
}

// How far square caps move the start and the end of a segment.
struct Ends {
  Vec start, end;
};
Ends SquareCapOffsets(Vec d, long long w) {
  const bool flip = Flipped(d);
  const Vec c = flip ? Vec{-d.x, -d.y} : d;
  const Rounded r = RoundHalfWidth(-c.x, -c.y, w, true);
  return flip ? Ends{r.far, r.near} : Ends{r.near, r.far};
}

// floor(v + 1/2)
long long RoundHalfUp(double v) { return static_cast<long long>(std::floor(v + 0.5)); }

class Stroker {
 public:
  Stroker(const WidePen& pen, const RECT& bounds, SpanBuilder& out) : pen_(pen), bounds_(bounds), out_(out) {
    cap_ = pen.style & PS_ENDCAP_MASK;
    join_ = pen.style & PS_JOIN_MASK;
  }

  // One piece of the segment a -> b, from `from` to `to` (points on it),
  // with the pen's caps where asked.
  void Piece(Vec a, Vec b, Vec from, Vec to, bool capFrom, bool capTo) {
    const Vec d = b - a;
    const Sides s = SideOffsets(d, pen_.width);
    Vec e0, e1;
    if (cap_ == PS_ENDCAP_SQUARE) {
      const Ends ends = SquareCapOffsets(d, pen_.width);
      if (capFrom) e0 = ends.start;
      if (capTo) e1 = ends.end;
    }
    Polygon({from + s.plus + e0, to + s.plus + e1, to + s.minus + e1, from + s.minus + e0});
    if (cap_ == PS_ENDCAP_ROUND) {
      if (capFrom) Dot(from);
      if (capTo) Dot(to);
    }
  }

  // The join at v between the segments a -> v and v -> b.
  void Join(Vec a, Vec v, Vec b) {
    if (join_ == PS_JOIN_ROUND) {
      Dot(v);
      return;
    }
    const Vec d1 = v - a, d2 = b - v;
    const Sides in = SideOffsets(d1, pen_.width), out = SideOffsets(d2, pen_.width);
    Vec endPlus = v + in.plus, endMinus = v + in.minus;
    // A segment along an axis ends its sides one pixel short of the vertex.
    if (d1.x == 0 || d1.y == 0) {
      const Vec back{Sign(d1.x), Sign(d1.y)};
      endPlus = endPlus - back;
      endMinus = endMinus - back;
    }
    const long long turn = Cross(d1, d2);
    // o: the corners on the outside of the turn, i: those inside.
    const Vec o1 = turn > 0 ? endMinus : endPlus, i1 = turn > 0 ? endPlus : endMinus;
    const Vec o2 = turn > 0 ? v + out.minus : v + out.plus, i2 = turn > 0 ? v + out.plus : v + out.minus;
    Polygon({o1, o2, i1});
    Polygon({o1, i1, i2});
    if (join_ != PS_JOIN_MITER || turn == 0) return;
    // Beyond the limit (the miter's length from the vertex over half the
    // width, for the exact outline) the join stays bevelled.
    const double h = pen_.width / 2.0, side = turn > 0 ? -1.0 : 1.0;
    const double l1 = std::hypot(double(d1.x), double(d1.y)), l2 = std::hypot(double(d2.x), double(d2.y));
    const double q1x = v.x - d1.y / l1 * h * side, q1y = v.y + d1.x / l1 * h * side;
    const double q2x = v.x - d2.y / l2 * h * side, q2y = v.y + d2.x / l2 * h * side;
    const double exact = ((q2x - q1x) * d2.y - (q2y - q1y) * d2.x) / double(turn);
    const double mx = q1x + exact * d1.x - v.x, my = q1y + exact * d1.y - v.y;
    if (std::hypot(mx, my) / h > pen_.miterLimit) return;
    // The tip: where the outer sides through the whole-pixel corners meet.
    const double t = double(Cross(o2 - o1, d2)) / double(turn);
    const Vec tip{RoundHalfUp(o1.x + t * d1.x), RoundHalfUp(o1.y + t * d1.y)};
    Polygon({o1, tip, o2});
  }

  void Dot(Vec c) {
    const long long l = c.x - pen_.width / 2, t = c.y - pen_.width / 2;
    if (l + pen_.width <= bounds_.left || l >= bounds_.right || t + pen_.width <= bounds_.top || t >= bounds_.bottom)
      return;
    const SpanRegion dot = EllipseArea(static_cast<int>(l), static_cast<int>(t), static_cast<int>(l + pen_.width - 1),
                                       static_cast<int>(t + pen_.width - 1));
    for (const auto& band : dot.Bands())
      for (int y = std::max<int>(band.top, bounds_.top); y < std::min<int>(band.bottom, bounds_.bottom); ++y)
        for (const auto& s : band.spans) {
          const int x0 = std::max<int>(s.x0, bounds_.left), x1 = std::min<int>(s.x1, bounds_.right);
          if (x0 < x1) out_.Add(y, x0, x1);
        }
  }

  DWORD Cap() const { return cap_; }

 private:
  void Polygon(std::initializer_list<Vec> corners) {
    std::vector<PointD> poly;
    poly.reserve(corners.size());
    for (const Vec& c : corners) poly.push_back({double(c.x), double(c.y)});
    std::array<std::vector<PointD>, 1> one{std::move(poly)};
    ScanPolygons(one, WINDING, bounds_, out_);
  }

  const WidePen& pen_;
  const RECT& bounds_;
  SpanBuilder& out_;
  DWORD cap_ = 0, join_ = 0;
};

// Where the dash pattern stands: the element and what is left of it.
struct DashState {
  size_t element = 0;
  double left = 0;
};

constexpr double kEpsilon = 1e-9;

void Advance(const std::vector<double>& pattern, double period, DashState& state, double distance) {
  if (distance > period) distance = std::fmod(distance, period);
  while (distance > kEpsilon) {
    const double step = std::min(state.left, distance);
    distance -= step;
    state.left -= step;
    if (state.left <= kEpsilon) {
      state.element = (state.element + 1) % pattern.size();
      state.left = pattern[state.element];
    }
  }
}

// The point `t` pixels along a -> b (of length `length`), truncated toward a.
Vec PointAlong(Vec a, Vec b, double t, double length) {
  if (t >= length - kEpsilon) return b;
  return {a.x + static_cast<long long>(double(b.x - a.x) * t / length),
          a.y + static_cast<long long>(double(b.y - a.y) * t / length)};
}

// Walks the dash pattern along the polyline, drawing when `draw` (a closed
// figure first walks it dry to learn how it ends). Returns whether the last
// dash runs on past the end.
bool DashPolyline(const std::vector<Vec>& pts, bool closed, bool endsInDash, const std::vector<double>& pattern,
                  Stroker& stroker, bool draw) {
  double period = 0;
  for (double v : pattern) period += v;
  if (period <= kEpsilon) return false;
  // A guard against patterns far finer than the line is long.
  constexpr size_t kMaxDashes = size_t{1} << 20;
  size_t dashes = 0;
  DashState state{0, pattern[0]};
  bool continues = false;
  const size_t n = pts.size();
  for (size_t i = 0; i + 1 < n; ++i) {
    const Vec a = pts[i], b = pts[i + 1];
    const double length = std::hypot(double(b.x - a.x), double(b.y - a.y));
    const DashState atStart = state;
    double t = 0;
    bool lastComplete = false;
    while (t < length - kEpsilon) {
      if (++dashes > kMaxDashes) return false;
      const double step = std::min(state.left, length - t);
      const bool complete = step >= state.left - kEpsilon;
      lastComplete = complete;
      if (draw && state.element % 2 == 0) {
        // A closed figure whose last dash runs into its first has no cap there.
        const bool capFrom = !(t == 0 && (i > 0 ? continues : closed && endsInDash));
        const bool capTo = complete || (i + 2 == n && !closed);
        stroker.Piece(a, b, PointAlong(a, b, t, length), complete ? PointAlong(a, b, t + step, length) : b, capFrom,
                      capTo);
      }
      t += step;
      state.left -= step;
      if (state.left <= kEpsilon) {
        state.element = (state.element + 1) % pattern.size();
        state.left = pattern[state.element];
      }
    }
    // A dash due exactly where an open figure ends still shows its caps.
    if (draw && !closed && i + 2 == n && lastComplete && state.element % 2 == 0 && stroker.Cap() != PS_ENDCAP_FLAT)
      stroker.Piece(a, b, b, b, true, true);
    // A dash cut by the vertex goes on without a cap. The pattern itself
    // runs on into the next segment by this one's whole pixels.
    continues = state.element % 2 == 0 && state.left < pattern[state.element] - kEpsilon;
    if (i + 2 == n) break;
    state = atStart;
    Advance(pattern, period, state, std::floor(length));
    if (draw && state.element % 2 == 0 && state.left > kEpsilon) stroker.Join(a, b, pts[i + 2]);
  }
  if (draw && closed && continues) stroker.Join(pts[n - 2], pts[0], pts[1]);
  return continues;
}

void DashPolyline(const std::vector<Vec>& pts, bool closed, const WidePen& pen, Stroker& stroker) {
  // A cap may be part of its dash: then square and round caps take half the
  // width from each end of a dash and give it to the gaps.
  std::vector<double> pattern = pen.dashes;
  if (pen.capsInsideDashes && stroker.Cap() != PS_ENDCAP_FLAT)
    for (size_t i = 0; i < pattern.size(); ++i)
      pattern[i] = i % 2 == 0 ? std::max(0.0, pattern[i] - pen.width) : pattern[i] + pen.width;
  const bool endsInDash = closed && DashPolyline(pts, closed, false, pattern, stroker, false);
  DashPolyline(pts, closed, endsInDash, pattern, stroker, true);
}

}  // namespace

void StrokeWidePolyline(std::span<const POINT> points, bool closed, const WidePen& pen, const RECT& bounds,
                        SpanBuilder& out) {
  std::vector<Vec> pts;
  for (const POINT& p : points)
    if (pts.empty() || p.x != pts.back().x || p.y != pts.back().y) pts.push_back({p.x, p.y});
  if (closed && pts.size() > 1 && pts.front().x == pts.back().x && pts.front().y == pts.back().y) pts.pop_back();
  Stroker stroker(pen, bounds, out);
  // A figure of no length is a dot where the caps are round.
  if (pts.size() == 1 && stroker.Cap() == PS_ENDCAP_ROUND) stroker.Dot(pts[0]);
  if (pts.size() < 2) return;
  if (closed) pts.push_back(pts.front());
  if (!pen.dashes.empty()) {
    DashPolyline(pts, closed, pen, stroker);
    return;
  }
  const size_t n = pts.size();
  for (size_t i = 0; i + 1 < n; ++i) stroker.Piece(pts[i], pts[i + 1], pts[i], pts[i + 1], !closed && i == 0, !closed && i + 2 == n);
  for (size_t i = 1; i + 1 < n; ++i) stroker.Join(pts[i - 1], pts[i], pts[i + 1]);
  if (closed && n > 2) stroker.Join(pts[n - 2], pts[0], pts[1]);
}

}  // namespace gdi
