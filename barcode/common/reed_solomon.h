// Reed-Solomon error correction over GF(2^m), shared by the two-dimensional
// symbologies: Data Matrix (GF(256), 0x12D), QR Code (GF(256), 0x11D) and
// MaxiCode (GF(64), 0x43). Each symbology names its field and the exponent of
// the generator's first root.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kalvo {

class GaloisField {
 public:
  // bits: field size 2^bits (at most 8); polynomial: the primitive polynomial
  // including its x^bits term, e.g. 0x11D.
  GaloisField(int bits, unsigned polynomial);

  int Size() const { return size_; }
  uint8_t Exp(int power) const { return exp_[power % (size_ - 1)]; }
  int Log(uint8_t value) const { return log_[value]; }  // value must not be 0
  uint8_t Multiply(uint8_t a, uint8_t b) const {
    if (a == 0 || b == 0) return 0;
    return exp_[log_[a] + log_[b]];
  }

  static const GaloisField& DataMatrix();  // GF(256), x^8+x^5+x^3+x^2+1
  static const GaloisField& QrCode();      // GF(256), x^8+x^4+x^3+x^2+1
  static const GaloisField& MaxiCode();    // GF(64), x^6+x+1

 private:
  int size_;
  std::vector<uint8_t> exp_;  // doubled so Multiply needs no modulo
  std::vector<int> log_;
};

// Generator polynomial prod_{i=0}^{k-1} (x - a^(firstRoot + i)), coefficients
// from the highest degree down, the leading 1 left out (k values).
std::vector<uint8_t> RsGeneratorPolynomial(const GaloisField& field, int k, int firstRoot);

// Check codewords of `data`: the remainder of data(x) * x^k divided by the
// generator (k = generator.size()), highest degree first, into `check`.
void RsComputeCheck(const GaloisField& field, std::span<const uint8_t> generator,
                    std::span<const uint8_t> data, std::span<uint8_t> check);

}  // namespace kalvo
