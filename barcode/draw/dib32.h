// The 32-bit top-down DIB the library composes pixels in before one copy to
// a bitmap, and the one its tests read pixels back in: its header
// (TopDownDibInfo), and its pixel values (blue, green and red bytes from the
// low end, the fourth clear).
#pragma once

#include <cstdint>

#include "platform/gdi/dib_info.h"
#include "platform/gdi/gdi.h"

namespace kalvo {

// A colour as such a pixel: 0x00RRGGBB.
inline uint32_t DibPixelOf(COLORREF c) {
  return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

}  // namespace kalvo
