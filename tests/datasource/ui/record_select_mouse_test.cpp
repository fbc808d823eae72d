// The record select dialog's grid used with the mouse and the keyboard as a
// person would: a click on a quantity cell picks a record and gives it a
// label, Space takes it away and gives it again, a Shift click widens the
// picked rows, a second click on a quantity cell types a quantity into it, the divider of a column dragged
// wider, the wheel scrolling the rows; the choice stored on OK prints the
// records' labels in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../odbc_environment.h"
#include "datasource/db_bindings.h"
#include "datasource/ui/records/record_select_dlg.h"
#include "datasource/ui/records/records_ids.h"
#include "db_field_setup.h"
#include "panel_test_support.h"

namespace {

using apptest::DialogScript;
using apptest::Press;

POINT CellCentre(CGridCtrl& grid, int row, int col) {
  RECT rect{};
  EXPECT_TRUE(grid.GetCellRect(row, col, &rect)) << row << "," << col;
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickCell(CGridCtrl& grid, int row, int col, int modifier = 0) {
  if (modifier) uitest::KeyDown(modifier);
  uitest::Click(grid.m_hWnd, CellCentre(grid, row, col));
  if (modifier) uitest::KeyUp(modifier);
  uitest::RunUntilIdle();
}

TEST(RecordSelectMouse, RecordsPickedWithTheMouseAndKeysPrintInOrder) {
  odbc_test::Sqlite("DROP TABLE IF EXISTS recsel_mouse; CREATE TABLE recsel_mouse (n INTEGER, code VARCHAR(10), "
                    "name VARCHAR(30)); WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 250) "
                    "INSERT INTO recsel_mouse SELECT i, printf('C%06d', i), 'Item ' || i FROM s;");
  apptest::LanguageScope english(kUiEnglish);
  dsui_test::DbFieldSetup s(odbc_test::kSqliteDsn, "recsel_mouse");
  CDbRecordSelectDlg dialog(nullptr);
  dialog.m_setup = &s.setup;
  dialog.m_field = &s.field;
  dialog.m_fields = {&s.field};
  DialogScript script;
  script.Then([&](HWND window) {
    CGridCtrl& grid = dialog.Grid();
    uitest::RunUntilIdle();
    // A click on record 3's quantity cell picks its row and gives it one
    // label; Space takes it away and gives it again. (Its values are read
    // only: a click there does nothing.)
    ClickCell(grid, 3, 2);
    EXPECT_EQ(grid.GetSelectedCellRange().minRow, 1);
    ClickCell(grid, 3, 0);
    EXPECT_EQ(grid.GetSelectedCellRange().minRow, 3);
    EXPECT_EQ(dsui_test::ToUtf8(dsui_test::ItemText(window, IDC_RECORD_POSITION)), "3 / 250");
    EXPECT_EQ(dialog.Quantity(3), 1);
    // Space on a value cell (on the quantity cell it would be typed there).
    uitest::Key(VK_RIGHT);
    for (const int expected : {0, 1}) {
      uitest::Key(VK_SPACE);
      uitest::RunUntilIdle();
      EXPECT_EQ(dialog.Quantity(3), expected);
    }
    // Shift and a click on record 5 picks records 3 to 5 and gives record 5
    // a label, which Space takes away.
    ClickCell(grid, 5, 0, VK_SHIFT);
    for (int row = 3; row <= 5; ++row) EXPECT_TRUE(grid.IsCellSelected(row, 2)) << row;
    EXPECT_FALSE(grid.IsCellSelected(6, 2));
    EXPECT_EQ(dialog.Quantity(5), 1);
    uitest::Key(VK_RIGHT);
    uitest::Key(VK_SPACE);
    uitest::RunUntilIdle();
    EXPECT_EQ(dialog.Quantity(5), 0);
    // Record 7's quantity cell: the first click picks the row (one label),
    // the second edits the cell, where 2 is typed.
    ClickCell(grid, 7, 0);
    EXPECT_EQ(dialog.Quantity(7), 1);
    ClickCell(grid, 7, 0);
    uitest::Key('A', false, true);
    uitest::TypeText(std::string_view("2"));
    uitest::Key(VK_RETURN);
    uitest::RunUntilIdle();
    EXPECT_EQ(dialog.Quantity(7), 2);
    EXPECT_EQ(dsui_test::ToUtf8(dsui_test::ItemText(window, IDC_RECORD_SELECTED)), "2 records selected");
    // The divider right of the code heading dragged 40 pixels on.
    RECT heading{};
    ASSERT_TRUE(grid.GetCellRect(0, 2, &heading));
    const int width = grid.GetColumnWidth(2);
    const int y = (heading.top + heading.bottom) / 2;
    uitest::Drag(grid.m_hWnd, {heading.right, y}, {heading.right + 40, y});
    uitest::RunUntilIdle();
    EXPECT_NEAR(grid.GetColumnWidth(2), width + 40, 1);
    // The wheel scrolls the rows down and back.
    uitest::Wheel(grid.m_hWnd, -2);
    uitest::RunUntilIdle();
    EXPECT_GT(grid.GetTopleftNonFixedCell().row, 1);
    uitest::SaveWindowPng(window, dsui_test::PicturePath("record_select_mouse_en.png"));
    uitest::Wheel(grid.m_hWnd, 2);
    uitest::RunUntilIdle();
    EXPECT_EQ(grid.GetTopleftNonFixedCell().row, 1);
    Press(window, IDOK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(s.Chosen(), (std::vector<std::pair<int, int>>{{3, 1}, {7, 2}}));
  // The print walk gives records 3, 7 and 7.
  EXPECT_EQ(s.Printed(3), (std::vector<std::string>{"C000003", "C000007", "C000007"}));
  CWnd::DeleteTempMap();
}

}  // namespace
