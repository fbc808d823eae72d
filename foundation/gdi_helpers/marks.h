// The label background shape, arrow heads, dimension marks and drop shadows.
#pragma once

#include "foundation/build.h"
#include "platform/gdi/gdi.h"

FOUNDATION_BEGIN

// Label shapes: 1 rectangle, 2 ellipse, anything else a rounded rectangle with
// a corner ellipse of 2 x corner.
inline constexpr int kLabelRectangle = 1;
inline constexpr int kLabelEllipse = 2;

// Clears rect with the background brush and fills the label shape in colour;
// with hole, a circle of holeDiameter about the centre is painted with the
// background. In outline mode an ellipse and the hole are drawn as dotted
// grey outlines instead.
void DrawLabelShape(HDC dc, const RECT& rect, int shape, int corner, bool hole, int holeDiameter, bool outlineMode,
                    COLORREF colour, HBRUSH background);

// Arrow directions.
inline constexpr int kArrowDown = 0;
inline constexpr int kArrowUp = 1;
inline constexpr int kArrowLeft = 2;
inline constexpr int kArrowRight = 3;

// A filled triangle in the rectangle with the current pen and brush.
void DrawArrowHead(HDC dc, int left, int top, int right, int bottom, int direction);

// Measurement marks: extension lines from y1 to y2 at x1 and x2 and a
// dimension line below them with arrow heads (outside when the span is short).
void DrawHorzDimension(HDC dc, int x1, int x2, int y1, int y2, int arrow, COLORREF colour);
void DrawVertDimension(HDC dc, int y1, int y2, int x1, int x2, int arrow, COLORREF colour);

// n lines of shadow right of and below the rectangle, with the current pen.
void DrawDropShadow(HDC dc, int left, int top, int right, int bottom, int n);

FOUNDATION_END
