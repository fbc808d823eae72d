// Bitmaps: pixel storage of 1, 4, 8, 24 and 32 bits, colour mapping, and the
// calls that create bitmaps and move device-independent bits in and out.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/pixel_stores.h"

namespace gdi {
namespace {

// The largest bitmap: 64 Mi pixels (a 600 dpi page of 8.5 x 11 inches is 34 Mi).
constexpr int64_t kMaxPixels = int64_t{1} << 26;

std::vector<RGBQUAD> DefaultColours(int bpp) {
  std::vector<RGBQUAD> c;
  auto add = [&](BYTE r, BYTE g, BYTE b) { c.push_back(RGBQUAD{b, g, r, 0}); };
  switch (bpp) {
    case 1:
      add(0, 0, 0);
      add(255, 255, 255);
      break;
    case 4: {
      static constexpr BYTE kVga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                           {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
                                           {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                           {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
      for (const auto& v : kVga) add(v[0], v[1], v[2]);
      break;
    }
    case 8: {
      // A 6 x 6 x 6 colour cube, then a grey ramp to fill the rest.
      for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
          for (int b = 0; b < 6; ++b) add(static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(b * 51));
      for (int i = 0; i < 40; ++i) {
        const BYTE v = static_cast<BYTE>(i * 255 / 39);
        add(v, v, v);
      }
      break;
    }
    default: break;
  }
  return c;
}

bool SupportedDepth(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32; }

uint32_t ReadPacked(const BYTE* row, int x, int bpp) {
  switch (bpp) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4);
    case 8: return row[x];
    case 24: {
      const BYTE* p = row + x * 3;
      return p[0] | (p[1] << 8) | (p[2] << 16);
    }
    default: {
      const BYTE* p = row + x * 4;
      return p[0] | (p[1] << 8) | (p[2] << 16);
    }
  }
}

void WritePacked(BYTE* row, int x, int bpp, uint32_t v) {
  switch (bpp) {
    case 1: {
      const BYTE bit = static_cast<BYTE>(0x80 >> (x & 7));
      if (v & 1) row[x >> 3] |= bit;
      else row[x >> 3] &= static_cast<BYTE>(~bit);
      break;
    }
    case 4: {
      BYTE& b = row[x >> 1];
      b = (x & 1) ? static_cast<BYTE>((b & 0xF0) | (v & 0x0F)) : static_cast<BYTE>((b & 0x0F) | ((v & 0x0F) << 4));
      break;
    }
    case 8: row[x] = static_cast<BYTE>(v); break;
    case 24: {
      BYTE* p = row + x * 3;
      p[0] = static_cast<BYTE>(v), p[1] = static_cast<BYTE>(v >> 8), p[2] = static_cast<BYTE>(v >> 16);
      break;
    }
    default: {
      BYTE* p = row + x * 4;
      p[0] = static_cast<BYTE>(v), p[1] = static_cast<BYTE>(v >> 8), p[2] = static_cast<BYTE>(v >> 16), p[3] = 0;
      break;
    }
  }
}

COLORREF QuadToColour(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

// Copies `width` pixels of one format whose values stay as they are (indices
// kept, or both 24 or both 32 bits): whole bytes, the unused bits of a last
// partial byte kept, and the fourth byte of 32-bit pixels cleared as
// WritePacked leaves it.
void CopyPackedRow(BYTE* out, const BYTE* in, int width, int bpp) {
  if (bpp == 32) {
    Stores().copyClearing32(out, in, static_cast<size_t>(width));  // one pass
    return;
  }
  const size_t bits = static_cast<size_t>(width) * bpp;
  std::memcpy(out, in, bits / 8);
  if (bits % 8) {
    const BYTE keep = static_cast<BYTE>(0xFF00 >> (bits % 8));
    out[bits / 8] = static_cast<BYTE>((out[bits / 8] & ~keep) | (in[bits / 8] & keep));
  }
}

uint32_t NearestIndex(const std::vector<RGBQUAD>& colours, COLORREF c) {
  uint32_t best = 0;
  long bestDistance = -1;
  for (uint32_t i = 0; i < colours.size(); ++i) {
    const long dr = colours[i].rgbRed - GetRValue(c), dg = colours[i].rgbGreen - GetGValue(c),
               db = colours[i].rgbBlue - GetBValue(c);
    const long d = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = i;
      if (d == 0) break;
    }
  }
  return best;
}

// The colour table of a caller's BITMAPINFO: RGB quads, or indices into the
// palette selected into `dc` (the default palette without one).
std::vector<RGBQUAD> ReadColourTable(const BITMAPINFO* info, UINT usage, const DeviceContext* dc) {
  const auto& h = info->bmiHeader;
  std::vector<RGBQUAD> colours;
  if (h.biBitCount > 8) return colours;
  const int count = h.biClrUsed ? std::min<int>(static_cast<int>(h.biClrUsed), 1 << h.biBitCount) : 1 << h.biBitCount;
  const BYTE* table = reinterpret_cast<const BYTE*>(info) + h.biSize;
  if (usage == DIB_PAL_COLORS) {
    std::shared_ptr<Palette> palette = dc && dc->state.palette ? dc->state.palette
                                                              : Find<Palette>(GetStockObject(DEFAULT_PALETTE), ObjectKind::Palette);
    const std::vector<PALETTEENTRY> entries = palette ? palette->Entries() : std::vector<PALETTEENTRY>{};
    for (int i = 0; i < count; ++i) {
      WORD index;
      std::memcpy(&index, table + i * 2, 2);
      PALETTEENTRY e{0, 0, 0, 0};
      if (index < entries.size()) e = entries[index];
      colours.push_back(RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0});
    }
  } else {
    colours.resize(count);
    std::memcpy(colours.data(), table, count * sizeof(RGBQUAD));
  }
  colours.resize(static_cast<size_t>(1) << h.biBitCount, RGBQUAD{0, 0, 0, 0});
  return colours;
}

bool HeaderUsable(const BITMAPINFOHEADER& h) {
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0) return false;
  if (!SupportedDepth(h.biBitCount)) return false;
  if (h.biCompression != BI_RGB && !(h.biCompression == BI_BITFIELDS && h.biBitCount == 32)) return false;
  if (static_cast<int64_t>(h.biWidth) * std::abs(static_cast<int64_t>(h.biHeight)) > kMaxPixels) return false;
  return true;
}

}  // namespace

