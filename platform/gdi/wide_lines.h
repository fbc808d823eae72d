// Outlines of geometric pens two or more pixels wide. Every piece is a
// polygon on whole device pixels: each side of a segment sits at an integer
// offset from its end points, the caps and joins are built from those same
// corners, and round ends are the pen's own small ellipse.
#pragma once

#include <span>
#include <vector>

#include "platform/gdi/gdi_internal.h"

namespace gdi {

struct WidePen {
  int width = 2;               // whole device pixels, at least 2
  DWORD style = 0;             // PS_ENDCAP_* and PS_JOIN_* bits
  double miterLimit = 10.0;
  std::vector<double> dashes;  // on, off, ... in device pixels; empty when solid
  // The built-in styles count the caps into their dashes; a user's style
  // puts them on past each dash's ends.
  bool capsInsideDashes = true;
};

// Adds the pixels the pen paints along `points` (device pixels, repeats
// allowed) to `out`, limited to `bounds`.
void StrokeWidePolyline(std::span<const POINT> points, bool closed, const WidePen& pen, const RECT& bounds,
                        SpanBuilder& out);

}  // namespace gdi
