// The pixels of an ellipse's one-pixel outline as an ordered ring, quarter
// by quarter, and the part of it an arc, chord or pie runs along.
#pragma once

#include <array>
#include <vector>

#include "platform/kernel/types.h"

namespace gdi {

// The outline of the ellipse over pixels [l, r] x [t, b] (edges included),
// counter-clockwise on screen from the middle of the right side: the upper
// right quarter, then the upper left, lower left and lower right ones. A
// pixel on an axis of symmetry (odd width or height) belongs to both quarters
// it joins and is listed in each.
struct EllipseRing {
  std::vector<POINT> pixels;
  // Each pixel's place seen from the centre: whole-pixel steps outward, the
  // two middle columns (rows) of an even width (height) both counting as 0;
  // y grows upward.
  std::vector<POINT> offsets;
  std::array<size_t, 5> quarterStart{};  // the quarters' first entries, and the end
};

// Needs r - l >= 1 and b - t >= 1.
EllipseRing MakeEllipseRing(int l, int t, int r, int b);

// The pixel a pie's radials meet at: the middle one, or the one right of
// (below) the middle of an even width (height).
POINT EllipseRingCentre(int l, int t, int r, int b);

// The ring's pixel set (each pixel once).
std::vector<POINT> RingPixels(const EllipseRing& ring);

// The vertices of the arc from the radial through `start` to the radial
// through `end` (device points), the radials leaving `centre`, in drawing
// order; clockwise on screen when `clockwise`. A pixel on a radial counts as
// inside or outside the arc by the quarter it is listed in. When both
// radials fall between the same two pixels, the arc is the whole ring (but
// empty when the start radial lies past the ring's last entry and the end
// radial before its first).
std::vector<POINT> ArcVertices(const EllipseRing& ring, POINT centre, POINT start, POINT end, bool clockwise);

}  // namespace gdi
