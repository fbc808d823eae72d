// One 32-bit pixel or palette entry: bytes blue, green, red, alpha (as a
// little-endian 32-bit value 0xAARRGGBB).
#pragma once

#include <cstdint>

struct PLPixel32 {
  uint8_t b = 0, g = 0, r = 0, a = 0;

  constexpr PLPixel32() = default;
  constexpr PLPixel32(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255)
      : b(blue), g(green), r(red), a(alpha) {}

  constexpr void Set(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
    r = red; g = green; b = blue; a = alpha;
  }
  constexpr uint8_t GetR() const { return r; }
  constexpr uint8_t GetG() const { return g; }
  constexpr uint8_t GetB() const { return b; }
  constexpr uint8_t GetA() const { return a; }
  constexpr void SetR(uint8_t v) { r = v; }
  constexpr void SetG(uint8_t v) { g = v; }
  constexpr void SetB(uint8_t v) { b = v; }
  constexpr void SetA(uint8_t v) { a = v; }

  // The value as the little-endian word 0xAARRGGBB.
  constexpr uint32_t Value() const {
    return uint32_t(b) | uint32_t(g) << 8 | uint32_t(r) << 16 | uint32_t(a) << 24;
  }
  static constexpr PLPixel32 FromValue(uint32_t v) {
    return PLPixel32(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), uint8_t(v >> 24));
  }
  friend constexpr bool operator==(const PLPixel32&, const PLPixel32&) = default;
};
static_assert(sizeof(PLPixel32) == 4);
