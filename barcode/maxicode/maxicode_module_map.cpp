#include "barcode/maxicode/maxicode_module_map.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace kalvo::maxicode {
namespace {

constexpr int kRows = 33;
constexpr int kColumns = 30;
constexpr int16_t L = kFixedLight;
constexpr int16_t D = kFixedDark;
constexpr int16_t S = -9;  // part of a secondary-message block

// Around the finder, rows 9 to 23 and columns 6 to 21: the primary message's
// bits (codewords 0-19) and the orientation modules.
constexpr int kCentreTop = 9;
constexpr int kCentreLeft = 6;
constexpr int kCentreRows = 15;
constexpr int kCentreColumns = 16;
constexpr int16_t kCentre[kCentreRows][kCentreColumns] = {
    {S, S, 79, 78, D, D, 13, 12, 37, 36, 2, L, 44, 43, 109, 108},
    {S, S, 81, 80, 40, D, 15, 14, 39, 38, 3, L, L, 45, 111, 110},
    {S, S, 83, 82, 41, L, L, L, L, L, 5, 4, 47, 46, 113, 112},
    {103, 102, 55, 54, 16, L, L, L, L, L, L, L, 20, 19, 85, 84},
    {105, 104, 57, 56, L, L, L, L, L, L, L, L, 22, 21, 87, 86},
    {107, 106, 59, 58, L, L, L, L, L, L, L, L, L, 23, 89, 88},
    {48, D, 30, L, L, L, L, L, L, L, L, L, L, 0, 53, 52},
    {49, L, D, L, L, L, L, L, L, L, L, L, L, L, D, L},
    {51, 50, 31, L, L, L, L, L, L, L, L, L, L, 1, D, 42},
    {97, 96, 61, 60, L, L, L, L, L, L, L, L, L, 26, 91, 90},
    {99, 98, 63, 62, L, L, L, L, L, L, L, L, 28, 27, 93, 92},
    {101, 100, 65, 64, 17, L, L, L, L, L, L, L, 18, 29, 95, 94},
    {S, S, 73, 72, 32, L, L, L, L, L, L, 10, 67, 66, 115, 114},
    {S, S, 75, 74, D, L, 7, 6, 35, 34, 11, D, 69, 68, 117, 116},
    {S, S, 77, 76, D, 33, 9, 8, 25, 24, L, D, 71, 70, 119, 118},
};

// Block columns (left column of each two-column block) of each block row of
// three module rows: full rows above and below the finder, the two sides
// beside it.
std::vector<int> BlockColumns(int blockRow) {
  std::vector<int> columns;
  const bool besideCentre = blockRow >= 3 && blockRow <= 7;
  const bool wideSides = blockRow == 3 || blockRow == 7;
  for (int c = 0; c < 28; c += 2) {
    if (besideCentre && c >= (wideSides ? 8 : 6) && c < 22) continue;
    columns.push_back(c);
  }
  return columns;
}

ModuleMap BuildModuleMap() {
  ModuleMap map;
  map.fill(L);
  auto at = [&map](int row, int column) -> int16_t& { return map[row * kColumns + column]; };

  // Secondary message, codewords 20-135: blocks of two columns by three rows,
  // block row by block row, alternately left to right and right to left.
  // Within a block the bits run right to left along each of its three rows,
  // most significant first, as ISO/IEC 16023's module map numbers them: the
  // most significant bit sits in the right column of the top row and the
  // least significant in the left column of the bottom row.
  int codeword = 20;
  for (int blockRow = 0; blockRow < 11; ++blockRow) {
    std::vector<int> columns = BlockColumns(blockRow);
    if (blockRow % 2 == 1) std::reverse(columns.begin(), columns.end());
    for (int c : columns) {
      for (int bit = 0; bit < 6; ++bit) at(3 * blockRow + bit / 2, c + 1 - bit % 2) = 6 * codeword + bit;
      ++codeword;
    }
  }
  // Codewords 136-143 run down the two right-hand columns: one module in odd
  // rows, two (right one first) in even rows.
  int bit = 6 * 136;
  for (int row = 1; row < kRows; ++row) {
    if (row % 2 == 0) at(row, 29) = bit++;
    at(row, 28) = bit++;
  }
  at(0, 28) = D;
  at(0, 29) = D;
  // Primary message and orientation around the finder.
  for (int r = 0; r < kCentreRows; ++r)
    for (int c = 0; c < kCentreColumns; ++c)
      if (kCentre[r][c] != S) at(kCentreTop + r, kCentreLeft + c) = kCentre[r][c];
  return map;
}

}  // namespace

const ModuleMap& MaxiCodeModuleMap() {
  static const ModuleMap map = BuildModuleMap();
  return map;
}

const BitModules& MaxiCodeBitModules() {
  static const BitModules modules = [] {
    BitModules list{};
    const ModuleMap& map = MaxiCodeModuleMap();
    for (size_t m = 0; m < map.size(); ++m)
      if (map[m] >= 0) list[map[m]] = static_cast<int16_t>(m);
    return list;
  }();
  return modules;
}

}  // namespace kalvo::maxicode
