// Data Matrix padding and Reed-Solomon check codewords: the data codewords
// completed to the whole codeword stream of a size.
#include <cstddef>

#include "barcode/common/per_size_cache.h"
#include "barcode/common/reed_solomon.h"
#include "barcode/datamatrix/datamatrix_codewords.h"
#include "barcode/datamatrix/datamatrix_sizes.h"

namespace kalvo::datamatrix {
namespace {

// The check codewords per block of a size, by a division tabled once per size.
const RsTabledDivision& DivisionFor(int sizeIndex) {
  static PerSizeCache<RsTabledDivision, DataMatrixSizeTable.size()> cache;
  return cache.Get(static_cast<size_t>(sizeIndex), [](size_t i) {
    const DataMatrixSize& size = DataMatrixSizeTable[i];
    return RsTabledDivision(GaloisField::DataMatrix(), size.ecCodewords / size.blocks, 1);
  });
}

}  // namespace

std::vector<uint8_t> CompleteDataMatrixCodewords(std::span<const uint8_t> data, int sizeIndex) {
  const DataMatrixSize& size = DataMatrixSizeTable[sizeIndex];
  std::vector<uint8_t> cw;
  cw.reserve(static_cast<size_t>(size.dataCodewords + size.ecCodewords));
  cw.assign(data.begin(), data.end());
  if (static_cast<int>(cw.size()) < size.dataCodewords) cw.push_back(129);
  while (static_cast<int>(cw.size()) < size.dataCodewords) {
    const int position = static_cast<int>(cw.size()) + 1;
    int value = 129 + (149 * position) % 253 + 1;
    if (value > 254) value -= 254;
    cw.push_back(static_cast<uint8_t>(value));
  }
  const int blocks = size.blocks;
  const RsTabledDivision& division = DivisionFor(sizeIndex);
  const int k = static_cast<int>(division.Degree());
  cw.resize(size.dataCodewords + size.ecCodewords);
  std::vector<uint8_t> block, check(static_cast<size_t>(k));
  block.reserve(static_cast<size_t>(size.dataCodewords / blocks + 1));
  for (int b = 0; b < blocks; ++b) {
    block.clear();
    for (int i = b; i < size.dataCodewords; i += blocks) block.push_back(cw[i]);
    division.ComputeCheck(block, check);
    // Every block, data then check codewords, is interleaved into one
    // round-robin stream: codeword j of block b sits at b + j x blocks. Where
    // all blocks are equally long (every size but 144 x 144) that puts check
    // codeword i at data + b + i x blocks; in 144 x 144 the two blocks with
    // 155 data codewords start their check codewords one round earlier, so
    // theirs lead the check part of the stream.
    const int blockData = static_cast<int>(block.size());
    for (int i = 0; i < k; ++i) cw[b + (blockData + i) * blocks] = check[i];
  }
  return cw;
}

}  // namespace kalvo::datamatrix
