#include "barcode/datamatrix/datamatrix_symbol.h"

#include <algorithm>
#include <cstddef>

#include "barcode/common/per_size_cache.h"
#include "barcode/datamatrix/datamatrix_codewords.h"
#include "barcode/datamatrix/datamatrix_sizes.h"

namespace kalvo::datamatrix {
namespace {

// The placement walk: the eight-module "utah" shape along diagonals, with the
// four corner shapes. Cells hold the codeword index x 8 + bit, -1 where no
// codeword reaches.
class Placement {
 public:
  Placement(int rows, int columns) : rows_(rows), columns_(columns), cells_(rows * columns, -1) {}

  void Run() {
    int chr = 0, row = 4, col = 0;
    do {
      if (row == rows_ && col == 0) Corner1(chr++);
      if (row == rows_ - 2 && col == 0 && columns_ % 4 != 0) Corner2(chr++);
      if (row == rows_ - 2 && col == 0 && columns_ % 8 == 4) Corner3(chr++);
      if (row == rows_ + 4 && col == 2 && columns_ % 8 == 0) Corner4(chr++);
      do {
        if (row < rows_ && col >= 0 && Cell(row, col) < 0) Utah(row, col, chr++);
        row -= 2;
        col += 2;
      } while (row >= 0 && col < columns_);
      row += 1;
      col += 3;
      do {
        if (row >= 0 && col < columns_ && Cell(row, col) < 0) Utah(row, col, chr++);
        row += 2;
        col -= 2;
      } while (row < rows_ && col >= 0);
      row += 3;
      col += 1;
    } while (row < rows_ || col < columns_);
  }

  int Cell(int row, int col) const { return cells_[row * columns_ + col]; }
  int Rows() const { return rows_; }
  int Columns() const { return columns_; }

 private:
  // bit 0 is the most significant bit of the codeword.
  void Module(int row, int col, int chr, int bit) {
    if (row < 0) {
      row += rows_;
      col += 4 - ((rows_ + 4) % 8);
    }
    if (col < 0) {
      col += columns_;
      row += 4 - ((columns_ + 4) % 8);
    }
    cells_[row * columns_ + col] = chr * 8 + bit;
  }
  void Utah(int row, int col, int chr) {
    Module(row - 2, col - 2, chr, 0);
    Module(row - 2, col - 1, chr, 1);
    Module(row - 1, col - 2, chr, 2);
    Module(row - 1, col - 1, chr, 3);
    Module(row - 1, col, chr, 4);
    Module(row, col - 2, chr, 5);
    Module(row, col - 1, chr, 6);
    Module(row, col, chr, 7);
  }
  void Corner1(int chr) {
    Module(rows_ - 1, 0, chr, 0);
    Module(rows_ - 1, 1, chr, 1);
    Module(rows_ - 1, 2, chr, 2);
    Module(0, columns_ - 2, chr, 3);
    Module(0, columns_ - 1, chr, 4);
    Module(1, columns_ - 1, chr, 5);
    Module(2, columns_ - 1, chr, 6);
    Module(3, columns_ - 1, chr, 7);
  }
  void Corner2(int chr) {
    Module(rows_ - 3, 0, chr, 0);
    Module(rows_ - 2, 0, chr, 1);
    Module(rows_ - 1, 0, chr, 2);
    Module(0, columns_ - 4, chr, 3);
    Module(0, columns_ - 3, chr, 4);
    Module(0, columns_ - 2, chr, 5);
    Module(0, columns_ - 1, chr, 6);
    Module(1, columns_ - 1, chr, 7);
  }
  void Corner3(int chr) {
    Module(rows_ - 3, 0, chr, 0);
    Module(rows_ - 2, 0, chr, 1);
    Module(rows_ - 1, 0, chr, 2);
    Module(0, columns_ - 2, chr, 3);
    Module(0, columns_ - 1, chr, 4);
    Module(1, columns_ - 1, chr, 5);
    Module(2, columns_ - 1, chr, 6);
    Module(3, columns_ - 1, chr, 7);
  }
  void Corner4(int chr) {
    Module(rows_ - 1, 0, chr, 0);
    Module(rows_ - 1, columns_ - 1, chr, 1);
    Module(0, columns_ - 3, chr, 2);
    Module(0, columns_ - 2, chr, 3);
    Module(0, columns_ - 1, chr, 4);
    Module(1, columns_ - 3, chr, 5);
    Module(1, columns_ - 2, chr, 6);
    Module(1, columns_ - 1, chr, 7);
  }

  int rows_, columns_;
  std::vector<int> cells_;
};

// Where each module of a symbol comes from: a bit of the codeword stream
// (codeword index x 8 + bit, bit 0 the most significant), or a fixed light or
// dark module (finder and clock edges, the fixed corner, cells no codeword of
// the stream reaches), numbered as the two bits after the stream's.
struct ModuleSources {
  size_t codewords = 0;
  std::vector<uint16_t> from;

