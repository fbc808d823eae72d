#include "foundation/util/printf_format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "foundation/string/print_one.h"

FOUNDATION_BEGIN

namespace {

constexpr int kMaxNumberDigits = 3;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips at most kMaxNumberDigits digits; false when there are more.
bool SkipNumber(std::string_view f, size_t& i) {
  size_t start = i;
  while (i < f.size() && IsDigit(f[i])) ++i;
  return i - start <= kMaxNumberDigits;
}

}  // namespace

std::optional<SingleConversion> ParseSingleConversion(std::string_view f) {
  std::optional<SingleConversion> found;
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] == '\0') return std::nullopt;
    if (f[i] != '%') continue;
    ++i;
    if (i < f.size() && f[i] == '%') continue;  // a literal percent sign
    while (i < f.size() && std::strchr("-+ #0", f[i])) ++i;
    if (!SkipNumber(f, i)) return std::nullopt;
    if (i < f.size() && f[i] == '.') {
      ++i;
      if (!SkipNumber(f, i)) return std::nullopt;
    }
    if (i >= f.size() || found) return std::nullopt;
    char c = f[i];
    SingleConversion conv;
    if (std::strchr("fFeEgG", c)) {
      conv.kind = ConversionClass::Floating;
      conv.format = std::string(f);
    } else if (std::strchr("diuoxX", c)) {
      conv.kind = ConversionClass::Integer;
      conv.format = std::string(f.substr(0, i)) + "ll" + std::string(f.substr(i));
    } else {
      return std::nullopt;
    }
    found = std::move(conv);
  }
  return found;
}

std::string FormatWith(const SingleConversion& conversion, double value) {
  if (conversion.kind == ConversionClass::Floating) return PrintOne(conversion.format, value);
  // The integer part, saturated to the range of long long.
  long long whole = 0;
  double t = std::trunc(value);
  if (std::isnan(t)) {
    whole = 0;
  } else if (t >= 9.2233720368547758e18) {
    whole = INT64_MAX;
  } else if (t <= -9.2233720368547758e18) {
    whole = INT64_MIN;
  } else {
    whole = static_cast<long long>(t);
  }
  return PrintOne(conversion.format, whole);
}

FOUNDATION_END
