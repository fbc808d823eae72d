#include "foundation/geometry/points.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "foundation/geometry/truncate.h"

FOUNDATION_BEGIN

double Square(double v) { return v * v; }

double PointDistance(double x1, double y1, double x2, double y2) {
  return std::sqrt(Square(x2 - x1) + Square(y2 - y1));
}

double VectorLength(double x, double y) { return PointDistance(0, 0, x, y); }

int IsOppositeSign(int x1, int y1, int x2, int y2) {
  return (int64_t{x1} * x2 < 0 || int64_t{y1} * y2 < 0) ? 1 : 0;
}

int ProjectPointOnLine(int px, int py, int x1, int y1, int x2, int y2, POINT* out) {
  if (out) *out = {px, py};
  const int64_t dx = int64_t{x2} - x1;
  const int64_t dy = int64_t{y2} - y1;
  const int64_t d = dx * dx + dy * dy;
  if (d == 0) return 0;
  const double t = static_cast<double>(px * dx + py * dy - x1 * dx - y1 * dy) / static_cast<double>(d);
  if (out) *out = {TruncToInt(x1 + dx * t), TruncToInt(y1 + dy * t)};
  return 1;
}

POINT ProjectPointOnRay(int px, int py, int dx, int dy) {
  POINT p;
  ProjectPointOnLine(px, py, 0, 0, dx, dy, &p);
  return p;
}

namespace {

using Wide = __int128;

bool Within(int64_t v, int64_t a, int64_t b) { return v >= std::min(a, b) && v <= std::max(a, b); }

int Side(const POINT& p, int y) { return p.y < y ? -1 : (p.y > y ? 1 : 0); }

}  // namespace

// Crossing-number test with a ray from the point toward larger x. Vertices and
// runs of horizontal edges that lie on the ray's line count as one crossing
// only when the outline passes through the line there (the vertices before and
// after lie strictly on opposite sides), so a local extreme changes nothing.
// Crossings are compared exactly, not with a truncated crossing x.
int PointInPolygon(const POINT* pts, int n, int x, int y) {
  if (!pts || n <= 0) return 0;
  for (int i = 0; i < n; ++i)
    if (pts[i].x == x && pts[i].y == y) return -1;

  // Start the walk at a vertex off the ray's line so that no run of
  // horizontal edges wraps around the end of the list.
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (pts[i].y != y) {
      start = i;
      break;
    }
  if (start < 0) {
    const auto [lo, hi] = std::minmax_element(pts, pts + n, [](const POINT& a, const POINT& b) { return a.x < b.x; });
    return Within(x, lo->x, hi->x) ? -1 : 0;
  }

  auto at = [&](int k) -> const POINT& { return pts[(start + k) % n]; };
  bool inside = false;
  int k = 1;
  while (k <= n) {
    const POINT& pi = at(k);
    const POINT& pj = at(k - 1);
    if (pi.y == y) {
      // Vertex on the line, possibly the first of a run of horizontal edges.
      int end = k;
      while (at(end + 1).y == y) {
        if (Within(x, at(end).x, at(end + 1).x)) return -1;
        ++end;
      }
      if (Side(pj, y) * Side(at(end + 1), y) < 0 && x < pi.x) inside = !inside;
      k = end + 1;
      continue;
    }
    if (pj.y != y && Within(y, pi.y, pj.y)) {
      // y lies strictly between the ends of a non-horizontal edge.
      const Wide lhs = Wide{int64_t{x} - pi.x} * (int64_t{pj.y} - pi.y);
      const Wide rhs = Wide{int64_t{pj.x} - pi.x} * (int64_t{y} - pi.y);
      if (lhs == rhs) return -1;
      const bool leftOfCrossing = pj.y > pi.y ? lhs < rhs : lhs > rhs;
      if (leftOfCrossing) inside = !inside;
    }
    ++k;
  }
  return inside ? 1 : 0;
}

void OffsetPoints(POINT* pts, int n, int dx, int dy) {
  for (int i = 0; i < n; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
}

void RectToPolygon(const RECT& rect, POINT* out, int n) {
  const LONG l = std::min(rect.left, rect.right), r = std::max(rect.left, rect.right);
  const LONG t = std::min(rect.top, rect.bottom), b = std::max(rect.top, rect.bottom);
  const POINT corners[5] = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};
  std::copy_n(corners, std::clamp(n, 0, 5), out);
}

RECT PointsBoundingRect(const POINT* pts, int n) {
  RECT r{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (int i = 0; i < n; ++i) {
    r.left = std::min(r.left, pts[i].x);
    r.top = std::min(r.top, pts[i].y);
    r.right = std::max(r.right, pts[i].x);
    r.bottom = std::max(r.bottom, pts[i].y);
  }
  return r;
}

double ExtremePointDistance(const POINT* pts, int n, bool largest) {
  double best = largest ? 0.0 : 2147483647.0;
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      if (i == j) continue;
      const double d = PointDistance(pts[i].x, pts[i].y, pts[j].x, pts[j].y);
      best = largest ? std::max(best, d) : std::min(best, d);
    }
  return best;
}

namespace {

bool Same(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }

// Drops each point equal to the one kept before it; read cyclically, a last
// point equal to the first (a closed outline) is a repeat too.
std::vector<POINT> WithoutRepeats(const POINT* pts, int n) {
  std::vector<POINT> out;
  for (int i = 0; i < n; ++i)
    if (out.empty() || !Same(out.back(), pts[i])) out.push_back(pts[i]);
  while (out.size() > 1 && Same(out.back(), out.front())) out.pop_back();
  return out;
}

}  // namespace

int EqualPointLists(const POINT* a, int na, const POINT* b, int nb) {
  const std::vector<POINT> pa = WithoutRepeats(a, std::max(na, 0));
  const std::vector<POINT> pb = WithoutRepeats(b, std::max(nb, 0));
  if (pa.size() != pb.size()) return 0;
  const size_t n = pa.size();
  if (n == 0) return 1;
  for (size_t s = 0; s < n; ++s) {
    size_t i = 0;
    while (i < n && Same(pb[i], pa[(s + i) % n])) ++i;
    if (i == n) return 1;
  }
  return 0;
}

int EqualPointList(const ATypedArray<POINT>& arr, const POINT* pts, int n) {
  if (arr.GetSize() == 0) return 0;
  return EqualPointLists(arr.GetData(), arr.GetSize(), pts, n);
}

int EqualRectPointList(const ATypedArray<POINT>& arr, const RECT& rect) {
  POINT corners[4];
  RectToPolygon(rect, corners, 4);
  return EqualPointList(arr, corners, 4);
}

void SwapShort(short* a, short* b) { std::swap(*a, *b); }
void SwapPoint(POINT* a, POINT* b) { std::swap(*a, *b); }

FOUNDATION_END
