// The string map's copy and its loading from a stream.
#include <cstdint>
#include <utility>
#include <vector>

#include "foundation/containers/ahashmap.h"
#include "foundation/string/file_records.h"

FOUNDATION_BEGIN

void AHashMapCopyStrings(AHashMap<AString, AString>& map, const AHashMap<AString, AString>& other) {
  if (&map == &other) return;
  map.RemoveAll();
  if (other.IsEmpty()) return;
  MapPosition pos = kMapStart;
  AString key, value;
  while (pos) {
    other.GetNextAssoc(pos, key, value);
    map.SetAt(key, value);
  }
}

namespace {

bool ReadShortString(FILE* file, AString& out) {
  unsigned char length;
  if (std::fread(&length, 1, 1, file) != 1) return false;
  char bytes[256];
  if (length && std::fread(bytes, 1, length, file) != length) return false;
  out = AString(static_cast<int>(length), bytes);
  return true;
}

}  // namespace

int AHashMapLoadStrings(AHashMap<AString, AString>& map, FILE* file) {
  if (!file) return 0;
  long left = BytesLeftInFile(file);
  unsigned char countBytes[2];
  if (std::fread(countBytes, 1, 2, file) != 2) return 0;
  int count = countBytes[0] | (countBytes[1] << 8);
  // Each pair takes at least its two length bytes.
  if (left >= 0 && static_cast<long>(count) * 2 > left - 2) return 0;
  std::vector<std::pair<AString, AString>> pairs;
  pairs.reserve(count);
  for (int i = 0; i < count; ++i) {
    AString key, value;
    if (!ReadShortString(file, key) || !ReadShortString(file, value)) return 0;
    pairs.emplace_back(std::move(key), std::move(value));
  }
  for (auto& [key, value] : pairs) {
    if (!key.IsEmpty() && !value.IsEmpty()) map.SetAt(key, value);
  }
  return 1;
}

FOUNDATION_END
