// Painting a two-dimensional symbol's module matrix through the library's
// drawing frame: the sizes of the request and one bar per run of dark modules.
#pragma once

#include <cstdint>
#include <span>

#include "barcode/draw/symbol_frame.h"

namespace kalvo {

// Writes the module-matrix sizes into the request (module copy, quiet zone of
// two modules, width, height and bar height) and, unless measuring, draws the
// matrix (`dark` is rows x columns, row by row) into code.bitmap.
int PaintModuleMatrix(CBCode& code, int measureOnly, std::span<const uint8_t> dark, int columns, int rows);

}  // namespace kalvo
