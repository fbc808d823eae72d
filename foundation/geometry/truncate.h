// Double to 32-bit integer the way the geometry rounds: toward zero, with
// out-of-range values held at the ends of the range (and NaN taken as 0)
// instead of undefined behaviour.
#pragma once

#include <cstdint>

#include "foundation/build.h"

FOUNDATION_BEGIN

constexpr int TruncToInt(double v) {
  if (v != v) return 0;
  if (v <= -2147483648.0) return INT32_MIN;
  if (v >= 2147483647.0) return INT32_MAX;
  return static_cast<int>(v);
}

FOUNDATION_END
