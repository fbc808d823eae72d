// Snapping positions to a grid.
#pragma once

#include "foundation/build.h"

FOUNDATION_BEGIN

// The nearest multiple of spacing toward which v rounds: v - d < spacing / 2
// keeps d = spacing * trunc(v / spacing), else d + spacing; negative values
// therefore snap toward zero. A spacing of 0 leaves v as it is.
double SnapToGrid(double v, double spacing);

FOUNDATION_END
