// The header of the DIB that code composing or reading pixels itself hands to
// SetDIBits and GetDIBits: 32-bit pixels (blue, green and red bytes from the
// low end), the top row first, no colour table.
#pragma once

#include "platform/gdi/gdi.h"

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