  uint16_t Light() const { return static_cast<uint16_t>(codewords * 8); }
  uint16_t Dark() const { return static_cast<uint16_t>(codewords * 8 + 1); }
};

// The mapping matrix's sources for a stream of `codewords` codewords.
ModuleSources MappingSources(int mappingRows, int mappingColumns, size_t codewords) {
  Placement placement(mappingRows, mappingColumns);
  placement.Run();
  const size_t cells = static_cast<size_t>(mappingRows) * mappingColumns;
  ModuleSources sources;
  sources.codewords = std::min(codewords, cells / 8 + 1);  // no more can be placed
  static_assert(kMaxMappingCells / 8 * 8 + 9 < 0xFFFF);
  sources.from.assign(cells, sources.Light());
  for (int r = 0; r < mappingRows; ++r)
    for (int c = 0; c < mappingColumns; ++c) {
      const int cell = placement.Cell(r, c);
      if (cell >= 0 && static_cast<size_t>(cell / 8) < sources.codewords)
        sources.from[static_cast<size_t>(r) * mappingColumns + c] = static_cast<uint16_t>(cell);
    }
  // The fixed pattern of the unused bottom-right corner.
  if (placement.Cell(mappingRows - 1, mappingColumns - 1) < 0) {
    sources.from[static_cast<size_t>(mappingRows - 1) * mappingColumns + mappingColumns - 1] = sources.Dark();
    sources.from[static_cast<size_t>(mappingRows - 2) * mappingColumns + mappingColumns - 2] = sources.Dark();
  }
  return sources;
}

// The modules set from `sources`: the stream's bits unpacked once, then one
// look-up per module.
void FillFromSources(const ModuleSources& sources, std::span<const uint8_t> codewords, uint8_t* out) {
  std::vector<uint8_t> bits(sources.codewords * 8 + 2, 0);
  const size_t known = std::min(codewords.size(), sources.codewords);
  for (size_t c = 0; c < known; ++c)
    for (size_t b = 0; b < 8; ++b) bits[c * 8 + b] = (codewords[c] >> (7 - b)) & 1;
  bits[sources.Dark()] = 1;
  for (size_t i = 0; i < sources.from.size(); ++i) out[i] = bits[sources.from[i]];
}

// The sources of every module of a symbol size: the regions with their
// finder and clock edges around the mapping matrix.
ModuleSources SymbolSources(size_t sizeIndex) {
  const DataMatrixSize& size = DataMatrixSizeTable[sizeIndex];
  const int mapColumns = size.MappingColumns();
  const ModuleSources mapping = MappingSources(size.MappingRows(), mapColumns,
                                               static_cast<size_t>(size.dataCodewords + size.ecCodewords));
  ModuleSources sources;
  sources.codewords = mapping.codewords;
  sources.from.resize(static_cast<size_t>(size.rows) * size.columns);
  const int regionHeight = size.regionRows + 2, regionWidth = size.regionColumns + 2;
  for (int y = 0; y < size.rows; ++y)
    for (int x = 0; x < size.columns; ++x) {
      const int ry = y % regionHeight, rx = x % regionWidth;
      bool dark;
      if (ry == regionHeight - 1 || rx == 0) {
        dark = true;  // solid finder edges: bottom row, left column
      } else if (ry == 0) {
        dark = rx % 2 == 0;  // clock edge along the top
      } else if (rx == regionWidth - 1) {
        dark = (regionHeight - 1 - ry) % 2 == 0;  // clock edge on the right, from the bottom
      } else {
        const int my = (y / regionHeight) * size.regionRows + ry - 1;
        const int mx = (x / regionWidth) * size.regionColumns + rx - 1;
        sources.from[static_cast<size_t>(y) * size.columns + x] = mapping.from[static_cast<size_t>(my) * mapColumns + mx];
        continue;
      }
      sources.from[static_cast<size_t>(y) * size.columns + x] = dark ? sources.Dark() : sources.Light();
    }
  return sources;
}

// Made once per size: the placement walk does not depend on the data.
const ModuleSources& CachedSymbolSources(int sizeIndex) {
  static PerSizeCache<ModuleSources, DataMatrixSizeTable.size()> cache;
  return cache.Get(static_cast<size_t>(sizeIndex), SymbolSources);
}

}  // namespace

std::vector<uint8_t> PlaceDataMatrixCodewords(std::span<const uint8_t> codewords, int mappingRows,
                                              int mappingColumns) {
  if (mappingRows < 2 || mappingColumns < 2 || int64_t{mappingRows} * mappingColumns > kMaxMappingCells) return {};
  const ModuleSources sources = MappingSources(mappingRows, mappingColumns, codewords.size());
  std::vector<uint8_t> matrix(sources.from.size(), 0);
  FillFromSources(sources, codewords, matrix.data());
  return matrix;
}

int DataMatrixSizeIndex(int rows, int columns) {
  if (rows <= 0) return -1;
  for (size_t i = 0; i < DataMatrixSizeTable.size(); ++i)
    if (DataMatrixSizeTable[i].rows == rows && DataMatrixSizeTable[i].columns == columns) return static_cast<int>(i);
  return -1;
}

DataMatrixResult BuildDataMatrixSymbol(std::span<const uint8_t> text, int requestedIndex, DataMatrixSymbol& out) {
  if (text.empty()) return DataMatrixResult::EmptyText;
  if (text.size() > static_cast<size_t>(kMaxTextLength)) return DataMatrixResult::TooLong;
  std::vector<uint8_t> data;
  int sizeIndex = requestedIndex;
  if (EncodeDataMatrixCodewords(text, data, sizeIndex) == 0 || sizeIndex < 0) return DataMatrixResult::DoesNotFit;
  const DataMatrixSize& size = DataMatrixSizeTable[sizeIndex];
  const std::vector<uint8_t> codewords = CompleteDataMatrixCodewords(data, sizeIndex);
  out.sizeIndex = sizeIndex;
  out.matrix = ModuleMatrix(size.columns, size.rows);
  FillFromSources(CachedSymbolSources(sizeIndex), codewords, out.matrix.dark.data());
  return DataMatrixResult::Ok;
}

}  // namespace kalvo::datamatrix
