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
      const uint8_t* row = dark.data() + static_cast<size_t>(y) * columns;
      for (int x = 0; x < columns;) {
        if (!row[x]) {
          ++x;
          continue;
        }
        int end = x;
        while (end < columns && row[end]) ++end;
        art.bars.Add(x * module, y * module, (end - x) * module, module);
        x = end;
      }
    }
  }
  return FinishSymbol(code, measureOnly, DcOwner{}, art);
}

}  // namespace kalvo
