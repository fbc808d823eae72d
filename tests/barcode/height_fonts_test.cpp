// The fonts a symbol's texts are measured and drawn in, made once per height
// on one context, give the widths, fitting heights and pixels of making a
// context and a font for every single measurement and text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "barcode/draw/height_fonts.h"
#include "barcode/draw/text_row.h"
#include "platform/gdi/gdi_owners.h"
#include "tests/barcode/dib_pixels.h"

namespace {

using kalvo::HeightFonts;

LOGFONTA Font(const char* face, LONG height, LONG width, LONG weight) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfWeight = weight;
  std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return lf;
}

const LOGFONTA kFonts[] = {
    Font("Arial", -20, 0, FW_NORMAL),
    Font("Courier New", 30, 12, FW_NORMAL),   // a width that scales with the height
    Font("Times New Roman", 0, 9, FW_BOLD),  // no height: the width stays
};

// The general path: a fresh context and font for the one measurement.
int PlainWidth(const LOGFONTA& base, std::string_view text, int height) {
  UniqueDc dc(CreateCompatibleDC(nullptr));
  const LOGFONTA lf = kalvo::FontForHeight(base, height);
  UniqueFont font(CreateFontIndirectA(&lf));
  SelectScope selected(dc.get(), font.get());
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int PlainFittingHeight(const LOGFONTA& base, std::string_view text, int maxHeight, int width) {
  int height = std::max(maxHeight, 1);
  int textWidth = PlainWidth(base, text, height);
  if (textWidth > width && textWidth > 0) {
    height = std::max(1, static_cast<int>(static_cast<int64_t>(height) * std::max(width, 0) / textWidth));
    textWidth = PlainWidth(base, text, height);
  }
  while (textWidth > width && height > 1) textWidth = PlainWidth(base, text, --height);
  return height;
}

const char* const kTexts[] = {"9", "780306", "406157", "12345", "WWWW", "", "0 1"};

TEST(HeightFonts, WidthsAsWithAFontPerMeasurement) {
  const int heights[] = {70, 51, 49, 42, 1, 0, 70, 13};  // 70 again: its kept font
  for (const LOGFONTA& lf : kFonts) {
    HeightFonts fonts(lf);
    for (const char* text : kTexts)
      for (int h : heights)
        EXPECT_EQ(fonts.Width(text, h), PlainWidth(lf, text, h)) << lf.lfFaceName << " '" << text << "' at " << h;
  }
}

TEST(HeightFonts, FittingHeightsAsWithAFontPerMeasurement) {
  struct Limit {
    int maxHeight, width;
  };
  // Fitting at once, after a proportional step, after single steps, down to
  // one dot, and limits that are zero or negative.
  const Limit limits[] = {{70, 126}, {51, 25}, {70, 1000}, {70, 20}, {40, 3}, {1, 0},
                          {0, 50},   {-4, 10}, {70, -5},   {30, 0},  {90, 126}, {12, 7}};
  for (const LOGFONTA& lf : kFonts) {
    // One set of fonts for the whole table, as one symbol keeps them.
    HeightFonts fonts(lf);
    for (const char* text : kTexts)
      for (const Limit& l : limits)
        EXPECT_EQ(fonts.FittingHeight(text, l.maxHeight, l.width), PlainFittingHeight(lf, text, l.maxHeight, l.width))
            << lf.lfFaceName << " '" << text << "' max " << l.maxHeight << " width " << l.width;
  }
}

TEST(HeightFonts, TakenContextHasItsOwnFontAgain) {
  HeightFonts unused(kFonts[0]);
  EXPECT_EQ(unused.TakeDc(), nullptr);

  UniqueDc fresh(CreateCompatibleDC(nullptr));
  HeightFonts fonts(kFonts[0]);
  fonts.Width("123", 40);
  fonts.Width("123", 20);
  UniqueDc dc = fonts.TakeDc();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), GetCurrentObject(fresh.get(), OBJ_FONT));
  // Measuring goes on, on a context of its own.
  EXPECT_EQ(fonts.Width("123", 40), PlainWidth(kFonts[0], "123", 40));
  EXPECT_NE(fonts.TakeDc(), nullptr);
}

std::vector<uint32_t> Pixels(HDC dc, HBITMAP bitmap, int width, int height) {
  return kalvotest::DibPixels(bitmap, width, height, dc);
}

