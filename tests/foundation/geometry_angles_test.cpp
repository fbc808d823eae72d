#include <cmath>

#include <gtest/gtest.h>

#include "foundation/geometry/angles.h"

namespace {

struct IntCase {
  int in;
  int out;
};

TEST(NormalizeAngle, Table) {
  const IntCase cases[] = {
      {0, 0},           {359999, 359999}, {360000, 0},          {-1, 359999},          {-400000, 320000},
      {800000, 80000},  {-360000, 0},     {-720001, 359999},    {2147483647, 2147483647 % 360000},
      {INT32_MIN, static_cast<int>(((int64_t{INT32_MIN} % 360000) + 360000) % 360000)},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeAngle(c.in), c.out) << c.in;
}

TEST(NormalizeDegrees, Table) {
  const struct {
    double in, out;
  } cases[] = {{0, 0}, {360, 0}, {720, 0}, {-360, 360}, {-90, 270}, {45.5, 45.5}, {370.25, 10.25}, {-0.5, 359.5},
               {-450, 270}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(NormalizeDegrees(c.in), c.out) << c.in;
}

TEST(AngleClasses, RightAngleQuarterAndQuadrant) {
  const struct {
    int angle, right, quarter, quadrant;
  } cases[] = {
      {0, 1, 1, 0},          {45000, 0, 1, 0},      {45001, 0, 1, 1},     {90000, 1, 1, 1},
      {90001, 0, 2, 1},      {135000, 0, 2, 1},     {135001, 0, 2, 2},    {180000, 1, 2, 2},
      {225000, 0, 3, 2},     {225001, 0, 3, 3},     {270000, 1, 3, 3},    {270001, 0, 4, 3},
      {314999, 0, 4, 3},     {315000, 0, 4, 0},     {-90000, 1, 3, 3},    {450000, 1, 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsRightAngle(c.angle), c.right) << c.angle;
    EXPECT_EQ(AngleQuarter(c.angle), c.quarter) << c.angle;
    EXPECT_EQ(AngleQuadrant(c.angle), c.quadrant) << c.angle;
  }
}

TEST(VectorAngle, RadiansAndScreenDegrees) {
  const struct {
    int x1, y1, x2, y2;
    double radians, degrees;
  } cases[] = {
      {0, 0, 5, 0, 0, 0},
      {0, 0, -5, 0, kPi, 180},
      {0, 0, 0, 5, kHalfPi, 270},  // y grows downwards: straight down on the screen
      {0, 0, 0, -5, kThreeHalfPi, 90},
      {1, 1, 4, 4, kPi / 4, 315},
      {0, 0, -3, 3, 3 * kPi / 4, 225},
      {0, 0, -3, -3, 5 * kPi / 4, 135},
      {0, 0, 3, -3, 7 * kPi / 4, 45},
  };
  for (const auto& c : cases) {
    double r = -1, d = -1;
    ASSERT_EQ(VectorAngle(c.x1, c.y1, c.x2, c.y2, &r, false), 1);
    ASSERT_EQ(AngleBetweenPoints(c.x1, c.y1, c.x2, c.y2, &d, true), 1);
    EXPECT_NEAR(r, c.radians, 1e-12) << c.x2 << "," << c.y2;
    EXPECT_NEAR(d, c.degrees, 1e-9) << c.x2 << "," << c.y2;
  }
}

TEST(VectorAngle, CoincidentPointsLeaveTheResultUntouched) {
  double out = 42;
  EXPECT_EQ(VectorAngle(3, 4, 3, 4, &out, false), 0);
  EXPECT_EQ(AngleOfPoint(0, 0, &out, true), 0);
  EXPECT_EQ(out, 42);
}

TEST(Angles, DegreeRadianRoundTrip) {
  EXPECT_DOUBLE_EQ(RadiansToDegrees(kPi), 180);
  EXPECT_DOUBLE_EQ(DegreesToRadians(90), kHalfPi);
}

}  // namespace
