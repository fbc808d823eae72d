#include "datasource/result_cache.h"

#include <strings.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "datasource/odbc_statement.h"
#include "foundation/string/file_records.h"
#include "platform/kernel/kernel.h"
#include "platform/nls/nls.h"

namespace {

constexpr long long kHeaderBytes = 12;
constexpr long long kDescriptorBytes = 272;
constexpr int kMaxColumns = 4096;
// A record, with its status and presence bytes, is at most 16 MB however many
// columns share it.
constexpr size_t kMaxRecordBytes = size_t{1} << 24;

// Messages of the codes 1 to 10, each with at most one argument.
constexpr std::array<const char*, 11> kMessages = {
    "",
    "The file %s cannot be opened or created.",
    "The result has no columns.",
    "A column of type %d cannot be kept.",
    "A file could not be written in full.",
    "There is no row %d.",
    "There is no column %d.",
    "The column holds values of another kind.",
    "The file ends early or contradicts itself (row %d).",
    "Sorting was cancelled.",
    "There is no column named %s.",
};

const char* MessageOf(int code) {
  return code >= 1 && code < static_cast<int>(kMessages.size()) ? kMessages[static_cast<size_t>(code)] : "";
}

int KindBit(int kind) { return 1 << kind; }
constexpr int kAnyKind = 0x1FF;

int LengthOfKind(int kind, int given) {
  switch (kind) {
    case kCacheInt: return 4;
    case kCacheText:
    case kCacheBinary: return given;
    case kCacheDouble:
    case kCacheLongText:
    case kCacheLongBinary: return 8;
    case kCacheDate: return 6;
    case kCacheTimestamp:
    case kCacheGuid: return 16;
    default: return -1;
  }
}

void PutLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
uint32_t GetLe32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

bool Seek(FILE* f, long long offset) { return fseeko(f, static_cast<off_t>(offset), SEEK_SET) == 0; }

long long SizeOf(FILE* f) {
  const off_t here = ftello(f);
  fseeko(f, 0, SEEK_END);
  const off_t size = ftello(f);
  fseeko(f, here, SEEK_SET);
  return size;
}

void Write(FILE* f, const void* data, size_t n) {
  if (n && std::fwrite(data, 1, n, f) != n) throw CGCursorEx(4);
}

void Read(FILE* f, void* data, size_t n, int row) {
  if (n && std::fread(data, 1, n, f) != n) throw CGCursorEx(8, row);
}

}  // namespace

CGCursorEx::CGCursorEx(int code) : code_(code) { message_ = MessageOf(code); }

CGCursorEx::CGCursorEx(int code, int number) : code_(code) { message_.Format(MessageOf(code), number); }

CGCursorEx::CGCursorEx(int code, const char* text) : code_(code) {
  message_.Format(MessageOf(code), text ? text : "");
}

// ---- Construction --------------------------------------------------------------

void COdbcRecordset::OpenFiles(const char* path, const char* mode) {
  if (path && *path) {
    path_ = path;
    keepFiles_ = true;
  } else {
    char folder[4096] = {};
    char name[4096] = {};
    GetTempPathA(sizeof folder, folder);
    if (!GetTempFileNameA(folder, "curex", 0, name)) throw CGCursorEx(1, folder);
    path_ = name;
    keepFiles_ = false;
  }
  lobPath_ = path_ + ".lob";
  file_ = OpenFile(path_.c_str(), mode).release();
  if (!file_) throw CGCursorEx(1, path_.c_str());
  lob_ = OpenFile(lobPath_.c_str(), mode).release();
  if (!lob_) throw CGCursorEx(1, lobPath_.c_str());
  lobSize_ = SizeOf(lob_);
}

void COdbcRecordset::LayOutColumns() {
  slots_.assign(columns_.size(), Slot{});
  size_t at = 1;
  for (size_t i = 0; i < columns_.size(); ++i) {
    slots_[i].presence = at;
    at += 1 + static_cast<size_t>(columns_[i].length);
    if (at > kMaxRecordBytes) throw CGCursorEx(3, columns_[i].kind);
  }
  recordLength_ = static_cast<int>(at);
  record_.assign(at, 0);
  firstRecord_ = kHeaderBytes + kDescriptorBytes * static_cast<long long>(columns_.size());
}

