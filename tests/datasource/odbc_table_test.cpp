// One table made in both databases through ExecuteUpdate reads the same
// through both drivers, with the column values bound as they are and as
// text, against what the sqlite3 and psql shells print for it.
//
// Accepted differences between the drivers, each checked as such:
//  - SQLite's driver reports NUMERIC as DOUBLE: 12345.60 reads as 12345.6,
//    as the sqlite3 shell prints it too;
//  - bytes read as text: PostgreSQL gives lower-case hexadecimal digits,
//    SQLite an SQL literal X'...' in upper case.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "odbc_test_util.h"

namespace odbc_test {
namespace {

std::string Pattern(size_t n, int seed) {
  std::string s(n, ' ');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + (i * 7 + static_cast<size_t>(seed)) % 26);
  return s;
}

std::vector<uint8_t> ByteRun(size_t n, int seed) {
  std::vector<uint8_t> out(n);
  for (size_t i = 0; i < n; ++i) out[i] = static_cast<uint8_t>(i * 37 + static_cast<size_t>(seed));
  return out;
}

std::string Hex(const std::vector<uint8_t>& bytes, bool upper) {
  std::string out;
  char two[3];
  for (uint8_t b : bytes) {
    std::snprintf(two, sizeof two, upper ? "%02X" : "%02x", b);
    out += two;
  }
  return out;
}

struct Row {
  int id;
  std::string name;
  std::string note;
  const char* amount;
  const char* ratio;
  const char* made;
  const char* stamp;
  const char* tag;
  std::vector<uint8_t> data;
};

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {1, "Label " + Pattern(54, 1), Pattern(5000, 2), "12345.60", "0.125", "2024-02-29", "2024-02-29 13:05:09",
       "a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11", {0x00, 0x01, 0xFF, 0x7F, 0x80, 0x0A, 0x0D}},
      {2, "中文 Ünïcødé " + Pattern(40, 3), Pattern(70000, 4), "-0.50", "2.5e-07", "2100-02-28", "1999-12-31 23:59:59",
       "6f9619ff-8b86-d011-b42d-00c04fc964ff", ByteRun(300, 5)},
  };
  return rows;
}

void MakeTable(COdbcConnection& c, const Source& source) {
  c.ExecuteUpdate("DROP TABLE IF EXISTS items");
  const std::string create = std::string("CREATE TABLE items (id INTEGER, name VARCHAR(100), note TEXT, ") +
                             "amount NUMERIC(10,2), ratio " + (source.postgres ? "DOUBLE PRECISION" : "DOUBLE") +
                             ", made DATE, stamp TIMESTAMP, tag VARCHAR(36), data " +
                             (source.postgres ? "BYTEA" : "BLOB") + ")";
  ASSERT_NE(c.ExecuteUpdate(create.c_str()), -2);
  ASSERT_TRUE(c.GetErrorText().IsEmpty()) << c.GetErrorText().GetData();
  for (const Row& r : Rows()) {
    const std::string bytes = source.postgres ? "'\\x" + Hex(r.data, false) + "'" : "X'" + Hex(r.data, true) + "'";
    const std::string insert = "INSERT INTO items VALUES (" + std::to_string(r.id) + ", '" + r.name + "', '" +
                               r.note + "', " + r.amount + ", " + r.ratio + ", '" + r.made + "', '" + r.stamp +
                               "', '" + r.tag + "', " + bytes + ")";
    ASSERT_EQ(c.ExecuteUpdate(insert.c_str()), 1) << c.GetErrorText().GetData();
  }
  ASSERT_EQ(c.ExecuteUpdate("INSERT INTO items (id) VALUES (3)"), 1) << c.GetErrorText().GetData();
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> cells;
  size_t from = 0;
  for (size_t at; (at = line.find('|', from)) != std::string::npos; from = at + 1) cells.push_back(line.substr(from, at - from));
  cells.push_back(line.substr(from));
  return cells;
}

std::string Text(COdbcStatement& s, int column) {
  const char* t = s.GetText(column);
  return t ? t : std::string("<null: ") + s.GetErrorText().GetData() + ">";
}

// The locale's short date of a "yyyy-mm-dd" text, as GetText writes dates.
std::string ShortDate(const std::string& iso) {
  int y, m, d;
  std::sscanf(iso.c_str(), "%d-%d-%d", &y, &m, &d);
  return std::to_string(m) + "/" + std::to_string(d) + "/" + std::to_string(y);
}

