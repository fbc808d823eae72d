// The fixed palette of the quantiser.
#include <array>

#include "image/filter/plfilterquantize.h"

namespace {

constexpr std::array<PLPixel32, 256> BuildDefaultPalette() {
  std::array<PLPixel32, 256> pal{};
  constexpr unsigned char first[16][3] = {
      {0, 0, 0},     {0, 0, 191},     {0, 191, 0},     {0, 191, 191}, {191, 0, 0}, {191, 0, 191},
      {191, 191, 0}, {192, 192, 192}, {192, 220, 192}, {240, 202, 166}, {0, 0, 128}, {0, 128, 0},
      {0, 128, 128}, {128, 0, 0},     {128, 0, 128},   {128, 128, 0}};
  constexpr unsigned char last[11][3] = {{207, 207, 155}, {240, 251, 255}, {164, 160, 160}, {128, 128, 128},
                                         {0, 0, 255},     {0, 255, 0},     {0, 255, 255},   {255, 0, 0},
                                         {255, 0, 255},   {255, 255, 0},   {255, 255, 255}};
  constexpr unsigned char levels[6] = {0, 81, 133, 177, 217, 255};
  int i = 0;
  for (auto& c : first) pal[i++] = PLPixel32(c[0], c[1], c[2], 0);
  // The colour cube without the six colours of zero red and green and
  // without white.
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) {
        if ((r == 0 && g == 0) || (r == 5 && g == 5 && b == 5)) continue;
        pal[i++] = PLPixel32(levels[r], levels[g], levels[b], 0);
      }
  // One cube entry differs from the rule.
  pal[63] = PLPixel32(81, 133, 55, 0);
  for (int grey = 196; grey <= 253; grey += 3) pal[i++] = PLPixel32(grey, grey, grey, 0);
  for (auto& c : last) pal[i++] = PLPixel32(c[0], c[1], c[2], 0);
  return pal;
}

constexpr std::array<PLPixel32, 256> kDefaultPalette = BuildDefaultPalette();
static_assert(kDefaultPalette[224] == PLPixel32(255, 255, 217, 0));
static_assert(kDefaultPalette[225] == PLPixel32(196, 196, 196, 0));
static_assert(kDefaultPalette[190] == PLPixel32(255, 0, 0, 0));

}  // namespace

const PLPixel32* PLFilterQuantize::GetDefaultPalette() { return kDefaultPalette.data(); }
