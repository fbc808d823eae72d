// Symmetric scrambling of data files: each byte is combined by exclusive or
// with a short key that repeats over the data, so one routine both scrambles
// and unscrambles (the printer definition file "printers.hb" is kept this way).
#pragma once

#include <cstdint>

#include "foundation/build.h"
#include "foundation/string/astring.h"

FOUNDATION_BEGIN

// The key: its length is the number of bytes before the terminating 0 byte.
inline constexpr uint8_t kScrambleKey[] = {0xC7, 0xA9, 0x3B, 0x00};

// dst[i] = src[i] XOR key[i mod key length]; src and dst may be the same buffer. Returns 1.
int ScrambleBuffer(const uint8_t* src, uint8_t* dst, int len);

// Scrambles (or unscrambles) a whole file into another, the same length.
// Returns 1 when the destination was written in full; 0 when the source cannot
// be opened or read (the destination is then left untouched) or the
// destination cannot be written.
int ScrambleFile(AString srcPath, AString dstPath);

FOUNDATION_END
