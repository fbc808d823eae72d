#include <vector>

#include <gtest/gtest.h>

#include "foundation/gdi_helpers/colour.h"
#include "foundation/gdi_helpers/fit.h"
#include "platform/gdi/gdi_owners.h"
#include "foundation/gdi_helpers/marks.h"
#include "foundation/gdi_helpers/pattern_pen.h"
#include "foundation/gdi_helpers/shapes.h"
#include "tests/foundation/gdi_helpers_test_util.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(BuildDashPattern, Table) {
  const struct {
    int style, width;
    bool round;
    std::vector<int> pattern;
  } cases[] = {
      {0, 4, true, {}},
      {1, 4, true, {8, 8}},
      {1, 4, false, {12, 4}},
      {2, 4, true, {1, 8}},
      {2, 4, false, {4, 4}},
      {6, 4, false, {12, 8}},  // dash with doubled gaps
      {3, 2, false, {6, 2, 2, 2}},
      {4, 1, false, {3, 1, 1, 1, 1, 1}},
      {5, 1, false, {3, 1, 1, 1, 1, 1, 1, 1}},
      {9, 1, false, {3, 2, 1, 2, 1, 2}},  // dash-dot-dot, doubled gaps
      {12, 1, false, {3, 2, 1, 2, 1, 2, 1, 2}},
  };
  for (const auto& c : cases) {
    const DashPattern p = BuildDashPattern(c.style, c.width, c.round);
    EXPECT_EQ(std::vector<int>(p.lengths.begin(), p.lengths.begin() + p.count), c.pattern) << c.style;
  }
}

TEST(AdjustColor, Table) {
  const struct {
    COLORREF in;
    unsigned mode;
    COLORREF out;
  } cases[] = {
      {0x000000, 1, 0x7F7F7F},   {0xFFFFFF, 1, 0x7F7F7F},   {0x000000, 2, 0xBEBEBE},
      {0xFFFFFF, 2, 0xFFFFFF},   {0x12345678, 0, 0x12345678}, {0xFF000000, 1, 0x7F7F7F},
      {0x000000, 3, 0x7F7F7F},  // contrast wins over lighten
      {RGB(200, 10, 128), 1, RGB(100, 122, 64)},
  };
  for (const auto& c : cases) EXPECT_EQ(AdjustColor(c.in, c.mode), c.out) << std::hex << c.in << " " << c.mode;
}

TEST(FitKeepAspect, Table) {
  const struct {
    int boxW, boxH, srcW, srcH;
    SIZE size;
  } cases[] = {{100, 50, 200, 200, {50, 50}}, {100, 50, 400, 100, {100, 25}}, {100, 50, 0, 10, {100, 50}}};
  for (const auto& c : cases) {
    SIZE out{};
    EXPECT_EQ(FitSizeKeepAspect(c.boxW, c.boxH, c.srcW, c.srcH, &out), 1);
    EXPECT_EQ(out.cx, c.size.cx);
    EXPECT_EQ(out.cy, c.size.cy);
  }
  RECT out{};
  EXPECT_EQ(FitRectKeepAspect({0, 0, 100, 50}, 200, 200, &out), 25);
  EXPECT_EQ(out.left, 25);
  EXPECT_EQ(out.right, 75);
  EXPECT_EQ(FitRectKeepAspect({10, 10, 110, 60}, 400, 100, &out), 12);
  EXPECT_EQ(out.top, 22);
  EXPECT_EQ(out.bottom, 48);
}

TEST(CPatternPen, DashedLineCutsAtThePatternLengths) {
  TestCanvas canvas(32, 10);
  UniquePen pen(CreatePen(PS_SOLID, 1, kBlack));
  SelectScope select(canvas.dc(), pen.get());
  CPatternPen dashes(canvas.dc(), false, 1, 1);  // dash 3, gap 1
  dashes.MoveTo(0, 5, true);
  dashes.LineTo(20, 5);
  for (int x = 0; x < 32; ++x) {
    const bool drawn = x < 20 && x % 4 != 3;
    EXPECT_EQ(canvas.At(x, 5) == kBlack, drawn) << x;
  }
  EXPECT_EQ(dashes.Position().x, 20);
}

