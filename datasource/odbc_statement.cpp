#include "datasource/odbc_statement.h"

#include <strings.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

#include "datasource/odbc_diagnostic.h"
#include "platform/nls/nls.h"

namespace {

constexpr SQLLEN kRowSpare = 1024;
constexpr SQLLEN kLongChunk = 4096;

// Buffers start on 8-byte boundaries, so numbers, dates and GUIDs can be
// read in place.
SQLLEN AlignUp(SQLLEN n) { return (n + 7) & ~SQLLEN{7}; }

SQLCHAR* Sql(const char* text) { return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text)); }

// Cancels the statement when the execution it guards outlasts the time-out.
class Watchdog {
 public:
  Watchdog(SQLHSTMT stmt, int milliseconds) {
    if (milliseconds <= 0) return;
    thread_ = std::thread([this, stmt, milliseconds] {
      std::unique_lock lock(mutex_);
      if (!cv_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return done_; })) {
        SQLCancel(stmt);
      }
    });
  }
  ~Watchdog() {
    if (!thread_.joinable()) return;
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    cv_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool done_ = false;
  std::thread thread_;
};

}  // namespace

std::string FormatDoubleColumn(SQLSMALLINT sqlType, SQLSMALLINT decimalDigits, double value) {
  char text[64];
  if (sqlType == SQL_FLOAT || sqlType == SQL_REAL || sqlType == SQL_DOUBLE) {
    // Approximate numbers have no scale: the shortest text that reads back
    // as the same number.
    for (int precision = 1; precision <= 17; ++precision) {
      std::snprintf(text, sizeof text, "%.*g", precision, value);
      if (std::strtod(text, nullptr) == value) break;
    }
    return text;
  }
  std::snprintf(text, sizeof text, "%.*f", std::clamp<int>(decimalDigits, 0, 30), value);
  return text;
}

COdbcStatement::COdbcStatement(SQLHDBC dbc, OdbcCursor cursor) : dbc_(dbc), cursor_(cursor) {
  if (SQLAllocStmt(dbc, &stmt_) != SQL_SUCCESS) {
    stmt_ = nullptr;
    return;
  }
  const bool forward = cursor == OdbcCursor::kForwardOnly;
  SQLSetStmtOption(stmt_, SQL_CONCURRENCY, forward ? SQL_CONCUR_READ_ONLY : SQL_CONCUR_VALUES);
  SQLSetStmtOption(stmt_, SQL_ASYNC_ENABLE, SQL_ASYNC_ENABLE_OFF);
  SQLSetStmtOption(stmt_, SQL_CURSOR_TYPE, forward ? SQL_CURSOR_FORWARD_ONLY : SQL_CURSOR_STATIC);
  SQLSetStmtOption(stmt_, SQL_ROWSET_SIZE, 1);
}

COdbcStatement::~COdbcStatement() {
  if (stmt_) {
    SQLFreeStmt(stmt_, SQL_CLOSE);
    SQLFreeStmt(stmt_, SQL_DROP);
  }
  Clear();
}

void COdbcStatement::Clear() {
  columns_.clear();
  longValues_.clear();
  rowBuffer_.clear();
  parameters_.clear();
  parameterBuffer_.clear();
  boundParameters_ = 0;
  errorText_.Empty();
}

void COdbcStatement::FillErrorText() {
  errorText_ = OdbcDiagnosticText(SQL_NULL_HENV, SQL_NULL_HDBC, stmt_, "Error:=%i\nSql state:=%s\n%s");
}

int COdbcStatement::ExecuteDirect(const char* sql) {
  if (!stmt_ || !sql) {
    errorText_ = "Error:=0\nSql state:=HY009\nNo statement or no text";
    return 0;
  }
  SQLFreeStmt(stmt_, SQL_CLOSE);
  row_ = 0;
  prepared_ = false;
  if (cursor_ == OdbcCursor::kForwardOnly) directSql_ = sql;
  SQLRETURN r;
  {
    Watchdog watchdog(stmt_, queryTimeout_);
    r = SQLExecDirect(stmt_, Sql(sql), SQL_NTS);
  }
  if (!SqlSucceeded(r) && r != SQL_NO_DATA) {
    FillErrorText();
    return 0;
  }
  errorText_.Empty();
  return 1;
}

