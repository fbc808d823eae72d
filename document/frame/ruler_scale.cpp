#include "document/frame/ruler_scale.h"

#include <cmath>

double RulerTickSpacing(int zoom, int units) { return zoom * (units == 2 ? 1.0 / 25.4 : 0.1); }

std::vector<RulerTick> ComputeRulerTicks(int zoom, int units, int scroll, int stripStart, int length) {
  std::vector<RulerTick> ticks;
  if (zoom < 1 || length <= 0) return ticks;
  const double d = RulerTickSpacing(zoom, units);
  const long long first = static_cast<long long>(std::ceil(scroll / d));
  const long long end = static_cast<long long>(std::ceil((static_cast<double>(scroll) + length) / d));
  for (long long m = first; m < end; ++m) {
    const int position = static_cast<int>(std::lround(m * d)) + stripStart - scroll;
    const RulerTickKind kind = m % 10 == 0  ? RulerTickKind::kMajor
                               : m % 5 == 0 ? RulerTickKind::kHalf
                                            : RulerTickKind::kMinor;
    ticks.push_back({position, kind, static_cast<int>(m / 10)});
  }
  return ticks;
}

const char* RulerUnitName(int units) { return units == 2 ? "cm" : "inch"; }

bool RulerUnitNameFits(int zoom, int units, int textWidth) {
  return RulerTickSpacing(zoom, units) * 10 - 5 > textWidth;
}
