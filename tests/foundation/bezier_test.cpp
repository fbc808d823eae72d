#include <cmath>

#include <gtest/gtest.h>

#include "tests/foundation/geometry_test_util.h"
#include "foundation/geometry/bezier.h"

namespace {

ACubicSegment Straight(double length) {
  return ACubicSegment({0, 0}, {length / 3, 0}, {2 * length / 3, 0}, {length, 0});
}

TEST(APointD, RoundsByAddingAHalfAndTruncating) {
  const struct {
    double x, y;
    POINT out;
  } cases[] = {{1.4, 1.5, {1, 2}}, {-1.7, -0.4, {-1, 0}}, {-2.5, 2.49, {-2, 2}}};
  for (const auto& c : cases) EXPECT_EQ(APointD(c.x, c.y).Rounded(), c.out) << c.x << "," << c.y;
  const APointD sum = APointD(1, 2) + APointD(3, 4) * 0.5;
  EXPECT_DOUBLE_EQ(sum.x, 2.5);
  EXPECT_DOUBLE_EQ(sum.y, 4);
}

TEST(EllipseToCubics, PointsOfAWideEllipse) {
  POINT p[13];
  EllipseToCubics({0, 0, 100, 60}, p);
  // kx = 27, ky = 16, centre (50, 30).
  const POINT expected[13] = {{0, 30},  {0, 14},  {23, 0},  {50, 0},  {77, 0},  {100, 14}, {100, 30},
                              {100, 46}, {77, 60}, {50, 60}, {23, 60}, {0, 46},  {0, 30}};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(p[i], expected[i]) << i;
}

TEST(EllipseToCubics, ApproximatesTheCircle) {
  POINT p[13];
  EllipseToCubics({-1000, -1000, 1000, 1000}, p);
  for (int s = 0; s < 4; ++s) {
    ACubicSegment seg{APointD(p[3 * s]), APointD(p[3 * s + 1]), APointD(p[3 * s + 2]), APointD(p[3 * s + 3])};
    ACubicSegment first, second;
    seg.SplitHalf(first, second);
    EXPECT_NEAR(std::hypot(second[0].x, second[0].y), 1000, 1.0) << s;  // midpoint on the circle
    EXPECT_NEAR(seg.ArcLength(0.01), 2 * M_PI * 1000 / 4, 2.0) << s;
  }
}

TEST(ACubicSegment, SplitAtHalfEqualsSplitHalf) {
  const ACubicSegment seg({0, 0}, {10, 40}, {60, 50}, {90, -10});
  ACubicSegment a, b, c;
  seg.SplitHalf(a, b);
  ACubicSegment rest = seg;
  rest.SplitAt(c, 0.5);
  for (int i = 0; i < 4; ++i) {
    EXPECT_DOUBLE_EQ(a[i].x, c[i].x) << i;
    EXPECT_DOUBLE_EQ(a[i].y, c[i].y) << i;
    EXPECT_DOUBLE_EQ(b[i].x, rest[i].x) << i;
    EXPECT_DOUBLE_EQ(b[i].y, rest[i].y) << i;
  }
  // The original is left as it was by SplitHalf.
  EXPECT_DOUBLE_EQ(seg[1].y, 40);
}

TEST(ACubicSegment, SplitAtJoinsTheTwoParts) {
  ACubicSegment seg({0, 0}, {10, 40}, {60, 50}, {90, -10});
  ACubicSegment first;
  seg.SplitAt(first, 0.3);
  EXPECT_DOUBLE_EQ(first[3].x, seg[0].x);
  EXPECT_DOUBLE_EQ(first[3].y, seg[0].y);
  EXPECT_DOUBLE_EQ(seg[3].x, 90);
  EXPECT_DOUBLE_EQ(first[0].x, 0);
}

TEST(ACubicSegment, ArcLength) {
  EXPECT_DOUBLE_EQ(Straight(100).ArcLength(0.5), 100);
  // A flat control polygon counts its own length, not the chord.
  const ACubicSegment bent({0, 0}, {0, 0.2}, {10, 0.2}, {10, 0});
  EXPECT_DOUBLE_EQ(bent.ArcLength(0.5), bent.PolygonLength());
  const ACubicSegment zero({5, 5}, {5, 5}, {5, 5}, {5, 5});
  EXPECT_EQ(zero.ArcLength(0.5), 0);
}

TEST(ParamAtLength, Table) {
  const struct {
    double length;
    int distance;
    double t;
    int left;
  } cases[] = {
      {100, 25, 0.25, 0},   // a straight segment with evenly spaced control points
      {100, 50, 0.5, 0},
      {100, 75, 0.75, 0},
      {100, 100, 1.0, 0},
      {100, 150, 1.0, 50},  // the curve ends inside the dash
      {0, 5, 1.0, 5},       // a zero-length segment uses nothing
      {100, 0, 0.0, 0},
  };
  for (const auto& c : cases) {
    int distance = c.distance;
    EXPECT_DOUBLE_EQ(Straight(c.length).ParamAtLength(distance), c.t) << c.length << "/" << c.distance;
    EXPECT_EQ(distance, c.left) << c.length << "/" << c.distance;
  }
}

TEST(ParamAtLength, ShortStepsAreCorrectedForTheRoundedStart) {
  // The curve starts at 0.4 while the pen stands at 0.
  const ACubicSegment seg({0.4, 0}, {33.6, 0}, {66.8, 0}, {100, 0});
  int distance = 1;
  const double t = seg.ParamAtLength(distance);
  ACubicSegment rest = seg, first;
  rest.SplitAt(first, t);
  // Measured from where the pen stands (the rounded start), one pixel was run.
  EXPECT_NEAR(first[3].x - APointD(seg[0].Rounded()).x, 1.0, 0.5);
  EXPECT_EQ(distance, 0);

  // A 10-pixel line from 0.4, two pixels asked: the chord from the pen is 0.4
  // longer, so 1.6 is walked. Halving gives pieces of 1.25 pixels at depth 3,
  // and the first one is within 0.5 of 1.6: t = 1/8 (uncorrected, two pieces
  // and t = 1/4). The length taken is trunc(1.25 + 0.4 + 0.5) = 2.
  const ACubicSegment ten({0.4, 0}, {0.4 + 10.0 / 3, 0}, {0.4 + 20.0 / 3, 0}, {10.4, 0});
  distance = 2;
  EXPECT_DOUBLE_EQ(ten.ParamAtLength(distance), 0.125);
  EXPECT_EQ(distance, 0);
}

TEST(ParamAtLength, DoubleFormKeepsTheRest) {
  double distance = 130.0;
  EXPECT_DOUBLE_EQ(Straight(100).ParamAtLength(distance), 1.0);
  EXPECT_DOUBLE_EQ(distance, 30.0);
}

TEST(ParamAtLength, WalkingACurveInDashesCoversItsLength) {
  // Cut a quarter ellipse into 7-pixel pieces: the pieces' lengths add up.
  POINT p[13];
  EllipseToCubics({0, 0, 300, 180}, p);
  ACubicSegment seg{APointD(p[0]), APointD(p[1]), APointD(p[2]), APointD(p[3])};
  const double total = seg.ArcLength(0.01);
  double walked = 0;
  for (int guard = 0; guard < 1000; ++guard) {
    int distance = 7;
    const double t = seg.ParamAtLength(distance);
    ACubicSegment piece;
    seg.SplitAt(piece, t);
    walked += piece.ArcLength(0.01);
    if (distance != 0) break;
    EXPECT_NEAR(piece.ArcLength(0.01), 7, 0.6);
  }
  EXPECT_NEAR(walked, total, 0.5);
}

}  // namespace