int COdbcStatement::Prepare(const char* sql) {
  Clear();
  if (!stmt_ || !SqlSucceeded(SQLPrepare(stmt_, Sql(sql), SQL_NTS))) {
    FillErrorText();
    return 0;
  }
  prepared_ = true;
  errorText_.Empty();
  return 1;
}

int COdbcStatement::Execute() {
  if (!stmt_) return 0;
  SQLFreeStmt(stmt_, SQL_CLOSE);
  row_ = 0;
  SQLRETURN r;
  {
    Watchdog watchdog(stmt_, queryTimeout_);
    r = SQLExecute(stmt_);
  }
  while (r == SQL_NEED_DATA) {
    SQLPOINTER token = nullptr;
    r = SQLParamData(stmt_, &token);
    if (r != SQL_NEED_DATA) break;
    auto* p = static_cast<OdbcParameterInfo*>(token);
    const std::vector<uint8_t>& value = p->longValue;
    SQLLEN sent = 0;
    do {
      const SQLLEN piece = std::min<SQLLEN>(kLongChunk, static_cast<SQLLEN>(value.size()) - sent);
      static char nothing[1] = {};
      SQLPutData(stmt_, value.empty() ? static_cast<SQLPOINTER>(nothing) : const_cast<uint8_t*>(value.data() + sent),
                 piece);
      sent += piece;
    } while (sent < static_cast<SQLLEN>(value.size()));
  }
  if (!SqlSucceeded(r) && r != SQL_NO_DATA) {
    FillErrorText();
    return 0;
  }
  errorText_.Empty();
  return 1;
}

bool COdbcStatement::BindAllParameters() {
  SQLLEN total = 0;
  for (OdbcParameterInfo& p : parameters_) {
    p.offset = total;
    if (!p.isLong) total += AlignUp(p.bufferLength);
  }
  parameterBuffer_.assign(static_cast<size_t>(total) + 1, 0);
  for (size_t i = 0; i < parameters_.size(); ++i) {
    OdbcParameterInfo& p = parameters_[i];
    SQLRETURN r;
    if (p.isLong) {
      p.data = nullptr;
      p.indicator = SQL_DATA_AT_EXEC;
      r = SQLBindParameter(stmt_, static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, p.cType, p.sqlType,
                           p.columnSize, p.decimalDigits, &p, 0, &p.indicator);
    } else {
      p.data = parameterBuffer_.data() + p.offset;
      p.indicator = p.bufferLength;
      r = SQLBindParameter(stmt_, static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, p.cType, p.sqlType,
                           p.columnSize, p.decimalDigits, p.data, p.bufferLength, &p.indicator);
    }
    if (!SqlSucceeded(r)) {
      FillErrorText();
      return false;
    }
  }
  return true;
}

bool COdbcStatement::DescribeParameters() {
  parameters_.clear();
  SQLSMALLINT count = 0;
  if (!SqlSucceeded(SQLNumParams(stmt_, &count))) {
    FillErrorText();
    return false;
  }
  if (count < 1) return false;
  parameters_.resize(static_cast<size_t>(count));
  for (SQLSMALLINT i = 0; i < count; ++i) {
    OdbcParameterInfo& p = parameters_[static_cast<size_t>(i)];
    SQLSMALLINT nullable = 0;
    if (!SqlSucceeded(SQLDescribeParam(stmt_, static_cast<SQLUSMALLINT>(i + 1), &p.sqlType, &p.columnSize,
                                       &p.decimalDigits, &nullable))) {
      FillErrorText();
      return false;
    }
    const OdbcBindingRule rule = BindingForSqlType(p.sqlType, p.columnSize);
    p.cType = rule.cType;
    p.bufferLength = rule.bufferLength;
    p.isLong = rule.isLong;
  }
  boundParameters_ = count;
  return BindAllParameters();
}

void COdbcStatement::AllocParameters(int count) {
  parameters_.assign(static_cast<size_t>(std::max(count, 0)), OdbcParameterInfo{});
  boundParameters_ = 0;
}

