// The PDF417 and MicroPDF417 exports for the designer.
#include "barcode/kalvo.h"
#include "barcode/pdf417/pdf417_tables.h"
#include "barcode/pdf417/pdf417_codewords.h"

// Columns and rows of a MicroPDF417 size. With designerNumbering the 4 x 4
// size comes before 4 x 6 (mode 23), the sizes 4 x 6 ... 4 x 44 following.
int GetColRowFromMode(int mode, POINT* size, LONG* index, int designerNumbering) {
  using kalvo::pdf417::MicroPdfSizeTable;
  if (mode < 0 || mode > 33) return 0;
  int row = mode;
  if (designerNumbering != 0 && mode > 22) row = mode == 23 ? 33 : mode - 1;
  const auto& entry = MicroPdfSizeTable[row];
  if (size != nullptr) *size = POINT{entry.columns, entry.rows};
  if (index != nullptr) {
    static constexpr int kFirstRowOfColumns[] = {0, 0, 6, 13, 22};
    *index = row == 33 ? 0 : row - kFirstRowOfColumns[entry.columns];
  }
  return row;
}

int CalcErrCorrectLevel(int codewords) { return kalvo::pdf417::Pdf417AutomaticLevel(codewords); }
