// The system's message texts for its error codes (FormatMessage from the
// system table). Texts are this layer's own words, one line ending in CR LF
// as the system's are.
#pragma once

#include <cstdarg>

#include "platform/kernel/types.h"

inline constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x100, FORMAT_MESSAGE_IGNORE_INSERTS = 0x200,
                       FORMAT_MESSAGE_FROM_STRING = 0x400, FORMAT_MESSAGE_FROM_HMODULE = 0x800,
                       FORMAT_MESSAGE_FROM_SYSTEM = 0x1000, FORMAT_MESSAGE_ARGUMENT_ARRAY = 0x2000,
                       FORMAT_MESSAGE_MAX_WIDTH_MASK = 0xFF;
inline constexpr WORD LANG_NEUTRAL = 0x00, LANG_ENGLISH = 0x09, SUBLANG_NEUTRAL = 0x00, SUBLANG_DEFAULT = 0x01;
inline constexpr DWORD ERROR_MR_MID_NOT_FOUND = 317;

// FORMAT_MESSAGE_FROM_SYSTEM only (the texts have no inserts). With
// FORMAT_MESSAGE_ALLOCATE_BUFFER, buffer is the address of a pointer that
// receives LocalAlloc memory (freed with LocalFree); otherwise the text and
// its zero must fit in size characters, or nothing is written and the call
// fails with ERROR_INSUFFICIENT_BUFFER. An unknown code fails with
// ERROR_MR_MID_NOT_FOUND; other sources with ERROR_INVALID_PARAMETER.
// Returns the characters stored, the zero not counted.
DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size,
                     va_list* arguments);
DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer, DWORD size,
                     va_list* arguments);
inline DWORD FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size,
                           va_list* arguments) {
  return FormatMessageA(flags, source, messageId, languageId, buffer, size, arguments);
}
