// Checking text that is to become a printf format. Data never reaches printf
// as a format unless it holds exactly one conversion of an expected class.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "foundation/build.h"

FOUNDATION_BEGIN

enum class ConversionClass { Floating, Integer };

struct SingleConversion {
  ConversionClass kind;
  // The checked format, ready for printf: an integer conversion gets the
  // length modifier "ll" so that it takes a long long.
  std::string format;
};

// Accepts literal text (with "%%" for a percent sign) around exactly one
// conversion made of flags ("-+ #0"), a width and a precision (each at most
// three digits) and one of f F e E g G (floating) or d i u o x X (integer).
// Anything else (no conversion, two conversions, '*', length modifiers, 's',
// 'n', ...) gives nothing.
std::optional<SingleConversion> ParseSingleConversion(std::string_view format);

// printf of one checked conversion.
std::string FormatWith(const SingleConversion& conversion, double value);

FOUNDATION_END
