#include <gtest/gtest.h>

#include "tests/foundation/geometry_test_util.h"
#include "foundation/geometry/angles.h"
#include "foundation/geometry/points.h"
#include "foundation/geometry/rotation.h"

namespace {

TEST(RotatePointScreen, Table) {
  const struct {
    int x, y;
    double deg;
    int cx, cy, ox, oy;
    POINT out;
  } cases[] = {
      {10, 0, 90, 0, 0, 0, 0, {0, -10}},      // counter-clockwise on the screen: up
      {10, 0, 45, 0, 0, 0, 0, {7, -7}},       // truncation toward zero
      {10, 0, 180, 0, 0, 0, 0, {-10, 0}},
      {10, 0, 270, 0, 0, 0, 0, {0, 10}},
      {10, 0, -90, 0, 0, 0, 0, {0, 10}},      // whole right angles stay exact
      {-10, 3, 360, 0, 0, 0, 0, {-10, 3}},
      {15, 5, 90, 5, 5, 0, 0, {5, -5}},       // about a centre
      {15, 5, 90, 5, 5, 2, 3, {7, -2}},       // plus an offset
      {100, 0, 30, 0, 0, 0, 0, {86, -49}},    // 86.6, -49.99..
  };
  for (const auto& c : cases)
    EXPECT_EQ(RotatePointScreen(c.x, c.y, c.deg, c.cx, c.cy, c.ox, c.oy), c.out) << c.deg;
}

TEST(RotatePoint, MathematicalOrientationTurnsTheOtherWay) {
  EXPECT_EQ(RotatePoint(10, 0, 90, 0, 0), (POINT{0, 10}));
  EXPECT_EQ(RotatePoint(7, 2, 0, 1, 1), (POINT{7, 2}));
}

TEST(RotatePoints, TurnsEachPointInPlace) {
  POINT pts[3] = {{10, 0}, {0, 10}, {-10, 0}};
  RotatePoints(pts, 3, 90, 0, 0);
  EXPECT_EQ(pts[0], (POINT{0, -10}));
  EXPECT_EQ(pts[1], (POINT{10, 0}));
  EXPECT_EQ(pts[2], (POINT{0, 10}));
}

TEST(RotateRect, TurnsTwoCornersAndNormalises) {
  // (0,0)-(20,10) about (0,0) by 90: (0,0) and (10,-20) -> normalised.
  EXPECT_EQ(RotateRect({0, 0, 20, 10}, 90, 0, 0), (RECT{0, -20, 10, 0}));
  // Only two corners turn: at 45 degrees the result is not the bounding box.
  const RECT r = RotateRect({-10, -10, 10, 10}, 45, 0, 0);
  const RECT b = RotatedRectBounds({-10, -10, 10, 10}, 45);
  EXPECT_LT(r.bottom - r.top, b.bottom - b.top);
}

TEST(RotatedRectBounds, Table) {
  const struct {
    RECT in;
    double deg;
    RECT out;
  } cases[] = {
      {{-20, -10, 20, 10}, 0, {-20, -10, 20, 10}},
      {{-20, -10, 20, 10}, 90, {-10, -20, 10, 20}},
      {{-20, -10, 20, 10}, 180, {-20, -10, 20, 10}},
      {{-10, -10, 10, 10}, 45, {-14, -14, 14, 14}},  // 14.14 truncated
  };
  for (const auto& c : cases) EXPECT_EQ(RotatedRectBounds(c.in, c.deg), c.out) << c.deg;
}

TEST(UnrotatedSizeFromBounds, RecoversTheSizeThatWasTurned) {
  const struct {
    int w, h, angle;
  } cases[] = {{200, 100, 0}, {200, 100, 90000}, {200, 100, 180000}, {200, 100, 270000},
               {400, 100, 10000}, {400, 100, 30000}, {400, 100, 100000}, {400, 100, 200000},
               {400, 100, 290000}, {400, 100, 350000}};
  for (const auto& c : cases) {
    const RECT bounds = RotatedRectBounds({-c.w / 2, -c.h / 2, c.w / 2, c.h / 2}, c.angle / 1000.0);
    const SIZE s = UnrotatedSizeFromBounds(bounds, c.angle, double(c.h) / c.w);
    // Truncation on the way there and back costs a few units.
    EXPECT_NEAR(s.cx, c.w, 4) << c.angle;
    EXPECT_NEAR(s.cy, c.h, 4) << c.angle;
  }
}

TEST(UnrotatedSizeFromBounds, FortyFiveDegreesUsesTheAspect) {
  const RECT bounds = RotatedRectBounds({-100, -50, 100, 50}, 45);
  const SIZE s = UnrotatedSizeFromBounds(bounds, 45000, 0.5);
  EXPECT_EQ(s.cy, s.cx / 2);
  EXPECT_NEAR(s.cx, 200, 2);
  const SIZE right = UnrotatedSizeFromBounds({0, 0, 30, 70}, 90000, 1);
  EXPECT_EQ(right.cx, 70);
  EXPECT_EQ(right.cy, 30);
}

TEST(AnchorToTopLeft, NineAnchorsUnturned) {
  const int x = 1000, y = 500, w = 101, h = 51;
  const POINT expected[10] = {{x, y},           {x - 50, y},      {x - w, y},      {x, y - 25},
                              {x - 50, y - 25}, {x - w, y - 25},  {x, y - h},      {x - 50, y - h},
                              {x - w, y - h},   {x, y}};
  for (int anchor = 0; anchor < 10; ++anchor)
    EXPECT_EQ(AnchorToTopLeft(x, y, anchor, w, h, 0), expected[anchor]) << anchor;
}

TEST(AnchorToTopLeft, CornerTurnsAboutTheAnchor) {
  // Bottom-right anchor, turned a quarter: the corner (x - 100, y - 50) goes to (x - 50, y + 100).
  EXPECT_EQ(AnchorToTopLeft(0, 0, 8, 100, 50, 90000), (POINT{-50, 100}));
  EXPECT_EQ(AnchorToTopLeft(0, 0, 8, 100, 50, 90000 + 360000), (POINT{-50, 100}));
}

}  // namespace
