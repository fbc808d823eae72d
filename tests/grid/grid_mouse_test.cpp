// The mouse: clicking, dragging a selection, resizing a column by its
// border, double-clicking a border, and clicks outside the cells.
#include <gtest/gtest.h>

#include "grid_test_util.h"

using gridtest::Fixture;
using gridtest::Notice;

namespace {
POINT Middle(CGridCtrl& grid, int row, int col) {
  RECT rect{};
  grid.GetCellRect(row, col, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}
}  // namespace

// A click on a cell selects it and, as clicks edit cells by default, opens
// its editor at once.
TEST(GridMouse, ClickSelectsFocusesAndEditsTheCell) {
  Fixture f(6, 4, 1, 1);
  uitest::Click(f.grid.m_hWnd, Middle(f.grid, 2, 2));
  EXPECT_EQ(f.grid.GetFocusCell(), CGridCellId(2, 2));
  EXPECT_TRUE(f.grid.IsCellSelected(2, 2));
  ASSERT_NE(f.grid.GetEditorWindow(), nullptr);
  EXPECT_EQ(::GetFocus(), f.grid.GetEditorWindow());
  const auto changed = f.owner.Codes(GVN_SELCHANGED);
  ASSERT_FALSE(changed.empty());
  EXPECT_EQ(changed.front(), (Notice{GVN_SELCHANGED, 2, 2, 0, -1, -1}));
  EXPECT_EQ(f.owner.Codes(GVN_CLICK), (std::vector<Notice>{{GVN_CLICK, 2, 2, -1, -1, -1}}));
}

TEST(GridMouse, DragSelectsARectangle) {
  Fixture f(6, 5, 1, 1);
  f.grid.ClickEditsCell = false;
  uitest::Drag(f.grid.m_hWnd, Middle(f.grid, 2, 2), Middle(f.grid, 4, 3));
  EXPECT_EQ(f.grid.GetSelectedCellRange(), CGridCellRange(2, 2, 4, 3));
  EXPECT_EQ(f.grid.GetFocusCell(), CGridCellId(4, 3));
  EXPECT_EQ(f.grid.GetSelectedCount(), 6);
}

TEST(GridMouse, ClickOutsideTheCellsUnselectsAndTellsTheOwner) {
  Fixture f(3, 2, 1, 1);
  f.grid.SetSelectedRange(1, 1, 2, 1);
  uitest::Click(f.grid.m_hWnd, {390, 290});
  EXPECT_EQ(f.grid.GetSelectedCount(), 0);
  ASSERT_FALSE(f.owner.privates.empty());
  EXPECT_EQ(f.owner.privates.front(), (gridtest::Private{kGridMsgClickOutside, 0, 0}));
}

TEST(GridMouse, ReadOnlyCellTakesTheKeyboardFocusOnly) {
  Fixture f(4, 3, 1, 1);
  f.grid.SetFocusCell(1, 1);
  static_cast<CGridCell*>(f.grid.GetCell(2, 2))->SetReadOnly(true);
  uitest::Click(f.grid.m_hWnd, Middle(f.grid, 2, 2));
  EXPECT_EQ(::GetFocus(), f.grid.m_hWnd);
  EXPECT_FALSE(f.grid.IsCellSelected(2, 2));
}

TEST(GridMouse, DraggingAColumnBorderResizesIt) {
  uitest::VirtualClock clock;
  Fixture f(4, 4, 1, 1);
  for (int c = 0; c < 4; ++c) f.grid.SetColumnWidth(c, 60);
  RECT rect;
  ASSERT_TRUE(f.grid.GetCellRect(0, 1, &rect));
  const int border = rect.right;
  uitest::MoveMouse(f.grid.m_hWnd, {border, 5});
  uitest::Drag(f.grid.m_hWnd, {border, 5}, {border + 25, 5});
  // The new width runs from the column's left edge to the release point.
  EXPECT_EQ(f.grid.GetColumnWidth(1), border + 25 - 60);
  EXPECT_EQ(f.grid.GetColumnWidth(2), 60);
  // Released on its left edge: hidden when hiding is allowed, else 1 wide.
  struct Case {
    bool allowHide;
    int width;
  };
  for (const Case& c : {Case{true, 0}, Case{false, 1}}) {
    f.grid.SetColumnWidth(2, 60);
    f.grid.EnableColumnHide(c.allowHide);
    ASSERT_TRUE(f.grid.GetCellRect(0, 2, &rect));
    clock.Advance(1000);
    uitest::MoveMouse(f.grid.m_hWnd, {rect.right, 5});
    uitest::MouseDown(f.grid.m_hWnd, {rect.right, 5});
    f.grid.SendMessage(WM_LBUTTONUP, 0, static_cast<LPARAM>(rect.left));
    EXPECT_EQ(f.grid.GetColumnWidth(2), c.width) << c.allowHide;
  }
}

TEST(GridMouse, DoubleClickOnABorderFitsTheColumnLeftOfIt) {
  uitest::VirtualClock clock;
  Fixture f(4, 4, 1, 1);
  for (int c = 0; c < 4; ++c) f.grid.SetColumnWidth(c, 120);
  RECT rect;
  ASSERT_TRUE(f.grid.GetCellRect(0, 1, &rect));
  uitest::MoveMouse(f.grid.m_hWnd, {rect.right, 5});
  uitest::DoubleClick(f.grid.m_hWnd, {rect.right, 5});
  EXPECT_LT(f.grid.GetColumnWidth(1), 120);
  EXPECT_GT(f.grid.GetColumnWidth(1), 20);
  EXPECT_EQ(f.grid.GetColumnWidth(2), 120);
}

TEST(GridMouse, HeaderClickSelectsTheColumnAndSortsWhenAsked) {
  uitest::VirtualClock clock;
  Fixture f(5, 3, 1, 1);
  const char* keys[] = {"d", "b", "c", "a"};
  for (int r = 1; r <= 4; ++r) f.grid.SetItemText(r, 2, keys[r - 1]);
  uitest::Click(f.grid.m_hWnd, Middle(f.grid, 0, 2));
  EXPECT_EQ(f.grid.GetSelectedCellRange(), CGridCellRange(1, 2, 4, 2));
  f.grid.SetHeaderSort(true);
  clock.Advance(1000);  // apart, not a double click
  uitest::Click(f.grid.m_hWnd, Middle(f.grid, 0, 2));
  EXPECT_EQ(f.Cell(1, 2), "a");
  clock.Advance(1000);
  uitest::Click(f.grid.m_hWnd, Middle(f.grid, 0, 2));
  EXPECT_EQ(f.Cell(1, 2), "d");  // the same header again reverses
}
