// CRowSorter: a view of a result cache's rows in the order of one column.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <tuple>

#include "datasource/result_cache.h"
#include "foundation/string/file_records.h"

namespace {

constexpr size_t kLinearBelow = 6;

template <class T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

auto DateKey(const DATE_STRUCT& d) { return std::make_tuple(d.year, d.month, d.day); }
auto TimestampKey(const TIMESTAMP_STRUCT& t) {
  return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute, t.second, t.fraction);
}

std::string GuidText(const SQLGUID& g) {
  char text[40];
  std::snprintf(text, sizeof text, "%08X-%04X-%04X-%04X-%02X%02X%02X%02X%02X%02X", static_cast<unsigned>(g.Data1),
                g.Data2, g.Data3, (g.Data4[0] << 8) | g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5],
                g.Data4[6], g.Data4[7]);
  return text;
}

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

}  // namespace

CRowSorter::CRowSorter(COdbcRecordset& recordset, int column, Progress progress, void* context)
    : recordset_(recordset), kind_(recordset.GetColumnInfo(column)->kind), column_(column) {
  const int rows = recordset.GetRowCount();
  rows_.reserve(static_cast<size_t>(rows));
  for (int row = 1; row <= rows; ++row) {
    if (progress && !progress(row, rows, context)) throw CGCursorEx(9);
    Insert(row);
  }
  recordset_.AddSorter(this);
}

CRowSorter::CRowSorter(COdbcRecordset& recordset, const char* indexPath) : recordset_(recordset) {
  FilePtr f = OpenFile(indexPath, "rb");
  if (!f) throw CGCursorEx(1, indexPath);
  int32_t count = 0, column = 0;
  if (!ReadInt32(f.get(), &count) || !ReadInt32(f.get(), &column)) throw CGCursorEx(8, 0);
  // The count is held to what the file holds, each row to the recordset's rows.
  const long left = BytesLeftInFile(f.get());
  if (count < 0 || (left >= 0 && static_cast<long long>(count) * 4 > left)) throw CGCursorEx(8, 0);
  kind_ = recordset.GetColumnInfo(column)->kind;
  column_ = column;
  rows_.resize(static_cast<size_t>(count));
  for (int32_t& row : rows_) {
    if (!ReadInt32(f.get(), &row)) throw CGCursorEx(8, 0);
    if (row < 1 || row > recordset.GetRowCount()) throw CGCursorEx(8, row);
  }
  recordset_.AddSorter(this);
}

CRowSorter::~CRowSorter() { recordset_.RemoveSorter(this); }

void CRowSorter::Save(const char* indexPath) const {
  FilePtr f = OpenFile(indexPath, "wb");
  if (!f) throw CGCursorEx(1, indexPath);
  bool ok = WriteInt32(f.get(), static_cast<int32_t>(rows_.size())) && WriteInt32(f.get(), column_);
  for (size_t i = 0; ok && i < rows_.size(); ++i) ok = WriteInt32(f.get(), rows_[i]);
  ok = std::fflush(f.get()) == 0 && ok;
  if (!ok) throw CGCursorEx(4);
}

void CRowSorter::MoveTo(int position) {
  if (position < 1 || position > static_cast<int>(rows_.size())) throw CGCursorEx(5, position);
  recordset_.MoveTo(rows_[static_cast<size_t>(position - 1)]);
}

int CRowSorter::CompareRows(int a, int b) {
  COdbcRecordset& r = recordset_;
  r.MoveTo(a);
  const bool nullA = r.IsNull(column_);
  int intA = 0;
  double doubleA = 0;
  std::string textA;
  DATE_STRUCT dateA{};
  TIMESTAMP_STRUCT stampA{};
  if (!nullA) {
    switch (kind_) {
      case kCacheInt: intA = r.GetInt(column_); break;
      case kCacheDouble: doubleA = r.GetDouble(column_); break;
      case kCacheText: textA = r.GetText(column_); break;
      case kCacheDate: dateA = *r.GetDate(column_); break;
      case kCacheTimestamp: stampA = *r.GetTimestamp(column_); break;
      case kCacheGuid: textA = GuidText(*r.GetGuid(column_)); break;
      default: break;
    }
  }
  r.MoveTo(b);
  const bool nullB = r.IsNull(column_);
  if (nullA || nullB) return nullA && nullB ? 0 : (nullA ? -1 : 1);
  switch (kind_) {
    case kCacheInt: return Order(intA, r.GetInt(column_));
    case kCacheDouble: return Order(doubleA, r.GetDouble(column_));
    case kCacheText: return Sign(std::strcmp(textA.c_str(), r.GetText(column_)));
    case kCacheDate: return Order(DateKey(dateA), DateKey(*r.GetDate(column_)));
    case kCacheTimestamp: return Order(TimestampKey(stampA), TimestampKey(*r.GetTimestamp(column_)));
    case kCacheGuid: return Sign(std::strcmp(textA.c_str(), GuidText(*r.GetGuid(column_)).c_str()));
    default: return 0;  // bytes and long values keep the order they came in
  }
}

