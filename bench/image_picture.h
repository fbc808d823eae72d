// The picture the image benchmarks work on: 2400 x 1500 at 32 bits, soft
// colour gradients with hard-edged dark bars, like a label with a barcode.
#pragma once

#include <cstdint>
#include <memory>

#include "image/bitmap/planybmp.h"

namespace imagebench {

constexpr int kWidth = 2400, kHeight = 1500;

inline PLAnyBmp& Picture() {
  static const std::unique_ptr<PLAnyBmp> picture = [] {
    auto bmp = std::make_unique<PLAnyBmp>();
    bmp->Create(kWidth, kHeight, 32, 32, 0, false, false, PLPoint{300, 300});
    for (int y = 0; y < kHeight; ++y) {
      PLPixel32* row = bmp->GetLineArray32()[y];
      for (int x = 0; x < kWidth; ++x) {
        const bool bar = (x / 12) % 5 == 0 && y > 200 && y < 900;
        row[x] = bar ? PLPixel32(20, 20, 20, 255)
                     : PLPixel32(uint8_t(x * 255 / kWidth), uint8_t(y * 255 / kHeight), uint8_t((x + y) % 256), 255);
      }
    }
    return bmp;
  }();
  return *picture;
}

}  // namespace imagebench
