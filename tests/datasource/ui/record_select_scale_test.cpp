// The record select dialog on a table far longer than what it shows: the
// dialog holds a bounded number of rows whatever the grid visits (the end
// of the table, a search through every record), reads them a window at a
// time, and keeps quantities by record without a row each: Select All of
// every record and one record taken out, typed quantities kept or refused
// in the grid's own cell, and the choice stored by key values.
#include <gtest/gtest.h>

#include <string>

#include "../odbc_environment.h"
#include "datasource/db_bindings.h"
#include "datasource/ui/records/record_rows.h"
#include "datasource/ui/records/record_select_dlg.h"
#include "datasource/ui/records/records_ids.h"
#include "fields/model/field_kinds.h"
#include "db_field_setup.h"
#include "panel_test_support.h"

namespace {

using apptest::DialogScript;
using apptest::Press;

constexpr int kRecords = 30000;
constexpr long long kMostHeld = static_cast<long long>(RecordRows::kBlockRows) * RecordRows::kMaxBlocks;

class RecordSelectScale : public ::testing::Test {
 protected:
  void SetUp() override {
    odbc_test::Sqlite("DROP TABLE IF EXISTS recsel_long; CREATE TABLE recsel_long (n INTEGER, code VARCHAR(10), "
                      "name VARCHAR(30)); WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < " +
                      std::to_string(kRecords) +
                      ") INSERT INTO recsel_long SELECT i, printf('C%06d', i), 'Item ' || i FROM s;");
  }
  void TearDown() override { CWnd::DeleteTempMap(); }

  // Types `text` into the quantity cell of a shown record and ends with Enter.
  static void TypeQuantity(CGridCtrl& grid, int record, const char* text) {
    grid.EnsureVisible(record, 0);
    uitest::RunUntilIdle();
    RECT cell{};
    ASSERT_TRUE(grid.GetCellRect(record, 0, &cell));
    ::SetFocus(grid.m_hWnd);
    uitest::DoubleClick(grid.m_hWnd, {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2});
    uitest::RunUntilIdle();
    uitest::Key('A', false, true);
    uitest::TypeText(std::string_view(text));
    uitest::Key(VK_RETURN);
    uitest::RunUntilIdle();
  }

  dsui_test::DbFieldSetup db_{odbc_test::kSqliteDsn, "recsel_long"};
  CTextField& field_ = db_.field;
  CLabelSetup& setup_ = db_.setup;
  apptest::LanguageScope english_{kUiEnglish};
};

TEST_F(RecordSelectScale, HoldsOnlyTheRowsShownAndKeepsQuantitiesByRecord) {
  CDbRecordSelectDlg dialog(nullptr);
  dialog.m_setup = &setup_;
  dialog.m_field = &field_;
  dialog.m_fields = {&field_};
  std::string missed;
  DialogScript script;
  script.Then([&](HWND window) {
    CGridCtrl& grid = dialog.Grid();
    EXPECT_EQ(dialog.RecordCount(), kRecords);
    EXPECT_EQ(dialog.LoadedRows(), 100);
    // The end of the table: its rows are read, the count stays bounded.
    ::SetFocus(grid.m_hWnd);
    uitest::Key(VK_END, false, true);
    uitest::RunUntilIdle();
    ::UpdateWindow(grid.m_hWnd);
    EXPECT_EQ(grid.GetItemText(kRecords, 2), AString("C030000"));
    EXPECT_LE(dialog.LoadedRows(), 300);
    // A search through every record for a text none holds reads them all in
    // few windows and still holds a bounded number of rows.
    const long long readsBefore = dialog.RowReads();
    ASSERT_TRUE(dsui_test::ChooseByText(window, IDC_RECORD_FIND_COLUMN, "name"));
    dsui_test::TypeInto(window, IDC_RECORD_FIND_TEXT, "no such item");
    script.Then([&](HWND box) {
      missed = dsui_test::ShownText(box);
      ::EndDialog(box, IDOK);
    });
    Press(window, IDC_RECORD_SEARCH);
    EXPECT_LE(dialog.LoadedRows(), kMostHeld);
    EXPECT_LT(dialog.RowReads() - readsBefore, 40);
    // Found near the end, then at the start again.
    dsui_test::TypeInto(window, IDC_RECORD_FIND_TEXT, "Item 29990");
    Press(window, IDC_RECORD_SEARCH);
    EXPECT_EQ(grid.GetSelectedCellRange().minRow, 29990);
    ASSERT_TRUE(dsui_test::ChooseByText(window, IDC_RECORD_FIND_COLUMN, "code"));
    dsui_test::TypeInto(window, IDC_RECORD_FIND_TEXT, "C000005");
    Press(window, IDC_RECORD_SEARCH);
    EXPECT_EQ(grid.GetSelectedCellRange().minRow, 5);
    EXPECT_EQ(grid.GetItemText(5, 3), AString("Item 5"));
    // Quantities typed into the grid's cell: 4 is kept, 20000 refused.
    TypeQuantity(grid, 5, "4");
    EXPECT_EQ(dialog.Quantity(5), 4);
    EXPECT_EQ(grid.GetItemText(5, 0), AString("4"));
    TypeQuantity(grid, 5, "20000");
    EXPECT_EQ(dialog.Quantity(5), 4);
    EXPECT_EQ(grid.GetItemText(5, 0), AString("4"));
    EXPECT_EQ(dsui_test::ToUtf8(dsui_test::ItemText(window, IDC_RECORD_SELECTED)), "1 records selected");
    // Every record, then record 2 taken out again; record 5 keeps 1 now.
    Press(window, IDC_RECORD_SELECT_ALL);
    ::SendMessageA(window, kGridMsgRowAction, 2, 0);
    EXPECT_EQ(dialog.Quantity(2), 0);
    EXPECT_EQ(dialog.Quantity(kRecords), 1);
    EXPECT_EQ(dsui_test::ToUtf8(dsui_test::ItemText(window, IDC_RECORD_SELECTED)),
              std::to_string(kRecords - 1) + " records selected");
    EXPECT_LE(dialog.LoadedRows(), kMostHeld);
    grid.EnsureVisible(1, 1);
    uitest::RunUntilIdle();
    uitest::SaveWindowPng(window, dsui_test::PicturePath("record_select_long_en.png"));
    Press(window, IDOK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_NE(missed.find("no such item"), std::string::npos) << missed;
  EXPECT_EQ(dialog.m_records, kRecords - 1);
  EXPECT_EQ(dialog.m_totalQuantity, kRecords - 1);
  // Stored by key values (n is unique): records 1, 3, 4, ... each once.
  CDbBinding binding;
  ASSERT_EQ(FindDbBinding(setup_.dbBindings, field_.dbSource, field_.dbTable, &binding), 1);
  ASSERT_EQ(binding.selection.size(), static_cast<size_t>(kRecords - 1));
  EXPECT_EQ(binding.keyColumns, std::vector<AString>{AString("n")});
  EXPECT_EQ(binding.selection[0].record, 1);
  EXPECT_EQ(binding.selection[1].record, 3);
  EXPECT_EQ(binding.selection.back().record, kRecords);
  for (const SelRecord& entry : binding.selection) {
    std::string key;
    AppendRecordKeyValue(&key, std::to_string(entry.record).c_str(), std::to_string(entry.record).size());
    ASSERT_EQ(entry.key, key) << "record " << entry.record;
  }
}

}  // namespace
