// The records of a table's ordered query, read a window at a time as they are
// shown and kept in blocks of rows, at most kMaxBlocks of them (the least
// recently used give way): memory follows the rows shown, not the table.
// Windows are asked of the database with LIMIT and OFFSET (SQLite,
// PostgreSQL, MySQL), a window in the table's second half from its end in the
// reversed order, so no window makes the database step over more than half
// the table; for a driver that refuses them one scrolling cursor is moved to
// each window instead.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "datasource/odbc_connection.h"
#include "foundation/string/astring.h"

class RecordRows {
 public:
  static constexpr int kBlockRows = 100;
  static constexpr int kMaxBlocks = 64;

  struct Cell {
    AString text;
    bool null = true;
  };
  struct Column {
    AString name;
    SQLSMALLINT sqlType = 0;
    SQLLEN bufferLength = 0;
  };

  RecordRows() = default;
  RecordRows(const RecordRows&) = delete;
  RecordRows& operator=(const RecordRows&) = delete;

  // Prepares to read `records` records of `select` (a query without LIMIT)
  // and reads the first window: false with the driver's reason in *why when
  // the query fails. `reversed` is the same query in the reverse order
  // (BuildDbSelect's DbOrder::kReversed), or empty to read every window
  // from the start.
  bool Open(COdbcConnection& connection, const AString& select, const AString& reversed, long long records,
            AString* why);
  // The result's columns.
  const std::vector<Column>& Columns() const { return columns_; }
  // True when rows are windows of their own query (not a scrolling cursor).
  bool Windowed() const { return !scrolling_; }

  // Reads the rows [first, first + count) (0-based) not held yet.
  void Load(long long first, long long count);
  // The cell of row `row` (0-based), reading its block when it is not held;
  // null when the row cannot be read.
  const Cell* Get(long long row, int column);
  // The key of row `row` over the result columns `indexes` (see
  // AppendRecordKeyValue); false when the row cannot be read.
  bool KeyOf(long long row, const std::vector<int>& indexes, std::string* key);
  // Rows held now.
  long long LoadedRows() const;
  // Windows read from the database so far.
  long long Reads() const { return reads_; }
  // Of those, the windows read from the end in the reversed order.
  long long ReversedReads() const { return reversedReads_; }

 private:
  struct Block {
    std::vector<Cell> cells;  // rows * columns, row by row
    int rows = 0;
    uint64_t used = 0;
  };
  // Reads blocks [first, last] in one window.
  bool ReadBlocks(long long first, long long last);
  bool ReadWindow(long long firstRow, long long rows, std::vector<Block>* out);
  void Evict(long long keepFirst, long long keepLast);
  void NoteColumns(COdbcStatement& statement);

  COdbcConnection* connection_ = nullptr;
  std::string select_;
  std::string reversed_;
  long long records_ = 0;
  std::vector<Column> columns_;
  std::map<long long, Block> blocks_;
  uint64_t clock_ = 0;
  long long reads_ = 0;
  long long reversedReads_ = 0;
  // Reading on from where the last window ended makes the next window longer
  // (up to half the blocks held), so a search through the whole table costs
  // few queries.
  long long nextBlock_ = -1;
  long long readAhead_ = 1;
  OdbcStatementPtr scrolling_{nullptr, OdbcStatementDeleter{nullptr}};
};
