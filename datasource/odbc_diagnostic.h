// The error text of an ODBC handle's first diagnostic, shared by the
// connection and its statements.
#pragma once

#include "datasource/odbc_api.h"
#include "foundation/string/astring.h"

// The first diagnostic of the one handle given (the others null), laid out
// by `format` from the native error (%i), the SQL state (%s) and the message
// (%s): 0 and empty texts when no handle is given or none has a diagnostic.
AString OdbcDiagnosticText(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, const char* format);
