// The record rows read a window at a time, windows in the table's second half
// from its end in the reversed order: on SQLite and PostgreSQL, over a key
// that repeats and is sometimes NULL and columns with NULLs, every row read
// last to first and first to last is the row the database's own ordered
// query gives at that place.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "../odbc_environment.h"
#include "datasource/db_bindings.h"
#include "datasource/db_source_lists.h"
#include "datasource/odbc_connection.h"
#include "datasource/odbc_statement.h"
#include "datasource/ui/records/record_rows.h"

namespace {

constexpr int kRecords = 1234;  // twelve full blocks and a part
using Row = std::vector<std::optional<std::string>>;

struct Source {
  const char* dsn;
  bool postgres;
};
constexpr Source kSources[] = {{odbc_test::kSqliteDsn, false}, {odbc_test::kPgDsn, true}};

void MakeTable(const Source& source) {
  const std::string n = std::to_string(kRecords);
  if (source.postgres) {
    ASSERT_FALSE(odbc_test::PostgresSocketFolder().empty());
    odbc_test::Psql("DROP TABLE IF EXISTS rows_order; CREATE TABLE rows_order (k INTEGER, code VARCHAR(10), "
                    "name VARCHAR(20)); INSERT INTO rows_order SELECT CASE WHEN i % 41 = 0 THEN NULL ELSE i % 97 END, "
                    "CASE WHEN i % 13 = 0 THEN NULL ELSE 'C' || lpad((i % 500)::text, 4, '0') END, 'Item ' || i "
                    "FROM generate_series(1, " + n + ") AS i;");
  } else {
    odbc_test::Sqlite("DROP TABLE IF EXISTS rows_order; CREATE TABLE rows_order (k INTEGER, code VARCHAR(10), "
                      "name VARCHAR(20)); WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < " +
                      n + ") INSERT INTO rows_order SELECT CASE WHEN i % 41 = 0 THEN NULL ELSE i % 97 END, "
                      "CASE WHEN i % 13 = 0 THEN NULL ELSE printf('C%04d', i % 500) END, 'Item ' || i FROM s;");
  }
}

// The whole ordered query, read once from first to last.
std::vector<Row> ReadAll(COdbcConnection& connection, const AString& select) {
  std::vector<Row> rows;
  OdbcStatementPtr statement(connection.OpenQuery(select.GetData(), true, OdbcCursor::kForwardOnly),
                             OdbcStatementDeleter{&connection});
  if (!statement) return rows;
  for (bool more = statement->MoveFirst(); more; more = statement->MoveNext()) {
    Row& row = rows.emplace_back();
    for (int c = 0; c < statement->GetColumnCount(); ++c)
      row.push_back(statement->IsNull(c) ? std::nullopt : std::optional<std::string>(statement->GetText(c)));
  }
  return rows;
}

Row RowOf(RecordRows& rows, long long at) {
  Row row;
  for (int c = 0; c < static_cast<int>(rows.Columns().size()); ++c) {
    const RecordRows::Cell* cell = rows.Get(at, c);
    if (!cell) return {};
    row.push_back(cell->null ? std::nullopt : std::optional<std::string>(cell->text.GetData()));
  }
  return row;
}

TEST(RecordRowsOrder, WindowsFromEitherEndHoldTheRowsOfTheOrderedQuery) {
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.dsn);
    MakeTable(source);
    COdbcConnection connection;
    ASSERT_EQ(ConnectDataSource(source.dsn, false, &connection), 1) << connection.GetErrorText().GetData();
    const AString select = BuildDbSelect(connection, "rows_order", "k");
    const AString reversed = BuildDbSelect(connection, "rows_order", "k", DbOrder::kReversed);
    const std::vector<Row> expected = ReadAll(connection, select);
    ASSERT_EQ(expected.size(), static_cast<size_t>(kRecords));

    // Last to first: the second half's windows come from the end.
    RecordRows backwards;
    AString why;
    ASSERT_TRUE(backwards.Open(connection, select, reversed, kRecords, &why)) << why.GetData();
    ASSERT_TRUE(backwards.Windowed());
    for (long long at = kRecords - 1; at >= 0; --at) ASSERT_EQ(RowOf(backwards, at), expected[at]) << "row " << at;
    EXPECT_GT(backwards.ReversedReads(), 0);
    EXPECT_LT(backwards.ReversedReads(), backwards.Reads());

    // First to last, and the last rows at once, as Ctrl+End goes there.
    RecordRows forwards;
    ASSERT_TRUE(forwards.Open(connection, select, reversed, kRecords, &why)) << why.GetData();
    EXPECT_EQ(RowOf(forwards, kRecords - 1), expected.back());
    EXPECT_EQ(forwards.ReversedReads(), 1);
    for (long long at = 0; at < kRecords; ++at) ASSERT_EQ(RowOf(forwards, at), expected[at]) << "row " << at;
    EXPECT_EQ(RowOf(forwards, kRecords), Row{});
  }
}

}  // namespace
