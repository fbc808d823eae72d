// Data Matrix ECC 200 encodation: the data text to data codewords by six
// parallel paths over the encodation schemes, then padding and Reed-Solomon
// check codewords for the chosen size.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kalvo::datamatrix {

enum class Scheme : int { Ascii = 0, C40 = 1, Text = 2, X12 = 3, Edifact = 4, Base256 = 5 };

// Encodes `text` into `out` (data codewords without padding). `sizeIndex` is
// the requested row of DataMatrixSizeTable, or -1 for automatic square sizing;
// it is replaced by the chosen row, -1 when nothing fits. Returns the number of
// data codewords, 0 for an empty text, one over 3,000 bytes or no fitting size.
int EncodeDataMatrixCodewords(std::span<const uint8_t> text, std::vector<uint8_t>& out, int& sizeIndex);

// Pads `data` to the capacity of the size and appends the interleaved check
// codewords: the whole codeword stream of the symbol.
std::vector<uint8_t> CompleteDataMatrixCodewords(std::span<const uint8_t> data, int sizeIndex);

}  // namespace kalvo::datamatrix