TEST(CPatternPen, PatternRunsOnAcrossPieces) {
  TestCanvas canvas(32, 10);
  UniquePen pen(CreatePen(PS_SOLID, 1, kBlack));
  SelectScope select(canvas.dc(), pen.get());
  CPatternPen dashes(canvas.dc(), false, 1, 1);
  dashes.MoveTo(0, 5, true);
  dashes.LineTo(10, 5);
  dashes.LineTo(20, 5);  // continues the pattern instead of restarting it
  for (int x = 0; x < 20; ++x) EXPECT_EQ(canvas.At(x, 5) == kBlack, x % 4 != 3) << x;
}

TEST(CPatternPen, SolidPenDrawsStraightThrough) {
  TestCanvas canvas(32, 10);
  UniquePen pen(CreatePen(PS_SOLID, 1, kBlack));
  SelectScope select(canvas.dc(), pen.get());
  CPatternPen solid(canvas.dc(), true, 3, 0);
  solid.MoveTo(2, 4, true);
  solid.LineTo(30, 4);
  for (int x = 2; x < 30; ++x) EXPECT_EQ(canvas.At(x, 4), kBlack) << x;
}

TEST(StrokeLinePath, DrawsNothingForZeroWidthOrAZeroLengthRoundLine) {
  TestCanvas canvas(40, 40);
  StrokeLinePath(canvas.dc(), 5, 5, 35, 35, 0, 0, kBlack, false);
  StrokeLinePath(canvas.dc(), 20, 20, 20, 20, 0, 5, kBlack, true);
  EXPECT_EQ(canvas.CountNot(kWhite), 0);
}

TEST(CreateShapeOutlineRgn, UnfilledEllipseIsARing) {
  UniqueRgn ring(CreateShapeOutlineRgn(50, 50, 10, 10, false, 0, false, 2));
  ASSERT_TRUE(ring);
  auto in = [&](int x, int y) { return PtInRegion(static_cast<HRGN>(ring.get()), x, y) != FALSE; };
  EXPECT_FALSE(in(50, 50));  // inside the inner ellipse (half-extent 4)
  EXPECT_FALSE(in(50, 47));
  EXPECT_TRUE(in(50, 40));   // in the band
  EXPECT_TRUE(in(61, 50));
  EXPECT_FALSE(in(50, 30));  // outside the outer ellipse (half-extent 14)
  RECT box{};
  GetRgnBox(static_cast<HRGN>(ring.get()), &box);
  EXPECT_EQ(box.left, 36);
  EXPECT_EQ(box.right, 63);  // an elliptic region leaves out its box's last column

  UniqueRgn filled(CreateShapeOutlineRgn(50, 50, 10, 10, true, 6, true, 2));
  EXPECT_TRUE(PtInRegion(static_cast<HRGN>(filled.get()), 50, 50));
  EXPECT_TRUE(PtInRegion(static_cast<HRGN>(filled.get()), 38, 50));
}

TEST(DrawArrowHead, PointsWhereAsked) {
  const struct {
    int direction;
    POINT tipSide, baseSide;
  } cases[] = {{kArrowDown, {10, 18}, {10, 1}}, {kArrowUp, {10, 1}, {10, 18}},
               {kArrowLeft, {1, 10}, {18, 10}}, {kArrowRight, {18, 10}, {1, 10}}};
  for (const auto& c : cases) {
    TestCanvas canvas(20, 20);
    UniqueBrush brush(CreateSolidBrush(kBlack));
    SelectScope select(canvas.dc(), brush.get());
    DrawArrowHead(canvas.dc(), 0, 0, 20, 20, c.direction);
    // Near the tip only the middle is covered; near the base it is wide.
    const bool tipVertical = c.direction == kArrowDown || c.direction == kArrowUp;
    const POINT offTip = tipVertical ? POINT{2, c.tipSide.y} : POINT{c.tipSide.x, 2};
    const POINT offBase = tipVertical ? POINT{2, c.baseSide.y} : POINT{c.baseSide.x, 2};
    EXPECT_EQ(canvas.At(c.tipSide.x, c.tipSide.y), kBlack) << c.direction;
    EXPECT_TRUE(canvas.IsWhite(offTip.x, offTip.y)) << c.direction;
    EXPECT_EQ(canvas.At(offBase.x, offBase.y), kBlack) << c.direction;
  }
}

