// Whole strings between a code page and UTF-16, for code that keeps its text
// in std::string and std::u16string: MultiByteToWideChar and
// WideCharToMultiByte sized by a first call, without flags. What does not
// convert becomes the calls' default character.
#pragma once

#include <string>
#include <string_view>

#include "platform/kernel/types.h"

namespace nls {

std::u16string ToUtf16(UINT codePage, std::string_view text);
std::string FromUtf16(UINT codePage, std::u16string_view text);

// The text of a zero-terminated string that may be null (null is empty).
inline std::string_view OrEmpty(const char* text) { return text ? std::string_view(text) : std::string_view(); }
inline std::u16string_view OrEmpty(const char16_t* text) {
  return text ? std::u16string_view(text) : std::u16string_view();
}

}  // namespace nls
