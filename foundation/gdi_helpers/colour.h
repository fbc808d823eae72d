// Colours derived from another colour for dimmed text and hatched borders.
#pragma once

#include "foundation/build.h"
#include "platform/kernel/types.h"

FOUNDATION_BEGIN

inline constexpr unsigned kAdjustContrast = 1;  // contrasting colour at half intensity
inline constexpr unsigned kAdjustLighten = 2;   // three quarters of the way to white

// Mode bit 1 wins over bit 2; both results have a zero top byte. Any other
// mode returns c unchanged.
COLORREF AdjustColor(COLORREF c, unsigned mode);

FOUNDATION_END
