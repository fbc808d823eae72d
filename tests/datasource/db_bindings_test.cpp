// Database bindings: their stored form, their query, and which record each
// label prints, on SQLite.
#include <gtest/gtest.h>

#include <cstdio>

#include "datasource/db_bindings.h"
#include "datasource/db_source_lists.h"
#include "fields/model/field_kinds.h"
#include "odbc_test_util.h"
#include "temp_folder.h"

namespace {

std::vector<uint8_t> Stored(CDbBindingMap& map, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  EXPECT_EQ(map.Serialize(false, f), map.GetCount());
  std::fclose(f);
  return ReadBytes(path);
}

TEST(DbBindings, AOneBindingMapIs197Bytes) {
  TempFolder dir;
  CDbBindingMap map;
  CDbBinding b;
  b.keyColumn = "key";
  b.keyColumnType = 4;
  b.useLinkedKeyValue = 1;
  b.SetSelection({{3, 2, 0}, {7, 1, 0}});
  map.SetAt(MakeDbBindingKey("S", "T"), b);
  const std::vector<uint8_t> bytes = Stored(map, dir.File("map.bin"));
  ASSERT_EQ(bytes.size(), 197u);
  // The flag, an empty spare string and 16 empty slots end the entry.
  EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 168, bytes.end() - 164), (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 164, bytes.end()), std::vector<uint8_t>(164, 0));
  FILE* f = std::fopen(dir.File("map.bin").c_str(), "rb");
  CDbBindingMap back;
  EXPECT_EQ(back.Serialize(true, f), 1);
  std::fclose(f);
  CDbBinding read;
  ASSERT_TRUE(back.Lookup("S;;;;T", read));
  EXPECT_STREQ(read.keyColumn.GetData(), "key");
  EXPECT_EQ(read.keyColumnType, 12);
  EXPECT_EQ(read.useLinkedKeyValue, 1);
  EXPECT_TRUE(read.selection.empty());
  EXPECT_EQ(read.selectedCount, 0);
}

TEST(DbBindings, ALabelSetupCarriesItsBindings) {
  CLabelSetup setup;
  CDbBinding b;
  b.keyColumn = "code";
  b.SetSelection({{2, 5, 0}});
  setup.dbBindings.SetAt(MakeDbBindingKey("Stock", "parts"), b);
  const CLabelSetup copy = setup;
  CDbBinding copied;
  ASSERT_TRUE(FindDbBinding(const_cast<CDbBindingMap&>(copy.dbBindings), "Stock", "parts", &copied));
  EXPECT_STREQ(copied.keyColumn.GetData(), "code");
  EXPECT_EQ(copied.totalQuantity, 5);
  CTextField unused;
  unused.dataSourceType = 0;
  PruneDbBindings(setup, {&unused});
  EXPECT_EQ(setup.dbBindings.GetCount(), 0);
  EXPECT_EQ(copy.dbBindings.GetCount(), 1);
}

TEST(DbBindings, TheColumnsARecordListShows) {
  CLabelSetup setup;
  CDbBinding b;
  b.keyColumn = "code";
  setup.dbBindings.SetAt(MakeDbBindingKey("Stock", "parts"), b);
  CTextField name, price, fixed;
  for (CTextField* f : {&name, &price}) {
    f->dataSourceType = 8;
    f->dbSource = "Stock";
    f->dbTable = "parts";
  }
  name.dbColumn = "name";
  price.dbColumn = "price";
  fixed.dbColumn = "ignored";
  std::vector<AString> names;
  EXPECT_EQ(CollectUsedDbColumns(setup, {&name, &price, &fixed}, price, &names), 3);
  std::vector<std::string> texts;
  for (const AString& n : names) texts.emplace_back(n.GetData());
  EXPECT_EQ(texts, (std::vector<std::string>{"code", "name", "price"}));
}

TEST(DbBindings, StoredCountsBeyondTheStreamAreRefused) {
  TempFolder dir;
  struct Case {
    const char* why;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"a count the stream cannot hold", {0x05, 0, 0, 0, 0, 0, 0, 0}},
      {"a count with the top bit set", {0xFF, 0xFF, 0xFF, 0xFF}},
      {"a key longer than the stream", std::vector<uint8_t>{1, 0, 0, 0, 0xFF, 0xFF, 0, 0}},
  };
  for (Case c : cases) {
    c.bytes.resize(std::max<size_t>(c.bytes.size(), 8) + (c.bytes.size() > 4 && c.bytes[4] == 0xFF ? 200 : 0), 0);
    WriteBytes(dir.File("bad.bin"), c.bytes);
    FILE* f = std::fopen(dir.File("bad.bin").c_str(), "rb");
    CDbBindingMap map;
    map.SetAt("x;;;;y", CDbBinding());
    EXPECT_EQ(map.Serialize(true, f), 0) << c.why;
    EXPECT_EQ(map.GetCount(), 0) << c.why;
    std::fclose(f);
  }
}

