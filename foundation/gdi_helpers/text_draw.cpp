#include "foundation/gdi_helpers/text_draw.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/gdi_helpers/colour.h"
#include "platform/gdi/gdi_owners.h"
#include "foundation/uifonts/ui_fonts.h"

FOUNDATION_BEGIN

namespace {

// Text colour and background mode kept for one scope.
class TextModeScope {
 public:
  TextModeScope(HDC dc, COLORREF colour)
      : dc_(dc), oldColour_(SetTextColor(dc, colour)), oldMode_(SetBkMode(dc, TRANSPARENT)) {}
  ~TextModeScope() {
    SetBkMode(dc_, oldMode_);
    SetTextColor(dc_, oldColour_);
  }

 private:
  HDC dc_;
  COLORREF oldColour_;
  int oldMode_;
};

}  // namespace

SIZE DrawTextTransparent(HDC dc, int x, int y, const char* text, HFONT font, COLORREF colour) {
  SIZE size{0, 0};
  if (!text) return size;
  SelectScope select(dc, font);
  TextModeScope mode(dc, colour);
  const int length = static_cast<int>(std::strlen(text));
  GetTextExtentPoint32A(dc, text, length, &size);
  TextOutA(dc, x, y, text, length);
  return size;
}

void DrawTextCentered(HDC dc, const AString& text, const RECT& rect, int offset, bool dimmed) {
  if (text.IsEmpty()) return;
  SelectScope select(dc, GuiFont());
  const SIZE ext = text.GetTextExtent(dc);
  const int x = std::max<int>(0, (rect.right - rect.left - ext.cx) / 2 + rect.left) + offset;
  const int y = std::max<int>(0, (rect.bottom - rect.top - ext.cy) / 2 + rect.top) + offset;
  const COLORREF colour = GetTextColor(dc);
  TextModeScope mode(dc, dimmed ? AdjustColor(colour, kAdjustContrast) : colour);
  if (text.IsWide()) {
    const int units = text.GetLength() / 2;
    std::vector<WCHAR> copy(static_cast<size_t>(units) + 1, 0);
    std::memcpy(copy.data(), text.GetData(), static_cast<size_t>(units) * sizeof(WCHAR));
    TextOutW(dc, x, y, copy.data(), units);
  } else {
    TextOutA(dc, x, y, text.GetData(), text.GetLength());
  }
}

FOUNDATION_END