void COdbcRecordset::WriteHeader() {
  uint8_t header[kHeaderBytes];
  PutLe32(header, static_cast<uint32_t>(columns_.size()));
  PutLe32(header + 4, static_cast<uint32_t>(recordLength_));
  PutLe32(header + 8, 0);
  Write(file_, header, sizeof header);
  for (const CacheColumn& c : columns_) {
    uint8_t d[kDescriptorBytes] = {};
    std::memcpy(d, c.name, sizeof c.name);
    d[259] = 0;
    PutLe32(d + 260, static_cast<uint32_t>(c.kind));
    PutLe32(d + 264, static_cast<uint32_t>(c.length));
    PutLe32(d + 268, static_cast<uint32_t>(c.decimalDigits));
    Write(file_, d, sizeof d);
  }
}

COdbcRecordset::COdbcRecordset(COdbcStatement& statement, const char* path) {
  try {
    OpenFiles(path, "w+b");
    lobSize_ = 0;
    const int count = statement.GetColumnCount();
    if (count < 1) throw CGCursorEx(2);
    for (int i = 0; i < count; ++i) {
      const OdbcColumnInfo* info = statement.GetColumnInfo(i);
      CacheColumn c;
      std::strncpy(c.name, info->name, sizeof c.name - 1);
      switch (info->cType) {
        case SQL_C_LONG: c.kind = kCacheInt; break;
        case SQL_C_CHAR: c.kind = info->isLong ? kCacheLongText : kCacheText; break;
        case SQL_C_BINARY: c.kind = info->isLong ? kCacheLongBinary : kCacheBinary; break;
        case SQL_C_DOUBLE:
          c.kind = kCacheDouble;
          c.decimalDigits = info->decimalDigits;
          break;
        case SQL_C_DATE: c.kind = kCacheDate; break;
        case SQL_C_TIMESTAMP: c.kind = kCacheTimestamp; break;
        case SQL_C_GUID: c.kind = kCacheGuid; break;
        default: throw CGCursorEx(3, info->cType);
      }
      c.length = LengthOfKind(c.kind, static_cast<int>(info->bufferLength));
      columns_.push_back(c);
    }
    LayOutColumns();
    WriteHeader();
    fseeko(lob_, 0, SEEK_END);
    for (bool more = statement.MoveFirst(); more; more = statement.MoveNext()) {
      std::fill(record_.begin(), record_.end(), 0);
      record_[0] = 'M';
      for (int i = 0; i < count; ++i) {
        const Slot& slot = slots_[static_cast<size_t>(i)];
        const CacheColumn& c = columns_[static_cast<size_t>(i)];
        if (statement.IsNull(i)) continue;
        record_[slot.presence] = 1;
        uint8_t* value = Value(slot);
        switch (c.kind) {
          case kCacheInt: {
            const int32_t v = statement.GetInt(i);
            std::memcpy(value, &v, 4);
            break;
          }
          case kCacheText: {
            const char* t = statement.GetText(i);
            std::strncpy(reinterpret_cast<char*>(value), t ? t : "", static_cast<size_t>(c.length - 1));
            break;
          }
          case kCacheBinary:
            std::memcpy(value, statement.GetData(i),
                        static_cast<size_t>(std::clamp<SQLLEN>(statement.GetLength(i), 0, c.length)));
            break;
          case kCacheDouble: {
            const double v = statement.GetDouble(i);
            std::memcpy(value, &v, 8);
            break;
          }
          case kCacheDate:
          case kCacheTimestamp:
          case kCacheGuid:
            std::memcpy(value, statement.GetData(i), static_cast<size_t>(c.length));
            break;
          default: {  // long values go to the companion file
            const SQLLEN length = statement.GetLength(i);
            const void* data = statement.GetData(i);
            PutLe32(value, static_cast<uint32_t>(lobSize_));
            PutLe32(value + 4, static_cast<uint32_t>(length));
            Write(lob_, data, static_cast<size_t>(std::max<SQLLEN>(length, 0)));
            lobSize_ += std::max<SQLLEN>(length, 0);
          }
        }
      }
      Seek(file_, RecordOffset(rowCount_ + 1));
      Write(file_, record_.data(), record_.size());
      ++rowCount_;
    }
    if (rowCount_ > 0) MoveTo(1);
  } catch (...) {
    // A cache that failed to build leaves nothing behind.
    keepFiles_ = false;
    Release();
    throw;
  }
}

