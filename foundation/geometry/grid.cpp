#include "foundation/geometry/grid.h"

#include <cmath>

FOUNDATION_BEGIN

double SnapToGrid(double v, double spacing) {
  if (spacing == 0) return v;
  const double d = spacing * std::trunc(v / spacing);
  return v - d < spacing / 2 ? d : d + spacing;
}

FOUNDATION_END
