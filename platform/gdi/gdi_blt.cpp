// Bit-block transfers: BitBlt, StretchBlt, StretchDIBits and SetDIBitsToDevice
// through one engine that evaluates any ternary raster operation over
// pattern, source and destination, with the stretch modes for shrinking.
#include <algorithm>
#include <cmath>
#include <cstring>
#include "platform/gdi/gdi_raster.h"
#include "platform/gdi/pixel_stores.h"

namespace gdi {
namespace {

// A source of pixels, read in the destination's value format.
class BltSource {
 public:
  virtual ~BltSource() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual uint32_t Value(int x, int y) const = 0;  // destination value
  virtual COLORREF Colour(int x, int y) const = 0;
  // The raw 32-bit row when source and destination are both 32 bits.
  virtual const uint32_t* Row32(int) const { return nullptr; }
  // The raw row when its bytes hold the destination's values as they stand
  // (same depth of 8 bits or more, the same colours for indices); else null.
  virtual const BYTE* SameFormatRow(int) const { return nullptr; }
};

// A device context's bitmap as a source. Monochrome bitmaps meet colour
// destinations through the destination's text (0 bits) and background (1 bits)
// colours; colour sources meet monochrome destinations by the source's
// background colour (it becomes 1, everything else 0).
class DcSource final : public BltSource {
 public:
  DcSource(const DeviceContext& src, const DeviceContext& dest, const Bitmap& target)
      : bitmap_(*src.Target()), origin_(src.surfaceOrigin), target_(target), map_(target) {
    monoToColour_ = bitmap_.bpp == 1 && !bitmap_.dibSection && target.bpp > 1;
    colourToMono_ = bitmap_.bpp > 1 && target.bpp == 1 && !target.dibSection;
    zero_ = target.ColourToValue(dest.state.textColour);
    one_ = target.ColourToValue(dest.state.bkColour);
    sourceBk_ = src.state.bkColour;
    sameIndices_ = bitmap_.bpp <= 8 && bitmap_.bpp == target.bpp && bitmap_.colours.size() == target.colours.size() &&
                   std::equal(bitmap_.colours.begin(), bitmap_.colours.end(), target.colours.begin(),
                              [](const RGBQUAD& a, const RGBQUAD& b) {
                                return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
                              });
    if (bitmap_.bpp == 1 && target.bpp == 1 && !bitmap_.dibSection && !target.dibSection) sameIndices_ = true;
  }
  int Width() const override { return bitmap_.width - origin_.x; }
  int Height() const override { return bitmap_.height - origin_.y; }
  uint32_t Value(int x, int y) const override {
    const uint32_t v = bitmap_.ReadValue(x + origin_.x, y + origin_.y);
    if (monoToColour_) return v ? one_ : zero_;
    if (sameIndices_ || (bitmap_.bpp > 8 && target_.bpp > 8)) return v;
    const COLORREF c = bitmap_.ValueToColour(v);
    if (colourToMono_) return c == sourceBk_ ? 1u : 0u;
    return map_(c);
  }
  COLORREF Colour(int x, int y) const override {
    return bitmap_.ValueToColour(bitmap_.ReadValue(x + origin_.x, y + origin_.y));
  }
  const uint32_t* Row32(int y) const override {
    if (bitmap_.bpp != 32 || target_.bpp != 32) return nullptr;
    return reinterpret_cast<const uint32_t*>(bitmap_.Row(y + origin_.y)) + origin_.x;
  }
  const BYTE* SameFormatRow(int y) const override {
    if (bitmap_.bpp < 8 || bitmap_.bpp != target_.bpp || (bitmap_.bpp == 8 && !sameIndices_)) return nullptr;
    return bitmap_.Row(y + origin_.y) + static_cast<ptrdiff_t>(origin_.x) * (bitmap_.bpp / 8);
  }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

