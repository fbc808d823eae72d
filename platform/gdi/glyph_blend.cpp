// Glyph coverage put on a surface: the general blend through any clip and
// pixel format, its direct form for 24- and 32-bit targets, and opaque text's
// background and glyph written in one pass.
#include <algorithm>
#include <cstring>

#include "platform/gdi/gdi_internal.h"

namespace gdi {
namespace {

// Coverage a (0-255) of colour channel c over destination channel d, rounded:
// (c a + d (255 - a) + 127) / 255, the division done without dividing (exact
// for every dividend below 65535; this one stays below 65153).
inline BYTE MixChannel(unsigned c, unsigned d, unsigned a) {
  const unsigned x = c * a + d * (255 - a) + 127;
  return static_cast<BYTE>((x + 1 + (x >> 8)) >> 8);
}

// A pixel value (0x00RRGGBB) at q, in the target's 3 or 4 bytes (blue first).
template <int Bytes>
inline void PutValue(BYTE* q, uint32_t v) {
  if constexpr (Bytes == 4) {
    std::memcpy(q, &v, 4);
  } else {
    q[0] = static_cast<BYTE>(v), q[1] = static_cast<BYTE>(v >> 8), q[2] = static_cast<BYTE>(v >> 16);
  }
}

template <int Bytes>
inline void FillValues(BYTE* p, int n, uint32_t v) {
  if constexpr (Bytes == 4) {
    std::fill_n(reinterpret_cast<uint32_t*>(p), n, v);
  } else {
    for (int i = 0; i < n; ++i, p += 3) PutValue<3>(p, v);
  }
}

// The rows of BlendMaskDirect for pixels of `Bytes` bytes, inside [x0, x1) x [y0, y1).
template <int Bytes>
void BlendRows(Bitmap& target, POINT origin, int x, int y, int x0, int x1, int y0, int y1, const uint8_t* mask,
               int maskStride, COLORREF colour) {
  const unsigned cr = GetRValue(colour), cg = GetGValue(colour), cb = GetBValue(colour);
  const uint32_t solid = (cr << 16) | (cg << 8) | cb;
  const int n = x1 - x0;
  if (n <= 0) return;
  for (int row = y0; row < y1; ++row) {
    const uint8_t* m = mask + static_cast<size_t>(row - y) * maskStride + (x0 - x);
    BYTE* p = target.Row(row + origin.y) + static_cast<ptrdiff_t>(x0 + origin.x) * Bytes;
    for (int i = 0; i < n; ++i) {
      // Glyph boxes are mostly empty or fully covered: eight pixels at a time.
      uint64_t eight;
      while (i + 8 <= n) {
        std::memcpy(&eight, m + i, 8);
        if (eight == 0) {
          i += 8;
        } else if (eight == ~uint64_t{0}) {
          FillValues<Bytes>(p + static_cast<ptrdiff_t>(i) * Bytes, 8, solid);
          i += 8;
        } else {
          break;
        }
      }
      if (i >= n) break;
      const unsigned a = m[i];
      if (a == 0) continue;
      BYTE* q = p + static_cast<ptrdiff_t>(i) * Bytes;
      if (a == 255) {
        PutValue<Bytes>(q, solid);
      } else {
        q[0] = MixChannel(cb, q[0], a), q[1] = MixChannel(cg, q[1], a), q[2] = MixChannel(cr, q[2], a);
        if constexpr (Bytes == 4) q[3] = 0;
      }
    }
  }
}

// n pixels over the background colour from the shades of their coverage;
// the pixels hold that colour already, so empty ones are skipped.
template <int Bytes>
void ShadeInk(BYTE* p, const uint8_t* m, int n, const uint32_t* value) {
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t eight;
    std::memcpy(&eight, m + i, 8);
    if (eight == 0) continue;
    if (eight == ~uint64_t{0}) {
      FillValues<Bytes>(p + static_cast<ptrdiff_t>(i) * Bytes, 8, value[255]);
      continue;
    }
    // A glyph's edge: its halves may still be empty or full.
    for (int half = i; half < i + 8; half += 4) {
      uint32_t four;
      std::memcpy(&four, m + half, 4);
      BYTE* h = p + static_cast<ptrdiff_t>(half) * Bytes;
      if (four == 0) continue;
      if (four == ~uint32_t{0}) {
        FillValues<Bytes>(h, 4, value[255]);
      } else {
        for (int k = 0; k < 4; ++k) PutValue<Bytes>(h + k * Bytes, value[m[half + k]]);
      }
    }
  }
  for (; i < n; ++i)
    if (m[i] != 0) PutValue<Bytes>(p + static_cast<ptrdiff_t>(i) * Bytes, value[m[i]]);
}

// The background [b] filled and the mask's coverage over it in one pass; the
// mask's pixels outside [b] blended over what is there. `m` and `b` are
// already inside the clip.
template <int Bytes>
void FillAndBlend(Bitmap& target, POINT origin, const RECT& b, const RECT& m, int x, int y, const uint8_t* mask,
                  int maskStride, const GlyphShades& shades, COLORREF colour) {
  const uint32_t back = shades.value[0];
  const int il = std::max(b.left, m.left), ir = std::min(b.right, m.right);
  const int it = std::max(b.top, m.top), ib = std::min(b.bottom, m.bottom);
  const bool overlap = il < ir && it < ib;
  for (int row = b.top; row < b.bottom; ++row) {
    BYTE* p = target.Row(row + origin.y) + static_cast<ptrdiff_t>(b.left + origin.x) * Bytes;
    FillValues<Bytes>(p, b.right - b.left, back);
    if (overlap && row >= it && row < ib)
      ShadeInk<Bytes>(p + static_cast<ptrdiff_t>(il - b.left) * Bytes,
                      mask + static_cast<size_t>(row - y) * maskStride + (il - x), ir - il, shades.value.data());
  }
  if (!overlap) {
    BlendRows<Bytes>(target, origin, x, y, m.left, m.right, m.top, m.bottom, mask, maskStride, colour);
    return;
  }
  // The mask around the overlap: above, below, and beside it.
  BlendRows<Bytes>(target, origin, x, y, m.left, m.right, m.top, it, mask, maskStride, colour);
  BlendRows<Bytes>(target, origin, x, y, m.left, m.right, ib, m.bottom, mask, maskStride, colour);
  BlendRows<Bytes>(target, origin, x, y, m.left, il, it, ib, mask, maskStride, colour);
  BlendRows<Bytes>(target, origin, x, y, ir, m.right, it, ib, mask, maskStride, colour);
}

RECT Intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

// BlendMask on 24- and 32-bit targets inside one clip rectangle: the same
// mixing on the pixel bytes (blue, green, red), without colour conversions.
bool BlendMaskDirect(DeviceContext& dc, int x, int y, int width, int height, const uint8_t* mask, int maskStride,
                     COLORREF colour) {
  Bitmap& target = *dc.Target();
  RECT clip;
  if ((target.bpp != 24 && target.bpp != 32) || !dc.RectangularClip(clip)) return false;
  const int x0 = std::max<int>(x, clip.left), x1 = std::min<int>(x + width, clip.right);
  const int y0 = std::max<int>(y, clip.top), y1 = std::min<int>(y + height, clip.bottom);
  if (x0 >= x1) return true;
  if (target.bpp == 32)
    BlendRows<4>(target, dc.surfaceOrigin, x, y, x0, x1, y0, y1, mask, maskStride, colour);
  else
    BlendRows<3>(target, dc.surfaceOrigin, x, y, x0, x1, y0, y1, mask, maskStride, colour);
  return true;
}

}  // namespace

