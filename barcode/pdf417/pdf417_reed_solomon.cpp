#include "barcode/pdf417/pdf417_reed_solomon.h"

#include "barcode/common/reed_solomon.h"

namespace kalvo::pdf417 {

std::vector<int> Pdf417Generator(int k) { return RsGeneratorPolynomial(PrimeField::Pdf417(), k, 1); }

std::vector<int> Pdf417CheckCodewords(std::span<const int> data, int k) {
  const std::vector<int> generator = Pdf417Generator(k);
  std::vector<int> check(k, 0);
  RsComputeCheck(PrimeField::Pdf417(), std::span<const int>(generator), data, std::span<int>(check));
  return check;
}

}  // namespace kalvo::pdf417