 private:
  const Bitmap& bitmap_;
  POINT origin_;
  const Bitmap& target_;
  bool monoToColour_ = false;
  bool colourToMono_ = false;
  bool sameIndices_ = false;
  uint32_t zero_ = 0, one_ = 0;
  COLORREF sourceBk_ = 0;
  mutable ColourMapper map_;
};

// A caller's device-independent bits as a source.
class DibSource final : public BltSource {
 public:
  DibSource(const DibView& dib, const Bitmap& target) : dib_(dib), target_(target), map_(target) {}
  int Width() const override { return dib_.width; }
  int Height() const override { return dib_.height; }
  uint32_t Value(int x, int y) const override {
    const uint32_t v = dib_.ReadValue(x, y);
    if (dib_.bpp > 8 && target_.bpp > 8) return v;
    return map_(dib_.ReadColour(x, y));
  }
  COLORREF Colour(int x, int y) const override { return dib_.ReadColour(x, y); }
  const uint32_t* Row32(int y) const override {
    if (dib_.bpp != 32 || target_.bpp != 32) return nullptr;
    return reinterpret_cast<const uint32_t*>(dib_.Row(y));
  }
  const BYTE* SameFormatRow(int y) const override {
    if (dib_.bpp <= 8 || dib_.bpp != target_.bpp) return nullptr;
    return dib_.Row(y);
  }

 private:
  const DibView& dib_;
  const Bitmap& target_;
  mutable ColourMapper map_;
};

struct DestRect {
  int x0, y0, x1, y1;  // device, normalised
  bool mirrorX, mirrorY;
};

DestRect MapDest(const DeviceContext& dc, int x, int y, int w, int h) {
  const Matrix m = dc.LogicalToDevice();
  const POINT a = RoundDevice(m.Apply({double(x), double(y)}));
  const POINT b = RoundDevice(m.Apply({double(x + w), double(y + h)}));
  // A negative extent runs from the given corner leftward (upward), that
  // corner's pixel included: (width - 1, -width) mirrors a whole image.
  DestRect r{a.x, a.y, b.x, b.y, b.x < a.x, b.y < a.y};
  if (r.mirrorX) r.x0 = b.x + 1, r.x1 = a.x + 1;
  if (r.mirrorY) r.y0 = b.y + 1, r.y1 = a.y + 1;
  return r;
}

// floor(a / b) and ceil(a / b) for b > 0.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

// Which source pixels make destination column (or row) i: a range of them
// (more than one only when shrinking) and the one a single pick takes.
class SourceSteps {
 public:
  enum class Axis { Columns, Rows };
  struct Step {
    int first, end, pick;
  };
  SourceSteps(int destCount, int srcStart, int srcCount, bool mirror, Axis axis)
      : dest_(destCount),
        n_(std::abs(static_cast<int64_t>(srcCount))),
        flip_(mirror != (srcCount < 0)),
        base_(srcCount < 0 ? static_cast<int64_t>(srcStart) + srcCount + 1 : srcStart),
        axis_(axis) {}
  Step operator()(int i) const {
    const int64_t k = flip_ ? dest_ - 1 - i : i;
    if (n_ <= dest_) {
      // Enlarging or one to one: the source pixel under the centre of the
      // destination pixel; a centre on the border between two takes the
      // left (upper) one.
      const int v = Clamp(base_ + CeilDiv((2 * k + 1) * n_, 2 * dest_) - 1);
      return {v, v + 1, v};
    }
    // Shrinking splits the source into runs, one per destination pixel, at
    // the nearest whole pixel to k * n / dest (a tie goes to the larger).
    // A single pick takes a run's last column and its first row.
    const int64_t first = Edge(k), end = std::max(Edge(k + 1), first + 1);
    const int64_t pick = axis_ == Axis::Columns ? end - 1 : first;
    return {Clamp(base_ + first), Clamp(base_ + end), Clamp(base_ + pick)};
  }

 private:
  int64_t Edge(int64_t k) const { return FloorDiv(2 * k * n_ + dest_, 2 * dest_); }
  static int Clamp(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -(int64_t{1} << 30), int64_t{1} << 30)); }
  int64_t dest_, n_;
  bool flip_;
  int64_t base_;
  Axis axis_;
};

