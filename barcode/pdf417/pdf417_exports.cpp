// The PDF417 and MicroPDF417 exports for the designer.
#include "barcode/kalvo.h"
#include "barcode/pdf417/pdf417_tables.h"
#include "barcode/pdf417/pdf417_codewords.h"

namespace {

// The place of a size among the sizes of its column count: 4 x 4, the last
// row of the table, counts as the first four-column size, before 4 x 6.
constexpr int PlaceAmongItsColumns(int row) {
  using kalvo::pdf417::MicroPdfSizeTable;
  const int last = static_cast<int>(MicroPdfSizeTable.size()) - 1;
  if (row == last) return 0;
  const int columns = MicroPdfSizeTable[row].columns;
  int first = row;
  while (first > 0 && MicroPdfSizeTable[first - 1].columns == columns) --first;
  return row - first + (MicroPdfSizeTable[last].columns == columns ? 1 : 0);
}
static_assert(PlaceAmongItsColumns(0) == 0 && PlaceAmongItsColumns(12) == 6 && PlaceAmongItsColumns(23) == 1);

}  // namespace

// Columns and rows of a MicroPDF417 size. With designerNumbering the 4 x 4
// size comes before 4 x 6 (mode 23), the sizes 4 x 6 ... 4 x 44 following.
int GetColRowFromMode(int mode, POINT* size, LONG* index, int designerNumbering) {
  using kalvo::pdf417::MicroPdfSizeTable;
  if (mode < 0 || mode > 33) return 0;
  int row = mode;
  if (designerNumbering != 0 && mode > 22) row = mode == 23 ? 33 : mode - 1;
  const auto& entry = MicroPdfSizeTable[row];
  if (size != nullptr) *size = POINT{entry.columns, entry.rows};
  if (index != nullptr) *index = PlaceAmongItsColumns(row);
  return row;
}

int CalcErrCorrectLevel(int codewords) { return kalvo::pdf417::Pdf417AutomaticLevel(codewords); }
