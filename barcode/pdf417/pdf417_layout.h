// The module rows of PDF417 and MicroPDF417 symbols: codewords laid out in
// rows with their row indicators or row address patterns, and every row
// turned into its bars and spaces from the symbol tables.
#pragma once

#include "barcode/draw/module_matrix.h"
#include "barcode/pdf417/pdf417_codewords.h"

namespace kalvo::pdf417 {

// Cluster index 0, 1, 2 (the standard's clusters 0, 3, 6) of PDF417 row r.
constexpr int Pdf417RowCluster(int r) { return r % 3; }

// The left and right row indicator codewords of PDF417 row r.
struct RowIndicators {
  int left, right;
};
RowIndicators Pdf417RowIndicators(int row, int rows, int columns, int level);

// The modules of the symbol, one matrix row per symbol row. `symbol` must
// hold a complete codeword list (Ok()).
ModuleMatrix LayOutPdf417(const Pdf417Codewords& symbol, bool truncated);
ModuleMatrix LayOutMicroPdf417(const Pdf417Codewords& symbol);

}  // namespace kalvo::pdf417
