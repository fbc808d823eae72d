// PDF417 and MicroPDF417 through the main entry. The codeword stage is whole:
// parameters, compaction, the codeword frame, check codewords, and the sizes
// of the symbol. Painting needs the symbology's bar-space pattern tables
// (codewords of the three clusters, start and stop, MicroPDF417's row address
// patterns), which the library does not carry yet; until it does, a request
// for a bitmap draws nothing and says so with result 1 rather than reporting
// success without a symbol.
#include <cstring>
#include <span>

#include "barcode/frame/encoders.h"
#include "barcode/pdf417/pdf417_tables.h"
#include "barcode/pdf417/pdf417_codewords.h"

namespace kalvo {

namespace {

constexpr int kMicroPdf417Type = 31;

// Width of the symbol in modules.
int ModuleColumns(const pdf417::Pdf417Codewords& symbol, bool micro, bool truncated) {
  if (micro) return 17 * symbol.columns + 10 * pdf417::RowAddressPatterns(symbol.columns) + 1;
  return 17 * symbol.columns + (truncated ? 35 : 69);
}

}  // namespace

int EncodePdf417(int, CBCode& code, int measureOnly) {
  const bool micro = code.type == kMicroPdf417Type;
  const char* data = code.data != nullptr ? code.data : "";
  pdf417::Pdf417Request request;
  request.symbology = micro ? pdf417::Symbology::MicroPdf417 : pdf417::Symbology::Pdf417;
  request.text = std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(data), std::strlen(data));
  request.rows = code.symbolRows;
  request.columns = code.symbolColumns;
  request.level = code.pdfSecurity;
  request.microIndex = code.microPdfSize;

  const pdf417::Pdf417Codewords symbol = pdf417::BuildPdf417Codewords(request);
  code.errorCode = symbol.errorCode;
  code.errorValue = symbol.errorValue;
  code.errorNeeded = symbol.errorNeeded;
  if (!symbol.Ok()) return 0;  // the error code tells why; no bitmap

  code.symbolColumns = static_cast<int16_t>(symbol.columns);
  code.symbolRows = static_cast<int16_t>(symbol.rows);
  if (!micro) code.pdfSecurity = static_cast<uint8_t>(symbol.level);
  if (micro) code.microPdfSize = static_cast<int16_t>(symbol.microIndex);

  const int module = code.moduleSize2D > 0 ? code.moduleSize2D : 1;
  const int rowHeight = code.rowHeight2D < module ? 3 * module : code.rowHeight2D;
  code.quietZone = 2 * module;
  code.width = ModuleColumns(symbol, micro, code.pdfTruncated != 0) * module;
  code.height = symbol.rows * rowHeight;
  code.barHeight = code.height;
  return measureOnly != 0 ? 0 : 1;
}

}  // namespace kalvo
