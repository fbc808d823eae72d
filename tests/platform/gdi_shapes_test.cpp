// Rectangles, pens, polygons and binary raster operations, pixel by pixel.
#include <gtest/gtest.h>

#include "tests/platform/gdi_test_util.h"

namespace {

using namespace gditest;

TEST(GdiFill, FillRectExcludesRightAndBottomEdges) {
  Canvas c(8, 6);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT r{2, 1, 6, 4};
  EXPECT_EQ(FillRect(c.dc(), &r, red), 1);
  DeleteObject(red);
  EXPECT_EQ(c.Picture(kRed),
            "........\n"
            "..####..\n"
            "..####..\n"
            "..####..\n"
            "........\n"
            "........\n");
}

TEST(GdiFill, RectangleFramesWithThePenAndFillsInside) {
  Canvas c(7, 6);
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  Rectangle(c.dc(), 1, 1, 6, 5);
  EXPECT_EQ(c.Picture(kBlack),
            ".......\n"
            ".#####.\n"
            ".#...#.\n"
            ".#...#.\n"
            ".#####.\n"
            ".......\n");
  EXPECT_EQ(c.Picture(kRed, RECT{2, 2, 5, 4}), "###\n###\n");
  EXPECT_EQ(c.Count(kRed), 6);
}

TEST(GdiFill, RectangleWithoutPenIsOnePixelSmaller) {
  Canvas c(7, 6);
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  HGDIOBJ old = SelectObject(c.dc(), GetStockObject(NULL_PEN));
  Rectangle(c.dc(), 1, 1, 6, 5);
  SelectObject(c.dc(), old);
  EXPECT_EQ(c.Picture(kRed),
            ".......\n"
            ".####..\n"
            ".####..\n"
            ".####..\n"
            ".......\n"
            ".......\n");
}

TEST(GdiPen, FlatCappedWidePenCoversItsWidthCentredOnTheLine) {
  Canvas c(16, 10);
  LOGBRUSH lb{BS_SOLID, kBlack, 0};
  Selected pen(c.dc(), ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 3, &lb, 0, nullptr));
  MoveToEx(c.dc(), 2, 5, nullptr);
  LineTo(c.dc(), 12, 5);
  EXPECT_TRUE(SameRect(c.Bounds(kBlack), RECT{2, 4, 12, 7}));
  EXPECT_EQ(c.Count(kBlack), 30);
}

TEST(GdiPen, VerticalFourPixelPen) {
  Canvas c(12, 12);
  LOGBRUSH lb{BS_SOLID, kBlack, 0};
  Selected pen(c.dc(), ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 4, &lb, 0, nullptr));
  MoveToEx(c.dc(), 5, 2, nullptr);
  LineTo(c.dc(), 5, 10);
  EXPECT_TRUE(SameRect(c.Bounds(kBlack), RECT{3, 2, 7, 10}));
  EXPECT_EQ(c.Count(kBlack), 32);
}

TEST(GdiPen, SquareAndRoundCapsReachHalfTheWidthPastTheEnds) {
  {
    Canvas c(16, 10);
    LOGBRUSH lb{BS_SOLID, kBlack, 0};
    Selected pen(c.dc(), ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE, 3, &lb, 0, nullptr));
    MoveToEx(c.dc(), 2, 5, nullptr);
    LineTo(c.dc(), 12, 5);
    // Along an axis the caps reach the whole pixels of half the width.
    EXPECT_TRUE(SameRect(c.Bounds(kBlack), RECT{1, 4, 13, 7}));
  }
  {
    Canvas c(16, 10);
    Selected pen(c.dc(), CreatePen(PS_SOLID, 3, kBlack));  // wide pens are round-capped
    MoveToEx(c.dc(), 2, 5, nullptr);
    LineTo(c.dc(), 12, 5);
    EXPECT_EQ(c.Picture(kBlack, RECT{0, 5, 16, 6}), ".#############..\n");
    EXPECT_EQ(c.At(1, 3), kWhite);
  }
}

