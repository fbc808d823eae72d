// The connection's own operations on SQLite: transactions, a borrowed
// handle, the driver information, a connection never made.
#include "odbc_test_util.h"

namespace odbc_test {
namespace {

TEST(OdbcConnection, TransactionsCommitAndRollBack) {
  COdbcConnection c;
  ASSERT_EQ(c.Connect(kSqliteDsn, nullptr, nullptr), 1);
  c.ExecuteUpdate("DROP TABLE IF EXISTS tx");
  c.ExecuteUpdate("CREATE TABLE tx (n INTEGER)");
  ASSERT_EQ(c.SetAutoCommit(false), 1) << c.GetErrorText().GetData();
  EXPECT_EQ(c.ExecuteUpdate("INSERT INTO tx VALUES (1)"), 1);
  EXPECT_EQ(c.Rollback(), 1) << c.GetErrorText().GetData();
  EXPECT_EQ(c.ExecuteUpdate("INSERT INTO tx VALUES (2)"), 1);
  EXPECT_EQ(c.Commit(), 1) << c.GetErrorText().GetData();
  ASSERT_EQ(c.SetAutoCommit(true), 1);
  EXPECT_EQ(Lines(Sqlite("SELECT n FROM tx")), (std::vector<std::string>{"2"}));
}

TEST(OdbcConnection, DriverInformationAndABorrowedHandle) {
  COdbcConnection owner;
  ASSERT_EQ(owner.Connect(kSqliteDsn, nullptr, nullptr), 1);
  EXPECT_STREQ(owner.GetDbmsName().GetData(), "SQLite");
  EXPECT_FALSE(owner.GetDriverName().IsEmpty());
  EXPECT_FALSE(owner.IsExcel());
  {
    COdbcConnection borrower;
    borrower.Attach(owner.GetConnectionHandle());
    EXPECT_EQ(borrower.ExecuteUpdate("CREATE TABLE IF NOT EXISTS borrowed (n INTEGER)"), 0);
    borrower.Disconnect();  // forgets the handle, leaves it open
    EXPECT_EQ(borrower.GetConnectionHandle(), nullptr);
  }
  auto s = Open(owner, "SELECT 1 AS one", true);
  ASSERT_TRUE(s) << owner.GetErrorText().GetData();
  ASSERT_TRUE(s->MoveFirst());
  EXPECT_STREQ(s->GetText("ONE"), "1");
  EXPECT_EQ(s->GetText("missing"), nullptr);
  EXPECT_STREQ(s->GetErrorText().GetData(), "eFieldNotFound");
}

TEST(OdbcConnection, NeverConnected) {
  COdbcConnection c;
  c.Disconnect();
  EXPECT_TRUE(c.GetErrorText().IsEmpty());
  EXPECT_TRUE(c.GetDriverName().IsEmpty());
  EXPECT_EQ(c.OpenQuery("SELECT 1", false), nullptr);
  EXPECT_FALSE(c.GetErrorText().IsEmpty());
  EXPECT_EQ(c.ExecuteUpdate("SELECT 1"), -1);
  EXPECT_EQ(c.GetTables(nullptr, nullptr), nullptr);
}

}  // namespace
}  // namespace odbc_test
