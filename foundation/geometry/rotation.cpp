#include "foundation/geometry/rotation.h"

#include <algorithm>
#include <cmath>

#include "foundation/geometry/angles.h"
#include "foundation/geometry/points.h"
#include "foundation/geometry/truncate.h"

FOUNDATION_BEGIN

namespace {

struct CosSin {
  double c;
  double s;
};

// Whole multiples of a right angle use exact values so that axis-aligned
// rectangles stay exact.
CosSin CosSinOfDegrees(double degrees) {
  if (std::isfinite(degrees) && std::fmod(degrees, 90.0) == 0.0) {
    double q = std::fmod(degrees / 90.0, 4.0);
    if (q < 0) q += 4.0;
    switch (static_cast<int>(q)) {
      case 0: return {1.0, 0.0};
      case 1: return {0.0, 1.0};
      case 2: return {-1.0, 0.0};
      default: return {0.0, -1.0};
    }
  }
  const double r = degrees * kTwoPi / 360.0;
  return {std::cos(r), std::sin(r)};
}

}  // namespace

POINT RotatePoint(int x, int y, double degrees, int cx, int cy, int ox, int oy) {
  const CosSin cs = CosSinOfDegrees(degrees);
  const double dx = static_cast<double>(x) - cx;
  const double dy = static_cast<double>(y) - cy;
  return {cx + TruncToInt(dx * cs.c - dy * cs.s) + ox, cy + TruncToInt(dx * cs.s + dy * cs.c) + oy};
}

POINT RotatePointScreen(int x, int y, double degrees, int cx, int cy, int ox, int oy) {
  const POINT p = RotatePoint(x, -y, degrees, cx, -cy, ox, -oy);
  return {p.x, -p.y};
}

void RotatePoints(POINT* pts, int n, double degrees, int cx, int cy, int ox, int oy) {
  for (int i = 0; i < n; ++i) pts[i] = RotatePointScreen(pts[i].x, pts[i].y, degrees, cx, cy, ox, oy);
}

RECT NormalizedRect(const RECT& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

RECT RotateRect(const RECT& rect, double degrees, int cx, int cy, int ox, int oy) {
  const POINT a = RotatePointScreen(rect.left, rect.top, degrees, cx, cy, ox, oy);
  const POINT b = RotatePointScreen(rect.right, rect.bottom, degrees, cx, cy, ox, oy);
  return NormalizedRect({a.x, a.y, b.x, b.y});
}

RECT RotatedRectBounds(const RECT& rect, double degrees) {
  POINT corners[4] = {{rect.left, rect.top}, {rect.right, rect.top}, {rect.right, rect.bottom},
                      {rect.left, rect.bottom}};
  RotatePoints(corners, 4, degrees, 0, 0);
  return PointsBoundingRect(corners, 4);
}

SIZE UnrotatedSizeFromBounds(const RECT& bounds, int angle, double aspect) {
  const double W = static_cast<double>(bounds.right) - bounds.left;
  const double H = static_cast<double>(bounds.bottom) - bounds.top;
  const int n = NormalizeAngle(angle);
  if (n == 0 || n == 180000) return {TruncToInt(W), TruncToInt(H)};
  if (n == 90000 || n == 270000) return {TruncToInt(H), TruncToInt(W)};

  const double e = DegreesToRadians((n % 90000) / 1000.0);
  const double c = std::cos(e);
  const double s = std::sin(e);
  int width;
  int height;
  if (n % 90000 == 45000) {
    width = TruncToInt(W / (s * (aspect + 1)));
    height = TruncToInt(width * aspect);
  } else {
    const double m = c * c - s * s;
    width = TruncToInt((W * c - s * H) / m);
    height = s <= 0.2 ? TruncToInt((c * H - s * W) / m) : TruncToInt((W - c * width) / s);
    const int quarter = AngleQuarter(n);
    if (quarter == 2 || quarter == 4) std::swap(width, height);
  }
  return {width, height};
}

POINT AnchorToTopLeft(int x, int y, int anchor, int width, int height, int angle) {
  const int hw = width / 2;
  const int hh = height / 2;
  POINT p{x, y};
  switch (anchor) {
    case 0: break;
    case 1: p = {x - hw, y}; break;
    case 2: p = {x - width, y}; break;
    case 3: p = {x, y - hh}; break;
    case 4: p = {x - hw, y - hh}; break;
    case 5: p = {x - width, y - hh}; break;
    case 6: p = {x, y - height}; break;
    case 7: p = {x - hw, y - height}; break;
    case 8: p = {x - width, y - height}; break;
    default: break;
  }
  return RotatePointScreen(p.x, p.y, NormalizeAngle(angle) / 1000.0, x, y);
}

FOUNDATION_END
