// A print job's database part when something is wrong: every failure to
// connect or to query is a refusal with the driver's reason (never a crash),
// and names from a layout file (table, key column) are only ever names.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "datasource/db_bindings.h"
#include "datasource/db_source_lists.h"
#include "odbc_test_util.h"

namespace odbc_test {
namespace {

bool Contains(const AString& text, const char* part) { return text.Find(part) >= 0; }

// No binding of the map keeps a connection or statement.
void ExpectAllClosed(CDbBindingMap& map) {
  for (const AString& key : map.Keys()) {
    const CDbBinding& b = *map.LookupPtr(key);
    EXPECT_EQ(b.connection, nullptr) << key.GetData();
    EXPECT_EQ(b.statement, nullptr) << key.GetData();
  }
}

void MakeStock(COdbcConnection& c) {
  c.ExecuteUpdate("DROP TABLE IF EXISTS stock");
  c.ExecuteUpdate("CREATE TABLE stock (code VARCHAR(10), name VARCHAR(40))");
  c.ExecuteUpdate("INSERT INTO stock VALUES ('A1', 'first'), ('B2', 'second'), ('C3', 'third')");
}

// A DSN-less PostgreSQL source whose server is not there.
std::string AbsentServer() {
  return "Driver=/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so;Servername=" + Folder() +
         "/no-server;Port=5432;Database=tavdb;UID=tavuser;PWD=x";
}

struct Failure {
  const char* what;
  bool postgresOnly;
  // The source name, table and key column of the binding that fails.
  std::function<std::string(const Source&)> source;
  const char* table;
  const char* keyColumn;
  bool linkedKey;
  // What the reason must hold, and whether it is the driver's (with its SQL
  // state) or the system's own.
  const char* reasonHolds;
  bool driversReason = true;
};

const Failure kFailures[] = {
    {"a data source that is not configured", false, [](const Source&) { return std::string("NoSuchSource"); },
     "stock", "code", false, "IM002"},
    {"a server that is not running", true, [](const Source&) { return AbsentServer(); }, "stock", "code", false,
     "no-server"},
    {"a wrong password", true,
     [](const Source&) {
       std::string text = PostgresConnectString();
       return text.substr(0, text.find(";PWD=")) + ";PWD=wrong";
     },
     "stock", "code", false, "password"},
    {"a dropped table", false, [](const Source& s) { return std::string(s.dsn); }, "no_such_table", "code", false,
     "no_such_table"},
    {"a key column the table does not have", false, [](const Source& s) { return std::string(s.dsn); }, "stock",
     "no_such_column", false, "no_such_column", false},
    {"a linked key on a dropped table", false, [](const Source& s) { return std::string(s.dsn); }, "no_such_table",
     "code", true, "no_such_table"},
    {"a linked key column the table does not have", false, [](const Source& s) { return std::string(s.dsn); },
     "stock", "no_such_column", true, "no_such_column", false},
};

// Each failure on its own, and after a binding that opened (which is closed
// again): 0, no crash, the driver's reason, nothing left open.
TEST(DbBindingFaults, EveryFailedConnectOrQueryIsAReason) {
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.name);
    auto c = Connect(source);
    ASSERT_TRUE(c);
    MakeStock(*c);
    for (const Failure& f : kFailures) {
      if (f.postgresOnly && !source.postgres) continue;
      SCOPED_TRACE(f.what);
      for (bool afterAGoodOne : {false, true}) {
        CDbBindingMap map;
        if (afterAGoodOne) {
          CDbBinding good;
          good.keyColumn = "code";
          good.SetSelection({{1, 1, 0}});
          map.SetAt(MakeDbBindingKey(source.dsn, "stock"), good);
        }
        CDbBinding bad;
        bad.keyColumn = f.keyColumn;
        bad.useLinkedKeyValue = f.linkedKey ? 1 : 0;
        bad.keyValueText = "A1";
        if (!f.linkedKey) bad.SetSelection({{1, 1, 0}});
        const std::string name = f.source(source);
        map.SetAt(MakeDbBindingKey(AString(name.c_str()), f.table), bad);
        AString reason;
        EXPECT_EQ(OpenDbBindings(map, &reason), 0);
        EXPECT_TRUE(Contains(reason, f.reasonHolds)) << reason.GetData();
        if (f.driversReason) {
          EXPECT_TRUE(Contains(reason, "SQL state = ") || Contains(reason, "Sql state:=")) << reason.GetData();
        }
        ExpectAllClosed(map);
        CloseDbBindings(map);
      }
    }
  }
}

