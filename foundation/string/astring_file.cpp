// The file form of one AString (little-endian):
//   int32 n, n bytes of text, uint8 wide flag, uint8 flag byte, int16 code page.
// A negative n stands for "no string" and nothing follows it.
#include <algorithm>
#include <cstring>

#include "foundation/string/astring.h"
#include "foundation/string/astring_internal.h"

FOUNDATION_BEGIN

using namespace astring_detail;

namespace {

constexpr int kTrailerBytes = 4;  // wide flag, flag byte, code page
constexpr long kChunk = 1 << 16;  // read size when the bytes left are unknown

bool WriteBytes(FILE* file, const void* p, size_t n) { return n == 0 || std::fwrite(p, 1, n, file) == n; }

bool ReadBytes(FILE* file, void* p, size_t n) { return n == 0 || std::fread(p, 1, n, file) == n; }

bool WriteInt32(FILE* file, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  const unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                              static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
  return WriteBytes(file, b, 4);
}

bool ReadInt32(FILE* file, int32_t* v) {
  unsigned char b[4];
  if (!ReadBytes(file, b, 4)) return false;
  *v = static_cast<int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24));
  return true;
}

// Bytes between the position and the end of a seekable file; -1 when the
// stream cannot tell.
long BytesLeft(FILE* file) {
  const long here = std::ftell(file);
  if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long end = std::ftell(file);
  if (std::fseek(file, here, SEEK_SET) != 0 || end < here) return -1;
  return end - here;
}

}  // namespace

int AString::Serialize(bool load, FILE* file) {
  if (!file) return 0;
  if (!load) {
    const AStringHeader* h = GetHeader();
    const unsigned char trailer[kTrailerBytes] = {h->wide, h->flags, static_cast<unsigned char>(h->codePage & 0xFF),
                                                  static_cast<unsigned char>((h->codePage >> 8) & 0xFF)};
    const bool ok = WriteInt32(file, h->length) && WriteBytes(file, data_, static_cast<size_t>(h->length)) &&
                    WriteBytes(file, trailer, sizeof trailer);
    return ok ? 1 : 0;
  }

  // Every read is checked and the length is bounded by the bytes the file
  // still holds, so a short or corrupt record fails without a huge allocation.
  Clear();
  int32_t n = 0;
  if (!ReadInt32(file, &n)) return 0;
  if (n < 0) return -1;
  const long left = BytesLeft(file);
  if (left >= 0 && static_cast<long long>(n) + kTrailerBytes > left) return 0;
  if (n > kMaxTextLength) return 0;

  AString text;
  int have = 0;
  while (have < n) {
    // With a known size the whole text is read at once; otherwise it grows in
    // chunks so that a stream which ends early costs no more than it held.
    const int want = left >= 0 ? n - have : static_cast<int>(std::min<long>(kChunk, n - have));
    char* buffer = text.GetBuffer(have + want);
    if (!ReadBytes(file, buffer + have, static_cast<size_t>(want))) return 0;
    have += want;
    text.ReleaseBuffer(have);
  }
  unsigned char trailer[kTrailerBytes];
  if (!ReadBytes(file, trailer, sizeof trailer)) return 0;
  if (trailer[0] > 1) return 0;
  if (trailer[0] == 1 && n % 2 != 0) return 0;  // a wide text is whole UTF-16 units

  if (n == 0) {
    text = AString(0);
  }
  AStringHeader* h = text.GetHeader();
  h->wide = trailer[0];
  h->flags = trailer[1];
  h->codePage = static_cast<int16_t>(trailer[2] | (trailer[3] << 8));
  // A record of the shared empty string (code page 0, nothing else set) loads
  // as the shared empty string again.
  if (n == 0 && h->wide == 0 && h->flags == 0 && h->codePage == 0) text.Clear();
  *this = std::move(text);
  return 1;
}

FOUNDATION_END
