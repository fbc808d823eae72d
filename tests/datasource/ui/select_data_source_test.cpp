// Choosing and adding ODBC data sources as a person would: the Select Data
// Source dialog over the test program's own odbc.ini, a PostgreSQL data
// source made in Add Data Source against the tests' own server (Test with a
// wrong and the right password shows the driver's answer), saved to the
// user's odbc.ini without the password, listed by odbcinst, chosen and its
// table's columns listed; the password prompt of a source that leaves its
// password out; Show Detail without the password.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../odbc_environment.h"
#include "datasource/db_source_lists.h"
#include "datasource/odbc_connection.h"
#include "datasource/ui/select_source/odbc_ini.h"
#include "datasource/ui/select_source/password_prompt.h"
#include "datasource/ui/select_source/select_data_source_dlg.h"
#include "datasource/ui/select_source/select_source_ids.h"
#include "panel_test_support.h"

namespace {

using apptest::DialogScript;
using apptest::Press;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> ListRows(HWND dialog) {
  return dsui_test::ListItems(dialog, IDC_SOURCE_LIST, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

void SelectListRow(HWND dialog, const std::string& text) {
  const std::vector<std::string> rows = ListRows(dialog);
  const auto found = std::find(rows.begin(), rows.end(), text);
  ASSERT_NE(found, rows.end()) << text;
  HWND list = ::GetDlgItem(dialog, IDC_SOURCE_LIST);
  ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(found - rows.begin()), 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_SOURCE_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  uitest::RunUntilIdle();
}

class SelectDataSourceTest : public ::testing::Test {
 protected:
  void TearDown() override { CWnd::DeleteTempMap(); }
  apptest::LanguageScope english_{kUiEnglish};
};

TEST(ConnectionDetail, ShowsEveryPairButThePassword) {
  struct Row {
    const char* connect;
    const char* shown;
  };
  const Row rows[] = {
      {"DSN=stock;UID=ann;PWD=secret;DATABASE=shop", "DSN=stock\nUID=ann\nDATABASE=shop"},
      // A braced password holding ';' and '}' goes whole; PWDX is no password.
      {"DRIVER={PostgreSQL Unicode};PWD={a;b}}c};PWDX=1;Port=5432", "DRIVER=PostgreSQL Unicode\nPWDX=1\nPort=5432"},
      {"Password=x;Servername=/tmp/pg", "Servername=/tmp/pg"},
      {"DSN=only", "DSN=only"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(std::string(FormatConnectionDetail(row.connect).GetData()), row.shown) << row.connect;
  }
}

TEST_F(SelectDataSourceTest, ListsTheSourcesAndForgetsAMissingFileDataSource) {
  FileDsnList().RemoveAll();
  FileDsnList().Add(AString("/nonexistent/folder/gone.dsn"));
  std::vector<std::string> rows;
  std::string detail;
  DialogScript script;
  script.Then([&](HWND dialog) {
    rows = ListRows(dialog);
    uitest::SaveWindowPng(dialog, dsui_test::PicturePath("select_data_source_en.png"));
    SelectListRow(dialog, odbc_test::kSqliteDsn);
    Press(dialog, IDC_SOURCE_DETAIL);
    Press(dialog, IDOK);
  });
  script.Then([&](HWND box) {
    detail = dsui_test::ShownText(box);
    ::EndDialog(box, IDOK);
  });
  CSelectDataSourceDlg dialog(nullptr);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_NE(std::find(rows.begin(), rows.end(), odbc_test::kSqliteDsn), rows.end());
  EXPECT_NE(std::find(rows.begin(), rows.end(), odbc_test::kPgDsn), rows.end());
  EXPECT_EQ(std::find(rows.begin(), rows.end(), "gone.dsn"), rows.end());
  EXPECT_EQ(FileDsnList().GetSize(), 0);
  // The detail shows the database file of the SQLite source.
  EXPECT_NE(detail.find("Database=" + odbc_test::SqliteFile()), std::string::npos) << detail;
  EXPECT_EQ(std::string(dialog.m_chosenName.GetData()), odbc_test::kSqliteDsn);
  EXPECT_EQ(dialog.m_chosenKind, 0);
}

TEST_F(SelectDataSourceTest, APostgreSqlSourceMadeTestedSavedAndChosen) {
  ASSERT_FALSE(odbc_test::PostgresSocketFolder().empty());
  odbc_test::Psql("DROP TABLE IF EXISTS added_parts; CREATE TABLE added_parts (part_no INTEGER, label VARCHAR(30))");
  const std::string name = "TavAddedPostgres";
  const std::vector<std::string> drivers = InstalledOdbcDrivers();
  ASSERT_NE(std::find(drivers.begin(), drivers.end(), "TavPostgreSQLUnicode"), drivers.end());
  std::vector<std::string> keys, answers;
  std::string selectedRow;
  DialogScript script;
  script.Then([&](HWND select) {
    Press(select, IDC_SOURCE_ADD);  // the add dialog and its answers are the next steps
    selectedRow = dsui_test::ToUtf8(dsui_test::ItemText(select, IDC_SOURCE_FULL_TEXT));
    Press(select, IDOK);
  });
  script.Then([&](HWND add) {
    ASSERT_TRUE(dsui_test::ChooseByText(add, IDC_ADD_DRIVER, "TavPostgreSQLUnicode"));
    for (int row = 0; row < 4; ++row)
      keys.push_back(dsui_test::ToUtf8(dsui_test::ItemText(add, IDC_ADD_KEY_FIRST + row)));
    dsui_test::TypeInto(add, IDC_ADD_NAME, name.c_str());
    dsui_test::TypeInto(add, IDC_ADD_VALUE_FIRST + 0, odbc_test::PostgresSocketFolder().c_str());
    dsui_test::TypeInto(add, IDC_ADD_VALUE_FIRST + 1, "5432");
    dsui_test::TypeInto(add, IDC_ADD_VALUE_FIRST + 2, odbc_test::kPgDatabase);
    dsui_test::TypeInto(add, IDC_ADD_VALUE_FIRST + 3, odbc_test::kPgRole);
    dsui_test::TypeInto(add, IDC_ADD_PASSWORD, "not-the-password");
    Press(add, IDC_ADD_TEST);
    dsui_test::TypeInto(add, IDC_ADD_PASSWORD, odbc_test::kPgPassword);
    Press(add, IDC_ADD_TEST);
    uitest::SaveWindowPng(add, dsui_test::PicturePath("add_data_source_en.png"));
    Press(add, IDOK);
  });
  for (int i = 0; i < 2; ++i) {
    script.Then([&](HWND box) {
      answers.push_back(dsui_test::ShownText(box));
      ::EndDialog(box, IDOK);
    });
  }
  CSelectDataSourceDlg select(nullptr);
  ASSERT_EQ(select.DoModal(), IDOK);
  EXPECT_EQ(keys, (std::vector<std::string>{"Servername", "Port", "Database", "Username"}));
  ASSERT_EQ(answers.size(), 2u);
  // The driver's own words for the wrong password, then success.
  EXPECT_NE(answers[0].find("password authentication failed"), std::string::npos) << answers[0];
  EXPECT_NE(answers[1].find("The connection succeeded"), std::string::npos) << answers[1];
  // The new source is listed, selected and chosen.
  EXPECT_EQ(selectedRow, name);
  EXPECT_EQ(std::string(select.m_chosenName.GetData()), name);
  // Saved to the user's odbc.ini, which the driver manager's own tool lists;
  // the password is in no file.
  const std::string ini = ReadFile(odbc_test::Folder() + "/odbc.ini");
  EXPECT_NE(ini.find("[" + name + "]"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("not-the-password"), std::string::npos);
  const std::string listed = odbc_test::Run("odbcinst -q -s");
  EXPECT_NE(listed.find("[" + name + "]"), std::string::npos) << listed;
  // The new source's section holds no password (the file also holds the
  // test program's own sources, written with theirs).
  const size_t start = ini.find("[" + name + "]");
  const std::string section = ini.substr(start, ini.find("\n[", start + 1) - start);
  EXPECT_EQ(section.find(odbc_test::kPgPassword), std::string::npos) << section;
  EXPECT_EQ(section.find("PWD"), std::string::npos) << section;
  EXPECT_NE(section.find("Servername"), std::string::npos) << section;
  // Its table's columns, through the password this run keeps.
  std::vector<DbColumnInfo> columns;
  ASSERT_EQ(ListSourceColumns(nullptr, AString(name.c_str()), 0, "added_parts", &columns), 2);
  EXPECT_EQ(std::string(columns[0].name.GetData()), "part_no");
  EXPECT_EQ(std::string(columns[1].name.GetData()), "label");
}

TEST_F(SelectDataSourceTest, ASourceWithoutItsPasswordAsksUntilItConnects) {
  ASSERT_FALSE(odbc_test::PostgresSocketFolder().empty());
  const std::string name = "TavAskingPostgres";
  std::string error;
  ASSERT_TRUE(WriteUserDataSource(name, "TavPostgreSQLUnicode",
                                  {{"Servername", odbc_test::PostgresSocketFolder()},
                                   {"Database", odbc_test::kPgDatabase},
                                   {"Username", odbc_test::kPgRole}},
                                  &error))
      << error;
  std::vector<std::string> prompts;
  DialogScript script;
  for (const char* typed : {"wrong-once", odbc_test::kPgPassword}) {
    script.Then([&prompts, typed](HWND prompt) {
      prompts.push_back(dsui_test::ShownText(prompt));
      if (prompts.size() == 1) uitest::SaveWindowPng(prompt, dsui_test::PicturePath("data_source_password_en.png"));
      dsui_test::TypeInto(prompt, IDC_PASSWORD_VALUE, typed);
      Press(prompt, IDOK);
    });
  }
  COdbcConnection connection;
  EXPECT_EQ(ConnectDataSourceAsking(nullptr, AString(name.c_str()), false, &connection), 1)
      << connection.GetErrorText().GetData();
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_NE(prompts[0].find(name), std::string::npos) << prompts[0];
  // Later connections of the run need no password.
  COdbcConnection again;
  EXPECT_EQ(ConnectDataSource(AString(name.c_str()), false, &again), 1);

  // Cancel gives up with the driver's reason.
  const std::string other = "TavCancelledPostgres";
  ASSERT_TRUE(WriteUserDataSource(other, "TavPostgreSQLUnicode",
                                  {{"Servername", odbc_test::PostgresSocketFolder()},
                                   {"Database", odbc_test::kPgDatabase},
                                   {"Username", odbc_test::kPgRole}},
                                  &error));
  DialogScript cancel;
  cancel.Then([](HWND prompt) { Press(prompt, IDCANCEL); });
  COdbcConnection refused;
  EXPECT_EQ(ConnectDataSourceAsking(nullptr, AString(other.c_str()), false, &refused), 0);
  EXPECT_NE(std::string(refused.GetErrorText().GetData()).find("password"), std::string::npos);
}

}  // namespace

namespace {

TEST(SelectDataSourceChinese, TheDialogsInChinese) {
  apptest::LanguageScope chinese(kUiChineseSimplified);
  DialogScript script;
  script.Then([](HWND select) {
    uitest::SaveWindowPng(select, dsui_test::PicturePath("select_data_source_zh.png"));
    Press(select, IDC_SOURCE_ADD);
    Press(select, IDCANCEL);
  });
  script.Then([](HWND add) {
    ASSERT_TRUE(dsui_test::ChooseByText(add, IDC_ADD_DRIVER, "TavSQLite3"));
    // SQLite's usual key is the database file.
    EXPECT_EQ(dsui_test::ItemText(add, IDC_ADD_KEY_FIRST), u"Database");
    EXPECT_EQ(dsui_test::ItemText(add, IDC_ADD_KEY_FIRST + 1), u"");
    uitest::SaveWindowPng(add, dsui_test::PicturePath("add_data_source_zh.png"));
    Press(add, IDCANCEL);
  });
  script.Then([](HWND prompt) {
    uitest::SaveWindowPng(prompt, dsui_test::PicturePath("data_source_password_zh.png"));
    Press(prompt, IDCANCEL);
  });
  CSelectDataSourceDlg select(nullptr);
  EXPECT_EQ(select.DoModal(), IDCANCEL);
  // The password prompt of a connection string without its password.
  COdbcConnection refused;
  const std::string source = "Driver=TavPostgreSQLUnicode;Servername=" + odbc_test::PostgresSocketFolder() +
                             ";Database=" + odbc_test::kPgDatabase + ";Username=" + odbc_test::kPgRole;
  EXPECT_EQ(ConnectDataSourceAsking(nullptr, AString(source.c_str()), false, &refused), 0);
  EXPECT_EQ(script.captions.size(), 3u);
  CWnd::DeleteTempMap();
}

}  // namespace