TEST(DrawHorzDimension, ShortSpansPutTheArrowsOutside) {
  const int arrow = 6, x1 = 50, y1 = 10, y2 = 30;
  const int y = y2 + arrow / 2 + 2;
  const struct {
    int x2;
    bool outside;
  } cases[] = {{x1 + 2 * arrow + 3, true}, {x1 + 2 * arrow + 4, false}, {x1 + 40, false}};
  for (const auto& c : cases) {
    TestCanvas canvas(140, 50);
    DrawHorzDimension(canvas.dc(), x1, c.x2, y1, y2, arrow, kRed);
    EXPECT_EQ(canvas.At(x1, y1 + 5), kRed);  // extension lines
    EXPECT_EQ(canvas.At(c.x2, y1 + 5), kRed);
    EXPECT_EQ(canvas.At(x1 - arrow - 2, y) == kRed, c.outside) << c.x2;  // lead line left of x1
    EXPECT_EQ(canvas.At((x1 + c.x2) / 2, y) == kRed, !c.outside) << c.x2;  // line between the marks
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);  // restored
  }
}

TEST(DrawVertDimension, ShortSpansPutTheArrowsOutside) {
  const int arrow = 6, y1 = 50, x1 = 10, x2 = 30;
  const int x = x2 + arrow / 2 + 2;
  const struct {
    int y2;
    bool outside;
  } cases[] = {{y1 + 2 * arrow + 3, true}, {y1 + 30, false}};
  for (const auto& c : cases) {
    TestCanvas canvas(50, 140);
    DrawVertDimension(canvas.dc(), y1, c.y2, x1, x2, arrow, kRed);
    EXPECT_EQ(canvas.At(x1 + 5, y1), kRed);
    EXPECT_EQ(canvas.At(x1 + 5, c.y2), kRed);
    EXPECT_EQ(canvas.At(x, y1 - arrow - 2) == kRed, c.outside) << c.y2;
    EXPECT_EQ(canvas.At(x, (y1 + c.y2) / 2) == kRed, !c.outside) << c.y2;
  }
}

TEST(DrawDropShadow, LinesRightAndBelow) {
  TestCanvas canvas(60, 60);
  DrawDropShadow(canvas.dc(), 10, 10, 40, 40, 3);
  EXPECT_EQ(canvas.At(41, 13), kBlack);
  EXPECT_EQ(canvas.At(43, 40), kBlack);
  EXPECT_TRUE(canvas.IsWhite(44, 20));
  EXPECT_TRUE(canvas.IsWhite(41, 12));
  EXPECT_EQ(canvas.At(13, 43), kBlack);
  EXPECT_TRUE(canvas.IsWhite(12, 41));
  EXPECT_EQ(canvas.BoundsNot(kWhite).right, 44);
}

TEST(DrawLabelShape, HoleShowsTheBackground) {
  TestCanvas canvas(100, 100);
  UniqueBrush grey(CreateSolidBrush(RGB(200, 200, 200)));
  DrawLabelShape(canvas.dc(), {10, 10, 90, 90}, kLabelRectangle, 0, true, 20, false, kWhite,
                 static_cast<HBRUSH>(grey.get()));
  EXPECT_TRUE(canvas.IsWhite(5, 5));                 // outside the rectangle: untouched
  EXPECT_EQ(canvas.At(15, 15), kWhite);              // the label
  EXPECT_EQ(canvas.At(50, 50), RGB(200, 200, 200));  // the hole
  EXPECT_EQ(canvas.At(50, 35), kWhite);
}

