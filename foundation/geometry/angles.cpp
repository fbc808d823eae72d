#include "foundation/geometry/angles.h"

#include <cmath>
#include <cstdint>

FOUNDATION_BEGIN

double RadiansToDegrees(double r) { return r * 180.0 / kPi; }
double DegreesToRadians(double d) { return d * kPi / 180.0; }

int NormalizeAngle(int a) {
  // Worked in 64 bits so that no input overflows; the result is the same as
  // the 32-bit formula wherever that one does not overflow.
  const int64_t v = a;
  const int64_t turns = (v < 0 ? -v : v) / kFullTurn;
  return static_cast<int>((v + turns * kFullTurn + kFullTurn) % kFullTurn);
}

double NormalizeDegrees(double x) {
  if (x == 0.0) return 0.0;
  if (!std::isfinite(x)) return x;
  const double whole = std::trunc(x);
  const double k = std::fabs(whole - std::fmod(whole, 360.0));
  return x > 0 ? x - k : x + k + 360.0;
}

int IsRightAngle(int a) { return NormalizeAngle(a) % 90000 == 0 ? 1 : 0; }

int AngleQuarter(int a) {
  const int n = NormalizeAngle(a);
  if (n <= 90000) return 1;
  if (n <= 180000) return 2;
  if (n > 270000) return 4;
  return 3;
}

int AngleQuadrant(int a) {
  const int n = NormalizeAngle(a);
  if (n <= 45000 || n >= 315000) return 0;
  if (n <= 135000) return 1;
  if (n <= 225000) return 2;
  return 3;
}

int VectorAngle(int x1, int y1, int x2, int y2, double* out, bool degrees) {
  const double dx = static_cast<double>(x2) - x1;
  const double dy = static_cast<double>(y2) - y1;
  if (dx == 0 && dy == 0) return 0;
  double r;
  if (dy == 0) {
    r = dx > 0 ? 0.0 : kPi;
  } else if (dx == 0) {
    r = dy > 0 ? kHalfPi : kThreeHalfPi;
  } else {
    r = std::atan(dy / dx);
    if (dx < 0)
      r += kPi;
    else if (dy < 0)
      r += kTwoPi;
  }
  if (out) *out = degrees ? NormalizeDegrees(-RadiansToDegrees(r)) : r;
  return 1;
}

int AngleOfPoint(int x, int y, double* out, bool degrees) { return VectorAngle(0, 0, x, y, out, degrees); }

int AngleBetweenPoints(int x1, int y1, int x2, int y2, double* out, bool degrees) {
  return VectorAngle(x1, y1, x2, y2, out, degrees);
}

FOUNDATION_END
