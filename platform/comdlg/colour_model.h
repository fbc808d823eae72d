// The colour dialog's model: the basic colours, and hue, saturation and
// luminosity on the dialog's scales (hue 0-239, saturation and luminosity
// 0-240) to and from red, green and blue.
#pragma once

#include <array>

#include "platform/kernel/types.h"

namespace comdlg {

inline constexpr int kHueMax = 239, kHlsMax = 240;

struct Hls {
  int hue = 0;
  int sat = 0;
  int lum = 0;
  bool operator==(const Hls&) const = default;
};

Hls ToHls(COLORREF colour);
COLORREF FromHls(const Hls& hls);

// Six rows of eight, light to dark, greys in the last row.
extern const std::array<COLORREF, 48> kBasicColours;

}  // namespace comdlg
