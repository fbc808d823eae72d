#include "datasource/ui/records/record_rows.h"

#include <algorithm>

#include "datasource/odbc_statement.h"
#include "fields/services/db_binding_map.h"

bool RecordRows::Open(COdbcConnection& connection, const AString& select, const AString& reversed, long long records,
                      AString* why) {
  connection_ = &connection;
  select_.assign(select.IsEmpty() ? "" : select.GetData(), static_cast<size_t>(select.GetLength()));
  reversed_.assign(reversed.IsEmpty() ? "" : reversed.GetData(), static_cast<size_t>(reversed.GetLength()));
  reads_ = reversedReads_ = 0;
  records_ = std::max(records, 0LL);
  blocks_.clear();
  columns_.clear();
  scrolling_.reset();
  std::vector<Block> first;
  if (ReadWindow(0, kBlockRows, &first)) {
    if (first.front().rows > 0) blocks_.emplace(0, std::move(first.front()));
    return true;
  }
  // No LIMIT and OFFSET here: one scrolling cursor serves every window.
  scrolling_ = OdbcStatementPtr(connection.OpenQuery(select_.c_str(), true, OdbcCursor::kScrolling),
                                OdbcStatementDeleter{&connection});
  if (!scrolling_) {
    *why = connection.GetErrorText();
    return false;
  }
  NoteColumns(*scrolling_);
  return true;
}

void RecordRows::NoteColumns(COdbcStatement& statement) {
  if (!columns_.empty()) return;
  for (int c = 0; c < statement.GetColumnCount(); ++c) {
    const OdbcColumnInfo* info = statement.GetColumnInfo(c);
    columns_.push_back({AString(info->name), info->sqlType, info->bufferLength});
  }
}

bool RecordRows::ReadWindow(long long firstRow, long long rows, std::vector<Block>* out) {
  ++reads_;
  OdbcStatementPtr windowed{nullptr, OdbcStatementDeleter{connection_}};
  COdbcStatement* statement = scrolling_.get();
  // The rows after the window: when they are fewer than those before it, the
  // window is read from the end, last row first.
  const long long after = records_ - (firstRow + rows);
  const bool fromEnd = !statement && !reversed_.empty() && firstRow > 0 && after < firstRow;
  if (!statement) {
    const std::string sql = fromEnd ? reversed_ + " LIMIT " + std::to_string(rows + std::min(after, 0LL)) + " OFFSET " +
                                          std::to_string(std::max(after, 0LL))
                                    : select_ + " LIMIT " + std::to_string(rows) + " OFFSET " + std::to_string(firstRow);
    windowed.reset(connection_->OpenQuery(sql.c_str(), true, OdbcCursor::kForwardOnly));
    if (!windowed) return false;
    statement = windowed.get();
    NoteColumns(*statement);
    if (fromEnd) ++reversedReads_;
  }
  const int columns = static_cast<int>(columns_.size());
  // The window's rows in the table's order, then cut into blocks.
  std::vector<std::vector<Cell>> read;
  bool more = scrolling_ ? statement->MoveAbsolute(static_cast<SQLLEN>(firstRow + 1)) : statement->MoveFirst();
  for (; more && static_cast<long long>(read.size()) < rows; more = statement->MoveNext()) {
    std::vector<Cell>& row = read.emplace_back(static_cast<size_t>(columns));
    for (int c = 0; c < columns; ++c) {
      row[static_cast<size_t>(c)].null = statement->IsNull(c);
      if (!row[static_cast<size_t>(c)].null) row[static_cast<size_t>(c)].text = AString(statement->GetText(c));
    }
  }
  if (fromEnd) std::reverse(read.begin(), read.end());
  for (size_t first = 0; first < read.size(); first += kBlockRows) {
    Block block;
    for (size_t r = first; r < read.size() && r < first + kBlockRows; ++r, ++block.rows)
      for (Cell& cell : read[r]) block.cells.push_back(std::move(cell));
    out->push_back(std::move(block));
  }
  if (out->empty()) out->emplace_back();
  return true;
}

bool RecordRows::ReadBlocks(long long first, long long last) {
  std::vector<Block> read;
  if (!ReadWindow(first * kBlockRows, (last - first + 1) * kBlockRows, &read)) return false;
  for (size_t i = 0; i < read.size(); ++i) {
    if (read[i].rows == 0) break;
    read[i].used = ++clock_;
    blocks_[first + static_cast<long long>(i)] = std::move(read[i]);
  }
  Evict(first, last);
  return true;
}

void RecordRows::Evict(long long keepFirst, long long keepLast) {
  while (static_cast<int>(blocks_.size()) > kMaxBlocks) {
    auto oldest = blocks_.end();
    for (auto it = blocks_.begin(); it != blocks_.end(); ++it)
      if ((it->first < keepFirst || it->first > keepLast) && (oldest == blocks_.end() || it->second.used < oldest->second.used))
        oldest = it;
    if (oldest == blocks_.end()) return;
    blocks_.erase(oldest);
  }
}

void RecordRows::Load(long long first, long long count) {
  if (!connection_ || count <= 0 || first >= records_) return;
  first = std::max(first, 0LL);
  const long long lastBlock = (std::min(first + count, records_) - 1) / kBlockRows;
  // Each run of missing blocks in one window; held blocks count as used.
  for (long long b = first / kBlockRows; b <= lastBlock; ++b) {
    if (auto held = blocks_.find(b); held != blocks_.end()) {
      held->second.used = ++clock_;
      continue;
    }
    long long end = b;
    while (end < lastBlock && !blocks_.contains(end + 1)) ++end;
    if (!ReadBlocks(b, end)) return;
    b = end;
  }
}

const RecordRows::Cell* RecordRows::Get(long long row, int column) {
  if (row < 0 || row >= records_ || column < 0 || column >= static_cast<int>(columns_.size())) return nullptr;
  const long long b = row / kBlockRows;
  auto held = blocks_.find(b);
  if (held == blocks_.end()) {
    readAhead_ = b == nextBlock_ ? std::min<long long>(readAhead_ * 2, kMaxBlocks / 2) : 1;
    const long long lastBlock = (records_ - 1) / kBlockRows;
    long long end = b;
    while (end < lastBlock && end - b + 1 < readAhead_ && !blocks_.contains(end + 1)) ++end;
    if (!ReadBlocks(b, end)) return nullptr;
    nextBlock_ = end + 1;
    held = blocks_.find(b);
    if (held == blocks_.end()) return nullptr;
  }
  Block& block = held->second;
  block.used = ++clock_;
  const long long inBlock = row - b * kBlockRows;
  if (inBlock >= block.rows) return nullptr;
  return &block.cells[static_cast<size_t>(inBlock * static_cast<long long>(columns_.size()) + column)];
}

bool RecordRows::KeyOf(long long row, const std::vector<int>& indexes, std::string* key) {
  key->clear();
  for (const int i : indexes) {
    const Cell* cell = Get(row, i);
    if (!cell) return false;
    AppendRecordKeyValue(key, cell->null ? nullptr : cell->text.GetData(),
                         cell->null ? 0 : static_cast<size_t>(cell->text.GetLength()));
  }
  return !indexes.empty();
}

long long RecordRows::LoadedRows() const {
  long long rows = 0;
  for (const auto& [index, block] : blocks_) rows += block.rows;
  return rows;
}
