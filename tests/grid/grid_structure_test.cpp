// The grid's structure through its public operations: counts, fixed rows and
// columns, cell access, defaults and the modified state.
#include <gtest/gtest.h>

#include "grid_test_util.h"

using gridtest::Fixture;
using gridtest::Text;

TEST(GridStructure, DefaultsOfANewGrid) {
  CGridCtrl grid;
  EXPECT_EQ(grid.GetRowCount(), 0);
  EXPECT_EQ(grid.GetColumnCount(), 0);
  EXPECT_EQ(grid.GetFocusCell(), CGridCellId(-1, -1));
  EXPECT_EQ(grid.GetGridLines(), GVL_BOTH);
  EXPECT_EQ(grid.GetGridLineColor(), 0xC0C0C0u);
  EXPECT_EQ(grid.GetGridBkColor(), GetSysColor(COLOR_3DSHADOW));
  EXPECT_TRUE(grid.IsEditable());
  EXPECT_TRUE(grid.IsSelectable());
  EXPECT_FALSE(grid.GetVirtualMode());
  EXPECT_FALSE(grid.GetListMode());
  EXPECT_EQ(grid.GetSortColumn(), -1);
  EXPECT_TRUE(grid.GetDoubleBuffering());
  int h, f, l, r, t, b, g;
  grid.GetPrintMarginInfo(h, f, l, r, t, b, g);
  EXPECT_EQ((std::vector<int>{h, f, l, r, t, b, g}), (std::vector<int>{2, 2, 4, 4, 1, 1, 1}));
  EXPECT_EQ(grid.GetDefaultCell(true, false)->GetBackClr(), GetSysColor(COLOR_3DFACE));
  EXPECT_EQ(grid.GetDefaultCell(false, false)->GetBackClr(), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(grid.GetDefaultCell(false, false)->GetFormat(), 0x8824u);
  EXPECT_TRUE(grid.GetDefaultCell(false, false)->IsReadOnly());
}

TEST(GridStructure, ConstructorArgumentsMakeCellsWithFixedBits) {
  CGridCtrl grid(3, 4, 1, 1);
  EXPECT_EQ(grid.GetRowCount(), 3);
  EXPECT_EQ(grid.GetColumnCount(), 4);
  struct Case {
    int row, col;
    UINT state;
  };
  for (const Case& c : {Case{0, 0, 0x70}, Case{0, 2, 0x30}, Case{2, 0, 0x50}, Case{2, 3, 0x00}})
    EXPECT_EQ(grid.GetItemState(c.row, c.col), c.state) << c.row << "," << c.col;
  EXPECT_EQ(grid.GetDefaultCell(true, false), grid.GetDefaultCell(true, false));
  EXPECT_NE(grid.GetDefaultCell(true, false), grid.GetDefaultCell(false, true));
  EXPECT_NE(grid.GetDefaultCell(true, true), grid.GetDefaultCell(false, false));
}

TEST(GridStructure, ShrinkingRowsBelowFixedLowersFixedAndDropsFocus) {
  Fixture f(6, 3, 3, 1);
  f.grid.SetFocusCell(4, 1);
  EXPECT_TRUE(f.grid.SetRowCount(2));
  EXPECT_EQ(f.grid.GetFixedRowCount(), 2);
  EXPECT_EQ(f.grid.GetFocusCell(), CGridCellId(-1, -1));
  EXPECT_EQ(f.grid.GetCell(2, 0), nullptr);
}

TEST(GridStructure, FixedRowCountGrowsTheGrid) {
  CGridCtrl grid(1, 2, 0, 0);
  grid.SetItemBkColour(0, 1, RGB(1, 2, 3));
  EXPECT_TRUE(grid.SetFixedRowCount(3));
  EXPECT_EQ(grid.GetRowCount(), 3);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 2; ++c) {
      EXPECT_EQ(grid.GetItemState(r, c), 0x30u);
      EXPECT_EQ(grid.GetItemBkColour(r, c), CLR_DEFAULT_GRID);
    }
  EXPECT_TRUE(grid.SetFixedRowCount(1));
  EXPECT_EQ(grid.GetItemState(2, 1), 0x00u);
}

TEST(GridStructure, InsertColumnRefusesFixedAndFarPositions) {
  Fixture f(3, 4, 1, 2);
  struct Case {
    int before;
    int result;
  };
  for (const Case& c : {Case{0, -1}, Case{1, -1}, Case{9, -1}, Case{2, 2}, Case{-1, 5}}) {
    const int cols = f.grid.GetColumnCount();
    EXPECT_EQ(f.grid.InsertColumn("H", DT_CENTER, c.before), c.result) << c.before;
    EXPECT_EQ(f.grid.GetColumnCount(), cols + (c.result >= 0 ? 1 : 0)) << c.before;
  }
  EXPECT_EQ(f.Cell(0, 2), "H");
  EXPECT_EQ(f.Cell(1, 3), "r1c2");  // moved right
  EXPECT_EQ(f.grid.GetItemFormat(2, 2), static_cast<UINT>(DT_CENTER));
}

