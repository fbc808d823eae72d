// The file form of one AString (little-endian):
//   int32 n, n bytes of text, uint8 wide flag, uint8 flag byte, int16 code page.
// A negative n stands for "no string" and nothing follows it.
#include "foundation/string/astring.h"
#include "foundation/string/astring_internal.h"
#include "foundation/string/file_records.h"

FOUNDATION_BEGIN

using namespace astring_detail;

namespace {

constexpr int kTrailerBytes = 4;  // wide flag, flag byte, code page

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
  AString text;
  if (!ReadTextRecord(file, n, kTrailerBytes, text)) return 0;
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
