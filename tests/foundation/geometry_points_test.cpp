#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "tests/foundation/geometry_test_util.h"
#include "foundation/geometry/grid.h"
#include "foundation/geometry/links.h"
#include "foundation/geometry/points.h"

namespace {

TEST(Distances, Basics) {
  EXPECT_DOUBLE_EQ(Square(-3), 9);
  EXPECT_DOUBLE_EQ(PointDistance(1, 1, 4, 5), 5);
  EXPECT_DOUBLE_EQ(VectorLength(-6, 8), 10);
  EXPECT_EQ(IsOppositeSign(-1, 5, 2, 5), 1);
  EXPECT_EQ(IsOppositeSign(1, -5, 2, 5), 1);
  EXPECT_EQ(IsOppositeSign(0, 5, -2, 5), 0);
  EXPECT_EQ(IsOppositeSign(100000, 0, -100000, 0), 1);  // no overflow in the product
}

TEST(ProjectPointOnLine, Table) {
  const struct {
    int px, py, x1, y1, x2, y2, ret;
    POINT out;
  } cases[] = {
      {5, 7, 0, 0, 10, 0, 1, {5, 0}},
      {5, 7, 0, 0, 0, 10, 1, {0, 7}},
      {10, 0, 0, 0, 10, 10, 1, {5, 5}},
      {3, 0, 0, 0, 10, 10, 1, {1, 1}},  // 1.5 truncated
      {5, 7, 2, 2, 2, 2, 0, {5, 7}},    // coincident points: the point itself
  };
  for (const auto& c : cases) {
    POINT out{-1, -1};
    EXPECT_EQ(ProjectPointOnLine(c.px, c.py, c.x1, c.y1, c.x2, c.y2, &out), c.ret);
    EXPECT_EQ(out, c.out) << c.px << "," << c.py;
  }
  EXPECT_EQ(ProjectPointOnRay(4, 9, 0, 5), (POINT{0, 9}));
}

TEST(PointInPolygon, SquareTable) {
  const POINT square[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  const struct {
    int x, y, expected;
  } cases[] = {
      {5, 5, 1},   {0, 0, -1},  {10, 10, -1}, {5, 0, -1},  {5, 10, -1}, {0, 5, -1},
      {10, 5, -1}, {-1, 5, 0},  {11, 5, 0},   {5, -1, 0},  {5, 11, 0},  {-5, 0, 0},
      {15, 10, 0}, {1, 1, 1},   {9, 9, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(PointInPolygon(square, 4, c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(PointInPolygon, LevelWithVerticesAndHorizontalRuns) {
  // A diamond: the left and right vertices are passed through; the top and
  // bottom ones are local extremes.
  const POINT diamond[4] = {{10, 0}, {20, 10}, {10, 20}, {0, 10}};
  // A shape with a flat top run of three vertices, a notch (local minimum)
  // and a step (run the outline passes through).
  const POINT notch[] = {{0, 0}, {10, 0}, {20, 0}, {20, 20}, {15, 10}, {10, 20}, {0, 20}};
  const POINT step[] = {{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 20}, {0, 20}};
  const struct {
    const POINT* pts;
    int n, x, y, expected;
  } cases[] = {
      {diamond, 4, -5, 10, 0},  // level with both side vertices, outside
      {diamond, 4, 10, 10, 1},
      {diamond, 4, 25, 10, 0},
      {diamond, 4, 0, 0, 0},    // level with the top vertex (extreme): no parity change
      {diamond, 4, 5, 20, 0},   // level with the bottom vertex
      {diamond, 4, 15, 5, -1},  // on a slanted edge
      {notch, 7, 5, 0, -1},     // on the flat top run
      {notch, 7, 15, 0, -1},
      {notch, 7, -3, 0, 0},     // level with the run, outside
      {notch, 7, 5, 10, 1},     // level with the notch's bottom, left of it
      {notch, 7, 15, 15, 0},    // inside the notch
      {notch, 7, 18, 10, 1},    // right of the notch's bottom
      {notch, 7, -1, 10, 0},
      {step, 6, 5, 10, 1},      // level with a horizontal run the outline passes through
      {step, 6, -2, 10, 0},
      {step, 6, 15, 10, -1},
      {step, 6, 15, 5, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(PointInPolygon(c.pts, c.n, c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(PointInPolygon, CrossingIsComparedExactly) {
  // The edge from (0,0) to (7,2) crosses y = 1 at x = 3.5: (3,1) lies inside
  // the triangle and (4,1) outside, although both round to the same crossing.
  const POINT tri[3] = {{0, 0}, {7, 2}, {0, 2}};
  EXPECT_EQ(PointInPolygon(tri, 3, 3, 1), 1);
  EXPECT_EQ(PointInPolygon(tri, 3, 4, 1), 0);
  const POINT slim[3] = {{0, 0}, {10, 3}, {0, 3}};
  EXPECT_EQ(PointInPolygon(slim, 3, 3, 1), 1);  // crossing at 3.33
  EXPECT_EQ(PointInPolygon(slim, 3, 4, 1), 0);
  EXPECT_EQ(PointInPolygon(nullptr, 0, 0, 0), 0);
}

TEST(Outlines, RectPolygonBoundsAndOffsets) {
  POINT out[5];
  RectToPolygon({10, 20, 0, 5}, out, 5);
  const POINT expected[5] = {{0, 5}, {10, 5}, {10, 20}, {0, 20}, {0, 5}};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(out[i], expected[i]) << i;

  const RECT empty = PointsBoundingRect(nullptr, 0);
  EXPECT_EQ(empty.left, INT_MAX);
  EXPECT_EQ(empty.bottom, INT_MIN);
  const RECT b = PointsBoundingRect(out, 4);
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.top, 5);
  EXPECT_EQ(b.right, 10);
  EXPECT_EQ(b.bottom, 20);

  OffsetPoints(out, 2, 3, -4);
  EXPECT_EQ(out[0], (POINT{3, 1}));
  EXPECT_EQ(out[1], (POINT{13, 1}));
  EXPECT_EQ(out[2], (POINT{10, 20}));

  const POINT pts[3] = {{0, 0}, {3, 4}, {0, 1}};
  EXPECT_DOUBLE_EQ(ExtremePointDistance(pts, 3, true), 5);
  EXPECT_DOUBLE_EQ(ExtremePointDistance(pts, 3, false), 1);
  EXPECT_DOUBLE_EQ(ExtremePointDistance(pts, 1, false), 2147483647.0);
}

TEST(EqualPointLists, Table) {
  const std::vector<POINT> abcd = {{0, 0}, {10, 0}, {10, 5}, {0, 5}};
  const struct {
    std::vector<POINT> a, b;
    int expected;
  } cases[] = {
      {abcd, abcd, 1},
      {abcd, {{10, 5}, {0, 5}, {0, 0}, {10, 0}}, 1},           // another start vertex
      {abcd, {{10, 0}, {10, 0}, {10, 5}, {0, 5}, {0, 0}}, 1},  // a repeated point
      {abcd, {{0, 0}, {10, 0}, {10, 5}, {0, 5}, {0, 0}}, 1},   // explicitly closed
      {abcd, {{0, 0}, {0, 5}, {10, 5}, {10, 0}}, 0},           // reversed order
      {abcd, {{0, 0}, {10, 0}, {10, 5}}, 0},
      {abcd, {{0, 0}, {10, 0}, {10, 6}, {0, 5}}, 0},
      {{}, {}, 1},
      {abcd, {}, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EqualPointLists(c.a.data(), int(c.a.size()), c.b.data(), int(c.b.size())), c.expected);
}

TEST(EqualPointList, ArrayAgainstPointsAndRectangle) {
  ATypedArray<POINT> arr;
  const POINT pts[4] = {{0, 5}, {0, 0}, {10, 0}, {10, 5}};
  EXPECT_EQ(EqualPointList(arr, nullptr, 0), 0);  // an empty array never matches
  for (const POINT& p : pts) arr.Add(p);
  EXPECT_EQ(EqualPointList(arr, pts, 4), 1);
  EXPECT_EQ(EqualRectPointList(arr, {10, 5, 0, 0}), 1);
  EXPECT_EQ(EqualRectPointList(arr, {0, 0, 10, 6}), 0);
}

TEST(Swaps, ExchangeValues) {
  short a = 1, b = 2;
  SwapShort(&a, &b);
  EXPECT_EQ(a, 2);
  POINT p{1, 2}, q{3, 4};
  SwapPoint(&p, &q);
  EXPECT_EQ(p, (POINT{3, 4}));
}

TEST(SnapToGrid, Table) {
  const struct {
    double v, spacing, out;
  } cases[] = {{7, 5, 5}, {8, 5, 10}, {7.5, 5, 10}, {-3, 2, -2}, {-7, 5, -5}, {-9, 5, -5}, {0, 5, 0}, {3, 0, 3}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(SnapToGrid(c.v, c.spacing), c.out) << c.v << "/" << c.spacing;
}

TEST(IsLinked, WalksTheMatrix) {
  // 0 -> 1 (entry 1), 1 -> 2 (entry 3), 2 -> 0 (entry 2: not a link), 3 alone, 1 <-> 4 cycle.
  constexpr int n = 5;
  int m[n * n] = {};
  m[0 * n + 1] = 1;
  m[1 * n + 2] = 3;
  m[2 * n + 0] = 2;
  m[1 * n + 4] = 1;
  m[4 * n + 1] = 1;
  const struct {
    int a, b, expected, either;
  } cases[] = {
      {0, 1, 1, 1}, {0, 2, 1, 1}, {2, 0, 0, 1}, {1, 0, 0, 1}, {0, 3, 0, 0},
      {4, 2, 1, 1}, {0, 0, 0, 0}, {4, 4, 1, 1}, {-1, 2, 0, 0}, {0, 5, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsLinked(c.a, c.b, m, n), c.expected) << c.a << "->" << c.b;
    EXPECT_EQ(IsLinkedEitherWay(c.a, c.b, m, n), c.either) << c.a << "<->" << c.b;
  }
}

}  // namespace
