// The codeword stage of PDF417 and MicroPDF417: parameters and limits, the
// high-level encoding, the codeword frame and the check codewords.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "barcode/pdf417/pdf417_high_level.h"

namespace kalvo::pdf417 {

// The highest security level L (8 down to 0) with 2^(L + 1) <= n / 10.
int Pdf417AutomaticLevel(int n);

struct Pdf417Request {
  Symbology symbology = Symbology::Pdf417;
  std::span<const uint8_t> text;
  int rows = 0;         // PDF417: requested rows (not used for the layout)
  int columns = 0;      // PDF417: requested data columns, outside 1..30 automatic
  int level = 9;        // PDF417: security level, above 8 automatic
  int microIndex = 0;   // MicroPDF417: row of the size table
};

struct Pdf417Limits {
  int maxColumns = 0, maxRows = 0, totalCodewords = 0, capacity = 0, checkCodewords = 0;
};

struct Pdf417Codewords {
  int errorCode = 0, errorValue = 0, errorNeeded = 0;
  Pdf417Limits limits;
  int columns = 0, rows = 0, level = 0, microIndex = 0;
  std::vector<int> codewords;  // data (with the length descriptor for PDF417), then check codewords

  bool Ok() const { return errorCode == 0 && !codewords.empty(); }
};

// PDF417 limits that the symbol never exceeds.
inline constexpr int kMaxRows = 90;
inline constexpr int kMinRows = 3;
inline constexpr int kMaxSymbolCodewords = 928;

Pdf417Codewords BuildPdf417Codewords(const Pdf417Request& request);

}  // namespace kalvo::pdf417
