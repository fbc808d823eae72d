// Bad input through ODBC, as a table: each row names what goes wrong and
// what the system must answer.
#include <gtest/gtest.h>

#include <functional>

#include "datasource/db_bindings.h"
#include "datasource/db_source_lists.h"
#include "odbc_test_util.h"

namespace odbc_test {
namespace {

bool Contains(const AString& text, const char* part) { return text.Find(part) >= 0; }

void PrepareTables(COdbcConnection& c, const Source& source) {
  c.ExecuteUpdate("DROP TABLE IF EXISTS odd");
  c.ExecuteUpdate(source.postgres ? "CREATE TABLE odd (k INTEGER, t VARCHAR(20), big TEXT, b BYTEA)"
                                  : "CREATE TABLE odd (k INTEGER, t VARCHAR(20), big TEXT, b BLOB)");
  c.ExecuteUpdate((std::string("INSERT INTO odd VALUES (1, NULL, '") + std::string(70000, 'L') + "', " +
                   (source.postgres ? "'\\x00ff10'" : "X'00FF10'") + ")")
                      .c_str());
  c.ExecuteUpdate("INSERT INTO odd VALUES (2, 'two', NULL, NULL)");
  c.ExecuteUpdate("DROP TABLE IF EXISTS big");
  c.ExecuteUpdate("CREATE TABLE big (n INTEGER)");
  c.ExecuteUpdate(source.postgres
                      ? "INSERT INTO big SELECT generate_series(1, 100000)"
                      : "INSERT INTO big WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < "
                        "100000) SELECT n FROM r");
}

struct BadInput {
  const char* what;
  bool postgresOnly;
  std::function<void(const Source&, COdbcConnection&)> check;
};

const BadInput kCases[] = {
    {"a missing data source: 0, the connection's error text, IM002", false,
     [](const Source&, COdbcConnection&) {
       COdbcConnection c;
       EXPECT_EQ(c.Connect("NoSuchSource", nullptr, nullptr), 0);
       EXPECT_TRUE(Contains(c.GetErrorText(), "Error = ")) << c.GetErrorText().GetData();
       EXPECT_TRUE(Contains(c.GetErrorText(), "IM002")) << c.GetErrorText().GetData();
       EXPECT_EQ(c.GetConnectionHandle(), nullptr);
       COdbcConnection d;
       EXPECT_EQ(ConnectDataSource("NoSuchSource", false, &d), 0);
       EXPECT_TRUE(Contains(d.GetErrorText(), "IM002")) << d.GetErrorText().GetData();
     }},
    {"an SQL error: no statement, the reason kept in the connection", false,
     [](const Source&, COdbcConnection& c) {
       EXPECT_EQ(c.OpenQuery("SELECT * FROM no_such_table", true), nullptr);
       EXPECT_TRUE(Contains(c.GetErrorText(), "no_such_table")) << c.GetErrorText().GetData();
       EXPECT_TRUE(Contains(c.GetErrorText(), "Sql state:=")) << c.GetErrorText().GetData();
     }},
    {"NULLs: (null) as text, printed empty", false,
     [](const Source& source, COdbcConnection& c) {
       auto s = Open(c, "SELECT * FROM odd ORDER BY k", true);
       ASSERT_TRUE(s);
       ASSERT_TRUE(s->MoveFirst());
       EXPECT_TRUE(s->IsNull(1));
       EXPECT_STREQ(s->GetText(1), "(null)");
       BoundTable job(source.dsn, "odd", "k", FirstRecords(2));
       ASSERT_EQ(OpenDbBindings(job.map), 1);
       AString value = "x";
       EXPECT_EQ(GetDbValue(job.run, source.dsn, "odd", "t", 0, &value), 1);
       EXPECT_STREQ(value.GetData(), "");
       EXPECT_EQ(GetDbValue(job.run, source.dsn, "odd", "big", 1, &value), 1);
       EXPECT_STREQ(value.GetData(), "");
     }},
    {"long text: printed whole", false,
     [](const Source& source, COdbcConnection&) {
       BoundTable job(source.dsn, "odd", "k", FirstRecords(2));
       ASSERT_EQ(OpenDbBindings(job.map), 1);
       AString value;
       EXPECT_EQ(GetDbValue(job.run, source.dsn, "odd", "big", 0, &value), 1);
       EXPECT_EQ(value.GetLength(), 70000);
       EXPECT_EQ(value.Find("LLLL"), 0);
     }},
    {"bytes: eTypeIsIncompatible as text, the exact bytes as data", false,
     [](const Source&, COdbcConnection& c) {
       auto s = Open(c, "SELECT b FROM odd ORDER BY k", false);
       ASSERT_TRUE(s);
       ASSERT_TRUE(s->MoveFirst());
       EXPECT_EQ(s->GetText(0), nullptr);
       EXPECT_STREQ(s->GetErrorText().GetData(), "eTypeIsIncompatible");
       ASSERT_EQ(s->GetLength(0), 3);
       const auto* bytes = static_cast<const uint8_t*>(s->GetData(0));
       EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 3), (std::vector<uint8_t>{0x00, 0xFF, 0x10}));
     }},
    {"100,000 rows: label 99,999 prints row 100,000", false,
     [](const Source& source, COdbcConnection&) {
       BoundTable job(source.dsn, "big", "n", FirstRecords(100000));
       ASSERT_EQ(OpenDbBindings(job.map), 1);
       AString value;
       EXPECT_EQ(GetDbValue(job.run, source.dsn, "big", "n", 99999, &value), 1);
       EXPECT_STREQ(value.GetData(), "100000");
       EXPECT_EQ(GetDbValue(job.run, source.dsn, "big", "n", 0, &value), 1);
       EXPECT_STREQ(value.GetData(), "1");
       EXPECT_EQ(GetDbValue(job.run, source.dsn, "big", "n", 150000, &value), 1);
       EXPECT_STREQ(value.GetData(), "100000");
     }},
    {"a query that outlasts its time-out is cancelled, with the reason", true,
     [](const Source&, COdbcConnection& c) {
       COdbcStatement s(c.GetConnectionHandle());
       s.SetQueryTimeout(200);
       EXPECT_EQ(s.ExecuteDirect("SELECT pg_sleep(20)"), 0);
       EXPECT_TRUE(Contains(s.GetErrorText(), "Sql state:=")) << s.GetErrorText().GetData();
       s.SetQueryTimeout(0);
       EXPECT_EQ(s.ExecuteDirect("SELECT 1"), 1) << s.GetErrorText().GetData();
     }},
    {"a dropped connection: the next move fails with its reason, the field gets 0", true,
     [](const Source&, COdbcConnection&) {
       // The rows are fetched from the server as the labels need them (a
       // source whose rows are all read at the start keeps printing them).
       const Source source{"PostgreSQL streamed", kPgStreamedDsn, true};
       BoundTable job(source.dsn, "big", "n", FirstRecords(100000));
       ASSERT_EQ(OpenDbBindings(job.map), 1);
       AString value;
       ASSERT_EQ(GetDbValue(job.run, source.dsn, "big", "n", 0, &value), 1);
       PsqlAdmin(std::string("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = '") + kPgRole +
                 "'");
       EXPECT_EQ(GetDbValue(job.run, source.dsn, "big", "n", 99999, &value), 0);
       EXPECT_STREQ(value.GetData(), "");
       const AString reason = job.Binding().statement->GetErrorText();
       EXPECT_TRUE(Contains(reason, "Sql state:=")) << reason.GetData();
     }},
};

TEST(OdbcBadInput, EachCaseOnBothDrivers) {
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.name);
    auto c = Connect(source);
    ASSERT_TRUE(c);
    PrepareTables(*c, source);
    for (const BadInput& bad : kCases) {
      if (bad.postgresOnly && !source.postgres) continue;
      SCOPED_TRACE(bad.what);
      bad.check(source, *c);
    }
  }
}

}  // namespace
}  // namespace odbc_test
