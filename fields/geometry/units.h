// Layout units (mils) and device pixels.
#pragma once

#include <cstdint>

// (value x dpi + 500) / 1000, with integer division.
constexpr int32_t MilsToDevice(int64_t mils, int dpi) { return static_cast<int32_t>((mils * dpi + 500) / 1000); }
// (int)(value x 1000 / dpi + 0.5), held within +-2e9: a picture measured at
// a resolution read from a file (1 dpi) may be far more mils than 32 bits hold.
constexpr int32_t DeviceToMils(int64_t pixels, int dpi) {
  if (dpi <= 0) return 0;
  const double mils = static_cast<double>(pixels) * 1000.0 / dpi + 0.5;
  return static_cast<int32_t>(mils < -2e9 ? -2e9 : mils > 2e9 ? 2e9 : mils);
}

// Coordinates taken from a file may be anything: geometry works on values
// clamped to +-2^28, so sums, products with a resolution and turned points
// stay inside 32 bits.
inline constexpr int64_t kGeometryLimit = int64_t{1} << 28;
constexpr int32_t ClampCoordinate(int64_t v) {
  return static_cast<int32_t>(v < -kGeometryLimit ? -kGeometryLimit : v > kGeometryLimit ? kGeometryLimit : v);
}

// A layout file's field positions, sizes and line widths are bounded when
// read: twice the largest label side (1,000,000 mils) either way. Drawing
// and hit tests cost what a field spans, so a file cannot ask for minutes
// of work with one number.
inline constexpr int32_t kFileGeometryLimit = 2'000'000;
constexpr int32_t ClampFileCoordinate(int32_t v) {
  return v < -kFileGeometryLimit ? -kFileGeometryLimit : v > kFileGeometryLimit ? kFileGeometryLimit : v;
}
