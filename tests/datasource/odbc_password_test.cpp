// A PostgreSQL role's password, given in a DSN-less connection string, is
// used to connect and kept for this run only: the name the source is stored
// under (in a field, a binding map, DbLst.bin) never holds it.
#include <gtest/gtest.h>

#include <cstdio>

#include "datasource/data_folders.h"
#include "datasource/db_bindings.h"
#include "datasource/db_source_lists.h"
#include "fields/model/field_kinds.h"
#include "odbc_test_util.h"
#include "temp_folder.h"

namespace odbc_test {
namespace {

bool HoldsPassword(const std::vector<uint8_t>& bytes) {
  const std::string text(bytes.begin(), bytes.end());
  return text.find(kPgPassword) != std::string::npos;
}

TEST(OdbcPassword, IsInNoNameStoredAfterwards) {
  ASSERT_FALSE(PostgresSocketFolder().empty());
  TempFolder dir;
  SetDataFolder(DataFolder::kDbLists, dir.path().c_str());
  LikelyUsedDbSources().clear();
  FileDsnList().RemoveAll();

  AString name;
  int isFileDsn = -1;
  const std::string given = PostgresConnectString();
  ASSERT_NE(given.find(kPgPassword), std::string::npos);
  ASSERT_EQ(ConnectAndRememberDataSource(given.c_str(), &name, &isFileDsn), 1);
  EXPECT_EQ(isFileDsn, 0);
  EXPECT_EQ(name.Find(kPgPassword), -1) << name.GetData();
  EXPECT_GE(name.Find("UID=tavuser"), 0) << name.GetData();

  // The name connects again this run (the completed string is remembered).
  COdbcConnection again;
  ASSERT_EQ(ConnectDataSource(name, false, &again), 1) << again.GetErrorText().GetData();
  again.ExecuteUpdate("DROP TABLE IF EXISTS secret_check");
  again.ExecuteUpdate("CREATE TABLE secret_check (k INTEGER, v VARCHAR(10))");
  again.ExecuteUpdate("INSERT INTO secret_check VALUES (1, 'one')");

  // A field and its binding take the name; the job prints through it.
  CTextField field;
  field.dataSourceType = 8;
  field.dbSource = name;
  field.dbTable = "secret_check";
  field.dbColumn = "v";
  CDbBindingMap map;
  CDbBinding b;
  b.keyColumn = "k";
  b.SetSelection({{1, 1, 0}});
  map.SetAt(MakeDbBindingKey(field.dbSource, field.dbTable), b);
  ASSERT_EQ(OpenDbBindings(map), 1);
  CDataRunContext run;
  run.bindings = &map;
  AString value;
  EXPECT_EQ(GetDbFieldValue(run, field, 0, &value), 1);
  EXPECT_STREQ(value.GetData(), "one");
  CloseDbBindings(map);

  EXPECT_EQ(field.dbSource.Find(kPgPassword), -1);
  FILE* f = std::fopen(dir.File("bindings.bin").c_str(), "wb");
  ASSERT_EQ(map.Serialize(false, f), 1);
  std::fclose(f);
  EXPECT_FALSE(HoldsPassword(ReadBytes(dir.File("bindings.bin"))));

  RememberDbSource(name, isFileDsn);
  ASSERT_EQ(SaveDbSourceLists(), 1);
  const std::vector<uint8_t> list = ReadBytes(dir.File("DbLst.bin"));
  EXPECT_FALSE(HoldsPassword(list));
  EXPECT_NE(std::string(list.begin(), list.end()).find("UID=tavuser"), std::string::npos);
  LikelyUsedDbSources().clear();
  FileDsnList().RemoveAll();
  SetDataFolder(DataFolder::kDbLists, "");
}

}  // namespace
}  // namespace odbc_test
