// COdbcRecordset: a client-side copy of a query result in a file of
// fixed-length records (long values in a companion ".lob" file), visited by
// row number, read and changed by column, appended to, and kept in sorted
// views (CRowSorter) that follow every update. CGCursorEx is what both throw.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "datasource/odbc_api.h"
#include "foundation/string/astring.h"

// A failure of the result cache or its views: a code and a message.
//   1 a file cannot be opened or created (the file name)
//   2 no columns
//   3 a column type the cache cannot hold (the C type or kind)
//   4 a short write
//   5 no such row or position, or no current record (the number, or 0)
//   6 a column index out of range (the index)
//   7 a value access of the wrong kind
//   8 a short read, or a file that contradicts itself (the row, or none)
//   9 building a sorted view was cancelled
//  10 an unknown column name (the name)
class CGCursorEx {
 public:
  explicit CGCursorEx(int code);
  CGCursorEx(int code, int number);
  CGCursorEx(int code, const char* text);
  int GetCode() const { return code_; }
  const AString& GetMessage() const { return message_; }

 private:
  int code_;
  AString message_;
};

enum CacheKind : int32_t {
  kCacheInt = 0,
  kCacheText = 1,
  kCacheBinary = 2,
  kCacheDouble = 3,
  kCacheDate = 4,
  kCacheTimestamp = 5,
  kCacheGuid = 6,
  kCacheLongText = 7,
  kCacheLongBinary = 8,
};

// The 272-byte column descriptor of the cache file.
struct CacheColumn {
  char name[260] = {};
  int32_t kind = 0;
  int32_t length = 0;
  int32_t decimalDigits = 0;
};

class COdbcStatement;
class CRowSorter;

class COdbcRecordset {
 public:
  // Copies every row of a bound statement; a temporary cache without a path.
  COdbcRecordset(COdbcStatement& statement, const char* path);
  // An empty cache of the given columns.
  COdbcRecordset(const std::vector<CacheColumn>& columns, const char* path);
  // Opens a cache that an earlier recordset kept.
  explicit COdbcRecordset(const char* path);
  ~COdbcRecordset();
  COdbcRecordset(const COdbcRecordset&) = delete;
  COdbcRecordset& operator=(const COdbcRecordset&) = delete;

  void MoveTo(int row);
  int GetRowCount() const { return rowCount_; }
  int GetCurrentRow() const { return currentRow_; }
  int GetColumnCount() const { return static_cast<int>(columns_.size()); }
  const CacheColumn* GetColumnInfo(int index) const;
  int FindColumn(const char* name) const;
  const std::string& GetPath() const { return path_; }

  bool IsDeleted() const { return status() == 'D'; }
  bool IsNew() const { return status() == 'N'; }
  bool IsUpdated() const { return status() == 'U'; }
  bool IsNull(int index);
  int GetInt(int index);
  double GetDouble(int index);
  const char* GetText(int index);
  // The structured values: a copy, valid until the next call of the same getter.
  const DATE_STRUCT* GetDate(int index);
  const TIMESTAMP_STRUCT* GetTimestamp(int index);
  const SQLGUID* GetGuid(int index);
  const void* GetData(int index);
  int GetLength(int index);

  int GetInt(const char* name) { return GetInt(Named(name)); }
  double GetDouble(const char* name) { return GetDouble(Named(name)); }
  const char* GetText(const char* name) { return GetText(Named(name)); }
  bool IsNull(const char* name) { return IsNull(Named(name)); }

  void SetInt(int index, int value);
  void SetDouble(int index, double value);
  void SetText(int index, const char* text);
  void SetBinary(int index, const void* bytes, int count);
  void SetDate(int index, const DATE_STRUCT& date);
  void SetDateTime(int index, const TIMESTAMP_STRUCT& value);
  void SetGuid(int index, const SQLGUID& guid);
  void SetNotNull(int index);
  void SetInt(const char* name, int value) { SetInt(Named(name), value); }
  void SetText(const char* name, const char* text) { SetText(Named(name), text); }

  void AddNew();
  void Update();
  void Delete();
  void AddSorter(CRowSorter* sorter);
  void RemoveSorter(CRowSorter* sorter);

 private:
  struct Slot {
    size_t presence = 0;          // place of the presence byte in the record
    std::vector<uint8_t> longValue;  // loaded or newly set
    bool longLoaded = false;
    bool changed = false;
  };
  void OpenFiles(const char* path, const char* mode);
  // Closes both files; a temporary cache's files are removed.
  void Release();
  void WriteHeader();
  void LayOutColumns();
  int Named(const char* name) const;
  char status() const { return record_.empty() ? 0 : static_cast<char>(record_[0]); }
  Slot& Readable(int index, int kindMask);
  Slot& Writable(int index, int kindMask);
  uint8_t* Value(const Slot& slot) { return record_.data() + slot.presence + 1; }
  void LoadLong(int index);
  void FreeLongValues();
  long long RecordOffset(int row) const;

  std::string path_;
  std::string lobPath_;
  bool keepFiles_ = false;
  FILE* file_ = nullptr;
  FILE* lob_ = nullptr;
  long long lobSize_ = 0;
  int rowCount_ = 0;
  int currentRow_ = 0;
  std::vector<CacheColumn> columns_;
  std::vector<Slot> slots_;
  std::vector<uint8_t> record_;
  int recordLength_ = 0;
  long long firstRecord_ = 0;
  std::vector<CRowSorter*> sorters_;
  AString text_;
  // The structured values handed out, copied from the record: a record packs
  // its values byte by byte, so they are never read where they lie.
  DATE_STRUCT date_{};
  TIMESTAMP_STRUCT timestamp_{};
  SQLGUID guid_{};
};

// A view of a recordset's rows ordered by one column, kept current through
// the recordset's updates, searchable by value and storable in an index file.
class CRowSorter {
 public:
  using Progress = bool (*)(int row, int rowCount, void* context);
  CRowSorter(COdbcRecordset& recordset, int column, Progress progress = nullptr, void* context = nullptr);
  CRowSorter(COdbcRecordset& recordset, const char* indexPath);
  ~CRowSorter();
  CRowSorter(const CRowSorter&) = delete;
  CRowSorter& operator=(const CRowSorter&) = delete;

  void Save(const char* indexPath) const;
  void MoveTo(int position);
  void Insert(int row);
  void Remove(int row);
  int FindRow(int row) const;
  int FindInt(int value);
  int FindDouble(double value);
  int FindText(const char* text, bool exact);
  int FindDate(const DATE_STRUCT& date);
  int FindTimestamp(const TIMESTAMP_STRUCT& value);
  int FindGuid(const SQLGUID& guid);
  const std::vector<int>& Rows() const { return rows_; }

 private:
  int CompareRows(int a, int b);
  template <class Cmp>
  int Find(Cmp compareRowWithValue);

  COdbcRecordset& recordset_;
  int kind_ = 0;
  int column_ = 0;
  std::vector<int> rows_;
};
