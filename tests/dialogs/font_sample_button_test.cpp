// The sample button: the labels of a sheet before the starting one
// highlighted and unnumbered, the others white, the cell under a point, a
// double click as OK; and the font sample on its own background. Pixels are
// read back from the painted window.
#include <gtest/gtest.h>

#include "dialogs/setup/font_sample_button.h"
#include "tests/app/controls_test_util.h"
#include "tests/dialogs/dialogs_test_support.h"

namespace {

struct ButtonFixture {
  ctltest::CRecordingParent parent{420, 320};
  CFontSampleButton button;
  explicit ButtonFixture(CFontSampleButton::Mode mode) {
    button.m_mode = mode;
    button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 410, 310), &parent, 3);
  }
};

TEST(FontSampleButton, LabelsBeforeTheStartAreHighlightedAndUnnumbered) {
  ButtonFixture f(CFontSampleButton::Mode::kLabelGrid);
  f.button.m_sheet = {.columns = 4, .rows = 3, .startColumn = 3, .startRow = 2, .width = 8000, .height = 6000,
                      .shape = CFontSampleButton::LabelShape::kRectangle, .gapX = 0, .gapY = 0};
  f.button.Invalidate();
  uitest::RunUntilIdle();
  EXPECT_TRUE(uitest::SaveWindowPng(f.parent.m_hWnd, dialogstest::PicturePath("sample_button_label_grid.png")));
  const SIZE cell = f.button.CellSize();
  const POINT origin = f.button.Origin();
  ASSERT_GT(cell.cx, 20);
  ASSERT_GT(cell.cy, 20);
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 4; ++column) {
      SCOPED_TRACE(testing::Message() << "row " << row << " column " << column);
      const bool before = row < 2 || (row == 2 && column < 3);
      EXPECT_EQ(f.button.IsBeforeStart(column, row), before);
      // Inside the cell, away from its outline and its number.
      const int x = origin.x + column * cell.cx + 4, y = origin.y + row * cell.cy + 4;
      EXPECT_EQ(uitest::ClientPixel(f.button.m_hWnd, x, y), before ? highlight : RGB(255, 255, 255));
      // The numbers' blue stands in the middle of the numbered cells only.
      bool blue = false;
      for (int dx = -cell.cx / 4; dx <= cell.cx / 4 && !blue; ++dx)
        for (int dy = -4; dy <= 4 && !blue; ++dy) {
          const COLORREF c = uitest::ClientPixel(f.button.m_hWnd, origin.x + column * cell.cx + cell.cx / 2 + dx,
                                                 origin.y + row * cell.cy + cell.cy / 2 + dy);
          blue = GetBValue(c) > 200 && GetRValue(c) < 120 && GetGValue(c) < 120;
        }
      EXPECT_EQ(blue, !before);
      const POINT middle{origin.x + column * cell.cx + cell.cx / 2, origin.y + row * cell.cy + cell.cy / 2};
      const POINT hit = f.button.HitTest(middle);
      EXPECT_EQ(hit.x, column);
      EXPECT_EQ(hit.y, row);
    }
  EXPECT_EQ(f.button.HitTest({origin.x - 2, origin.y}).x, -1);
  EXPECT_EQ(f.button.HitTest({origin.x + 4 * cell.cx + 1, origin.y + 1}).y, -1);
}

TEST(FontSampleButton, ADoubleClickInTheGridIsOk) {
  ButtonFixture f(CFontSampleButton::Mode::kLabelGrid);
  f.button.m_sheet = {.columns = 2, .rows = 2, .startColumn = 0, .startRow = 0, .width = 4000, .height = 3000,
                      .shape = CFontSampleButton::LabelShape::kEllipse, .gapX = 4, .gapY = 4};
  uitest::RunUntilIdle();
  uitest::DoubleClick(f.button.m_hWnd, {100, 100});
  uitest::RunUntilIdle();
  bool ok = false;
  for (const ctltest::Received& r : f.parent.Of(WM_COMMAND))
    if (LOWORD(r.wParam) == IDOK) ok = true;
  EXPECT_TRUE(ok);
}

TEST(FontSampleButton, TheFontSampleFillsItsBackground) {
  ButtonFixture f(CFontSampleButton::Mode::kFont);
  f.button.m_font.lfHeight = 10;
  std::snprintf(f.button.m_font.lfFaceName, sizeof f.button.m_font.lfFaceName, "Arial");
  f.button.m_hasFont = true;
  f.button.Invalidate();
  uitest::RunUntilIdle();
  EXPECT_TRUE(uitest::SaveWindowPng(f.parent.m_hWnd, dialogstest::PicturePath("sample_button_font.png")));
  EXPECT_EQ(uitest::ClientPixel(f.button.m_hWnd, 6, 6), static_cast<COLORREF>(0xFFE9E9));
  // The text is dark and as tall as four fifths of the inside.
  int top = -1, bottom = -1;
  for (int y = 3; y < 297; ++y)
    for (int x = 3; x < 397; ++x)
      if (GetRValue(uitest::ClientPixel(f.button.m_hWnd, x, y)) < 80) {
        if (top < 0) top = y;
        bottom = y;
        break;
      }
  ASSERT_GE(top, 0);
  EXPECT_GT(bottom - top, 294 * 4 / 5 / 2) << "letters of a font sized to the button";
}

}  // namespace
