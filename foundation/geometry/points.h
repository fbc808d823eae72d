// Points, lines and polygons: distances, projections, the point-in-polygon
// test, bounding boxes and comparison of outlines.
#pragma once

#include "foundation/build.h"
#include "foundation/containers/atypedarray.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

double Square(double v);
double PointDistance(double x1, double y1, double x2, double y2);
double VectorLength(double x, double y);

// 1 when x1 * x2 < 0 or y1 * y2 < 0.
int IsOppositeSign(int x1, int y1, int x2, int y2);

// Foot of the perpendicular from P onto the line through (x1, y1) and
// (x2, y2). Returns 0 with *out = P when the two points coincide.
int ProjectPointOnLine(int px, int py, int x1, int y1, int x2, int y2, POINT* out);
POINT ProjectPointOnRay(int px, int py, int dx, int dy);

// -1 on a vertex or an edge, 1 inside, 0 outside.
int PointInPolygon(const POINT* pts, int n, int x, int y);

void OffsetPoints(POINT* pts, int n, int dx, int dy);

// Corners clockwise from the top-left of the normalised rectangle; a fifth
// point (when n >= 5) repeats the first to close the outline.
void RectToPolygon(const RECT& rect, POINT* out, int n);

// Smallest rectangle holding the points; n = 0 gives the inverted rectangle
// (INT_MAX, INT_MAX, INT_MIN, INT_MIN).
RECT PointsBoundingRect(const POINT* pts, int n);

// Largest (or smallest) distance over all pairs of different indices.
double ExtremePointDistance(const POINT* pts, int n, bool largest);

// 1 when the two outlines hold the same points in the same cyclic order,
// whatever point each starts at; repeated consecutive points do not count.
int EqualPointLists(const POINT* a, int na, const POINT* b, int nb);

// 0 for an empty array; else EqualPointLists of its points against pts.
int EqualPointList(const ATypedArray<POINT>& arr, const POINT* pts, int n);
// The array against the four corners of the rectangle (RectToPolygon).
int EqualRectPointList(const ATypedArray<POINT>& arr, const RECT& rect);

void SwapShort(short* a, short* b);
void SwapPoint(POINT* a, POINT* b);

FOUNDATION_END
