// Putting text on a device context: TextOut and ExtTextOut.

#include <array>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "platform/nls/nls.h"
#include "platform/gdi/run_buffer.h"
#include "platform/gdi/text_internal.h"

namespace gdi {
namespace {

int Snap(double v) { return static_cast<int>(std::floor(v + 0.5)); }

// Runs up to this long are drawn without allocating.
constexpr size_t kShortRun = 32;

struct Frame {
  PointD start;  // baseline start in device space
  double bx, by; // baseline direction
  double dx, dy; // "down" direction
  bool upright;  // axis-aligned, left to right
};

// The device rectangle of an upright band: `length` along the baseline and [top, bottom) below it.
RECT UprightBand(const Frame& f, double length, double top, double bottom) {
  const double x0 = f.start.x + top * f.dx, y0 = f.start.y + top * f.dy;
  const double h = bottom - top;
  return RECT{Snap(x0), Snap(y0), Snap(x0 + length * f.bx), Snap(y0 + h * f.dy)};
}

// Fills the quadrilateral that spans `length` along the baseline and [top, bottom) below it.
void FillBand(DeviceContext& dc, const Frame& f, double length, double top, double bottom, COLORREF colour) {
  if (f.upright) {
    FillDeviceRect(dc, UprightBand(f, length, top, bottom), colour);
    return;
  }
  const PointD p0{f.start.x + top * f.dx, f.start.y + top * f.dy};
  const PointD p1{p0.x + length * f.bx, p0.y + length * f.by};
  const double h = bottom - top;
  const PointD p2{p1.x + h * f.dx, p1.y + h * f.dy};
  const PointD p3{p0.x + h * f.dx, p0.y + h * f.dy};
  const std::array<PointD, 4> quad{p0, p1, p2, p3};
  FillDevicePolygon(dc, quad, colour);
}

// Whether a's pixels all lie in b (an empty a lies anywhere).
bool Inside(const RECT& a, const RECT& b) {
  const RECT n = SpanRegion::Normalized(a), m = SpanRegion::Normalized(b);
  return n.left >= n.right || n.top >= n.bottom ||
         (n.left >= m.left && n.right <= m.right && n.top >= m.top && n.bottom <= m.bottom);
}

// A logical rectangle through the mapping: its device box and whether it stays a rectangle.
RECT DeviceBox(const Matrix& m, const RECT& r, std::array<PointD, 4>& corners) {
  corners = {m.Apply({double(r.left), double(r.top)}), m.Apply({double(r.right), double(r.top)}),
             m.Apply({double(r.right), double(r.bottom)}), m.Apply({double(r.left), double(r.bottom)})};
  double x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
  for (const auto& c : corners) {
    x0 = std::min(x0, c.x);
    x1 = std::max(x1, c.x);
    y0 = std::min(y0, c.y);
    y1 = std::max(y1, c.y);
  }
  return RECT{Snap(x0), Snap(y0), Snap(x1), Snap(y1)};
}

// Restores the context's clip when drawing ends.
class ClipScope {
 public:
  ClipScope(DeviceContext& dc, const RECT& deviceRect) : dc_(dc), saved_(dc.state.clip) {
    auto box = SpanRegion::FromRect(deviceRect);
    dc.state.clip = saved_ ? SpanRegion::Combine(*saved_, box, RGN_AND) : box;
  }
  ~ClipScope() { dc_.state.clip = std::move(saved_); }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

