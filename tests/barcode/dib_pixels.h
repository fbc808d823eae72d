// A bitmap's pixels read back through GetDIBits, top row first, as 32-bit
// values (0x00RRGGBB).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "barcode/draw/dib32.h"
#include "platform/win.h"

namespace kalvotest {

// `height` rows of `width` pixels of `bitmap`, read through `dc` (a memory
// context of the screen's when null).
inline std::vector<uint32_t> DibPixels(HBITMAP bitmap, int width, int height, HDC dc = nullptr) {
  BITMAPINFO info = TopDownDibInfo(width, height);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  HDC reader = dc != nullptr ? dc : CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDIBits(reader, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS), height);
  if (reader != dc) DeleteDC(reader);
  return pixels;
}

}  // namespace kalvotest
