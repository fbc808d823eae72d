#include "fields/services/db_binding_map.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/string/file_records.h"
#include "platform/kernel/byte_reader.h"

namespace {

constexpr uint32_t kMaxStoredBindings = 1024;
// The smallest stored binding: five empty strings' lengths, the key value's
// flags and code page, the flag and the 16 empty slots.
constexpr long kSmallestStoredBinding = 4 + 4 + 8 + 4 + 4 + 16 * (4 + 2 + 4);

bool WriteRaw(FILE* f, const AString& s) {
  return WriteInt32(f, s.GetLength()) && (s.GetLength() == 0 || WriteBytes(f, s.GetData(), static_cast<size_t>(s.GetLength())));
}

// A raw string: its length, checked against what the stream still holds.
bool ReadRaw(FILE* f, AString* s) {
  int32_t n = 0;
  if (!ReadInt32(f, &n) || n < 0) return false;
  const long left = BytesLeftInFile(f);
  if (left >= 0 && n > left) return false;
  if (n == 0) {
    s->Empty();
    return true;
  }
  std::vector<char> bytes(static_cast<size_t>(n));
  if (!ReadBytes(f, bytes.data(), bytes.size())) return false;
  *s = AString(n, bytes.data());
  return true;
}

// The chosen records travel in the entry's spare string, which readers of
// the bare format drop: a mark, the key columns' names, then per record its
// quantity and its key values.
constexpr char kSelectionMark[4] = {'T', 'S', 'E', 'L'};
constexpr uint32_t kSelectionVersion = 1;
constexpr uint32_t kMaxKeyColumns = 1024;

void PutU32(std::string* out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutBytes(std::string* out, std::string_view bytes) {
  PutU32(out, static_cast<uint32_t>(bytes.size()));
  out->append(bytes);
}

std::string_view TakeBytes(ByteReader& in) {
  const uint32_t n = in.U32();
  const std::span<const uint8_t> bytes = in.Bytes(n);
  return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string StoredSelection(const CDbBinding& b) {
  std::string out;
  if (b.keyColumns.empty() || b.selection.empty()) return out;
  out.append(kSelectionMark, sizeof kSelectionMark);
  PutU32(&out, kSelectionVersion);
  PutU32(&out, static_cast<uint32_t>(b.keyColumns.size()));
  for (const AString& column : b.keyColumns)
    PutBytes(&out, std::string_view(column.GetData(), static_cast<size_t>(column.GetLength())));
  PutU32(&out, static_cast<uint32_t>(b.selection.size()));
  for (const SelRecord& entry : b.selection) {
    PutU32(&out, static_cast<uint32_t>(entry.quantity));
    PutBytes(&out, entry.key);
  }
  return out;
}

// The chosen records of a spare string; nothing when it holds none or is
// not whole (the bindings read without their records).
void ReadSelection(const AString& spare, CDbBinding* b) {
  ByteReader in(spare.GetData(), static_cast<size_t>(spare.GetLength()));
  const std::span<const uint8_t> mark = in.Bytes(sizeof kSelectionMark);
  if (mark.empty() || std::memcmp(mark.data(), kSelectionMark, sizeof kSelectionMark) != 0) return;
  if (in.U32() != kSelectionVersion) return;
  const uint32_t columns = in.U32();
  if (columns == 0 || columns > kMaxKeyColumns || columns > in.remaining() / 4) return;
  std::vector<AString> names;
  for (uint32_t i = 0; i < columns && in.ok(); ++i) {
    const std::string_view name = TakeBytes(in);
    names.emplace_back(static_cast<int>(name.size()), name.data());
  }
  const uint32_t count = in.U32();
  // Every record takes at least its quantity and its key's length.
  if (!in.ok() || count > in.remaining() / 8) return;
  CSelRecordArray chosen;
  chosen.reserve(count);
  for (uint32_t i = 0; i < count && in.ok(); ++i) {
    const int32_t quantity = in.I32();
    chosen.emplace_back(0, quantity, 0, std::string(TakeBytes(in)));
  }
  if (!in.ok() || !in.AtEnd()) return;
  b->keyColumns = std::move(names);
  b->SetSelection(chosen);
}

bool WriteU16(FILE* f, uint16_t v) {
  const uint8_t b[2] = {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>(v >> 8)};
  return WriteBytes(f, b, 2);
}

}  // namespace

CDbBinding& CDbBinding::operator=(const CDbBinding& other) {
  if (this == &other) return *this;
  keyColumn = other.keyColumn;
  keyColumnType = other.keyColumnType;
  keyValueText = other.keyValueText;
  useLinkedKeyValue = other.useLinkedKeyValue;
  connection = other.connection;
  statement = other.statement;
  selection = other.selection;
  currentRecord = other.currentRecord;
  spareCounter = other.spareCounter;
  selectedCount = other.selectedCount;
  totalQuantity = other.totalQuantity;
  keyColumns = other.keyColumns;
  for (ColumnSlot& slot : slots) {
    slot.number16 = 0;
    slot.number32 = 0;
  }
  return *this;
}

void CDbBinding::Reset() {
  connection = nullptr;
  statement = nullptr;
  selection.clear();
  currentRecord = 0;
  spareCounter = 0;
  selectedCount = 0;
  totalQuantity = 0;
  keyValueText = AString();
  useLinkedKeyValue = 0;
  keyColumnType = 12;
  keyColumns.clear();
}

void CDbBinding::SetSelection(const CSelRecordArray& records) {
  selection = records;
  selectedCount = static_cast<int32_t>(selection.size());
  long long total = 0;
  for (SelRecord& r : selection) {
    r.quantity = std::max(r.quantity, 0);
    r.firstLabel = 0;
    total += r.quantity;
  }
  totalQuantity = static_cast<int32_t>(std::min<long long>(total, INT32_MAX));
}

CDbBindingMap& CDbBindingMap::Copy(const CDbBindingMap& other) {
  if (this == &other) return *this;
  RemoveAll();
  if (other.GetCount() == 0) return *this;
  MapPosition pos = kMapStart;
  while (pos) {
    AString key;
    CDbBinding binding;
    other.GetNextAssoc(pos, key, binding);
    SetAt(key, binding);
  }
  return *this;
}

std::vector<AString> CDbBindingMap::Keys() const {
  std::vector<AString> keys;
  if (GetCount() == 0) return keys;
  MapPosition pos = kMapStart;
  while (pos) {
    AString key;
    CDbBinding binding;
    GetNextAssoc(pos, key, binding);
    keys.push_back(key);
  }
  return keys;
}

int CDbBindingMap::Serialize(bool load, FILE* file) {
  if (!file) return 0;
  if (!load) {
    const std::vector<AString> keys = Keys();
    if (!WriteInt32(file, static_cast<int32_t>(keys.size()))) return 0;
    for (const AString& key : keys) {
      const CDbBinding& b = *LookupPtr(key);
      AString value = b.keyValueText;
      const std::string chosen = StoredSelection(b);
      bool ok = WriteRaw(file, key) && WriteRaw(file, b.keyColumn) && value.Serialize(false, file) &&
                WriteInt32(file, b.useLinkedKeyValue) &&
                WriteRaw(file, AString(static_cast<int>(chosen.size()), chosen.data()));
      for (int i = 0; i < 16 && ok; ++i) ok = WriteRaw(file, AString()) && WriteU16(file, 0) && WriteInt32(file, 0);
      if (!ok) return 0;
    }
    return static_cast<int>(keys.size());
  }
  RemoveAll();
  int32_t stored = 0;
  if (!ReadInt32(file, &stored)) return 0;
  const uint32_t count = std::min(static_cast<uint32_t>(stored), kMaxStoredBindings);
  const long left = BytesLeftInFile(file);
  if (left >= 0 && static_cast<long long>(count) * kSmallestStoredBinding > left) return 0;
  for (uint32_t i = 0; i < count; ++i) {
    AString key, column, spare;
    CDbBinding b;
    if (!ReadRaw(file, &key) || !ReadRaw(file, &column)) return 0;
    if (b.keyValueText.Serialize(true, file) != 1) return 0;  // -1: a negative length
    int32_t flag = 0;
    if (!ReadInt32(file, &flag) || !ReadRaw(file, &spare)) return 0;
    for (int s = 0; s < 16; ++s) {
      AString name;
      uint8_t number16[2];
      int32_t number32 = 0;
      if (!ReadRaw(file, &name) || !ReadBytes(file, number16, 2) || !ReadInt32(file, &number32)) return 0;
    }
    b.keyColumn = column;
    b.useLinkedKeyValue = flag;
    ReadSelection(spare, &b);
    SetAt(key, b);
  }
  return static_cast<int>(count);
}

void AppendRecordKeyValue(std::string* key, const char* value, size_t length) {
  key->push_back(value ? '\1' : '\0');
  PutU32(key, value ? static_cast<uint32_t>(length) : 0);
  if (value) key->append(value, length);
}

std::string DescribeRecordKey(std::string_view key) {
  ByteReader in(key.data(), key.size());
  std::string text;
  while (!in.AtEnd() && in.ok()) {
    const bool present = in.U8() != 0;
    const std::string_view value = TakeBytes(in);
    if (!text.empty()) text += ", ";
    text += present ? std::string(value) : std::string("NULL");
  }
  return text;
}

AString MakeDbBindingKey(const AString& source, const AString& table) {
  AString key;
  key.Format("%s;;;;%s", source.GetData(), table.GetData());
  return key;
}

AString SplitDbBindingKey(const AString& key, AString* table) {
  const int at = key.Find(";;;;");
  if (at < 0) return AString();
  if (table) *table = key.Mid(at + 4);
  return key.Left(at);
}

