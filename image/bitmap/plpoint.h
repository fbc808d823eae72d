// An integer pair: a size (width, height) or a resolution (x, y dots per inch).
#pragma once

struct PLPoint {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const PLPoint&, const PLPoint&) = default;
};
