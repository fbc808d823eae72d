// A field's turned outline: the rectangle at its offset, turned about its
// top-left corner by its rotation (counter-clockwise on the screen).
#pragma once

#include <array>

#include "fields/model/field.h"
#include "platform/kernel/types.h"

// The field's unturned rectangle in mils (scaleX 0) or pixels, every
// coordinate clamped to +-2^28.
RECT FieldRectAt(const CField& field, int originX, int originY, int scaleX, int scaleY);
// The four corners (top-left, top-right, bottom-right, bottom-left), in mils
// when scaleX is 0, else in pixels at scaleX by scaleY dots per inch (scaleY 0
// means scaleX) moved by the origin; grown by inflate on every side first.
std::array<POINT, 4> GetFieldCorners(const CField& field, int originX, int originY, int scaleX, int scaleY,
                                     int inflate = 0);
// The bounding rectangle of the four turned corners.
RECT GetFieldBoundingRect(const CField& field, int originX, int originY, int scaleX, int scaleY);