TEST(GdiPen, CosmeticPenIsOnePixelAndLeavesOutTheLastPoint) {
  Canvas c(8, 8);
  MoveToEx(c.dc(), 1, 1, nullptr);
  LineTo(c.dc(), 6, 1);
  LineTo(c.dc(), 6, 6);
  EXPECT_EQ(c.Picture(kBlack),
            "........\n"
            ".######.\n"
            "......#.\n"
            "......#.\n"
            "......#.\n"
            "......#.\n"
            "........\n"
            "........\n");
  POINT p;
  GetCurrentPositionEx(c.dc(), &p);
  EXPECT_EQ(p.x, 6);
  EXPECT_EQ(p.y, 6);
}

struct StyleCase {
  int style;
  const char* row;  // the first 30 pixels of a line from x = 0
};

class GdiPenStyle : public testing::TestWithParam<StyleCase> {};

TEST_P(GdiPenStyle, DashesFollowThePatternAndGapsTakeTheBackground) {
  const StyleCase& k = GetParam();
  Canvas c(30, 3);
  Selected pen(c.dc(), CreatePen(k.style, 1, kBlack));
  SetBkColor(c.dc(), kBlue);
  MoveToEx(c.dc(), 0, 1, nullptr);
  LineTo(c.dc(), 40, 1);
  std::string expectedGaps;
  for (const char* p = k.row; *p; ++p) expectedGaps += *p == '#' ? '.' : '#';
  EXPECT_EQ(c.Picture(kBlack, RECT{0, 1, 30, 2}), std::string(k.row) + "\n");
  EXPECT_EQ(c.Picture(kBlue, RECT{0, 1, 30, 2}), expectedGaps + "\n");

  Canvas t(30, 3);
  Selected pen2(t.dc(), CreatePen(k.style, 1, kBlack));
  SetBkMode(t.dc(), TRANSPARENT);
  SetBkColor(t.dc(), kBlue);
  MoveToEx(t.dc(), 0, 1, nullptr);
  LineTo(t.dc(), 40, 1);
  EXPECT_EQ(t.Count(kBlue), 0);
  EXPECT_EQ(t.Picture(kBlack, RECT{0, 1, 30, 2}), std::string(k.row) + "\n");
}

INSTANTIATE_TEST_SUITE_P(Styles, GdiPenStyle,
                         testing::Values(StyleCase{PS_DASH, "##################......######"},
                                         StyleCase{PS_DOT, "###...###...###...###...###..."},
                                         StyleCase{PS_DASHDOT, "#########......###......######"},
                                         StyleCase{PS_DASHDOTDOT, "#########...###...###...######"}));

TEST(GdiPen, GeometricDashesScaleWithTheWidth) {
  // Width 4: dashes of 3 widths, gaps of one; flat ends cut each dash square.
  // The line covers rows 8 to 11.
  Canvas c(40, 16);
  LOGBRUSH lb{BS_SOLID, kBlack, 0};
  Selected pen(c.dc(), ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT, 4, &lb, 0, nullptr));
  MoveToEx(c.dc(), 0, 10, nullptr);
  LineTo(c.dc(), 40, 10);
  const std::string row = "############....############....########\n";
  EXPECT_EQ(c.Picture(kBlack, RECT{0, 8, 40, 12}), row + row + row + row);
  EXPECT_EQ(c.Count(kBlack), 4 * 32);
}

TEST(GdiPen, NullPenDrawsNothing) {
  Canvas c(10, 10);
  HGDIOBJ old = SelectObject(c.dc(), GetStockObject(NULL_PEN));
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 9, 9);
  SelectObject(c.dc(), old);
  EXPECT_EQ(c.Count(kWhite), 100);
}

