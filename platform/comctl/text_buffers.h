// Text between the common controls and their callers: the controls keep
// UTF-16; a caller's buffer, wide or ANSI, gets at most its given size,
// zero included, and an ANSI copy never ends in half a double-byte
// character.
#pragma once

#include <string>
#include <string_view>

#include "platform/kernel/types.h"

namespace comctl {

// Copies at most size - 1 units and a zero; nothing when size < 1 or the
// buffer is null. Returns the units copied, zero not counted.
int CopyText(std::u16string_view text, LPWSTR buffer, int size);
int CopyText(std::u16string_view text, LPSTR buffer, int size);
// A caller's zero-ended text in UTF-16; empty for null.
std::u16string FromWide(LPCWSTR text);
std::u16string FromAnsi(LPCSTR text);
std::string ToAnsi(std::u16string_view text);

}  // namespace comctl
