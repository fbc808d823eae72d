#include "foundation/uifonts/mbcs_text.h"

#include <algorithm>
#include <cstring>

#include "foundation/codepage/codepage.h"
#include "foundation/settings/process_settings.h"
#include "foundation/uifonts/ui_fonts.h"
#include "platform/nls/nls.h"

FOUNDATION_BEGIN

namespace {

constexpr int kUiKindGbEverything = 6;  // a language kind that draws every character with the pair font

// Double-byte text of a known code page, widened so that it measures and
// draws the same whatever the process's ANSI code page is.
struct WidePair {
  WCHAR units[4];
  int count;
};

WidePair Widen(const char* bytes, int length, int codePage) {
  WidePair w{};
  w.count = MultiByteToWideChar(static_cast<UINT>(codePage), MB_PRECOMPOSED, bytes, length, w.units, 4);
  return w;
}

SIZE PairExtent(HDC dc, const char* text, int length, int charset, int codePage) {
  SIZE size{0, 0};
  const WidePair w = Widen(text, length, codePage);
  if (w.count > 0)
    GetTextExtentPoint32W(dc, w.units, w.count, &size);
  else
    GetTextExtentPoint32A(dc, text, length, &size);
  if (!OsVersionFlags().isNtFamily && length == 2) {
    if (charset == GB2312_CHARSET && 2 * size.cx > 3 * size.cy) size.cx /= 2;
    if (charset == CHINESEBIG5_CHARSET && 2 * size.cx >= 3 * size.cy) size.cx = size.cy;
  }
  return size;
}

}  // namespace

SIZE MeasureCjkPair(HDC dc, const char* text, int length, int charset) {
  return PairExtent(dc, text, length, charset, CodePageFromLanguage(charset, false));
}

SIZE DrawTextMbcs(HDC dc, int x, int y, const char* text, int tabWidth, int cellHeight, const RECT* clip,
                  bool stopAtEdge, int fontKind, bool gbkRanges, bool measureOnly) {
  SIZE result{0, 0};
  if (!text) return result;
  const int uiKind = UiLanguageKind();

  SIZE probe{0, 0};
  GetTextExtentPoint32A(dc, "MjgL", 4, &probe);
  const int h = probe.cy;
  const int singleDy = std::max(-2, (cellHeight - h) / 2);
  const int pairDy = std::max(0, (cellHeight - std::max(h, 16)) / 2);

  HFONT pairFont = nullptr;
  if (fontKind == kFontGb || (fontKind == kFontFollowUi && uiKind != codepage::kTraditionalChinese))
    pairFont = FixedFontGb();
  else if (fontKind == kFontBig5 || fontKind == kFontFollowUi)
    pairFont = FixedFontBig5();
  const int pairCodePage = pairFont && pairFont == FixedFontBig5() ? codepage::kBig5 : codepage::kGbk;
  const bool maySwitch = fontKind != kFontFollowUi || IsCjkLanguage(uiKind);
  const bool big5Ranges = !gbkRanges;

  const int startX = x;
  const int lineStep = cellHeight * 3 / 2;
  int lineWidth = 0, lineHeight = 0, lineChars = 0;
  const int length = static_cast<int>(std::strlen(text));
  for (int i = 0; i < length;) {
    const BYTE b = static_cast<BYTE>(text[i]);
    SIZE ext{0, 0};
    int n = 1;
    if (b == '\t') {
      ext = {tabWidth, cellHeight};
    } else {
      const bool isPair = i + 1 < length && IsDbcsByte(b, true, big5Ranges) &&
                          IsDbcsByte(static_cast<BYTE>(text[i + 1]), false, big5Ranges);
      n = isPair ? 2 : 1;
      const bool pairPath = (isPair && maySwitch) || uiKind == kUiKindGbEverything;
      HGDIOBJ previous = nullptr;
      if (pairPath && pairFont) previous = SelectObject(dc, pairFont);
      const int codePage = pairPath && pairFont ? pairCodePage : (gbkRanges ? codepage::kGbk : codepage::kBig5);
      if (pairPath)
        ext = PairExtent(dc, text + i, n, GB2312_CHARSET, codePage);
      else if (isPair)
        ext = PairExtent(dc, text + i, n, 0, codePage);
      else
        GetTextExtentPoint32A(dc, text + i, n, &ext);
      if (!measureOnly) {
        if (isPair) {
          const WidePair w = Widen(text + i, n, codePage);
          if (w.count > 0) TextOutW(dc, x, y + pairDy, w.units, w.count);
        } else {
          TextOutA(dc, x, y + singleDy, text + i, 1);
        }
      }
      if (previous) SelectObject(dc, previous);
    }
    i += n;
    lineWidth += ext.cx;
    lineHeight = std::max<int>(lineHeight, ext.cy);
    ++lineChars;
    if (clip && x + ext.cx >= clip->right) {
      if (stopAtEdge) return {lineWidth, lineHeight};
      x = startX;
      result.cx = std::max<int>(result.cx, lineWidth);
      result.cy += std::max(lineHeight, lineStep);
      y += lineStep;
      lineWidth = lineHeight = lineChars = 0;
    } else {
      x += ext.cx;
    }
  }
  if (lineChars > 0) {
    result.cx = std::max<int>(result.cx, lineWidth);
    result.cy += std::max(lineHeight, lineStep);
  }
  return result;
}

SIZE MeasureTextMbcs(HDC dc, const char* text, int tabWidth, int cellHeight, int fontKind) {
  return DrawTextMbcs(dc, 0, 0, text, tabWidth, cellHeight, nullptr, true, fontKind, true, true);
}

FOUNDATION_END