std::shared_ptr<Bitmap> Bitmap::Make(int width, int height, int bpp, bool bottomUp) {
  if (width <= 0 || height <= 0 || !SupportedDepth(bpp)) return nullptr;
  if (static_cast<int64_t>(width) * height > kMaxPixels) return nullptr;
  auto b = std::make_shared<Bitmap>();
  b->width = width;
  b->height = height;
  b->bpp = bpp;
  b->stride = DibStride(width, bpp);
  b->bottomUp = bottomUp;
  b->colours = DefaultColours(bpp);
  try {
    b->storage_.resize(static_cast<size_t>(b->stride) * height);
  } catch (const std::bad_alloc&) {
    return nullptr;  // creation fails like any other; nothing throws through the C interface
  }
  b->pendingFrom_ = 0;
  b->pendingTo_ = height;
  return b;
}

void Bitmap::ClearPending() {
  if (pendingFrom_ >= pendingTo_) return;
  std::memset(storage_.data() + static_cast<size_t>(pendingFrom_) * stride, 0,
              static_cast<size_t>(pendingTo_ - pendingFrom_) * stride);
  pendingFrom_ = pendingTo_ = 0;
}

BYTE* Bitmap::RowsToOverwrite(int top, int bottom, ptrdiff_t& step) {
  // The storage rows [low, high) of the band; the rows still pending stay
  // one run when the band takes them from either end.
  const int low = bottomUp ? height - bottom : top, high = bottomUp ? height - top : bottom;
  if (low >= high || high <= pendingFrom_ || low >= pendingTo_) {
    // Nothing pending in the band.
  } else if (low <= pendingFrom_) {
    pendingFrom_ = std::min(high, pendingTo_);
  } else if (high >= pendingTo_) {
    pendingTo_ = low;
  } else {
    ClearPending();  // rows in the middle: the black is written first
  }
  step = bottomUp ? -static_cast<ptrdiff_t>(stride) : stride;
  return storage_.data() + static_cast<size_t>(StorageRow(top)) * stride;
}