int COdbcStatement::BindParameter(int index, SQLSMALLINT sqlType, SQLSMALLINT cType, SQLLEN length,
                                  SQLULEN columnSize, SQLSMALLINT decimalDigits) {
  if (index < 0 || index >= static_cast<int>(parameters_.size())) {
    errorText_ = "Index Out Of Range";
    return 0;
  }
  if (boundParameters_ >= static_cast<int>(parameters_.size())) {
    errorText_ = "AllParameterAlreadyBound";
    return 0;
  }
  OdbcParameterInfo& p = parameters_[static_cast<size_t>(index)];
  p.sqlType = sqlType;
  p.cType = cType;
  p.bufferLength = length;
  p.columnSize = columnSize;
  p.decimalDigits = decimalDigits;
  if (++boundParameters_ < static_cast<int>(parameters_.size())) return 0;
  for (OdbcParameterInfo& q : parameters_) {
    const OdbcBindingRule rule = BindingForSqlType(q.sqlType, q.columnSize);
    q.isLong = rule.isLong;
    if (rule.isLong) {
      q.cType = rule.cType;
      q.bufferLength = 0;
    } else if (rule.bufferLength != 128 || q.sqlType == SQL_CHAR || q.sqlType == SQL_VARCHAR) {
      q.bufferLength = rule.bufferLength;
    }
  }
  return BindAllParameters() ? 1 : 0;
}

bool COdbcStatement::MoreResults() { return stmt_ && SqlSucceeded(SQLMoreResults(stmt_)); }

SQLLEN COdbcStatement::GetRowCount() {
  SQLLEN rows = -1;
  if (!stmt_ || !SqlSucceeded(SQLRowCount(stmt_, &rows))) return -1;
  return rows;
}

bool COdbcStatement::BindColumns(bool bindAsText) {
  Clear();
  bindAsText_ = bindAsText;
  if (!stmt_) return false;
  SQLSMALLINT count = 0;
  if (!SqlSucceeded(SQLNumResultCols(stmt_, &count))) FillErrorText();
  if (count < 1) return false;
  columns_.resize(static_cast<size_t>(count));
  longValues_.resize(static_cast<size_t>(count));
  SQLLEN total = 0;
  for (SQLSMALLINT i = 0; i < count; ++i) {
    OdbcColumnInfo& c = columns_[static_cast<size_t>(i)];
    SQLSMALLINT nameLength = 0, nullable = 0;
    if (!SqlSucceeded(SQLDescribeCol(stmt_, static_cast<SQLUSMALLINT>(i + 1), reinterpret_cast<SQLCHAR*>(c.name),
                                     sizeof c.name, &nameLength, &c.sqlType, &c.columnSize, &c.decimalDigits,
                                     &nullable))) {
      FillErrorText();
    }
    const OdbcBindingRule rule = BindingForSqlType(c.sqlType, c.columnSize);
    c.cType = rule.cType;
    c.bufferLength = rule.bufferLength;
    c.isLong = rule.isLong;
    if (bindAsText) {
      c.cType = SQL_C_CHAR;
      if (!c.isLong) c.bufferLength = TextBufferForSqlType(c.sqlType, c.columnSize);
    }
    c.offset = total;
    total += AlignUp(c.bufferLength);
  }
  rowBuffer_.assign(static_cast<size_t>(total + kRowSpare), 0);
  for (size_t i = 0; i < columns_.size(); ++i) {
    OdbcColumnInfo& c = columns_[i];
    SQLRETURN r;
    if (c.isLong) {
      c.data = nullptr;
      r = SQLBindCol(stmt_, static_cast<SQLUSMALLINT>(i + 1), c.cType, nullptr, 0, &c.indicator);
    } else {
      c.data = rowBuffer_.data() + c.offset;
      r = SQLBindCol(stmt_, static_cast<SQLUSMALLINT>(i + 1), c.cType, c.data, c.bufferLength, &c.indicator);
    }
    if (!SqlSucceeded(r)) FillErrorText();
  }
  return true;
}

int COdbcStatement::Cancel() {
  if (!stmt_ || !SqlSucceeded(SQLCancel(stmt_))) {
    FillErrorText();
    return 0;
  }
  errorText_.Empty();
  return 1;
}

