// Chosen records kept by their key values: records picked in the record
// select dialog on a real SQLite file and the tests' own PostgreSQL server
// are stored with the layout's bindings, read back as a reopened layout
// reads them, and print the same records after rows were added in front of
// them; a record deleted from the table meanwhile prints nothing and the
// job names it; the dialog opened again shows the choice where the records
// stand now. A key whose values repeat identifies records by every column.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../odbc_environment.h"
#include "../temp_folder.h"
#include "datasource/db_bindings.h"
#include "datasource/ui/records/record_select_dlg.h"
#include "datasource/ui/records/records_ids.h"
#include "fields/model/field_kinds.h"
#include "panel_test_support.h"

namespace {

using apptest::DialogScript;
using apptest::Press;

struct Case {
  const char* name;
  const char* dsn;
  bool postgres;
  // The binding's key column: n is unique, grp repeats every 5 records.
  const char* keyColumn;
  // The columns expected to identify a record.
  std::vector<std::string> keyColumns;
};

std::string RunSql(const Case& c, const std::string& sql) {
  return c.postgres ? odbc_test::Psql(sql) : odbc_test::Sqlite(sql);
}

// Records n = 1..40 with code C0000n and grp = n % 5.
void MakeTable(const Case& c, const std::string& table) {
  std::string sql = "DROP TABLE IF EXISTS " + table + "; CREATE TABLE " + table +
                    " (n INTEGER, code VARCHAR(10), grp INTEGER);";
  for (int n = 1; n <= 40; ++n) {
    char row[96];
    std::snprintf(row, sizeof row, "INSERT INTO %s VALUES (%d, 'C%06d', %d);", table.c_str(), n, n, n % 5);
    sql += row;
  }
  RunSql(c, sql);
}

struct Layout {
  CTextField field;
  CLabelSetup setup;
  Layout(const Case& c, const std::string& table) {
    field.dataSourceType = static_cast<int16_t>(DataSourceType::kDatabase);
    field.dbSource = c.dsn;
    field.dbTable = table.c_str();
    field.dbColumn = "code";
    CDbBinding binding;
    binding.keyColumn = c.keyColumn;
    setup.dbBindings.SetAt(MakeDbBindingKey(field.dbSource, field.dbTable), binding);
  }
};

// The records as the dialog places them: toggled on (quantity 1) or given a
// quantity through Set Qty.
struct Pick {
  int place;
  int quantity;
};

// Opens the dialog on the layout, checks the quantities it shows, picks the
// records and presses OK; returns the note the dialog showed.
std::string ChooseInDialog(Layout& layout, const std::vector<Pick>& shown, const std::vector<Pick>& picks,
                           const std::string& picture) {
  CDbRecordSelectDlg dialog(nullptr);
  dialog.m_setup = &layout.setup;
  dialog.m_field = &layout.field;
  dialog.m_fields = {&layout.field};
  std::string note;
  DialogScript script;
  script.Then([&](HWND window) {
    for (const Pick& p : shown) EXPECT_EQ(dialog.Quantity(p.place), p.quantity) << "place " << p.place;
    note = dsui_test::ToUtf8(dsui_test::ItemText(window, IDC_RECORD_SEARCH_NOTE));
    for (const Pick& p : picks) {
      if (p.quantity == 1) {
        ::SendMessageA(window, kGridMsgRowAction, static_cast<WPARAM>(p.place), 0);
        continue;
      }
      dialog.Grid().SetSelectedRange(p.place, 0, p.place, dialog.Grid().GetColumnCount() - 1);
      script.Then([q = std::to_string(p.quantity)](HWND ask) {
        dsui_test::TypeInto(ask, IDC_QUANTITY_VALUE, q.c_str());
        Press(ask, IDOK);
      });
      Press(window, IDC_RECORD_SET_QTY);
    }
    if (!picture.empty()) {
      uitest::RunUntilIdle();
      uitest::SaveWindowPng(window, dsui_test::PicturePath(picture));
    }
    Press(window, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  CWnd::DeleteTempMap();
  return note;
}

// The bindings written as the layout stores them and read back.
CDbBindingMap Reopened(CDbBindingMap& map) {
  TempFolder dir;
  const std::string path = dir.File("bindings.bin");
  FILE* out = std::fopen(path.c_str(), "wb");
  EXPECT_EQ(map.Serialize(false, out), map.GetCount());
  std::fclose(out);
  CDbBindingMap back;
  FILE* in = std::fopen(path.c_str(), "rb");
  EXPECT_EQ(back.Serialize(true, in), map.GetCount());
  std::fclose(in);
  return back;
}

// The codes labels 0..count-1 print, and the job's notice.
std::vector<std::string> Printed(CDbBindingMap map, const Layout& layout, int count, std::string* notice) {
  AString reason, said;
  std::vector<std::string> printed;
  EXPECT_EQ(OpenDbBindings(map, &reason, &said), 1) << reason.GetData();
  CDataRunContext run;
  run.bindings = &map;
  for (int label = 0; label < count; ++label) {
    AString value;
    EXPECT_EQ(GetDbFieldValue(run, layout.field, label, &value), 1);
    printed.emplace_back(value.GetData());
  }
  CloseDbBindings(map);
  *notice = said.GetData();
  return printed;
}

class RecordKeys : public ::testing::TestWithParam<Case> {
 protected:
  void TearDown() override { CWnd::DeleteTempMap(); }
  apptest::LanguageScope english_{kUiEnglish};
};

TEST_P(RecordKeys, ChosenRecordsFollowTheirKeysThroughTheLayoutFile) {
  const Case& c = GetParam();
  if (c.postgres) {
    ASSERT_FALSE(odbc_test::PostgresSocketFolder().empty());
  }
  const std::string table = std::string("reckeys_") + c.keyColumn;
  MakeTable(c, table);
  Layout layout(c, table);
  // Ordered by n: records C000003 and C000007 at places 3 and 7. Ordered by
  // grp (then n, code), eight records a group: C000007 is the second of
  // group 2 at place 18, C000003 the first of group 3 at place 25.
  const bool byN = std::string(c.keyColumn) == "n";
  const int place3 = byN ? 3 : 25;
  const int place7 = byN ? 7 : 18;
  ChooseInDialog(layout, {}, {{place3, 2}, {place7, 1}},
                 std::string("record_keys_") + c.name + "_" + c.keyColumn + "_en.png");
  CDbBinding chosen;
  ASSERT_EQ(FindDbBinding(layout.setup.dbBindings, layout.field.dbSource, layout.field.dbTable, &chosen), 1);
  std::vector<std::string> columns;
  for (const AString& name : chosen.keyColumns) columns.emplace_back(name.GetData());
  EXPECT_EQ(columns, c.keyColumns);

  // The layout is stored and reopened; meanwhile rows come in front of the
  // chosen ones, so their places move on.
  Layout reopened(c, table);
  reopened.setup.dbBindings = Reopened(layout.setup.dbBindings);
  RunSql(c, "INSERT INTO " + table + " VALUES (0, 'C000000', 0); INSERT INTO " + table + " VALUES (-1, 'CM00001', 1);");
  std::string notice;
  EXPECT_EQ(Printed(reopened.setup.dbBindings, reopened, 4, &notice),
            byN ? (std::vector<std::string>{"C000003", "C000003", "C000007", "C000007"})
                : (std::vector<std::string>{"C000007", "C000003", "C000003", "C000003"}));
  EXPECT_EQ(notice, "");

  // Record C000007 is deleted: its labels print nothing, and the job says
  // which record is gone.
  RunSql(c, "DELETE FROM " + table + " WHERE code = 'C000007';");
  const std::vector<std::string> printed = Printed(reopened.setup.dbBindings, reopened, 3, &notice);
  EXPECT_EQ(printed, byN ? (std::vector<std::string>{"C000003", "C000003", ""})
                         : (std::vector<std::string>{"", "C000003", "C000003"}));
  EXPECT_NE(notice.find("A chosen record is no longer in the table"), std::string::npos) << notice;
  EXPECT_NE(notice.find(byN ? "\n  7\n" : "\n  2, 7, C000007\n"), std::string::npos) << notice;

  // The dialog opened again on the reopened layout shows C000003 where it
  // stands now and says one chosen record is gone.
  const int now3 = byN ? 5 : place3 + 1;
  const std::string note = ChooseInDialog(reopened, {{now3, 2}, {byN ? 9 : place7 + 1, 0}}, {}, "");
  EXPECT_EQ(note, "1 chosen records are no longer in the table");
}

INSTANTIATE_TEST_SUITE_P(
    Sources, RecordKeys,
    ::testing::Values(Case{"SQLite", odbc_test::kSqliteDsn, false, "n", {"n"}},
                      Case{"SQLite", odbc_test::kSqliteDsn, false, "grp", {"grp", "n", "code"}},
                      Case{"PostgreSQL", odbc_test::kPgDsn, true, "n", {"n"}},
                      Case{"PostgreSQL", odbc_test::kPgDsn, true, "grp", {"grp", "n", "code"}}),
    [](const ::testing::TestParamInfo<Case>& info) {
      return std::string(info.param.name) + "_" + info.param.keyColumn;
    });

}  // namespace
