// Lengths typed in the layout's unit (inches or millimetres) and the
// bounds the Layout Setup dialog keeps them in.
#pragma once

#include <optional>
#include <string_view>

// Length units per thousandth of an inch: 0.0254 millimetres (unit 2) or
// 0.001 inches (any other unit).
double UnitFactor(int units);

// The number typed into a length box, in thousandths of an inch: divided by
// the factor and truncated after adding 1e-6, so that "0.570" inches gives 570
// and not 569 while "2.0009" still gives 2000. Nothing for text that is not
// a number.
std::optional<int> ParseUnitLength(std::string_view text, double factor);

// The label sizes the dialog's spinners reach: 0.1 to 1000 inches.
inline constexpr int kMinLabelSize = 100;
inline constexpr int kMaxLabelSize = 1'000'000;
bool IsLabelSizeInBounds(int mils);
