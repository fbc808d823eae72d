#include "barcode/pdf417/pdf417_reed_solomon.h"

namespace kalvo::pdf417 {

std::vector<int> Pdf417Generator(int k) {
  std::vector<int> poly{1};  // highest degree first
  int root = 1;
  for (int i = 1; i <= k; ++i) {
    root = root * 3 % kPrime;
    std::vector<int> next(poly.size() + 1, 0);
    for (size_t j = 0; j < poly.size(); ++j) {
      next[j] = (next[j] + poly[j]) % kPrime;
      next[j + 1] = (next[j + 1] + kPrime - poly[j] * root % kPrime) % kPrime;
    }
    poly = std::move(next);
  }
  return {poly.begin() + 1, poly.end()};
}

std::vector<int> Pdf417CheckCodewords(std::span<const int> data, int k) {
  const std::vector<int> g = Pdf417Generator(k);
  std::vector<int> rem(k, 0);
  for (int d : data) {
    const int factor = (d + rem[0]) % kPrime;
    for (int j = 0; j + 1 < k; ++j) rem[j] = (rem[j + 1] + kPrime - factor * g[j] % kPrime) % kPrime;
    rem[k - 1] = (kPrime - factor * g[k - 1] % kPrime) % kPrime;
  }
  for (int& r : rem) r = (kPrime - r) % kPrime;
  return rem;
}

}  // namespace kalvo::pdf417
