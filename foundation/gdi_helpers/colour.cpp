#include "foundation/gdi_helpers/colour.h"

FOUNDATION_BEGIN

namespace {

template <class F>
COLORREF PerChannel(COLORREF c, F f) {
  return RGB(f(GetRValue(c)), f(GetGValue(c)), f(GetBValue(c)));
}

}  // namespace

COLORREF AdjustColor(COLORREF c, unsigned mode) {
  if (mode & kAdjustContrast)
    return PerChannel(c, [](unsigned v) { return static_cast<BYTE>((v >= 128 ? v : 255 - v) / 2); });
  if (mode & kAdjustLighten)
    return PerChannel(c, [](unsigned v) {
      const unsigned e = (255 - v) >> 1;
      return static_cast<BYTE>(v + e + (e >> 1));
    });
  return c;
}

FOUNDATION_END
