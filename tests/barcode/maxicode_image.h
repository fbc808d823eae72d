// Test helper: draws a MaxiCode module grid as a plain 8-bit image (round
// modules at the nominal centres, the bull's-eye rings) and decodes it with
// zxing-cpp, which reads a lone, axis-aligned MaxiCode.
#pragma once

#define ZX_USE_UTF8 1

#include <ZXing/ReadBarcode.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvo_test {

// `dark` is 33 rows of 30 modules, row by row, non-zero = dark.
inline std::optional<std::string> DecodeMaxiGrid(const std::vector<uint8_t>& dark) {
  constexpr double kPitchX = 10.4, kPitchY = 9.0, kQuiet = 20;
  const int width = static_cast<int>(30 * kPitchX + 2 * kQuiet), height = static_cast<int>(33 * kPitchY + 2 * kQuiet);
  std::vector<uint8_t> image(static_cast<size_t>(width) * height, 255);
  auto disc = [&](double cx, double cy, double radius, uint8_t level) {
    for (int y = static_cast<int>(cy - radius); y <= static_cast<int>(cy + radius) + 1; ++y)
      for (int x = static_cast<int>(cx - radius); x <= static_cast<int>(cx + radius) + 1; ++x)
        if (x >= 0 && y >= 0 && x < width && y < height && std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius)
          image[static_cast<size_t>(y) * width + x] = level;
  };
  // Finder rings first, in the symbol's proportions (radii in module pitches),
  // so that they stay inside the finder's area and never lie under the
  // modules around it, light ones included.
  const double fx = kQuiet + 15 * kPitchX, fy = kQuiet + 16.5 * kPitchY;
  constexpr double kRingRadii[6] = {0.58, 1.34, 2.11, 2.87, 3.64, 4.40};
  for (int ring = 5; ring >= 0; --ring) disc(fx, fy, kRingRadii[ring] * kPitchX, ring % 2 == 1 ? 0 : 255);
  for (int r = 0; r < 33; ++r)
    for (int c = 0; c < 30; ++c)
      if (dark[r * 30 + c])
        disc(kQuiet + (c + 0.5 + (r % 2) * 0.5) * kPitchX, kQuiet + (r + 0.5) * kPitchY, 4.2, 0);
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::MaxiCode);
  hints.setIsPure(true);
  const ZXing::Result result =
      ZXing::ReadBarcode(ZXing::ImageView(image.data(), width, height, ZXing::ImageFormat::Lum), hints);
  if (!result.isValid()) return std::nullopt;
  const auto& bytes = result.bytes();
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace kalvo_test
