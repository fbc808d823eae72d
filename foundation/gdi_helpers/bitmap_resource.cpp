#include "foundation/gdi_helpers/bitmap_resource.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "platform/gdi/gdi_owners.h"
#include "platform/kernel/byte_reader.h"
#include "platform/resource/resource.h"

FOUNDATION_BEGIN

namespace {

// A packed device-independent bitmap (header, colours or masks, bits) read
// field by field into a bitmap of its own.
HBITMAP FromPackedDib(const ByteReader& dib) {
  BITMAPINFOHEADER h{};
  h.biSize = dib.U32At(0);
  h.biWidth = dib.I32At(4);
  h.biHeight = dib.I32At(8);
  h.biPlanes = dib.U16At(12);
  h.biBitCount = dib.U16At(14);
  h.biCompression = dib.U32At(16);
  h.biSizeImage = dib.U32At(20);
  h.biClrUsed = dib.U32At(32);
  if (h.biSize < 40 || !dib.Has(0, h.biSize) || h.biWidth <= 0 || h.biHeight == 0) return nullptr;
  if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return nullptr;
  const int bits = h.biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return nullptr;
  const uint64_t colours = h.biClrUsed ? h.biClrUsed : (bits <= 8 ? (1u << bits) : 0);
  if (colours > 256) return nullptr;
  const uint64_t masks = h.biCompression == BI_BITFIELDS ? 3 : 0;
  const uint64_t tableBytes = (colours + masks) * 4;
  const uint64_t stride = ((static_cast<uint64_t>(h.biWidth) * bits + 31) / 32) * 4;
  const uint64_t rows = static_cast<uint64_t>(h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight);
  // Neither can exceed the data (at most 32-bit), so their product cannot wrap.
  if (stride > dib.size() || rows > dib.size()) return nullptr;
  const std::span<const uint8_t> table = dib.BytesAt(h.biSize, tableBytes);
  const std::span<const uint8_t> rowBytes = dib.BytesAt(uint64_t{h.biSize} + tableBytes, stride * rows);
  if (table.size() != tableBytes || rowBytes.size() != stride * rows) return nullptr;

  std::vector<uint64_t> infoStorage((sizeof(BITMAPINFOHEADER) + tableBytes) / 8 + 1);
  auto* info = reinterpret_cast<BITMAPINFO*>(infoStorage.data());
  info->bmiHeader = h;
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biClrUsed = static_cast<DWORD>(colours);
  if (!table.empty()) std::memcpy(info->bmiColors, table.data(), table.size());

  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!bitmap || !pixels) {
    if (bitmap) DeleteObject(bitmap);
    return nullptr;
  }
  std::memcpy(pixels, rowBytes.data(), rowBytes.size());
  return bitmap;
}

}  // namespace

HBITMAP LoadBitmapResource(HMODULE module, int resourceId) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(static_cast<WORD>(resourceId)), RT_BITMAP);
  if (!found) return nullptr;
  HGLOBAL loaded = LoadResource(module, found);
  const auto* data = static_cast<const BYTE*>(LockResource(loaded));
  if (!data) return nullptr;
  return FromPackedDib(ByteReader(data, SizeofResource(module, found)));
}

int DrawBitmapResource(HDC dc, int x, int y, int w, int h, int resourceId, int sizeMode, DWORD rop, int placeMode,
                       const RECT* box, const RECT* source, const POINT* offset) {
  UniqueBitmap bitmap(LoadBitmapResource(nullptr, resourceId));
  if (!bitmap) return 0;
  const UniqueDc memoryDc(CreateCompatibleDC(dc));
  HDC memory = memoryDc.get();
  if (!memory) return 0;
  BITMAP bm{};
  GetObject(bitmap.get(), sizeof bm, &bm);
  int sx = 0, sy = 0, sw = bm.bmWidth, sh = bm.bmHeight;  // part of the bitmap
  int dw = w, dh = h;                                      // size on the device
  bool stretch = false;
  if (sizeMode == kBitmapOwnSize) {
    dw = bm.bmWidth;
    dh = bm.bmHeight;
  } else if (sizeMode == kBitmapSourcePart && source) {
    sx = source->left, sy = source->top;
    dw = sw = source->right - source->left;
    dh = sh = source->bottom - source->top;
  } else {
    stretch = true;
  }
  if (placeMode == kPlaceCentred && box) {
    x = std::max<int>(0, ((box->right - box->left - dw) >> 1) + box->left);
    y = std::max<int>(0, ((box->bottom - box->top - dh) >> 1) + box->top);
    if (offset) x += offset->x, y += offset->y;
  } else if (placeMode == kPlaceBottom && bm.bmHeight <= h) {
    y = h - bm.bmHeight;
  }
  SelectScope select(memory, bitmap.get());
  if (stretch) {
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, x, y, dw, dh, memory, sx, sy, sw, sh, rop);
    SetStretchBltMode(dc, oldMode);
  } else {
    BitBlt(dc, x, y, dw, dh, memory, sx, sy, rop);
  }
  return 1;
}

FOUNDATION_END