void CRowSorter::Insert(int row) {
  size_t lo = 0, hi = rows_.empty() ? 0 : rows_.size() - 1;
  if (rows_.size() > 2) {
    while (hi - lo > kLinearBelow) {
      const size_t mid = lo + (hi - lo) / 2;
      if (CompareRows(row, rows_[mid]) < 0) hi = mid;
      else lo = mid;
    }
  }
  size_t at = rows_.empty() ? 0 : hi + 1;
  for (size_t i = lo; !rows_.empty() && i <= hi; ++i) {
    if (CompareRows(row, rows_[i]) < 0) {
      at = i;
      break;
    }
  }
  rows_.insert(rows_.begin() + static_cast<long>(at), row);
}

void CRowSorter::Remove(int row) {
  const auto it = std::find(rows_.begin(), rows_.end(), row);
  if (it != rows_.end()) rows_.erase(it);
}

int CRowSorter::FindRow(int row) const {
  const auto it = std::find(rows_.begin(), rows_.end(), row);
  return it == rows_.end() ? 0 : static_cast<int>(it - rows_.begin()) + 1;
}

// Binary search: compare(row) answers the row's value against the wanted one
// (-1 smaller, 0 equal, 1 greater; a NULL row is smaller than any value).
// The first of the equal rows is found.
template <class Cmp>
int CRowSorter::Find(Cmp compare) {
  size_t lo = 0, hi = rows_.size();
  while (lo < hi) {
    const size_t mid = lo + (hi - lo - 1) / 2;
    const int c = compare(rows_[mid]);
    if (c == 0) {
      size_t first = mid;
      while (first > 0 && compare(rows_[first - 1]) == 0) --first;
      return static_cast<int>(first) + 1;
    }
    if (c < 0) lo = mid + 1;
    else hi = mid;
  }
  return -1;
}

int CRowSorter::FindInt(int value) {
  return Find([&](int row) {
    recordset_.MoveTo(row);
    return recordset_.IsNull(column_) ? -1 : Order(recordset_.GetInt(column_), value);
  });
}

int CRowSorter::FindDouble(double value) {
  return Find([&](int row) {
    recordset_.MoveTo(row);
    return recordset_.IsNull(column_) ? -1 : Order(recordset_.GetDouble(column_), value);
  });
}

int CRowSorter::FindText(const char* text, bool exact) {
  const size_t n = std::strlen(text ? text : "");
  return Find([&](int row) {
    recordset_.MoveTo(row);
    if (recordset_.IsNull(column_)) return -1;
    const char* value = recordset_.GetText(column_);
    return Sign(exact ? std::strcmp(value, text) : std::strncmp(value, text, n));
  });
}

int CRowSorter::FindDate(const DATE_STRUCT& date) {
  return Find([&](int row) {
    recordset_.MoveTo(row);
    return recordset_.IsNull(column_) ? -1 : Order(DateKey(*recordset_.GetDate(column_)), DateKey(date));
  });
}

int CRowSorter::FindTimestamp(const TIMESTAMP_STRUCT& value) {
  return Find([&](int row) {
    recordset_.MoveTo(row);
    return recordset_.IsNull(column_) ? -1
                                      : Order(TimestampKey(*recordset_.GetTimestamp(column_)), TimestampKey(value));
  });
}

int CRowSorter::FindGuid(const SQLGUID& guid) {
  const std::string wanted = GuidText(guid);
  return Find([&](int row) {
    recordset_.MoveTo(row);
    return recordset_.IsNull(column_) ? -1 : Sign(GuidText(*recordset_.GetGuid(column_)).compare(wanted));
  });
}
