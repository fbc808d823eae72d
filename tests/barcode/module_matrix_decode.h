// Test helper: draws a module matrix into a plain 8-bit image with a quiet
// zone and decodes it with zxing-cpp.
#pragma once

#define ZX_USE_UTF8 1

#include <ZXing/ReadBarcode.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvo_test {

struct DecodedSymbol {
  std::string bytes;
  ZXing::BarcodeFormat format;
};

// `dark` is rows x columns, row by row, non-zero = dark.
inline std::optional<DecodedSymbol> DecodeModules(const std::vector<uint8_t>& dark, int columns, int rows,
                                                  ZXing::BarcodeFormat format, int scale = 3,
                                                  int quiet = 4) {
  const int width = (columns + 2 * quiet) * scale, height = (rows + 2 * quiet) * scale;
  std::vector<uint8_t> image(static_cast<size_t>(width) * height, 255);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c)
      if (dark[r * columns + c])
        for (int y = 0; y < scale; ++y)
          for (int x = 0; x < scale; ++x)
            image[static_cast<size_t>((quiet + r) * scale + y) * width + (quiet + c) * scale + x] = 0;
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  const ZXing::Result result =
      ZXing::ReadBarcode(ZXing::ImageView(image.data(), width, height, ZXing::ImageFormat::Lum), hints);
  if (!result.isValid()) return std::nullopt;
  const auto& bytes = result.bytes();
  return DecodedSymbol{std::string(bytes.begin(), bytes.end()), result.format()};
}

}  // namespace kalvo_test