TEST(GridStructure, InsertAndDeleteRowsMoveFocus) {
  Fixture f(5, 3, 1, 1);
  f.grid.SetFocusCell(3, 1);
  EXPECT_EQ(f.grid.InsertRow("new", 2), 2);
  EXPECT_EQ(f.Cell(2, 0), "new");
  EXPECT_EQ(f.Cell(3, 1), "r2c1");
  EXPECT_EQ(f.grid.InsertRow("x", 0), -1);
  EXPECT_EQ(f.grid.InsertRow("x", 6), -1);
  EXPECT_TRUE(f.grid.DeleteRow(1));
  EXPECT_EQ(f.Cell(1, 0), "new");
  EXPECT_FALSE(f.grid.DeleteRow(99));
  EXPECT_TRUE(f.grid.DeleteColumn(0));
  EXPECT_EQ(f.grid.GetFixedColumnCount(), 0);
  EXPECT_TRUE(f.grid.DeleteNonFixedRows());
  EXPECT_EQ(f.grid.GetRowCount(), 1);
  EXPECT_TRUE(f.grid.DeleteAllItems());
  EXPECT_EQ(f.grid.GetRowCount() + f.grid.GetColumnCount() + f.grid.GetFixedRowCount(), 0);
}

TEST(GridStructure, CellAccessorsOutsideTheGridAndInVirtualMode) {
  Fixture f(3, 3, 1, 1);
  EXPECT_FALSE(f.grid.SetItemText(7, 0, "x"));
  EXPECT_EQ(f.Cell(-1, 0), "");
  EXPECT_EQ(f.grid.GetItemData(9, 9), 0);
  EXPECT_EQ(f.grid.GetItemImage(9, 9), -1);
  EXPECT_EQ(f.grid.GetRowHeight(9), -1);
  EXPECT_EQ(f.grid.GetColumnWidth(-1), -1);
  EXPECT_FALSE(f.grid.SetColumnWidth(1, -4));
  EXPECT_EQ(f.grid.GetItemFont(9, 9), f.grid.GetDefaultCell(false, false)->GetFont());
  f.grid.SetVirtualMode(true);
  f.grid.SetRowCount(4);
  f.grid.SetColumnCount(2);
  EXPECT_FALSE(f.grid.SetItemText(1, 1, "x"));
  EXPECT_FALSE(f.grid.SetItemData(1, 1, 5));
  EXPECT_FALSE(f.grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCell)));
  f.grid.SetVirtualMode(false);
  EXPECT_EQ(f.grid.GetRowCount(), 0);
}

TEST(GridStructure, AlignmentKeepsAllButTheTwoLowBits) {
  Fixture f(2, 2, 0, 0);
  f.grid.SetItemFormat(1, 1, 0xF0F3);
  EXPECT_EQ(f.grid.SetItemAlignment(1, 1, DT_CENTER), 0xF0F3u);
  EXPECT_EQ(f.grid.GetItemFormat(1, 1), 0xF0F1u);
}

TEST(GridStructure, ModifiedStateOfCellsAndGrid) {
  Fixture f(3, 3, 1, 1);
  f.grid.SetModified(false);
  EXPECT_FALSE(f.grid.GetModified(1, 1));
  f.grid.SetItemText(1, 1, "x");
  EXPECT_TRUE(f.grid.GetModified(1, 1));
  EXPECT_TRUE(f.grid.GetModified());
  f.grid.SortTextItems(2, true);
  EXPECT_EQ(f.grid.GetSortColumn(), 2);
  f.grid.SetModified(false, 1, 2);  // the sort column
  EXPECT_EQ(f.grid.GetSortColumn(), -1);
  EXPECT_FALSE(f.grid.GetModified(1, 2));
  f.grid.SetModified(false);
  EXPECT_FALSE(f.grid.GetModified(1, 1));
}

TEST(GridStructure, SetCellTypeCopiesTheCell) {
  Fixture f(3, 3, 1, 1);
  f.grid.SetItemData(1, 1, 42);
  EXPECT_TRUE(f.grid.SetCellType(1, 1, RUNTIME_CLASS(CGridCell)));
  EXPECT_EQ(f.Cell(1, 1), "r1c1");
  EXPECT_EQ(f.grid.GetItemData(1, 1), 42);
  EXPECT_FALSE(f.grid.SetCellType(1, 1, RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(f.grid.SetDefaultCellType(RUNTIME_CLASS(CWnd)));
}

TEST(GridStructure, ReadOnlyCellsAreGreyed) {
  Fixture f(3, 3, 1, 1);
  auto* cell = static_cast<CGridCell*>(f.grid.GetCell(1, 1));
  EXPECT_EQ(cell->SetReadOnly(true), 0);
  EXPECT_EQ(cell->GetBackClr(), 0xEFEFEFu);
  EXPECT_FALSE(f.grid.IsCellEditable(1, 1));
  EXPECT_EQ(cell->SetReadOnly(false), 1);
  EXPECT_EQ(cell->GetBackClr(), GetSysColor(COLOR_WINDOW));
}

TEST(GridStructure, CreatedFromADialogTemplateByClassName) {
  gridtest::COwner owner;
  HWND child = CreateWindowExA(0, kGridWindowClass, "", WS_CHILD | WS_VISIBLE, 5, 5, 200, 100, owner.m_hWnd,
                               reinterpret_cast<HMENU>(7), AfxGetInstanceHandle(), nullptr);
  ASSERT_NE(child, nullptr);
  CGridCtrl grid(2, 2, 1, 1);
  ASSERT_TRUE(grid.SubclassWindow(child));
  EXPECT_TRUE(grid.GetExStyle() & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(grid.GetStyle() & WS_TABSTOP);
  CRect rect;
  grid.GetWindowRect(&rect);
  owner.ScreenToClient(&rect);
  EXPECT_EQ(rect, CRect(5, 5, 205, 105));
}
