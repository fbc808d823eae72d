// The Data Matrix encoder of kvoBCode (symbology 29).
#include <cstring>

#include "barcode/datamatrix/datamatrix_sizes.h"
#include "barcode/datamatrix/datamatrix_symbol.h"
#include "barcode/frame/encoders.h"
#include "barcode/draw/module_matrix_painting.h"

namespace kalvo {

int EncodeDataMatrix(int reserved, CBCode& code, int measureOnly) {
  const char* data = code.data != nullptr ? code.data : "";
  const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(data), std::strlen(data));
  if (text.empty()) {
    code.errorCode = kDataEmpty;
    code.errorValue = 1;
    return 0;
  }
  if (text.size() > static_cast<size_t>(datamatrix::kMaxTextLength)) {
    code.errorCode = kDataTooLong;
    code.errorValue = datamatrix::kMaxTextLength;
    return 0;
  }
  datamatrix::DataMatrixSymbol symbol;
  const int requested = datamatrix::DataMatrixSizeIndex(code.symbolRows, code.symbolColumns);
  // Data that fits no symbol (or not the requested one) draws nothing and sets no error.
  if (datamatrix::BuildDataMatrixSymbol(text, requested, symbol) != datamatrix::DataMatrixResult::Ok) return 0;
  code.symbolRows = static_cast<int16_t>(symbol.matrix.rows);
  code.symbolColumns = static_cast<int16_t>(symbol.matrix.columns);
  PaintModuleMatrix(code, measureOnly, symbol.matrix);
  return 0;
}

}  // namespace kalvo
