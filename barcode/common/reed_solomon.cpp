#include "barcode/common/reed_solomon.h"

#include <algorithm>
#include <cassert>

namespace kalvo {

GaloisField::GaloisField(int bits, unsigned polynomial)
    : size_(1 << bits), exp_(2 * size_), log_(size_, 0) {
  assert(bits >= 2 && bits <= 8);
  unsigned x = 1;
  for (int i = 0; i < size_ - 1; ++i) {
    exp_[i] = static_cast<uint8_t>(x);
    log_[x] = i;
    x <<= 1;
    if (x & static_cast<unsigned>(size_)) x ^= polynomial;
  }
  for (int i = size_ - 1; i < 2 * size_; ++i) exp_[i] = exp_[i - (size_ - 1)];
}

const GaloisField& GaloisField::DataMatrix() {
  static const GaloisField field(8, 0x12D);
  return field;
}

const GaloisField& GaloisField::QrCode() {
  static const GaloisField field(8, 0x11D);
  return field;
}

const GaloisField& GaloisField::MaxiCode() {
  static const GaloisField field(6, 0x43);
  return field;
}

std::vector<uint8_t> RsGeneratorPolynomial(const GaloisField& field, int k, int firstRoot) {
  // poly[0] is the leading coefficient; multiply in one root at a time.
  std::vector<uint8_t> poly{1};
  for (int i = 0; i < k; ++i) {
    const uint8_t root = field.Exp(firstRoot + i);
    std::vector<uint8_t> next(poly.size() + 1, 0);
    for (size_t j = 0; j < poly.size(); ++j) {
      next[j] ^= poly[j];                               // * x
      next[j + 1] ^= field.Multiply(poly[j], root);     // * root (minus is plus)
    }
    poly = std::move(next);
  }
  return {poly.begin() + 1, poly.end()};
}

void RsComputeCheck(const GaloisField& field, std::span<const uint8_t> generator,
                    std::span<const uint8_t> data, std::span<uint8_t> check) {
  const size_t k = generator.size();
  assert(check.size() == k);
  std::fill(check.begin(), check.end(), uint8_t{0});
  if (k == 0) return;
  for (uint8_t d : data) {
    const uint8_t factor = d ^ check[0];
    std::copy(check.begin() + 1, check.end(), check.begin());
    check[k - 1] = 0;
    if (factor != 0) {
      for (size_t j = 0; j < k; ++j) check[j] ^= field.Multiply(generator[j], factor);
    }
  }
}

}  // namespace kalvo