// A key value text whose length is negative ends the reading like any other
// broken record; the bytes after it are not read as the binding's rest.
TEST(DbBindings, ANegativeKeyValueLengthIsRefused) {
  TempFolder dir;
  std::vector<uint8_t> bytes = {1, 0, 0, 0, 1, 0, 0, 0, 'k', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  bytes.resize(bytes.size() + 4 + 4 + 4 + 16 * 10, 0);  // what would pass for the rest of the binding
  WriteBytes(dir.File("bad.bin"), bytes);
  FILE* f = std::fopen(dir.File("bad.bin").c_str(), "rb");
  ASSERT_TRUE(f);
  CDbBindingMap map;
  EXPECT_EQ(map.Serialize(true, f), 0);
  EXPECT_EQ(map.GetCount(), 0);
  std::fclose(f);
}

TEST(DbBindings, KeysAndTexts) {
  AString table;
  EXPECT_STREQ(SplitDbBindingKey("Src;;;;Tab", &table).GetData(), "Src");
  EXPECT_STREQ(table.GetData(), "Tab");
  table = "kept";
  EXPECT_STREQ(SplitDbBindingKey("no separator", &table).GetData(), "");
  EXPECT_STREQ(table.GetData(), "kept");
  EXPECT_STREQ(FormatRecordsQty(3, 10).GetData(), "Records:3,Qty:10");
  EXPECT_EQ(IsNumericSqlType(4), 1);
  EXPECT_EQ(IsNumericSqlType(-6), 1);
  EXPECT_EQ(IsNumericSqlType(12), 0);
  CDbBinding b;
  b.SetSelection({{1, -5, 0}, {2, 3, 0}});
  EXPECT_EQ(b.totalQuantity, 3) << "a negative quantity counts as 0";
}

class DbBindingsOnSqlite : public ::testing::Test {
 protected:
  void SetUp() override {
    c_.Connect(odbc_test::kSqliteDsn, nullptr, nullptr);
    c_.ExecuteUpdate("DROP TABLE IF EXISTS parts");
    c_.ExecuteUpdate("CREATE TABLE parts (code VARCHAR(10), name VARCHAR(40), qty INTEGER)");
    // Inserted out of order, with a tie on the key.
    const char* rows[] = {"('P05','five',5)", "('P02','two',2)", "('P09','nine',9)", "('P01','one',1)",
                          "('P07','seven',7)", "('P03','three',3)", "('P03','three again',33)", "('P08','eight',8)"};
    for (const char* r : rows) c_.ExecuteUpdate((std::string("INSERT INTO parts VALUES ") + r).c_str());
  }
  COdbcConnection c_;
};

TEST_F(DbBindingsOnSqlite, TheQueryQuotesNamesAndSettlesTies) {
  EXPECT_STREQ(BuildDbSelect(c_, "parts", "code").GetData(),
               "SELECT * FROM \"parts\" ORDER BY \"code\", \"name\", \"qty\"");
  EXPECT_STREQ(BuildDbSelect(c_, "parts", "").GetData(), "");
}

TEST_F(DbBindingsOnSqlite, RecordsPrintTheirQuantities) {
  odbc_test::BoundTable job(odbc_test::kSqliteDsn, "parts", "code", {{3, 2, 0}, {7, 1, 0}});
  ASSERT_EQ(OpenDbBindings(job.map), 1);
  CDataRunContext& run = job.run;
  // Ordered by code, then name: P01 P02 P03(three) P03(three again) P05 P07 P08 P09;
  // record 3 is "three", record 7 "eight".
  std::vector<std::string> printed;
  for (int n = 0; n < 4; ++n) {
    AString value;
    EXPECT_EQ(GetDbValue(run, odbc_test::kSqliteDsn, "parts", "name", n, &value), 1) << n;
    printed.emplace_back(value.GetData());
  }
  EXPECT_EQ(printed, (std::vector<std::string>{"three", "three", "eight", "eight"}));
  // Records 3 and 7 of the same order, as the sqlite3 shell counts them.
  const auto shell = odbc_test::Lines(odbc_test::Sqlite("SELECT name FROM parts ORDER BY code, name, qty"));
  ASSERT_EQ(shell.size(), 8u);
  EXPECT_EQ(printed, (std::vector<std::string>{shell[2], shell[2], shell[6], shell[6]}));
  AString value;
  EXPECT_EQ(GetDbValue(run, odbc_test::kSqliteDsn, "nowhere", "name", 0, &value), 0);
  EXPECT_EQ(GetDbValue(run, odbc_test::kSqliteDsn, "parts", "no_column", 0, &value), 1);
  EXPECT_STREQ(value.GetData(), "");
  CloseDbBindings(job.map);
  CDbBinding closed;
  ASSERT_TRUE(job.map.Lookup(MakeDbBindingKey(odbc_test::kSqliteDsn, "parts"), closed));
  EXPECT_EQ(closed.connection, nullptr);
  EXPECT_TRUE(closed.selection.empty());
}

TEST_F(DbBindingsOnSqlite, ALinkedKeyValueSelectsItsRecord) {
  odbc_test::BoundTable job(odbc_test::kSqliteDsn, "parts", "code", {});
  job.Binding().keyValueText = "P07";
  job.Binding().useLinkedKeyValue = 1;
  ASSERT_EQ(OpenDbBindings(job.map), 1);
  AString value;
  EXPECT_EQ(GetDbValue(job.run, odbc_test::kSqliteDsn, "parts", "qty", 0, &value), 1);
  EXPECT_STREQ(value.GetData(), "7");
}

TEST_F(DbBindingsOnSqlite, ALinkedKeyValueNoRecordHoldsStopsTheJobAndSaysWhy) {
  odbc_test::BoundTable job(odbc_test::kSqliteDsn, "parts", "code", {});
  job.Binding().keyValueText = "P99";
  job.Binding().useLinkedKeyValue = 1;
  AString reason;
  EXPECT_EQ(OpenDbBindings(job.map, &reason), 0);
  EXPECT_NE(std::string(reason.GetData()).find("No record has the key value P99 in its column code"),
            std::string::npos)
      << reason.GetData();
  CDbBinding closed;
  ASSERT_TRUE(job.map.Lookup(MakeDbBindingKey(odbc_test::kSqliteDsn, "parts"), closed));
  EXPECT_EQ(closed.connection, nullptr);
}

TEST_F(DbBindingsOnSqlite, AJobWithoutChosenRecordsDoesNotOpen) {
  odbc_test::BoundTable job(odbc_test::kSqliteDsn, "parts", "code", {});
  AString reason;
  EXPECT_EQ(OpenDbBindings(job.map, &reason), 0);
  EXPECT_FALSE(reason.IsEmpty());
}

TEST_F(DbBindingsOnSqlite, AHugeQuantityIsWalkedInOneStep) {
  odbc_test::BoundTable job(odbc_test::kSqliteDsn, "parts", "code", {{1, 2000000000, 0}, {2, 1, 0}});
  ASSERT_EQ(OpenDbBindings(job.map), 1);
  struct Label {
    int n;
    const char* code;
  } labels[] = {{5, "P01"}, {1999999999, "P01"}, {2000000000, "P02"}, {2147483647, "P02"}, {7, "P01"}};
  for (const Label& l : labels) {
    AString value;
    ASSERT_EQ(GetDbValue(job.run, odbc_test::kSqliteDsn, "parts", "code", l.n, &value), 1) << l.n;
    EXPECT_STREQ(value.GetData(), l.code) << l.n;
  }
}

TEST_F(DbBindingsOnSqlite, CheckpointsServeJumps) {
  c_.ExecuteUpdate("DROP TABLE IF EXISTS seq");
  c_.ExecuteUpdate("CREATE TABLE seq (n INTEGER)");
  c_.ExecuteUpdate("INSERT INTO seq WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 300) SELECT n FROM r");
  odbc_test::BoundTable job(odbc_test::kSqliteDsn, "seq", "n", odbc_test::FirstRecords(300));
  ASSERT_EQ(OpenDbBindings(job.map), 1);
  for (int n : {5, 250, 120, 299, 0, 400}) {
    AString value;
    ASSERT_EQ(GetDbValue(job.run, odbc_test::kSqliteDsn, "seq", "n", n, &value), 1) << n;
    EXPECT_EQ(std::stoi(value.GetData()), std::min(n, 299) + 1) << n;
  }
}

}  // namespace
