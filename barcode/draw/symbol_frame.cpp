#include "barcode/draw/symbol_frame.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "barcode/draw/bar_bands.h"
#include "barcode/draw/text_row.h"

namespace kalvo {

RECT ScaleRect(const RECT& r, bool sameScale, double factor) {
  if (sameScale) return r;
  return RECT{RoundDots(r.left * factor), RoundDots(r.top * factor), RoundDots(r.right * factor),
              RoundDots(r.bottom * factor)};
}

int ModuleWidth(const CBCode& code) {
  if (code.deviceUnits != 0) return code.narrowWidth;
  return RoundDots(code.narrowWidth * static_cast<double>(std::max(code.resolution, 0)) / 1000.0);
}

void ApplyTextRow(CBCode& code, bool shown) {
  if (!shown) {
    code.textGap = 0;
    code.textHeight = 0;
  }
  // Heights come from the caller and may be anything: the sum saturates.
  const int64_t height = int64_t{code.barHeight} + (shown ? int64_t{code.textGap} + code.textHeight : 0);
  code.height = static_cast<int32_t>(
      std::clamp<int64_t>(height, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

TextRow LayOutTextRow(CBCode& code) {
  TextRow row;
  row.shown = TextRowShown(code);
  ApplyTextRow(code, row.shown);
  if (row.shown) row.dc = MeasureTextRow(code);
  return row;
}

void BarList::Add(int left, int top, int width, int height) {
  if (width <= 0 || height <= 0) return;
  rects_.push_back(RECT{left, top, left + width, top + height});
}

namespace {

// Each maximal run of dark modules among `count` becomes one bar.
template <class IsDark>
int AddModuleRuns(BarList& bars, size_t count, IsDark dark, int x, int top, int module, int height) {
  size_t i = 0;
  while (i < count) {
    if (!dark(i)) {
      ++i;
      continue;
    }
    size_t run = i;
    while (run < count && dark(run)) ++run;
    bars.Add(x + static_cast<int>(i) * module, top, static_cast<int>(run - i) * module, height);
    i = run;
  }
  return x + static_cast<int>(count) * module;
}

}  // namespace

int BarList::Modules(std::string_view pattern, int x, int top, int module, int height) {
  return AddModuleRuns(*this, pattern.size(), [&](size_t i) { return pattern[i] == '1'; }, x, top, module, height);
}

int BarList::Modules(std::span<const uint8_t> dark, int x, int top, int module, int height) {
  return AddModuleRuns(*this, dark.size(), [&](size_t i) { return dark[i] != 0; }, x, top, module, height);
}

int BarList::Elements(std::span<const int> widths, int x, int top, int height) {
  bool bar = true;
  for (int w : widths) {
    if (bar) Add(x, top, w, height);
    x += w;
    bar = !bar;
  }
  return x;
}


namespace {

int RoundUpTo8(int value) { return (value + 7) / 8 * 8; }

struct Scale {
  bool same;
  double factor;
};

Scale ScaleOf(const CBCode& code) {
  int target = code.targetResolution >= 1 ? code.targetResolution : code.resolution;
  if (target == code.resolution || code.resolution <= 0) return {true, 1.0};
  return {false, static_cast<double>(target) / code.resolution};
}

// One bar in bitmap pixels: shrunk on the right at the same scale, every
// edge scaled otherwise.
RECT BarInBitmap(RECT rect, const Scale& scale, const CBCode& code) {
  if (scale.same) {
    if (code.barShrink != 0) rect.right -= code.barShrink;
  } else {
    rect = ScaleRect(rect, false, scale.factor);
  }
  return rect;
}

// The rows the bars reach, the ground alone outside them.
PlainGround GroundAround(std::span<const RECT> bars, COLORREF ground) {
  if (bars.empty()) return PlainGround{ground, 0, 0};
  int top = std::numeric_limits<int>::max(), bottom = std::numeric_limits<int>::min();
  for (const RECT& r : bars) {
    top = std::min<int>(top, r.top);
    bottom = std::max<int>(bottom, r.bottom);
  }
  return PlainGround{ground, top, bottom};
}

// Without a device context the bitmap is the screen's: no device context
// is needed for that, a null one stands for the screen.
HBITMAP CreateSymbolBitmap(int width, int height, HDC dc) { return CreateCompatibleBitmap(dc, width, height); }

}  // namespace

int FinishSymbol(CBCode& code, int measureOnly, DcOwner dc, const Artwork& art) {
  if (measureOnly != 0) return 0;

  const Scale scale = ScaleOf(code);
  int bitmapWidth = RoundUpTo8(code.width);
  int bitmapHeight = code.height;
  code.padRight = bitmapWidth - code.width;
  if (scale.same) {
    code.padRightTarget = code.padRight;
  } else {
    int scaledWidth = RoundDots(code.width * scale.factor);
    bitmapHeight = RoundDots(code.height * scale.factor);
    bitmapWidth = RoundUpTo8(scaledWidth);
    code.padRightTarget = bitmapWidth - scaledWidth;
  }
  if (bitmapWidth <= 0 || bitmapHeight <= 0) return 0;

  if (!dc) dc.reset(CreateCompatibleDC(nullptr));
  if (!dc) return 0;
  HBITMAP bitmap = CreateSymbolBitmap(bitmapWidth, bitmapHeight, nullptr);
  if (bitmap == nullptr) return 0;
  HGDIOBJ oldBitmap = SelectObject(dc.get(), bitmap);
  const COLORREF ground = art.ground == Ground::White ? COLORREF{0xFFFFFF} : code.backColor;
  std::vector<RECT> bars;
  // What the text row is drawn over.
  std::optional<PlainGround> plain;
  const int rowHeight = art.moduleHeight > 0 ? art.moduleHeight : art.moduleSize;
  if (art.modules != nullptr && scale.same && code.barShrink == 0) {
    PaintModuleRows(dc.get(), bitmapWidth, bitmapHeight, *art.modules, art.moduleSize, rowHeight, ground,
                    code.barColor);
    const int64_t moduleRows = int64_t{art.modules->rows} * std::max(rowHeight, 0);
    plain = PlainGround{ground, 0, static_cast<int>(std::min<int64_t>(moduleRows, bitmapHeight))};
  } else {
    BarList moduleBars;
    if (art.modules != nullptr)
      for (int y = 0; y < art.modules->rows; ++y)
        moduleBars.Modules(art.modules->Row(y), 0, y * rowHeight, art.moduleSize, rowHeight);
    const BarList& list = art.modules != nullptr ? moduleBars : art.bars;
    // Bars already in bitmap pixels are painted as they stand.
    const bool asTheyStand = scale.same && code.barShrink == 0;
    if (!asTheyStand) {
      bars.reserve(list.Rects().size());
      for (const RECT& rect : list.Rects()) bars.push_back(BarInBitmap(rect, scale, code));
    }
    const std::span<const RECT> painted = asTheyStand ? std::span<const RECT>(list.Rects()) : bars;
    if (!(art.shapes && art.shapesPaintGround && painted.empty())) {
      plain = GroundAround(painted, ground);
      // The text row fills the rows below the bars as it draws its first
      // glyphs: they are written once.
      int paintedHeight = bitmapHeight;
      if (art.drawTextRow && code.textSpaceOnly == 0 && code.hrText != nullptr && !art.shapes && (ground >> 24) == 0) {
        paintedHeight = std::clamp(plain->inkBottom, 0, bitmapHeight);
        plain->unpainted = RECT{0, paintedHeight, bitmapWidth, bitmapHeight};
      }
      PaintBarBands(dc.get(), bitmapWidth, paintedHeight, painted, ground, code.barColor);
    }
  }
  // Shapes may paint anywhere.
  if (art.shapes) {
    plain.reset();
    const UniqueBrush barBrush(CreateSolidBrush(code.barColor));
    art.shapes(dc.get(), barBrush.get(), ground);
  }

  if (art.drawTextRow && code.textSpaceOnly == 0)
    DrawTextRow(dc.get(), code, scale.same, scale.factor, plain ? &*plain : nullptr);
  if (!art.texts.empty()) DrawPlacedTexts(dc.get(), code, art.texts, art.fonts, scale.same, scale.factor);

  SelectObject(dc.get(), oldBitmap);
  code.bitmap = bitmap;
  return 0;
}

int FinishSymbol(CBCode& code, int measureOnly, TextRow row, Artwork& art) {
  art.drawTextRow = row.shown;
  return FinishSymbol(code, measureOnly, std::move(row.dc), art);
}

}  // namespace kalvo
