// The design view's numbers as tables: fitting, scroll sizes, thumb snapping,
// zoom steps, grid steps, nudges, paste cascades and resize cursors.
#include <gtest/gtest.h>

#include <vector>

#include "document/view/view_metrics.h"
#include "platform/user/user.h"

namespace {

using namespace designview;

struct FitCase {
  const char* what;
  int clientW, clientH, labelW, labelH, dpiX, dpiY;
  bool fits;
  int zoomX, zoomY;
};

TEST(DesignViewMetrics, FitInFrame) {
  const FitCase cases[] = {
      {"wide label in 400 x 300 fits by width", 400, 300, 4000, 2500, 96, 96, true, 80, 80},
      {"tall label fits by height", 400, 300, 2000, 4000, 96, 96, true, 60, 60},
      {"unequal screen resolutions follow the aspect", 400, 300, 4000, 2500, 96, 120, true, 80, 100},
      {"empty client leaves the zoom", 0, 300, 4000, 2500, 96, 96, false, 0, 0},
      {"client of no height leaves the zoom", 400, 0, 4000, 2500, 96, 96, false, 0, 0},
      {"label of no width fits without dividing by zero", 400, 300, 0, 2500, 96, 96, true, 96, 96},
      {"tiny client gives zoom 1, never 0", 1, 1, 4000, 2500, 96, 96, true, 1, 1},
      {"huge client is capped at a million pixels", 2000000, 2000000, 10, 10, 96, 96, true, 100000000, 100000000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto z = FitZoom(c.clientW, c.clientH, c.labelW, c.labelH, c.dpiX, c.dpiY);
    ASSERT_EQ(z.has_value(), c.fits);
    if (!c.fits) continue;
    EXPECT_EQ(z->cx, c.zoomX);
    EXPECT_EQ(z->cy, c.zoomY);
    EXPECT_LE(int64_t{std::max(c.labelW, c.labelH)} * z->cx / 1000, kMaxLabelPixels);
  }
}

TEST(DesignViewMetrics, ScrollSizesOfA4000By2500LabelAtZoom150) {
  const SIZE label{MilsToPixels(4000, 150), MilsToPixels(2500, 150)};
  EXPECT_EQ(label.cx, 600);
  EXPECT_EQ(label.cy, 375);
  const ScrollSizes s = ComputeScrollSizes(label, {150, 150});
  EXPECT_EQ(s.page.cx, 75);
  EXPECT_EQ(s.page.cy, 75);
  EXPECT_EQ(s.line.cx, 15);
  EXPECT_EQ(s.line.cy, 15);
  EXPECT_EQ(s.total.cx, 615);
  EXPECT_EQ(s.total.cy, 390);
  EXPECT_EQ(s.Range().cx, 922);
  EXPECT_EQ(s.Range().cy, 585);
}

TEST(DesignViewMetrics, WhenANewTotalIsApplied) {
  struct Case {
    const char* what;
    SIZE oldTotal, newTotal, client;
    bool apply;
  } cases[] = {
      {"same total", {615, 390}, {615, 390}, {400, 300}, false},
      {"taller than the client", {615, 390}, {700, 450}, {800, 400}, true},
      {"old one was taller than the client", {615, 450}, {615, 390}, {800, 400}, true},
      {"both narrower than the client", {300, 100}, {350, 120}, {800, 400}, false},
      {"wider by less than half", {900, 100}, {1000, 120}, {800, 400}, false},
      {"wider by half", {900, 100}, {1350, 120}, {800, 400}, true},
      {"narrower by a quarter", {1200, 100}, {900, 120}, {800, 400}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ShouldApplyTotal(c.oldTotal, c.newTotal, c.client), c.apply);
  }
}

TEST(DesignViewMetrics, ThumbPositionsSnapUpToATenthOfAnInch) {
  struct Case {
    int pos, zoom, snapped;
  } cases[] = {{100, 150, 105}, {105, 150, 105}, {0, 150, 0}, {1, 150, 15}, {16, 150, 30}, {100, 96, 105}};
  for (const auto& c : cases) EXPECT_EQ(SnapThumbPosition(c.pos, c.zoom), c.snapped) << c.pos << " at " << c.zoom;
}

TEST(DesignViewMetrics, ZoomInGrowsByATenthAndZoomOutStopsAt20) {
  std::vector<int> in;
  SIZE z{150, 150};
  for (int i = 0; i < 3; ++i) {
    z = *ZoomIn(z, 4000, 2500);
    in.push_back(z.cx);
  }
  EXPECT_EQ(in, (std::vector<int>{165, 181, 199}));
  auto out = ZoomOut({22, 22});
  ASSERT_TRUE(out);
  EXPECT_EQ(out->cx, 19);
  EXPECT_FALSE(ZoomOut(*out));
  EXPECT_FALSE(ZoomOut({20, 150}));
  // Zoom In stops where the label would pass a million pixels.
  const int cap = MaxZoomFor(4000, 2500);
  EXPECT_EQ(cap, 250000);
  SIZE near{240000, 240000};
  const auto last = ZoomIn(near, 4000, 2500);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->cx, cap);
  EXPECT_FALSE(ZoomIn(*last, 4000, 2500));
}

TEST(DesignViewMetrics, GridIsDrawnFromAStepOfFivePixels) {
  struct Case {
    int zoom;
    double spacing;
    bool drawn;
  } cases[] = {{50, 100, true}, {49, 100, false}, {150, 100, true}, {150, 20, false}, {150, 40, true}};
  for (const auto& c : cases)
    EXPECT_EQ(GridStep(c.zoom, c.spacing) > 4, c.drawn) << "zoom " << c.zoom << " spacing " << c.spacing;
  EXPECT_DOUBLE_EQ(LayoutToPixelReal(150, 100), 15.5);
}

TEST(DesignViewMetrics, NudgeSteps) {
  struct Case {
    int labelRight;
    bool large;
    int step;
  } cases[] = {{600, false, 3}, {600, true, 15}, {2000, false, 10}, {2000, true, 50}, {100, false, 3}, {100, true, 8}};
  for (const auto& c : cases) EXPECT_EQ(NudgeStep(c.labelRight, c.large), c.step) << c.labelRight;
}

TEST(DesignViewMetrics, BorderPenIsAlwaysOdd) {
  for (int width : {0, 1, 12, 13, 20, 100, 333})
    for (int zoom : {19, 50, 96, 150, 384}) EXPECT_EQ(BorderPenWidth(width, zoom) % 2, 1) << width << " " << zoom;
  EXPECT_EQ(BorderPenWidth(20, 150), 3);
  EXPECT_EQ(BorderPenWidth(40, 150), 7);
}

TEST(DesignViewMetrics, PasteCascade) {
  // A 1000 x 500 group at (500, 400) on a 4000 x 2500 label: steps of
  // min(500, max(222, 200)) = 222 and min(250, max(192, 130)) = 192.
  const RECT group{500, 400, 1500, 900};
  const POINT origin{500, 400};
  const POINT expected[] = {{722, 592}, {944, 784}, {1166, 976}};
  for (int n = 1; n <= 3; ++n) {
    const POINT p = PasteCascadeTarget(group, origin, n, 4000, 2500);
    EXPECT_EQ(p.x, expected[n - 1].x) << n;
    EXPECT_EQ(p.y, expected[n - 1].y) << n;
  }
  // Wrapping at the label's edges.
  const POINT wrapped = PasteCascadeTarget(group, {3900, 2400}, 1, 4000, 2500);
  EXPECT_EQ(wrapped.x, 122);
  EXPECT_EQ(wrapped.y, 92);
  // A label of no size does not divide by zero.
  EXPECT_EQ(PasteCascadeTarget(group, origin, 1, 0, 0).x, 0);
}

TEST(DesignViewMetrics, DeltasSnapAlikeBothWays) {
  struct Case {
    int value;
    double spacing;
    int snapped;
  } cases[] = {{170, 100, 200}, {-170, 100, -200}, {140, 100, 100}, {-140, 100, -100}, {-50, 100, -100},
               {-49, 100, 0},   {30, 0.001, 30},   {-30, 0, -30}};
  for (const auto& c : cases) EXPECT_EQ(SnapDelta(c.value, c.spacing), c.snapped) << c.value;
}

TEST(DesignViewMetrics, ResizeCursors) {
  struct Case {
    int code, rotation;
    LPCSTR cursor;
  } cases[] = {
      {11, 0, IDC_SIZENWSE},     {33, 0, IDC_SIZENWSE},     {13, 0, IDC_SIZENESW},     {31, 0, IDC_SIZENESW},
      {21, 0, IDC_SIZEWE},       {23, 0, IDC_SIZEWE},       {12, 0, IDC_SIZENS},       {32, 0, IDC_SIZENS},
      {21, 90000, IDC_SIZENS},   {23, 90000, IDC_SIZENS},   {12, 90000, IDC_SIZEWE},   {11, 90000, IDC_SIZENESW},
      {21, 22500, IDC_SIZEWE},   {21, 22501, IDC_SIZENESW}, {21, 45000, IDC_SIZENESW}, {21, 67500, IDC_SIZENESW},
      {21, 67501, IDC_SIZENS},   {21, 112501, IDC_SIZENWSE}, {21, 180000, IDC_SIZEWE}, {21, 337500, IDC_SIZEWE},
      {21, -90000, IDC_SIZENS},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResizeCursorFor(c.code, c.rotation), c.cursor) << c.code << " at " << c.rotation;
}

}  // namespace
