// COdbcStatement: one ODBC statement. Executes SQL (directly or prepared with
// parameters), binds every result column into one row buffer, moves through
// the result in any direction (on the driver's static cursor, or forward
// until the first step back), and gives column values as numbers,
// bytes, dates, GUIDs or text. Failures are results, the reason in the error
// text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "datasource/odbc_api.h"
#include "foundation/string/astring.h"

// A described and bound result column.
struct OdbcColumnInfo {
  char name[260] = {};
  SQLSMALLINT sqlType = 0;
  SQLSMALLINT cType = 0;
  SQLLEN bufferLength = 0;  // bytes in the row buffer; a long value's length once read
  SQLULEN columnSize = 0;
  SQLSMALLINT decimalDigits = 0;
  bool isLong = false;      // read with SQLGetData when asked for, not bound
  SQLLEN offset = 0;
  void* data = nullptr;     // in the row buffer, or the long value (null until read)
  SQLLEN indicator = 0;     // length or SQL_NULL_DATA after a fetch
};

// A statement parameter.
struct OdbcParameterInfo {
  SQLSMALLINT sqlType = 0;
  SQLSMALLINT cType = 0;
  SQLLEN bufferLength = 0;
  SQLULEN columnSize = 0;
  SQLSMALLINT decimalDigits = 0;
  bool isLong = false;
  SQLLEN offset = 0;
  void* data = nullptr;
  SQLLEN indicator = 0;
  std::vector<uint8_t> longValue;  // a long parameter's own copy of its value
};

// How a column or parameter of an SQL type is bound.
struct OdbcBindingRule {
  SQLSMALLINT cType;
  SQLLEN bufferLength;
  bool isLong;
};
// The type table: the C type and buffer of an SQL type and column size.
OdbcBindingRule BindingForSqlType(SQLSMALLINT sqlType, SQLULEN columnSize);
// The buffer a column needs to hold its value as text, terminator included.
SQLLEN TextBufferForSqlType(SQLSMALLINT sqlType, SQLULEN columnSize);

// The text of a number held as a double: exact numerics (NUMERIC, DECIMAL)
// with their scale; approximate ones (FLOAT, REAL, DOUBLE) as the shortest
// text that reads back as the same number.
std::string FormatDoubleColumn(SQLSMALLINT sqlType, SQLSMALLINT decimalDigits, double value);

// How a statement's result is read. A scrolling cursor moves anywhere at once,
// but drivers keep the whole result for it; a forward-only one lets a driver
// hand the rows over as they are read (in blocks, where it can), so reading
// costs the same memory for any number of rows.
enum class OdbcCursor {
  kScrolling,
  kForwardOnly,
};

class COdbcStatement {
 public:
  explicit COdbcStatement(SQLHDBC dbc, OdbcCursor cursor = OdbcCursor::kScrolling);
  ~COdbcStatement();
  COdbcStatement(const COdbcStatement&) = delete;
  COdbcStatement& operator=(const COdbcStatement&) = delete;

  void Clear();
  // Milliseconds after which a running execution is cancelled; 0 for none.
  void SetQueryTimeout(int milliseconds) { queryTimeout_ = milliseconds; }
  int ExecuteDirect(const char* sql);
  int Prepare(const char* sql);
  int Execute();
  bool DescribeParameters();
  void AllocParameters(int count);
  int BindParameter(int index, SQLSMALLINT sqlType, SQLSMALLINT cType, SQLLEN length, SQLULEN columnSize,
                    SQLSMALLINT decimalDigits);
  bool MoreResults();
  SQLLEN GetRowCount();
  bool BindColumns(bool bindAsText);
  const AString& GetErrorText() const { return errorText_; }
  void SetErrorText(const AString& text) { errorText_ = text; }
  int Cancel();
  // The driver's own form of an SQL text, through the statement's connection.
  int NativeSql(const char* sql, char* out, int size);
  SQLHSTMT GetStatementHandle() const { return stmt_; }
  bool IsBoundAsText() const { return bindAsText_; }
  OdbcCursor GetCursor() const { return cursor_; }

  bool MoveFirst();
  bool MoveLast();
  bool MoveNext();
  bool MovePrev();
  bool MoveAbsolute(SQLLEN row);
  bool MoveRelative(SQLLEN offset);
  SQLULEN GetRowNumber();

  int GetColumnCount() const { return static_cast<int>(columns_.size()); }
  const OdbcColumnInfo* GetColumnInfo(int index);
  int FindColumn(const char* name) const;
  int GetInt(int index);
  double GetDouble(int index);
  const char* GetText(int index);
  SQLLEN GetLength(int index);
  const void* GetData(int index);
  bool IsNull(int index);
  const DATE_STRUCT* GetDate(int index);
  const TIMESTAMP_STRUCT* GetTimestamp(int index);
  const SQLGUID* GetGuid(int index);

  int GetInt(const char* name);
  double GetDouble(const char* name);
  const char* GetText(const char* name);
  SQLLEN GetLength(const char* name);
  const void* GetData(const char* name);
  bool IsNull(const char* name);
  const DATE_STRUCT* GetDate(const char* name);
  const TIMESTAMP_STRUCT* GetTimestamp(const char* name);
  const SQLGUID* GetGuid(const char* name);

  int SetParamInt(int index, int value);
  int SetParamDouble(int index, double value);
  int SetParamText(int index, const char* text);
  int SetParamBinary(int index, const void* data, SQLLEN count);
  int SetParamDate(int index, const DATE_STRUCT& date);
  int SetParamDateTime(int index, const TIMESTAMP_STRUCT& timestamp);
  int SetParamGuid(int index, const SQLGUID& guid);
  int SetParamNull(int index);

  // Fills the error text from the statement's first diagnostic.
  void FillErrorText();

 private:
  bool Fetch(SQLUSMALLINT direction, SQLLEN offset);
  // A forward-only cursor reaches row n (1-based) by reading on. A step back
  // runs the query again on a scrolling cursor, which the statement keeps
  // from then on (reading from the start for every step back would cost a
  // pass over the rows each time); where the driver refuses, the query is
  // run again and read from its start.
  bool ForwardTo(SQLLEN row);
  bool SwitchToScrolling();
  bool RunAgain();
  // One move of the driver's own cursor.
  bool DriverFetch(SQLUSMALLINT direction, SQLLEN offset);
  void ResetLongData();
  bool ReadLongData(int index);
  bool BindAllParameters();
  int ColumnByName(const char* name);
  OdbcParameterInfo* Parameter(int index, const char* outOfRangeText);
  // The column at index; null, with outOfRangeText as the error, when there is none.
  OdbcColumnInfo* Column(int index, const char* outOfRangeText);

  SQLHDBC dbc_ = nullptr;  // the connection it runs on (not owned)
  SQLHSTMT stmt_ = nullptr;
  AString errorText_;
  AString valueText_;
  std::vector<OdbcColumnInfo> columns_;
  std::vector<std::vector<uint8_t>> longValues_;  // per column, the value read so far
  std::vector<uint8_t> rowBuffer_;
  std::vector<OdbcParameterInfo> parameters_;
  std::vector<uint8_t> parameterBuffer_;
  int boundParameters_ = 0;
  bool bindAsText_ = false;
  int queryTimeout_ = 0;
  OdbcCursor cursor_ = OdbcCursor::kScrolling;
  // Forward-only: the row the cursor stands on (0 before the first), and
  // how the query is run again (its text when it was run directly).
  SQLLEN row_ = 0;
  bool prepared_ = false;
  std::string directSql_;
};
