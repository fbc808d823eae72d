// Searching a column and sorting rows, and the rows the owner is asked to
// load.
#include <gtest/gtest.h>

#include "grid_test_util.h"

using gridtest::Fixture;

namespace {
Fixture& Words(Fixture& f, std::initializer_list<const char*> texts) {
  int row = 1;
  for (const char* t : texts) f.grid.SetItemText(row++, 1, t);
  for (int r = 1; r < f.grid.GetRowCount(); ++r) f.grid.SetItemData(r, 0, 1);  // loaded
  return f;
}
}  // namespace

TEST(GridFind, TableOfSearches) {
  Fixture f(7, 2, 1, 1);
  Words(f, {"xcode 1", "code two", "CODE3 Code", "barcode", "the code", "codex code"});
  struct Case {
    int start;
    const char* text;
    bool matchCase;
    bool matchPart;
    int found;
  };
  const Case cases[] = {
      {0, "code", true, true, 1},     // start 0 begins at row 1; a part of "xcode" matches
      {0, "code", true, false, 2},    // as a word: "xcode" does not stand alone
      {3, "code", true, false, 5},    // "barcode" no, "the code" yes
      {6, "code", true, false, 2},    // "codex code": the first occurrence only, then wraps
      {6, "code", false, false, 6},   // without case every occurrence is tried
      {3, "Code", true, false, 3},    // "CODE3 Code": the first "Code" stands alone
      {1, "CODE", false, false, 2},
      {1, "zebra", false, true, -1},
      {99, "the", true, false, 5},    // past the end: the first non-fixed row
  };
  for (const Case& c : cases)
    EXPECT_EQ(f.grid.FindInColumn(c.start, 1, AString(c.text), c.matchCase, c.matchPart), c.found)
        << c.start << " " << c.text << " " << c.matchCase << c.matchPart;
}

TEST(GridFind, UnloadedRowsAreAskedForOncePerRowVisited) {
  Fixture f(6, 2, 1, 1);  // column-0 data is 0 everywhere: nothing loaded
  EXPECT_EQ(f.grid.FindInColumn(1, 1, AString("none"), false, true), -1);
  std::vector<gridtest::Private> loads;
  for (const auto& p : f.owner.privates)
    if (p.message == kGridMsgLoadRows) loads.push_back(p);
  ASSERT_EQ(loads.size(), 5u);
  for (size_t i = 0; i < loads.size(); ++i) {
    EXPECT_EQ(loads[i].wParam, i + 1);
    EXPECT_EQ(loads[i].lParam, static_cast<LPARAM>(i + 101));
  }
}

TEST(GridFind, AFixedStartRowStillEnds) {
  Fixture f(5, 2, 3, 1);  // rows 0 to 2 fixed
  Words(f, {"a", "b", "c", "d"});
  EXPECT_EQ(f.grid.FindInColumn(1, 1, AString("zzz"), false, true), -1);
  EXPECT_EQ(f.grid.FindInColumn(2, 1, AString("d"), false, true), 4);
}

TEST(GridSort, RowsMoveWithAllTheirCellsAndHeights) {
  Fixture f(6, 3, 1, 1);
  const char* keys[] = {"pear", "apple", "fig", "kiwi", "date"};
  for (int r = 1; r <= 5; ++r) {
    f.grid.SetItemText(r, 2, keys[r - 1]);
    f.grid.SetRowHeight(r, 20 + r);
  }
  EXPECT_TRUE(f.grid.SortTextItems(2, true));
  const char* sorted[] = {"apple", "date", "fig", "kiwi", "pear"};
  const int from[] = {2, 5, 3, 4, 1};
  for (int r = 1; r <= 5; ++r) {
    EXPECT_EQ(f.Cell(r, 2), sorted[r - 1]);
    EXPECT_EQ(f.Cell(r, 0), "r" + std::to_string(from[r - 1]) + "c0");
    EXPECT_EQ(f.grid.GetRowHeight(r), 20 + from[r - 1]);
  }
  EXPECT_EQ(f.Cell(0, 2), "r0c2");
  EXPECT_TRUE(f.grid.SortTextItems(2, false));
  EXPECT_EQ(f.Cell(1, 2), "pear");
  EXPECT_FALSE(f.grid.GetSortAscending());
}