// The general path: each text in a font made for it, in the text colours.
void DrawPlain(HDC dc, const CBCode& code, const std::vector<kalvo::PlacedText>& texts, bool sameScale,
               double factor) {
  const COLORREF oldText = SetTextColor(dc, code.textColor);
  const COLORREF oldBack = SetBkColor(dc, code.textBackColor);
  for (const kalvo::PlacedText& t : texts) {
    const int height = t.fontHeight > 0 ? t.fontHeight : code.textHeight;
    const LOGFONTA lf = kalvo::FontForHeight(code.font, sameScale ? height : kalvo::RoundDots(height * factor));
    UniqueFont font(CreateFontIndirectA(&lf));
    SelectScope selected(dc, font.get());
    RECT rect = kalvo::ScaleRect(t.rect, sameScale, factor);
    DrawTextA(dc, t.text.data(), static_cast<int>(t.text.size()), &rect, t.format);
  }
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

// The placed texts drawn on a 32-bit bitmap: by DrawPlacedTexts in `measured`
// fonts (or fonts of its own), or with `plain` by the general path.
std::vector<uint32_t> DrawTexts(const CBCode& code, const std::vector<kalvo::PlacedText>& texts,
                                HeightFonts* measured, bool sameScale, double factor, bool plain = false) {
  constexpr int kWidth = 240, kHeight = 120;
  UniqueDc dc(CreateCompatibleDC(nullptr));
  HDC screen = GetDC(nullptr);
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen, kWidth, kHeight));
  ReleaseDC(nullptr, screen);
  SelectScope selected(dc.get(), bitmap.get());
  const RECT all{0, 0, kWidth, kHeight};
  UniqueBrush ground(CreateSolidBrush(0xFFFFFF));
  FillRect(dc.get(), &all, ground.get());
  const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_FONT);
  if (plain)
    DrawPlain(dc.get(), code, texts, sameScale, factor);
  else
    kalvo::DrawPlacedTexts(dc.get(), code, texts, measured, sameScale, factor);
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), before);
  return Pixels(dc.get(), bitmap.get(), kWidth, kHeight);
}

TEST(HeightFonts, PlacedTextsInMeasuredFontsDrawTheSamePixels) {
  const std::vector<kalvo::PlacedText> texts = {
      {"9", RECT{0, 60, 20, 110}, DT_LEFT | DT_TOP | DT_SINGLELINE, 37},
      {"780306", RECT{24, 60, 120, 110}, DT_CENTER | DT_TOP | DT_SINGLELINE, 26},
      {"406157", RECT{124, 60, 220, 110}, DT_CENTER | DT_TOP | DT_SINGLELINE, 26},
      {"12", RECT{0, 0, 100, 40}, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0},  // the row's height
      {"5", RECT{200, 0, 210, 30}, DT_RIGHT | DT_TOP | DT_SINGLELINE, 50},     // clipped
  };
  struct Scale {
    bool same;
    double factor;
  };
  const Scale scales[] = {{true, 1.0}, {false, 0.5}, {false, 1.7}};
  for (const LOGFONTA& lf : kFonts) {
    CBCode code;
    code.font = lf;
    code.textHeight = 30;
    code.textColor = 0x203040;
    code.textBackColor = 0xE0F0D0;
    for (const Scale& s : scales) {
      const std::vector<uint32_t> plain = DrawTexts(code, texts, nullptr, s.same, s.factor, true);
      // Ink: neither the ground nor the text background.
      auto ink = [](uint32_t p) { return (p & 0xFFFFFF) != 0xFFFFFF && (p & 0xFFFFFF) != 0xD0F0E0; };
      ASSERT_GT(std::count_if(plain.begin(), plain.end(), ink), 50) << "no text drawn";
      EXPECT_EQ(DrawTexts(code, texts, nullptr, s.same, s.factor), plain) << lf.lfFaceName << " " << s.factor;
      HeightFonts measured(lf);
      for (const auto& t : texts) measured.FittingHeight(t.text, t.fontHeight, 50);
      EXPECT_EQ(DrawTexts(code, texts, &measured, s.same, s.factor), plain) << lf.lfFaceName << " " << s.factor;
      // Fonts of another request's font are not used.
      HeightFonts other(kFonts[lf.lfHeight == kFonts[0].lfHeight ? 1 : 0]);
      other.Width("780306", 26);
      EXPECT_EQ(DrawTexts(code, texts, &other, s.same, s.factor), plain) << lf.lfFaceName << " " << s.factor;
    }
  }
}

}  // namespace