uint32_t Bitmap::ReadValue(int x, int y) const { return ReadPacked(Row(y), x, bpp); }
void Bitmap::WriteValue(int x, int y, uint32_t value) { WritePacked(Row(y), x, bpp, value); }

COLORREF Bitmap::ValueToColour(uint32_t value) const {
  if (bpp <= 8) return value < colours.size() ? QuadToColour(colours[value]) : 0;
  return RGB(static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value));
}

uint32_t Bitmap::ColourToValue(COLORREF colour) const {
  colour &= 0xFFFFFF;
  if (bpp <= 8) return NearestIndex(colours, colour);
  return (static_cast<uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

bool DibView::Init(const BITMAPINFO* info, UINT usage, const void* data, const DeviceContext* dc) {
  if (!info || !data || !HeaderUsable(info->bmiHeader)) return false;
  const auto& h = info->bmiHeader;
  width = h.biWidth;
  height = std::abs(h.biHeight);
  bpp = h.biBitCount;
  stride = DibStride(width, bpp);
  bottomUp = h.biHeight > 0;
  colours = ReadColourTable(info, usage, dc);
  bits = static_cast<const BYTE*>(data);
  return true;
}

uint32_t DibView::ReadValue(int x, int y) const { return ReadPacked(Row(y), x, bpp); }

COLORREF DibView::ReadColour(int x, int y) const {
  const uint32_t v = ReadValue(x, y);
  if (bpp <= 8) return v < colours.size() ? QuadToColour(colours[v]) : 0;
  return RGB(static_cast<BYTE>(v >> 16), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v));
}

}  // namespace gdi

using namespace gdi;

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1) return nullptr;
  if (width == 0 || height == 0) return static_cast<HBITMAP>(AddObject(Bitmap::Make(1, 1, 1, false)));
  auto b = Bitmap::Make(std::abs(width), std::abs(height), static_cast<int>(bitsPerPixel), false);
  if (!b) return nullptr;
  HBITMAP handle = static_cast<HBITMAP>(AddObject(b));
  if (bits) SetBitmapBits(handle, static_cast<DWORD>(((b->width * b->bpp + 15) / 16) * 2 * b->height), bits);
  return handle;
}

