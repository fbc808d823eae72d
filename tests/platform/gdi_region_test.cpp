// Regions, clipping and paths.
#include <gtest/gtest.h>

#include "tests/platform/gdi_test_util.h"

namespace {

using namespace gditest;

struct CombineCase {
  int mode;
  int kind;
  RECT box;
  int area;
};

class GdiCombineRgn : public testing::TestWithParam<CombineCase> {};

TEST_P(GdiCombineRgn, OverlappingRectangles) {
  // a = [0, 10) x [0, 10), b = [5, 15) x [5, 15): overlap 5 x 5.
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 5, 15, 15);
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  const auto& k = GetParam();
  EXPECT_EQ(CombineRgn(out, a, b, k.mode), k.kind);
  RECT box;
  GetRgnBox(out, &box);
  EXPECT_TRUE(SameRect(box, k.box));
  int area = 0;
  for (int y = -1; y < 16; ++y)
    for (int x = -1; x < 16; ++x) area += PtInRegion(out, x, y);
  EXPECT_EQ(area, k.area);
  for (HRGN r : {a, b, out}) DeleteObject(r);
}

INSTANTIATE_TEST_SUITE_P(Modes, GdiCombineRgn,
                         testing::Values(CombineCase{RGN_AND, SIMPLEREGION, {5, 5, 10, 10}, 25},
                                         CombineCase{RGN_OR, COMPLEXREGION, {0, 0, 15, 15}, 175},
                                         CombineCase{RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}, 150},
                                         CombineCase{RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}, 75},
                                         CombineCase{RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}, 100}));

TEST(GdiRegion, DisjointAndEmptyResults) {
  HRGN a = CreateRectRgn(0, 0, 4, 4);
  HRGN b = CreateRectRgn(10, 0, 14, 4);
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), NULLREGION);
  RECT box;
  EXPECT_EQ(GetRgnBox(out, &box), NULLREGION);
  EXPECT_TRUE(SameRect(box, RECT{0, 0, 0, 0}));
  EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), COMPLEXREGION);
  RECT probe{5, 0, 9, 4};
  EXPECT_FALSE(RectInRegion(out, &probe));
  probe.right = 11;
  EXPECT_TRUE(RectInRegion(out, &probe));
  EXPECT_EQ(OffsetRgn(out, 1, 2), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(out, 1, 2));
  EXPECT_FALSE(PtInRegion(out, 0, 0));
  for (HRGN r : {a, b, out}) DeleteObject(r);
}

// An elliptic region is the ellipse through the centres of the edge pixels of
// its box made one pixel smaller on the right and at the bottom.
TEST(GdiRegion, EllipticRegionIsSymmetricInItsBox) {
  HRGN e = CreateEllipticRgn(0, 0, 20, 10);
  RECT box;
  EXPECT_EQ(GetRgnBox(e, &box), COMPLEXREGION);
  EXPECT_TRUE(SameRect(box, RECT{0, 0, 19, 9}));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 19; ++x) {
      EXPECT_EQ(PtInRegion(e, x, y), PtInRegion(e, 18 - x, y)) << x << "," << y;
      EXPECT_EQ(PtInRegion(e, x, y), PtInRegion(e, x, 8 - y)) << x << "," << y;
      // Centres well inside or outside the ellipse equation.
      const double u = (x - 9) / 9.0, v = (y - 4) / 4.0;
      const double f = u * u + v * v;
      if (f < 0.8) {
        EXPECT_TRUE(PtInRegion(e, x, y)) << x << "," << y;
      }
      if (f > 1.2) {
        EXPECT_FALSE(PtInRegion(e, x, y)) << x << "," << y;
      }
    }
  DeleteObject(e);
}

TEST(GdiRegion, RingFromEllipsesAsHitTestsUseIt) {
  // Outer half-extent 14, inner 4 about (50, 50).
  HRGN outer = CreateEllipticRgn(36, 36, 64, 64);
  HRGN inner = CreateEllipticRgn(46, 46, 54, 54);
  HRGN ring = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(ring, outer, inner, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(ring, 50, 50));
  EXPECT_TRUE(PtInRegion(ring, 40, 50));
  EXPECT_FALSE(PtInRegion(ring, 30, 50));
  for (HRGN r : {outer, inner, ring}) DeleteObject(r);
}

