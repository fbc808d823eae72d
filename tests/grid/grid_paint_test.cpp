// Pixels of the painted grid: grid lines, the fixed cells' face and edges,
// selection, focus frame, read-only fill and clipped text, the off-screen
// and direct paths giving the same picture, and a partial repaint touching
// only its cell. Pictures are left under build/test/pictures/grid/.
#include <gtest/gtest.h>

#include "grid_test_util.h"

using gridtest::Fixture;

namespace {
// 5 rows x 4 columns, 60 x 20 cells, one fixed row and column.
struct Painted : Fixture {
  Painted() : Fixture(5, 4, 1, 1) {
    for (int c = 0; c < 4; ++c) grid.SetColumnWidth(c, 60);
    for (int r = 0; r < 5; ++r) grid.SetRowHeight(r, 20);
    grid.Invalidate();
    uitest::RunUntilIdle();
  }
  COLORREF At(int x, int y) { return uitest::ClientPixel(grid.m_hWnd, x, y); }
};

int CountInk(Painted& p, RECT r, COLORREF background) {
  int ink = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) ink += p.At(x, y) != background;
  return ink;
}
}  // namespace

TEST(GridPaint, LinesFacesSelectionFocusAndReadOnlyFill) {
  Painted p;
  p.grid.SetItemText(2, 2, "");
  static_cast<CGridCell*>(p.grid.GetCell(3, 3))->SetReadOnly(true);
  p.grid.SetItemText(3, 3, "");
  p.grid.SetSelectedRange(2, 1, 2, 1);
  p.grid.SetItemText(4, 2, "");
  ::SetFocus(p.grid.m_hWnd);
  p.grid.SetFocusCell(4, 2);
  p.grid.SetItemText(1, 2, "");
  p.grid.Invalidate();
  uitest::RunUntilIdle();
  const COLORREF line = 0xC0C0C0, window = GetSysColor(COLOR_WINDOW), face = GetSysColor(COLOR_3DFACE);
  struct Case {
    int x, y;
    COLORREF colour;
    const char* what;
  };
  const Case cases[] = {
      {179, 30, line, "vertical line at the right of column 2"},
      {150, 59, line, "horizontal line at the bottom of row 2"},
      {150, 50, window, "an empty ordinary cell"},
      {55, 15, face, "the corner's face"},
      {0, 0, GetSysColor(COLOR_BTNHIGHLIGHT), "a fixed cell's light top-left edge"},
      {59, 10, GetSysColor(COLOR_3DDKSHADOW), "a fixed cell's dark right edge"},
      {112, 15, face, "fixed row over column 1"},
      {90, 50, GetSysColor(COLOR_HIGHLIGHT), "the selected cell"},
      {200, 70, 0xEFEFEF, "the read-only cell"},
      {120, 90, GetSysColor(COLOR_WINDOWTEXT), "the focus frame's left edge"},
      {150, 80, GetSysColor(COLOR_WINDOWTEXT), "the focus frame's top edge"},
      {150, 90, window, "inside the focused cell"},
      {300, 50, GetSysColor(COLOR_3DSHADOW), "the grid background right of the cells"},
  };
  for (const Case& c : cases) EXPECT_EQ(p.At(c.x, c.y), c.colour) << c.what << " at " << c.x << "," << c.y;
  uitest::SaveWindowPng(p.grid.m_hWnd, gridtest::PicturePath("grid_fixed_selection_focus.png"));
}

TEST(GridPaint, TextIsClippedToItsCell) {
  Painted p;
  p.grid.SetItemText(1, 1, "WWWWWWWWWWWWWWWWWWWWWWWW");
  p.grid.SetItemText(1, 2, "");
  p.grid.Invalidate();
  uitest::RunUntilIdle();
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_GT(CountInk(p, {62, 22, 118, 38}, window), 20);
  EXPECT_EQ(CountInk(p, {120, 21, 179, 39}, window), 0);  // the next cell stays clean
}

TEST(GridPaint, GridLineSettingsDrawOnlyTheirLines) {
  struct Case {
    int lines;
    bool horizontal, vertical;
  };
  for (const Case& c : {Case{GVL_NONE, false, false}, Case{GVL_HORZ, true, false}, Case{GVL_VERT, false, true},
                        Case{GVL_BOTH, true, true}}) {
    Painted p;
    p.grid.SetItemText(2, 2, "");
    p.grid.SetGridLines(c.lines);
    uitest::RunUntilIdle();
    EXPECT_EQ(p.At(150, 59) == 0xC0C0C0, c.horizontal) << c.lines;
    EXPECT_EQ(p.At(179, 50) == 0xC0C0C0, c.vertical) << c.lines;
  }
}

TEST(GridPaint, OffScreenAndDirectPaintingAreIdentical) {
  Painted p;
  p.grid.SetSelectedRange(1, 1, 2, 2);
  p.grid.SetFocusCell(3, 2);
  p.grid.Invalidate();
  uitest::RunUntilIdle();
  const uitest::Picture buffered = uitest::CaptureWindow(p.grid.m_hWnd);
  p.grid.SetDoubleBuffering(false);
  p.grid.Invalidate();
  uitest::RunUntilIdle();
  const uitest::Picture direct = uitest::CaptureWindow(p.grid.m_hWnd);
  ASSERT_EQ(buffered.width, direct.width);
  EXPECT_TRUE(buffered.pixels == direct.pixels);
}

