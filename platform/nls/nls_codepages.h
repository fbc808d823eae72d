// The code pages this layer converts, as the nls sources share them.
#pragma once

#include <span>

#include "platform/kernel/types.h"

namespace nls {

struct ByteRange {
  BYTE first;
  BYTE last;
};

struct CodePageInfo {
  UINT id;
  const char* iconvName;
  UINT maxCharSize;                 // 1, 2 (double-byte) or 4 (UTF-8)
  std::span<const ByteRange> leads;  // lead bytes of a double-byte code page
  // A trail byte of this code page: a lead byte followed by one forms one
  // character, the default character when the code page does not assign it.
  bool trail7F;                     // whether 0x7F counts as a trail byte (0x40..0xFE otherwise)
  // Bytes iconv does not assign but the system maps to the C1 control of the same value.
  std::span<const BYTE> c1Passthrough;
  // Every byte below 0x80 stands alone for the character of the same value.
  bool asciiCompatible = true;
};

// CP_ACP, CP_OEMCP and CP_THREAD_ACP become the process's code pages.
UINT ResolveCodePage(UINT codePage);
// The converted code page, or null (after resolving).
const CodePageInfo* FindCodePage(UINT codePage);

bool IsLeadByte(const CodePageInfo& cp, BYTE b);
bool IsTrailByte(const CodePageInfo& cp, BYTE b);

// Byte length of the character at text[0] of at most length bytes.
size_t CharLength(const CodePageInfo& cp, const char* text, size_t length);

}  // namespace nls
