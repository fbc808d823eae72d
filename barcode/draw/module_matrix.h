// The modules of a two-dimensional symbol (QR Code, Data Matrix, MaxiCode):
// one byte per module, row by row from the top, non-zero for dark.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvo {

struct ModuleMatrix {
  int columns = 0;
  int rows = 0;
  std::vector<uint8_t> dark;

  ModuleMatrix() = default;
  ModuleMatrix(int columnCount, int rowCount)
      : columns(columnCount), rows(rowCount), dark(static_cast<size_t>(columnCount) * rowCount, 0) {}

  bool empty() const { return dark.empty(); }
  uint8_t& operator[](size_t index) { return dark[index]; }
  uint8_t operator[](size_t index) const { return dark[index]; }
  uint8_t& At(int x, int y) { return dark[static_cast<size_t>(y) * columns + x]; }
  uint8_t At(int x, int y) const { return dark[static_cast<size_t>(y) * columns + x]; }
  std::span<const uint8_t> Row(int y) const {
    return std::span<const uint8_t>(dark).subspan(static_cast<size_t>(y) * columns, columns);
  }
  auto begin() const { return dark.begin(); }
  auto end() const { return dark.end(); }
};

}  // namespace kalvo
