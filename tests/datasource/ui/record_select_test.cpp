// The database record select dialog as a person uses it, on a real SQLite
// table of 250 records and a PostgreSQL table of 100,000 records of the
// tests' own server: 100 rows loaded at first, Find, Select All and Clear
// All, quantities typed through Set Quantity (a refused one included) and
// toggled, and the choice {3: 2, 7: 1} stored as the binding's selection,
// which the print walk then turns into labels for records 3, 3 and 7.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../odbc_environment.h"
#include "datasource/db_bindings.h"
#include "datasource/ui/records/record_select_dlg.h"
#include "datasource/ui/records/records_ids.h"
#include "fields/model/field_kinds.h"
#include "db_field_setup.h"
#include "panel_test_support.h"

namespace {

using apptest::DialogScript;
using apptest::Press;

struct Table {
  const char* name;
  const char* dsn;
  bool postgres;
  int records;
};

void MakeTable(const Table& t) {
  const std::string create = std::string("DROP TABLE IF EXISTS ") + t.name + "; CREATE TABLE " + t.name +
                             " (n INTEGER, code VARCHAR(10), name VARCHAR(30));";
  if (t.postgres) {
    odbc_test::Psql(create + "INSERT INTO " + t.name +
                    " SELECT i, 'C' || lpad(i::text, 6, '0'), 'Item ' || i FROM generate_series(1, " +
                    std::to_string(t.records) + ") AS i;");
  } else {
    odbc_test::Sqlite(create + "WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < " +
                      std::to_string(t.records) + ") INSERT INTO " + t.name +
                      " SELECT i, printf('C%06d', i), 'Item ' || i FROM s;");
  }
}

using dsui_test::DbFieldSetup;

class RecordSelectTest : public ::testing::TestWithParam<Table> {
 protected:
  void TearDown() override { CWnd::DeleteTempMap(); }
  apptest::LanguageScope english_{kUiEnglish};
};

TEST_P(RecordSelectTest, RecordsChosenWithQuantitiesPrintInOrder) {
  const Table& t = GetParam();
  if (t.postgres) {
    ASSERT_FALSE(odbc_test::PostgresSocketFolder().empty());
  }
  MakeTable(t);
  DbFieldSetup s(t.dsn, t.name);
  CDbRecordSelectDlg dialog(nullptr);
  dialog.m_setup = &s.setup;
  dialog.m_field = &s.field;
  dialog.m_fields = {&s.field};
  std::vector<std::string> refused;
  DialogScript script;
  script.Then([&](HWND window) {
    EXPECT_EQ(dialog.RecordCount(), t.records);
    EXPECT_EQ(dialog.LoadedRows(), 100);
    // The key and the output column show; the name column is not in use.
    EXPECT_GT(dialog.Grid().GetColumnWidth(1), 0);
    EXPECT_GT(dialog.Grid().GetColumnWidth(2), 0);
    EXPECT_EQ(dialog.Grid().GetColumnWidth(3), 0);
    dsui_test::Click(window, IDC_RECORD_SHOW_ALL_FIELDS);
    EXPECT_GT(dialog.Grid().GetColumnWidth(3), 0);
    // Find a record beyond the loaded ones by its code.
    ASSERT_TRUE(dsui_test::ChooseByText(window, IDC_RECORD_FIND_COLUMN, "code"));
    dsui_test::TypeInto(window, IDC_RECORD_FIND_TEXT, "C000150");
    Press(window, IDC_RECORD_SEARCH);
    EXPECT_EQ(dialog.Grid().GetSelectedCellRange().minRow, 150);
    EXPECT_EQ(dsui_test::ToUtf8(dsui_test::ItemText(window, IDC_RECORD_POSITION)),
              "150 / " + std::to_string(t.records));
    // Select All marks every record without loading it; Clear All unmarks.
    const int loaded = dialog.LoadedRows();
    Press(window, IDC_RECORD_SELECT_ALL);
    EXPECT_EQ(dialog.Quantity(t.records), 1);
    EXPECT_EQ(dialog.LoadedRows(), loaded);
    EXPECT_EQ(dsui_test::ToUtf8(dsui_test::ItemText(window, IDC_RECORD_SELECTED)),
              std::to_string(t.records) + " records selected");
    Press(window, IDC_RECORD_CLEAR_ALL);
    EXPECT_EQ(dialog.Quantity(t.records), 0);
    // Record 3 gets 2 labels through Set Qty (a quantity beyond 10000 is
    // refused first); record 7 is toggled on.
    script.Then([&](HWND ask) {
      dsui_test::TypeInto(ask, IDC_QUANTITY_VALUE, "20000");
      Press(ask, IDOK);
      dsui_test::TypeInto(ask, IDC_QUANTITY_VALUE, "2");
      Press(ask, IDOK);
    });
    script.Then([&](HWND box) {
      refused.push_back(dsui_test::ShownText(box));
      ::EndDialog(box, IDOK);
    });
    // Record 3 found by its code picks its row.
    dsui_test::TypeInto(window, IDC_RECORD_FIND_TEXT, "C000003");
    Press(window, IDC_RECORD_SEARCH);
    EXPECT_EQ(dialog.Grid().GetSelectedCellRange().minRow, 3);
    Press(window, IDC_RECORD_SET_QTY);
    ::SendMessageA(window, kGridMsgRowAction, 7, 0);
    EXPECT_EQ(dialog.Quantity(3), 2);
    EXPECT_EQ(dialog.Quantity(7), 1);
    EXPECT_EQ(dialog.Grid().GetItemText(3, 0), AString("2"));
    dialog.Grid().EnsureVisible(1, 1);
    uitest::RunUntilIdle();
    uitest::SaveWindowPng(window, dsui_test::PicturePath(std::string("record_select_") + t.name + "_en.png"));
    Press(window, IDOK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_NE(refused[0].find("20000"), std::string::npos) << refused[0];
  EXPECT_EQ(dialog.m_records, 2);
  EXPECT_EQ(dialog.m_totalQuantity, 3);
  EXPECT_EQ(s.Chosen(), (std::vector<std::pair<int, int>>{{3, 2}, {7, 1}}));
  // The print walk gives records 3, 3 and 7.
  EXPECT_EQ(s.Printed(3), (std::vector<std::string>{"C000003", "C000003", "C000007"}));
}

INSTANTIATE_TEST_SUITE_P(Tables, RecordSelectTest,
                         ::testing::Values(Table{"recsel", odbc_test::kSqliteDsn, false, 250},
                                           Table{"recsel_big", odbc_test::kPgDsn, true, 100000}),
                         [](const ::testing::TestParamInfo<Table>& info) {
                           return std::string(info.param.postgres ? "PostgreSQL" : "SQLite");
                         });

TEST(RecordSelectViewAndChinese, BrowsingOnlyAndInChinese) {
  const Table t{"recsel_view", odbc_test::kSqliteDsn, false, 12};
  MakeTable(t);
  DbFieldSetup s(t.dsn, t.name);
  apptest::LanguageScope chinese(kUiChineseSimplified);
  CDbRecordSelectDlg dialog(nullptr);
  dialog.m_viewMode = true;
  dialog.m_setup = &s.setup;
  dialog.m_field = &s.field;
  dialog.m_fields = {&s.field};
  DialogScript script;
  script.Then([&](HWND window) {
    EXPECT_FALSE(dsui_test::IsShown(window, IDC_RECORD_SELECT_ALL));
    EXPECT_EQ(dialog.LoadedRows(), 12);
    // No quantity column: the key is the first column.
    EXPECT_EQ(dialog.Grid().GetItemText(0, 0), AString("n"));
    uitest::SaveWindowPng(window, dsui_test::PicturePath("record_view_zh.png"));
    Press(window, IDOK);
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  // Nothing was chosen.
  CDbBinding binding;
  FindDbBinding(s.setup.dbBindings, s.field.dbSource, s.field.dbTable, &binding);
  EXPECT_TRUE(binding.selection.empty());
  CWnd::DeleteTempMap();
}

}  // namespace
