#include "barcode/draw/module_matrix_painting.h"

namespace kalvo {

int PaintModuleMatrix(CBCode& code, int measureOnly, const ModuleMatrix& matrix) {
  const int module = code.moduleSize2D;
  code.rowHeight2D = static_cast<uint16_t>(module);
  code.quietZone = 2 * module;
  code.width = matrix.columns * module;
  code.height = matrix.rows * module;
  code.barHeight = code.height;
  Artwork art;
  art.ground = Ground::White;
  art.modules = &matrix;
  art.moduleSize = module;
  return FinishSymbol(code, measureOnly, DcOwner{}, art);
}

}  // namespace kalvo
