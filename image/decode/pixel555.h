// A 16-bit pixel of five bits each for red, green and blue (the top bit
// aside), widened by shifting, as the TGA and PICT decoders store it.
#pragma once

#include "image/bitmap/plpixel32.h"

inline PLPixel32 PixelFrom555(unsigned word, PLBYTE alpha) {
  return PLPixel32(PLBYTE(((word >> 10) & 0x1F) << 3), PLBYTE(((word >> 5) & 0x1F) << 3), PLBYTE((word & 0x1F) << 3),
                   alpha);
}
