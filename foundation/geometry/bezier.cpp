#include "foundation/geometry/bezier.h"

#include <algorithm>
#include <cmath>

#include "foundation/geometry/truncate.h"

FOUNDATION_BEGIN

namespace {

// Pieces this deep are far below a pixel for any finite curve; the walk takes
// them as flat rather than recursing further.
constexpr int kMaxWalkDepth = 60;

void Walk(const ACubicSegment& seg, double tol, double& remaining, double& t, double& consumed, int depth) {
  if (remaining == 0) return;
  const double L = seg.PolygonLength();
  const double C = seg.ChordLength();
  if ((L - C <= tol && consumed + L <= remaining + tol) || depth >= kMaxWalkDepth) {
    consumed += L;
    t += std::ldexp(1.0, -depth);
    if (std::fabs(consumed - remaining) <= tol) remaining = 0;
    return;
  }
  ACubicSegment first, second;
  seg.SplitHalf(first, second);
  Walk(first, tol, remaining, t, consumed, depth + 1);
  if (remaining != 0) Walk(second, tol, remaining, t, consumed, depth + 1);
}

bool IsFinite(const ACubicSegment& s) {
  for (int i = 0; i < 4; ++i)
    if (!std::isfinite(s[i].x) || !std::isfinite(s[i].y)) return false;
  return true;
}

// Walks `distance` along the curve; short steps are corrected by the change of
// the chord that rounding the start point causes, or they would be lost to the
// rounding of the pen position. Gives t and the length taken off the distance.
double WalkDistance(const ACubicSegment& s, double distance, double& taken) {
  taken = 0;
  if (distance <= 0 || !IsFinite(s)) return distance <= 0 ? 0.0 : 1.0;
  double remaining = distance;
  double correction = 0;
  if (distance < 3) {
    const APointD start(s[0].Rounded());
    correction = Distance(s[0], s[3]) - Distance(start, s[3]);
    remaining += correction;
  }
  double t = 0, consumed = 0;
  ParamAtLengthWalk(s, 0.5, remaining, t, consumed);
  taken = std::trunc(consumed - correction + 0.5);
  return t;
}

}  // namespace

POINT APointD::Rounded() const { return {TruncToInt(x + 0.5), TruncToInt(y + 0.5)}; }

double Distance(const APointD& a, const APointD& b) { return std::hypot(b.x - a.x, b.y - a.y); }

void ACubicSegment::GetPoints(POINT out[4]) const {
  for (int i = 0; i < 4; ++i) out[i] = p_[i].Rounded();
}

void ACubicSegment::SplitHalf(ACubicSegment& first, ACubicSegment& second) const {
  APointD r1[3], r2[2];
  for (int j = 0; j < 3; ++j) r1[j] = (p_[j] + p_[j + 1]) * 0.5;
  for (int j = 0; j < 2; ++j) r2[j] = (r1[j] + r1[j + 1]) * 0.5;
  const APointD r3 = (r2[0] + r2[1]) * 0.5;
  first = ACubicSegment(p_[0], r1[0], r2[0], r3);
  second = ACubicSegment(r3, r2[1], r1[2], p_[3]);
}

void ACubicSegment::SplitAt(ACubicSegment& first, double t) {
  const double s = 1 - t;
  const APointD& P0 = p_[0];
  const APointD& P1 = p_[1];
  const APointD& P2 = p_[2];
  const APointD& P3 = p_[3];
  const APointD end = s * s * s * P0 + 3 * s * s * t * P1 + 3 * s * t * t * P2 + t * t * t * P3;
  first = ACubicSegment(P0, s * P0 + t * P1, s * s * P0 + 2 * s * t * P1 + t * t * P2, end);
  const APointD q1 = s * s * P1 + 2 * s * t * P2 + t * t * P3;
  const APointD q2 = s * P2 + t * P3;
  p_[0] = end;
  p_[1] = q1;
  p_[2] = q2;
}

double ACubicSegment::PolygonLength() const {
  return Distance(p_[0], p_[1]) + Distance(p_[1], p_[2]) + Distance(p_[2], p_[3]);
}

double ACubicSegment::ChordLength() const { return Distance(p_[0], p_[3]); }

double ACubicSegment::ArcLength(double tolerance) const {
  const double L = PolygonLength();
  if (L - ChordLength() <= tolerance || !(L < HUGE_VAL)) return L;
  // Halving converges geometrically; the depth bound only guards degenerate input.
  struct Rec {
    static double Of(const ACubicSegment& s, double tol, int depth) {
      const double len = s.PolygonLength();
      if (len - s.ChordLength() <= tol || depth >= kMaxWalkDepth) return len;
      ACubicSegment a, b;
      s.SplitHalf(a, b);
      return Of(a, tol, depth + 1) + Of(b, tol, depth + 1);
    }
  };
  return Rec::Of(*this, tolerance, 0);
}

double ACubicSegment::ParamAtLength(int& distance) const {
  double taken = 0;
  const double t = WalkDistance(*this, distance, taken);
  distance = std::max(0, distance - TruncToInt(taken));
  return t;
}

double ACubicSegment::ParamAtLength(double& distance) const {
  double taken = 0;
  const double t = WalkDistance(*this, distance, taken);
  distance -= taken;
  return t;
}

void ParamAtLengthWalk(const ACubicSegment& segment, double tolerance, double& remaining, double& t,
                       double& consumed) {
  Walk(segment, tolerance, remaining, t, consumed, 0);
}

void EllipseToCubics(const RECT& rect, POINT out[13]) {
  constexpr double kHandle = 0.2761423749154;  // half of 4 (sqrt 2 - 1) / 3
  const LONG l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  const LONG kx = TruncToInt((static_cast<double>(r) - l) * kHandle);
  const LONG ky = TruncToInt((static_cast<double>(b) - t) * kHandle);
  const LONG cx = static_cast<LONG>((int64_t{l} + r) / 2);
  const LONG cy = static_cast<LONG>((int64_t{t} + b) / 2);
  const POINT pts[13] = {{l, cy},           {l, cy - ky},      {cx - kx, t}, {cx, t},      {cx + kx, t},
                         {r, cy - ky},      {r, cy},           {r, cy + ky}, {cx + kx, b}, {cx, b},
                         {cx - kx, b},      {l, cy + ky},      {l, cy}};
  std::copy(pts, pts + 13, out);
}

FOUNDATION_END
