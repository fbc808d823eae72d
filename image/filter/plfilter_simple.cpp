// The per-pixel filters: contrast, lightness, greyscale, flip and mirror.
#include <cstring>
#include <vector>

#include "image/filter/plfiltercontrast.h"
#include "image/filter/plfilterflip.h"
#include "image/filter/plfiltergrayscale.h"
#include "image/filter/plfilterlightness.h"
#include "image/filter/plfiltermirror.h"

namespace {

PLBYTE ClampToByte(double v) { return v >= 255 ? 255 : (v < 0 ? 0 : PLBYTE(v)); }

// Creates the target with the source's whole description.
bool CreateLike(PLBmp* source, PLBmp* target) {
  return target->Create(source->GetWidth(), source->GetHeight(), source->GetBitsPerPixel(),
                        source->GetFileBitsPerPixel(), source->GetFileSize(), source->HasAlpha(),
                        source->IsGreyscale(), source->GetResolution()) != 0;
}

// The frame of a filter whose target is described like its source: in place
// when both are one bitmap, otherwise body() runs with the source locked for
// reading and the target created and locked for writing.
template <class Body>
void ApplyIntoLike(PLFilter& filter, PLBmp* source, PLBmp* target, Body body) {
  if (source == target) {
    filter.ApplyInPlace(source);
    return;
  }
  PLBmpLock srcLock(*source, true, false);
  if (!CreateLike(source, target)) return;
  PLBmpLock dstLock(*target, false, true);
  body();
}

// Copies the source's rows into the target (used to keep each pixel's fourth
// byte), then calls f on the blue, green and red bytes of every pixel.
template <class F>
void ForEachChannel(PLBmp* source, PLBmp* target, int step, F f) {
  int w = source->GetWidth();
  for (int y = 0; y < source->GetHeight(); ++y) {
    const PLBYTE* in = source->GetLineArray()[y];
    PLBYTE* out = target->GetLineArray()[y];
    std::memcpy(out, in, size_t(w) * size_t(step));
    for (int x = 0; x < w; ++x)
      for (int ch = 0; ch < 3; ++ch) out[x * step + ch] = f(in[x * step + ch]);
  }
}

}  // namespace

void PLFilterContrast::Apply(PLBmp* source, PLBmp* target) {
  ApplyIntoLike(*this, source, target, [&] {
    double pivot = m_Contrast > 1.0 ? 128 : 255;
    double offset = pivot - pivot * m_Contrast;
    int bpp = source->GetBitsPerPixel();
    if (bpp != 24 && bpp != 32) return;
    ForEachChannel(source, target, bpp / 8, [&](PLBYTE v) { return ClampToByte(offset + m_Contrast * v); });
  });
}

void PLFilterLightness::Apply(PLBmp* source, PLBmp* target) {
  ApplyIntoLike(*this, source, target, [&] {
    if (source->GetBitsPerPixel() != 32) return;
    // percent x 2.55, computed so that 100 percent adds exactly 255.
    double add = m_Lightness * 255 / 100.0;
    ForEachChannel(source, target, 4, [&](PLBYTE v) { return ClampToByte(v + add); });
  });
}

void PLFilterGrayscale::Apply(PLBmp* source, PLBmp* target) {
  if (source == target) {
    ApplyInPlace(source);
    return;
  }
  PLBmpLock srcLock(*source, true, false);
  if (!target->Create(source->GetWidth(), source->GetHeight(), 8, source->GetFileBitsPerPixel(),
                      source->GetFileSize(), false, true, source->GetResolution()))
    return;
  PLBmpLock dstLock(*target, false, true);
  if (source->GetBitsPerPixel() != 32) return;
  for (int y = 0; y < source->GetHeight(); ++y) {
    const PLPixel32* in = source->GetLineArray32()[y];
    PLBYTE* out = target->GetLineArray()[y];
    for (int x = 0; x < source->GetWidth(); ++x)
      out[x] = PLBYTE(0.212671 * in[x].r + 0.71516 * in[x].g + 0.072169 * in[x].b);
  }
}

void PLFilterFlip::ApplyInPlace(PLBmp* bmp) {
  PLBmpLock lock(*bmp, true, true);
  size_t line = PLBmp::PackedLineBytes(bmp->GetWidth(), bmp->GetBitsPerPixel());
  std::vector<PLBYTE> buffer(line + 8);
  PLBYTE** rows = bmp->GetLineArray();
  int h = bmp->GetHeight();
  for (int i = 0; i < h / 2; ++i) {
    std::memcpy(buffer.data(), rows[i], line);
    std::memcpy(rows[i], rows[h - 1 - i], line);
    std::memcpy(rows[h - 1 - i], buffer.data(), line);
  }
}

void PLFilterMirror::Apply(PLBmp* source, PLBmp* target) {
  ApplyIntoLike(*this, source, target, [&] {
    // Every depth is mirrored pixel by pixel (32-bit values, 24-bit triples,
    // 8-bit indexes, 1-bit bits).
    int w = source->GetWidth(), bpp = source->GetBitsPerPixel();
    for (int y = 0; y < source->GetHeight(); ++y) {
      const PLBYTE* in = source->GetLineArray()[y];
      PLBYTE* out = target->GetLineArray()[y];
      for (int x = 0; x < w; ++x) {
        int m = w - 1 - x;
        switch (bpp) {
          case 32: reinterpret_cast<PLPixel32*>(out)[m] = reinterpret_cast<const PLPixel32*>(in)[x]; break;
          case 24: std::memcpy(out + m * 3, in + x * 3, 3); break;
          case 8: out[m] = in[x]; break;
          case 1:
            if ((in[x / 8] >> (7 - x % 8)) & 1) out[m / 8] |= PLBYTE(0x80 >> (m % 8));
            else out[m / 8] &= PLBYTE(~(0x80 >> (m % 8)));
            break;
        }
      }
    }
    if (bpp < 16 && source->GetPalette()) target->SetPalette(source->GetPalette());
  });
}
