#include "image/bitmap/plbmp.h"

#include <cstring>
#include <limits>

#include "image/bitmap/planybmp.h"
#include "image/filter/plfilterquantize.h"

size_t PLBmp::PackedLineBytes(int width, int bpp) {
  if (width < 0) return 0;
  switch (bpp) {
    case 1: return (size_t(width) + 7) / 8;
    case 8: return size_t(width);
    case 24: return size_t(width) * 3;
    case 32: return size_t(width) * 4;
    default: return 0;
  }
}

size_t PLBmp::PaddedLineBytes(int width, int bpp) {
  return (PackedLineBytes(width, bpp) + 3) & ~size_t(3);
}

bool PLBmp::IsValidGeometry(int width, int height, int bpp) {
  if (width <= 0 || height <= 0) return false;
  if (bpp != 1 && bpp != 8 && bpp != 24 && bpp != 32) return false;
  // Widths are below 2^31, so a padded line fits in size_t; the product is
  // checked by division.
  size_t line = PaddedLineBytes(width, bpp);
  return line <= kMaxImageBytes / size_t(height);
}

int PLBmp::CreateFromInfo(const PLBmpInfo& info) {
  return Create(info.GetWidth(), info.GetHeight(), info.GetBitsPerPixel(), info.GetFileBitsPerPixel(),
                info.GetFileSize(), info.HasAlpha(), info.IsGreyscale(), info.GetResolution());
}

int PLBmp::Create(int width, int height, int bpp, int fileBpp, int fileSize, bool alpha, bool greyscale,
                  const PLPoint& resolution) {
  FreeStorage();
  if (!AllocateStorage(width, height, bpp, fileBpp, fileSize, alpha, greyscale)) return 0;
  m_Resolution = resolution;
  return 1;
}

void PLBmp::Lock(bool, bool) { ++m_LockCount; }
void PLBmp::Unlock() { --m_LockCount; }

void PLBmp::InitBitmap(int width, int height, int bpp, int fileBpp, int fileSize, bool alpha, bool greyscale) {
  SetInfo(PLPoint{width, height}, bpp, fileBpp, fileSize, PLPoint{}, alpha, greyscale);
  BuildLineArray();
  if (bpp < 16 && m_pPal) SetGreyPalette();
}

uint32_t PLBmp::GetPixel32(int x, int y) const {
  return GetLineArray32()[y][x].Value();
}

void PLBmp::SetPaletteEntry(PLBYTE index, PLBYTE r, PLBYTE g, PLBYTE b, PLBYTE a) {
  if (m_pPal && index < GetNumColors()) m_pPal[index].Set(r, g, b, a);
}

void PLBmp::SetGreyPalette() {
  int n = GetNumColors();
  if (!m_pPal || n < 2) return;
  int step = 255 / (n - 1);
  for (int i = 0; i < n; ++i) {
    auto v = static_cast<PLBYTE>(i * step);
    m_pPal[i].Set(v, v, v, 255);
  }
}

void PLBmp::SetPalette(const PLPixel32* entries) {
  if (m_pPal && entries) std::memmove(m_pPal, entries, sizeof(PLPixel32) * size_t(GetNumColors()));
}

namespace {

// Source pixel at (x, y) as a 32-bit colour, for 1, 8, 24 and 32 bits.
PLPixel32 ReadPixel(const PLBmp& src, int x, int y) {
  const PLBYTE* row = src.GetLineArray()[y];
  const PLPixel32* pal = src.GetPalette();
  switch (src.GetBitsPerPixel()) {
    case 1: {
      int bit = (row[x / 8] >> (7 - x % 8)) & 1;
      if (pal) return pal[bit];
      return bit ? PLPixel32(0, 0, 0, 255) : PLPixel32(255, 255, 255, 255);
    }
    case 8:
      if (pal) return pal[row[x]];
      return PLPixel32(row[x], row[x], row[x], 255);
    case 24: return PLPixel32(row[x * 3 + 2], row[x * 3 + 1], row[x * 3], 255);
    default: return reinterpret_cast<const PLPixel32*>(row)[x];
  }
}

}  // namespace