TEST(DrawLabelShape, EllipseInOutlineModeIsADottedOutline) {
  TestCanvas canvas(100, 100);
  UniqueBrush white(CreateSolidBrush(kWhite));
  DrawLabelShape(canvas.dc(), {10, 10, 90, 90}, kLabelEllipse, 0, false, 0, true, kBlack,
                 static_cast<HBRUSH>(white.get()));
  EXPECT_TRUE(canvas.IsWhite(50, 50));  // not filled
  int grey = 0, white_ = 0;
  for (int x = 12; x < 88; ++x) (canvas.At(x, 10) == RGB(0x7A, 0x7A, 0x7A) ? grey : white_) += 1;
  for (int y = 12; y < 88; ++y) (canvas.At(10, y) == RGB(0x7A, 0x7A, 0x7A) ? grey : white_) += 1;
  EXPECT_GT(grey, 0);
}

TEST(DrawEllipseOrRoundRect, AngleTurnsTheShapeAboutItsCentre) {
  TestCanvas canvas(100, 100);
  // Filled, border in the fill colour: drawn once without a border.
  DrawEllipseOrRoundRect(canvas.dc(), 50, 50, 40, 10, false, 90000, true, kBlack, 0, 1, 0, kBlack, false, false);
  EXPECT_EQ(canvas.At(50, 50), kBlack);
  EXPECT_EQ(canvas.At(50, 20), kBlack);   // the long axis now runs vertically
  EXPECT_TRUE(canvas.IsWhite(20, 50));
  const RECT b = canvas.BoundsNot(kWhite);
  EXPECT_NEAR(b.bottom - b.top, 80, 2);
  EXPECT_NEAR(b.right - b.left, 20, 2);
  EXPECT_EQ(GetGraphicsMode(canvas.dc()), GM_COMPATIBLE);
  XFORM xf{};
  GetWorldTransform(canvas.dc(), &xf);
  EXPECT_EQ(xf.eM11, 1.0f);
  EXPECT_EQ(xf.eDx, 0.0f);
}

TEST(StrokeEllipsePath, BorderStaysInsideTheRectangle) {
  const struct {
    int width, style;
    bool round;
  } cases[] = {{1, 0, false}, {4, 0, true}, {5, 1, false}, {4, 2, true}, {3, 3, false}};
  for (const auto& c : cases) {
    TestCanvas canvas(120, 80);
    StrokeEllipsePath(canvas.dc(), {10, 10, 110, 70}, c.width, c.style, kBlack, c.round);
    const RECT b = canvas.BoundsNot(kWhite);
    EXPECT_GE(b.left, 10) << c.width << "/" << c.style;
    EXPECT_GE(b.top, 10);
    EXPECT_LE(b.right, 110);
    EXPECT_LE(b.bottom, 70);
    EXPECT_GE(b.right - b.left, 96);
    EXPECT_TRUE(canvas.IsWhite(60, 40));  // not filled
    // A patterned border leaves gaps: it covers clearly less than the solid one.
    TestCanvas solid(120, 80);
    StrokeEllipsePath(solid.dc(), {10, 10, 110, 70}, c.width, 0, kBlack, c.round);
    const int drawn = canvas.CountNot(kWhite), full = solid.CountNot(kWhite);
    if (c.style == 0)
      EXPECT_EQ(drawn, full);
    else
      EXPECT_LT(drawn, full * 9 / 10) << c.width << "/" << c.style;
    EXPECT_GT(drawn, full / 4) << c.width << "/" << c.style;
  }
}

TEST(StrokeRoundRectPath, DashedBorderFollowsTheRoundedOutline) {
  TestCanvas canvas(120, 80);
  StrokeRoundRectPath(canvas.dc(), {10, 10, 110, 70}, 30, 3, 1, kBlack, false);
  const RECT b = canvas.BoundsNot(kWhite);
  EXPECT_GE(b.left, 10);
  EXPECT_LE(b.right, 110);
  EXPECT_GE(b.top, 10);
  EXPECT_LE(b.bottom, 70);
  EXPECT_TRUE(canvas.IsWhite(11, 11));  // the corner is rounded off
  EXPECT_TRUE(canvas.IsWhite(60, 40));
  int onLeft = 0;
  for (int y = 30; y < 50; ++y) onLeft += canvas.At(11, y) == kBlack;
  EXPECT_GT(onLeft, 0);
  EXPECT_LT(onLeft, 20);
}

}  // namespace
