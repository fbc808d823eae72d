// How a print job reads its records: front to back on a forward-only cursor
// when the chosen records are in the table's order (PostgreSQL's rows then
// come from a cursor on the server, a block at a time), on a scrolling one
// otherwise; either way each label gets the record the command-line tool
// counts to.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "datasource/db_bindings.h"
#include "datasource/db_source_lists.h"
#include "odbc_test_util.h"

namespace odbc_test {
namespace {

constexpr int kRows = 2500;

void MakeWalkTable(COdbcConnection& c, const Source& source) {
  c.ExecuteUpdate("DROP TABLE IF EXISTS walk");
  c.ExecuteUpdate("CREATE TABLE walk (n INTEGER, name VARCHAR(30))");
  c.ExecuteUpdate(source.postgres
                      ? "INSERT INTO walk SELECT i, 'row ' || i FROM generate_series(1, 2500) AS i"
                      : "INSERT INTO walk WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM r WHERE i < "
                        "2500) SELECT i, 'row ' || i FROM r");
}

// A connection to the source with the walk table made; null (the test
// failed) when there is none.
std::unique_ptr<COdbcConnection> ConnectWithWalkTable(const Source& source) {
  auto c = Connect(source);
  if (c) MakeWalkTable(*c, source);
  return c;
}

// The walk table's numbers on a forward-only statement.
StatementPtr ForwardNumbers(COdbcConnection& c) {
  return StatementPtr(c.OpenQuery("SELECT n FROM walk ORDER BY n", true, OdbcCursor::kForwardOnly),
                      StatementDeleter{&c});
}

// The names in the print order, as the tool gives them.
std::vector<std::string> ToolOrder(const Source& source) {
  return Lines(Cli(source, "SELECT name FROM walk ORDER BY n, name"));
}

struct Walk {
  const char* what;
  std::vector<int> records;  // the selection, each record once
  std::vector<int> labels;   // the labels asked for, in this order
  OdbcCursor cursor;         // the job's cursor when it opens
  OdbcCursor after;          // and after its labels (a step back scrolls)
};

std::vector<int> Range(int from, int to, int step) {
  std::vector<int> out;
  for (int i = from; step > 0 ? i <= to : i >= to; i += step) out.push_back(i);
  return out;
}

const Walk kWalks[] = {
    {"every record in order", Range(1, kRows, 1), Range(0, kRows - 1, 1), OdbcCursor::kForwardOnly,
     OdbcCursor::kForwardOnly},
    {"some records in order, labels in order", Range(3, kRows, 7), Range(0, 300, 1), OdbcCursor::kForwardOnly,
     OdbcCursor::kForwardOnly},
    {"records in order, labels back and forth", Range(1, kRows, 1), {2000, 5, 5, 1999, 0, 2499, 1, 1500},
     OdbcCursor::kForwardOnly, OdbcCursor::kScrolling},
    {"records in reverse", Range(kRows, 1, -1), Range(0, 400, 1), OdbcCursor::kScrolling, OdbcCursor::kScrolling},
    {"records in no order", {40, 7, 2300, 1, 1, 900}, Range(0, 5, 1), OdbcCursor::kScrolling,
     OdbcCursor::kScrolling},
};

TEST(DbPrintWalk, EachLabelGetsItsRecord) {
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.name);
    auto c = ConnectWithWalkTable(source);
    ASSERT_TRUE(c);
    const std::vector<std::string> tool = ToolOrder(source);
    ASSERT_EQ(tool.size(), static_cast<size_t>(kRows));
    for (const Walk& walk : kWalks) {
      SCOPED_TRACE(walk.what);
      CSelRecordArray chosen;
      for (int r : walk.records) chosen.push_back({r, 1, 0});
      BoundTable job(source.dsn, "walk", "n", chosen);
      AString reason;
      ASSERT_EQ(OpenDbBindings(job.map, &reason), 1) << reason.GetData();
      EXPECT_EQ(job.Binding().statement->GetCursor(), walk.cursor);
      for (int n : walk.labels) {
        AString value;
        ASSERT_EQ(GetDbValue(job.run, source.dsn, "walk", "name", n, &value), 1) << n;
        const int record = walk.records[static_cast<size_t>(n)];
        EXPECT_EQ(value.GetData(), tool[static_cast<size_t>(record - 1)]) << "label " << n;
      }
      EXPECT_EQ(job.Binding().statement->GetCursor(), walk.after);
    }
  }
}