void CheckRow(COdbcStatement& s, const Source& source, bool asText, const std::vector<std::string>& cli) {
  const std::string where = std::string(source.name) + (asText ? " as text, id " : " as values, id ") + cli[0];
  SCOPED_TRACE(where);
  ASSERT_EQ(cli.size(), 9u);
  if (cli[1].empty()) {  // the row of NULLs
    for (int i = 1; i < s.GetColumnCount(); ++i) {
      EXPECT_TRUE(s.IsNull(i)) << i;
      EXPECT_EQ(Text(s, i), "(null)") << i;
    }
    return;
  }
  const Row& row = Rows()[static_cast<size_t>(std::stoi(cli[0]) - 1)];
  if (asText) {
    EXPECT_EQ(Text(s, 0), cli[0]);
  } else {
    EXPECT_EQ(s.GetInt(0), std::stoi(cli[0]));
  }
  EXPECT_EQ(Text(s, 1), cli[1]);  // whole, not cut at 40 characters
  EXPECT_EQ(Text(s, 1), row.name);
  EXPECT_EQ(s.GetLength(2), std::stol(cli[2]));
  EXPECT_TRUE(Text(s, 2) == row.note) << "long text read whole";
  EXPECT_EQ(Text(s, 3), cli[3]);
  if (!asText) {
    EXPECT_DOUBLE_EQ(s.GetDouble(3), std::stod(cli[3]));
  }
  EXPECT_EQ(Text(s, 4), cli[4]);
  if (asText) {
    EXPECT_EQ(Text(s, 5), cli[5]);
    EXPECT_EQ(Text(s, 6), cli[6]);
  } else {
    const DATE_STRUCT* d = s.GetDate(5);
    ASSERT_NE(d, nullptr);
    char iso[40];
    std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", d->year, d->month, d->day);
    EXPECT_EQ(iso, cli[5]);
    EXPECT_EQ(Text(s, 5), ShortDate(cli[5]));
    const TIMESTAMP_STRUCT* t = s.GetTimestamp(6);
    ASSERT_NE(t, nullptr);
    char stamp[80];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d", t->year, t->month, t->day, t->hour,
                  t->minute, t->second);
    EXPECT_EQ(stamp, cli[6]);
  }
  EXPECT_EQ(Text(s, 7), cli[7]);
  // Bytes: exact as values; as text each driver's own spelling.
  if (asText) {
    const std::string expected = source.postgres ? cli[8] : "X'" + Hex(row.data, true) + "'";
    EXPECT_EQ(Text(s, 8), expected);
  } else {
    EXPECT_EQ(s.GetText(8), nullptr);
    EXPECT_STREQ(s.GetErrorText().GetData(), "eTypeIsIncompatible");
    ASSERT_EQ(s.GetLength(8), static_cast<SQLLEN>(row.data.size()));
    const auto* bytes = static_cast<const uint8_t*>(s.GetData(8));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + row.data.size()), row.data);
    EXPECT_EQ(Hex(row.data, false), cli[8]);
  }
}

TEST(OdbcTable, OneTableReadsTheSameThroughBothDrivers) {
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.name);
    auto c = Connect(source);
    ASSERT_TRUE(c);
    MakeTable(*c, source);
    const std::string cliQuery =
        source.postgres
            ? "SELECT id, name, length(note), amount, ratio, made, stamp, tag, encode(data, 'hex') FROM items ORDER BY id"
            : "SELECT id, name, length(note), amount, ratio, made, stamp, tag, lower(hex(data)) FROM items ORDER BY id";
    const std::vector<std::string> cli = Lines(Cli(source, cliQuery));
    ASSERT_EQ(cli.size(), 3u);
    for (bool asText : {false, true}) {
      auto s = Open(*c, "SELECT * FROM items ORDER BY id", asText);
      ASSERT_TRUE(s) << c->GetErrorText().GetData();
      ASSERT_EQ(s->GetColumnCount(), 9);
      size_t row = 0;
      for (bool more = s->MoveFirst(); more; more = s->MoveNext(), ++row) {
        ASSERT_LT(row, cli.size());
        CheckRow(*s, source, asText, Split(cli[row]));
      }
      EXPECT_EQ(row, 3u);
    }
  }
}

TEST(OdbcTable, ScrollsBothWaysOnTheDriversCursors) {
  for (const Source& source : kSources) {
    SCOPED_TRACE(source.name);
    auto c = Connect(source);
    ASSERT_TRUE(c);
    c->ExecuteUpdate("DROP TABLE IF EXISTS steps");
    c->ExecuteUpdate("CREATE TABLE steps (n INTEGER)");
    for (int i = 1; i <= 5; ++i) c->ExecuteUpdate(("INSERT INTO steps VALUES (" + std::to_string(i * 10) + ")").c_str());
    auto s = Open(*c, "SELECT n FROM steps ORDER BY n", false);
    ASSERT_TRUE(s);
    struct Move {
      const char* what;
      bool (*move)(COdbcStatement&);
      bool ok;
      int value;
    } moves[] = {
        {"last", [](COdbcStatement& x) { return x.MoveLast(); }, true, 50},
        {"prior after the last", [](COdbcStatement& x) { return x.MovePrev(); }, true, 40},
        {"absolute 2", [](COdbcStatement& x) { return x.MoveAbsolute(2); }, true, 20},
        {"relative +2", [](COdbcStatement& x) { return x.MoveRelative(2); }, true, 40},
        {"relative -3", [](COdbcStatement& x) { return x.MoveRelative(-3); }, true, 10},
        {"prior before the first", [](COdbcStatement& x) { return x.MovePrev(); }, false, 0},
        {"first", [](COdbcStatement& x) { return x.MoveFirst(); }, true, 10},
        {"absolute 5", [](COdbcStatement& x) { return x.MoveAbsolute(5); }, true, 50},
        {"next after the last", [](COdbcStatement& x) { return x.MoveNext(); }, false, 0},
    };
    for (const Move& m : moves) {
      EXPECT_EQ(m.move(*s), m.ok) << m.what;
      if (m.ok) {
        EXPECT_EQ(s->GetInt(0), m.value) << m.what;
      }
    }
  }
}

}  // namespace
}  // namespace odbc_test
