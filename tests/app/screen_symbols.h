// A symbol on the program's screen, found and read by zxing-cpp: where it
// lies, for a test to click it or to measure it against the label around it.
#pragma once

#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace apptest {

struct Found {
  bool valid = false;
  int left = 0, top = 0, right = 0, bottom = 0;
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};

// The first symbol of the format among the screen's pixels (0xRRGGBB,
// `width` to a row) whose bytes `wanted` takes, or an invalid one.
inline Found ReadScreenSymbolWhere(const std::vector<uint32_t>& pixels, int width, int height,
                                   ZXing::BarcodeFormat format, const std::function<bool(const std::string&)>& wanted) {
  if (pixels.size() != static_cast<size_t>(width) * height) return {};
  std::vector<uint8_t> grey(pixels.size());
  for (size_t i = 0; i < grey.size(); ++i) {
    const uint32_t p = pixels[i];
    grey[i] = static_cast<uint8_t>(((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3);
  }
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  hints.setTryHarder(true);
  for (const ZXing::Result& r :
       ZXing::ReadBarcodes(ZXing::ImageView(grey.data(), width, height, ZXing::ImageFormat::Lum), hints)) {
    const auto& bytes = r.bytes();
    if (!wanted(std::string(bytes.begin(), bytes.end()))) continue;
    Found f{true, width, height, 0, 0};
    for (int i = 0; i < 4; ++i) {
      f.left = std::min(f.left, r.position()[i].x);
      f.right = std::max(f.right, r.position()[i].x);
      f.top = std::min(f.top, r.position()[i].y);
      f.bottom = std::max(f.bottom, r.position()[i].y);
    }
    return f;
  }
  return {};
}

// The symbol of the format holding exactly `text`, or an invalid one.
inline Found ReadScreenSymbol(const std::vector<uint32_t>& pixels, int width, int height, ZXing::BarcodeFormat format,
                              const std::string& text) {
  return ReadScreenSymbolWhere(pixels, width, height, format, [&](const std::string& bytes) { return bytes == text; });
}

}  // namespace apptest
