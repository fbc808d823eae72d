// The ellipse's ring of outline pixels and the arcs cut from it: a closed
// 8-connected ring symmetric about both axes, inside its box and touching
// all four sides, and arcs between two radials that split the ring between
// them. The pixels themselves are checked against the reference in the
// drawing scripts (gdi_reference/arcs.txt, curves.txt).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

#include "platform/gdi/ellipse_ring.h"

namespace {

using gdi::ArcVertices;
using gdi::EllipseRing;
using gdi::EllipseRingCentre;
using gdi::MakeEllipseRing;
using gdi::RingPixels;

struct Box {
  int l, t, r, b;  // pixels [l, r] x [t, b]
};

std::vector<Box> Boxes() {
  std::vector<Box> boxes;
  for (int w = 3; w <= 40; w += 1)
    for (int h = 2; h <= 40; h += 3) boxes.push_back({w % 7 - 3, -h / 2, w % 7 - 3 + w - 1, -h / 2 + h - 1});
  boxes.push_back({-700, 5, 500, 1000});
  return boxes;
}

std::set<std::pair<int, int>> AsSet(const std::vector<POINT>& pts) {
  std::set<std::pair<int, int>> out;
  for (POINT p : pts) out.insert({p.x, p.y});
  return out;
}

TEST(EllipseRing, IsAClosedEightConnectedRingInsideItsBox) {
  for (const Box& box : Boxes()) {
    SCOPED_TRACE(testing::Message() << box.l << "," << box.t << " " << box.r << "," << box.b);
    const EllipseRing ring = MakeEllipseRing(box.l, box.t, box.r, box.b);
    ASSERT_EQ(ring.pixels.size(), ring.offsets.size());
    ASSERT_EQ(ring.quarterStart[4], ring.pixels.size());
    const size_t n = ring.pixels.size();
    ASSERT_GE(n, 4u);
    for (size_t i = 0; i < n; ++i) {
      const POINT a = ring.pixels[i], b = ring.pixels[(i + 1) % n];
      EXPECT_LE(std::abs(a.x - b.x), 1) << "entry " << i;
      EXPECT_LE(std::abs(a.y - b.y), 1) << "entry " << i;
      EXPECT_TRUE(a.x >= box.l && a.x <= box.r && a.y >= box.t && a.y <= box.b) << "entry " << i;
    }
    const auto pixels = AsSet(RingPixels(ring));
    EXPECT_EQ(pixels.size(), RingPixels(ring).size());
    int left = box.r, right = box.l;
    for (auto [x, y] : pixels) {
      EXPECT_TRUE(pixels.count({box.l + box.r - x, y})) << x << "," << y << " mirrored left to right";
      EXPECT_TRUE(pixels.count({x, box.t + box.b - y})) << x << "," << y << " mirrored top to bottom";
      left = std::min(left, x), right = std::max(right, x);
    }
    EXPECT_EQ(left, box.l);
    EXPECT_EQ(right, box.r);
  }
}

TEST(EllipseRing, OffsetsGrowOutwardFromTheCentre) {
  for (const Box& box : Boxes()) {
    const EllipseRing ring = MakeEllipseRing(box.l, box.t, box.r, box.b);
    const POINT c = EllipseRingCentre(box.l, box.t, box.r, box.b);
    for (size_t i = 0; i < ring.pixels.size(); ++i) {
      const POINT p = ring.pixels[i], o = ring.offsets[i];
      // The pixel right of (below) the middle of an even width (height) is
      // the centre, and the one left of (above) it counts as 0 too.
      const int dx = p.x - c.x + ((box.r - box.l) % 2 == 1 && p.x < c.x ? 1 : 0);
      const int dy = c.y - p.y - ((box.b - box.t) % 2 == 1 && p.y < c.y ? 1 : 0);
      EXPECT_EQ(o.x, dx) << p.x << "," << p.y;
      EXPECT_EQ(o.y, dy) << p.x << "," << p.y;
    }
  }
}

TEST(EllipseRing, CentreIsTheMiddlePixelOrTheOneAfterIt) {
  struct Case {
    Box box;
    POINT centre;
  } cases[] = {{{0, 0, 4, 4}, {2, 2}}, {{0, 0, 5, 3}, {3, 2}}, {{-5, -4, -1, -1}, {-3, -2}}, {{-6, -6, 5, 5}, {0, 0}}};
  for (const Case& c : cases) {
    const POINT got = EllipseRingCentre(c.box.l, c.box.t, c.box.r, c.box.b);
    EXPECT_EQ(got.x, c.centre.x);
    EXPECT_EQ(got.y, c.centre.y);
  }
}

// Radials at angles in degrees, far outside the box.
POINT Radial(POINT centre, double degrees) {
  const double a = degrees * 3.14159265358979323846 / 180;
  return {LONG(std::lround(centre.x + 5000 * std::cos(a))), LONG(std::lround(centre.y - 5000 * std::sin(a)))};
}

TEST(EllipseRing, TwoArcsBetweenTheSameRadialsShareTheRing) {
  const double angles[][2] = {{30, 210}, {100, 300}, {170, 350}, {260, 80}, {1, 359}, {185, 95}};
  for (const Box& box : Boxes()) {
    const EllipseRing ring = MakeEllipseRing(box.l, box.t, box.r, box.b);
    const POINT c = EllipseRingCentre(box.l, box.t, box.r, box.b);
    std::multiset<std::pair<int, int>> whole;
    for (POINT p : ring.pixels) whole.insert({p.x, p.y});
    for (const auto& pair : angles) {
      SCOPED_TRACE(testing::Message() << box.l << "," << box.t << " " << box.r << "," << box.b << " from "
                                      << pair[0] << " to " << pair[1]);
      const POINT a = Radial(c, pair[0]), b = Radial(c, pair[1]);
      const auto there = ArcVertices(ring, c, a, b, false), back = ArcVertices(ring, c, b, a, false);
      std::multiset<std::pair<int, int>> both;
      for (POINT p : there) both.insert({p.x, p.y});
      for (POINT p : back) both.insert({p.x, p.y});
      EXPECT_EQ(both, whole);
      // Clockwise from b to a walks the counter-clockwise arc from a to b backwards.
      auto reversed = ArcVertices(ring, c, b, a, true);
      std::reverse(reversed.begin(), reversed.end());
      EXPECT_EQ(AsSet(reversed), AsSet(there));
      ASSERT_EQ(reversed.size(), there.size());
      for (size_t i = 0; i < there.size(); ++i) {
        EXPECT_EQ(reversed[i].x, there[i].x);
        EXPECT_EQ(reversed[i].y, there[i].y);
      }
    }
  }
}

TEST(EllipseRing, OneRadialForBothEndsGivesTheWholeRing) {
  for (const Box& box : Boxes()) {
    const EllipseRing ring = MakeEllipseRing(box.l, box.t, box.r, box.b);
    const POINT c = EllipseRingCentre(box.l, box.t, box.r, box.b);
    for (double a : {10.0, 135.0, 200.0, 333.0})
      for (bool clockwise : {false, true})
        EXPECT_EQ(ArcVertices(ring, c, Radial(c, a), Radial(c, a), clockwise).size(), ring.pixels.size());
  }
}

}  // namespace
