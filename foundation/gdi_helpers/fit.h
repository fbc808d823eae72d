// Fitting a picture of srcW x srcH into a box while keeping its aspect.
#pragma once

#include "foundation/build.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

// The largest size of the picture's aspect inside boxW x boxH (one side keeps
// the box's length). Returns 1.
int FitSizeKeepAspect(int boxW, int boxH, int srcW, int srcH, SIZE* out);

// The rectangle of the picture centred in rect along the side that shrinks;
// returns the inset of that side.
int FitRectKeepAspect(const RECT& rect, int srcW, int srcH, RECT* out);

FOUNDATION_END