// Copies pixel values of 8 bits or more unchanged; 32-bit pixels lose their
// fourth byte as every write does.
void CopyValues(BYTE* out, const BYTE* in, int count, int bpp) {
  if (bpp != 32) {
    std::memcpy(out, in, static_cast<size_t>(count) * (bpp / 8));
    return;
  }
  Stores().copyClearing32(out, in, static_cast<size_t>(count));
}

// One source row of 32-bit pixels, their fourth bytes clear, to every whole
// row from `top` to `bottom` of a bitmap (device rows, the surface's own):
// one stream of stores when the rows follow one another in storage.
void CopyRowToWholeRows(Bitmap& target, int top, int bottom, const BYTE* in) {
  const size_t bytes = static_cast<size_t>(target.width) * 4;
  ptrdiff_t step = 0;
  BYTE* out = target.RowsToOverwrite(top, bottom, step);
  Stores().copyRows(out, step, in, 0, bottom - top, bytes);
}

// True when no 32-bit pixel of the run has its fourth byte set.
bool FourthBytesClear(const BYTE* in, int count) {
  uint32_t any = 0;
  for (int i = 0; i < count; ++i) {
    uint32_t v;
    std::memcpy(&v, in + 4 * i, 4);
    any |= v;
  }
  return (any & 0xFF000000u) == 0;
}

// The source copy without a horizontal stretch into a rectangular clip, a
// destination row at a time from the source row the general loop would read
// (one row may fill many when enlarging). False when the case is not one of
// those, for the general loop to do.
bool CopyRows(DeviceContext& dest, const DestRect& r, const BltSource& src, int sx, int sw, int sh,
              const SourceSteps& rows, unsigned code) {
  Bitmap& target = *dest.Target();
  const int dw = r.x1 - r.x0, dh = r.y1 - r.y0;
  const bool shrinking = std::abs(sh) > dh;
  if (code != 0xCC || sw != dw || r.mirrorX || (shrinking && dest.state.stretchMode != COLORONCOLOR)) return false;
  RECT clip;
  if (target.bpp < 8 || !dest.RectangularClip(clip)) return false;
  const int srcW = src.Width(), srcH = src.Height();
  if (srcH <= 0 || !src.SameFormatRow(0)) return false;  // a source's format is the same on every row
  // Columns inside both the clip and the source.
  const int a = std::max({r.x0, static_cast<int>(clip.left), r.x0 - sx});
  const int b = std::min({r.x1, static_cast<int>(clip.right), r.x0 + (srcW - sx)});
  const int top = std::max(r.y0, static_cast<int>(clip.top)), bottom = std::min(r.y1, static_cast<int>(clip.bottom));
  const int bytes = target.bpp / 8;
  const POINT o = dest.surfaceOrigin;
  const bool wholeRows = a + o.x == 0 && b + o.x == target.width && target.stride == target.width * bytes;
  // A 32-bit source row whose fourth bytes are all 0 already is copied as it
  // stands; a row read for many destination rows is checked once.
  const BYTE* checked = nullptr;
  bool plain = false;
  // One source row fills every destination row: it is looked up once.
  const bool oneRow = std::abs(sh) == 1;
  const int onlyPick = oneRow ? rows(0).pick : 0;
  const BYTE* onlyRow = oneRow && onlyPick >= 0 && onlyPick < srcH ? src.SameFormatRow(onlyPick) : nullptr;
  if (onlyRow != nullptr && wholeRows && target.bpp == 32 && a < b) {
    // The common case of composed scan lines: one line for a band of rows.
    const BYTE* in = onlyRow + static_cast<ptrdiff_t>(sx + (a - r.x0)) * bytes;
    if (FourthBytesClear(in, b - a)) {
      CopyRowToWholeRows(target, top + o.y, bottom + o.y, in);
      return true;
    }
  }
  for (int yy = top; yy < bottom && a < b; ++yy) {
    const int s0 = oneRow ? onlyPick : rows(yy - r.y0).pick;
    if (s0 < 0 || s0 >= srcH) continue;
    BYTE* row = wholeRows ? target.RowToOverwrite(yy + o.y) : target.Row(yy + o.y);
    const BYTE* in = (oneRow ? onlyRow : src.SameFormatRow(s0)) + static_cast<ptrdiff_t>(sx + (a - r.x0)) * bytes;
    if (target.bpp == 32 && in != checked) {
      checked = in;
      plain = FourthBytesClear(in, b - a);
    }
    if (plain) {
      Stores().copyRows(row + static_cast<ptrdiff_t>(a + o.x) * bytes, 0, in, 0, 1, static_cast<size_t>(b - a) * bytes);
    } else {
      CopyValues(row + static_cast<ptrdiff_t>(a + o.x) * bytes, in, b - a, target.bpp);
    }
  }
  return true;
}

