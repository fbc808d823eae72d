#include "barcode/common/reed_solomon.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <random>
#include <vector>

namespace {

using kalvo::GaloisField;

struct FieldCase {
  const char* name;
  const GaloisField& field;
  int bits;
  unsigned polynomial;
  int firstRoot;
};

std::vector<FieldCase> Fields() {
  return {{"DataMatrix", GaloisField::DataMatrix(), 8, 0x12D, 1},
          {"QrCode", GaloisField::QrCode(), 8, 0x11D, 0},
          {"MaxiCode", GaloisField::MaxiCode(), 6, 0x43, 1}};
}

// Carry-less product reduced by the field polynomial: an independent multiply.
unsigned SlowMultiply(unsigned a, unsigned b, int bits, unsigned polynomial) {
  unsigned product = 0;
  for (int i = 0; i < bits; ++i)
    if (b & (1u << i)) product ^= a << i;
  for (int i = 2 * bits - 2; i >= bits; --i)
    if (product & (1u << i)) product ^= polynomial << (i - bits);
  return product;
}

TEST(ReedSolomon, FieldMultiplicationMatchesPolynomialArithmetic) {
  for (const FieldCase& c : Fields()) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.field.Size(), 1 << c.bits);
    for (unsigned a = 0; a < static_cast<unsigned>(c.field.Size()); ++a)
      for (unsigned b = 0; b < static_cast<unsigned>(c.field.Size()); ++b)
        ASSERT_EQ(c.field.Multiply(a, b), SlowMultiply(a, b, c.bits, c.polynomial)) << a << " * " << b;
  }
}

TEST(ReedSolomon, QrGeneratorOfSevenMatchesTheStandard) {
  // g(x) for 7 check codewords: exponents 87, 229, 146, 149, 238, 102, 21 after the leading a^0.
  const GaloisField& f = GaloisField::QrCode();
  const std::vector<uint8_t> g = kalvo::RsGeneratorPolynomial(f, 7, 0);
  const int exponents[] = {87, 229, 146, 149, 238, 102, 21};
  ASSERT_EQ(g.size(), 7u);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(g[i], f.Exp(exponents[i])) << i;
}

// A codeword polynomial with correct check codewords vanishes at every root of the generator.
TEST(ReedSolomon, CheckedCodewordsVanishAtTheGeneratorRoots) {
  std::mt19937 random(7);
  for (const FieldCase& c : Fields()) {
    SCOPED_TRACE(c.name);
    for (int k : {5, 10, 20, 28}) {
      const std::vector<uint8_t> g = kalvo::RsGeneratorPolynomial(c.field, k, c.firstRoot);
      std::vector<uint8_t> data(30);
      for (auto& d : data) d = static_cast<uint8_t>(random() % c.field.Size());
      std::vector<uint8_t> check(k);
      kalvo::RsComputeCheck(c.field, g, data, check);
      std::vector<uint8_t> word = data;
      word.insert(word.end(), check.begin(), check.end());
      for (int r = 0; r < k; ++r) {
        const uint8_t root = c.field.Exp(c.firstRoot + r);
        uint8_t value = 0;
        for (uint8_t coefficient : word) value = c.field.Multiply(value, root) ^ coefficient;
        EXPECT_EQ(value, 0) << "k " << k << " root " << r;
      }
    }
  }
}

