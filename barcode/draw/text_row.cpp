#include "barcode/draw/text_row.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "barcode/draw/framed_runs.h"
#include "barcode/draw/height_fonts.h"
#include "platform/gdi/gdi_owners.h"

namespace kalvo {

LOGFONTA FontForHeight(const LOGFONTA& font, int height) {
  LOGFONTA scaled = font;
  if (font.lfHeight != 0) scaled.lfWidth = static_cast<LONG>(static_cast<int64_t>(font.lfWidth) * height / font.lfHeight);
  scaled.lfHeight = height;
  return scaled;
}

namespace {

// A font made and selected for the lifetime of the object: deselected, then
// deleted.
struct SelectedFont {
  SelectedFont(HDC dc, const LOGFONTA& logFont) : font(CreateFontIndirectA(&logFont)), scope(dc, font.get()) {}
  FontOwner font;
  SelectScope scope;
};

// Sets text and background colours and restores them.
class TextColours {
 public:
  TextColours(HDC dc, const CBCode& code)
      : dc_(dc), oldText_(SetTextColor(dc, code.textColor)), oldBack_(SetBkColor(dc, code.textBackColor)) {}
  ~TextColours() {
    SetTextColor(dc_, oldText_);
    SetBkColor(dc_, oldBack_);
  }
  TextColours(const TextColours&) = delete;
  TextColours& operator=(const TextColours&) = delete;

 private:
  HDC dc_;
  COLORREF oldText_;
  COLORREF oldBack_;
};

LOGFONTA DrawingFont(const CBCode& code, bool sameScale, double f) {
  return FontForHeight(code.font, sameScale ? code.textHeight : RoundDots(code.textHeight * f));
}

}  // namespace

int FramedTextWidth(HDC dc, std::string_view text) { return CellWidths(dc).Total(text); }

DcOwner MeasureTextRow(CBCode& code) {
  DcOwner dc(CreateCompatibleDC(nullptr));
  // A font height of 0 has no proportion to scale the width by.
  code.font = FontForHeight(code.font, code.textHeight);
  if (!dc) return dc;
  SelectedFont font(dc.get(), code.font);
  const int length = code.hrText != nullptr ? std::max(code.hrLength, 0) : 0;
  const int textWidth = FramedTextWidth(dc.get(), std::string_view(code.hrText ? code.hrText : "", length));
  if (textWidth > code.width) {
    const int d = textWidth - code.width;
    if (code.textAlign == 0) {
      code.textLeft = static_cast<uint16_t>(d / 2);
      code.textRight = static_cast<uint16_t>(d / 2);
    } else if (code.textAlign < 0) {
      code.textLeft = 0;
      code.textRight = static_cast<uint16_t>(d);
    } else {
      code.textLeft = static_cast<uint16_t>(d);
      code.textRight = 0;
    }
    code.width = textWidth;
  }
  return dc;
}

namespace {

void FillUnpainted(HDC dc, const PlainGround& ground) {
  const RECT& r = ground.unpainted;
  if (r.left >= r.right || r.top >= r.bottom) return;
  const UniqueBrush brush(CreateSolidBrush(ground.colour));
  FillRect(dc, &r, brush.get());
}

}  // namespace

bool DrawFramedText(HDC dc, std::string_view text, const RECT& rect, int align, const PlainGround* ground) {
  const bool overGround = ground != nullptr && FontIsUpright(dc);
  CellWidths cells(dc, overGround);
  const SIZE m = cells.m();
  const int width = cells.Total(text);
  int x = rect.left;
  if (align > 0) {
    x = rect.right - width;
  } else if (align == 0) {
    x = rect.left + (rect.right - rect.left - width) / 2;
  }
  const int y = rect.top + (rect.bottom - rect.top - m.cy) / 2;
  if (overGround && DrawFramedRuns(dc, text, x, y, cells, *ground)) return true;
  if (ground) FillUnpainted(dc, *ground);
  ControlFrames frames(dc);
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 32)
      TextOutA(dc, x, y, &c, 1);
    else
      frames.Frame(x, y, m);
    x += cells(c);
  }
  return false;
}

void DrawTextRow(HDC dc, const CBCode& code, bool sameScale, double factor, const PlainGround* ground) {
  if (code.hrText == nullptr) return;
  TextColours colours(dc, code);
  SelectedFont font(dc, DrawingFont(code, sameScale, factor));
  const int top = code.textPosition == 2 ? code.textTopY : code.barHeight + code.textGap;
  const RECT row = ScaleRect(RECT{0, top, code.width, top + code.textHeight}, sameScale, factor);
  DrawFramedText(dc, std::string_view(code.hrText, std::max(code.hrLength, 0)), row, code.textAlign, ground);
}

void DrawTextInRect(HDC dc, std::string_view text, RECT rect, UINT format, bool sameScale, double factor) {
  RECT scaled = ScaleRect(rect, sameScale, factor);
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &scaled, format);
}

void DrawPlacedTexts(HDC dc, const CBCode& code, const std::vector<PlacedText>& texts, HeightFonts* measured,
                     bool sameScale, double factor) {
  TextColours colours(dc, code);
  // The fonts the texts were measured in serve again when the request's font
  // is still theirs.
  std::optional<HeightFonts> own;
  HeightFonts& fonts = measured != nullptr && measured->Of(code.font) ? *measured : own.emplace(code.font);
  HGDIOBJ old = nullptr;
  for (const PlacedText& t : texts) {
    const int height = t.fontHeight > 0 ? t.fontHeight : code.textHeight;
    const HFONT font = fonts.At(sameScale ? height : RoundDots(height * factor));
    if (font != nullptr) {
      const HGDIOBJ previous = SelectObject(dc, font);
      if (old == nullptr) old = previous;
    }
    DrawTextInRect(dc, t.text, t.rect, t.format, sameScale, factor);
  }
  if (old != nullptr) SelectObject(dc, old);
}

}  // namespace kalvo