int COdbcStatement::NativeSql(const char* sql, char* out, int size) {
  SQLINTEGER length = 0;
  // A writable copy: SQLite's driver rewrites the text it is given in place.
  std::string text = sql ? sql : "";
  if (!dbc_ || !out || size <= 0 ||
      !SqlSucceeded(SQLNativeSql(dbc_, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS,
                                 reinterpret_cast<SQLCHAR*>(out), size, &length))) {
    FillErrorText();
    return 0;
  }
  return 1;
}

// ---- Moving ------------------------------------------------------------------

bool COdbcStatement::Fetch(SQLUSMALLINT direction, SQLLEN offset) {
  if (cursor_ == OdbcCursor::kForwardOnly) {
    switch (direction) {
      case SQL_FETCH_NEXT: return ForwardTo(row_ + 1);
      case SQL_FETCH_FIRST: return ForwardTo(1);
      case SQL_FETCH_PRIOR: return ForwardTo(row_ - 1);
      case SQL_FETCH_ABSOLUTE: return ForwardTo(offset);
      case SQL_FETCH_RELATIVE: return ForwardTo(row_ + offset);
      default:
        // The last row is known only once the result has been read through.
        errorText_ = "Error:=0\nSql state:=HY106\nA forward-only result cannot move to its last row";
        return false;
    }
  }
  return DriverFetch(direction, offset);
}

bool COdbcStatement::ForwardTo(SQLLEN row) {
  if (row < 1) {
    ResetLongData();
    return false;
  }
  if (row <= row_) {
    if (SwitchToScrolling()) return RunAgain() && DriverFetch(SQL_FETCH_ABSOLUTE, row);
    if (!RunAgain()) return false;
  }
  while (row_ < row) {
    if (!DriverFetch(SQL_FETCH_NEXT, 0)) return false;
    ++row_;
  }
  return true;
}

bool COdbcStatement::SwitchToScrolling() {
  if (!stmt_) return false;
  SQLFreeStmt(stmt_, SQL_CLOSE);
  if (!SqlSucceeded(SQLSetStmtOption(stmt_, SQL_CURSOR_TYPE, SQL_CURSOR_STATIC))) return false;
  cursor_ = OdbcCursor::kScrolling;
  return true;
}

bool COdbcStatement::RunAgain() {
  if (prepared_) return Execute() != 0;
  if (directSql_.empty()) {
    errorText_ = "Error:=0\nSql state:=HY010\nThe statement has not been run";
    return false;
  }
  const std::string sql = directSql_;
  return ExecuteDirect(sql.c_str()) != 0;
}