COdbcRecordset::COdbcRecordset(const std::vector<CacheColumn>& columns, const char* path) {
  try {
    OpenFiles(path, "w+b");
    lobSize_ = 0;
    if (columns.empty()) throw CGCursorEx(2);
    columns_ = columns;
    for (CacheColumn& c : columns_) {
      c.length = LengthOfKind(c.kind, c.length);
      if (c.length < 0) throw CGCursorEx(3, c.kind);
      if ((c.kind == kCacheText || c.kind == kCacheBinary) && c.length < 1) throw CGCursorEx(3, c.kind);
    }
    LayOutColumns();
    WriteHeader();
  } catch (...) {
    keepFiles_ = false;
    Release();
    throw;
  }
}

COdbcRecordset::COdbcRecordset(const char* path) {
  try {
    path_ = path ? path : "";
    lobPath_ = path_ + ".lob";
    keepFiles_ = true;
    file_ = OpenFile(path_.c_str(), "r+b").release();
    if (!file_) throw CGCursorEx(1, path_.c_str());
    lob_ = OpenFile(lobPath_.c_str(), "r+b").release();
    if (!lob_) throw CGCursorEx(1, lobPath_.c_str());
    lobSize_ = SizeOf(lob_);
    const long long fileSize = SizeOf(file_);
    uint8_t header[kHeaderBytes];
    Read(file_, header, sizeof header, 0);
    const uint32_t count = GetLe32(header);
    const uint32_t recordLength = GetLe32(header + 4);
    const uint32_t rows = GetLe32(header + 8);
    // Every count is held to what the file can hold.
    if (count < 1 || count > kMaxColumns || kHeaderBytes + kDescriptorBytes * count > fileSize) throw CGCursorEx(8, 0);
    for (uint32_t i = 0; i < count; ++i) {
      uint8_t d[kDescriptorBytes];
      Read(file_, d, sizeof d, 0);
      CacheColumn c;
      std::memcpy(c.name, d, sizeof c.name);
      c.name[259] = 0;
      c.kind = static_cast<int32_t>(GetLe32(d + 260));
      c.length = static_cast<int32_t>(GetLe32(d + 264));
      c.decimalDigits = static_cast<int32_t>(GetLe32(d + 268));
      const int expected = LengthOfKind(c.kind, c.length);
      if (expected < 0 || expected != c.length || c.length < 1 || c.length > (1 << 24)) throw CGCursorEx(8, 0);
      columns_.push_back(c);
    }
    try {
      LayOutColumns();
    } catch (const CGCursorEx&) {
      throw CGCursorEx(8, 0);  // a record longer than any cache makes
    }
    if (static_cast<uint32_t>(recordLength_) != recordLength) throw CGCursorEx(8, 0);
    if (firstRecord_ + static_cast<long long>(rows) * recordLength_ > fileSize) throw CGCursorEx(8, 0);
    rowCount_ = static_cast<int>(rows);
    if (rowCount_ > 0) MoveTo(1);
  } catch (...) {
    keepFiles_ = true;  // a kept cache is never removed for failing to open
    if (file_) std::fclose(file_);
    if (lob_) std::fclose(lob_);
    file_ = lob_ = nullptr;
    throw;
  }
}

COdbcRecordset::~COdbcRecordset() { Release(); }

void COdbcRecordset::Release() {
  if (file_ && keepFiles_) {
    uint8_t rows[4];
    PutLe32(rows, static_cast<uint32_t>(rowCount_));
    if (Seek(file_, 8)) std::fwrite(rows, 1, 4, file_);
  }
  if (file_) std::fclose(file_);
  if (lob_) std::fclose(lob_);
  file_ = lob_ = nullptr;
  if (!keepFiles_ && !path_.empty()) {
    DeleteFileA(path_.c_str());
    DeleteFileA(lobPath_.c_str());
  }
  path_.clear();
}

// ---- Reading ------------------------------------------------------------------

long long COdbcRecordset::RecordOffset(int row) const {
  return firstRecord_ + static_cast<long long>(row - 1) * recordLength_;
}

void COdbcRecordset::FreeLongValues() {
  for (Slot& s : slots_) {
    s.longValue.clear();
    s.longValue.shrink_to_fit();
    s.longLoaded = false;
    s.changed = false;
  }
}

