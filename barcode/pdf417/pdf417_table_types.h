// The record types of the generated PDF417 tables (pdf417_tables_data.h).
#pragma once

namespace kalvo::pdf417 {

// One MicroPDF417 size. The row address starts are the pattern numbers of the
// top row less one (0..51); centreStart is -1 for symbols without a centre
// column. Row i uses pattern (start + i) mod 52 and cluster (leftStart + i) mod 3.
struct MicroPdfSize {
  int columns, rows, checkCodewords;
  int leftStart, centreStart, rightStart;
};

}  // namespace kalvo::pdf417