const GlyphShades& GlyphShades::For(COLORREF ink, COLORREF background) {
  ink &= 0xFFFFFF;
  background &= 0xFFFFFF;
  if (ready_ && ink == ink_ && background == back_) return *this;
  const unsigned cr = GetRValue(ink), cg = GetGValue(ink), cb = GetBValue(ink);
  const unsigned br = GetRValue(background), bg = GetGValue(background), bb = GetBValue(background);
  for (unsigned a = 0; a < 256; ++a)
    value[a] = (uint32_t{MixChannel(cr, br, a)} << 16) | (uint32_t{MixChannel(cg, bg, a)} << 8) | MixChannel(cb, bb, a);
  ink_ = ink;
  back_ = background;
  ready_ = true;
  return *this;
}

void BlendMask(DeviceContext& dc, int x, int y, int width, int height, const uint8_t* mask, int maskStride,
               COLORREF colour) {
  Bitmap* target = dc.Target();
  if (!target || !mask || width <= 0 || height <= 0) return;
  const auto hold = target->pixels.Hold();
  if (BlendMaskDirect(dc, x, y, width, height, mask, maskStride, colour)) return;
  const SpanRegion area =
      SpanRegion::Combine(SpanRegion::FromRect(x, y, x + width, y + height), dc.EffectiveClip(), RGN_AND);
  const int cr = GetRValue(colour), cg = GetGValue(colour), cb = GetBValue(colour);
  const uint32_t solid = target->ColourToValue(colour);
  for (const auto& band : area.Bands()) {
    for (int row = band.top; row < band.bottom; ++row) {
      const uint8_t* m = mask + static_cast<size_t>(row - y) * maskStride;
      const int sy = row + dc.surfaceOrigin.y;
      for (const auto& s : band.spans) {
        for (int col = s.x0; col < s.x1; ++col) {
          const int a = m[col - x];
          if (a == 0) continue;
          const int sx = col + dc.surfaceOrigin.x;
          if (a == 255) {
            target->WriteValue(sx, sy, solid);
            continue;
          }
          const COLORREF d = target->ValueToColour(target->ReadValue(sx, sy));
          const COLORREF blended =
              RGB(MixChannel(cr, GetRValue(d), a), MixChannel(cg, GetGValue(d), a), MixChannel(cb, GetBValue(d), a));
          target->WriteValue(sx, sy, target->ColourToValue(blended));
        }
      }
    }
  }
}

bool FillAndBlendMask(DeviceContext& dc, const RECT& back, COLORREF backColour, int x, int y, int width, int height,
                      const uint8_t* mask, int maskStride, COLORREF colour) {
  Bitmap* target = dc.Target();
  RECT clip;
  if (!target || (target->bpp != 24 && target->bpp != 32) || !dc.RectangularClip(clip)) return false;
  RECT b = Intersect(SpanRegion::Normalized(back), clip);
  // An empty background row range still leaves the mask to blend.
  if (b.left >= b.right || b.top >= b.bottom) b = RECT{0, 0, 0, 0};
  RECT m = mask && width > 0 && height > 0 ? Intersect(RECT{x, y, x + width, y + height}, clip) : RECT{0, 0, 0, 0};
  if (m.left >= m.right || m.top >= m.bottom) m = RECT{0, 0, 0, 0};
  const auto hold = target->pixels.Hold();
  const GlyphShades& shades = dc.glyphShades.For(colour, backColour);
  if (target->bpp == 32)
    FillAndBlend<4>(*target, dc.surfaceOrigin, b, m, x, y, mask, maskStride, shades, colour);
  else
    FillAndBlend<3>(*target, dc.surfaceOrigin, b, m, x, y, mask, maskStride, shades, colour);
  return true;
}

}  // namespace gdi