 private:
  DeviceContext& dc_;
  std::optional<SpanRegion> saved_;
};

// An opaque run's background: a device rectangle filled before the glyphs.
struct Background {
  RECT box;
  COLORREF colour;
};

// Blends coverage masks (whose boxes do not overlap), over the background
// when there is one: the two in one go where the target allows it.
void PutMasks(DeviceContext& dc, const Background* back, std::span<const CoverageMask> masks, COLORREF colour) {
  if (back && FillAndBlendMasks(dc, back->box, back->colour, masks, colour)) return;
  if (back) FillDeviceRect(dc, back->box, back->colour);
  for (const CoverageMask& m : masks)
    BlendMask(dc, m.x, m.y, m.width, m.height, m.coverage, m.stride, colour, m.shades);
}

// Puts the glyphs of a run down, after the background when `back` is given:
// gathered into one coverage mask and blended once (clipping is worked out
// once per run), or glyph by glyph when the run's box is large or mostly empty.
void PaintGlyphs(DeviceContext& dc, const tav::font::RealizedFont& font, const Frame& f, std::u16string_view text,
                 std::span<const double> advances, COLORREF colour, const Background* back) {
  // Glyphs live as long as their font, which the caller holds.
  struct Placed {
    const tav::font::GlyphImage* glyph;
    int x, y;  // top-left pixel
  };
  RunBuffer<Placed, kShortRun> placedBuffer(text.size());
  const std::span<Placed> all = placedBuffer.span();
  size_t count = 0;
  int64_t inked = 0;
  int x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
  RunBuffer<const tav::font::GlyphImage*, kShortRun> glyphBuffer(text.size());
  const std::span<const tav::font::GlyphImage*> glyphs = glyphBuffer.span();
  font.Glyphs(text, glyphs);
  double pen = 0;
  for (size_t unit = 0; unit < text.size(); ++unit) {
    const tav::font::GlyphImage* glyph = glyphs[unit];
    if (glyph == nullptr) continue;  // the second unit of a surrogate pair
    if (glyph->width > 0 && glyph->height > 0) {
      const int x = Snap(f.start.x + pen * f.bx) + glyph->left;
      const int y = Snap(f.start.y + pen * f.by) + glyph->top;
      x0 = std::min(x0, x);
      y0 = std::min(y0, y);
      x1 = std::max(x1, x + glyph->width);
      y1 = std::max(y1, y + glyph->height);
      inked += static_cast<int64_t>(glyph->width) * glyph->height;
      all[count++] = {glyph, x, y};
    }
    pen += advances[unit];
  }
  const std::span<const Placed> placed = all.first(count);
  auto maskOf = [](const Placed& p) {
    const auto& g = *p.glyph;
    return CoverageMask{g.coverage.data(), p.x, p.y, g.width, g.height, g.width, &g.drawn};
  };
  if (placed.size() <= 1) {
    const CoverageMask one[1] = {placed.empty() ? CoverageMask{} : maskOf(placed.front())};
    PutMasks(dc, back, std::span(one, placed.size()), colour);
    return;
  }
  // Glyphs side by side, each box clear of the next (upright text mostly):
  // their coverage needs no gathering, and goes down with the background.
  bool sideBySide = true;
  for (size_t i = 1; i < placed.size() && sideBySide; ++i)
    sideBySide = placed[i].x >= placed[i - 1].x + placed[i - 1].glyph->width;
  if (sideBySide) {
    RunBuffer<CoverageMask, kShortRun> masks(placed.size());
    for (size_t i = 0; i < placed.size(); ++i) masks.span()[i] = maskOf(placed[i]);
    PutMasks(dc, back, masks.span(), colour);
    return;
  }
  constexpr int64_t kMaxMask = 4 << 20;
  const int64_t area = static_cast<int64_t>(x1 - x0) * (y1 - y0);
  // Turned text spreads over a box much larger than its glyphs: blend those
  // one by one, as a single glyph is (its coverage is the run's mask).
  if (area > kMaxMask || area > 2 * inked) {
    if (back) FillDeviceRect(dc, back->box, back->colour);
    for (const auto& p : placed)
      BlendMask(dc, p.x, p.y, p.glyph->width, p.glyph->height, p.glyph->coverage.data(), p.glyph->width, colour,
                &p.glyph->drawn);
    return;
  }
  const int width = x1 - x0;
  std::vector<uint8_t> mask(static_cast<size_t>(area), 0);
  for (const auto& p : placed) {
    const auto& g = *p.glyph;
    // Sizes held in locals: the byte stores below could alias them otherwise.
    const int glyphWidth = g.width, glyphHeight = g.height;
    const uint8_t* coverage = g.coverage.data();
    for (int row = 0; row < glyphHeight; ++row) {
      const uint8_t* src = coverage + static_cast<size_t>(row) * glyphWidth;
      uint8_t* dst = mask.data() + static_cast<size_t>(p.y - y0 + row) * width + (p.x - x0);
      for (int col = 0; col < glyphWidth; ++col) dst[col] = std::max(dst[col], src[col]);
    }
  }
  const CoverageMask gathered[1] = {{mask.data(), x0, y0, width, y1 - y0, width}};
  PutMasks(dc, back, gathered, colour);
}

}  // namespace

bool DrawRun(DeviceContext& dc, int x, int y, UINT options, const RECT* rect, std::u16string_view text,
             const INT* dx) {
  auto font = DcFont(dc);
  if (!font) return false;
  const Matrix m = dc.LogicalToDevice();
  const UINT align = dc.state.textAlign;
  const POINT ref = (align & TA_UPDATECP) ? dc.state.position : POINT{x, y};
  const PointD origin = m.Apply({double(ref.x), double(ref.y)});

  std::optional<ClipScope> clip;
  // An upright opaque rectangle may go down with the glyphs, in one go.
  std::optional<RECT> opaqueBox;
  if (rect) {
    std::array<PointD, 4> corners;
    const RECT box = DeviceBox(m, *rect, corners);
    if (options & ETO_OPAQUE) {
      if (!m.AxisAligned())
        FillDevicePolygon(dc, corners, dc.state.bkColour);
      else if (text.empty())
        FillDeviceRect(dc, box, dc.state.bkColour);
      else
        opaqueBox = box;
    }
    if (options & ETO_CLIPPED) clip.emplace(dc, box);
  }
  if (text.empty()) return true;

  RunBuffer<double, kShortRun> advanceBuffer(text.size());
  const std::span<double> advances = advanceBuffer.span();
  if (dx) {
    for (size_t i = 0; i < text.size(); ++i) {
      const bool trail = i > 0 && text[i] >= 0xDC00 && text[i] < 0xE000 && text[i - 1] >= 0xD800 && text[i - 1] < 0xDC00;
      advances[trail ? i - 1 : i] += dx[i] * font->scale();
    }
  } else {
    DeviceAdvances(dc, *font, text, advances);
  }
  double total = 0;
  for (double a : advances) total += a;

  const auto& fm = font->metrics();
  double along = 0;
  if ((align & TA_CENTER) == TA_CENTER)
    along = -total / 2;
  else if (align & TA_RIGHT)
    along = -total;
  double down = fm.ascent;
  if ((align & TA_BASELINE) == TA_BASELINE)
    down = 0;
  else if (align & TA_BOTTOM)
    down = -fm.descent;

  Frame f;
  f.bx = font->baseX();
  f.by = font->baseY();
  f.dx = font->downX();
  f.dy = font->downY();
  f.upright = std::abs(f.by) < 1e-9 && f.bx > 0 && std::abs(f.dx) < 1e-9 && f.dy > 0;
  f.start = PointD{origin.x + along * f.bx + down * f.dx, origin.y + along * f.by + down * f.dy};

  // An upright background goes down with the glyphs; a turned one first. The
  // opaque rectangle is filled before the cells' background, which adds
  // nothing inside it.
  std::optional<Background> back;
  const COLORREF bk = dc.state.bkColour;
  if (opaqueBox && f.upright) {
    const RECT band = UprightBand(f, total, -fm.ascent, fm.descent);
    if (dc.state.bkMode != OPAQUE || Inside(band, *opaqueBox)) {
      back = Background{*opaqueBox, bk};
    } else {
      FillDeviceRect(dc, *opaqueBox, bk);
      back = Background{band, bk};
    }
  } else {
    if (opaqueBox) FillDeviceRect(dc, *opaqueBox, bk);
    if (dc.state.bkMode == OPAQUE) {
      if (f.upright)
        back = Background{UprightBand(f, total, -fm.ascent, fm.descent), bk};
      else
        FillBand(dc, f, total, -fm.ascent, fm.descent, bk);
    }
  }

  const COLORREF colour = dc.state.textColour;
  PaintGlyphs(dc, *font, f, text, advances, colour, back ? &*back : nullptr);

  if (fm.underlined)
    FillBand(dc, f, total, fm.underlinePosition, fm.underlinePosition + fm.underlineThickness, colour);
  if (fm.struckOut)
    FillBand(dc, f, total, fm.strikeoutPosition, fm.strikeoutPosition + fm.strikeoutThickness, colour);

  if (align & TA_UPDATECP) {
    const int length = ToLogical(*font, total);
    const double angle = DcLogFont(dc).lfEscapement * 3.14159265358979323846 / 1800.0;
    const int sign = (align & TA_CENTER) == TA_CENTER ? 0 : (align & TA_RIGHT) ? -1 : 1;
    dc.state.position.x = ref.x + static_cast<LONG>(std::lround(sign * length * std::cos(angle)));
    dc.state.position.y = ref.y - static_cast<LONG>(std::lround(sign * length * std::sin(angle)));
  }
  return true;
}

}  // namespace gdi

