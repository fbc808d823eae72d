// Bit helpers.
#pragma once

#include <cstdint>

#include "foundation/build.h"

FOUNDATION_BEGIN

// The low byte of b with its bit order reversed.
int ReverseBits8(int b);
// (n + 7) / 8.
int BytesForBits(int n);
// Shifts the whole buffer right by bits (most significant bit first: bits move
// towards later bytes), filling with zeros; nothing for bits <= 0.
void ShiftBufferRight(uint8_t* buf, int len, int bits);
// A pseudo-random integer from a to b inclusive (the C library's rand()
// scaled over its whole range, without overflow).
int RandomRange(int a, int b);

FOUNDATION_END
