// PDF417 and MicroPDF417 through the main entry: the codeword stage, the
// sizes and limits written back into the request, and the symbol's module
// rows painted through the library's drawing frame.
#include <algorithm>
#include <cstring>
#include <span>

#include "barcode/draw/symbol_frame.h"
#include "barcode/frame/encoders.h"
#include "barcode/pdf417/pdf417_codewords.h"
#include "barcode/pdf417/pdf417_layout.h"
#include "barcode/request/symbology.h"

namespace kalvo {

namespace {

pdf417::Pdf417Request RequestOf(const CBCode& code, bool micro) {
  const char* data = code.data != nullptr ? code.data : "";
  pdf417::Pdf417Request request;
  request.symbology = micro ? Symbology::MicroPdf417 : Symbology::Pdf417;
  request.text = std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(data), std::strlen(data));
  request.rows = code.symbolRows;
  request.columns = code.symbolColumns;
  request.level = code.pdfSecurity;
  request.microIndex = code.microPdfSize;
  return request;
}

void WriteLimits(CBCode& code, const pdf417::Pdf417Limits& limits) {
  if (limits.maxColumns == 0) return;  // refused before the limits were known
  code.pdfLimits[0] = limits.maxColumns;
  code.pdfLimits[1] = limits.maxRows;
  code.pdfLimits[2] = limits.totalCodewords;
  code.pdfLimits[3] = limits.capacity;
  code.pdfLimits[4] = limits.checkCodewords;
}

}  // namespace

int EncodePdf417(int, CBCode& code, int measureOnly) {
  const bool micro = SymbologyOf(code.type) == Symbology::MicroPdf417;
  const pdf417::Pdf417Codewords symbol = pdf417::BuildPdf417Codewords(RequestOf(code, micro));
  code.errorCode = symbol.errorCode;
  code.errorValue = symbol.errorValue;
  code.errorNeeded = symbol.errorNeeded;
  WriteLimits(code, symbol.limits);
  if (!symbol.Ok()) return 0;  // the error code tells why; no bitmap

  code.symbolColumns = static_cast<int16_t>(symbol.columns);
  code.symbolRows = static_cast<int16_t>(symbol.rows);
  if (micro)
    code.microPdfSize = static_cast<int16_t>(symbol.microIndex);
  else
    code.pdfSecurity = static_cast<uint8_t>(symbol.level);

  const int module = std::max<int>(code.moduleSize2D, 1);
  if (code.rowHeight2D < module) code.rowHeight2D = static_cast<uint16_t>(std::min(3 * module, 0xFFFF));
  const int rowHeight = code.rowHeight2D;
  const ModuleMatrix modules =
      micro ? pdf417::LayOutMicroPdf417(symbol) : pdf417::LayOutPdf417(symbol, code.pdfTruncated != 0);
  code.quietZone = 2 * module;
  code.width = modules.columns * module;
  code.height = modules.rows * rowHeight;
  code.barHeight = code.height;
  Artwork art;
  art.ground = Ground::White;  // like every two-dimensional symbol
  art.modules = &modules;
  art.moduleSize = module;
  art.moduleHeight = rowHeight;
  return FinishSymbol(code, measureOnly, DcOwner{}, art);
}

}  // namespace kalvo
