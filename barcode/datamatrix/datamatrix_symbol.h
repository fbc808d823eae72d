// Data Matrix ECC 200 symbol: codeword placement into the mapping matrix and
// the regions with their finder and clock edges.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "barcode/draw/module_matrix.h"

namespace kalvo::datamatrix {

struct DataMatrixSymbol {
  int sizeIndex = -1;
  ModuleMatrix matrix;
};

// The mapping matrix (1 = dark) of a complete codeword stream; empty for a
// mapping larger than the largest size's.
std::vector<uint8_t> PlaceDataMatrixCodewords(std::span<const uint8_t> codewords, int mappingRows,
                                              int mappingColumns);

enum class DataMatrixResult { Ok, EmptyText, TooLong, DoesNotFit };

// Encodes `text` at the requested size row (-1 for automatic).
DataMatrixResult BuildDataMatrixSymbol(std::span<const uint8_t> text, int requestedIndex, DataMatrixSymbol& out);

// The size row of a requested rows x columns, -1 for automatic (rows 0 or less, or no such size).
int DataMatrixSizeIndex(int rows, int columns);

}  // namespace kalvo::datamatrix
