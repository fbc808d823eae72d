// Test helpers: a request filled as the designer fills it, the bitmap the
// library returns read back through GetDIBits, and a zxing decode of it.
#pragma once

#define ZX_USE_UTF8 1

#include <gtest/gtest.h>

#include <ZXing/ReadBarcode.h>

#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "barcode/kalvo.h"
#include "platform/gdi/gdi.h"
#include "tests/barcode/dib_pixels.h"

namespace kalvo {
// Test output names a symbology rather than its number.
inline std::ostream& operator<<(std::ostream& out, Symbology s) {
  return out << SymbologyName(s) << " (" << CodeOf(s) << ")";
}
}  // namespace kalvo

namespace kalvo_test {

// A test-name piece for a symbology and sub-type: "EAN13_sub1", "Code34_sub0".
inline std::string NameOf(kalvo::Symbology s, int subType) {
  std::string name;
  for (char c : kalvo::SymbologyName(s)) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) name += c;
  }
  if (name.empty()) name = "Code" + std::to_string(kalvo::CodeOf(s));
  return name + "_sub" + std::to_string(subType);
}

// Test names for table rows that carry `type` and `subType`: readable, the
// same in every build, and unique through the row's index.
template <class Row>
std::string RowName(const testing::TestParamInfo<Row>& info) {
  return NameOf(info.param.type, info.param.subType) + "_" + std::to_string(info.index);
}

// A request with the designer's buffers (data and text each 64 bytes larger
// than their length fields say) and every "not set" member given a value.
struct Request {
  CBCode code;

  Request(kalvo::Symbology symbology, int subType, const std::string& data, int hrCapacity = -1) {
    const int type = kalvo::CodeOf(symbology);
    code.type = static_cast<uint16_t>(type);
    code.subType = static_cast<uint16_t>(subType);
    code.codabarStart = 0;
    code.codabarStop = 1;
    code.codabarUpper = 1;
    code.itfBearerFactor = 3;
    code.itfQuietFactor = 10;
    code.addMod10 = 0;
    code.barcodeSpare3 = 0;
    code.noText = 0;
    code.aiParentheses = 1;
    code.useTextMask = 0;
    code.textAlign = 0;
    const int dataLength = symbology == kalvo::Symbology::UccEan128Ais ? 256 : static_cast<int>(data.size());
    code.data = static_cast<char*>(std::calloc(dataLength + 64, 1));
    std::memcpy(code.data, data.data(), data.size());
    code.dataLength = dataLength;
    code.hrLength = hrCapacity >= 0 ? hrCapacity : symbology == kalvo::Symbology::UccEan128Ais ? 256 : static_cast<int>(data.size()) * 3 / 2;
    code.hrText = static_cast<char*>(std::calloc(code.hrLength + 64, 1));
    code.ResetErrors();
  }

  std::string Text() const { return code.hrText != nullptr ? std::string(code.hrText, code.hrLength) : ""; }
};

// A bitmap's pixels as grey levels, top row first.
struct Grey {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;

  uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool Dark(int x, int y) const { return At(x, y) < 128; }
  // Dark runs along row y as (start, length) pairs.
  std::vector<std::pair<int, int>> DarkRuns(int y) const {
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < width;) {
      if (!Dark(x, y)) {
        ++x;
        continue;
      }
      int end = x;
      while (end < width && Dark(end, y)) ++end;
      runs.emplace_back(x, end - x);
      x = end;
    }
    return runs;
  }
};

// Reads the request's bitmap and deletes it.
inline Grey TakeBitmap(CBCode& code) {
  Grey grey;
  if (code.bitmap == nullptr) return grey;
  BITMAP info{};
  GetObjectA(code.bitmap, sizeof info, &info);
  grey.width = info.bmWidth;
  grey.height = info.bmHeight;
  const std::vector<uint32_t> pixels = kalvotest::DibPixels(code.bitmap, grey.width, grey.height);
  DeleteObject(code.bitmap);
  code.bitmap = nullptr;
  grey.pixels.resize(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    const uint32_t p = pixels[i];
    grey.pixels[i] = static_cast<uint8_t>(((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) / 3);
  }
  return grey;
}

// How many pixels of the request's bitmap have exactly the colour `bgr`
// (0x00RRGGBB, as a 32-bit pixel reads); the bitmap is kept.
inline int CountPixelsOfColour(const CBCode& code, uint32_t rgb) {
  if (code.bitmap == nullptr) return 0;
  BITMAP info{};
  GetObjectA(code.bitmap, sizeof info, &info);
  const std::vector<uint32_t> pixels = kalvotest::DibPixels(code.bitmap, info.bmWidth, info.bmHeight);
  int count = 0;
  for (uint32_t p : pixels) count += (p & 0xFFFFFF) == rgb ? 1 : 0;
  return count;
}

// Decodes a grey image after adding `quiet` white pixels on every side.
inline ZXing::Result Decode(const Grey& grey, int quiet, const ZXing::DecodeHints& hints) {
  const int w = grey.width + 2 * quiet;
  const int h = grey.height + 2 * quiet;
  std::vector<uint8_t> padded(static_cast<size_t>(w) * h, 255);
  for (int y = 0; y < grey.height; ++y) {
    std::memcpy(&padded[static_cast<size_t>(y + quiet) * w + quiet], &grey.pixels[static_cast<size_t>(y) * grey.width],
                grey.width);
  }
  return ZXing::ReadBarcode(ZXing::ImageView(padded.data(), w, h, ZXing::ImageFormat::Lum), hints);
}

inline std::string BytesOf(const ZXing::Result& result) {
  const auto& bytes = result.bytes();
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace kalvo_test
