// Fitting a barcode to a box the user dragged: linear symbols by their narrow
// bar, two-dimensional ones by their module size.
#pragma once

#include "fields/model/field_kinds.h"

class CLabelSetup;

// Tries narrow bars 1, 2, ... 999 at rotation 0 until the measured width
// equals the field's width, stepping back one when it goes beyond; the bar
// height takes the height less the text. With apply the measured width
// becomes the field's. Returns the narrow bar chosen.
int FitNarrowBarToWidth(CBarcodeField& field, const CLabelSetup& setup, int apply);
// Tries module sizes 1 .. 999 (rows kept in their ratio) until the symbol
// reaches the field's width or height, keeping the last that fits both.
// With apply the kept size becomes the field's. Returns the module size.
int FitModulesToSize(CBarcodeField& field, const CLabelSetup& setup, int apply);
