#include "platform/comctl/pixels.h"

#include <cstring>

#include "platform/gdi/dib_info.h"

namespace comctl {

PixelBlock ReadBitmap(HBITMAP bitmap) {
  PixelBlock block;
  BITMAP bm{};
  if (!bitmap || GetObjectW(bitmap, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) return block;
  BITMAPINFO info = TopDownDibInfo(bm.bmWidth, bm.bmHeight);
  std::vector<uint32_t> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  HDC dc = CreateCompatibleDC(nullptr);
  const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (rows != bm.bmHeight) return block;
  for (uint32_t& p : pixels) p &= 0x00FFFFFF;
  block.width = bm.bmWidth;
  block.height = bm.bmHeight;
  block.pixels = std::move(pixels);
  return block;
}

HBITMAP MakeBitmap(const PixelBlock& block) {
  const BITMAPINFO info = TopDownDibInfo(block.width, block.height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits && !block.pixels.empty())
    std::memcpy(bits, block.pixels.data(), block.pixels.size() * sizeof(uint32_t));
  return bitmap;
}

void PutPixels(HDC dc, int x, int y, const PixelBlock& block, const std::vector<uint8_t>& opaque) {
  if (block.width <= 0 || block.height <= 0) return;
  HBITMAP bitmap = MakeBitmap(block);
  if (!bitmap) return;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap);
  if (opaque.empty()) {
    BitBlt(dc, x, y, block.width, block.height, source, 0, 0, SRCCOPY);
  } else {
    for (int row = 0; row < block.height; ++row) {
      int column = 0;
      while (column < block.width) {
        const size_t at = static_cast<size_t>(row) * block.width;
        while (column < block.width && !opaque[at + column]) ++column;
        const int start = column;
        while (column < block.width && opaque[at + column]) ++column;
        if (column > start) BitBlt(dc, x + start, y + row, column - start, 1, source, start, row, SRCCOPY);
      }
    }
  }
  SelectObject(source, old);
  DeleteDC(source);
  DeleteObject(bitmap);
}

}  // namespace comctl
