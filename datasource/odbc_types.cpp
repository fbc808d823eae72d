// The type table of the ODBC statement: which C type and how many bytes each
// SQL type is bound with, as a value and as text.
#include <algorithm>

#include "datasource/odbc_statement.h"

namespace {

// Columns wider than this are read in pieces when asked for, like the long
// types, instead of taking room in every row buffer.
constexpr SQLULEN kLongTextAbove = 4000;
// Bytes of UTF-8 a character may take: drivers give text sizes in characters.
constexpr SQLLEN kBytesPerCharacter = 4;

constexpr SQLSMALLINT kLongTextCode = -401;
constexpr SQLSMALLINT kLongBinaryCode = -402;

bool IsTextType(SQLSMALLINT t) { return t == SQL_CHAR || t == SQL_VARCHAR || t == SQL_WCHAR || t == SQL_WVARCHAR; }

SQLLEN TextBytes(SQLULEN characters) { return static_cast<SQLLEN>(characters) * kBytesPerCharacter + 1; }

}  // namespace

OdbcBindingRule BindingForSqlType(SQLSMALLINT sqlType, SQLULEN columnSize) {
  if (IsTextType(sqlType)) {
    if (columnSize == 0 || columnSize > kLongTextAbove) return {SQL_C_CHAR, 0, true};
    return {SQL_C_CHAR, TextBytes(columnSize), false};
  }
  switch (sqlType) {
    case SQL_LONGVARCHAR:
    case SQL_WLONGVARCHAR:
    case kLongTextCode:
      return {SQL_C_CHAR, 0, true};
    // Bytes are read whole when asked for: drivers give sizes that do not
    // bound the value (SQLite's BLOB says 255 bytes and holds any number).
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
    case kLongBinaryCode:
      return {SQL_C_BINARY, 0, true};
    case SQL_INTEGER:
    case SQL_SMALLINT:
    case SQL_TINYINT:
    case SQL_BIT:
      return {SQL_C_LONG, 4, false};
    case SQL_NUMERIC:
    case SQL_DECIMAL:
    case SQL_FLOAT:
    case SQL_REAL:
    case SQL_DOUBLE:
      return {SQL_C_DOUBLE, 8, false};
    case SQL_DATE:
    case SQL_TYPE_DATE:
      return {SQL_C_DATE, 6, false};
    case SQL_TIMESTAMP:
    case SQL_TYPE_TIMESTAMP:
      return {SQL_C_TIMESTAMP, 16, false};
    case SQL_GUID:
      return {SQL_C_GUID, 16, false};
    default:
      if (columnSize > kLongTextAbove) return {SQL_C_CHAR, 0, true};
      return {SQL_C_CHAR, std::max<SQLLEN>(128, TextBytes(columnSize)), false};
  }
}

SQLLEN TextBufferForSqlType(SQLSMALLINT sqlType, SQLULEN columnSize) {
  if (IsTextType(sqlType)) return TextBytes(columnSize);
  switch (sqlType) {
    case SQL_NUMERIC:
    case SQL_DECIMAL:
      return std::max<SQLLEN>(static_cast<SQLLEN>(columnSize) + 3, 24);  // sign, point, terminator
    case SQL_INTEGER: return 12;
    case SQL_SMALLINT: return 7;
    case SQL_TINYINT: return 5;
    case SQL_BIT: return 2;
    case SQL_BIGINT: return 21;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_REAL:
      return 32;
    case SQL_DATE:
    case SQL_TYPE_DATE:
      return 11;
    case SQL_TIME:
    case SQL_TYPE_TIME:
      return 20;
    case SQL_TIMESTAMP:
    case SQL_TYPE_TIMESTAMP:
      return 32;
    case SQL_GUID: return 37;
    case SQL_BINARY:
    case SQL_VARBINARY:
      return static_cast<SQLLEN>(columnSize) * 2 + 1;  // two hexadecimal digits a byte
    default:
      return std::max<SQLLEN>(128, TextBytes(columnSize));
  }
}
