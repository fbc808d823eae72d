// Cubic Bézier arithmetic in double precision, used to walk the outlines of
// ellipses and rounded corners by arc length for dashed and dotted pens.
#pragma once

#include "foundation/build.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

struct APointD {
  double x = 0;
  double y = 0;

  APointD() = default;
  constexpr APointD(double px, double py) : x(px), y(py) {}
  constexpr explicit APointD(const POINT& p) : x(p.x), y(p.y) {}

  // Adds 0.5 to each coordinate and truncates toward zero (-1.7 gives -1).
  POINT Rounded() const;

  friend constexpr APointD operator+(const APointD& a, const APointD& b) { return {a.x + b.x, a.y + b.y}; }
  friend constexpr APointD operator*(const APointD& a, double k) { return {a.x * k, a.y * k}; }
  friend constexpr APointD operator*(double k, const APointD& a) { return a * k; }
};

double Distance(const APointD& a, const APointD& b);

class ACubicSegment {
 public:
  ACubicSegment() = default;
  ACubicSegment(const APointD& p0, const APointD& p1, const APointD& p2, const APointD& p3) : p_{p0, p1, p2, p3} {}

  const APointD& operator[](int i) const { return p_[i]; }
  APointD& operator[](int i) { return p_[i]; }

  void GetPoints(POINT out[4]) const;

  // de Casteljau at t = 0.5; the segment itself is unchanged.
  void SplitHalf(ACubicSegment& first, ACubicSegment& second) const;

  // Puts the part from 0 to t in `first`; this segment becomes the rest.
  void SplitAt(ACubicSegment& first, double t);

  // Length of the control polygon once it lies within `tolerance` of the chord.
  double PolygonLength() const;
  double ChordLength() const;
  double ArcLength(double tolerance) const;

  // The parameter at which the curve, run from P0, has covered `distance`
  // pixels; distance is reduced by the length consumed (not below 0). A curve
  // shorter than the distance gives t = 1 and a distance still to run.
  double ParamAtLength(int& distance) const;
  // The same with a double distance (no clamp at 0).
  double ParamAtLength(double& distance) const;

 private:
  APointD p_[4];
};

// The recursive walk behind ParamAtLength: accepts flat pieces from the start
// of the curve, summing their lengths and parameter spans, until the sum lies
// within `tolerance` of `remaining` (which then becomes 0).
void ParamAtLengthWalk(const ACubicSegment& segment, double tolerance, double& remaining, double& t,
                       double& consumed);

// The 13 points of the four cubic segments of the ellipse inscribed in rect,
// from the left end of the horizontal axis clockwise on the screen.
void EllipseToCubics(const RECT& rect, POINT out[13]);

FOUNDATION_END