TEST(GdiPen, InsideFramePenStaysInsideTheBox) {
  Canvas c(40, 40);
  Selected pen(c.dc(), CreatePen(PS_INSIDEFRAME, 5, kBlack));
  HGDIOBJ old = SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
  Rectangle(c.dc(), 10, 10, 30, 30);
  SelectObject(c.dc(), old);
  EXPECT_TRUE(SameRect(c.Bounds(kBlack), RECT{10, 10, 30, 30}));
  EXPECT_EQ(c.At(20, 10), kBlack);
  EXPECT_EQ(c.At(20, 14), kBlack);
  EXPECT_EQ(c.At(20, 15), kWhite);
}

// A pentagram: its five tips overlap once, its middle pentagon twice.
const POINT kStar[5] = {{20, 2}, {31, 35}, {3, 14}, {37, 14}, {9, 35}};

TEST(GdiPolygon, AlternateLeavesTheMiddleOfAPentagramEmptyWindingFillsIt) {
  for (int mode : {ALTERNATE, WINDING}) {
    Canvas c(41, 41);
    Selected brush(c.dc(), CreateSolidBrush(kRed));
    HGDIOBJ old = SelectObject(c.dc(), GetStockObject(NULL_PEN));
    SetPolyFillMode(c.dc(), mode);
    Polygon(c.dc(), kStar, 5);
    SelectObject(c.dc(), old);
    EXPECT_EQ(c.At(20, 20), mode == WINDING ? kRed : kWhite) << mode;
    EXPECT_EQ(c.At(20, 8), kRed) << "top tip";
    EXPECT_EQ(c.At(8, 15), kRed) << "left tip";
    EXPECT_EQ(c.At(12, 31), kRed) << "lower left tip";
    EXPECT_EQ(c.At(10, 31), kWhite) << "just outside the lower left tip";
    EXPECT_EQ(c.At(2, 2), kWhite);
    EXPECT_EQ(c.At(20, 36), kWhite) << "between the lower tips";
    // A sharp apex has no width on its own row; bottom vertices are left out (bottom edges excluded).
    EXPECT_EQ(c.At(20, 2), kWhite);
    EXPECT_EQ(c.At(20, 3), kRed);
    EXPECT_EQ(c.At(31, 35), kWhite);
  }
}

TEST(GdiPolygon, PolyPolygonFillsTheRingBetweenTwoSquares) {
  Canvas c(12, 12);
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  HGDIOBJ old = SelectObject(c.dc(), GetStockObject(NULL_PEN));
  const POINT pts[8] = {{1, 1}, {11, 1}, {11, 11}, {1, 11}, {4, 4}, {8, 4}, {8, 8}, {4, 8}};
  const INT counts[2] = {4, 4};
  PolyPolygon(c.dc(), pts, counts, 2);
  SelectObject(c.dc(), old);
  EXPECT_EQ(c.Count(kRed), 100 - 16);
  EXPECT_EQ(c.At(5, 5), kWhite);
  EXPECT_EQ(c.At(1, 1), kRed);
  EXPECT_EQ(c.At(11, 5), kWhite);
}

struct RopCase {
  int rop;
  BYTE expected;  // for pen bits 0xCC over destination bits 0xAA
};

class GdiRop2 : public testing::TestWithParam<RopCase> {};

TEST_P(GdiRop2, CombinesPenAndDestinationBits) {
  Canvas c(3, 1, 32, {}, RGB(0xAA, 0xAA, 0xAA));
  Selected pen(c.dc(), CreatePen(PS_SOLID, 1, RGB(0xCC, 0xCC, 0xCC)));
  SetROP2(c.dc(), GetParam().rop);
  MoveToEx(c.dc(), 0, 0, nullptr);
  LineTo(c.dc(), 2, 0);
  const BYTE e = GetParam().expected;
  EXPECT_EQ(c.At(0, 0), RGB(e, e, e));
  EXPECT_EQ(c.At(1, 0), RGB(e, e, e));
  EXPECT_EQ(c.At(2, 0), RGB(0xAA, 0xAA, 0xAA));
}

