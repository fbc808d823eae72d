// MaxiCode text encoding: bytes to 6-bit codewords of code sets A to E, with
// numeric shifts for runs of nine digits.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kalvo::maxicode {

// Encodes `text` starting in code set A and appends the codewords to `out`,
// writing at most `capacity` codewords: a step whose codewords would not all
// fit is not started. Returns the number of characters consumed.
int EncodeMaxiCodeText(std::span<const uint8_t> text, int capacity, std::vector<uint8_t>& out);

}  // namespace kalvo::maxicode
