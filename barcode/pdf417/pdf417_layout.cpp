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
  ModuleMatrix& m = out.matrix;
  m.rows = symbol.rows;
  m.columns = kCodewordModules * symbol.columns + (truncated ? 35 : 69);
  m.dark.reserve(static_cast<size_t>(m.columns) * m.rows);
  out.sameLeft = kStartModules;
  out.sameRight = truncated ? 1 : kStopModules;
  for (int r = 0; r < symbol.rows; ++r) {
    const int cluster = Pdf417RowCluster(r);
    const RowIndicators indicators = Pdf417RowIndicators(r, symbol.rows, symbol.columns, symbol.level);
    Put(m.dark, StartPattern, kStartModules);
    PutCodeword(m.dark, cluster, indicators.left);
    for (int c = 0; c < symbol.columns; ++c) PutCodeword(m.dark, cluster, symbol.codewords[r * symbol.columns + c]);
    if (truncated) {
      m.dark.push_back(1);
    } else {
      PutCodeword(m.dark, cluster, indicators.right);
      Put(m.dark, StopPattern, kStopModules);
    }
  }
  return out;
}

SymbolModules LayOutMicroPdf417(const Pdf417Codewords& symbol) {
  const MicroPdfSize& size = MicroPdfSizeTable[symbol.microIndex];
  SymbolModules out;
  ModuleMatrix& m = out.matrix;
  m.rows = size.rows;
  m.columns = kCodewordModules * size.columns + kRowAddressModules * RowAddressPatterns(size.columns) + 1;
  m.dark.reserve(static_cast<size_t>(m.columns) * m.rows);
  // The centre pattern follows codeword 1 in three columns, codeword 2 in four.
  const int centreAfter = size.columns == 3 ? 1 : size.columns == 4 ? 2 : -1;
  for (int r = 0; r < size.rows; ++r) {
    const int cluster = (size.leftStart + r) % 3;
    Put(m.dark, SideRowAddressPatterns[(size.leftStart + r) % kRowAddressCount], kRowAddressModules);
    for (int c = 0; c < size.columns; ++c) {
      if (c == centreAfter)
        Put(m.dark, CentreRowAddressPatterns[(size.centreStart + r) % kRowAddressCount], kRowAddressModules);
      PutCodeword(m.dark, cluster, symbol.codewords[r * size.columns + c]);
    }
    Put(m.dark, SideRowAddressPatterns[(size.rightStart + r) % kRowAddressCount], kRowAddressModules);
    m.dark.push_back(1);  // the closing bar
  }
  return out;
}

}  // namespace kalvo::pdf417
