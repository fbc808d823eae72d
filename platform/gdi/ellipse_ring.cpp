#include "platform/gdi/ellipse_ring.h"

#include <algorithm>
#include <cstdlib>

namespace gdi {
namespace {

using Wide = __int128;

// The upper right quarter in doubled coordinates about the centre (pixel
// centres of an even width fall on odd values), y upward, from the middle of
// the right side to the top. The curve through the outer pixels' centres is
// followed one step at a time, up, left or diagonally, to whichever pixel
// lies nearest it by the curve's equation (a tie going diagonally, then up);
// it ends where it reaches the middle column. An even-width ellipse then
// climbs its last column while the next pixel is still inside the curve.
std::vector<POINT> UpperRightQuarter(long long w, long long h) {
  const Wide a = w - 1, b = h - 1;
  auto f = [&](long long x, long long y) { return b * b * x * x + a * a * y * y - a * a * b * b; };
  auto size = [](Wide v) { return v < 0 ? -v : v; };
  long long x = w - 1, y = h % 2 ? 0 : 1;
  const long long top = h - 1, last = w % 2 ? 0 : 1;
  std::vector<POINT> out{{LONG(x), LONG(y)}};
  while (x > last) {
    struct Step {
      long long x, y;
    };
    Step best{x - 2, y};
    Wide bestSize = size(f(best.x, best.y));
    if (y + 2 <= top) {
      // An equal distance goes to the later candidate: diagonal, up, left.
      for (Step s : {Step{x, y + 2}, Step{x - 2, y + 2}}) {
        const Wide d = size(f(s.x, s.y));
        if (d <= bestSize) best = s, bestSize = d;
      }
    }
    x = best.x, y = best.y;
    out.push_back({LONG(x), LONG(y)});
  }
  if (w % 2 == 0)
    while (y + 2 <= top && f(x, y + 2) < 0) {
      y += 2;
      out.push_back({LONG(x), LONG(y)});
    }
  return out;
}

long long FloorHalf(long long v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

}  // namespace

POINT EllipseRingCentre(int l, int t, int r, int b) {
  return {LONG(FloorHalf(static_cast<long long>(l) + r + 1)), LONG(FloorHalf(static_cast<long long>(t) + b + 1))};
}

EllipseRing MakeEllipseRing(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  const std::vector<POINT> quarter = UpperRightQuarter(static_cast<long long>(r) - l + 1, static_cast<long long>(b) - t + 1);
  EllipseRing ring;
  const long long sx = static_cast<long long>(l) + r, sy = static_cast<long long>(t) + b;
  auto add = [&](long long x, long long y) {
    ring.pixels.push_back({LONG((x + sx) / 2), LONG((sy - y) / 2)});
    ring.offsets.push_back({LONG(x / 2), LONG(y / 2)});  // toward zero: the two middle columns are 0
  };
  const size_t n = quarter.size();
  ring.quarterStart = {0, n, 2 * n, 3 * n, 4 * n};
  for (size_t i = 0; i < n; ++i) add(quarter[i].x, quarter[i].y);
  for (size_t i = n; i-- > 0;) add(-quarter[i].x, quarter[i].y);
  for (size_t i = 0; i < n; ++i) add(-quarter[i].x, -quarter[i].y);
  for (size_t i = n; i-- > 0;) add(quarter[i].x, -quarter[i].y);
  return ring;
}

std::vector<POINT> RingPixels(const EllipseRing& ring) {
  std::vector<POINT> out = ring.pixels;
  std::sort(out.begin(), out.end(), [](POINT a, POINT b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  out.erase(std::unique(out.begin(), out.end(), [](POINT a, POINT b) { return a.x == b.x && a.y == b.y; }),
            out.end());
  return out;
}

namespace {

// The first entry at or past the radial (dx, dy) (y upward) going
// counter-clockwise: the radial's quarter is searched alone, and an entry
// exactly on the radial counts as past it in the upper quarters and before
// it in the lower ones. A horizontal radial belongs to the upper quarters
// of a counter-clockwise arc and to the lower ones of a clockwise arc.
size_t FirstPast(const EllipseRing& ring, long long dx, long long dy, bool clockwise) {
  const bool upper = dy > 0 || (dy == 0 && !clockwise);
  const int quarter = upper ? (dx >= 0 ? 0 : 1) : (dx < 0 ? 2 : 3);
  const size_t end = ring.quarterStart[quarter + 1];
  for (size_t i = ring.quarterStart[quarter]; i < end; ++i) {
    const Wide cross = Wide(dx) * ring.offsets[i].y - Wide(dy) * ring.offsets[i].x;
    if (upper ? cross >= 0 : cross > 0) return i;
  }
  return end;
}

}  // namespace

std::vector<POINT> ArcVertices(const EllipseRing& ring, POINT centre, POINT start, POINT end, bool clockwise) {
  const size_t n = ring.pixels.size();
  std::vector<POINT> out;
  if (n == 0) return out;
  // A clockwise arc is the counter-clockwise one from its end to its start,
  // walked backwards.
  if (clockwise) std::swap(start, end);
  auto past = [&](POINT p) {
    return FirstPast(ring, static_cast<long long>(p.x) - centre.x, static_cast<long long>(centre.y) - p.y, clockwise);
  };
  // From the first entry past the start radial to the last one before the
  // end radial, round the ring when that count is not positive. A start past
  // the ring's last entry with an end before its first one leaves nothing.
  const size_t first = past(start);
  long long count = static_cast<long long>(past(end)) - static_cast<long long>(first);
  if (count <= 0) count += static_cast<long long>(n);
  for (long long i = 0; i < count; ++i) out.push_back(ring.pixels[(first + static_cast<size_t>(i)) % n]);
  if (clockwise) std::reverse(out.begin(), out.end());
  return out;
}

}  // namespace gdi