BOOL Transfer(DeviceContext& dest, int x, int y, int w, int h, const BltSource* src, int sx, int sy, int sw, int sh,
              DWORD rop) {
  Bitmap* target = dest.Target();
  const unsigned code = (rop >> 16) & 0xFF;
  const bool usesSource = Rop3UsesSource(code);
  if (usesSource && !src) return FALSE;
  if (!target) return TRUE;
  const DestRect r = MapDest(dest, x, y, w, h);
  const int dw = r.x1 - r.x0, dh = r.y1 - r.y0;
  if (dw == 0 || dh == 0) return TRUE;
  if (!usesSource) sw = dw, sh = dh, sx = 0, sy = 0;
  if (sw == 0 || sh == 0) return TRUE;
  const SourceSteps columns(dw, sx, sw, r.mirrorX, SourceSteps::Axis::Columns);
  const SourceSteps rows(dh, sy, sh, r.mirrorY, SourceSteps::Axis::Rows);
  const auto hold = target->pixels.Hold();
  if (usesSource && CopyRows(dest, r, *src, sx, sw, sh, rows, code)) return TRUE;

  const SpanRegion area =
      SpanRegion::Combine(SpanRegion::FromRect(r.x0, r.y0, r.x1, r.y1), dest.EffectiveClip(), RGN_AND);
  if (area.Empty()) return TRUE;
  BrushSampler pattern = Rop3UsesPattern(code) ? MakeBrushSampler(dest, *target, dest.state.brush.get())
                                               : BrushSampler::Solid(0);
  if (pattern.kind == BrushSampler::Kind::None) pattern = BrushSampler::Solid(0);

  const int mode = dest.state.stretchMode;
  const bool shrinking = std::abs(sw) > dw || std::abs(sh) > dh;
  const uint32_t mask = target->ValueMask();
  const int srcW = src ? src->Width() : 0, srcH = src ? src->Height() : 0;
  const POINT o = dest.surfaceOrigin;
  const bool oneToOne = std::abs(sw) == dw && std::abs(sh) == dh && !r.mirrorX && !r.mirrorY && sw > 0 && sh > 0;
  const bool plainCopy = code == 0xCC && oneToOne;
  // One to one onto 32 bits without a pattern (a symbol ANDed onto the
  // page): source column and row follow the destination's, so each pixel is
  // combined in place, without the steps' arithmetic or the pattern.
  const bool inPlace32 = usesSource && oneToOne && target->bpp == 32 && !Rop3UsesPattern(code);

  for (const auto& band : area.Bands()) {
    for (int yy = band.top; yy < band.bottom; ++yy) {
      const int ry = yy - r.y0;
      const auto [s0, s1, sPick] = rows(ry);
      if (usesSource && (sPick < 0 || sPick >= srcH)) continue;
      const uint32_t* fast = plainCopy ? src->Row32(sPick) : nullptr;
      for (const auto& span : band.spans) {
        if (fast) {
          // Both 32 bits, one to one: copy what lies inside the source.
          int a = span.x0, b = span.x1;
          a = std::max(a, r.x0 + (0 - sx));
          b = std::min(b, r.x0 + (srcW - sx));
          if (a < b) {
            BYTE* out = target->Row(yy + o.y) + static_cast<ptrdiff_t>(a + o.x) * 4;
            const uint32_t* in = fast + (sx + (a - r.x0));
            Stores().copyClearing32(out, reinterpret_cast<const BYTE*>(in), static_cast<size_t>(b - a));
          }
          continue;
        }
        if (inPlace32) {
          const int a = std::max(span.x0, r.x0 - sx), b = std::min(span.x1, r.x0 + (srcW - sx));
          BYTE* out = a < b ? target->Row(yy + o.y) : nullptr;
          for (int xx = a; xx < b; ++xx) {
            BYTE* at = out + static_cast<ptrdiff_t>(xx + o.x) * 4;
            const uint32_t d = at[0] | (at[1] << 8) | (at[2] << 16);
            const uint32_t v = ApplyRop3(code, 0, src->Value(sx + (xx - r.x0), sPick), d) & mask;
            at[0] = static_cast<BYTE>(v), at[1] = static_cast<BYTE>(v >> 8), at[2] = static_cast<BYTE>(v >> 16), at[3] = 0;
          }
          continue;
        }
        for (int xx = span.x0; xx < span.x1; ++xx) {
          const int rx = xx - r.x0;
          uint32_t s = 0;
          if (usesSource) {
            const auto [c0, c1, cPick] = columns(rx);
            if (cPick < 0 || cPick >= srcW) continue;
            if (!shrinking || mode == COLORONCOLOR) {
              s = src->Value(cPick, sPick);
            } else if (mode == HALFTONE) {
              long red = 0, green = 0, blue = 0, n = 0;
              for (int v = std::max(s0, 0); v < std::min(s1, srcH); ++v)
                for (int u = std::max(c0, 0); u < std::min(c1, srcW); ++u) {
                  const COLORREF c = src->Colour(u, v);
                  red += GetRValue(c), green += GetGValue(c), blue += GetBValue(c), ++n;
                }
              s = target->ColourToValue(RGB(static_cast<BYTE>(red / n), static_cast<BYTE>(green / n),
                                            static_cast<BYTE>(blue / n)));
            } else {
              // Black on white keeps dark pixels (AND), white on black light ones (OR).
              s = mode == BLACKONWHITE ? mask : 0;
              for (int v = std::max(s0, 0); v < std::min(s1, srcH); ++v)
                for (int u = std::max(c0, 0); u < std::min(c1, srcW); ++u) {
                  const uint32_t value = src->Value(u, v);
                  s = mode == BLACKONWHITE ? (s & value) : (s | value);
                }
            }
          }
          // In a transparent hatch's gaps the pattern takes no part: an
          // operation of pattern and source alone leaves the source there
          // (MERGECOPY shows the source between the hatch lines); one that
          // reads the destination as well still combines source and
          // destination, with a pattern of zeros.
          uint32_t p = 0;
          const int px = xx + o.x, py = yy + o.y;
          if (!pattern.Sample(xx, yy, p)) {
            p = 0;
            if (usesSource && !Rop3UsesDest(code)) {
              target->WriteValue(px, py, s & mask);
              continue;
            }
          }
          const uint32_t d = target->ReadValue(px, py);
          target->WriteValue(px, py, ApplyRop3(code, p, s, d) & mask);
        }
      }
    }
  }
  return TRUE;
}

}  // namespace
}  // namespace gdi

