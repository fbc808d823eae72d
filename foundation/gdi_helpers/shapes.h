// Shapes with dashed borders, drawn as paths stroked with geometric pens, and
// the hit-test outline of ellipse and rounded-rectangle fields. Every function
// restores the device context's objects and modes and deletes what it made.
#pragma once

#include "foundation/build.h"
#include "foundation/gdi_helpers/pattern_pen.h"
#include "platform/gdi/gdi.h"

FOUNDATION_BEGIN

// Strokes the current path with a geometric pen of that width: round ends
// give round caps and joins, otherwise flat caps and mitre joins. A null
// colour strokes with the brush selected in the device context.
void StrokePathWithPen(HDC dc, int width, const COLORREF* colour, bool roundEnds);

// Nothing for width 0, nor for a zero-length line with round ends; round ends
// are pulled in by half the width so that the caps end at the given points.
void StrokeLinePath(HDC dc, int x1, int y1, int x2, int y2, int style, int width, COLORREF colour, bool roundEnds);

// The ellipse inscribed in rect, its border inside the rectangle.
void StrokeEllipsePath(HDC dc, const RECT& rect, int width, int style, COLORREF colour, bool roundEnds);

// A rounded rectangle whose border lies inside rect (style 0 draws the
// platform's rounded rectangle instead).
void StrokeRoundRectPath(HDC dc, const RECT& rect, int cornerDiameter, int width, int style, COLORREF colour,
                         bool roundEnds);

// A quarter circle from startDegrees through the pen, as short curve pieces.
void PatternQuarterArc(CPatternPen& pen, int cx, int cy, int startDegrees, int overshoot, int step, int radius,
                       int left, int top, int right, int bottom);

void StrokeRoundRectOutline(HDC dc, const RECT& rect, int cornerDiameter, int width, COLORREF colour);

// Ellipse and rounded-rectangle fields: centre, half-extents, angle in
// thousandths of a degree. Returns 1.
int DrawEllipseOrRoundRect(HDC dc, int cx, int cy, int hw, int hh, bool roundRect, int angle, bool filled,
                           COLORREF fill, int corner, int borderWidth, int borderStyle, COLORREF border,
                           bool roundEnds, bool hatched);

// The region that hits the shape: the whole shape when filled, else only its
// outline band. The caller owns the region; null when it cannot be made.
HRGN CreateShapeOutlineRgn(int cx, int cy, int hw, int hh, bool roundRect, int corner, bool filled,
                           int borderWidth);

FOUNDATION_END