INSTANTIATE_TEST_SUITE_P(Operations, GdiRop2,
                         testing::Values(RopCase{R2_BLACK, 0x00}, RopCase{R2_WHITE, 0xFF}, RopCase{R2_COPYPEN, 0xCC},
                                         RopCase{R2_NOP, 0xAA}, RopCase{R2_NOT, 0x55}, RopCase{R2_XORPEN, 0x66},
                                         RopCase{R2_NOTXORPEN, 0x99}, RopCase{R2_MASKPEN, 0x88},
                                         RopCase{R2_MERGEPEN, 0xEE}, RopCase{R2_NOTCOPYPEN, 0x33}));

TEST(GdiRop2, NotXorDrawnTwiceRestoresThePixels) {
  Canvas c(40, 30);
  // A background with several colours.
  for (int i = 0; i < 4; ++i) {
    HBRUSH b = CreateSolidBrush(RGB(60 * i, 255 - 50 * i, 30 * i));
    RECT r{i * 10, 0, i * 10 + 10, 30};
    FillRect(c.dc(), &r, b);
    DeleteObject(b);
  }
  const std::vector<BYTE> before(c.bits(), c.bits() + 40 * 30 * 4);
  Selected pen(c.dc(), CreatePen(PS_SOLID, 3, RGB(200, 100, 50)));
  Selected brush(c.dc(), CreateHatchBrush(HS_DIAGCROSS, RGB(10, 20, 30)));
  SetROP2(c.dc(), R2_NOTXORPEN);
  auto draw = [&] {
    Ellipse(c.dc(), 3, 3, 37, 27);
    MoveToEx(c.dc(), 0, 29, nullptr);
    LineTo(c.dc(), 39, 0);
  };
  draw();
  EXPECT_NE(std::vector<BYTE>(c.bits(), c.bits() + 40 * 30 * 4), before);
  draw();
  EXPECT_EQ(std::vector<BYTE>(c.bits(), c.bits() + 40 * 30 * 4), before);
}

TEST(GdiShapes, EllipseStaysInsideItsBoxAndTouchesEachSide) {
  Canvas c(30, 20);
  Ellipse(c.dc(), 2, 3, 26, 17);
  EXPECT_TRUE(SameRect(c.Bounds(kBlack), RECT{2, 3, 26, 17}));
  EXPECT_EQ(c.At(14, 10), kWhite);  // filled with the white stock brush
  EXPECT_EQ(c.At(2, 3), kWhite);    // corners stay out
}

// A shape far larger than the surface (metafiles can ask for one) is cut by
// the clip without first building an outline for every row it spans: the
// middle of the surface is inside and takes the brush, the edges stay clear.
TEST(GdiShapes, HugeEllipsesAndRoundRectsFillOnlyWhatTheSurfaceShows) {
  for (bool round : {false, true}) {
    Canvas c(20, 20);
    Selected brush(c.dc(), CreateSolidBrush(kRed));
    const int far = 1 << 30;
    if (round)
      RoundRect(c.dc(), -far, -far, far, far, far / 2, far / 2);
    else
      Ellipse(c.dc(), -far, -far, far, far);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) ASSERT_EQ(c.At(x, y), kRed) << (round ? "round rect " : "ellipse ") << x << "," << y;
  }
}

TEST(GdiShapes, RoundRectCornersAreCut) {
  Canvas c(30, 20);
  Selected brush(c.dc(), CreateSolidBrush(kRed));
  RoundRect(c.dc(), 2, 2, 28, 18, 10, 10);
  EXPECT_TRUE(SameRect(c.Bounds(kBlack), RECT{2, 2, 28, 18}));
  EXPECT_EQ(c.At(2, 2), kWhite);
  EXPECT_EQ(c.At(15, 2), kBlack);
  EXPECT_EQ(c.At(15, 10), kRed);
}

