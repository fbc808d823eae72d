// Text and raw data on the clipboard.
#pragma once

#include <cstdint>

#include "foundation/build.h"
#include "foundation/string/astring.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

// The locale tag of text in a code page: 2052 for 936, 1028 for 950, 1041
// for 932, 1042 for 949, 1033 for 1252 (and any code page without one).
LCID LocaleOfCodePage(int codePage);

// Empties the clipboard and puts the text as CF_TEXT and, unless textOnly, as
// CF_UNICODETEXT converted from the text's code page (codePage below 1: the
// ANSI code page), with the matching CF_LOCALE tag. 1 when a format was placed.
int CopyTextToClipboard(const char* text, bool textOnly, int codePage = 0);
// The string's own code page, or the ANSI code page when it has none; a wide
// string goes out as UTF-16 and as text in the ANSI code page.
int CopyTextToClipboard(const AString& text, bool textOnly);

// The clipboard's text in a new buffer (free it with std::free) in *out;
// returns its length (bytes, or UTF-16 units with rawUnicode), 0 when there
// is none. UTF-16 text is preferred unless preferAnsi; with usedCodePage the
// code page is chosen from the text's script and reported; checkScript falls
// back to CF_TEXT for UTF-16 text that does not suit the code page.
int GetClipboardText(char** out, int codePage, bool checkScript, int* usedCodePage, bool preferAnsi,
                     bool rawUnicode);

// A copy of one format's data in a new zeroed buffer (std::free) of the data
// block's size. 1 on success.
int ReadClipboardData(UINT format, uint8_t** out, int* size);
// Empties the clipboard and puts a copy of the bytes under the format; 1 when
// the data was placed, 0 on failure.
int WriteClipboardData(UINT format, const void* data, int size);

// Whether the process's ANSI code page has characters of more than one byte.
bool IsMultiByteAnsiCodePage();

FOUNDATION_END
