// Helpers shared by the AString sources (not part of the public surface).
#pragma once

#include <string_view>

#include "foundation/string/astring.h"

FOUNDATION_BEGIN
namespace astring_detail {

// The longest text a block may hold; larger requests are treated as heap
// exhaustion rather than allowed to overflow the capacity arithmetic.
inline constexpr int kMaxTextLength = 0x7FFFFFFF - 64;

bool IsSharedEmpty(const AStringHeader* h);
// n | 3, clamped to the valid range.
int RoundCapacity(long long n);
// (length + 16) | 3.
int CapacityFor(long long length);
// A fresh block: count 1, length 0, narrow, flag byte 0, code page -1.
AStringHeader* NewBlock(int capacity);
// Drops one reference; the last one returns the block to the pool.
void ReleaseHeader(AStringHeader* h);
char* TextOf(AStringHeader* h);

inline std::string_view BytesOf(const AString& s) {
  return std::string_view(s.GetData(), static_cast<size_t>(s.GetLength()));
}

// Walking a double-byte text: the length in bytes of the character at `pos`
// (2 for a lead/trail pair of the code page, else 1). The last byte never
// starts a pair.
int CharBytesAt(std::string_view text, size_t pos, int codePage);
// Byte offset of character `index` (text length when it is past the end).
int ByteOffsetOfChar(std::string_view text, int index, int codePage);
// Number of characters in the text.
int CharCount(std::string_view text, int codePage);

}  // namespace astring_detail
FOUNDATION_END
