// The keyboard: moving the focus with the exact notices the owner gets, Tab
// wrapping both ways, and leaving the grid by Tab and the arrows.
#include <gtest/gtest.h>

#include "grid_test_util.h"

using gridtest::Fixture;
using gridtest::Notice;

namespace {
struct Press {
  int key;
  bool shift;
  CGridCellId focus;  // after the key
};
}  // namespace

TEST(GridKeys, ArrowsMoveTheFocusWithSelectionNotices) {
  Fixture f(5, 4, 1, 1);
  f.Focus({1, 1});
  uitest::Key(VK_RIGHT);
  EXPECT_EQ(f.grid.GetFocusCell(), CGridCellId(1, 2));
  EXPECT_EQ(f.owner.notices, (std::vector<Notice>{{GVN_SELCHANGING, 1, 2, -1, -1, -1},
                                                  {GVN_SELCHANGED, 1, 2, 0, 1, 1}}));
  EXPECT_TRUE(f.grid.IsCellSelected(1, 2));
  EXPECT_FALSE(f.grid.IsCellSelected(1, 1));
  f.owner.notices.clear();
  uitest::Key(VK_DOWN, true);  // Shift extends from the start cell
  EXPECT_EQ(f.grid.GetFocusCell(), CGridCellId(2, 2));
  EXPECT_TRUE(f.grid.IsCellSelected(1, 2));
  EXPECT_TRUE(f.grid.IsCellSelected(2, 2));
  EXPECT_EQ(f.owner.notices, (std::vector<Notice>{{GVN_SELCHANGING, 2, 2, -1, -1, -1},
                                                  {GVN_SELCHANGED, 2, 2, 0, 1, 2}}));
}

TEST(GridKeys, TableOfMoves) {
  Fixture f(5, 4, 1, 1);
  f.grid.SetRowHeight(3, 0);  // hidden rows are passed over
  f.Focus({1, 1});
  const Press presses[] = {
      {VK_LEFT, false, {1, 1}},   // no column left of the first non-fixed one
      {VK_UP, false, {1, 1}},     // nor a row above
      {VK_DOWN, false, {2, 1}},   {VK_DOWN, false, {4, 1}},   {VK_DOWN, false, {4, 1}},
      {VK_HOME, false, {4, 1}},   {VK_END, false, {4, 3}},    {VK_UP, false, {2, 3}},
      {VK_TAB, false, {4, 1}},    // past the last column: wraps to the next visible row
      {VK_TAB, true, {2, 3}},     // and back
      {VK_TAB, false, {4, 1}},    {VK_TAB, false, {4, 2}},    {VK_TAB, false, {4, 3}},
      {VK_PRIOR, false, {1, 3}},  // Page Up at the top: the first non-fixed row
      {VK_NEXT, false, {4, 3}},   // Page Down at the bottom: the last row
  };
  for (const Press& p : presses) {
    uitest::Key(p.key, p.shift);
    EXPECT_EQ(f.grid.GetFocusCell(), p.focus) << "key " << p.key << (p.shift ? " with Shift" : "");
  }
}

TEST(GridKeys, TabOnTheLastCellLeavesForTheNextWindow) {
  Fixture f(3, 3, 1, 1);
  HWND next = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 0, 300, 50, 20, f.owner.m_hWnd, nullptr,
                              nullptr, nullptr);
  f.grid.NextFocusWindow = next;
  f.Focus({2, 2});
  uitest::Key(VK_TAB);
  EXPECT_EQ(::GetFocus(), next);
  EXPECT_EQ(f.grid.GetFocusCell(), CGridCellId(2, 2));
  f.Focus({1, 2});
  uitest::Key(VK_RIGHT);
  EXPECT_EQ(::GetFocus(), next);
}

TEST(GridKeys, SpacePostsTheRowAction) {
  Fixture f(3, 3, 1, 1);
  f.Focus({2, 1});
  uitest::Key(VK_SPACE);
  ASSERT_FALSE(f.owner.privates.empty());
  EXPECT_EQ(f.owner.privates.front(), (gridtest::Private{kGridMsgRowAction, 2, 1}));
}

TEST(GridKeys, CtrlASelectsAll) {
  Fixture f(3, 3, 1, 1);
  f.Focus({1, 1});
  uitest::Key('A', false, true);
  EXPECT_EQ(f.grid.GetSelectedCount(), 4);
}

TEST(GridKeys, WheelNotchScrollsThreeLines) {
  Fixture f(60, 3, 1, 1);
  const int height = f.grid.GetRowHeight(1);
  ::SetFocus(f.grid.m_hWnd);
  uitest::Wheel(f.grid.m_hWnd, -1);
  EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 3 * height);
  EXPECT_EQ(f.grid.GetTopleftNonFixedCell(), CGridCellId(4, 1));
  uitest::Wheel(f.grid.m_hWnd, 1);
  EXPECT_EQ(f.grid.GetScrollPos32(SB_VERT), 0);
}
