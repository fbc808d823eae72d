#include "document/layout/unit_values.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

double UnitFactor(int units) { return units == 2 ? 0.0254 : 0.001; }

std::optional<int> ParseUnitLength(std::string_view text, double factor) {
  const std::string s(text);
  const char* start = s.c_str();
  while (*start == ' ' || *start == '\t') ++start;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(start, &end);
  if (end == start || errno == ERANGE || !std::isfinite(value) || factor <= 0) return std::nullopt;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end) return std::nullopt;
  const double mils = value / factor;
  if (mils > 2e9 || mils < -2e9) return std::nullopt;
  // Decimal fractions are not exact in binary: a nudge keeps "0.570" at 570.
  return static_cast<int>(mils + (mils >= 0 ? 1e-6 : -1e-6));
}

bool IsLabelSizeInBounds(int mils) { return mils >= kMinLabelSize && mils <= kMaxLabelSize; }
