#include "barcode/qr/module_matrix_painting.h"

namespace kalvo {

int PaintModuleMatrix(CBCode& code, int measureOnly, std::span<const uint8_t> dark, int columns, int rows) {
  const int module = code.moduleSize2D;
  code.rowHeight2D = static_cast<uint16_t>(module);
  code.quietZone = 2 * module;
  code.width = columns * module;
  code.height = rows * module;
  code.barHeight = code.height;
  Artwork art;
  if (measureOnly == 0) {
    for (int y = 0; y < rows; ++y) {
      art.bars.Modules(dark.subspan(static_cast<size_t>(y) * columns, columns), 0, y * module, module, module);
    }
  }
  return FinishSymbol(code, measureOnly, DcOwner{}, art);
}

}  // namespace kalvo
