// Base64 with the standard alphabet, no line breaks.
#pragma once

#include <cstdint>

#include "foundation/build.h"
#include "foundation/string/astring.h"

FOUNDATION_BEGIN

// Encodes len bytes into out ('=' pads the text to a multiple of 4). Returns
// the text length; 0 for null data.
int EncodeBase64(const uint8_t* data, int len, AString& out);

// Decodes text into out, which holds outCapacity bytes. Each character is
// looked up with its high bit stripped; '=' is skipped; any other character
// outside the alphabet (blanks and line breaks included) gives 0. Gives 0 as
// well when the text decodes to more than outCapacity bytes. The bytes of out
// behind the decoded ones (up to its capacity) are zeroed. Returns the number
// of bytes; 0 for null arguments or an empty text.
int Base64Decode(const AString& text, uint8_t* out, int outCapacity);

FOUNDATION_END