void COdbcRecordset::MoveTo(int row) {
  if (row < 1 || row > rowCount_) throw CGCursorEx(5, row);
  FreeLongValues();
  if (!Seek(file_, RecordOffset(row))) throw CGCursorEx(8, row);
  Read(file_, record_.data(), record_.size(), row);
  currentRow_ = row;
}

const CacheColumn* COdbcRecordset::GetColumnInfo(int index) const {
  if (index < 0 || index >= GetColumnCount()) throw CGCursorEx(6, index);
  return &columns_[static_cast<size_t>(index)];
}

int COdbcRecordset::FindColumn(const char* name) const {
  for (size_t i = 0; name && i < columns_.size(); ++i) {
    if (strcasecmp(columns_[i].name, name) == 0) return static_cast<int>(i);
  }
  return -1;
}

int COdbcRecordset::Named(const char* name) const {
  const int i = FindColumn(name);
  if (i < 0) throw CGCursorEx(10, name);
  return i;
}

COdbcRecordset::Slot& COdbcRecordset::Readable(int index, int kindMask) {
  if (currentRow_ == 0 && status() != 'N') throw CGCursorEx(5, 0);
  if (index < 0 || index >= GetColumnCount()) throw CGCursorEx(6, index);
  if (!(kindMask & KindBit(columns_[static_cast<size_t>(index)].kind))) throw CGCursorEx(7);
  return slots_[static_cast<size_t>(index)];
}

COdbcRecordset::Slot& COdbcRecordset::Writable(int index, int kindMask) {
  Slot& s = Readable(index, kindMask);
  record_[s.presence] = 1;
  return s;
}

bool COdbcRecordset::IsNull(int index) { return record_[Readable(index, kAnyKind).presence] == 0; }

int COdbcRecordset::GetInt(int index) {
  Slot& s = Readable(index, KindBit(kCacheInt) | KindBit(kCacheText) | KindBit(kCacheDouble));
  const uint8_t* v = Value(s);
  switch (columns_[static_cast<size_t>(index)].kind) {
    case kCacheInt: return static_cast<int32_t>(GetLe32(v));
    case kCacheText: return std::atoi(reinterpret_cast<const char*>(v));
    default: {
      double d;
      std::memcpy(&d, v, 8);
      return static_cast<int>(d);
    }
  }
}

double COdbcRecordset::GetDouble(int index) {
  Slot& s = Readable(index, KindBit(kCacheInt) | KindBit(kCacheText) | KindBit(kCacheDouble));
  const uint8_t* v = Value(s);
  switch (columns_[static_cast<size_t>(index)].kind) {
    case kCacheInt: return static_cast<int32_t>(GetLe32(v));
    case kCacheText: return std::atof(reinterpret_cast<const char*>(v));
    default: {
      double d;
      std::memcpy(&d, v, 8);
      return d;
    }
  }
}

void COdbcRecordset::LoadLong(int index) {
  Slot& s = slots_[static_cast<size_t>(index)];
  if (s.longLoaded || s.changed) return;
  const uint8_t* v = Value(s);
  const long long offset = GetLe32(v), length = GetLe32(v + 4);
  if (offset + length > lobSize_) throw CGCursorEx(8, currentRow_);
  s.longValue.assign(static_cast<size_t>(length) + 1, 0);  // one zero more: a long text is a text
  if (!Seek(lob_, offset)) throw CGCursorEx(8, currentRow_);
  Read(lob_, s.longValue.data(), static_cast<size_t>(length), currentRow_);
  s.longLoaded = true;
}

