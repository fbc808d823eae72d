#include "datasource/odbc_diagnostic.h"

AString OdbcDiagnosticText(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, const char* format) {
  SQLCHAR state[6] = {};
  SQLCHAR message[520] = {};
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  if (env || dbc || stmt) SQLError(env, dbc, stmt, state, &native, message, sizeof message, &length);
  AString text;
  text.Format(format, static_cast<int>(native), reinterpret_cast<char*>(state), reinterpret_cast<char*>(message));
  return text;
}
