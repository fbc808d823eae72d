// How the two colours of a 1-bit bitmap stand, for the encoders whose
// formats store black and white without a colour map.
#pragma once

#include "image/bitmap/plpixel32.h"

enum class OneBitColours {
  BlackFirst,  // index 0 black, 1 white
  WhiteFirst,  // index 0 white, 1 black; also a bitmap without a palette
  Other,       // any other pair: needs a colour map
};

inline OneBitColours ClassifyOneBitColours(const PLPixel32* palette) {
  if (!palette) return OneBitColours::WhiteFirst;
  auto black = [](const PLPixel32& c) { return c.r == 0 && c.g == 0 && c.b == 0; };
  auto white = [](const PLPixel32& c) { return c.r == 255 && c.g == 255 && c.b == 255; };
  if (black(palette[0]) && white(palette[1])) return OneBitColours::BlackFirst;
  if (white(palette[0]) && black(palette[1])) return OneBitColours::WhiteFirst;
  return OneBitColours::Other;
}
