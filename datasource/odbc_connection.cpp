#include "datasource/odbc_connection.h"

#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "datasource/odbc_diagnostic.h"
#include "datasource/odbc_statement.h"

namespace {

SQLCHAR* Sql(const char* text) { return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text)); }

}  // namespace

COdbcConnection::COdbcConnection() {
  if (SQLAllocEnv(&env_) != SQL_SUCCESS) env_ = nullptr;
}

COdbcConnection::~COdbcConnection() {
  Disconnect();
  if (env_) SQLFreeEnv(env_);
}

void COdbcConnection::FillErrorText() {
  // The connection's diagnostic once it has one, before that the environment's.
  errorText_ =
      OdbcDiagnosticText(dbc_ ? SQL_NULL_HENV : env_, dbc_, SQL_NULL_HSTMT, "Error = %i\nSQL state = %s\n%s");
}

void COdbcConnection::ReadDriverInfo() {
  char buffer[260];
  SQLSMALLINT length = 0;
  buffer[0] = 0;
  driverName_ = SqlSucceeded(SQLGetInfo(dbc_, SQL_DRIVER_NAME, buffer, sizeof buffer, &length)) ? buffer : "unknown";
  buffer[0] = 0;
  dbmsName_ = SqlSucceeded(SQLGetInfo(dbc_, SQL_DBMS_NAME, buffer, sizeof buffer, &length)) ? buffer : "";
  buffer[0] = 0;
  dbmsVersion_ = SqlSucceeded(SQLGetInfo(dbc_, SQL_DBMS_VER, buffer, sizeof buffer, &length)) ? buffer : "";
}

bool COdbcConnection::OpenConnection() {
  Disconnect();
  if (!env_ || !SqlSucceeded(SQLAllocConnect(env_, &dbc_))) {
    dbc_ = nullptr;
    FillErrorText();
    return false;
  }
  // The drivers' own static cursors scroll correctly; the driver manager's
  // cursor library does not, and it refuses SQLGetData on unbound columns.
  SQLSetConnectOption(dbc_, SQL_ODBC_CURSORS, SQL_CUR_USE_IF_NEEDED);
  attached_ = false;
  return true;
}

int COdbcConnection::FinishConnection(SQLRETURN connected) {
  if (!SqlSucceeded(connected)) {
    FillErrorText();
    SQLFreeConnect(dbc_);
    dbc_ = nullptr;
    return 0;
  }
  ReadDriverInfo();
  errorText_.Empty();
  return 1;
}

int COdbcConnection::Connect(const char* dataSource, const char* user, const char* password) {
  if (!OpenConnection()) return 0;
  return FinishConnection(SQLConnect(dbc_, Sql(dataSource ? dataSource : ""), SQL_NTS, Sql(user ? user : ""),
                                     SQL_NTS, Sql(password ? password : ""), SQL_NTS));
}

int COdbcConnection::DriverConnect(const char* connectString) {
  if (!OpenConnection()) return 0;
  completed_[0] = 0;
  SQLSMALLINT length = 0;
  const SQLRETURN r = SQLDriverConnect(dbc_, nullptr, Sql(connectString ? connectString : ""), SQL_NTS,
                                       reinterpret_cast<SQLCHAR*>(completed_), sizeof completed_, &length,
                                       SQL_DRIVER_NOPROMPT);
  // A failed attempt leaves no half-written string behind; a long one is cut.
  if (SqlSucceeded(r)) completed_[sizeof completed_ - 1] = 0;
  else completed_[0] = 0;
  return FinishConnection(r);
}

void COdbcConnection::Disconnect() {
  if (dbc_) {
    if (!attached_) {
      SQLDisconnect(dbc_);
      SQLFreeConnect(dbc_);
    }
    dbc_ = nullptr;
  }
  errorText_.Empty();
  driverName_.Empty();
  dbmsName_.Empty();
  dbmsVersion_.Empty();
}

bool COdbcConnection::IsExcel(int* majorVersion) const {
  if (dbmsName_.GetLength() < 5 || strncasecmp(dbmsName_.GetData(), "EXCEL", 5) != 0) return false;
  if (majorVersion) {
    char version[80] = {};
    std::strncpy(version, dbmsVersion_.GetData(), sizeof version - 1);
    if (char* dot = std::strchr(version, '.')) *dot = 0;
    *majorVersion = std::atoi(version);
  }
  return true;
}

void COdbcConnection::Attach(SQLHDBC dbc) {
  Disconnect();
  dbc_ = dbc;
  attached_ = true;
}

int COdbcConnection::SetAutoCommit(bool on) {
  if (!dbc_ || !SqlSucceeded(SQLSetConnectOption(dbc_, SQL_AUTOCOMMIT, on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF))) {
    FillErrorText();
    return 0;
  }
  return 1;
}