HBITMAP CreateBitmapIndirect(const BITMAP* bm) {
  if (!bm) return nullptr;
  return CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  auto d = FindDC(dc);
  if (dc && !d) return nullptr;
  if (width <= 0 || height <= 0) return static_cast<HBITMAP>(AddObject(Bitmap::Make(1, 1, 1, false)));
  // A memory device context makes bitmaps like the one it holds; everything
  // else is the screen's (or a page's) 32 bits.
  if (d && d->kind == DcKind::Memory && d->state.bitmap) {
    const auto& like = *d->state.bitmap;
    auto b = Bitmap::Make(width, height, like.bpp, false);
    if (!b) return nullptr;
    if (like.bpp <= 8) b->colours = like.colours;
    return static_cast<HBITMAP>(AddObject(b));
  }
  return static_cast<HBITMAP>(AddObject(Bitmap::Make(width, height, 32, false)));
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset) {
  if (bits) *bits = nullptr;
  if (!info || !HeaderUsable(info->bmiHeader) || section) return nullptr;
  const auto& h = info->bmiHeader;
  auto b = Bitmap::Make(h.biWidth, std::abs(h.biHeight), h.biBitCount, h.biHeight > 0);
  if (!b) return nullptr;
  b->dibSection = true;
  if (h.biBitCount <= 8) b->colours = ReadColourTable(info, usage, FindDC(dc).get());
  if (bits) *bits = b->Bits();
  return static_cast<HBITMAP>(AddObject(b));
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage) {
  if (!header) return nullptr;
  HBITMAP bitmap = CreateCompatibleBitmap(dc, header->biWidth, std::abs(header->biHeight));
  if (bitmap && (init & CBM_INIT) && bits && info) {
    SetDIBits(dc, bitmap, 0, static_cast<UINT>(std::abs(header->biHeight)), bits, info, usage);
  }
  return bitmap;
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage) {
  auto b = FindBitmap(bitmap);
  if (!b || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  auto& h = info->bmiHeader;
  if (h.biBitCount == 0) {
    // Only the description is asked for.
    h.biWidth = b->width;
    h.biHeight = b->height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(b->bpp);
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(DibStride(b->width, b->bpp) * b->height);
    h.biClrUsed = 0;
    h.biClrImportant = 0;
    return b->height;
  }
  if (!SupportedDepth(h.biBitCount) || h.biCompression != BI_RGB) return 0;
  const int bpp = h.biBitCount;
  const int stride = DibStride(b->width, bpp);
  const bool bottomUp = h.biHeight >= 0;
  h.biWidth = b->width;
  h.biHeight = bottomUp ? b->height : -b->height;
  h.biPlanes = 1;
  h.biSizeImage = static_cast<DWORD>(stride * b->height);
  h.biClrUsed = 0;
  h.biClrImportant = 0;

  // Colour table: the bitmap's own when its indices fit, else a default one.
  std::vector<RGBQUAD> colours;
  const bool keepIndices = bpp <= 8 && b->bpp <= bpp;
  if (bpp <= 8) {
    colours = keepIndices ? b->colours : DefaultColours(bpp);
    colours.resize(static_cast<size_t>(1) << bpp, RGBQUAD{0, 0, 0, 0});
    if (usage == DIB_RGB_COLORS) std::memcpy(info->bmiColors, colours.data(), colours.size() * sizeof(RGBQUAD));
  }
  if (!bits) return static_cast<int>(std::min<UINT>(lines, b->height));

  if (start >= static_cast<UINT>(b->height)) return 0;
  const int count = static_cast<int>(std::min<UINT>(lines, b->height - start));
  auto* out = static_cast<BYTE*>(bits);
  for (int i = 0; i < count; ++i) {
    // Scan line numbers count from the bottom for bottom-up requests.
    const int scan = static_cast<int>(start) + i;
    const int y = bottomUp ? b->height - 1 - scan : scan;
    BYTE* row = out + static_cast<size_t>(i) * stride;
    if (bpp == b->bpp && (keepIndices || bpp > 8)) {
      // The pixels' bytes, then the rest of the row cleared.
      const size_t used = (static_cast<size_t>(b->width) * bpp + 7) / 8;
      if (bpp < 8) row[used - 1] = 0;
      CopyPackedRow(row, b->Row(y), b->width, bpp);
      std::memset(row + used, 0, stride - used);
      continue;
    }
    std::memset(row, 0, stride);
    for (int x = 0; x < b->width; ++x) {
      const uint32_t v = b->ReadValue(x, y);
      uint32_t o;
      if (keepIndices) {
        o = v;
      } else {
        const COLORREF c = b->ValueToColour(v);
        o = bpp <= 8 ? NearestIndex(colours, c)
                     : (static_cast<uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
      }
      WritePacked(row, x, bpp, o);
    }
  }
  return count;
}

int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
  auto b = FindBitmap(bitmap);
  DibView src;
  if (!b || b->stock || !src.Init(info, usage, bits, FindDC(dc).get())) return 0;
  // The caller's buffer holds `lines` scan lines starting at scan line `start`
  // (counted from the bottom for bottom-up bits).
  const int total = src.height;
  if (start >= static_cast<UINT>(total)) return 0;
  const int count = static_cast<int>(std::min<UINT>(lines, total - start));
  const bool sameIndices = b->bpp <= 8 && b->bpp == src.bpp &&
                           std::equal(b->colours.begin(), b->colours.end(), src.colours.begin(), src.colours.end(),
                                      [](const RGBQUAD& p, const RGBQUAD& q) {
                                        return p.rgbRed == q.rgbRed && p.rgbGreen == q.rgbGreen && p.rgbBlue == q.rgbBlue;
                                      });
  const int w = std::min(src.width, b->width);
  ColourMapper map(*b);
  for (int i = 0; i < count; ++i) {
    const int scan = static_cast<int>(start) + i;
    const int y = src.bottomUp ? total - 1 - scan : scan;
    if (y < 0 || y >= b->height) continue;
    const BYTE* row = src.bits + static_cast<size_t>(i) * src.stride;
    if (sameIndices || (src.bpp > 8 && src.bpp == b->bpp)) {
      const bool wholeRow = w == b->width && src.bpp >= 8 && b->stride * 8 == b->width * b->bpp;
      CopyPackedRow(wholeRow ? b->RowToOverwrite(y) : b->Row(y), row, w, src.bpp);
      continue;
    }
    for (int x = 0; x < w; ++x) {
      const uint32_t v = ReadPacked(row, x, src.bpp);
      if (sameIndices) {
        b->WriteValue(x, y, v);
      } else {
        COLORREF c = src.bpp <= 8 ? (v < src.colours.size() ? QuadToColour(src.colours[v]) : 0)
                                  : RGB(static_cast<BYTE>(v >> 16), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v));
        b->WriteValue(x, y, map(c));
      }
    }
  }
  return count;
}