TEST(GridSort, IntegersAndRefusals) {
  Fixture f(5, 2, 1, 1);
  const char* numbers[] = {"10", "9", "100", "-3"};
  for (int r = 1; r <= 4; ++r) f.grid.SetItemText(r, 1, numbers[r - 1]);
  EXPECT_TRUE(f.grid.SortItems(CGridCtrl::CompareIntegerItems, 1, true));
  EXPECT_EQ(f.Cell(1, 1), "-3");
  EXPECT_EQ(f.Cell(4, 1), "100");
  Fixture small(2, 2, 1, 1);
  EXPECT_FALSE(small.grid.SortTextItems(1, true));
  EXPECT_FALSE(f.grid.SortTextItems(9, true));
  f.grid.SetVirtualMode(true);
  f.grid.SetRowCount(5);
  f.grid.SetColumnCount(2);
  EXPECT_FALSE(f.grid.SortTextItems(1, true));
}

TEST(GridListMode, PaintingAsksForRowsWithoutData) {
  Fixture f(40, 3, 1, 1);
  const CGridCellRange visible = f.grid.GetVisibleNonFixedCellRange();
  f.grid.SetItemData(2, 0, 1);  // row 2 is loaded
  f.owner.privates.clear();
  f.grid.Invalidate();
  uitest::RunUntilIdle();
  std::vector<gridtest::Private> expected;
  for (int r = visible.minRow; r <= visible.maxRow; ++r)
    if (r != 2) expected.push_back({kGridMsgLoadRows, static_cast<WPARAM>(r), visible.maxRow});
  EXPECT_EQ(f.owner.privates, expected);
}

TEST(GridListMode, ListModeSelectsWholeRows) {
  Fixture f(6, 4, 1, 1);
  f.grid.SetListMode(true);
  f.grid.SetSingleRowSelection(true);
  RECT rect;
  ASSERT_TRUE(f.grid.GetCellRect(3, 2, &rect));
  uitest::Click(f.grid.m_hWnd, {rect.left + 3, rect.top + 3});
  // The click selects its cell; a second click on the row selects it whole.
  ::SetFocus(f.grid.m_hWnd);
  f.grid.SetFocusCell(3, 2);
  f.grid.SelectRows({3, 2});
  for (int c = 1; c < 4; ++c) EXPECT_TRUE(f.grid.IsCellSelected(3, c)) << c;
  EXPECT_FALSE(f.grid.IsCellSelected(2, 2));
}

TEST(GridVirtualMode, CellsComeFromTheOwner) {
  gridtest::COwner owner;
  CGridCtrl grid;
  grid.Create({0, 0, 300, 200}, &owner, 5);
  grid.SetVirtualMode(true);
  grid.SetRowCount(1000000);
  grid.SetColumnCount(3);
  grid.SetFixedRowCount(1);
  owner.display = [](GridDispInfo* info) {
    info->item.text.Format("%d/%d", info->item.row, info->item.col);
    info->item.lParam = 1;
  };
  EXPECT_EQ(gridtest::Text(grid.GetItemText(999999, 2)), "999999/2");
  EXPECT_EQ(grid.GetCell(0, 1)->GetState() & (GVIS_FIXED | GVIS_FIXEDROW), GVIS_FIXED | GVIS_FIXEDROW);
  EXPECT_EQ(grid.GetCell(-1, 0), nullptr);
  grid.Invalidate();
  uitest::RunUntilIdle();
  ASSERT_GE(owner.hints.size(), 2u);
  EXPECT_EQ(owner.hints.back(), CGridCellRange());
  EXPECT_EQ(owner.hints[owner.hints.size() - 2].minRow, 1);
  ::SetFocus(grid.m_hWnd);
  grid.SetFocusCell(1, 0);
  uitest::Key(VK_END, false, true);
  EXPECT_EQ(grid.GetFocusCell(), CGridCellId(999999, 2));
  EXPECT_TRUE(grid.IsCellVisible(999999, 2));
}
