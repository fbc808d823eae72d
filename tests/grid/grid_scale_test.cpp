// A record list of a million rows supplied by the owner: selecting all,
// bringing the last row into view and finding cells under the mouse work on
// running sums and selection rectangles, so they answer as for a short list.
#include <gtest/gtest.h>

#include "grid_test_util.h"

namespace {

struct MillionRows {
  static constexpr int kRows = 1'000'000;
  gridtest::COwner owner;
  CGridCtrl grid;
  MillionRows() {
    owner.display = [](GridDispInfo* info) { info->item.text.Format("record %d", info->item.row); };
    grid.Create({0, 0, 400, 300}, &owner, 7);
    grid.SetVirtualMode(true);
    grid.SetListMode(true);
    grid.SetRowCount(kRows);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    uitest::RunUntilIdle();
  }
};

TEST(GridScale, SelectAllIsEveryDataCellAndResetClearsIt) {
  MillionRows m;
  m.grid.SelectAllCells();
  EXPECT_EQ(m.grid.GetSelectedCount(), (MillionRows::kRows - 1) * 3);
  EXPECT_EQ(m.grid.GetSelectedCellRange(), CGridCellRange(1, 0, MillionRows::kRows - 1, 2));
  EXPECT_TRUE(m.grid.IsCellSelected(MillionRows::kRows - 1, 2));
  EXPECT_TRUE(m.grid.IsCellSelected(500'000, 1));
  EXPECT_FALSE(m.grid.IsCellSelected(0, 0));
  // Taking one cell out leaves the rest selected.
  m.grid.SetItemState(500'000, 1, 0);
  EXPECT_FALSE(m.grid.IsCellSelected(500'000, 1));
  EXPECT_TRUE(m.grid.IsCellSelected(500'000, 0));
  EXPECT_EQ(m.grid.GetSelectedCount(), (MillionRows::kRows - 1) * 3 - 1);
  m.grid.ResetSelectedRange();
  EXPECT_EQ(m.grid.GetSelectedCount(), 0);
  EXPECT_FALSE(m.grid.IsCellSelected(MillionRows::kRows - 1, 2));
}

TEST(GridScale, TheLastRowIsBroughtIntoViewAndFoundUnderThePoint) {
  MillionRows m;
  const int last = MillionRows::kRows - 1;
  m.grid.EnsureVisible(last, 0);
  uitest::RunUntilIdle();
  ASSERT_TRUE(m.grid.IsCellVisible(last, 0));
  CRect rect;
  ASSERT_TRUE(m.grid.GetCellRect(last, 0, &rect));
  CRect client;
  m.grid.GetClientRect(&client);
  EXPECT_LE(rect.bottom, client.bottom);
  EXPECT_EQ(m.grid.GetCellFromPt(rect.CenterPoint()), CGridCellId(last, 0));
  EXPECT_EQ(m.grid.GetVisibleNonFixedCellRange().maxRow, last);
  // A hidden row far above moves every row below it up by its height.
  const long height = m.grid.GetVirtualHeight();
  const int rowHeight = m.grid.GetRowHeight(10);
  m.grid.SetRowHeight(10, 0);
  EXPECT_EQ(m.grid.GetVirtualHeight(), height - rowHeight);
  m.grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
  uitest::RunUntilIdle();
  EXPECT_EQ(m.grid.GetVisibleNonFixedCellRange().maxRow, last);
  m.grid.SendMessage(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(m.grid.GetTopleftNonFixedCell(true), CGridCellId(1, 0));
}

}  // namespace
