#include "barcode/pdf417/pdf417_reed_solomon.h"

#include <algorithm>

#include "barcode/common/per_size_cache.h"
#include "barcode/common/reed_solomon.h"

namespace kalvo::pdf417 {
namespace {

// The most check codewords a symbol has (PDF417 level 8).
constexpr size_t kMostCheckCodewords = 512;

std::vector<int> Divide(std::span<const int> data, std::span<const int> generator) {
  std::vector<int> check(generator.size(), 0);
  RsComputeCheck(PrimeField::Pdf417(), generator, data, std::span<int>(check));
  return check;
}

}  // namespace

std::vector<int> Pdf417Generator(int k) { return RsGeneratorPolynomial(PrimeField::Pdf417(), k, 1); }

std::vector<int> Pdf417CheckCodewords(std::span<const int> data, int k) {
  const size_t count = static_cast<size_t>(std::max(k, 0));
  if (count > kMostCheckCodewords) return Divide(data, Pdf417Generator(k));
  // Each generator is made once: the one of 512 check codewords alone takes
  // longer than the division by it.
  static PerSizeCache<std::vector<int>, kMostCheckCodewords + 1> generators;
  return Divide(data, generators.Get(count, [](size_t n) { return Pdf417Generator(static_cast<int>(n)); }));
}

}  // namespace kalvo::pdf417
