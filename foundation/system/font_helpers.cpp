#include "foundation/system/font_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/gdi_owners.h"

FOUNDATION_BEGIN

HFONT NewFont(int height, int width, const char* face, bool proportional, int weight, int charset, int angle) {
  LOGFONT lf{};
  GetObject(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  lf.lfHeight = height;
  lf.lfWidth = width != 0 ? width : static_cast<LONG>(std::trunc(height / 2.0 + 0.5));
  lf.lfWeight = weight;
  lf.lfCharSet = static_cast<BYTE>(charset);
  lf.lfEscapement = angle;
  lf.lfOrientation = angle;
  lf.lfPitchAndFamily = proportional ? static_cast<BYTE>(lf.lfPitchAndFamily & ~FIXED_PITCH)
                                     : static_cast<BYTE>(lf.lfPitchAndFamily | FIXED_PITCH);
  lf.lfQuality = (angle % 900 != 0 || std::abs(height) >= 20) ? ANTIALIASED_QUALITY : PROOF_QUALITY;
  return CreateFontIndirect(&lf);
}

HFONT NewCourierFont(int height, int width, const LOGFONT& style) {
  return NewFont(height, width, "Courier New", false, style.lfWeight + 70, style.lfCharSet, style.lfEscapement);
}

HFONT NewArialFont(int height, int width, const LOGFONT& style) {
  return NewFont(height, width, "Arial", true, style.lfWeight, style.lfCharSet, style.lfEscapement);
}

int FitFontHeight(HDC dc, LOGFONT* lf) {
  const int wanted = lf->lfHeight;
  lf->lfHeight = -wanted;
  lf->lfWidth = 0;
  int line = 0;
  for (int tries = 0; tries < 100; ++tries) {
    const UniqueFont font(CreateFontIndirect(lf));
    if (!font) break;
    TEXTMETRIC tm{};
    {
      SelectScope select(dc, font.get());
      GetTextMetrics(dc, &tm);
    }
    line = tm.tmHeight + tm.tmExternalLeading;
    const int d = line - wanted;
    if (d <= 0 || lf->lfHeight >= -2) break;
    lf->lfHeight += std::max(d / 2, 1);
  }
  return line;
}

HGDIOBJ FitFontToWidth(HDC dc, const char* text, int len, LOGFONT lf, int targetWidth) {
  if (lf.lfWidth == 0) lf.lfWidth = std::abs(static_cast<LONG>(lf.lfHeight * 0.45));
  HGDIOBJ before = nullptr;
  bool first = true;
  auto selectAndMeasure = [&]() {
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(dc, font);
    if (first)
      before = old;
    else if (old)
      DeleteObject(old);  // the font selected by the previous try
    first = false;
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text, len, &size);
    return static_cast<int>(size.cx);
  };

  int direction = 0;
  for (int tries = 0; tries < 24; ++tries) {
    const int width = selectAndMeasure();
    if (std::abs(width - targetWidth) <= 4) break;
    if (direction == 0) {
      if (width > targetWidth) {
        lf.lfWidth -= 1;
        direction = -1;
        continue;
      }
      direction = 1;
    } else if (direction > 0 && width > targetWidth) {
      lf.lfWidth -= 1;
      selectAndMeasure();
      break;
    } else if (direction < 0 && width < targetWidth) {
      break;
    }
    lf.lfWidth += direction;
    if (lf.lfWidth == 0) lf.lfWidth = std::abs(static_cast<LONG>(lf.lfHeight * 0.4));
  }
  return before;
}

int FontStyleCode(const LOGFONT& lf) {
  const bool bold = lf.lfWeight == FW_BOLD;
  const bool italic = lf.lfItalic != 0;
  int code = bold && italic ? 7 : bold ? 2 : italic ? 1 : 0;
  if (lf.lfStrikeOut) code += 8;
  if (lf.lfUnderline) code += 16;
  return code;
}

FOUNDATION_END