const char* COdbcRecordset::GetText(int index) {
  Slot& s = Readable(index, kAnyKind & ~(KindBit(kCacheBinary) | KindBit(kCacheLongBinary)));
  const CacheColumn& c = columns_[static_cast<size_t>(index)];
  if (record_[s.presence] == 0) {
    text_ = "(null)";
    return text_.GetData();
  }
  const uint8_t* v = Value(s);
  switch (c.kind) {
    case kCacheInt: text_.Format("%i", static_cast<int32_t>(GetLe32(v))); break;
    case kCacheText: {
      // A stored text ends within its column even when its file says otherwise.
      const size_t n = strnlen(reinterpret_cast<const char*>(v), static_cast<size_t>(c.length));
      text_ = AString(static_cast<int>(n), reinterpret_cast<const char*>(v));
      break;
    }
    case kCacheDouble: {
      double d;
      std::memcpy(&d, v, 8);
      text_.Format("%.*f", std::clamp(c.decimalDigits, 0, 30), d);
      break;
    }
    case kCacheDate:
    case kCacheTimestamp: {
      DATE_STRUCT date;
      std::memcpy(&date, v, sizeof date);
      SYSTEMTIME t{};
      t.wYear = static_cast<WORD>(date.year);
      t.wMonth = date.month;
      t.wDay = date.day;
      char buffer[1024] = {};
      const int n = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, buffer, sizeof buffer);
      if (c.kind == kCacheTimestamp && n > 0) {
        TIMESTAMP_STRUCT ts;
        std::memcpy(&ts, v, sizeof ts);
        t.wHour = ts.hour;
        t.wMinute = ts.minute;
        t.wSecond = ts.second;
        buffer[n - 1] = ' ';
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, buffer + n, static_cast<int>(sizeof buffer) - n);
      }
      text_ = buffer;
      break;
    }
    case kCacheGuid: {
      SQLGUID g;
      std::memcpy(&g, v, sizeof g);
      text_.Format("%08X-%04X-%04X-%04X-%02X%02X%02X%02X%02X%02X", static_cast<unsigned>(g.Data1), g.Data2, g.Data3,
                   (g.Data4[0] << 8) | g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                   g.Data4[7]);
      break;
    }
    default:
      LoadLong(index);
      return reinterpret_cast<const char*>(s.longValue.data());
  }
  return text_.GetData();
}

const DATE_STRUCT* COdbcRecordset::GetDate(int index) {
  Slot& s = Readable(index, KindBit(kCacheDate) | KindBit(kCacheTimestamp));
  std::memcpy(&date_, Value(s), sizeof date_);
  return &date_;
}

const TIMESTAMP_STRUCT* COdbcRecordset::GetTimestamp(int index) {
  Slot& s = Readable(index, KindBit(kCacheTimestamp));
  std::memcpy(&timestamp_, Value(s), sizeof timestamp_);
  return &timestamp_;
}

const SQLGUID* COdbcRecordset::GetGuid(int index) {
  Slot& s = Readable(index, KindBit(kCacheGuid));
  std::memcpy(&guid_, Value(s), sizeof guid_);
  return &guid_;
}

const void* COdbcRecordset::GetData(int index) {
  Slot& s = Readable(index, kAnyKind);
  const int kind = columns_[static_cast<size_t>(index)].kind;
  if (kind == kCacheLongText || kind == kCacheLongBinary) {
    if (record_[s.presence] == 0 && !s.changed) return nullptr;
    LoadLong(index);
    return s.longValue.data();
  }
  return Value(s);
}

int COdbcRecordset::GetLength(int index) {
  Slot& s = Readable(index, kAnyKind);
  const int kind = columns_[static_cast<size_t>(index)].kind;
  if (kind == kCacheLongText || kind == kCacheLongBinary) {
    if (s.changed) return static_cast<int>(s.longValue.size());
    return static_cast<int>(GetLe32(Value(s) + 4));
  }
  return columns_[static_cast<size_t>(index)].length;
}

// ---- Changing -------------------------------------------------------------------

void COdbcRecordset::SetInt(int index, int value) {
  Slot& s = Writable(index, KindBit(kCacheInt) | KindBit(kCacheDouble));
  if (columns_[static_cast<size_t>(index)].kind == kCacheInt) {
    PutLe32(Value(s), static_cast<uint32_t>(value));
  } else {
    const double d = value;
    std::memcpy(Value(s), &d, 8);
  }
}

void COdbcRecordset::SetDouble(int index, double value) {
  Slot& s = Writable(index, KindBit(kCacheInt) | KindBit(kCacheDouble));
  if (columns_[static_cast<size_t>(index)].kind == kCacheInt) {
    PutLe32(Value(s), static_cast<uint32_t>(static_cast<int32_t>(value)));
  } else {
    std::memcpy(Value(s), &value, 8);
  }
}

