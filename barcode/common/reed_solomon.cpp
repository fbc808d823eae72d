#include "barcode/common/reed_solomon.h"

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

const PrimeField& PrimeField::Pdf417() {
  static const PrimeField field(929, 3);
  return field;
}

}  // namespace kalvo
