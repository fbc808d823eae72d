// The background and the bars of a symbol painted band by band: the rows
// between two bar edges look alike, so each band's scan line is composed once
// and copied to every row of the band.
#pragma once

#include <span>

#include "barcode/draw/module_matrix.h"
#include "platform/gdi/gdi.h"

namespace kalvo {

// Paints the whole `width` x `height` bitmap selected into `dc`: `back` where
// no bar is, `bar` inside each rectangle (bitmap pixels, right and bottom
// edges excluded; empty and outlying parts are ignored). The same pixels as a
// FillRect of the whole bitmap followed by one FillRect per bar.
void PaintBarBands(HDC dc, int width, int height, std::span<const RECT> bars, COLORREF back, COLORREF bar);

// The same for a matrix of modules `module` pixels wide and `rowHeight` high
// from the top left corner: one scan line composed per module row.
void PaintModuleRows(HDC dc, int width, int height, const ModuleMatrix& matrix, int module, int rowHeight,
                     COLORREF back, COLORREF bar);
// Square modules.
inline void PaintModuleRows(HDC dc, int width, int height, const ModuleMatrix& matrix, int module, COLORREF back,
                            COLORREF bar) {
  PaintModuleRows(dc, width, height, matrix, module, module, back, bar);
}

}  // namespace kalvo