// The same routine over the prime field of PDF417: 3 generates all 928
// non-zero elements, and checked codewords vanish at 3^1 ... 3^k.
TEST(ReedSolomon, PrimeFieldOfPdf417) {
  const kalvo::PrimeField& f = kalvo::PrimeField::Pdf417();
  std::vector<bool> seen(929, false);
  for (int i = 0; i < 928; ++i) seen[f.Exp(i)] = true;
  EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), true), 928);
  EXPECT_FALSE(seen[0]);
  std::mt19937 random(9);
  for (int k : {2, 8, 64, 512}) {
    const std::vector<int> g = kalvo::RsGeneratorPolynomial(f, k, 1);
    std::vector<int> data(40);
    for (int& d : data) d = static_cast<int>(random() % 929);
    std::vector<int> check(k);
    kalvo::RsComputeCheck(f, std::span<const int>(g), std::span<const int>(data), std::span<int>(check));
    std::vector<int> word = data;
    word.insert(word.end(), check.begin(), check.end());
    for (int r = 1; r <= k; ++r) {
      int value = 0;
      for (int coefficient : word) value = f.Add(f.Multiply(value, f.Exp(r)), coefficient);
      ASSERT_EQ(value, 0) << "k " << k << " root " << r;
    }
  }
}

TEST(ReedSolomon, DataMatrixWorkedExample) {
  // "123456" in a 10 x 10 symbol: data 142 164 186, check 114 25 5 88 102.
  const GaloisField& f = GaloisField::DataMatrix();
  const std::vector<uint8_t> g = kalvo::RsGeneratorPolynomial(f, 5, 1);
  const std::vector<uint8_t> data{142, 164, 186};
  std::vector<uint8_t> check(5);
  kalvo::RsComputeCheck(f, g, data, check);
  EXPECT_EQ(check, (std::vector<uint8_t>{114, 25, 5, 88, 102}));
}

}  // namespace

namespace {

// The division by logarithms over GF(2^m) and the plain one give the same
// check codewords, data with zero factors (a leading run of zeros) included.
TEST(ReedSolomon, DivisionByLogarithmsMatchesThePlainDivision) {
  std::mt19937 random(7);
  for (const FieldCase& c : Fields()) {
    SCOPED_TRACE(c.name);
    for (int k : {1, 5, 10, 28, 62}) {
      if (k >= c.field.Size() - 1) continue;
      const std::vector<uint8_t> generator = kalvo::RsGeneratorPolynomial(c.field, k, c.firstRoot);
      for (size_t length : {size_t{1}, size_t{13}, size_t{156}}) {
        std::vector<uint8_t> data(length);
        for (auto& d : data) d = static_cast<uint8_t>(random() % static_cast<unsigned>(c.field.Size()));
        std::fill(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length / 3), uint8_t{0});
        std::vector<uint8_t> fast(static_cast<size_t>(k)), plain(static_cast<size_t>(k));
        kalvo::RsComputeCheck(c.field, generator, data, fast);
        kalvo::RsComputeCheck<GaloisField>(c.field, generator, data, plain);
        EXPECT_EQ(fast, plain) << "k " << k << ", length " << length;
      }
    }
  }
}

// The tabled division gives the check codewords of the plain division, for
// each field, generator degree and data length, zero factors included.
TEST(ReedSolomon, TabledDivisionMatchesThePlainDivision) {
  std::mt19937 random(12);
  for (const FieldCase& c : Fields()) {
    SCOPED_TRACE(c.name);
    for (int k : {1, 5, 10, 28, 62, 68}) {
      if (k >= c.field.Size() - 1) continue;
      const std::vector<uint8_t> generator = kalvo::RsGeneratorPolynomial(c.field, k, c.firstRoot);
      const kalvo::RsTabledDivision division(c.field, k, c.firstRoot);
      ASSERT_EQ(division.Degree(), static_cast<size_t>(k));
      for (size_t length : {size_t{0}, size_t{1}, size_t{13}, size_t{156}}) {
        std::vector<uint8_t> data(length);
        for (auto& d : data) d = static_cast<uint8_t>(random() % static_cast<unsigned>(c.field.Size()));
        std::fill(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length / 3), uint8_t{0});
        std::vector<uint8_t> tabled(static_cast<size_t>(k), 0xAA), plain(static_cast<size_t>(k));
        division.ComputeCheck(data, tabled);
        kalvo::RsComputeCheck<GaloisField>(c.field, generator, data, plain);
        EXPECT_EQ(tabled, plain) << "k " << k << ", length " << length;
      }
    }
  }
}

}  // namespace
