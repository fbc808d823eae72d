// The MicroPDF417 symbol sizes and their check-codeword counts.
#pragma once

#include <array>

namespace kalvo::pdf417 {

struct MicroPdfSize {
  int columns, rows, checkCodewords;
};

inline constexpr std::array<MicroPdfSize, 34> MicroPdfSizeTable{{
    {1, 11, 7},  {1, 14, 7},  {1, 17, 7},  {1, 20, 8},  {1, 24, 8},  {1, 28, 8},
    {2, 8, 8},   {2, 11, 9},  {2, 14, 9},  {2, 17, 10}, {2, 20, 11}, {2, 23, 13}, {2, 26, 15},
    {3, 6, 12},  {3, 8, 14},  {3, 10, 16}, {3, 12, 18}, {3, 15, 21}, {3, 20, 26}, {3, 26, 32},
    {3, 32, 38}, {3, 38, 44}, {3, 44, 50},
    {4, 6, 12},  {4, 8, 14},  {4, 10, 16}, {4, 12, 18}, {4, 15, 21}, {4, 20, 26}, {4, 26, 32},
    {4, 32, 38}, {4, 38, 44}, {4, 44, 50},
    {4, 4, 8},
}};

// Row address patterns of a symbol with this many columns.
constexpr int RowAddressPatterns(int columns) { return columns <= 2 ? 2 : 3; }

}  // namespace kalvo::pdf417
