// Painting a two-dimensional symbol's module matrix through the library's
// drawing frame: the sizes of the request and one bar per run of dark modules.
#pragma once

#include "barcode/draw/module_matrix.h"
#include "barcode/draw/symbol_frame.h"

namespace kalvo {

// Writes the module-matrix sizes into the request (module copy, quiet zone of
// two modules, width, height and bar height) and, unless measuring, draws the
// matrix into code.bitmap on a white ground.
int PaintModuleMatrix(CBCode& code, int measureOnly, const ModuleMatrix& matrix);

}  // namespace kalvo
