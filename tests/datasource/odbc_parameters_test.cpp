// Prepared statements with parameters, on SQLite: values copied into the
// parameter buffer, long values sent whole, the refusals by their texts.
#include <gtest/gtest.h>

#include "odbc_test_util.h"

namespace odbc_test {
namespace {

TEST(OdbcParameters, PreparedInsertsKeepTheirValues) {
  COdbcConnection c;
  ASSERT_EQ(c.Connect(kSqliteDsn, nullptr, nullptr), 1) << c.GetErrorText().GetData();
  c.ExecuteUpdate("DROP TABLE IF EXISTS params");
  c.ExecuteUpdate("CREATE TABLE params (k INTEGER, name VARCHAR(20), note TEXT)");
  COdbcStatement s(c.GetConnectionHandle());
  ASSERT_EQ(s.Prepare("INSERT INTO params VALUES (?, ?, ?)"), 1) << s.GetErrorText().GetData();
  s.AllocParameters(3);
  EXPECT_EQ(s.SetParamInt(0, 1), 0) << "nothing is bound yet";
  EXPECT_EQ(s.BindParameter(0, SQL_INTEGER, SQL_C_LONG, 4, 10, 0), 0);  // more to come
  EXPECT_EQ(s.BindParameter(1, SQL_VARCHAR, SQL_C_CHAR, 21, 20, 0), 0);
  EXPECT_EQ(s.BindParameter(2, SQL_LONGVARCHAR, SQL_C_CHAR, 0, 100000, 0), 1) << s.GetErrorText().GetData();
  EXPECT_EQ(s.BindParameter(2, SQL_LONGVARCHAR, SQL_C_CHAR, 0, 100000, 0), 0);
  EXPECT_STREQ(s.GetErrorText().GetData(), "AllParameterAlreadyBound");
  EXPECT_EQ(s.BindParameter(3, SQL_INTEGER, SQL_C_LONG, 4, 10, 0), 0);
  EXPECT_STREQ(s.GetErrorText().GetData(), "Index Out Of Range");

  // A text longer than its parameter's buffer (room for 20 characters of
  // up to 4 bytes each) is cut to what the buffer holds.
  EXPECT_EQ(s.SetParamInt(0, 7), 1);
  EXPECT_EQ(s.SetParamText(1, std::string(100, 'n').c_str()), 1);
  const std::string note(10000, 'z');
  EXPECT_EQ(s.SetParamText(2, note.c_str()), 1);
  ASSERT_EQ(s.Execute(), 1) << s.GetErrorText().GetData();
  // The long value is the statement's own copy: changing the caller's text
  // after setting it changes nothing.
  std::string second(3000, 'y');
  EXPECT_EQ(s.SetParamInt(0, 8), 1);
  EXPECT_EQ(s.SetParamText(1, "short"), 1);
  EXPECT_EQ(s.SetParamText(2, second.c_str()), 1);
  second.assign(3000, '!');
  ASSERT_EQ(s.Execute(), 1) << s.GetErrorText().GetData();
  EXPECT_EQ(s.SetParamDouble(1, 2.5), 0);
  EXPECT_STREQ(s.GetErrorText().GetData(), "eTypeIsIncompatible");
  EXPECT_EQ(s.SetParamText(4, "x"), 0);
  EXPECT_STREQ(s.GetErrorText().GetData(), "eIndexOutOfRange");

  const auto rows = Lines(Sqlite("SELECT k, name, length(note), substr(note, 1, 1) FROM params ORDER BY k"));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], "7|" + std::string(80, 'n') + "|10000|z");
  EXPECT_EQ(rows[1], "8|short|3000|y");
}

TEST(OdbcParameters, ALongParameterNeverSetIsSentAtExecution) {
  COdbcConnection c;
  ASSERT_EQ(c.Connect(kSqliteDsn, nullptr, nullptr), 1);
  c.ExecuteUpdate("DROP TABLE IF EXISTS params2");
  c.ExecuteUpdate("CREATE TABLE params2 (k INTEGER, note TEXT)");
  COdbcStatement s(c.GetConnectionHandle());
  ASSERT_EQ(s.Prepare("INSERT INTO params2 VALUES (?, ?)"), 1);
  s.AllocParameters(2);
  s.BindParameter(0, SQL_INTEGER, SQL_C_LONG, 4, 10, 0);
  ASSERT_EQ(s.BindParameter(1, SQL_LONGVARCHAR, SQL_C_CHAR, 0, 100, 0), 1);
  s.SetParamInt(0, 5);
  ASSERT_EQ(s.Execute(), 1) << s.GetErrorText().GetData();
  s.SetParamInt(0, 6);
  s.SetParamNull(1);
  ASSERT_EQ(s.Execute(), 1) << s.GetErrorText().GetData();
  EXPECT_EQ(Lines(Sqlite("SELECT k, quote(note) FROM params2 ORDER BY k")),
            (std::vector<std::string>{"5|''", "6|NULL"}));
}

TEST(OdbcParameters, NativeSqlGoesThroughTheConnection) {
  COdbcConnection c;
  ASSERT_EQ(c.Connect(kSqliteDsn, nullptr, nullptr), 1);
  COdbcStatement s(c.GetConnectionHandle());
  char out[256] = {};
  ASSERT_EQ(s.NativeSql("SELECT 1", out, sizeof out), 1) << s.GetErrorText().GetData();
  EXPECT_STREQ(out, "SELECT 1");
}

}  // namespace
}  // namespace odbc_test