bool COdbcStatement::DriverFetch(SQLUSMALLINT direction, SQLLEN offset) {
  ResetLongData();
  if (!stmt_) return false;
  SQLULEN rows = 0;
  SQLUSMALLINT status[1] = {};
  const SQLRETURN r = SQLExtendedFetch(stmt_, direction, offset, &rows, status);
  // A move that fails keeps the driver's reason; the ends of the result are
  // no failure.
  if (r == SQL_ERROR) FillErrorText();
  if (r == SQL_NO_DATA && dbc_) {
    // Some drivers answer a lost connection as the end of the result; the
    // connection's own state tells the two apart.
    SQLUINTEGER dead = SQL_CD_FALSE;
    if (SqlSucceeded(SQLGetConnectAttr(dbc_, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) && dead == SQL_CD_TRUE) {
      errorText_ = "Error:=0\nSql state:=08S01\nThe connection to the data source was lost";
      return false;
    }
  }
  return SqlSucceeded(r);
}

bool COdbcStatement::MoveFirst() { return Fetch(SQL_FETCH_FIRST, 0); }
bool COdbcStatement::MoveLast() { return Fetch(SQL_FETCH_LAST, 0); }
bool COdbcStatement::MoveNext() { return Fetch(SQL_FETCH_NEXT, 0); }
bool COdbcStatement::MovePrev() { return Fetch(SQL_FETCH_PRIOR, 0); }
bool COdbcStatement::MoveAbsolute(SQLLEN row) { return Fetch(SQL_FETCH_ABSOLUTE, row); }
bool COdbcStatement::MoveRelative(SQLLEN offset) { return Fetch(SQL_FETCH_RELATIVE, offset); }

SQLULEN COdbcStatement::GetRowNumber() {
  if (cursor_ == OdbcCursor::kForwardOnly) return static_cast<SQLULEN>(row_);
  SQLULEN row = 0;
  if (stmt_) SQLGetStmtOption(stmt_, SQL_ROW_NUMBER, &row);
  return row;
}

void COdbcStatement::ResetLongData() {
  for (size_t i = 0; i < columns_.size(); ++i) {
    OdbcColumnInfo& c = columns_[i];
    c.indicator = 0;
    if (c.isLong) {
      longValues_[i].clear();
      longValues_[i].shrink_to_fit();
      c.data = nullptr;
      c.bufferLength = 0;
    }
  }
}

bool COdbcStatement::ReadLongData(int index) {
  OdbcColumnInfo& c = columns_[static_cast<size_t>(index)];
  if (!c.isLong || c.data) return true;
  std::vector<uint8_t>& value = longValues_[static_cast<size_t>(index)];
  value.clear();
  const bool text = c.cType == SQL_C_CHAR;
  uint8_t chunk[kLongChunk];
  bool gotData = false;
  for (;;) {
    SQLLEN length = 0;
    const SQLRETURN r = SQLGetData(stmt_, static_cast<SQLUSMALLINT>(index + 1), c.cType, chunk, kLongChunk, &length);
    if (r == SQL_NO_DATA) break;
    if (!SqlSucceeded(r)) {
      value.clear();
      FillErrorText();
      return false;
    }
    if (length == SQL_NULL_DATA) break;
    gotData = true;
    SQLLEN piece;
    if (r == SQL_SUCCESS_WITH_INFO && (length == SQL_NO_TOTAL || length >= kLongChunk - (text ? 1 : 0))) {
      piece = text ? kLongChunk - 1 : kLongChunk;  // a full chunk
    } else {
      piece = std::min<SQLLEN>(length, text ? kLongChunk - 1 : kLongChunk);
    }
    value.insert(value.end(), chunk, chunk + piece);
    if (r == SQL_SUCCESS) break;
  }
  if (!gotData) {
    c.indicator = SQL_NULL_DATA;
    return true;
  }
  const SQLLEN length = static_cast<SQLLEN>(value.size());
  value.push_back(0);  // a long text can be handed out as text
  c.data = value.data();
  c.bufferLength = length;
  c.indicator = length;
  return true;
}

// ---- Column values ----------------------------------------------------------------

OdbcColumnInfo* COdbcStatement::Column(int index, const char* outOfRangeText) {
  if (index < 0 || index >= GetColumnCount()) {
    errorText_ = outOfRangeText;
    return nullptr;
  }
  return &columns_[static_cast<size_t>(index)];
}

const OdbcColumnInfo* COdbcStatement::GetColumnInfo(int index) { return Column(index, "Index Out Of Range"); }

int COdbcStatement::FindColumn(const char* name) const {
  if (!name) return -1;
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (strcasecmp(columns_[i].name, name) == 0) return static_cast<int>(i);
  }
  return -1;
}

int COdbcStatement::GetInt(int index) {
  const OdbcColumnInfo* column = Column(index, "Index Out Of Range");
  if (!column) return 0;
  const OdbcColumnInfo& c = *column;
  if (c.cType == SQL_C_LONG) return *static_cast<const SQLINTEGER*>(c.data);
  if (c.cType == SQL_C_DOUBLE) return static_cast<int>(*static_cast<const double*>(c.data));
  if (c.cType == SQL_C_CHAR && !c.isLong) return std::atoi(static_cast<const char*>(c.data));
  errorText_ = "TypeIsIncompatible";
  return 0;
}

double COdbcStatement::GetDouble(int index) {
  const OdbcColumnInfo* column = Column(index, "eIndexOutOfRange");
  if (!column) return 0.0;
  const OdbcColumnInfo& c = *column;
  if (c.cType == SQL_C_LONG) return *static_cast<const SQLINTEGER*>(c.data);
  if (c.cType == SQL_C_DOUBLE) return *static_cast<const double*>(c.data);
  if (c.cType == SQL_C_CHAR && !c.isLong) return std::atof(static_cast<const char*>(c.data));
  errorText_ = "eTypeIsIncompatible";
  return 0.0;
}

