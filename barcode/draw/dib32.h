// The 32-bit top-down DIB the library composes pixels in before one copy to
// a bitmap, and the one its tests read pixels back in: its header, and its
// pixel values (blue, green and red bytes from the low end, the fourth clear).
#pragma once

#include <cstdint>

#include "platform/gdi/gdi.h"

namespace kalvo {

// `height` rows of `width` 32-bit pixels, the top row first.
inline BITMAPINFO TopDownDibInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A colour as such a pixel: 0x00RRGGBB.
inline uint32_t DibPixelOf(COLORREF c) {
  return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
}

}  // namespace kalvo
