// Interface texts drawn through UTF-16 in the interface language's code page.
#include "app/ui/ui_text_draw.h"

#include <string>

#include "app/ui/ui_language.h"
#include "foundation/uifonts/ui_fonts.h"

HFONT UiFont() {
  if (HFONT font = GuiFont()) return font;
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT UiMessageFont() {
  if (UiLanguage() == kUiChineseSimplified && FixedFontGb()) return FixedFontGb();
  if (UiLanguage() == kUiChineseTraditional && FixedFontBig5()) return FixedFontBig5();
  return UiFont();
}

SIZE MeasureUiText(HDC dc, const AString& text) {
  SIZE size{0, 0};
  const std::u16string wide = UiTextToWide(text);
  if (wide.empty()) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    size.cy = tm.tmHeight;
    return size;
  }
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size;
}

void DrawUiText(HDC dc, int x, int y, const AString& text) {
  const std::u16string wide = UiTextToWide(text);
  if (!wide.empty()) TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

int DrawUiTextInRect(HDC dc, const AString& text, RECT* rect, UINT format) {
  const std::u16string wide = UiTextToWide(text);
  return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), rect, format);
}

UiTextScope::UiTextScope(HDC dc, HFONT font)
    : dc_(dc), oldFont_(SelectObject(dc, font)), oldMode_(SetBkMode(dc, TRANSPARENT)) {}

UiTextScope::~UiTextScope() {
  SetBkMode(dc_, oldMode_);
  SelectObject(dc_, oldFont_);
}