TEST(GdiShapes, ArcDrawsOnlyItsQuarter) {
  Canvas c(41, 41);
  // Counter-clockwise from the right (0 degrees) to the top (90 degrees).
  Arc(c.dc(), 0, 0, 41, 41, 40, 20, 20, 0);
  const RECT b = c.Bounds(kBlack);
  // Like a line, the arc leaves out its last point, the top (20, 0).
  EXPECT_GE(b.left, 20);
  EXPECT_LE(b.top, 1);
  EXPECT_EQ(b.right, 41);
  EXPECT_EQ(b.bottom, 21);
  EXPECT_EQ(c.At(40, 20), kBlack);
  EXPECT_EQ(c.At(20, 0), kWhite);
}

TEST(GdiShapes, BezierWithControlPointsOnTheLineIsThatLine) {
  Canvas c(20, 5);
  const POINT pts[4] = {{1, 2}, {5, 2}, {10, 2}, {15, 2}};
  PolyBezier(c.dc(), pts, 4);
  EXPECT_EQ(c.Picture(kBlack, RECT{0, 2, 20, 3}), ".##############.....\n");
  EXPECT_EQ(c.Count(kBlack), 14);
}

TEST(GdiShapes, PolyBezierToMovesTheCurrentPosition) {
  Canvas c(20, 20);
  MoveToEx(c.dc(), 1, 1, nullptr);
  const POINT pts[3] = {{18, 1}, {18, 18}, {1, 18}};
  EXPECT_TRUE(PolyBezierTo(c.dc(), pts, 3));
  POINT p;
  GetCurrentPositionEx(c.dc(), &p);
  EXPECT_EQ(p.x, 1);
  EXPECT_EQ(p.y, 18);
  EXPECT_EQ(c.At(1, 1), kBlack);
  EXPECT_GT(c.Count(kBlack), 20);
}

TEST(GdiHatch, HatchedBrushUsesBackgroundModeForItsGaps) {
  Canvas c(16, 16);
  Selected brush(c.dc(), CreateHatchBrush(HS_HORIZONTAL, kRed));
  SetBkColor(c.dc(), kBlue);
  RECT r{0, 0, 16, 16};
  FillRect(c.dc(), &r, static_cast<HBRUSH>(GetCurrentObject(c.dc(), OBJ_BRUSH)));
  EXPECT_EQ(c.Count(kRed), 32);
  EXPECT_EQ(c.Count(kBlue), 256 - 32);
  SetBkMode(c.dc(), TRANSPARENT);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  FillRect(c.dc(), &r, white);
  FillRect(c.dc(), &r, static_cast<HBRUSH>(GetCurrentObject(c.dc(), OBJ_BRUSH)));
  EXPECT_EQ(c.Count(kRed), 32);
  EXPECT_EQ(c.Count(kWhite), 256 - 32);
}

TEST(GdiFill, FrameRectAndInvertRect) {
  Canvas c(8, 6);
  HBRUSH red = CreateSolidBrush(kRed);
  RECT r{1, 1, 7, 5};
  FrameRect(c.dc(), &r, red);
  DeleteObject(red);
  EXPECT_EQ(c.Picture(kRed),
            "........\n"
            ".######.\n"
            ".#....#.\n"
            ".#....#.\n"
            ".######.\n"
            "........\n");
  RECT all{0, 0, 8, 6};
  InvertRect(c.dc(), &all);
  EXPECT_EQ(c.At(1, 1), RGB(0, 255, 255));
  EXPECT_EQ(c.At(0, 0), kBlack);
}

TEST(GdiPixel, SetPixelReturnsTheColourSetAndGetPixelReadsIt) {
  Canvas c(4, 4);
  EXPECT_EQ(SetPixel(c.dc(), 2, 3, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(c.dc(), 2, 3), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(c.dc(), 4, 0), CLR_INVALID);
  EXPECT_EQ(SetPixel(c.dc(), -1, 0, kRed), CLR_INVALID);
  // 32-bit pixels are blue, green, red, unused.
  const BYTE* p = c.bits() + (3 * 4 + 2) * 4;
  EXPECT_EQ(p[0], 3);
  EXPECT_EQ(p[1], 2);
  EXPECT_EQ(p[2], 1);
}

}  // namespace