TEST(GdiRegion, PolygonRegionMatchesTheFilledPolygon) {
  const POINT star[5] = {{20, 2}, {31, 35}, {3, 14}, {37, 14}, {9, 35}};
  for (int mode : {ALTERNATE, WINDING}) {
    HRGN rgn = CreatePolygonRgn(star, 5, mode);
    Canvas c(41, 41);
    Selected brush(c.dc(), CreateSolidBrush(kRed));
    HGDIOBJ old = SelectObject(c.dc(), GetStockObject(NULL_PEN));
    SetPolyFillMode(c.dc(), mode);
    Polygon(c.dc(), star, 5);
    SelectObject(c.dc(), old);
    for (int y = 0; y < 41; ++y)
      for (int x = 0; x < 41; ++x) ASSERT_EQ(PtInRegion(rgn, x, y) != 0, c.At(x, y) == kRed) << x << "," << y;
    DeleteObject(rgn);
  }
}

TEST(GdiClip, DrawingStaysInsideTheSelectedRegion) {
  Canvas c(40, 30);
  HRGN clip = CreateEllipticRgn(5, 5, 35, 25);
  EXPECT_EQ(SelectClipRgn(c.dc(), clip), COMPLEXREGION);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT all{0, 0, 40, 30};
  FillRect(c.dc(), &all, red);
  DeleteObject(red);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(PtInRegion(clip, x, y) != 0, c.At(x, y) == kRed) << x << "," << y;
  // The device context keeps its own copy of the region.
  DeleteObject(clip);
  RECT box;
  EXPECT_EQ(GetClipBox(c.dc(), &box), COMPLEXREGION);
  EXPECT_TRUE(SameRect(box, RECT{5, 5, 34, 24}));
  EXPECT_EQ(SelectClipRgn(c.dc(), nullptr), SIMPLEREGION);
  GetClipBox(c.dc(), &box);
  EXPECT_TRUE(SameRect(box, RECT{0, 0, 40, 30}));
}

TEST(GdiClip, IntersectAndExcludeRectanglesAndSaveRestore) {
  Canvas c(20, 20);
  const int saved = SaveDC(c.dc());
  EXPECT_EQ(IntersectClipRect(c.dc(), 2, 2, 18, 18), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(c.dc(), 6, 6, 14, 14), COMPLEXREGION);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT all{0, 0, 20, 20};
  FillRect(c.dc(), &all, red);
  EXPECT_EQ(c.Count(kRed), 16 * 16 - 8 * 8);
  EXPECT_EQ(c.Raw(10, 10), kWhite);
  EXPECT_EQ(c.Raw(1, 1), kWhite);
  EXPECT_EQ(c.At(10, 10), CLR_INVALID) << "outside the clip";
  EXPECT_FALSE(PtVisible(c.dc(), 10, 10));
  EXPECT_TRUE(PtVisible(c.dc(), 3, 3));
  EXPECT_TRUE(RestoreDC(c.dc(), saved));
  FillRect(c.dc(), &all, red);
  DeleteObject(red);
  EXPECT_EQ(c.Count(kRed), 400);
}

TEST(GdiClip, FrameRgnPaintsTheInsideEdgeOfTheRegion) {
  Canvas c(10, 10);
  HRGN r = CreateRectRgn(2, 2, 8, 7);
  HBRUSH red = CreateSolidBrush(kRed);
  EXPECT_TRUE(FrameRgn(c.dc(), r, red, 1, 1));
  EXPECT_EQ(c.Picture(kRed),
            "..........\n"
            "..........\n"
            "..######..\n"
            "..#....#..\n"
            "..#....#..\n"
            "..#....#..\n"
            "..######..\n"
            "..........\n"
            "..........\n"
            "..........\n");
  EXPECT_TRUE(FillRgn(c.dc(), r, red));
  EXPECT_EQ(c.Count(kRed), 30);
  DeleteObject(red);
  DeleteObject(r);
}

TEST(GdiPath, FilledPathEqualsPolygonAndItsRegion) {
  const POINT tri[3] = {{2, 2}, {25, 6}, {8, 20}};
  Canvas a(30, 25), b(30, 25);
  for (Canvas* c : {&a, &b}) {
    SelectObject(c->dc(), GetStockObject(NULL_PEN));
    SelectObject(c->dc(), GetStockObject(BLACK_BRUSH));
  }
  Polygon(a.dc(), tri, 3);
  EXPECT_TRUE(BeginPath(b.dc()));
  MoveToEx(b.dc(), tri[0].x, tri[0].y, nullptr);
  LineTo(b.dc(), tri[1].x, tri[1].y);
  LineTo(b.dc(), tri[2].x, tri[2].y);
  EXPECT_EQ(b.Count(kBlack), 0) << "nothing is drawn while a path is open";
  EXPECT_TRUE(CloseFigure(b.dc()));
  EXPECT_TRUE(EndPath(b.dc()));
  EXPECT_TRUE(FillPath(b.dc()));
  EXPECT_EQ(a.Picture(kBlack), b.Picture(kBlack));
  EXPECT_FALSE(FillPath(b.dc())) << "the path is used up";

  BeginPath(b.dc());
  Polygon(b.dc(), tri, 3);
  EndPath(b.dc());
  HRGN fromPath = PathToRegion(b.dc());
  HRGN direct = CreatePolygonRgn(tri, 3, ALTERNATE);
  EXPECT_TRUE(EqualRgn(fromPath, direct));
  DeleteObject(fromPath);
  DeleteObject(direct);
}

