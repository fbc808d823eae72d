#include "foundation/string/file_records.h"

#include <algorithm>

#include "foundation/string/astring_internal.h"
#include "platform/kernel/kernel.h"

FOUNDATION_BEGIN

namespace {

constexpr long kChunk = 1 << 16;  // read size when the bytes left are unknown

}  // namespace

FilePtr OpenFile(const char* path, const char* mode) { return FilePtr(fopenA(path, mode)); }

long FileSize(FILE* file) {
  if (!file) return -1;
  const long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long end = std::ftell(file);
  if (std::fseek(file, here, SEEK_SET) != 0) return -1;
  return end;
}

long BytesLeftInFile(FILE* file) {
  if (!file) return -1;
  const long here = std::ftell(file);
  const long size = FileSize(file);
  if (here < 0 || size < here) return -1;
  return size - here;
}

bool ReadBytes(FILE* file, void* data, size_t n) { return n == 0 || std::fread(data, 1, n, file) == n; }

bool WriteBytes(FILE* file, const void* data, size_t n) { return n == 0 || std::fwrite(data, 1, n, file) == n; }

bool ReadInt32(FILE* file, int32_t* value) {
  unsigned char b[4];
  if (!ReadBytes(file, b, 4)) return false;
  *value = static_cast<int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24));
  return true;
}

bool WriteInt32(FILE* file, int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  const unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                              static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
  return WriteBytes(file, b, 4);
}

bool ReadTextRecord(FILE* file, int32_t n, long after, AString& text) {
  text.Clear();
  if (!file || n < 0 || n > astring_detail::kMaxTextLength) return false;
  const long left = BytesLeftInFile(file);
  if (left >= 0 && static_cast<long long>(n) + after > left) return false;
  AString result;
  int have = 0;
  while (have < n) {
    // With a known size the whole text is read at once; otherwise it grows in
    // chunks so that a stream which ends early costs no more than it held.
    const int want = left >= 0 ? n - have : static_cast<int>(std::min<long>(kChunk, n - have));
    char* buffer = result.GetBuffer(have + want);
    if (!ReadBytes(file, buffer + have, static_cast<size_t>(want))) return false;
    have += want;
    result.ReleaseBuffer(have);
  }
  text = std::move(result);
  return true;
}

FOUNDATION_END