void COdbcRecordset::SetText(int index, const char* text) {
  if (!text) text = "";
  Slot& s = Writable(index, KindBit(kCacheInt) | KindBit(kCacheText) | KindBit(kCacheDouble) |
                                KindBit(kCacheLongText) | KindBit(kCacheLongBinary));
  const CacheColumn& c = columns_[static_cast<size_t>(index)];
  switch (c.kind) {
    case kCacheInt: PutLe32(Value(s), static_cast<uint32_t>(std::atoi(text))); break;
    case kCacheDouble: {
      const double d = std::atof(text);
      std::memcpy(Value(s), &d, 8);
      break;
    }
    case kCacheText:
      std::memset(Value(s), 0, static_cast<size_t>(c.length));
      std::strncpy(reinterpret_cast<char*>(Value(s)), text, static_cast<size_t>(c.length - 1));
      break;
    default:
      s.longValue.assign(text, text + std::strlen(text) + 1);
      s.changed = true;
  }
}

void COdbcRecordset::SetBinary(int index, const void* bytes, int count) {
  Slot& s = Writable(index, KindBit(kCacheBinary) | KindBit(kCacheLongBinary));
  const CacheColumn& c = columns_[static_cast<size_t>(index)];
  count = std::max(count, 0);
  const auto* b = static_cast<const uint8_t*>(bytes);
  if (c.kind == kCacheBinary) {
    std::memset(Value(s), 0, static_cast<size_t>(c.length));
    std::memcpy(Value(s), b, static_cast<size_t>(std::min(count, c.length)));
  } else {
    s.longValue.assign(b, b + count);
    s.changed = true;
  }
}

void COdbcRecordset::SetDate(int index, const DATE_STRUCT& date) {
  Slot& s = Writable(index, KindBit(kCacheDate) | KindBit(kCacheTimestamp));
  if (columns_[static_cast<size_t>(index)].kind == kCacheTimestamp) std::memset(Value(s), 0, 16);
  std::memcpy(Value(s), &date, 6);
}

void COdbcRecordset::SetDateTime(int index, const TIMESTAMP_STRUCT& value) {
  Slot& s = Writable(index, KindBit(kCacheDate) | KindBit(kCacheTimestamp));
  std::memcpy(Value(s), &value, columns_[static_cast<size_t>(index)].kind == kCacheTimestamp ? 16 : 6);
}

void COdbcRecordset::SetGuid(int index, const SQLGUID& guid) { std::memcpy(Value(Writable(index, KindBit(kCacheGuid))), &guid, 16); }

void COdbcRecordset::SetNotNull(int index) {
  if (index < 0 || index >= GetColumnCount()) throw CGCursorEx(6, index);
  record_[slots_[static_cast<size_t>(index)].presence] = 1;
}

void COdbcRecordset::AddNew() {
  currentRow_ = 0;
  FreeLongValues();
  std::fill(record_.begin(), record_.end(), 0);
  record_[0] = 'N';
}

void COdbcRecordset::Update() {
  const char s = status();
  if (s == 'N') {
    ++rowCount_;
    currentRow_ = rowCount_;
  } else if (s != 'D' && s != 'U') {
    return;
  }
  for (size_t i = 0; i < slots_.size(); ++i) {
    Slot& slot = slots_[i];
    if (!slot.changed) continue;
    uint8_t* v = Value(slot);
    if (record_[slot.presence]) {
      PutLe32(v, static_cast<uint32_t>(lobSize_));
      PutLe32(v + 4, static_cast<uint32_t>(slot.longValue.size()));
      fseeko(lob_, 0, SEEK_END);
      Write(lob_, slot.longValue.data(), slot.longValue.size());
      lobSize_ += static_cast<long long>(slot.longValue.size());
    } else {
      PutLe32(v, 0);
      PutLe32(v + 4, 0);
    }
  }
  record_[0] = 'M';
  const int row = currentRow_;
  if (!Seek(file_, RecordOffset(row))) throw CGCursorEx(4);
  Write(file_, record_.data(), record_.size());
  std::fflush(file_);
  std::fflush(lob_);
  for (CRowSorter* sorter : sorters_) {
    sorter->Remove(row);
    sorter->Insert(row);
  }
  MoveTo(row);
}

void COdbcRecordset::Delete() {
  if (currentRow_ == 0) throw CGCursorEx(5, 0);
  record_[0] = 'D';
  Update();
}

void COdbcRecordset::AddSorter(CRowSorter* sorter) { sorters_.push_back(sorter); }

void COdbcRecordset::RemoveSorter(CRowSorter* sorter) {
  sorters_.erase(std::remove(sorters_.begin(), sorters_.end(), sorter), sorters_.end());
}
