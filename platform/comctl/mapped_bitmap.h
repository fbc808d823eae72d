// CreateMappedBitmap: a bitmap resource whose standard button colours are
// replaced by the current system colours (or by a caller's map), so button
// pictures follow the colour scheme.
#pragma once

#include "platform/comctl/comctl_common.h"

struct COLORMAP {
  COLORREF from;
  COLORREF to;
};
using LPCOLORMAP = COLORMAP*;

inline constexpr UINT CMB_MASKED = 0x02;

// Without a map: black becomes COLOR_BTNTEXT, grey 128 COLOR_BTNSHADOW, grey
// 192 COLOR_BTNFACE and white COLOR_BTNHIGHLIGHT. The bitmap keeps the
// resource's colour depth (its colour table is mapped, or its pixels at 24
// and 32 bits), but for 16 bits, which surfaces do not have: such a bitmap
// becomes 24-bit. Null when the resource is missing or not a bitmap we read.
HBITMAP CreateMappedBitmap(HINSTANCE instance, INT_PTR bitmapId, UINT flags, LPCOLORMAP colourMap, int mapCount);
