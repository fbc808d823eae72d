// When a click edits a cell and when a press and a drag select cells: the
// mouse messages sent to the grid one by one, with the owner's whole notice
// log, the selection, the focus and the editor after each sequence.
//
// With clicks editing cells (the default) a press on a cell other than the
// focus cell opens its editor at once, and the moves that follow while the
// button is down go to the grid, which holds the mouse: they neither select
// cells nor the editor's text. With it off a press selects and a drag
// stretches the selection; a click on the focus cell's text edits it when the
// button comes up, and a double click edits. Header rows select whole
// columns either way. A grid taking the keyboard focus without a focus cell
// focuses its first non-fixed cell, so a first press begins by ending that
// cell's edit (-106 with 0, 0, 0), as every press ends the focus cell's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid_test_util.h"

using gridtest::Fixture;
using gridtest::Notice;

namespace {

struct Mouse {
  UINT message;
  int row;  // the middle of this cell
  int col;
  WPARAM keys = MK_LBUTTON;
};

struct Case {
  const char* name;
  bool clickEdits;
  bool listMode;
  CGridCellId focusBefore;  // (-1, -1): none
  CGridCellRange selectedBefore;  // kNone: none
  std::vector<Mouse> mouse;
  std::vector<Notice> notices;
  CGridCellRange selected;
  int selectedCount;
  CGridCellId focus;
  bool editing;  // the focus cell's editor is open
};

// What GetSelectedCellRange gives with nothing selected: the counts and -1.
const CGridCellRange kNone(6, 5, -1, -1);
const CGridCellId kNoCell(-1, -1);

LPARAM MiddleOf(CGridCtrl& grid, int row, int col) {
  RECT rect{};
  EXPECT_TRUE(grid.GetCellRect(row, col, &rect));
  return static_cast<LPARAM>(MAKEWPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
}

const Case kCases[] = {
    {"a press edits at once and a drag after it selects nothing more",
     true, false, kNoCell, kNone,
     {{WM_LBUTTONDOWN, 2, 2}, {WM_MOUSEMOVE, 3, 2}, {WM_MOUSEMOVE, 4, 3}, {WM_LBUTTONUP, 4, 3, 0}},
     {{GVN_ENDLABELEDIT, 1, 1, 0, 0, 0},
      {GVN_BEGINLABELEDIT, 2, 2, -1, -1, -1},
      {GVN_SELCHANGED, 2, 2, 0, -1, -1},
      {GVN_SELCHANGED, 2, 2, 0, -1, -1},
      {GVN_CLICK, 2, 2, -1, -1, -1}},
     {2, 2, 2, 2}, 1, {2, 2}, true},
    {"a press on a cell other than the focus cell edits it and names the old focus",
     true, false, {3, 1}, kNone,
     {{WM_LBUTTONDOWN, 2, 3}, {WM_LBUTTONUP, 2, 3, 0}},
     {{GVN_ENDLABELEDIT, 3, 1, 0, 0, 0},
      {GVN_BEGINLABELEDIT, 2, 3, -1, -1, -1},
      {GVN_SELCHANGED, 2, 3, 0, 3, 1},
      {GVN_SELCHANGED, 2, 3, 0, -1, -1},
      {GVN_CLICK, 2, 3, -1, -1, -1}},
     {2, 3, 2, 3}, 1, {2, 3}, true},
    {"without click editing a drag selects the rectangle it spans",
     false, false, kNoCell, kNone,
     {{WM_LBUTTONDOWN, 2, 2}, {WM_MOUSEMOVE, 3, 2}, {WM_MOUSEMOVE, 4, 3}, {WM_LBUTTONUP, 4, 3, 0}},
     {{GVN_ENDLABELEDIT, 1, 1, 0, 0, 0},
      {GVN_SELCHANGING, 2, 2, -1, -1, -1}, {GVN_SELCHANGED, 4, 3, 0, -1, -1}, {GVN_CLICK, 2, 2, -1, -1, -1}},
     {2, 2, 4, 3}, 6, {4, 3}, false},
    {"dragged back up and left, the rectangle follows the pointer",
     false, false, kNoCell, kNone,
     {{WM_LBUTTONDOWN, 4, 3}, {WM_MOUSEMOVE, 5, 4}, {WM_MOUSEMOVE, 2, 1}, {WM_LBUTTONUP, 2, 1, 0}},
     {{GVN_ENDLABELEDIT, 1, 1, 0, 0, 0},
      {GVN_SELCHANGING, 4, 3, -1, -1, -1}, {GVN_SELCHANGED, 2, 1, 0, -1, -1}, {GVN_CLICK, 4, 3, -1, -1, -1}},
     {2, 1, 4, 3}, 9, {2, 1}, false},
    {"a click on the focus cell's text edits it when the button comes up",
     false, false, {2, 2}, kNone,
     {{WM_LBUTTONDOWN, 2, 2}, {WM_LBUTTONUP, 2, 2, 0}},
     {{GVN_ENDLABELEDIT, 2, 2, 0, 0, 0}, {GVN_BEGINLABELEDIT, 2, 2, -1, -1, -1}},
     kNone, 0, {2, 2}, true},
    {"a press on the focus cell that moves is a drag: it ends as a click that clears the selection",
     false, false, {2, 2}, {2, 2, 3, 3},
     {{WM_LBUTTONDOWN, 2, 2}, {WM_MOUSEMOVE, 3, 2}, {WM_LBUTTONUP, 3, 2, 0}},
     {{GVN_ENDLABELEDIT, 2, 2, 0, 0, 0},
      {GVN_CLICK, 2, 2, -1, -1, -1},
      {GVN_SELCHANGING, 2, 2, -1, -1, -1},
      {GVN_SELCHANGED, -1, -1, 0, -1, -1}},
     kNone, 0, kNoCell, false},
    {"a double click edits the cell",
     false, false, kNoCell, kNone,
     {{WM_LBUTTONDOWN, 2, 2}, {WM_LBUTTONUP, 2, 2, 0}, {WM_LBUTTONDBLCLK, 2, 2}, {WM_LBUTTONUP, 2, 2, 0}},
     {{GVN_ENDLABELEDIT, 1, 1, 0, 0, 0},
      {GVN_SELCHANGING, 2, 2, -1, -1, -1},
      {GVN_SELCHANGED, 2, 2, 0, -1, -1},
      {GVN_CLICK, 2, 2, -1, -1, -1},
      {GVN_BEGINLABELEDIT, 2, 2, -1, -1, -1},
      {GVN_DBLCLK, 2, 2, -1, -1, -1},
      {GVN_SELCHANGED, 2, 2, 0, -1, -1},
      {GVN_CLICK, 2, 2, -1, -1, -1}},
     {2, 2, 2, 2}, 1, {2, 2}, true},
    {"Shift stretches the selection from the last press",
     false, false, kNoCell, kNone,
     {{WM_LBUTTONDOWN, 2, 2}, {WM_LBUTTONUP, 2, 2, 0}, {WM_LBUTTONDOWN, 4, 3, MK_LBUTTON | MK_SHIFT},
      {WM_LBUTTONUP, 4, 3, MK_SHIFT}},
     {{GVN_ENDLABELEDIT, 1, 1, 0, 0, 0},
      {GVN_SELCHANGING, 2, 2, -1, -1, -1},
      {GVN_SELCHANGED, 2, 2, 0, -1, -1},
      {GVN_CLICK, 2, 2, -1, -1, -1},
      {GVN_ENDLABELEDIT, 2, 2, 0, 0, 0},
      {GVN_SELCHANGING, 4, 3, -1, -1, -1},
      {GVN_SELCHANGED, 4, 3, 0, -1, -1},
      {GVN_CLICK, 4, 3, -1, -1, -1}},
     {2, 2, 4, 3}, 6, {4, 3}, false},
    {"Ctrl adds the pressed cell to the cells selected before",
     false, false, {1, 1}, {1, 1, 1, 1},
     {{WM_LBUTTONDOWN, 3, 3, MK_LBUTTON | MK_CONTROL}, {WM_LBUTTONUP, 3, 3, MK_CONTROL}},
     {{GVN_ENDLABELEDIT, 1, 1, 0, 0, 0}, {GVN_SELCHANGING, 3, 3, -1, -1, -1}, {GVN_SELCHANGED, 3, 3, 0, -1, -1},
      {GVN_CLICK, 3, 3, -1, -1, -1}},
     {1, 1, 3, 3}, 2, {3, 3}, false},
    {"a drag along the header row selects whole columns, with clicks editing too",
     true, false, kNoCell, kNone,
     {{WM_LBUTTONDOWN, 0, 2}, {WM_MOUSEMOVE, 0, 3}, {WM_LBUTTONUP, 0, 3, 0}},
     {{GVN_ENDLABELEDIT, 1, 1, 0, 0, 0},
      {GVN_SELCHANGING, 0, 2, -1, -1, -1}, {GVN_SELCHANGED, 1, 3, 0, -1, -1}, {GVN_CLICK, 0, 2, -1, -1, -1}},
     {1, 2, 5, 3}, 10, {1, 3}, false},
    {"a drag down the header column selects whole rows",
     true, false, kNoCell, kNone,
     {{WM_LBUTTONDOWN, 2, 0}, {WM_MOUSEMOVE, 4, 0}, {WM_LBUTTONUP, 4, 0, 0}},
     {{GVN_ENDLABELEDIT, 1, 1, 0, 0, 0},
      {GVN_SELCHANGING, 2, 0, -1, -1, -1}, {GVN_SELCHANGED, 4, 1, 0, -1, -1}, {GVN_CLICK, 2, 0, -1, -1, -1}},
     {2, 1, 4, 4}, 12, {4, 1}, false},
    {"in list mode a drag selects whole rows",
     false, true, kNoCell, kNone,
     {{WM_LBUTTONDOWN, 2, 2}, {WM_MOUSEMOVE, 4, 3}, {WM_LBUTTONUP, 4, 3, 0}},
     {{GVN_ENDLABELEDIT, 1, 1, 0, 0, 0},
      {GVN_SELCHANGING, 2, 2, -1, -1, -1}, {GVN_SELCHANGED, 4, 3, 0, -1, -1}, {GVN_CLICK, 2, 2, -1, -1, -1}},
     {2, 1, 4, 4}, 12, {4, 3}, false},
};

class GridClickEdit : public testing::TestWithParam<size_t> {};

TEST_P(GridClickEdit, NoticesSelectionFocusAndEditor) {
  const Case& c = kCases[GetParam()];
  SCOPED_TRACE(c.name);
  uitest::VirtualClock clock;  // no auto-scroll step fires between the messages
  Fixture f(6, 5, 1, 1);
  for (int col = 0; col < 5; ++col) f.grid.SetColumnWidth(col, 60);  // all in view: no scrolling
  f.grid.ClickEditsCell = c.clickEdits;
  if (c.listMode) f.grid.SetListMode(true);
  if (f.grid.IsValid(c.focusBefore)) f.Focus(c.focusBefore);
  if (f.grid.IsValid(c.selectedBefore)) f.grid.SetSelectedRange(c.selectedBefore);
  uitest::RunUntilIdle();
  f.owner.notices.clear();
  for (const Mouse& m : c.mouse) {
    f.grid.SendMessage(m.message, m.keys, MiddleOf(f.grid, m.row, m.col));
    uitest::RunUntilIdle();
  }
  EXPECT_EQ(f.owner.notices, c.notices);
  EXPECT_EQ(f.grid.GetSelectedCellRange(), c.selected);
  EXPECT_EQ(f.grid.GetSelectedCount(), c.selectedCount);
  EXPECT_EQ(f.grid.GetFocusCell(), c.focus);
  EXPECT_EQ(f.grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
  EXPECT_EQ(::GetCapture(), nullptr) << "the mouse is let go";
  const HWND editor = f.grid.GetEditorWindow();
  ASSERT_EQ(editor != nullptr, c.editing);
  if (!editor) return;
  // The editor shows the cell's whole text selected: no move reached it.
  DWORD start = 0, end = 0;
  ::SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, static_cast<DWORD>(f.Cell(c.focus.row, c.focus.col).size()));
  EXPECT_EQ(::GetFocus(), editor);
}

INSTANTIATE_TEST_SUITE_P(Sequences, GridClickEdit, testing::Range<size_t>(0, std::size(kCases)));

}  // namespace
