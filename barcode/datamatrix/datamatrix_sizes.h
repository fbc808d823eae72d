// The Data Matrix ECC 200 symbol sizes, 24 square and 6 rectangular.
#pragma once

#include <array>

namespace kalvo::datamatrix {

struct DataMatrixSize {
  int rows, columns;              // symbol
  int regionRows, regionColumns;  // data area of one region
  int regionsAcross;
  int dataCodewords, ecCodewords, blocks;

  constexpr int RegionsDown() const { return rows / (regionRows + 2); }
  constexpr int MappingRows() const { return regionRows * RegionsDown(); }
  constexpr int MappingColumns() const { return regionColumns * regionsAcross; }
  constexpr bool Square() const { return rows == columns; }
};

inline constexpr std::array<DataMatrixSize, 30> DataMatrixSizeTable{{
    {10, 10, 8, 8, 1, 3, 5, 1},          {12, 12, 10, 10, 1, 5, 7, 1},
    {14, 14, 12, 12, 1, 8, 10, 1},       {16, 16, 14, 14, 1, 12, 12, 1},
    {18, 18, 16, 16, 1, 18, 14, 1},      {20, 20, 18, 18, 1, 22, 18, 1},
    {22, 22, 20, 20, 1, 30, 20, 1},      {24, 24, 22, 22, 1, 36, 24, 1},
    {26, 26, 24, 24, 1, 44, 28, 1},      {32, 32, 14, 14, 2, 62, 36, 1},
    {36, 36, 16, 16, 2, 86, 42, 1},      {40, 40, 18, 18, 2, 114, 48, 1},
    {44, 44, 20, 20, 2, 144, 56, 1},     {48, 48, 22, 22, 2, 174, 68, 1},
    {52, 52, 24, 24, 2, 204, 84, 2},     {64, 64, 14, 14, 4, 280, 112, 2},
    {72, 72, 16, 16, 4, 368, 144, 4},    {80, 80, 18, 18, 4, 456, 192, 4},
    {88, 88, 20, 20, 4, 576, 224, 4},    {96, 96, 22, 22, 4, 696, 272, 4},
    {104, 104, 24, 24, 4, 816, 336, 6},  {120, 120, 18, 18, 6, 1050, 408, 6},
    {132, 132, 20, 20, 6, 1304, 496, 8}, {144, 144, 22, 22, 6, 1558, 620, 10},
    {8, 18, 6, 16, 1, 5, 7, 1},          {8, 32, 6, 14, 2, 10, 11, 1},
    {12, 26, 10, 24, 1, 16, 14, 1},      {12, 36, 10, 16, 2, 22, 18, 1},
    {16, 36, 14, 16, 2, 32, 24, 1},      {16, 48, 14, 22, 2, 49, 28, 1},
}};

inline constexpr int kMaxDataCodewords = 1558;
// The modules of the largest mapping matrix (132 x 132).
inline constexpr int kMaxMappingCells = [] {
  int most = 0;
  for (const DataMatrixSize& size : DataMatrixSizeTable)
    most = size.MappingRows() * size.MappingColumns() > most ? size.MappingRows() * size.MappingColumns() : most;
  return most;
}();
static_assert(kMaxMappingCells == 132 * 132);
inline constexpr int kMaxTextLength = 3000;

}  // namespace kalvo::datamatrix
