#include "image/filter/agcnvtdither.h"

#include <vector>

#include "image/bitmap/planybmp.h"

namespace {

constexpr int kOrdered[4][4] = {{0, 192, 48, 240}, {128, 64, 176, 112}, {32, 224, 16, 208}, {160, 96, 144, 80}};
constexpr int kLevels[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// One error-diffusion neighbour: offset in x and y, weight out of divisor.
struct Spread {
  int dx, dy, weight;
};
constexpr Spread kFloydSteinberg[] = {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}};
constexpr Spread kBurkes[] = {{1, 0, 8}, {2, 0, 4}, {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2}};

// Sets or clears the bit of column x (the leftmost pixel is bit 7).
void SetBit(PLBYTE* row, int x, int value) {
  PLBYTE mask = PLBYTE(0x80 >> (x % 8));
  row[x / 8] = PLBYTE(row[x / 8] & ~mask);
  if (value) row[x / 8] |= mask;
}

}  // namespace

int AgCnvtDither::Convert(PLBmp* source, PLBmp* target) {
  int bpp = source->GetBitsPerPixel();
  if (bpp < 32 && !source->IsGreyscale()) return 0;
  int w = source->GetWidth(), h = source->GetHeight();
  m_Progress = 0;

  // Grey level of every pixel, one byte each.
  std::vector<PLBYTE> grey(size_t(w) * size_t(h));
  {
    PLAnyBmp wide;
    PLBmp* src = source;
    if (bpp != 8 && bpp != 32) {
      // A greyscale bitmap of another depth is read through a 32-bit copy.
      wide.CreateCopy(*source, 32);
      src = &wide;
    }
    PLBmpLock lock(*src, true, false);
    for (int y = 0; y < h; ++y) {
      PLBYTE* g = grey.data() + size_t(y) * w;
      if (src->GetBitsPerPixel() == 8) {
        const PLBYTE* in = src->GetLineArray()[y];
        for (int x = 0; x < w; ++x) g[x] = in[x];
      } else {
        const PLPixel32* in = src->GetLineArray32()[y];
        for (int x = 0; x < w; ++x) g[x] = PLBYTE((183 * in[x].g + 54 * in[x].r + 19 * in[x].b) >> 8);
      }
    }
  }

  if (!target->Create(w, h, 1, source->GetFileBitsPerPixel(), source->GetFileSize(), source->HasAlpha(), false,
                      source->GetResolution()))
    return 0;
  PLBmpLock lock(*target, false, true);
  PLBYTE** rows = target->GetLineArray();

  auto diffuse = [&](const Spread* spread, int count, int divisor) {
    for (int y = 0; y < h; ++y) {
      m_Progress = y * 100 / h;
      for (int x = 0; x < w; ++x) {
        int g = grey[size_t(y) * w + x];
        int white = g < 129 ? 0 : 1;
        int e = white ? g - 255 : g;
        SetBit(rows[y], x, white);
        for (int k = 0; k < count; ++k) {
          int nx = x + spread[k].dx, ny = y + spread[k].dy;
          if (nx < 0 || nx >= w || ny >= h) continue;
          PLBYTE& cell = grey[size_t(ny) * w + nx];
          int v = cell + e * spread[k].weight / divisor;
          cell = PLBYTE(v < 0 ? 0 : (v > 255 ? 255 : v));
        }
      }
    }
  };

  switch (m_Method) {
    case AG_DITHER_FLOYD_STEINBERG: diffuse(kFloydSteinberg, 4, 16); break;
    case AG_DITHER_BURKES: diffuse(kBurkes, 7, 32); break;
    case AG_DITHER_ORDERED:
      for (int y = 0; y < h; ++y) {
        m_Progress = y * 100 / h;
        for (int x = 0; x < w; ++x) SetBit(rows[y], x, kOrdered[y % 4][x % 4] < grey[size_t(y) * w + x]);
      }
      break;
    case AG_DITHER_ORDERED_LEVELS:
      for (int y = 0; y < h; ++y) {
        m_Progress = y * 100 / h;
        for (int x = 0; x < w; ++x) {
          int k = grey[size_t(y) * w + x] * 16 / 255;
          SetBit(rows[y], x, k == 16 || kLevels[y % 4][x % 4] < k % 16);
        }
      }
      break;
    default:
      break;
  }
  return 1;
}

int AgCnvtDither::ApplyInPlace(PLBmp* bmp) {
  PLAnyBmp temporary;
  int result = Convert(bmp, &temporary);
  if (result) bmp->CreateCopy(temporary, 0);
  return result;
}
