// Focus and selection through the public operations.
#include <gtest/gtest.h>

#include "grid_test_util.h"

using gridtest::Fixture;

namespace {
std::vector<CGridCellId> Selected(CGridCtrl& grid) {
  std::vector<CGridCellId> out;
  for (int r = 0; r < grid.GetRowCount(); ++r)
    for (int c = 0; c < grid.GetColumnCount(); ++c)
      if (grid.IsCellSelected(r, c)) out.push_back({r, c});
  return out;
}
}  // namespace

TEST(GridSelection, RangesAreClampedPastTheFixedCells) {
  Fixture f(5, 5, 1, 1);
  f.grid.SetSelectedRange(0, 0, 2, 2, false, true);
  EXPECT_EQ(Selected(f.grid), (std::vector<CGridCellId>{{1, 1}, {1, 2}, {2, 1}, {2, 2}}));
  EXPECT_EQ(f.grid.GetSelectedCellRange(), CGridCellRange(1, 1, 2, 2));
  EXPECT_EQ(f.grid.GetItemState(1, 1) & GVIS_SELECTED, GVIS_SELECTED);
}

TEST(GridSelection, ARangePastTheLastRowOnlyClears) {
  Fixture f(5, 5, 1, 1);
  f.grid.SetSelectedRange(1, 1, 1, 1);
  f.grid.SetSelectedRange(1, 1, 5, 2, false, true);
  EXPECT_TRUE(Selected(f.grid).empty());
  EXPECT_EQ(f.grid.GetSelectedCellRange().maxRow, -1);
}

TEST(GridSelection, UnselectingARangeLeavesTheRest) {
  Fixture f(5, 5, 1, 1);
  f.grid.SetSelectedRange(1, 1, 3, 3);
  f.grid.SetSelectedRange(2, 1, 3, 3, false, false);
  EXPECT_EQ(Selected(f.grid), (std::vector<CGridCellId>{{1, 1}, {1, 2}, {1, 3}}));
  f.grid.UnselectCell({1, 2}, true);
  EXPECT_EQ(Selected(f.grid), (std::vector<CGridCellId>{{1, 2}}));
}

TEST(GridSelection, DisabledSelectionSelectsNothingButRowStillMovesFocus) {
  Fixture f(5, 5, 1, 1);
  f.grid.EnableSelection(false);
  f.grid.SetSelectedRange(1, 1, 2, 2);
  f.grid.SelectAllCells();
  f.grid.SelectRow(3);
  EXPECT_TRUE(Selected(f.grid).empty());
  EXPECT_EQ(f.grid.GetFocusCell(), CGridCellId(3, 4));
}

TEST(GridSelection, FocusIsRaisedPastFixedCellsAndCarriesItsBit) {
  Fixture f(5, 5, 2, 1);
  EXPECT_EQ(f.grid.SetFocusCell(0, 0), CGridCellId(-1, -1));
  EXPECT_EQ(f.grid.GetFocusCell(), CGridCellId(2, 1));
  EXPECT_EQ(f.grid.GetItemState(2, 1) & GVIS_FOCUSED, GVIS_FOCUSED);
  EXPECT_EQ(f.grid.SetFocusCell(3, 3), CGridCellId(2, 1));
  EXPECT_EQ(f.grid.GetItemState(2, 1) & GVIS_FOCUSED, 0u);
  f.grid.RowPickMode = true;
  f.grid.SetFocusCell(0, 0);
  EXPECT_EQ(f.grid.GetFocusCell(), CGridCellId(0, 0));
}

TEST(GridSelection, SelectAllAndNextItem) {
  Fixture f(4, 4, 1, 1);
  f.grid.SelectAllCells();
  EXPECT_EQ(f.grid.GetSelectedCount(), 9);
  EXPECT_EQ(f.grid.GetNextItem({1, 1}, GVNI_SELECTED | GVNI_BELOW), CGridCellId(2, 1));
  EXPECT_EQ(f.grid.GetNextItem({1, 1}, GVNI_SELECTED | GVNI_TORIGHT), CGridCellId(1, 2));
  EXPECT_EQ(f.grid.GetNextItem({-1, -1}, GVNI_SELECTED | GVNI_ALL), CGridCellId(1, 1));
  EXPECT_EQ(f.grid.GetNextItem({1, 1}, GVNI_FIXED | GVNI_ABOVE), CGridCellId(-1, -1));
  EXPECT_EQ(f.grid.GetNextItem({1, 1}, GVNI_BELOW), CGridCellId(-1, -1));
}

// The selection is keyed by the whole position: a grid of one row per
// database record holds rows 0 and 65,536 apart.
TEST(GridSelection, RowsOnePowerOfTwoApartAreDifferentCells) {
  gridtest::COwner owner;
  CGridCtrl grid;
  grid.Create({0, 0, 300, 200}, &owner, 5);
  grid.SetVirtualMode(true);
  grid.SetRowCount(70000);
  grid.SetColumnCount(2);
  grid.SetFixedRowCount(0);
  grid.SetSelectedRange(65536, 1, 65536, 1);
  EXPECT_TRUE(grid.IsCellSelected(65536, 1));
  EXPECT_FALSE(grid.IsCellSelected(0, 1));
  EXPECT_EQ(grid.GetSelectedCellRange(), CGridCellRange(65536, 1, 65536, 1));
}

TEST(GridSelection, VirtualModeSelectionLivesInTheMap) {
  gridtest::COwner owner;
  CGridCtrl grid;
  grid.Create({0, 0, 300, 200}, &owner, 5);
  grid.SetVirtualMode(true);
  grid.SetRowCount(10);
  grid.SetColumnCount(3);
  EXPECT_FALSE(grid.SetItemState(2, 2, GVIS_SELECTED));
  EXPECT_TRUE(grid.IsCellSelected(2, 2));
  EXPECT_EQ(grid.GetCell(2, 2)->GetState() & GVIS_SELECTED, GVIS_SELECTED);
}
