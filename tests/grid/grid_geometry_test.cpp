// Geometry, scrolling and sizing: ranges of the scroll bars, line scrolling
// over hidden rows, bringing cells into view, and stretching columns.
#include <gtest/gtest.h>

#include "grid_test_util.h"

using gridtest::Fixture;

namespace {
// A grid whose client area is exactly width x height.
struct Sized : Fixture {
  Sized(int rows, int cols, int fixedRows, int fixedCols, int width, int height)
      : Fixture(rows, cols, fixedRows, fixedCols) {
    CRect window, client;
    grid.GetWindowRect(&window);
    grid.GetClientRect(&client);
    grid.MoveWindow(10, 10, width + window.Width() - client.Width(), height + window.Height() - client.Height());
    uitest::RunUntilIdle();
  }
};
}  // namespace

TEST(GridGeometry, ExpandColumnsToFitSharesTheDifference) {
  struct Case {
    int client;
    std::vector<int> before;
    std::vector<int> after;
  };
  const Case cases[] = {
      {140, {50, 50, 50}, {46, 47, 47}},     // 10 too wide: 3 each, 1 more from the first
      {140, {30, 40, 50}, {37, 47, 56}},     // 20 to give: 6 each, 2 more to the first two
      {140, {50, 0, 80}, {55, 0, 85}},       // hidden columns stay hidden
      {10, {40, 40, 40}, {3, 3, 4}},         // 110 too wide
      {2, {40, 40, 40}, {1, 1, 1}},          // never below 1 pixel
  };
  for (const Case& c : cases) {
    Sized f(3, 3, 0, 0, c.client, 200);
    for (int i = 0; i < 3; ++i) f.grid.SetColumnWidth(i, c.before[i]);
    f.grid.ExpandColumnsToFit(true);
    std::vector<int> after;
    for (int i = 0; i < 3; ++i) after.push_back(f.grid.GetColumnWidth(i));
    EXPECT_EQ(after, c.after) << c.client << " " << c.before[0];
  }
}

TEST(GridGeometry, ExpandLastColumnOnlyGrows) {
  Sized f(3, 3, 0, 0, 300, 200);
  for (int i = 0; i < 3; ++i) f.grid.SetColumnWidth(i, 50);
  f.grid.ExpandLastColumn();
  EXPECT_EQ(f.grid.GetColumnWidth(2), 200);
  for (int i = 0; i < 3; ++i) f.grid.SetColumnWidth(i, 150);
  f.grid.ExpandLastColumn();
  EXPECT_EQ(f.grid.GetColumnWidth(2), 150);
}

TEST(GridGeometry, ScrollRangesCountOnlyVisibleRows) {
  Sized f(30, 3, 1, 1, 300, 200);
  for (int r = 0; r < 30; ++r) f.grid.SetRowHeight(r, 20);
  for (int c = 0; c < 3; ++c) f.grid.SetColumnWidth(c, 50);
  EXPECT_EQ(f.grid.GetScrollMax(SB_VERT), 29 * 20 - 1);
  EXPECT_EQ(f.grid.GetScrollMax(SB_HORZ), 0);
  EXPECT_EQ(f.grid.GetScrollBarState(), 2);
  for (int r = 5; r < 25; ++r) f.grid.SetRowHeight(r, 0);
  EXPECT_EQ(f.grid.GetScrollMax(SB_VERT), 0);
  EXPECT_EQ(f.grid.GetScrollBarState(), 0);
  f.grid.SetColumnWidth(2, 400);
  // The horizontal bar takes the room the last row needed: both bars.
  EXPECT_EQ(f.grid.GetScrollBarState(), 3);
  for (int r = 25; r < 28; ++r) f.grid.SetRowHeight(r, 0);
  EXPECT_EQ(f.grid.GetScrollBarState(), 1);
  EXPECT_EQ(f.grid.GetScrollMax(SB_HORZ), 450 - 1);
}

TEST(GridGeometry, LineScrollingPassesHiddenRows) {
  Sized f(30, 3, 1, 1, 300, 200);
  for (int r = 0; r < 30; ++r) f.grid.SetRowHeight(r, 20);
  f.grid.SetRowHeight(1, 0);
  f.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 20);
  EXPECT_EQ(f.grid.GetTopleftNonFixedCell(), CGridCellId(3, 1));
  f.grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
  const int max = f.grid.GetScrollPos32(SB_VERT);
  f.grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), max);
}

TEST(GridGeometry, EnsureVisibleBringsTheLastRowInAndStops) {
  Sized f(200, 3, 1, 1, 300, 200);
  ::SetFocus(f.grid.m_hWnd);
  f.grid.EnsureVisible(199, 2);
  EXPECT_TRUE(f.grid.IsCellVisible(199, 2));
  const CGridCellRange visible = f.grid.GetVisibleNonFixedCellRange();
  EXPECT_EQ(visible.maxRow, 199);
  EXPECT_EQ(::GetFocus(), f.grid.m_hWnd);
  f.grid.EnsureVisible(1, 1);
  EXPECT_EQ(f.grid.GetTopleftNonFixedCell(), CGridCellId(1, 1));
  // Near rows come by line steps, far ones at once; both end with the row
  // as the last visible one.
  for (int target : {20, 150, 60, 199}) {
    f.grid.EnsureVisible(1, 1);
    f.grid.EnsureVisible(target, 1);
    EXPECT_TRUE(f.grid.IsCellVisible(target, 1)) << target;
    EXPECT_EQ(f.grid.GetUnobstructedNonFixedCellRange().maxRow, target) << target;
  }
}

TEST(GridGeometry, HitTestAndCellRectangles) {
  Sized f(10, 5, 1, 1, 300, 200);
  for (int c = 0; c < 5; ++c) f.grid.SetColumnWidth(c, 40);
  for (int r = 0; r < 10; ++r) f.grid.SetRowHeight(r, 20);
  RECT rect;
  ASSERT_TRUE(f.grid.GetCellRect(2, 3, &rect));
  EXPECT_EQ(CRect(rect), CRect(120, 40, 159, 59));
  EXPECT_EQ(f.grid.GetCellFromPt({125, 45}), CGridCellId(2, 3));
  EXPECT_EQ(f.grid.GetCellFromPt({5, 5}), CGridCellId(0, 0));
  EXPECT_EQ(f.grid.GetCellFromPt({299, 5}), CGridCellId(0, -1));
  EXPECT_EQ(f.grid.GetCellFromPt({5, 5}, false), CGridCellId(-1, -1));
  EXPECT_FALSE(f.grid.AutoSizeColumn(9));
  f.grid.SetColumnWidth(2, 0);
  EXPECT_FALSE(f.grid.AutoSizeColumn(2));
  EXPECT_EQ(f.grid.GetColumnWidth(2), 0);
  EXPECT_TRUE(f.grid.AutoSizeColumn(1));
  EXPECT_GT(f.grid.GetColumnWidth(1), 20);
}
