// Glyph coverage put on a surface: the general blend through any clip and
// pixel format, its direct form for 24- and 32-bit targets, and opaque text's
// background filled with its glyphs' shades copied over it.
#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <vector>

#include "platform/gdi/gdi_internal.h"
#include "platform/gdi/glyph_pixels.h"
#include "platform/gdi/pixel_stores.h"

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
inline void FillValues(BYTE* p, size_t n, uint32_t v) {
  if constexpr (Bytes == 4) {
    // A glyph's few pixels stay inline; a row of background takes the wide stores.
    if (n >= 16) {
      Stores().fill32(p, n, v);
    } else {
      std::fill_n(reinterpret_cast<uint32_t*>(p), n, v);
    }
  } else if (n >= 16) {
    Stores().fill24(p, n, v);
  } else {
    for (size_t i = 0; i < n; ++i, p += 3) PutValue<3>(p, v);
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

// The pixel value (0x00RRGGBB, or the whole 32 bits) at q.
template <int Bytes>
inline uint32_t GetValue(const BYTE* q) {
  if constexpr (Bytes == 4) {
    uint32_t v;
    std::memcpy(&v, q, 4);
    return v;
  } else {
    return q[0] | (uint32_t{q[1]} << 8) | (uint32_t{q[2]} << 16);
  }
}

// Whether the n pixels from p all hold `value` (32-bit pixels in all 32 bits).
template <int Bytes>
bool RowHolds(const BYTE* p, int n, uint32_t value) {
  uint32_t differ = 0;
  for (int i = 0; i < n; ++i) differ |= GetValue<Bytes>(p + static_cast<ptrdiff_t>(i) * Bytes) ^ value;
  return differ == 0;
}

// A row of n pixels from the shades of their coverage, every pixel written:
// copied from the glyph's kept shades when there are some.
template <int Bytes>
void ShadeRow(BYTE* p, const uint8_t* m, const uint32_t* kept, int n, GlyphShades& shades) {
  if (kept != nullptr) {
    if constexpr (Bytes == 4) {
      std::memcpy(p, kept, static_cast<size_t>(n) * 4);
    } else {
      for (int i = 0; i < n; ++i) PutValue<3>(p + static_cast<ptrdiff_t>(i) * 3, kept[i]);
    }
    return;
  }
  const uint32_t* value = shades.Table();
  for (int i = 0; i < n; ++i) PutValue<Bytes>(p + static_cast<ptrdiff_t>(i) * Bytes, value[m[i]]);
}

// A glyph's shades in the colours of `shades`, kept with the glyph for the
// next text in those colours; null when the glyph keeps no more.
const uint32_t* KeptShades(const CoverageMask& m, GlyphShades& shades) {
  if (m.shades == nullptr) return nullptr;
  const uint64_t key = (uint64_t{shades.ink()} << 32) | shades.back();
  if (const uint32_t* kept = m.shades->Find(key)) return kept;
  const uint32_t* value = shades.Table();
  std::vector<uint32_t> pixels(static_cast<size_t>(m.width) * m.height);
  for (int row = 0; row < m.height; ++row) {
    const uint8_t* coverage = m.coverage + static_cast<size_t>(row) * m.stride;
    uint32_t* out = pixels.data() + static_cast<size_t>(row) * m.width;
    for (int i = 0; i < m.width; ++i) out[i] = value[coverage[i]];
  }
  return m.shades->Keep(key, std::move(pixels));
}

// The rows of BlendMaskDirect for pixels of `Bytes` bytes, inside [x0, x1) x
// [y0, y1) of mask m. A row whose pixels all hold the shades' background
// (text over the background colour, most often) takes its blends from the
// table, or copies the glyph's kept shades.
template <int Bytes>
void BlendRows(Bitmap& target, POINT origin, const CoverageMask& mask, int x0, int x1, int y0, int y1,
               COLORREF colour, GlyphShades& shades) {
  const unsigned cr = GetRValue(colour), cg = GetGValue(colour), cb = GetBValue(colour);
  const uint32_t solid = (cr << 16) | (cg << 8) | cb;
  const uint32_t back = shades.Back();
  const int n = x1 - x0;
  if (n <= 0) return;
  const int x = mask.x, y = mask.y;
  // Made when a row first holds the background.
  const uint32_t* kept = nullptr;
  bool keptTried = false;
  for (int row = y0; row < y1; ++row) {
    const uint8_t* m = mask.coverage + static_cast<size_t>(row - y) * mask.stride + (x0 - x);
    BYTE* p = target.Row(row + origin.y) + static_cast<ptrdiff_t>(x0 + origin.x) * Bytes;
    if (RowHolds<Bytes>(p, n, back)) {
      if (!keptTried) kept = KeptShades(mask, shades);
      keptTried = true;
      if (kept != nullptr)
        ShadeRow<Bytes>(p, m, kept + static_cast<size_t>(row - y) * mask.width + (x0 - x), n, shades);
      else
        ShadeInk<Bytes>(p, m, n, shades.Table());
      continue;
    }
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

// n items on the stack when they are few, else on the heap.
template <class T, size_t Inline>
class Scratch {
 public:
  explicit Scratch(size_t n) {
    if (n > Inline) heap_.resize(n);
    span_ = n > Inline ? std::span<T>(heap_) : std::span<T>(local_).first(n);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  std::span<T> span() const { return span_; }

 private:
  std::array<T, Inline> local_;
  std::vector<T> heap_;
  std::span<T> span_;
};

// A coverage mask cut to the clip: `part` is the part of the mask's box that
// is drawn; `kept` its shades in the colours drawn, when the glyph keeps them.
struct ClippedMask {
  const CoverageMask* mask;
  RECT part;
  const uint32_t* kept;
};

// The background [b] and then the masks' coverage over it; the masks' pixels
// outside [b] blended over what is there. `b` and the parts are inside the
// clip; the masks do not overlap.
template <int Bytes>
void FillAndBlend(Bitmap& target, POINT origin, const RECT& b, std::span<const ClippedMask> masks,
                  GlyphShades& shades, COLORREF colour) {
  const uint32_t back = shades.Back();
  const int width = b.right - b.left, rows = b.bottom - b.top;
  if (width > 0 && rows > 0) {
    // Whole rows are written before they are read: a new bitmap's rows are
    // not cleared first, and rows without padding are one run of pixels,
    // filled in one go. Filled whole and the glyphs' rows copied over them:
    // one long fill beats many short ones between glyphs.
    if (b.left + origin.x == 0 && b.right + origin.x == target.width && target.stride == target.width * Bytes) {
      ptrdiff_t step = 0;
      BYTE* top = target.RowsToOverwrite(b.top + origin.y, b.bottom + origin.y, step);
      FillValues<Bytes>(step < 0 ? top + step * (rows - 1) : top, static_cast<size_t>(width) * rows, back);
    } else {
      for (int row = b.top; row < b.bottom; ++row)
        FillValues<Bytes>(target.Row(row + origin.y) + static_cast<ptrdiff_t>(b.left + origin.x) * Bytes,
                          static_cast<size_t>(width), back);
    }
  }
  const ptrdiff_t step = target.bottomUp ? -static_cast<ptrdiff_t>(target.stride) : target.stride;
  for (const ClippedMask& c : masks) {
    const int il = std::max(b.left, c.part.left), ir = std::min(b.right, c.part.right);
    const int top = std::max(b.top, c.part.top), bottom = std::min(b.bottom, c.part.bottom);
    if (il >= ir || top >= bottom) continue;
    const CoverageMask& m = *c.mask;
    BYTE* out = target.Row(top + origin.y) + static_cast<ptrdiff_t>(il + origin.x) * Bytes;
    const uint8_t* coverage = m.coverage + static_cast<size_t>(top - m.y) * m.stride + (il - m.x);
    const uint32_t* kept = c.kept ? c.kept + static_cast<size_t>(top - m.y) * m.width + (il - m.x) : nullptr;
    if (Bytes == 4 && kept) {
      Stores().copyRows(out, step, reinterpret_cast<const BYTE*>(kept), static_cast<ptrdiff_t>(m.width) * 4,
                        bottom - top, static_cast<size_t>(ir - il) * 4);
      continue;
    }
    for (int row = top; row < bottom; ++row, out += step, coverage += m.stride) {
      ShadeRow<Bytes>(out, coverage, kept, ir - il, shades);
      if (kept) kept += m.width;
    }
  }
  for (const ClippedMask& c : masks) {
    const CoverageMask& m = *c.mask;
    const RECT& r = c.part;
    auto blend = [&](int x0, int x1, int y0, int y1) {
      BlendRows<Bytes>(target, origin, m, x0, x1, y0, y1, colour, shades);
    };
    const int il = std::max(b.left, r.left), ir = std::min(b.right, r.right);
    const int it = std::max(b.top, r.top), ib = std::min(b.bottom, r.bottom);
    if (il >= ir || it >= ib) {
      blend(r.left, r.right, r.top, r.bottom);
      continue;
    }
    // The mask around its overlap with the background: above, below, beside.
    blend(r.left, r.right, r.top, it);
    blend(r.left, r.right, ib, r.bottom);
    blend(r.left, il, it, ib);
    blend(ir, r.right, it, ib);
  }
}

RECT Intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

// BlendMask on 24- and 32-bit targets inside one clip rectangle: the same
// mixing on the pixel bytes (blue, green, red), without colour conversions.
bool BlendMaskDirect(DeviceContext& dc, const CoverageMask& mask, COLORREF colour) {
  const int x = mask.x, y = mask.y, width = mask.width, height = mask.height;
  Bitmap& target = *dc.Target();
  RECT clip;
  if ((target.bpp != 24 && target.bpp != 32) || !dc.RectangularClip(clip)) return false;
  const int x0 = std::max<int>(x, clip.left), x1 = std::min<int>(x + width, clip.right);
  const int y0 = std::max<int>(y, clip.top), y1 = std::min<int>(y + height, clip.bottom);
  if (x0 >= x1) return true;
  // Transparent text lies over its background colour more often than not.
  GlyphShades& shades = dc.glyphShades.For(colour, dc.state.bkColour);
  if (target.bpp == 32)
    BlendRows<4>(target, dc.surfaceOrigin, mask, x0, x1, y0, y1, colour, shades);
  else
    BlendRows<3>(target, dc.surfaceOrigin, mask, x0, x1, y0, y1, colour, shades);
  return true;
}

}  // namespace

GlyphShades& GlyphShades::For(COLORREF ink, COLORREF background) {
  ink &= 0xFFFFFF;
  background &= 0xFFFFFF;
  if (ready_ && ink == ink_ && background == back_) return *this;
  ink_ = ink;
  back_ = background;
  ready_ = true;
  made_ = false;
  backValue_ = (uint32_t{GetRValue(background)} << 16) | (uint32_t{GetGValue(background)} << 8) | GetBValue(background);
  return *this;
}

const uint32_t* GlyphShades::Table() {
  if (!made_) {
    const unsigned cr = GetRValue(ink_), cg = GetGValue(ink_), cb = GetBValue(ink_);
    const unsigned br = GetRValue(back_), bg = GetGValue(back_), bb = GetBValue(back_);
    for (unsigned a = 0; a < 256; ++a)
      value_[a] =
          (uint32_t{MixChannel(cr, br, a)} << 16) | (uint32_t{MixChannel(cg, bg, a)} << 8) | MixChannel(cb, bb, a);
    made_ = true;
  }
  return value_.data();
}

void BlendMask(DeviceContext& dc, int x, int y, int width, int height, const uint8_t* mask, int maskStride,
               COLORREF colour, const tav::font::GlyphPixels* shades) {
  Bitmap* target = dc.Target();
  if (!target || !mask || width <= 0 || height <= 0) return;
  const auto hold = target->pixels.Hold();
  if (BlendMaskDirect(dc, CoverageMask{mask, x, y, width, height, maskStride, shades}, colour)) return;
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

bool FillAndBlendMasks(DeviceContext& dc, const RECT& back, COLORREF backColour, std::span<const CoverageMask> masks,
                       COLORREF colour) {
  Bitmap* target = dc.Target();
  RECT clip;
  if (!target || (target->bpp != 24 && target->bpp != 32) || !dc.RectangularClip(clip)) return false;
  RECT b = Intersect(SpanRegion::Normalized(back), clip);
  if (b.left >= b.right || b.top >= b.bottom) b = RECT{0, 0, 0, 0};
  // A line's glyphs are cut without allocating.
  Scratch<ClippedMask, 40> clipped(masks.size());
  const std::span<ClippedMask> all = clipped.span();
  GlyphShades& shades = dc.glyphShades.For(colour, backColour);
  size_t count = 0;
  for (const CoverageMask& m : masks) {
    if (!m.coverage || m.width <= 0 || m.height <= 0) continue;
    const RECT part = Intersect(RECT{m.x, m.y, m.x + m.width, m.y + m.height}, clip);
    if (part.left < part.right && part.top < part.bottom) all[count++] = ClippedMask{&m, part, nullptr};
  }
  // Only over the background: elsewhere the glyphs blend over what is there.
  for (ClippedMask& c : all.first(count)) {
    const RECT over = Intersect(c.part, b);
    if (over.left < over.right && over.top < over.bottom) c.kept = KeptShades(*c.mask, shades);
  }
  const auto hold = target->pixels.Hold();
  if (target->bpp == 32)
    FillAndBlend<4>(*target, dc.surfaceOrigin, b, all.first(count), shades, colour);
  else
    FillAndBlend<3>(*target, dc.surfaceOrigin, b, all.first(count), shades, colour);
  return true;
}

}  // namespace gdi
