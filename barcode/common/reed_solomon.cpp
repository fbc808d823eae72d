#include "barcode/common/reed_solomon.h"

#include <array>
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

PrimeField::PrimeField(int prime, int primitive) : prime_(prime), exp_(prime - 1) {
  int x = 1;
  for (int i = 0; i < prime - 1; ++i) {
    exp_[i] = x;
    x = x * primitive % prime;
  }
}

RsTabledDivision::RsTabledDivision(const GaloisField& field, int k, int firstRoot)
    : k_(static_cast<size_t>(std::clamp(k, 0, 255))), products_(256 * k_) {
  assert(k >= 0 && k < 256);  // more check codewords than GF(256) has roots is no code
  // 256 rows whatever the field, so a value outside a smaller field reads a
  // row of zeros rather than past the table.
  const std::vector<uint8_t> generator = RsGeneratorPolynomial(field, k, firstRoot);
  for (size_t f = 0; f < static_cast<size_t>(field.Size()); ++f)
    for (size_t j = 0; j < k_; ++j) products_[f * k_ + j] = field.Multiply(static_cast<uint8_t>(f), generator[j]);
}

void RsTabledDivision::ComputeCheck(std::span<const uint8_t> data, std::span<uint8_t> check) const {
  assert(check.size() == k_);
  if (k_ == 0) return;
  // The remainder in a local register that nothing else can alias, and the
  // degree in a local, so the step's loop runs on whole vectors.
  const size_t k = k_;
  const uint8_t* products = products_.data();
  std::array<uint8_t, 256> remainder{};
  for (const uint8_t d : data) {
    // A zero factor has a row of zeros: the step only shifts.
    const uint8_t* row = products + static_cast<size_t>(d ^ remainder[0]) * k;
    for (size_t j = 0; j + 1 < k; ++j) remainder[j] = remainder[j + 1] ^ row[j];
    remainder[k - 1] = row[k - 1];
  }
  std::copy_n(remainder.begin(), k, check.begin());
}

const PrimeField& PrimeField::Pdf417() {
  static const PrimeField field(929, 3);
  return field;
}

}  // namespace kalvo
