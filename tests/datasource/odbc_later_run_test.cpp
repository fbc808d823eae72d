// Sources stored in one run connect again in a later one: this test program
// stores them (DbLst.bin), then runs itself again as the later run, a fresh
// process that knows only the stored list. A source chosen by a connection
// string without a DSN connects by its stored name; a file data source by
// its path; PostgreSQL's password is stored nowhere, so the later run is
// told it has to be given, and connects once it is.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "datasource/data_folders.h"
#include "datasource/db_bindings.h"
#include "datasource/db_source_lists.h"
#include "odbc_test_util.h"
#include "temp_folder.h"

namespace odbc_test {
namespace {

constexpr const char* kLaterRunFolder = "TAV_ODBC_LATER_RUN_FOLDER";
constexpr const char* kSqliteDriver = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";

// The value column of the table's record 1 through a print job's binding:
// the value; "password wanted" when refused for want of the password with the
// driver's reason; else "refused: " and the reason on one line.
std::string PrintFirstRecord(const AString& source) {
  CDbBindingMap map;
  CDbBinding b;
  b.keyColumn = "k";
  b.SetSelection({{1, 1, 0}});
  map.SetAt(MakeDbBindingKey(source, "later_run"), b);
  AString reason;
  if (!OpenDbBindings(map, &reason)) {
    if (reason.Find("has to be given again") >= 0 && reason.Find("SQL state = ") >= 0) return "password wanted";
    std::string text = reason.GetData();
    for (char& c : text) c = c == '\n' ? ' ' : c;
    return "refused: " + text;
  }
  CDataRunContext run;
  run.bindings = &map;
  AString value;
  GetDbValue(run, source, "later_run", "v", 0, &value);
  CloseDbBindings(map);
  return value.GetData();
}

// The later run: every stored source prints its record; one refused for
// want of its password is given it and tried again. One line per source.
void LaterRun(const std::string& folder) {
  SetDataFolder(DataFolder::kDbLists, folder.c_str());
  LikelyUsedDbSources().clear();
  ASSERT_EQ(LoadDbSourceLists(), 1);
  std::ofstream out(folder + "/later_run.txt");
  for (const NamedValue& stored : LikelyUsedDbSources()) {
    const DbSourceKind kind = GetDbSourceKind(stored.text, stored.value != 0);
    out << (kind == DbSourceKind::kConnectString ? "string" : kind == DbSourceKind::kFileDsn ? "file" : "dsn")
        << ": " << PrintFirstRecord(stored.text);
    COdbcConnection failed;
    if (!ConnectDataSource(stored.text, stored.value != 0, &failed) && NeedsDataSourcePassword(stored.text, failed)) {
      COdbcConnection given;
      ASSERT_EQ(ConnectDataSourceWithPassword(stored.text, kPgPassword, &given), 1) << given.GetErrorText().GetData();
      out << " | given: " << PrintFirstRecord(stored.text);
    }
    out << "\n";
  }
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(OdbcLaterRun, StoredSourcesConnectAgainInAFreshProcess) {
  if (const char* folder = std::getenv(kLaterRunFolder)) {
    LaterRun(folder);
    return;
  }
  ASSERT_FALSE(PostgresSocketFolder().empty());
  Psql("DROP TABLE IF EXISTS later_run; CREATE TABLE later_run (k INTEGER, v VARCHAR(20)); "
       "INSERT INTO later_run VALUES (1, 'from postgres')");
  Sqlite("DROP TABLE IF EXISTS later_run; CREATE TABLE later_run (k INTEGER, v VARCHAR(20)); "
         "INSERT INTO later_run VALUES (1, 'from sqlite')");
  TempFolder dir;
  SetDataFolder(DataFolder::kDbLists, dir.path().c_str());
  LikelyUsedDbSources().clear();
  FileDsnList().RemoveAll();

  // Chosen this run by connection strings without a DSN.
  for (const std::string& given : {std::string("Driver=") + kSqliteDriver + ";Database=" + SqliteFile(),
                                   PostgresConnectString()}) {
    AString name;
    int isFileDsn = -1;
    ASSERT_EQ(ConnectAndRememberDataSource(given.c_str(), &name, &isFileDsn), 1) << given;
    EXPECT_EQ(GetDbSourceKind(name, isFileDsn != 0), DbSourceKind::kConnectString) << name.GetData();
    EXPECT_EQ(name.Find(kPgPassword), -1);
    // The driver is named, first: an empty DSN before it would be taken for
    // the default data source, which a later run's machine need not have.
    EXPECT_EQ(name.Find("DRIVER="), 0) << name.GetData();
    RememberDbSource(name, isFileDsn);
  }
  // A file data source: a path.
  const std::string fileDsn = dir.File("stock.dsn");
  WriteText(fileDsn, std::string("[ODBC]\nDRIVER=") + kSqliteDriver + "\nDatabase=" + SqliteFile() + "\n");
  EXPECT_EQ(GetDbSourceKind(fileDsn.c_str(), true), DbSourceKind::kFileDsn);
  RememberDbSource(fileDsn.c_str(), 1);
  ASSERT_EQ(SaveDbSourceLists(), 1);
  LikelyUsedDbSources().clear();
  FileDsnList().RemoveAll();
  SetDataFolder(DataFolder::kDbLists, "");

  int status = -1;
  const std::string output = odbc_test::Run(std::string(kLaterRunFolder) + "='" + dir.path() +
                                     "' /proc/" + std::to_string(getpid()) +
                                     "/exe --gtest_filter=OdbcLaterRun.StoredSourcesConnectAgainInAFreshProcess 2>&1",
                                 &status);
  EXPECT_EQ(status, 0) << output;
  EXPECT_EQ(ReadText(dir.File("later_run.txt")),
            "string: from sqlite\n"
            "string: password wanted | given: from postgres\n"
            "file: from sqlite\n")
      << output;
}

// Names as earlier versions stored them (DbLst.bin, fields, bindings) are
// told apart by their form: a connection string is key=value pairs with no
// path before its first '=' (no DSN name may hold '='); a path is a file
// data source whatever its stored flag; anything else is a DSN.
TEST(OdbcLaterRun, StoredNamesAreToldApartByTheirForm) {
  struct Case {
    const char* name;
    bool storedAsFile;
    DbSourceKind kind;
  } cases[] = {
      {"Stock", false, DbSourceKind::kDsn},
      {"Stock", true, DbSourceKind::kFileDsn},
      {"/home/ann/sources/stock.dsn", false, DbSourceKind::kFileDsn},
      {"C:\\Sources\\stock.dsn", true, DbSourceKind::kFileDsn},
      {"/home/ann/a=b.dsn", true, DbSourceKind::kFileDsn},
      {"DRIVER=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so;DATABASE=tavdb;SERVER=/tmp/pg;UID=ann", false,
       DbSourceKind::kConnectString},
      {"DSN=;Database=/home/ann/stock.db;StepAPI=", false, DbSourceKind::kConnectString},
      {"DRIVER={C:\\odbc\\x.dll};DBQ=C:\\data\\stock.xls", false, DbSourceKind::kConnectString},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetDbSourceKind(c.name, c.storedAsFile), c.kind) << c.name;
  }
}

}  // namespace
}  // namespace odbc_test
