// Rotation of points and rectangles about a centre. The "screen" forms work in
// screen orientation (y grows downwards), so a positive angle turns
// counter-clockwise as seen on the screen. Integer results are truncated
// toward zero: turning back and forth need not return to the start.
#pragma once

#include "foundation/build.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

// Mathematical orientation (y upwards), angle in degrees.
POINT RotatePoint(int x, int y, double degrees, int cx, int cy, int ox = 0, int oy = 0);
POINT RotatePointScreen(int x, int y, double degrees, int cx, int cy, int ox = 0, int oy = 0);
void RotatePoints(POINT* pts, int n, double degrees, int cx, int cy, int ox = 0, int oy = 0);

// Swaps left/right and top/bottom when they are reversed.
RECT NormalizedRect(const RECT& r);

// Turns only the top-left and the bottom-right corner, then normalises: not a
// bounding box.
RECT RotateRect(const RECT& rect, double degrees, int cx, int cy, int ox = 0, int oy = 0);

// Bounding box of the four corners turned about the origin.
RECT RotatedRectBounds(const RECT& rect, double degrees);

// Width and height of the rectangle that, turned by `angle` (thousandths of a
// degree), has the bounding box `bounds`; aspect is height / width.
SIZE UnrotatedSizeFromBounds(const RECT& bounds, int angle, double aspect);

// Top-left corner of a width x height box placed at one of nine anchors
// (0 top-left .. 8 bottom-right, row by row), turned about the anchor.
POINT AnchorToTopLeft(int x, int y, int anchor, int width, int height, int angle);

FOUNDATION_END
