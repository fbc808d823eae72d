// Small bitmaps and temporary folders for the image tests.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "image/bitmap/planybmp.h"
#include "image/bitmap/plwinbmp.h"
#include "tests/image/temp_folder.h"

namespace imgtest {

inline PLPixel32 Px(int r, int g, int b, int a = 255) {
  return PLPixel32(uint8_t(r), uint8_t(g), uint8_t(b), uint8_t(a));
}

// A 32-bit bitmap of w x h pixels given row by row.
inline std::unique_ptr<PLAnyBmp> Make32(int w, int h, const std::vector<PLPixel32>& pixels, bool alpha = false) {
  auto bmp = std::make_unique<PLAnyBmp>();
  EXPECT_TRUE(bmp->Create(w, h, 32, 32, 0, alpha, false));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bmp->GetLineArray32()[y][x] = pixels[size_t(y * w + x)];
  return bmp;
}

inline std::unique_ptr<PLAnyBmp> MakeFlat32(int w, int h, PLPixel32 p) {
  return Make32(w, h, std::vector<PLPixel32>(size_t(w * h), p));
}

// An 8-bit bitmap of the given bytes (grey ramp palette).
inline std::unique_ptr<PLAnyBmp> Make8(int w, int h, const std::vector<int>& bytes, bool greyscale) {
  auto bmp = std::make_unique<PLAnyBmp>();
  EXPECT_TRUE(bmp->Create(w, h, 8, 8, 0, false, greyscale));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bmp->GetLineArray()[y][x] = PLBYTE(bytes[size_t(y * w + x)]);
  return bmp;
}

// A 1-bit bitmap of the given bits (palette 0 black, 1 white).
inline std::unique_ptr<PLAnyBmp> Make1(int w, int h, const std::vector<int>& bits) {
  auto bmp = std::make_unique<PLAnyBmp>();
  EXPECT_TRUE(bmp->Create(w, h, 1, 1, 0, false, false));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (bits[size_t(y * w + x)]) bmp->GetLineArray()[y][x / 8] |= PLBYTE(0x80 >> (x % 8));
  return bmp;
}

inline int Bit(const PLBmp& bmp, int x, int y) { return (bmp.GetLineArray()[y][x / 8] >> (7 - x % 8)) & 1; }

inline std::vector<int> Bits(const PLBmp& bmp) {
  std::vector<int> out;
  for (int y = 0; y < bmp.GetHeight(); ++y)
    for (int x = 0; x < bmp.GetWidth(); ++x) out.push_back(Bit(bmp, x, y));
  return out;
}

inline std::vector<int> Bytes8(const PLBmp& bmp) {
  std::vector<int> out;
  for (int y = 0; y < bmp.GetHeight(); ++y)
    for (int x = 0; x < bmp.GetWidth(); ++x) out.push_back(bmp.GetLineArray()[y][x]);
  return out;
}

inline std::vector<PLPixel32> Pixels32(const PLBmp& bmp) {
  std::vector<PLPixel32> out;
  for (int y = 0; y < bmp.GetHeight(); ++y)
    for (int x = 0; x < bmp.GetWidth(); ++x) out.push_back(bmp.GetLineArray32()[y][x]);
  return out;
}


}  // namespace imgtest

inline std::ostream& operator<<(std::ostream& os, const PLPixel32& p) {
  return os << "(" << int(p.r) << "," << int(p.g) << "," << int(p.b) << "," << int(p.a) << ")";
}