namespace {

using namespace gditest;

TEST(GdiPen, FarReachingLinesAreCutToTheSurface) {
  Canvas c(20, 20);
  Selected pen(c.dc(), CreatePen(PS_DOT, 1, kBlack));
  MoveToEx(c.dc(), -100000000, 10, nullptr);
  LineTo(c.dc(), 100000000, 10);
  // The dots keep their phase: 10^8 - 2 pixels (4 mod 6, less 2) come before x = -2.
  EXPECT_EQ(c.Picture(kBlack, RECT{0, 10, 20, 11}), "..###...###...###...\n");
  Selected wide(c.dc(), CreatePen(PS_SOLID, 3, kBlack));
  MoveToEx(c.dc(), 5, -2000000000, nullptr);
  LineTo(c.dc(), 5, 2000000000);
  EXPECT_EQ(c.Picture(kBlack, RECT{0, 0, 20, 1}), "....###.............\n");
}

TEST(GdiFill, NewMemoryContextHasNothingToDrawOn) {
  HDC dc = CreateCompatibleDC(nullptr);
  RECT r{0, 0, 1, 1};
  EXPECT_EQ(FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 1);
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  // The shared 1 x 1 bitmap stays as it was for every other context.
  HDC other = CreateCompatibleDC(nullptr);
  HBITMAP mine = CreateCompatibleBitmap(other, 1, 1);
  HGDIOBJ stock = SelectObject(other, mine);
  BYTE bits[2] = {};
  GetBitmapBits(static_cast<HBITMAP>(stock), 2, bits);
  EXPECT_EQ(bits[0], 0);
  SelectObject(other, stock);
  DeleteObject(mine);
  DeleteDC(other);
  DeleteDC(dc);
}

}  // namespace

namespace {

using namespace gditest;

TEST(GdiRop2, XorShapesPaintEachPixelOnce) {
  Canvas c(40, 30);
  Selected pen(c.dc(), CreatePen(PS_SOLID, 3, kWhite));
  Selected brush(c.dc(), CreateSolidBrush(kWhite));
  SetROP2(c.dc(), R2_XORPEN);
  Ellipse(c.dc(), 4, 4, 36, 26);
  // White over white under XOR is black wherever the shape reaches; a pixel
  // painted twice would be white again.
  for (int y = 12; y < 18; ++y) {
    bool entered = false;
    int whiteInside = 0;
    for (int x = 0; x < 40; ++x) {
      if (c.Raw(x, y) == kBlack) entered = true;
      else if (entered && x < 20) ++whiteInside;
    }
    EXPECT_EQ(whiteInside, 0) << "row " << y;
  }
  EXPECT_EQ(c.Raw(20, 15), kBlack);
  EXPECT_EQ(c.Raw(0, 0), kWhite);
}

}  // namespace

namespace {

using namespace gditest;

TEST(GdiPen, StyleRunsOnAcrossALineCutAtTheSurface) {
  // Out along row 1 far past the right edge, down two pixels, and back along
  // row 3: the dash pattern (18 on, 6 off) counts every pixel of the way.
  Canvas c(40, 5);
  Selected pen(c.dc(), CreatePen(PS_DASH, 1, kBlack));
  const int reach = 30 + 24 * 1000;
  const POINT tour[4] = {{0, 1}, {reach, 1}, {reach, 3}, {0, 3}};
  Polyline(c.dc(), tour, 4);
  std::string out, back;
  for (int x = 0; x < 40; ++x) {
    out += x % 24 < 18 ? '#' : '.';
    const long step = 2L * reach + 2 - x;  // pixels before (x, 3) on the way
    back += x > 0 && step % 24 < 18 ? '#' : '.';
  }
  EXPECT_EQ(c.Picture(kBlack, RECT{0, 1, 40, 2}), out + "\n");
  EXPECT_EQ(c.Picture(kBlack, RECT{0, 3, 40, 4}), back + "\n");
}

}  // namespace
