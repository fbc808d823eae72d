// Test helpers: a field picture as the grey image the barcode tests decode.
#pragma once

#include "image/bitmap/plbmp.h"
#include "tests/barcode/kalvo_request.h"

namespace fields_test {

// A 32-bit picture's pixels as grey levels, top row first.
inline kalvo_test::Grey GreyOf(const PLBmp& bmp) {
  kalvo_test::Grey grey;
  grey.width = bmp.GetWidth();
  grey.height = bmp.GetHeight();
  grey.pixels.resize(static_cast<size_t>(grey.width) * grey.height);
  for (int y = 0; y < grey.height; ++y)
    for (int x = 0; x < grey.width; ++x) {
      const uint32_t p = bmp.GetPixel32(x, y);
      grey.pixels[static_cast<size_t>(y) * grey.width + x] =
          static_cast<uint8_t>(((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) / 3);
    }
  return grey;
}

}  // namespace fields_test

namespace fields_test {

// The picture turned clockwise by `quarters` quarter turns: turns a picture
// drawn counter-clockwise by that many right angles back upright, pixel for
// pixel.
inline kalvo_test::Grey TurnBackQuarters(const kalvo_test::Grey& in, int quarters) {
  kalvo_test::Grey g = in;
  for (int q = 0; q < ((quarters % 4) + 4) % 4; ++q) {
    kalvo_test::Grey t;
    t.width = g.height;
    t.height = g.width;
    t.pixels.resize(g.pixels.size());
    for (int y = 0; y < t.height; ++y)
      for (int x = 0; x < t.width; ++x) t.pixels[static_cast<size_t>(y) * t.width + x] = g.At(y, g.height - 1 - x);
    g = std::move(t);
  }
  return g;
}

// Every pixel repeated factor times in both directions.
inline kalvo_test::Grey Enlarge(const kalvo_test::Grey& in, int factor) {
  kalvo_test::Grey g;
  g.width = in.width * factor;
  g.height = in.height * factor;
  g.pixels.resize(static_cast<size_t>(g.width) * g.height);
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x) g.pixels[static_cast<size_t>(y) * g.width + x] = in.At(x / factor, y / factor);
  return g;
}

}  // namespace fields_test
