// 32-bit pixel blocks for the common controls' own drawing: read any bitmap
// into memory, and put a block of pixels on a device context where a mask
// says it is opaque. Pixels are 0x00RRGGBB, rows top to bottom.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/comctl/comctl_common.h"
#include "platform/gdi/gdi.h"
#include "platform/nls/nls.h"
#include "platform/resource/resource.h"
#include "platform/user/controls/controls.h"

namespace comctl {

struct PixelBlock {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

constexpr uint32_t FromColorref(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr COLORREF ToColorref(uint32_t p) { return FromColorref(p); }  // the swap is its own inverse

// The whole bitmap as 32-bit pixels; empty when it is not a bitmap.
PixelBlock ReadBitmap(HBITMAP bitmap);
// A 32-bit top-down DIB section of the block's pixels.
HBITMAP MakeBitmap(const PixelBlock& block);
// Puts the pixels whose `opaque` entry is non-zero (every pixel when `opaque`
// is empty) at (x, y) of dc, row runs at a time.
void PutPixels(HDC dc, int x, int y, const PixelBlock& block, const std::vector<uint8_t>& opaque);

}  // namespace comctl