const char* COdbcStatement::GetText(int index) {
  OdbcColumnInfo* column = Column(index, "IndexOutOfRange");
  if (!column) return nullptr;
  OdbcColumnInfo& c = *column;
  if (c.isLong && c.cType == SQL_C_CHAR && !ReadLongData(index)) return nullptr;
  if (IsNull(index)) {
    valueText_ = "(null)";
    return valueText_.GetData();
  }
  char buffer[1024] = {};
  switch (c.cType) {
    case SQL_C_CHAR:
      return static_cast<const char*>(c.data);
    case SQL_C_LONG:
      valueText_.Format("%i", static_cast<int>(*static_cast<const SQLINTEGER*>(c.data)));
      break;
    case SQL_C_DOUBLE:
      valueText_ = FormatDoubleColumn(c.sqlType, c.decimalDigits, *static_cast<const double*>(c.data)).c_str();
      break;
    case SQL_C_DATE:
    case SQL_C_TIMESTAMP: {
      const auto* d = static_cast<const DATE_STRUCT*>(c.data);
      SYSTEMTIME t{};
      t.wYear = static_cast<WORD>(d->year);
      t.wMonth = d->month;
      t.wDay = d->day;
      int n = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, buffer, sizeof buffer);
      if (c.cType == SQL_C_TIMESTAMP && n > 0) {
        const auto* ts = static_cast<const TIMESTAMP_STRUCT*>(c.data);
        t.wHour = ts->hour;
        t.wMinute = ts->minute;
        t.wSecond = ts->second;
        buffer[n - 1] = ' ';
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, buffer + n, static_cast<int>(sizeof buffer) - n);
      }
      valueText_ = buffer;
      break;
    }
    case SQL_C_GUID: {
      const auto* g = static_cast<const SQLGUID*>(c.data);
      valueText_.Format("%08X-%04X-%04X-%04X-%02X%02X%02X%02X%02X%02X", static_cast<unsigned>(g->Data1),
                        g->Data2, g->Data3, (g->Data4[0] << 8) | g->Data4[1], g->Data4[2], g->Data4[3],
                        g->Data4[4], g->Data4[5], g->Data4[6], g->Data4[7]);
      break;
    }
    default:
      errorText_ = "eTypeIsIncompatible";
      return nullptr;
  }
  return valueText_.GetData();
}

SQLLEN COdbcStatement::GetLength(int index) {
  OdbcColumnInfo* column = Column(index, "eIndexOutOfRange");
  if (!column) return 0;
  OdbcColumnInfo& c = *column;
  if (!c.isLong) return c.indicator;
  if (!ReadLongData(index)) return 0;
  return c.bufferLength;
}

const void* COdbcStatement::GetData(int index) {
  OdbcColumnInfo* column = Column(index, "eIndexOutOfRange");
  if (!column) return nullptr;
  OdbcColumnInfo& c = *column;
  if (c.isLong && !ReadLongData(index)) return nullptr;
  return c.data;
}

bool COdbcStatement::IsNull(int index) {
  OdbcColumnInfo* column = Column(index, "eIndexOutOfRange");
  if (!column) return false;
  OdbcColumnInfo& c = *column;
  // A long column's NULL shows only when it is read.
  if (c.isLong && !c.data && !ReadLongData(index)) return false;
  return c.indicator == SQL_NULL_DATA;
}

const DATE_STRUCT* COdbcStatement::GetDate(int index) {
  const OdbcColumnInfo* column = Column(index, "eIndexOutOfRange");
  if (!column) return nullptr;
  const OdbcColumnInfo& c = *column;
  if (c.cType == SQL_C_DATE || c.cType == SQL_C_TIMESTAMP) return static_cast<const DATE_STRUCT*>(c.data);
  errorText_ = "eTypeIsIncompatible";
  return nullptr;
}

const TIMESTAMP_STRUCT* COdbcStatement::GetTimestamp(int index) {
  const OdbcColumnInfo* column = Column(index, "eIndexOutOfRange");
  if (!column) return nullptr;
  const OdbcColumnInfo& c = *column;
  if (c.cType == SQL_C_TIMESTAMP) return static_cast<const TIMESTAMP_STRUCT*>(c.data);
  errorText_ = "eTypeIsIncompatible";
  return nullptr;
}