LONG GetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits) {
  auto b = FindBitmap(bitmap);
  if (!b) return 0;
  const int rowBytes = ((b->width * b->bpp + 15) / 16) * 2;
  const LONG total = rowBytes * b->height;
  if (!bits) return total;
  const LONG n = std::min(size, total);
  auto* out = static_cast<BYTE*>(bits);
  for (LONG done = 0, y = 0; done < n; ++y) {
    const LONG chunk = std::min<LONG>(rowBytes, n - done);
    std::memcpy(out + done, b->Row(y), chunk);
    done += chunk;
  }
  return n;
}

LONG SetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits) {
  auto b = FindBitmap(bitmap);
  if (!b || b->stock || !bits) return 0;
  const int rowBytes = ((b->width * b->bpp + 15) / 16) * 2;
  const LONG total = rowBytes * b->height;
  const LONG n = std::min<LONG>(static_cast<LONG>(size), total);
  const auto* in = static_cast<const BYTE*>(bits);
  for (LONG done = 0, y = 0; done < n; ++y) {
    const LONG chunk = std::min<LONG>(rowBytes, n - done);
    std::memcpy(b->Row(y), in + done, chunk);
    done += chunk;
  }
  return n;
}

UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colours) {
  auto d = FindDC(dc);
  if (!d || !d->Target() || d->Target()->bpp > 8 || !colours) return 0;
  const auto& table = d->Target()->colours;
  if (start >= table.size()) return 0;
  const UINT n = std::min<UINT>(count, static_cast<UINT>(table.size()) - start);
  std::copy_n(table.begin() + start, n, colours);
  return n;
}

UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colours) {
  auto d = FindDC(dc);
  if (!d || !d->Target() || d->Target()->bpp > 8 || !colours || d->Target()->stock) return 0;
  auto& table = d->Target()->colours;
  if (start >= table.size()) return 0;
  const UINT n = std::min<UINT>(count, static_cast<UINT>(table.size()) - start);
  std::copy_n(colours, n, table.begin() + start);
  return n;
}

BOOL GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size) {
  auto b = FindBitmap(bitmap);
  if (!b || !size) return FALSE;
  *size = b->dimension;
  return TRUE;
}

BOOL GdiFlush() { return TRUE; }