TEST(GdiPath, StrokePathWithAGeometricPenMatchesDirectDrawing) {
  LOGBRUSH lb{BS_SOLID, kBlack, 0};
  Canvas a(40, 30), b(40, 30);
  Selected pa(a.dc(), ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER, 4, &lb, 0, nullptr));
  Selected pb(b.dc(), ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER, 4, &lb, 0, nullptr));
  const POINT pts[3] = {{5, 25}, {20, 5}, {35, 25}};
  Polyline(a.dc(), pts, 3);
  BeginPath(b.dc());
  Polyline(b.dc(), pts, 3);
  EndPath(b.dc());
  EXPECT_TRUE(StrokePath(b.dc()));
  EXPECT_EQ(a.Picture(kBlack), b.Picture(kBlack));
  EXPECT_GT(a.Count(kBlack), 100);
  // A mitred join reaches above the apex.
  EXPECT_EQ(a.At(20, 3), kBlack);
}

TEST(GdiPath, AbortPathDiscardsAndRectangleInAPathExcludesItsEdges) {
  Canvas c(10, 10);
  BeginPath(c.dc());
  Rectangle(c.dc(), 1, 1, 6, 5);
  EXPECT_TRUE(AbortPath(c.dc()));
  EXPECT_FALSE(StrokePath(c.dc()));
  BeginPath(c.dc());
  Rectangle(c.dc(), 1, 1, 6, 5);
  EndPath(c.dc());
  HRGN r = PathToRegion(c.dc());
  RECT box;
  GetRgnBox(r, &box);
  EXPECT_TRUE(SameRect(box, RECT{1, 1, 5, 4}));
  DeleteObject(r);
}

TEST(GdiPath, SelectClipPathClipsToTheFigure) {
  Canvas c(20, 20);
  BeginPath(c.dc());
  Rectangle(c.dc(), 4, 4, 12, 12);
  EndPath(c.dc());
  EXPECT_TRUE(SelectClipPath(c.dc(), RGN_COPY));
  HBRUSH red = CreateSolidBrush(kRed);
  RECT all{0, 0, 20, 20};
  FillRect(c.dc(), &all, red);
  DeleteObject(red);
  EXPECT_TRUE(SameRect(c.Bounds(kRed), RECT{4, 4, 11, 11}));
}

}  // namespace

namespace {

using namespace gditest;

TEST(GdiPath, WidenPathGivesTheAreaThePenPaints) {
  LOGBRUSH lb{BS_SOLID, kBlack, 0};
  Canvas a(30, 30), b(30, 30);
  Selected pa(a.dc(), ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND, 5, &lb, 0, nullptr));
  Selected pb(b.dc(), ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND, 5, &lb, 0, nullptr));
  const POINT pts[3] = {{4, 4}, {25, 10}, {8, 26}};
  Polyline(a.dc(), pts, 3);
  BeginPath(b.dc());
  Polyline(b.dc(), pts, 3);
  EndPath(b.dc());
  EXPECT_TRUE(WidenPath(b.dc()));
  SelectObject(b.dc(), GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(FillPath(b.dc()));
  EXPECT_EQ(a.Picture(kBlack), b.Picture(kBlack));
  EXPECT_FALSE(WidenPath(b.dc())) << "no path left";
}

TEST(GdiShapes, PieAndChordCloseTheirArcs) {
  Canvas pie(41, 41), chord(41, 41);
  for (Canvas* c : {&pie, &chord}) {
    SelectObject(c->dc(), GetStockObject(BLACK_BRUSH));
    SelectObject(c->dc(), GetStockObject(NULL_PEN));
  }
  // The upper right quarter of a circle about (20, 20).
  Pie(pie.dc(), 0, 0, 41, 41, 40, 20, 20, 0);
  Chord(chord.dc(), 0, 0, 41, 41, 40, 20, 20, 0);
  EXPECT_EQ(pie.Raw(25, 15), kBlack);
  EXPECT_EQ(pie.Raw(15, 15), kWhite);
  EXPECT_EQ(pie.Raw(25, 25), kWhite);
  EXPECT_EQ(chord.Raw(25, 15), kWhite) << "inside the chord line, outside the segment";
  EXPECT_EQ(chord.Raw(33, 7), kBlack);
  EXPECT_GT(pie.Count(kBlack), chord.Count(kBlack));
}

}  // namespace
