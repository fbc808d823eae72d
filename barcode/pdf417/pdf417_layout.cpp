#include "barcode/pdf417/pdf417_layout.h"

#include <cassert>
#include <cstdint>

#include "barcode/pdf417/pdf417_tables.h"

namespace kalvo::pdf417 {
namespace {

// Writes a matrix's modules in order, row after row: every module is written
// once, into the room the matrix was made with.
class ModuleWriter {
 public:
  explicit ModuleWriter(ModuleMatrix& matrix) : next_(matrix.dark.data()), end_(next_ + matrix.dark.size()) {}
  ~ModuleWriter() { assert(next_ == end_); }
  ModuleWriter(const ModuleWriter&) = delete;
  ModuleWriter& operator=(const ModuleWriter&) = delete;

  // `count` modules of `pattern`, its first module in the highest bit.
  void Put(uint32_t pattern, int count) {
    assert(next_ + count <= end_);
    for (int bit = count - 1; bit >= 0; --bit) *next_++ = static_cast<uint8_t>((pattern >> bit) & 1u);
  }
  void Codeword(int cluster, int value) { Put(CodewordPattern(cluster, value), kCodewordModules); }
  void Bar() { Put(1, 1); }

 private:
  uint8_t* next_;
  uint8_t* end_;
};

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

ModuleMatrix LayOutPdf417(const Pdf417Codewords& symbol, bool truncated) {
  ModuleMatrix m(kCodewordModules * symbol.columns + (truncated ? 35 : 69), symbol.rows);
  ModuleWriter out(m);
  for (int r = 0; r < symbol.rows; ++r) {
    const int cluster = Pdf417RowCluster(r);
    const RowIndicators indicators = Pdf417RowIndicators(r, symbol.rows, symbol.columns, symbol.level);
    out.Put(StartPattern, kStartModules);
    out.Codeword(cluster, indicators.left);
    for (int c = 0; c < symbol.columns; ++c) out.Codeword(cluster, symbol.codewords[r * symbol.columns + c]);
    if (truncated) {
      out.Bar();
    } else {
      out.Codeword(cluster, indicators.right);
      out.Put(StopPattern, kStopModules);
    }
  }
  return m;
}

ModuleMatrix LayOutMicroPdf417(const Pdf417Codewords& symbol) {
  const MicroPdfSize& size = MicroPdfSizeTable[symbol.microIndex];
  ModuleMatrix m(kCodewordModules * size.columns + kRowAddressModules * RowAddressPatterns(size.columns) + 1,
                 size.rows);
  ModuleWriter out(m);
  // The centre pattern follows codeword 1 in three columns, codeword 2 in four.
  const int centreAfter = size.columns == 3 ? 1 : size.columns == 4 ? 2 : -1;
  for (int r = 0; r < size.rows; ++r) {
    const int cluster = (size.leftStart + r) % 3;
    out.Put(SideRowAddressPatterns[(size.leftStart + r) % kRowAddressCount], kRowAddressModules);
    for (int c = 0; c < size.columns; ++c) {
      if (c == centreAfter)
        out.Put(CentreRowAddressPatterns[(size.centreStart + r) % kRowAddressCount], kRowAddressModules);
      out.Codeword(cluster, symbol.codewords[r * size.columns + c]);
    }
    out.Put(SideRowAddressPatterns[(size.rightStart + r) % kRowAddressCount], kRowAddressModules);
    out.Bar();  // the closing bar
  }
  return m;
}

}  // namespace kalvo::pdf417