// The name in double quotes, as both databases' SQL writes it.
std::string Quoted(const std::string& name) {
  std::string out = "\"";
  for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

// Names that need quotes, and names from a layout file that try to end the
// quoted name and run SQL of their own, are only names: a table and key
// column really called so are read (by a linked key and by chosen records),
// the same names where no such table is are refused, and the guard table is
// there afterwards with its row.
TEST(DbBindingFaults, HostileNamesStayNames) {
  const char* const kHostile[] = {
      "part \"no\"",
      "select",
      "odd names",
      "code\" = '' OR 1=1; DROP TABLE guard; --",
      "code = code; DROP TABLE guard; --",
      "\"; DROP TABLE guard; --",
      "code`; DROP TABLE guard; --",
      "code'); DROP TABLE guard; --",
  };
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.name);
    auto c = Connect(source);
    ASSERT_TRUE(c);
    c->ExecuteUpdate("DROP TABLE IF EXISTS guard");
    c->ExecuteUpdate("CREATE TABLE guard (n INTEGER)");
    c->ExecuteUpdate("INSERT INTO guard VALUES (7)");
    for (const char* name : kHostile) {
      SCOPED_TRACE(name);
      const std::string table = Quoted(name);
      c->ExecuteUpdate(("DROP TABLE IF EXISTS " + table).c_str());
      c->ExecuteUpdate(("CREATE TABLE " + table + " (" + Quoted(name) + " VARCHAR(10), v VARCHAR(10))").c_str());
      c->ExecuteUpdate(("INSERT INTO " + table + " VALUES ('B2', 'second'), ('A1', 'first')").c_str());
      ASSERT_EQ(Cli(source, "SELECT count(*) FROM " + table), "2\n");
      for (bool linked : {true, false}) {
        BoundTable job(source.dsn, name, name, FirstRecords(1));
        job.Binding().useLinkedKeyValue = linked ? 1 : 0;
        job.Binding().keyValueText = "A1";
        AString reason;
        ASSERT_EQ(OpenDbBindings(job.map, &reason), 1) << reason.GetData();
        AString value;
        EXPECT_EQ(GetDbValue(job.run, source.dsn, name, "v", 0, &value), 1);
        EXPECT_STREQ(value.GetData(), "first");
      }
      c->ExecuteUpdate(("DROP TABLE " + table).c_str());
      for (bool linked : {true, false}) {
        BoundTable job(source.dsn, name, name, FirstRecords(1));
        job.Binding().useLinkedKeyValue = linked ? 1 : 0;
        AString reason;
        EXPECT_EQ(OpenDbBindings(job.map, &reason), 0);
        EXPECT_FALSE(reason.IsEmpty());
      }
      EXPECT_EQ(Cli(source, "SELECT n FROM guard"), "7\n");
    }
  }
}

// "it_1" and "it%1" are names, not patterns: the columns listed and ordered
// by are those of that table only, as the database's own catalogue has them.
TEST(DbBindingFaults, TableNamesAreNotSearchPatterns) {
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.name);
    auto c = Connect(source);
    ASSERT_TRUE(c);
    c->ExecuteUpdate("DROP TABLE IF EXISTS it_1");
    c->ExecuteUpdate("DROP TABLE IF EXISTS itx1");
    c->ExecuteUpdate("DROP TABLE IF EXISTS \"it%1\"");
    c->ExecuteUpdate("DROP TABLE IF EXISTS itxy1");
    c->ExecuteUpdate("CREATE TABLE it_1 (k INTEGER, a VARCHAR(5))");
    c->ExecuteUpdate("CREATE TABLE itx1 (k INTEGER, other_only VARCHAR(5))");
    c->ExecuteUpdate("CREATE TABLE \"it%1\" (k INTEGER, b VARCHAR(5))");
    c->ExecuteUpdate("CREATE TABLE itxy1 (k INTEGER, third_only VARCHAR(5))");
    c->ExecuteUpdate("INSERT INTO it_1 VALUES (1, 'one')");
    c->ExecuteUpdate("INSERT INTO \"it%1\" VALUES (1, 'pct')");
    struct Case {
      const char* table;
      const char* catalogue;  // the tool's own list of the table's columns
    } cases[] = {
        {"it_1", source.postgres ? "SELECT column_name FROM information_schema.columns WHERE table_name = 'it_1' "
                                   "ORDER BY ordinal_position"
                                 : "SELECT name FROM pragma_table_info('it_1')"},
        {"it%1", source.postgres ? "SELECT column_name FROM information_schema.columns WHERE table_name = 'it%1' "
                                   "ORDER BY ordinal_position"
                                 : "SELECT name FROM pragma_table_info('it%1')"},
    };
    for (const Case& k : cases) {
      SCOPED_TRACE(k.table);
      std::vector<DbColumnInfo> columns;
      ListTableColumns(*c, k.table, &columns);
      std::string listed;
      for (const DbColumnInfo& column : columns) listed += std::string(column.name.GetData()) + "\n";
      EXPECT_EQ(listed, Cli(source, k.catalogue));
      BoundTable job(source.dsn, k.table, "k", FirstRecords(1));
      AString reason;
      ASSERT_EQ(OpenDbBindings(job.map, &reason), 1) << reason.GetData();
    }
  }
}

}  // namespace
}  // namespace odbc_test