// The moves of a forward-only statement: ahead by reading on; the first step
// back runs the query again on a scrolling cursor, which then stays.
TEST(DbPrintWalk, AForwardOnlyStatementScrollsAfterItsFirstStepBack) {
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.name);
    auto c = ConnectWithWalkTable(source);
    ASSERT_TRUE(c);
    StatementPtr s = ForwardNumbers(*c);
    ASSERT_TRUE(s);
    constexpr OdbcCursor kForward = OdbcCursor::kForwardOnly;
    constexpr OdbcCursor kScrolling = OdbcCursor::kScrolling;
    struct Move {
      const char* what;
      std::function<bool(COdbcStatement&)> move;
      const char* n;  // the row's value, or null when the move fails
      OdbcCursor after;
    } moves[] = {
        {"first", [](COdbcStatement& x) { return x.MoveFirst(); }, "1", kForward},
        {"next", [](COdbcStatement& x) { return x.MoveNext(); }, "2", kForward},
        {"ahead to 2000", [](COdbcStatement& x) { return x.MoveAbsolute(2000); }, "2000", kForward},
        {"prior", [](COdbcStatement& x) { return x.MovePrev(); }, "1999", kScrolling},
        {"back 1000", [](COdbcStatement& x) { return x.MoveRelative(-1000); }, "999", kScrolling},
        {"the same row again", [](COdbcStatement& x) { return x.MoveAbsolute(999); }, "999", kScrolling},
        {"last", [](COdbcStatement& x) { return x.MoveLast(); }, "2500", kScrolling},
        {"past the end", [](COdbcStatement& x) { return x.MoveAbsolute(kRows + 1); }, nullptr, kScrolling},
        {"first after the end", [](COdbcStatement& x) { return x.MoveFirst(); }, "1", kScrolling},
    };
    for (const Move& m : moves) {
      SCOPED_TRACE(m.what);
      const bool moved = m.move(*s);
      EXPECT_EQ(moved, m.n != nullptr);
      if (moved && m.n) {
        EXPECT_STREQ(s->GetText(0), m.n);
        // The row number is the statement's own while it reads forward (on a
        // scrolling cursor it is the driver's: SQLite's always says 1).
        if (m.after == kForward) {
          EXPECT_EQ(s->GetRowNumber(), static_cast<SQLULEN>(std::stoi(m.n)));
        }
      }
      EXPECT_EQ(s->GetCursor(), m.after);
    }
  }
}

// Before its first row a forward-only statement cannot step back, and the
// last row is not known ahead.
TEST(DbPrintWalk, AForwardOnlyStatementKnowsNoLastRow) {
  const Source& source = kSources[0];
  auto c = ConnectWithWalkTable(source);
  ASSERT_TRUE(c);
  StatementPtr s = ForwardNumbers(*c);
  ASSERT_TRUE(s);
  EXPECT_FALSE(s->MoveAbsolute(0));
  EXPECT_FALSE(s->MoveLast());
  EXPECT_GE(s->GetErrorText().Find("HY106"), 0) << s->GetErrorText().GetData();
  ASSERT_TRUE(s->MoveNext());
  EXPECT_STREQ(s->GetText(0), "1");
}

// PostgreSQL's rows come from a cursor on the server, a block at a time, not
// from a result the driver read whole when the job began (the source's own
// settings ask for the whole result): with the server's session ended after
// the first label, a label further on cannot be read, and says why.
TEST(DbPrintWalk, PostgresRowsComeFromAServerCursor) {
  const Source& source = kSources[1];
  ASSERT_TRUE(source.postgres);
  auto c = ConnectWithWalkTable(source);
  ASSERT_TRUE(c);
  c.reset();
  BoundTable job(source.dsn, "walk", "n", FirstRecords(kRows));
  AString reason;
  ASSERT_EQ(OpenDbBindings(job.map, &reason), 1) << reason.GetData();
  AString value;
  ASSERT_EQ(GetDbValue(job.run, source.dsn, "walk", "name", 0, &value), 1);
  PsqlAdmin(std::string("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = '") + kPgRole + "'");
  EXPECT_EQ(GetDbValue(job.run, source.dsn, "walk", "name", kRows - 1, &value), 0);
  const AString why = job.Binding().statement->GetErrorText();
  EXPECT_GE(why.Find("Sql state:="), 0) << why.GetData();
}

// A print job's connection asks each driver to hand rows over as they are
// read, as the driver completes the string (the source's own settings ask
// for the whole result); the dialogs' connections keep those settings.
TEST(DbPrintWalk, PrintConnectionsAskForRowsAsTheyAreRead) {
  struct Case {
    const Source& source;
    const char* key;
  } cases[] = {{kSources[0], "StepAPI"}, {kSources[1], "UseDeclareFetch"}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.source.name);
    if (k.source.postgres) {
      ASSERT_FALSE(PostgresSocketFolder().empty());
    }
    COdbcConnection printing, dialog;
    ASSERT_EQ(ConnectDataSourceForReading(k.source.dsn, &printing), 1) << printing.GetErrorText().GetData();
    ASSERT_EQ(ConnectDataSource(k.source.dsn, false, &dialog), 1) << dialog.GetErrorText().GetData();
    AString value;
    EXPECT_TRUE(GetConnectStringValue(printing.GetCompletedConnectString(), k.key, &value));
    EXPECT_STREQ(value.GetData(), "1") << printing.GetCompletedConnectString();
    value.Empty();
    GetConnectStringValue(dialog.GetCompletedConnectString(), k.key, &value);
    EXPECT_STRNE(value.GetData(), "1") << dialog.GetCompletedConnectString();
  }
}

}  // namespace
}  // namespace odbc_test
