#include "barcode/draw/text_cells.h"

namespace kalvo {
namespace {

SIZE TextExtent(HDC dc, std::string_view text) {
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

constexpr MAT2 kIdentity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};

}  // namespace

// A glyph's advance is the extent of its byte alone when a logical unit is a
// pixel, the baseline runs left to right and no extra spacing is added.
CellWidths::CellWidths(HDC dc, bool boxes)
    : dc_(dc),
      m_(TextExtent(dc, "M")),
      pixelUnits_(GetMapMode(dc) == MM_TEXT && GetGraphicsMode(dc) == GM_COMPATIBLE),
      boxes_(boxes && pixelUnits_ && GetTextCharacterExtra(dc) == 0) {
  cells_[0] = Cell{static_cast<int>(m_.cx)};
}

// Where a logical unit is a pixel, every advance is a whole number of units:
// the extents after each byte of a run differ by exactly the extent of that
// byte alone. Bytes below 128 are characters of one byte in every code page.
void CellWidths::Prepare(std::string_view text) {
  if (boxes_ || !pixelUnits_) return;
  std::array<char, 96> bytes;
  std::array<bool, 128> listed{};
  int n = 0;
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 32 || b >= 128 || known_[b] || listed[b]) continue;
    listed[b] = true;
    bytes[n++] = c;
  }
  if (n < 2) return;
  std::array<int, 96> after;
  SIZE size{};
  if (!GetTextExtentExPointA(dc_, bytes.data(), n, 0, nullptr, after.data(), &size) || size.cx != after[n - 1])
    return;
  for (int i = 0; i < n; ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    cells_[b] = Cell{after[i] - (i > 0 ? after[i - 1] : 0)};
    known_[b] = true;
  }
}

Cell CellWidths::Measure(unsigned char b) const {
  GLYPHMETRICS gm{};
  if (boxes_ && GetGlyphOutlineA(dc_, b, GGO_METRICS, &gm, 0, nullptr, &kIdentity) != GDI_ERROR && gm.gmCellIncY == 0) {
    const LONG left = gm.gmptGlyphOrigin.x, top = -gm.gmptGlyphOrigin.y;
    return Cell{gm.gmCellIncX, true,
                RECT{left, top, left + static_cast<LONG>(gm.gmBlackBoxX), top + static_cast<LONG>(gm.gmBlackBoxY)}};
  }
  const char c = static_cast<char>(b);
  return Cell{static_cast<int>(TextExtent(dc_, std::string_view(&c, 1)).cx)};
}

void ControlFrames::Frame(int x, int y, const SIZE& m) {
  if (!brush_) brush_.reset(CreateSolidBrush(GetTextColor(dc_)));
  RECT box{x + m.cx / 4, y + m.cy / 4, x + m.cx - m.cx / 4, y + m.cy - m.cy / 4};
  FrameRect(dc_, &box, brush_.get());
}

}  // namespace kalvo
