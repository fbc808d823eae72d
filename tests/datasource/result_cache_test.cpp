// The result cache: its file layout, reopening, values from a statement, and
// its sorted views against std::stable_sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <filesystem>
#include <random>

#include "datasource/result_cache.h"
#include "odbc_test_util.h"
#include "temp_folder.h"

namespace {

CacheColumn Column(const char* name, int kind, int length = 0) {
  CacheColumn c;
  std::strncpy(c.name, name, sizeof c.name - 1);
  c.kind = kind;
  c.length = length;
  return c;
}

int CodeOf(const std::function<void()>& f, int* number = nullptr) {
  try {
    f();
  } catch (const CGCursorEx& e) {
    if (number) *number = std::atoi(e.GetMessage().GetData() + std::strcspn(e.GetMessage().GetData(), "0123456789"));
    return e.GetCode();
  }
  return 0;
}

TEST(ResultCache, TheExampleCacheIs592BytesAndReopens) {
  TempFolder dir;
  const std::string path = dir.File("example.cache");
  {
    COdbcRecordset cache({Column("id", kCacheInt), Column("name", kCacheText, 11)}, path.c_str());
    EXPECT_EQ(cache.GetCurrentRow(), 0);
    for (int i = 1; i <= 2; ++i) {
      cache.AddNew();
      cache.SetInt(0, i * 10);
      cache.SetText(1, i == 1 ? "first" : "second-long-cut");
      cache.Update();
      EXPECT_EQ(cache.GetCurrentRow(), i);
    }
  }
  EXPECT_EQ(std::filesystem::file_size(path), 592u);  // 12 + 2 x 272 + 2 x (1 + 5 + 12)
  EXPECT_EQ(std::filesystem::file_size(path + ".lob"), 0u);
  const std::vector<uint8_t> bytes = ReadBytes(path);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 12),
            (std::vector<uint8_t>{2, 0, 0, 0, 18, 0, 0, 0, 2, 0, 0, 0}));
  COdbcRecordset again(path.c_str());
  EXPECT_EQ(again.GetRowCount(), 2);
  EXPECT_EQ(again.GetCurrentRow(), 1);
  EXPECT_EQ(again.GetInt(0), 10);
  EXPECT_STREQ(again.GetText("NAME"), "first");
  again.MoveTo(2);
  EXPECT_STREQ(again.GetText(1), "second-lon");  // at most 10 characters and the terminator
  EXPECT_EQ(again.GetInt("id"), 20);
  int number = -1;
  EXPECT_EQ(CodeOf([&] { again.MoveTo(0); }, &number), 5);
  EXPECT_EQ(number, 0);
  EXPECT_EQ(CodeOf([&] { again.MoveTo(3); }, &number), 5);
  EXPECT_EQ(number, 3);
  EXPECT_EQ(CodeOf([&] { again.GetInt(2); }), 6);
  EXPECT_EQ(CodeOf([&] { again.GetDate(0); }), 7);
  EXPECT_EQ(CodeOf([&] { again.GetInt("nothing"); }), 10);
  again.AddNew();
  again.SetInt(0, 30);
  again.Update();
  EXPECT_EQ(again.GetRowCount(), 3);
  EXPECT_EQ(again.GetCurrentRow(), 3);
}