using namespace gdi;

BOOL BitBlt(HDC destHandle, int x, int y, int width, int height, HDC srcHandle, int xSrc, int ySrc, DWORD rop) {
  return StretchBlt(destHandle, x, y, width, height, srcHandle, xSrc, ySrc, width, height, rop);
}

BOOL StretchBlt(HDC destHandle, int x, int y, int width, int height, HDC srcHandle, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop) {
  auto dest = FindDC(destHandle);
  if (dest && dest->recording) {
    auto src = FindDC(srcHandle);
    return RecordStretchBlt(*dest, x, y, width, height, src.get(), xSrc, ySrc, srcWidth, srcHeight, rop);
  }
  if (!dest || !dest->Target()) return dest ? TRUE : FALSE;
  const unsigned code = (rop >> 16) & 0xFF;
  if (!Rop3UsesSource(code)) return Transfer(*dest, x, y, width, height, nullptr, 0, 0, 0, 0, rop);
  auto src = FindDC(srcHandle);
  if (!src || !src->Target()) return FALSE;
  // The source rectangle is in the source's logical units.
  const Matrix m = src->LogicalToDevice();
  const POINT a = RoundDevice(m.Apply({double(xSrc), double(ySrc)}));
  const POINT b = RoundDevice(m.Apply({double(xSrc + srcWidth), double(ySrc + srcHeight)}));
  DcSource source(*src, *dest, *dest->Target());
  // Copying a bitmap onto itself reads from a snapshot.
  if (src->Target() == dest->Target()) {
    DeviceContext snapshot;
    snapshot.kind = DcKind::Memory;
    snapshot.state = src->state;
    {
      const auto hold = src->Target()->pixels.Hold();
      snapshot.state.bitmap = std::make_shared<Bitmap>(*src->Target());
    }
    snapshot.surfaceOrigin = src->surfaceOrigin;
    DcSource copy(snapshot, *dest, *dest->Target());
    return Transfer(*dest, x, y, width, height, &copy, a.x, a.y, b.x - a.x, b.y - a.y, rop);
  }
  return Transfer(*dest, x, y, width, height, &source, a.x, a.y, b.x - a.x, b.y - a.y, rop);
}

