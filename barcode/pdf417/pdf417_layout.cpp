#include "barcode/pdf417/pdf417_layout.h"

#include "barcode/pdf417/pdf417_tables.h"

namespace kalvo::pdf417 {
namespace {

// Appends `count` modules of `pattern`, its first module in the highest bit.
void Put(std::vector<uint8_t>& row, uint32_t pattern, int count) {
  for (int bit = count - 1; bit >= 0; --bit) row.push_back(static_cast<uint8_t>((pattern >> bit) & 1u));
}

void PutCodeword(std::vector<uint8_t>& row, int cluster, int value) {
  Put(row, CodewordPattern(cluster, value), kCodewordModules);
}

}  // namespace

RowIndicators Pdf417RowIndicators(int row, int rows, int columns, int level) {
  const int base = 30 * (row / 3);
  const int rowsPart = (rows - 1) / 3;
  const int levelPart = 3 * level + (rows - 1) % 3;
  const int columnsPart = columns - 1;
  switch (Pdf417RowCluster(row)) {
    case 0: return {base + rowsPart, base + columnsPart};
    case 1: return {base + levelPart, base + rowsPart};
    default: return {base + columnsPart, base + levelPart};
  }
}

SymbolModules LayOutPdf417(const Pdf417Codewords& symbol, bool truncated) {
  SymbolModules out;
  out.rows = symbol.rows;
  out.width = kCodewordModules * symbol.columns + (truncated ? 35 : 69);
  out.sameLeft = kStartModules;
  out.sameRight = truncated ? 1 : kStopModules;
  out.dark.reserve(static_cast<size_t>(out.width) * out.rows);
  for (int r = 0; r < symbol.rows; ++r) {
    const int cluster = Pdf417RowCluster(r);
    const RowIndicators indicators = Pdf417RowIndicators(r, symbol.rows, symbol.columns, symbol.level);
    Put(out.dark, StartPattern, kStartModules);
    PutCodeword(out.dark, cluster, indicators.left);
    for (int c = 0; c < symbol.columns; ++c) PutCodeword(out.dark, cluster, symbol.codewords[r * symbol.columns + c]);
    if (truncated) {
      out.dark.push_back(1);
    } else {
      PutCodeword(out.dark, cluster, indicators.right);
      Put(out.dark, StopPattern, kStopModules);
    }
  }
  return out;
}

SymbolModules LayOutMicroPdf417(const Pdf417Codewords& symbol) {
  const MicroPdfSize& size = MicroPdfSizeTable[symbol.microIndex];
  SymbolModules out;
  out.rows = size.rows;
  out.width = kCodewordModules * size.columns + kRowAddressModules * RowAddressPatterns(size.columns) + 1;
  out.dark.reserve(static_cast<size_t>(out.width) * out.rows);
  // The centre pattern follows codeword 1 in three columns, codeword 2 in four.
  const int centreAfter = size.columns == 3 ? 1 : size.columns == 4 ? 2 : -1;
  for (int r = 0; r < size.rows; ++r) {
    const int cluster = (size.leftStart + r) % 3;
    Put(out.dark, SideRowAddressPatterns[(size.leftStart + r) % kRowAddressCount], kRowAddressModules);
    for (int c = 0; c < size.columns; ++c) {
      if (c == centreAfter)
        Put(out.dark, CentreRowAddressPatterns[(size.centreStart + r) % kRowAddressCount], kRowAddressModules);
      PutCodeword(out.dark, cluster, symbol.codewords[r * size.columns + c]);
    }
    Put(out.dark, SideRowAddressPatterns[(size.rightStart + r) % kRowAddressCount], kRowAddressModules);
    out.dark.push_back(1);  // the closing bar
  }
  return out;
}

}  // namespace kalvo::pdf417
