// Plain text in and out of the rich-text document in any code page
// (1200: UTF-16LE), and copies into callers' buffers that never pass their size.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/richedit/text_document.h"

namespace richedit {

inline constexpr UINT kUtf16CodePage = 1200;

// Bytes of a code page as UTF-16 (1200: the bytes are UTF-16LE; an odd last
// byte is dropped). An unknown code page reads as the ANSI one.
std::u16string DecodeText(std::span<const uint8_t> bytes, UINT codePage);
// UTF-16 in a code page (1200: UTF-16LE bytes). `usedDefault` (may be null)
// tells whether a character had no equivalent.
std::string EncodeText(std::u16string_view text, UINT codePage, const char* defaultChar = nullptr,
                       BOOL* usedDefault = nullptr);

// Text from outside: CR LF, lone LF and lone CR all become paragraph marks.
std::u16string ImportLineEnds(std::u16string_view text);
// Text for outside: paragraph marks as CR LF when `crlf`, else CR.
std::u16string ExportLineEnds(std::u16string_view text, bool crlf);

// Copies text into a buffer of `bufferBytes` bytes in a code page, with a
// terminating zero (two zero bytes in 1200) that always fits, and never
// splits a surrogate pair or a double-byte character. Returns the characters
// copied, the zero excluded: UTF-16 units in 1200, bytes otherwise.
LONG CopyToBuffer(std::u16string_view text, UINT codePage, void* buffer, size_t bufferBytes,
                  const char* defaultChar = nullptr, BOOL* usedDefault = nullptr);

// Whether a UTF-16 unit is a lead or trail surrogate.
constexpr bool IsLeadSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsTrailSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace richedit