int COdbcConnection::EndTransaction(SQLSMALLINT completion) {
  if (!dbc_ || !SqlSucceeded(SQLTransact(SQL_NULL_HENV, dbc_, static_cast<SQLUSMALLINT>(completion)))) {
    FillErrorText();
    return 0;
  }
  return 1;
}

int COdbcConnection::Commit() { return EndTransaction(SQL_COMMIT); }
int COdbcConnection::Rollback() { return EndTransaction(SQL_ROLLBACK); }

bool COdbcConnection::FetchDataSource(SQLUSMALLINT direction, char* name, int size) {
  if (!env_ || !name || size <= 0) return false;
  SQLCHAR description[256];
  SQLSMALLINT nameLength = 0, descriptionLength = 0;
  const SQLRETURN r =
      SQLDataSources(env_, direction, reinterpret_cast<SQLCHAR*>(name), static_cast<SQLSMALLINT>(std::min(size, 32767)),
                     &nameLength, description, sizeof description, &descriptionLength);
  return SqlSucceeded(r);
}

bool COdbcConnection::GetFirstDataSource(char* name, int size) { return FetchDataSource(SQL_FETCH_FIRST, name, size); }
bool COdbcConnection::GetNextDataSource(char* name, int size) { return FetchDataSource(SQL_FETCH_NEXT, name, size); }

COdbcStatement* COdbcConnection::CreateStatement(OdbcCursor cursor) { return new COdbcStatement(dbc_, cursor); }

void COdbcConnection::DeleteStatement(COdbcStatement* statement) { delete statement; }

COdbcStatement* COdbcConnection::OpenQuery(const char* sql, bool bindAsText, OdbcCursor cursor) {
  if (!dbc_) {
    errorText_ = "Error = 0\nSQL state = 08003\nNot connected";
    return nullptr;
  }
  COdbcStatement* statement = CreateStatement(cursor);
  const int executed = statement->ExecuteDirect(sql);
  const AString reason = statement->GetErrorText();
  if (!statement->BindColumns(bindAsText)) {
    // The failed query's reason stays with the connection.
    if (!executed) errorText_ = reason;
    else errorText_ = "Error = 0\nSQL state = 07005\nThe statement gives no result columns";
    DeleteStatement(statement);
    return nullptr;
  }
  return statement;
}

SQLLEN COdbcConnection::ExecuteUpdate(const char* sql) {
  if (!dbc_) return -1;
  COdbcStatement statement(dbc_);
  if (!statement.ExecuteDirect(sql)) {
    errorText_ = statement.GetErrorText();
    return -1;
  }
  return statement.GetRowCount();
}

COdbcStatement* COdbcConnection::FinishCatalogue(COdbcStatement* statement, SQLRETURN result) {
  if (!SqlSucceeded(result)) {
    statement->FillErrorText();
    errorText_ = statement->GetErrorText();
    DeleteStatement(statement);
    return nullptr;
  }
  if (!statement->BindColumns(false)) {
    DeleteStatement(statement);
    return nullptr;
  }
  return statement;
}

COdbcStatement* COdbcConnection::GetTypeInfo() {
  if (!dbc_) return nullptr;
  COdbcStatement* s = CreateStatement();
  return FinishCatalogue(s, SQLGetTypeInfo(s->GetStatementHandle(), SQL_ALL_TYPES));
}

COdbcStatement* COdbcConnection::GetTables(const char* pattern, const char* types) {
  if (!dbc_) return nullptr;
  COdbcStatement* s = CreateStatement();
  const SQLRETURN r = SQLTables(s->GetStatementHandle(), nullptr, 0, nullptr, 0, Sql(pattern),
                                pattern ? SQL_NTS : 0, Sql(types), types ? SQL_NTS : 0);
  return FinishCatalogue(s, r);
}

std::string COdbcConnection::EscapeSearchPattern(const char* name) const {
  std::string out;
  if (!name) return out;
  char escape[8] = {};
  SQLSMALLINT length = 0;
  if (!dbc_ || !SqlSucceeded(SQLGetInfo(dbc_, SQL_SEARCH_PATTERN_ESCAPE, escape, sizeof escape, &length))) {
    escape[0] = 0;
  }
  for (const char* c = name; *c; ++c) {
    if (escape[0] && (*c == '_' || *c == '%' || *c == escape[0])) out += escape[0];
    out += *c;
  }
  return out;
}

COdbcStatement* COdbcConnection::GetColumns(const char* table) {
  if (!dbc_) return nullptr;
  COdbcStatement* s = CreateStatement();
  // The table argument is a search pattern: "it_1" would match "itx1" too.
  const std::string pattern = EscapeSearchPattern(table);
  const SQLRETURN r = SQLColumns(s->GetStatementHandle(), nullptr, 0, nullptr, 0, Sql(pattern.c_str()),
                                 table ? SQL_NTS : 0, nullptr, 0);
  return FinishCatalogue(s, r);
}