int StretchDIBits(HDC handle, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
  auto dc = FindDC(handle);
  DibView dib;
  if (!dc || !dib.Init(info, usage, bits, dc.get())) return 0;
  if (!dc->Target()) return srcHeight;
  // The source rectangle is counted from the lower left, for top-down bits
  // too, whenever the picture is stretched, shrunk or turned over; only a
  // top-down DIB copied at its own size in device pixels counts from the top
  // (as SetDIBitsToDevice does). A negative height turns the rows over: the
  // rectangle's lowest row, the one just above ySrc + srcHeight, comes out on top.
  const Matrix m = dc->LogicalToDevice();
  const POINT d0 = RoundDevice(m.Apply({double(xDest), double(yDest)}));
  const POINT d1 = RoundDevice(m.Apply({double(xDest + destWidth), double(yDest + destHeight)}));
  const bool asIs = srcWidth > 0 && srcHeight > 0 && d1.x - d0.x == srcWidth && d1.y - d0.y == srcHeight;
  const int top = !dib.bottomUp && asIs ? ySrc
                  : srcHeight < 0       ? dib.height - 1 - ySrc - srcHeight
                                        : dib.height - ySrc - srcHeight;
  DibSource source(dib, *dc->Target());
  if (!Transfer(*dc, xDest, yDest, destWidth, destHeight, &source, xSrc, top, srcWidth, srcHeight, rop)) return 0;
  return std::abs(srcHeight);
}

int SetDIBitsToDevice(HDC handle, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                      UINT scanLines, const void* bits, const BITMAPINFO* info, UINT usage) {
  auto dc = FindDC(handle);
  DibView dib;
  if (!dc || !dib.Init(info, usage, bits, dc.get())) return 0;
  if (startScan >= static_cast<UINT>(dib.height)) return 0;
  const int lines = static_cast<int>(std::min<UINT>(scanLines, dib.height - startScan));
  if (!dc->Target()) return lines;
  // The buffer holds scan lines [startScan, startScan + lines): a view of just those.
  DibView part = dib;
  part.height = lines;
  int top;
  if (dib.bottomUp) {
    // Rows counted from the bottom: the source rectangle's top row.
    top = lines - 1 - (ySrc + static_cast<int>(height) - 1 - static_cast<int>(startScan));
  } else {
    part.bits = dib.bits;
    top = ySrc - static_cast<int>(startScan);
  }
  DibSource source(part, *dc->Target());
  // Device units: the destination size is not scaled.
  const Matrix m = dc->LogicalToDevice();
  const POINT d = RoundDevice(m.Apply({double(xDest), double(yDest)}));
  DeviceContext& target = *dc;
  const DcState saved = target.state;
  target.state.mapMode = MM_TEXT;
  target.state.windowOrg = target.state.viewportOrg = POINT{0, 0};
  target.state.windowExt = target.state.viewportExt = SIZE{1, 1};
  target.state.world = Matrix{};
  Transfer(target, d.x, d.y, static_cast<int>(width), static_cast<int>(height), &source, xSrc, top,
           static_cast<int>(width), static_cast<int>(height), SRCCOPY);
  target.state = saved;
  return lines;
}