void PLBmp::CreateCopy(const PLBmp& source, int wantedBpp) {
  auto& src = const_cast<PLBmp&>(source);
  int srcBpp = src.GetBitsPerPixel();
  if (wantedBpp == 0 || wantedBpp == srcBpp) {
    if (&src == this) return;
    FreeStorage();
    if (!AllocateStorage(src.GetWidth(), src.GetHeight(), srcBpp, src.GetFileBitsPerPixel(), src.GetFileSize(),
                         src.HasAlpha(), src.IsGreyscale()))
      return;
    PLBmpLock srcLock(src, true, false);
    PLBmpLock dstLock(*this, false, true);
    size_t line = PackedLineBytes(GetWidth(), srcBpp);
    for (int y = 0; y < GetHeight(); ++y) std::memcpy(m_pLineArray[y], src.GetLineArray()[y], line);
    if (srcBpp <= 8 && src.GetPalette()) SetPalette(src.GetPalette());
    m_Resolution = src.GetResolution();
    return;
  }
  if (&src == this) {
    // Converting a bitmap into itself goes through a copy of its pixels.
    PLAnyBmp copy;
    copy.CreateCopy(src, 0);
    CreateCopy(copy, wantedBpp);
    return;
  }
  if (!Create(src.GetWidth(), src.GetHeight(), wantedBpp, src.GetFileBitsPerPixel(), src.GetFileSize(),
              src.HasAlpha() && wantedBpp == 32, src.IsGreyscale() && wantedBpp == 8, PLPoint{}))
    return;
  int w = GetWidth(), h = GetHeight();
  PLBmpLock srcLock(src, true, false);
  PLBmpLock dstLock(*this, false, true);
  switch (wantedBpp) {
    case 1:
      m_pPal[0].Set(255, 255, 255, 255);
      m_pPal[1].Set(0, 0, 0, 255);
      for (int y = 0; y < h; ++y) {
        PLBYTE* dst = m_pLineArray[y];
        std::memset(dst, 0, PackedLineBytes(w, 1));
        for (int x = 0; x < w; ++x) {
          PLPixel32 p = ReadPixel(src, x, y);
          if (p.r < 128 && p.g < 128 && p.b < 128) dst[x / 8] |= PLBYTE(0x80 >> (x % 8));
        }
      }
      break;
    case 8:
      if (srcBpp == 32) {
        PLFilterQuantize quantize(m_QuantizationMethod, m_DitherMethod);
        quantize.Apply(&src, this);
      } else if (srcBpp == 1) {
        const PLPixel32* pal = src.GetPalette();
        for (int i = 0; i < 2; ++i) {
          PLPixel32 c = pal ? pal[i] : (i ? PLPixel32(0, 0, 0) : PLPixel32(255, 255, 255));
          m_pPal[i].Set(c.r, c.g, c.b, 255);
        }
        for (int y = 0; y < h; ++y) {
          const PLBYTE* s = src.GetLineArray()[y];
          for (int x = 0; x < w; ++x) m_pLineArray[y][x] = (s[x / 8] >> (7 - x % 8)) & 1;
        }
      } else {
        // Other sources are quantised like a 32-bit one.
        PLAnyBmp wide;
        wide.CreateCopy(src, 32);
        PLFilterQuantize quantize(m_QuantizationMethod, m_DitherMethod);
        quantize.Apply(&wide, this);
      }
      break;
    case 24:
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          PLPixel32 p = ReadPixel(src, x, y);
          PLBYTE* d = m_pLineArray[y] + x * 3;
          d[0] = p.b; d[1] = p.g; d[2] = p.r;
        }
      break;
    case 32:
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          GetLineArray32()[y][x] = ReadPixel(src, x, y);
        }
      break;
    default:
      break;
  }
  m_Resolution = src.GetResolution();
}
