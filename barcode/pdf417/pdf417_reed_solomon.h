// Reed-Solomon error correction of PDF417 and MicroPDF417 through the shared
// routine: the prime field GF(929), generator roots 3^1 ... 3^k.
#pragma once

#include <span>
#include <vector>

namespace kalvo::pdf417 {

inline constexpr int kPrime = 929;

// Coefficients of prod_{i=1}^{k} (x - 3^i) mod 929, highest degree first,
// the leading 1 left out (k values).
std::vector<int> Pdf417Generator(int k);

// The k check codewords of `data`: the negated remainder of data(x) x^k
// divided by the generator, highest degree first.
std::vector<int> Pdf417CheckCodewords(std::span<const int> data, int k);

}  // namespace kalvo::pdf417
