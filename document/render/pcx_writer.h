// PCX files (version 5, run-length encoded) from bitmaps of 1, 8, 24 and 32
// bits per pixel: one plane of indices for 1 and 8 bits, three planes of red,
// green and blue for 24 and 32 bits.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#include "image/bitmap/plbmp.h"

// The palette index of a pixel: the byte for 8 bits, bit (7 - x mod 8) for
// 1 bit, the nibble (high for even x) for 4 bits; -1 for a bitmap without a
// palette, another depth or a place outside it.
int GetPixelIndex(const PLBmp& bitmap, int x, int y);

// Bytes of one encoded plane line: 8, 24 and 32 bits one per pixel, else
// (width + 7) / 8; rounded up to an even number.
int PcxBytesPerLine(int width, int bpp);

// Packs one bit of every index (bit `plane`) into bytes, most significant
// bit first.
std::vector<uint8_t> PcxPackBits(std::span<const uint8_t> indices, int plane);

// Appends the run-length coding of bytes: runs of equal bytes of at most 63,
// a run longer than 1 or a byte of 192 or more as 192 + count and the value.
void PcxEncodeLine(std::span<const uint8_t> line, std::vector<uint8_t>& out);

// The 128-byte header of a bitmap: the resolution words hold its dots per
// inch (96 when it has none), the 16-colour palette the two colours of a
// 1-bit image.
std::vector<uint8_t> PcxHeader(const PLBmp& bitmap);

// Writes the whole file into an open file, rows top first; an 8-bit image
// ends with 12 and its 256-colour palette. A 1-bit image is written with
// black as index 0 (its bits inverted when the bitmap has white first), so
// that readers that take 0 as black and those that read the header palette
// see the same picture. Returns the number of bytes written, or -1 when the
// bitmap cannot be written as PCX (depth, a side over 65535) or a write failed.
long WritePcxFile(std::FILE* file, PLBmp& bitmap);