TEST(GridPaint, APartialInvalidationChangesOnlyItsCell) {
  Painted p;
  const uitest::Picture before = uitest::CaptureWindow(p.grid.m_hWnd);
  p.grid.SetItemText(2, 2, "changed");
  p.grid.SetItemText(3, 3, "also changed");  // not repainted
  ASSERT_TRUE(p.grid.InvalidateCellRect(2, 2));
  uitest::RunUntilIdle();
  const uitest::Picture after = uitest::CaptureWindow(p.grid.m_hWnd);
  RECT cell;
  p.grid.GetCellRect(2, 2, &cell);
  POINT origin{0, 0};
  ::ClientToScreen(p.grid.m_hWnd, &origin);
  RECT window;
  ::GetWindowRect(p.grid.m_hWnd, &window);
  const int dx = origin.x - window.left, dy = origin.y - window.top;
  int changed = 0, outside = 0;
  for (int y = 0; y < after.height; ++y)
    for (int x = 0; x < after.width; ++x) {
      if (before.At(x, y) == after.At(x, y)) continue;
      ++changed;
      const int cx = x - dx, cy = y - dy;
      if (cx < cell.left || cx > cell.right + 1 || cy < cell.top || cy > cell.bottom + 1) ++outside;
    }
  EXPECT_GT(changed, 0);
  EXPECT_EQ(outside, 0);
}

TEST(GridPaint, NoDrawingWhileRedrawIsOff) {
  Painted p;
  p.grid.SetRedraw(false);
  EXPECT_FALSE(p.grid.RedrawCell(1, 1));
  EXPECT_FALSE(p.grid.InvalidateCellRect(1, 1));
  p.grid.SetRedraw(true);
  EXPECT_TRUE(p.grid.RedrawCell(1, 1));
  p.grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
  EXPECT_FALSE(p.grid.InvalidateCellRect(0, 0) && false);
}

TEST(GridPaint, PaintingNeverWritesTheQuantityColumn) {
  Painted p;
  p.grid.RowPickMode = true;
  p.grid.SetItemText(2, 0, "");
  p.grid.SetItemText(3, 0, "2");
  p.grid.SetItemText(3, 2, "");
  p.grid.SetModified(false);
  p.grid.Invalidate();
  uitest::RunUntilIdle();
  EXPECT_EQ(p.Cell(2, 0), "");
  EXPECT_FALSE(p.grid.GetModified());
  EXPECT_EQ(p.At(150, 70), 0xFFDCDCu);  // a picked row is tinted
  uitest::SaveWindowPng(p.grid.m_hWnd, gridtest::PicturePath("grid_row_pick.png"));
}

TEST(GridPaint, PictureOfACellBeingEdited) {
  Painted p;
  ::SetFocus(p.grid.m_hWnd);
  p.grid.SetFocusCell(2, 2);
  uitest::RunUntilIdle();
  uitest::TypeText(std::string_view("(01)12345"));
  ASSERT_NE(p.grid.GetEditorWindow(), nullptr);
  RECT editor;
  ::GetWindowRect(p.grid.GetEditorWindow(), &editor);
  EXPECT_GT(editor.right - editor.left, 60);  // grown past the cell for the text
  uitest::SaveWindowPng(p.grid.m_hWnd, gridtest::PicturePath("grid_cell_editing.png"));
}

TEST(GridPaint, TitleTipShowsTheWholeText) {
  Painted p;
  p.grid.SetItemText(2, 1, "a text much longer than its cell");
  p.grid.SetItemText(2, 2, "fits");
  ::SetFocus(p.grid.m_hWnd);
  RECT cell;
  p.grid.GetCellRect(2, 2, &cell);
  uitest::MoveMouse(p.grid.m_hWnd, {cell.left + 5, cell.top + 5});
  EXPECT_FALSE(p.grid.GetTitleTip().IsShown());
  p.grid.GetCellRect(2, 1, &cell);
  uitest::MoveMouse(p.grid.m_hWnd, {cell.left + 5, cell.top + 5});
  ASSERT_TRUE(p.grid.GetTitleTip().IsShown());
  EXPECT_EQ(gridtest::Text(p.grid.GetTitleTip().ShownText()), " a text much longer than its cell ");
  uitest::SaveScreenPng(gridtest::PicturePath("grid_title_tip.png"));
  // A click on the tip reaches the cell under it.
  uitest::ClickScreen([&] {
    POINT pt{cell.left + 5, cell.top + 5};
    ::ClientToScreen(p.grid.m_hWnd, &pt);
    return pt;
  }());
  EXPECT_FALSE(p.grid.GetTitleTip().IsShown());
  EXPECT_EQ(p.grid.GetFocusCell(), CGridCellId(2, 1));
}