TEST(ResultCache, AnEmptyCacheHasNoCurrentRecord) {
  COdbcRecordset cache({Column("id", kCacheInt)}, nullptr);
  const std::string path = cache.GetPath();
  int number = -1;
  EXPECT_EQ(CodeOf([&] { cache.GetInt(0); }, &number), 5);
  EXPECT_EQ(number, 0);
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(ResultCache, ATemporaryCacheLeavesNoFiles) {
  std::string path;
  {
    COdbcRecordset cache({Column("id", kCacheInt)}, nullptr);
    path = cache.GetPath();
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(std::filesystem::exists(path + ".lob"));
}

TEST(ResultCache, ContradictoryFilesAreRefused) {
  TempFolder dir;
  const std::string path = dir.File("bad.cache");
  struct Case {
    const char* why;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"a short header", {1, 0, 0}},
      {"more columns than the file holds", {0xFF, 0xFF, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0}},
      {"more rows than the file holds", {}},
  };
  std::vector<uint8_t> rows(12 + 272, 0);
  rows[0] = 1;
  rows[4] = 6;
  rows[8] = 9;  // nine rows of six bytes, none there
  rows[12 + 260] = kCacheInt;
  rows[12 + 264] = 4;
  cases[2].bytes = rows;
  for (const Case& c : cases) {
    WriteBytes(path, c.bytes);
    WriteBytes(path + ".lob", {});
    EXPECT_EQ(CodeOf([&] { COdbcRecordset cache(path.c_str()); }), 8) << c.why;
  }
  EXPECT_EQ(CodeOf([&] { COdbcRecordset cache(dir.File("missing").c_str()); }), 1);
}

// Each column may be long, but a whole record is held to 16 MB: a small file
// whose columns add up to more is refused before a record is made, and so is
// such a cache when it would be written.
TEST(ResultCache, RecordsBeyondTheirLimitAreRefused) {
  TempFolder dir;
  const std::string path = dir.File("wide.cache");
  constexpr uint32_t kColumn = 12u << 20;  // two of these make a record of 24 MB
  std::vector<uint8_t> bytes(12 + 2 * 272, 0);
  const auto put = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  put(0, 2);
  put(4, 1 + 2 * (1 + kColumn));
  put(8, 0);  // no rows
  for (size_t c = 0; c < 2; ++c) {
    bytes[12 + 272 * c] = static_cast<uint8_t>('a' + c);
    put(12 + 272 * c + 260, kCacheText);
    put(12 + 272 * c + 264, kColumn);
  }
  WriteBytes(path, bytes);
  WriteBytes(path + ".lob", {});
  EXPECT_EQ(CodeOf([&] { COdbcRecordset cache(path.c_str()); }), 8);
  const int kind = CodeOf([&] {
    COdbcRecordset cache({Column("a", kCacheText, kColumn), Column("b", kCacheText, kColumn)},
                         dir.File("made.cache").c_str());
  });
  EXPECT_EQ(kind, 3);
  // One such column alone is within the limit.
  bytes.resize(12 + 272);
  put(0, 1);
  put(4, 1 + 1 + kColumn);
  WriteBytes(path, bytes);
  EXPECT_EQ(CodeOf([&] { COdbcRecordset cache(path.c_str()); }), 0);
}

// A record packs its values byte by byte: a text of odd length puts the
// date, timestamp and GUID after it at odd places, and they still read (and
// sort) whole.
TEST(ResultCache, StructuredValuesAtOddPlacesReadWhole) {
  TempFolder dir;
  COdbcRecordset cache({Column("t", kCacheText, 2), Column("stamp", kCacheTimestamp, 16), Column("g", kCacheGuid, 16),
                        Column("d", kCacheDate, 6)},
                       dir.File("odd.cache").c_str());
  const struct {
    TIMESTAMP_STRUCT stamp;
    SQLGUID guid;
    DATE_STRUCT date;
  } rows[] = {
      {{2021, 12, 31, 23, 59, 58, 123456}, {0x89ABCDEFu, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}}, {2024, 2, 29}},
      {{1999, 1, 2, 3, 4, 5, 6}, {0x01020304u, 0xFFFF, 0, {9, 9, 9, 9, 9, 9, 9, 9}}, {1900, 12, 1}},
  };
  for (const auto& r : rows) {
    cache.AddNew();
    cache.SetText(0, "x");
    cache.SetDateTime(1, r.stamp);
    cache.SetGuid(2, r.guid);
    cache.SetDate(3, r.date);
    cache.Update();
  }
  for (int row = 1; row <= 2; ++row) {
    const auto& r = rows[row - 1];
    cache.MoveTo(row);
    const TIMESTAMP_STRUCT stamp = *cache.GetTimestamp(1);
    EXPECT_EQ(stamp.year, r.stamp.year) << row;
    EXPECT_EQ(stamp.second, r.stamp.second) << row;
    EXPECT_EQ(stamp.fraction, r.stamp.fraction) << row;
    const SQLGUID guid = *cache.GetGuid(2);
    EXPECT_EQ(guid.Data1, r.guid.Data1) << row;
    EXPECT_EQ(guid.Data2, r.guid.Data2) << row;
    EXPECT_EQ(guid.Data4[7], r.guid.Data4[7]) << row;
    const DATE_STRUCT date = *cache.GetDate(3);
    EXPECT_EQ(date.year, r.date.year) << row;
    EXPECT_EQ(date.day, r.date.day) << row;
    EXPECT_EQ(cache.GetDate(1)->year, r.stamp.year) << row;  // a timestamp's date
  }
  CRowSorter byStamp(cache, 1);
  EXPECT_EQ(byStamp.Rows(), (std::vector<int>{2, 1}));
  CRowSorter byGuid(cache, 2);
  EXPECT_EQ(byGuid.Rows(), (std::vector<int>{2, 1}));
  CRowSorter byDate(cache, 3);
  EXPECT_EQ(byDate.Rows(), (std::vector<int>{2, 1}));
}