const SQLGUID* COdbcStatement::GetGuid(int index) {
  const OdbcColumnInfo* column = Column(index, "Index Out Of Range");
  if (!column) return nullptr;
  const OdbcColumnInfo& c = *column;
  if (c.cType == SQL_C_GUID) return static_cast<const SQLGUID*>(c.data);
  errorText_ = "eTypeIsIncompatible";
  return nullptr;
}

int COdbcStatement::ColumnByName(const char* name) {
  const int index = FindColumn(name);
  if (index < 0) errorText_ = "eFieldNotFound";
  return index;
}

int COdbcStatement::GetInt(const char* name) {
  const int i = ColumnByName(name);
  return i < 0 ? 0 : GetInt(i);
}
double COdbcStatement::GetDouble(const char* name) {
  const int i = ColumnByName(name);
  return i < 0 ? 0.0 : GetDouble(i);
}
const char* COdbcStatement::GetText(const char* name) {
  const int i = ColumnByName(name);
  return i < 0 ? nullptr : GetText(i);
}
SQLLEN COdbcStatement::GetLength(const char* name) {
  const int i = ColumnByName(name);
  return i < 0 ? 0 : GetLength(i);
}
const void* COdbcStatement::GetData(const char* name) {
  const int i = ColumnByName(name);
  return i < 0 ? nullptr : GetData(i);
}
bool COdbcStatement::IsNull(const char* name) {
  const int i = ColumnByName(name);
  return i < 0 ? false : IsNull(i);
}
const DATE_STRUCT* COdbcStatement::GetDate(const char* name) {
  const int i = ColumnByName(name);
  return i < 0 ? nullptr : GetDate(i);
}
const TIMESTAMP_STRUCT* COdbcStatement::GetTimestamp(const char* name) {
  const int i = ColumnByName(name);
  return i < 0 ? nullptr : GetTimestamp(i);
}
const SQLGUID* COdbcStatement::GetGuid(const char* name) {
  const int i = ColumnByName(name);
  return i < 0 ? nullptr : GetGuid(i);
}

// ---- Parameter values ----------------------------------------------------------------

OdbcParameterInfo* COdbcStatement::Parameter(int index, const char* outOfRangeText) {
  if (index < 0 || index >= static_cast<int>(parameters_.size()) || parameterBuffer_.empty()) {
    errorText_ = outOfRangeText;
    return nullptr;
  }
  return &parameters_[static_cast<size_t>(index)];
}

int COdbcStatement::SetParamInt(int index, int value) {
  OdbcParameterInfo* p = Parameter(index, "Index Out Of Range");
  if (!p) return 0;
  if (p->cType == SQL_C_LONG) {
    const SQLINTEGER v = value;
    std::memcpy(p->data, &v, sizeof v);
  } else if (p->cType == SQL_C_DOUBLE) {
    const double v = value;
    std::memcpy(p->data, &v, sizeof v);
  } else {
    errorText_ = "Type is incompatible.";
    return 0;
  }
  return 1;
}

int COdbcStatement::SetParamDouble(int index, double value) {
  OdbcParameterInfo* p = Parameter(index, "Index Out Of Range");
  if (!p) return 0;
  if (p->cType == SQL_C_LONG) {
    const SQLINTEGER v = static_cast<SQLINTEGER>(value);
    std::memcpy(p->data, &v, sizeof v);
  } else if (p->cType == SQL_C_DOUBLE) {
    std::memcpy(p->data, &value, sizeof value);
  } else {
    errorText_ = "eTypeIsIncompatible";
    return 0;
  }
  return 1;
}

