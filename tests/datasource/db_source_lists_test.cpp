// The lists of used data sources, connection strings and display widths.
#include <gtest/gtest.h>

#include <algorithm>

#include "datasource/data_folders.h"
#include "datasource/db_source_lists.h"
#include "odbc_environment.h"
#include "temp_folder.h"

namespace {

TEST(DbSourceLists, DbLstBinOfOneSource) {
  const std::vector<uint8_t> bytes = DbSourceListBytes({NamedValue{"Inv1", 1}});
  EXPECT_EQ(bytes, (std::vector<uint8_t>{0x01, 0x00, 0x04, 0x00, 0x00, 0x00, 0x49, 0x6E, 0x76, 0x31, 0x01, 0x00, 0x00,
                                         0x00}));
  std::vector<NamedValue> back;
  EXPECT_EQ(ReadDbSourceListBytes(bytes, &back), 1);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_STREQ(back[0].text.GetData(), "Inv1");
  EXPECT_EQ(back[0].value, 1);
}

TEST(DbSourceLists, EmptyNamesAreSkippedAndLengthsBounded) {
  struct Case {
    const char* why;
    std::vector<uint8_t> bytes;
    std::vector<std::string> names;
  } cases[] = {
      {"a zero-length name is read and skipped",
       {0x02, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0, 0, 0, 'A', 0, 0, 0, 0},
       {"A"}},
      {"not written by the writer", DbSourceListBytes({NamedValue{"", 0}, NamedValue{"B", 0}}), {"B"}},
      {"a length beyond the file ends the list", {0x02, 0x00, 0x01, 0, 0, 0, 'A', 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 'B'}, {"A"}},
      {"a count beyond the entries", {0x09, 0x00, 0x01, 0, 0, 0, 'C', 1, 0, 0, 0}, {"C"}},
      {"a negative length reads as empty", {0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}, {}},
  };
  for (const Case& c : cases) {
    std::vector<NamedValue> list;
    ReadDbSourceListBytes(c.bytes, &list);
    std::vector<std::string> names;
    for (const NamedValue& v : list) names.emplace_back(v.text.GetData());
    EXPECT_EQ(names, c.names) << c.why;
  }
}

TEST(DbSourceLists, BothFilesSaveAndLoadApart) {
  TempFolder dir;
  SetDataFolder(DataFolder::kDbLists, dir.path().c_str());
  LikelyUsedDbSources().clear();
  FileDsnList().RemoveAll();
  RememberDbSource("Stock", 0);
  RememberDbSource("/srv/dsn/orders.dsn", 1);
  RememberDbSource("Stock", 0);
  ASSERT_EQ(SaveDbSourceLists(), 1);
  // The file-DSN list in its text-mode form: the count, then each name and CR LF, every LF as CR LF.
  const std::vector<uint8_t> fdsn = ReadBytes(dir.File("DbFDsnLst.bin"));
  const std::string expected = std::string("\x01\0\0\0", 4) + "/srv/dsn/orders.dsn\r\r\n";
  EXPECT_EQ(std::string(fdsn.begin(), fdsn.end()), expected);
  LikelyUsedDbSources().clear();
  FileDsnList().RemoveAll();
  ASSERT_EQ(LoadDbSourceLists(), 1);
  ASSERT_EQ(LikelyUsedDbSources().size(), 2u);
  EXPECT_STREQ(LikelyUsedDbSources()[1].text.GetData(), "/srv/dsn/orders.dsn");
  EXPECT_EQ(LikelyUsedDbSources()[1].value, 1);
  ASSERT_EQ(FileDsnList().GetSize(), 1);
  EXPECT_STREQ(FileDsnList()[0].GetData(), "/srv/dsn/orders.dsn");
  // Without DbLst.bin the file-DSN list still loads.
  std::filesystem::remove(dir.File("DbLst.bin"));
  FileDsnList().RemoveAll();
  EXPECT_EQ(LoadDbSourceLists(), 0);
  EXPECT_EQ(FileDsnList().GetSize(), 1);
  LikelyUsedDbSources().clear();
  FileDsnList().RemoveAll();
  SetDataFolder(DataFolder::kDbLists, "");
}

TEST(DbSourceLists, ConnectStringValues) {
  struct Case {
    const char* text;
    const char* key;
    int found;
    const char* value;
  } cases[] = {
      {"DSN=Stock;UID=me", "DSN", 1, "Stock"},
      {"dsn=Stock;UID=me", "DSN", 1, "Stock"},
      {"FILEDSN=/a/b.dsn;DSN=x", "DSN", 1, "x"},
      {"FILEDSN=/a/b.dsn", "DSN", 0, ""},
      {"Driver={PostgreSQL Unicode};PWD={a;b}}c};UID=u", "PWD", 1, "a;b}c"},
      {"Driver={PostgreSQL Unicode};PWD={a;b}}c};UID=u", "UID", 1, "u"},
      {"XDSN=1;DSN=2", "DSN", 1, "2"},
  };
  for (const Case& c : cases) {
    AString value;
    EXPECT_EQ(GetConnectStringValue(c.text, c.key, &value), c.found) << c.text << " " << c.key;
    if (c.found) {
      EXPECT_STREQ(value.GetData(), c.value) << c.text;
    }
  }
  EXPECT_STREQ(RemoveConnectStringPassword("DRIVER={x};PWD={a;b}}c};UID=u;Password=z").GetData(), "DRIVER={x};UID=u");
}

TEST(DbSourceLists, FileDsnNamesAndDisplayWidths) {
  EXPECT_TRUE(IsFileDsnName("C:\\dsn\\a.dsn"));
  EXPECT_TRUE(IsFileDsnName("/srv/a.dsn"));
  EXPECT_FALSE(IsFileDsnName("Stock"));
  struct Case {
    int type, size, width;
  } cases[] = {{1, 0, 6144}, {12, 100, 40}, {12, 1, 2}, {4, 10, 11}, {5, 5, 6},  {8, 15, 24}, {7, 7, 14},
               {91, 10, 10}, {92, 8, 8},    {93, 26, 19}, {-7, 1, 1}, {-6, 3, 4}, {-5, 19, 20}, {-11, 36, 36},
               {-9, 4, 16},  {2, 10, 18}};
  for (const Case& c : cases) EXPECT_EQ(GetSqlDisplayWidth(c.type, c.size), c.width) << c.type << " " << c.size;
}

TEST(DbSourceLists, TheCatalogueOfTheSqliteSource) {
  AArray<AString> sources;
  ASSERT_GE(ListOdbcDataSources(&sources), 2);
  std::vector<std::string> names;
  for (int i = 0; i < sources.GetSize(); ++i) names.emplace_back(sources[i].GetData());
  EXPECT_NE(std::find(names.begin(), names.end(), odbc_test::kSqliteDsn), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), odbc_test::kPgDsn), names.end());

  COdbcConnection c;
  ASSERT_EQ(ConnectDataSource(odbc_test::kSqliteDsn, false, &c), 1) << c.GetErrorText().GetData();
  EXPECT_FALSE(c.IsExcel());
  c.ExecuteUpdate("DROP TABLE IF EXISTS catalogue");
  c.ExecuteUpdate("CREATE TABLE catalogue (id INTEGER, label VARCHAR(100), price NUMERIC(8,2), made DATE)");
  AArray<AString> tables;
  ASSERT_GE(ListDbTableNames(odbc_test::kSqliteDsn, false, &tables), 1);
  bool found = false;
  for (int i = 0; i < tables.GetSize(); ++i) found = found || tables[i] == "catalogue";
  EXPECT_TRUE(found);
  std::vector<DbColumnInfo> columns;
  ASSERT_EQ(ListSourceColumns(nullptr, odbc_test::kSqliteDsn, -1, "catalogue", &columns), 4);
  EXPECT_STREQ(columns[1].name.GetData(), "label");
  EXPECT_EQ(columns[1].sqlType, SQL_VARCHAR);
  EXPECT_EQ(columns[1].columnSize, 100);
  EXPECT_EQ(columns[1].displayWidth, 40);
  EXPECT_EQ(columns[0].displayWidth, 11);
  EXPECT_EQ(ListSourceColumns(nullptr, "NoSuchSource", -1, "catalogue", &columns), 0);
}

}  // namespace