TEST(ResultCache, CopiesAStatementsRows) {
  COdbcConnection c;
  ASSERT_EQ(c.Connect(odbc_test::kSqliteDsn, nullptr, nullptr), 1);
  c.ExecuteUpdate("DROP TABLE IF EXISTS cached");
  c.ExecuteUpdate("CREATE TABLE cached (id INTEGER, code VARCHAR(10), amount DOUBLE, made DATE, note TEXT)");
  c.ExecuteUpdate("INSERT INTO cached VALUES (1, 'A1', 2.5, '2024-02-29', 'long note')");
  c.ExecuteUpdate("INSERT INTO cached VALUES (2, NULL, NULL, NULL, NULL)");
  auto s = odbc_test::Open(c, "SELECT * FROM cached ORDER BY id", false);
  ASSERT_TRUE(s);
  std::string path;
  {
    COdbcRecordset cache(*s, nullptr);
    path = cache.GetPath();
    EXPECT_EQ(cache.GetRowCount(), 2);
    EXPECT_EQ(cache.GetColumnInfo(1)->kind, kCacheText);
    EXPECT_EQ(cache.GetColumnInfo(4)->kind, kCacheLongText);
    EXPECT_EQ(cache.GetInt(0), 1);
    EXPECT_STREQ(cache.GetText(1), "A1");
    EXPECT_DOUBLE_EQ(cache.GetDouble(2), 2.5);
    EXPECT_EQ(cache.GetDate(3)->day, 29);
    EXPECT_STREQ(cache.GetText(4), "long note");
    EXPECT_EQ(cache.GetLength(4), 9);
    cache.MoveTo(2);
    for (int i = 1; i < 5; ++i) {
      EXPECT_TRUE(cache.IsNull(i)) << i;
      EXPECT_STREQ(cache.GetText(i), "(null)") << i;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ResultCache, TheSorterAgreesWithStableSort) {
  TempFolder dir;
  COdbcRecordset cache({Column("n", kCacheInt), Column("t", kCacheText, 9)}, dir.File("sort.cache").c_str());
  std::mt19937 random(7);
  struct Value {
    bool null;
    int n;
    std::string t;
  };
  std::vector<Value> values;
  for (int row = 1; row <= 300; ++row) {
    Value v{random() % 10 == 0, static_cast<int>(random() % 40), "k" + std::to_string(random() % 60)};
    cache.AddNew();
    if (!v.null) cache.SetInt(0, v.n);
    cache.SetText(1, v.t.c_str());
    cache.Update();
    values.push_back(v);
  }
  std::vector<int> expected(values.size());
  for (size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<int>(i) + 1;
  std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) {
    const Value& x = values[static_cast<size_t>(a - 1)];
    const Value& y = values[static_cast<size_t>(b - 1)];
    if (x.null || y.null) return x.null && !y.null;
    return x.n < y.n;
  });
  CRowSorter byNumber(cache, 0);
  EXPECT_EQ(byNumber.Rows(), expected);
  // The first row of a value, and none for a missing one.
  const int wanted = values[expected.back() - 1].n;
  const int position = byNumber.FindInt(wanted);
  ASSERT_GT(position, 0);
  byNumber.MoveTo(position);
  EXPECT_EQ(cache.GetInt(0), wanted);
  if (position > 1) {
    byNumber.MoveTo(position - 1);
    EXPECT_TRUE(cache.IsNull(0) || cache.GetInt(0) < wanted);
  }
  EXPECT_EQ(byNumber.FindInt(1000), -1);
  // Saved and loaded: the same order.
  byNumber.Save(dir.File("sort.idx").c_str());
  CRowSorter loaded(cache, dir.File("sort.idx").c_str());
  EXPECT_EQ(loaded.Rows(), expected);
  // An updated row with an unchanged value moves behind its equals.
  const int row = expected[expected.size() - 3];
  cache.MoveTo(row);
  cache.Delete();  // rewrites the record as it is: the update the views follow
  const auto& after = byNumber.Rows();
  std::vector<int> equals;
  for (int r : after) {
    if (!values[static_cast<size_t>(r - 1)].null && values[static_cast<size_t>(r - 1)].n == values[static_cast<size_t>(row - 1)].n) equals.push_back(r);
  }
  EXPECT_EQ(equals.back(), row);
  int number = -1;
  EXPECT_EQ(CodeOf([&] { byNumber.MoveTo(0); }, &number), 5);
  // Texts: a prefix finds the first row that begins with it.
  CRowSorter byText(cache, 1);
  const int at = byText.FindText("k1", false);
  ASSERT_GT(at, 0);
  byText.MoveTo(at);
  EXPECT_EQ(std::string(cache.GetText(1)).rfind("k1", 0), 0u);
  if (at > 1) {
    byText.MoveTo(at - 1);
    EXPECT_LT(std::strcmp(cache.GetText(1), "k1"), 0);
  }
  // An index file that claims more rows than it holds is refused.
  WriteBytes(dir.File("bad.idx"), {0xFF, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0});
  EXPECT_EQ(CodeOf([&] { CRowSorter bad(cache, dir.File("bad.idx").c_str()); }), 8);
  // A build the progress callback stops leaves no view.
  EXPECT_EQ(CodeOf([&] { CRowSorter stopped(cache, 0, [](int row, int, void*) { return row < 50; }); }), 9);
}

}  // namespace