int COdbcStatement::SetParamText(int index, const char* text) {
  OdbcParameterInfo* p = Parameter(index, "eIndexOutOfRange");
  if (!p) return 0;
  if (!text) text = "";
  if (p->cType == SQL_C_LONG) return SetParamInt(index, std::atoi(text));
  if (p->cType == SQL_C_DOUBLE) return SetParamDouble(index, std::atof(text));
  if (p->cType != SQL_C_CHAR && p->cType != SQL_C_BINARY) {
    errorText_ = "eTypeIsIncompatible";
    return 0;
  }
  const SQLLEN length = static_cast<SQLLEN>(std::strlen(text));
  if (p->isLong) return SetParamBinary(index, text, length);
  // Text leaves room for its terminator; bytes fill the buffer.
  const SQLLEN room = p->cType == SQL_C_CHAR ? p->bufferLength - 1 : p->bufferLength;
  const SQLLEN copied = std::clamp<SQLLEN>(length, 0, std::max<SQLLEN>(room, 0));
  std::memcpy(p->data, text, static_cast<size_t>(copied));
  if (p->cType == SQL_C_CHAR && p->bufferLength > 0) static_cast<char*>(p->data)[copied] = 0;
  p->indicator = copied;
  return 1;
}

int COdbcStatement::SetParamBinary(int index, const void* data, SQLLEN count) {
  OdbcParameterInfo* p = Parameter(index, "eIndexOutOfRange");
  if (!p) return 0;
  if (p->cType != SQL_C_BINARY && !(p->isLong && p->cType == SQL_C_CHAR)) {
    errorText_ = "eTypeIsIncompatible";
    return 0;
  }
  count = std::max<SQLLEN>(count, 0);
  if (p->isLong) {
    // The parameter keeps its own copy, bound in place of data at execution.
    const auto* bytes = static_cast<const uint8_t*>(data);
    p->longValue.assign(bytes, bytes + count);
    p->indicator = count;
    const SQLRETURN r = SQLBindParameter(stmt_, static_cast<SQLUSMALLINT>(index + 1), SQL_PARAM_INPUT, p->cType,
                                         p->sqlType, std::max<SQLULEN>(p->columnSize, static_cast<SQLULEN>(count)),
                                         p->decimalDigits, p->longValue.empty() ? nullptr : p->longValue.data(),
                                         count, &p->indicator);
    if (!SqlSucceeded(r)) {
      FillErrorText();
      return 0;
    }
    return 1;
  }
  const SQLLEN copied = std::min(count, p->bufferLength);
  std::memcpy(p->data, data, static_cast<size_t>(copied));
  p->indicator = copied;
  return 1;
}

int COdbcStatement::SetParamDate(int index, const DATE_STRUCT& date) {
  OdbcParameterInfo* p = Parameter(index, "Index Out Of Range");
  if (!p) return 0;
  if (p->cType == SQL_C_DATE) {
    std::memcpy(p->data, &date, sizeof date);
  } else if (p->cType == SQL_C_TIMESTAMP) {
    TIMESTAMP_STRUCT ts{};
    ts.year = date.year;
    ts.month = date.month;
    ts.day = date.day;
    std::memcpy(p->data, &ts, sizeof ts);
  } else {
    errorText_ = "eTypeIsIncompatible";
    return 0;
  }
  return 1;
}

int COdbcStatement::SetParamDateTime(int index, const TIMESTAMP_STRUCT& timestamp) {
  OdbcParameterInfo* p = Parameter(index, "Index Out Of Range");
  if (!p) return 0;
  if (p->cType == SQL_C_DATE) {
    const DATE_STRUCT d{timestamp.year, timestamp.month, timestamp.day};
    std::memcpy(p->data, &d, sizeof d);
  } else if (p->cType == SQL_C_TIMESTAMP) {
    std::memcpy(p->data, &timestamp, sizeof timestamp);
  } else {
    errorText_ = "eTypeIsIncompatible";
    return 0;
  }
  return 1;
}

int COdbcStatement::SetParamGuid(int index, const SQLGUID& guid) {
  OdbcParameterInfo* p = Parameter(index, "Index Out Of Range");
  if (!p) return 0;
  if (p->cType != SQL_C_GUID) {
    errorText_ = "eTypeIsIncompatible";
    return 0;
  }
  std::memcpy(p->data, &guid, sizeof guid);
  return 1;
}

int COdbcStatement::SetParamNull(int index) {
  OdbcParameterInfo* p = Parameter(index, "Index Out Of Range");
  if (!p) return 0;
  p->indicator = SQL_NULL_DATA;
  return 1;
}
