// COdbcConnection: one ODBC environment and one connection. Connects by name
// or by connection string, lists data sources, and hands out statements.
// Failures are results; the text of the last ODBC error stays in the object.
#pragma once

#include <memory>
#include <string>

#include "datasource/odbc_api.h"
#include "datasource/odbc_statement.h"
#include "foundation/string/astring.h"

class COdbcConnection {
 public:
  COdbcConnection();
  ~COdbcConnection();
  COdbcConnection(const COdbcConnection&) = delete;
  COdbcConnection& operator=(const COdbcConnection&) = delete;

  // 1 connected; 0 failed (any result but success, allocation included),
  // with the error text filled.
  int Connect(const char* dataSource, const char* user, const char* password);
  // Connects by a connection string ("DSN=...", "FILEDSN=...", or a
  // driver's own keys), completing it without prompting; the completed string
  // stays readable through GetCompletedConnectString.
  int DriverConnect(const char* connectString);
  void Disconnect();

  const AString& GetErrorText() const { return errorText_; }
  const AString& GetDriverName() const { return driverName_; }
  const AString& GetDbmsName() const { return dbmsName_; }
  const AString& GetDbmsVersion() const { return dbmsVersion_; }
  const char* GetCompletedConnectString() const { return completed_; }
  bool IsExcel(int* majorVersion = nullptr) const;
  SQLHDBC GetConnectionHandle() const { return dbc_; }
  SQLHENV GetEnvironmentHandle() const { return env_; }
  // Takes a connection owned elsewhere: Disconnect only forgets it.
  void Attach(SQLHDBC dbc);

  int SetAutoCommit(bool on);
  int Commit();
  int Rollback();

  bool GetFirstDataSource(char* name, int size);
  bool GetNextDataSource(char* name, int size);

  COdbcStatement* CreateStatement(OdbcCursor cursor = OdbcCursor::kScrolling);
  void DeleteStatement(COdbcStatement* statement);
  // Executes the text and binds its result; null (the reason in the error
  // text) when it fails or gives no columns. The caller deletes the statement.
  COdbcStatement* OpenQuery(const char* sql, bool bindAsText, OdbcCursor cursor = OdbcCursor::kScrolling);
  // Rows affected, -1 when the driver tells none (or the statement failed;
  // the reason is in the error text).
  SQLLEN ExecuteUpdate(const char* sql);
  COdbcStatement* GetTypeInfo();
  COdbcStatement* GetTables(const char* pattern, const char* types);
  // The columns of the table of that exact name.
  COdbcStatement* GetColumns(const char* table);
  // The name as a catalogue search pattern matching only itself: '_', '%'
  // and the escape marked with the driver's search escape.
  std::string EscapeSearchPattern(const char* name) const;

  // Fills the error text from the connection's first diagnostic.
  void FillErrorText();
  void SetErrorText(const AString& text) { errorText_ = text; }

 private:
  bool FetchDataSource(SQLUSMALLINT direction, char* name, int size);
  void ReadDriverInfo();
  // Connecting, before and after the driver call: a fresh connection handle
  // (false, with the error text, when none can be had), then its outcome
  // (1, with the driver's details; 0, with the error text, the handle freed).
  bool OpenConnection();
  int FinishConnection(SQLRETURN connected);
  int EndTransaction(SQLSMALLINT completion);
  COdbcStatement* FinishCatalogue(COdbcStatement* statement, SQLRETURN result);

  SQLHENV env_ = nullptr;
  SQLHDBC dbc_ = nullptr;
  bool attached_ = false;
  AString errorText_;
  AString driverName_;
  AString dbmsName_;
  AString dbmsVersion_;
  char completed_[1024] = {};
};

// A statement owned until it is handed on, deleted through its connection
// (before the connection goes).
struct OdbcStatementDeleter {
  COdbcConnection* connection;
  void operator()(COdbcStatement* s) const { connection->DeleteStatement(s); }
};
using OdbcStatementPtr = std::unique_ptr<COdbcStatement, OdbcStatementDeleter>;
