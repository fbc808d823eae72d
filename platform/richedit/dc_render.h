// Measuring and drawing laid-out rich text on a device context: fonts made
// for the context's resolution and mapping mode, at a zoom.
#pragma once

#include <map>
#include <tuple>

#include "platform/gdi/gdi_owners.h"
#include "platform/richedit/layout.h"

namespace richedit {

// Measures in the logical units of a device context. Fonts are made for the
// context's resolution (LOGPIXELSY) and mapping mode and kept until the
// measurer goes; the context's selected font is restored.
class DcMeasurer : public TextMeasurer {
 public:
  explicit DcMeasurer(HDC dc, double zoom = 1.0);
  ~DcMeasurer() override;
  DcMeasurer(const DcMeasurer&) = delete;
  DcMeasurer& operator=(const DcMeasurer&) = delete;

  FontMetrics Metrics(const CharFormat& format) override;
  void Advances(const CharFormat& format, std::u16string_view text, std::vector<int>& advances) override;
  double UnitsPerTwipX() const override { return perTwipX_; }
  double UnitsPerTwipY() const override { return perTwipY_; }
  // +1 when logical y grows downwards (MM_TEXT), -1 when upwards (MM_TWIPS...).
  int YDirection() const { return yDirection_; }
  HDC dc() const { return dc_; }
  // Selects the font of a format (made on first use).
  HFONT Select(const CharFormat& format);

 private:
  HDC dc_;
  HGDIOBJ oldFont_ = nullptr;
  double perTwipX_ = 1, perTwipY_ = 1;
  int yDirection_ = 1;
  using Key = std::tuple<std::u16string, LONG, WORD, DWORD, BYTE, BYTE>;
  std::map<Key, UniqueFont> fonts_;
  std::map<Key, FontMetrics> metrics_;
};

struct DrawOptions {
  COLORREF autoColour = RGB(0, 0, 0);  // text without a colour of its own
  bool opaque = false;                  // fill the bounds first
  COLORREF background = RGB(255, 255, 255);
  size_t selectionStart = 0;  // shown inverted when not empty
  size_t selectionEnd = 0;
  COLORREF selectionText = RGB(255, 255, 255);
  COLORREF selectionBack = RGB(0, 120, 215);
};

// Draws a layout with its top-left corner at `origin` (logical units).
void DrawLayout(DcMeasurer& measurer, const TextDocument& doc, const Layout& layout, POINT origin,
                const DrawOptions& options);

// Draws a picture through the registered decoder; false without one.
bool DecodeRichPicture(RichPictureKind kind, const BYTE* data, size_t size, HDC dc, const RECT* dest);
// Draws one kept picture into a logical rectangle.
void DrawPicture(HDC dc, const Picture& picture, const RECT& dest);

}  // namespace richedit