using namespace gdi;

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCWSTR text, UINT length, const INT* dx) {
  auto dc = FindDC(hdc);
  if (!dc || (options & ETO_GLYPH_INDEX) || (!text && length > 0)) return FALSE;
  return DrawRun(*dc, x, y, options, rect, std::u16string_view(text ? text : u"", length), dx) ? TRUE : FALSE;
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length, const INT* dx) {
  auto dc = FindDC(hdc);
  if (!dc || (options & ETO_GLYPH_INDEX) || (!text && length > 0)) return FALSE;
  const WideText wide = Widen(DcCodePage(*dc), text, static_cast<int>(length), dx != nullptr);
  std::vector<INT> wideDx;
  if (dx) {
    // One distance per byte: a double-byte character moves by the sum of its two.
    wideDx.resize(wide.text.size(), 0);
    size_t byte = 0;
    for (size_t i = 0; i < wide.text.size(); ++i)
      for (int k = 0; k < wide.bytesOf[i]; ++k) wideDx[i] += dx[byte++];
  }
  return DrawRun(*dc, x, y, options, rect, wide.text, dx ? wideDx.data() : nullptr) ? TRUE : FALSE;
}

BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR text, int length) {
  if (length < 0) return FALSE;
  return ExtTextOutW(hdc, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length) {
  if (length < 0) return FALSE;
  return ExtTextOutA(hdc, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
}
