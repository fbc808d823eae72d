// Reed-Solomon error correction, one routine for every two-dimensional
// symbology: over GF(2^m) for Data Matrix (GF(256), 0x12D), QR Code (GF(256),
// 0x11D) and MaxiCode (GF(64), 0x43), and over the prime field GF(929) for
// PDF417 and MicroPDF417. Each symbology names its field and the exponent of
// the generator's first root; the generator and the division are the same
// code for all of them.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvo {

// GF(2^m): addition and subtraction are both exclusive or.
class GaloisField {
 public:
  using Element = uint8_t;

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
  // a^power for 0 <= power < 2 x (Size() - 1): the product of two non-zero
  // elements by the sum of their logarithms, without the modulo.
  uint8_t ExpOfSum(int power) const { return exp_[power]; }
  static uint8_t Add(uint8_t a, uint8_t b) { return a ^ b; }
  static uint8_t Subtract(uint8_t a, uint8_t b) { return a ^ b; }
  static uint8_t Negate(uint8_t a) { return a; }

  static const GaloisField& DataMatrix();  // GF(256), x^8+x^5+x^3+x^2+1
  static const GaloisField& QrCode();      // GF(256), x^8+x^4+x^3+x^2+1
  static const GaloisField& MaxiCode();    // GF(64), x^6+x+1

 private:
  int size_;
  std::vector<uint8_t> exp_;  // doubled so Multiply needs no modulo
  std::vector<int> log_;
};

// GF(p) for a prime p, with a primitive element.
class PrimeField {
 public:
  using Element = int;

  PrimeField(int prime, int primitive);

  int Size() const { return prime_; }
  int Exp(int power) const { return exp_[power % (prime_ - 1)]; }
  int Multiply(int a, int b) const { return a * b % prime_; }
  int Add(int a, int b) const { return (a + b) % prime_; }
  int Subtract(int a, int b) const { return (a + prime_ - b) % prime_; }
  int Negate(int a) const { return (prime_ - a) % prime_; }

  static const PrimeField& Pdf417();  // GF(929), primitive element 3

 private:
  int prime_;
  std::vector<int> exp_;
};

// Generator polynomial prod_{i=0}^{k-1} (x - a^(firstRoot + i)), coefficients
// from the highest degree down, the leading 1 left out (k values).
template <class Field>
std::vector<typename Field::Element> RsGeneratorPolynomial(const Field& field, int k, int firstRoot) {
  using E = typename Field::Element;
  // poly[0] is the leading coefficient; multiply in one root at a time.
  std::vector<E> poly{E{1}};
  for (int i = 0; i < k; ++i) {
    const E root = field.Exp(firstRoot + i);
    std::vector<E> next(poly.size() + 1, E{0});
    for (size_t j = 0; j < poly.size(); ++j) {
      next[j] = field.Add(next[j], poly[j]);                                   // * x
      next[j + 1] = field.Subtract(next[j + 1], field.Multiply(poly[j], root));  // * (-root)
    }
    poly = std::move(next);
  }
  return {poly.begin() + 1, poly.end()};
}

// Check codewords of `data`: the negated remainder of data(x) * x^k divided
// by the generator (k = generator.size()), highest degree first, into `check`.
// (Over GF(2^m) negation changes nothing.)
template <class Field>
void RsComputeCheck(const Field& field, std::span<const typename Field::Element> generator,
                    std::span<const typename Field::Element> data, std::span<typename Field::Element> check) {
  using E = typename Field::Element;
  const size_t k = generator.size();
  assert(check.size() == k);
  std::fill(check.begin(), check.end(), E{0});
  if (k == 0) return;
  for (const E d : data) {
    const E factor = field.Add(d, check[0]);
    for (size_t j = 0; j + 1 < k; ++j) check[j] = field.Subtract(check[j + 1], field.Multiply(generator[j], factor));
    check[k - 1] = field.Negate(field.Multiply(generator[k - 1], factor));
  }
  for (E& c : check) c = field.Negate(c);
}

// The same division over GF(2^m), where it runs in the inner loop of the
// larger symbols: the generator's coefficients are taken by their logarithms
// once, and a step whose factor is zero only shifts.
inline void RsComputeCheck(const GaloisField& field, std::span<const uint8_t> generator,
                           std::span<const uint8_t> data, std::span<uint8_t> check) {
  const size_t k = generator.size();
  assert(check.size() == k);
  std::fill(check.begin(), check.end(), uint8_t{0});
  if (k == 0) return;
  std::vector<int> logs(k);
  bool anyZero = false;
  for (size_t j = 0; j < k; ++j) {
    anyZero = anyZero || generator[j] == 0;
    logs[j] = generator[j] == 0 ? 0 : field.Log(generator[j]);
  }
  if (anyZero) {  // not a generator of distinct roots: the plain division
    RsComputeCheck<GaloisField>(field, generator, data, check);
    return;
  }
  for (const uint8_t d : data) {
    const uint8_t factor = d ^ check[0];
    if (factor == 0) {
      std::copy(check.begin() + 1, check.end(), check.begin());
      check[k - 1] = 0;
      continue;
    }
    const int logFactor = field.Log(factor);
    for (size_t j = 0; j + 1 < k; ++j) check[j] = check[j + 1] ^ field.ExpOfSum(logs[j] + logFactor);
    check[k - 1] = field.ExpOfSum(logs[k - 1] + logFactor);
  }
}

// The same division over GF(p), where the larger PDF417 levels (up to 512
// check codewords) make it the costly step: the products are summed without
// reduction, so that the inner loop is plain multiply-adds over 32 bits, and
// only each step's factor and the final values are reduced. A value gathers
// at most k products of two elements below p before it leaves the register,
// which 32 bits hold while k (p - 1)^2 < 2^32 (k up to 4976 for GF(929));
// beyond that the plain division.
inline void RsComputeCheck(const PrimeField& field, std::span<const int> generator, std::span<const int> data,
                           std::span<int> check) {
  const size_t k = generator.size();
  assert(check.size() == k);
  const uint64_t p = static_cast<uint64_t>(field.Size());
  if (k == 0 || k * (p - 1) * (p - 1) >= (uint64_t{1} << 32)) {
    RsComputeCheck<PrimeField>(field, generator, data, check);
    return;
  }
  std::vector<uint32_t> negated(k), sums(k, 0);
  for (size_t j = 0; j < k; ++j) negated[j] = static_cast<uint32_t>(field.Negate(generator[j]));
  const auto prime = static_cast<uint32_t>(p);
  for (const int d : data) {
    const uint32_t factor = (static_cast<uint32_t>(d) % prime + sums[0] % prime) % prime;
    for (size_t j = 0; j + 1 < k; ++j) sums[j] = sums[j + 1] + negated[j] * factor;
    sums[k - 1] = negated[k - 1] * factor;
  }
  for (size_t j = 0; j < k; ++j) check[j] = field.Negate(static_cast<int>(sums[j] % prime));
}

// The same division by one generator over GF(2^m) with the product of every
// field element and every coefficient tabled, so a step is one row of
// exclusive ors: worth its table where one generator serves many blocks and
// symbols, kept for the life of the library.
class RsTabledDivision {
 public:
  // k below 256.
  RsTabledDivision(const GaloisField& field, int k, int firstRoot);

  size_t Degree() const { return k_; }
  // As RsComputeCheck with the generator of k and firstRoot; check holds k values.
  void ComputeCheck(std::span<const uint8_t> data, std::span<uint8_t> check) const;

 private:
  size_t k_;
  std::vector<uint8_t> products_;  // row f (k values): f times each coefficient
};

}  // namespace kalvo
