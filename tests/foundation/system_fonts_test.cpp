#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "foundation/system/font_helpers.h"
#include "tests/foundation/gdi_helpers_test_util.h"

namespace {

LOGFONT Of(HFONT font) {
  LOGFONT lf{};
  GetObject(font, sizeof lf, &lf);
  return lf;
}

TEST(NewFont, WidthQualityPitchAndAngle) {
  const struct {
    int height, width, angle;
    bool proportional;
    LONG expectWidth;
    BYTE quality;
  } cases[] = {
      {30, 0, 0, true, 15, ANTIALIASED_QUALITY},  // 20 and taller: anti-aliased
      {12, 0, 450, true, 6, ANTIALIASED_QUALITY},  // off the right angles: anti-aliased
      {12, 0, 900, false, 6, PROOF_QUALITY},
      {12, 5, 0, false, 5, PROOF_QUALITY},
      {-24, 0, 0, true, -11, ANTIALIASED_QUALITY},  // half of -24, plus 0.5, truncated
  };
  for (const auto& c : cases) {
    HFONT font = NewFont(c.height, c.width, "Arial", c.proportional, FW_BOLD, ANSI_CHARSET, c.angle);
    ASSERT_NE(font, nullptr);
    const LOGFONT lf = Of(font);
    EXPECT_EQ(lf.lfHeight, c.height);
    EXPECT_EQ(lf.lfWidth, c.expectWidth) << c.height << "/" << c.angle;
    EXPECT_EQ(lf.lfQuality, c.quality) << c.height << "/" << c.angle;
    EXPECT_EQ(lf.lfEscapement, c.angle);
    EXPECT_EQ(lf.lfOrientation, c.angle);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfPitchAndFamily & FIXED_PITCH, c.proportional ? 0 : FIXED_PITCH);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    DeleteObject(font);
  }
}

TEST(NewFont, CourierAndArialTakeTheStyle) {
  LOGFONT style{};
  style.lfWeight = FW_NORMAL;
  style.lfCharSet = GB2312_CHARSET;
  style.lfEscapement = 900;
  HFONT courier = NewCourierFont(20, 0, style);
  HFONT arial = NewArialFont(20, 8, style);
  const LOGFONT c = Of(courier), a = Of(arial);
  EXPECT_STREQ(c.lfFaceName, "Courier New");
  EXPECT_EQ(c.lfWeight, FW_NORMAL + 70);
  EXPECT_EQ(c.lfPitchAndFamily & FIXED_PITCH, FIXED_PITCH);
  EXPECT_EQ(c.lfCharSet, GB2312_CHARSET);
  EXPECT_EQ(c.lfEscapement, 900);
  EXPECT_STREQ(a.lfFaceName, "Arial");
  EXPECT_EQ(a.lfWeight, FW_NORMAL);
  EXPECT_EQ(a.lfWidth, 8);
  EXPECT_EQ(a.lfPitchAndFamily & FIXED_PITCH, 0);
  DeleteObject(courier);
  DeleteObject(arial);
}

TEST(FontStyleCode, Table) {
  const struct {
    LONG weight;
    BYTE italic, strike, underline;
    int code;
  } cases[] = {{400, 0, 0, 0, 0}, {400, 1, 0, 0, 1}, {700, 0, 0, 0, 2}, {700, 1, 0, 0, 7},
               {700, 1, 0, 1, 23}, {400, 0, 1, 0, 8}, {400, 0, 1, 1, 24}, {600, 0, 0, 0, 0}};
  for (const auto& c : cases) {
    LOGFONT lf{};
    lf.lfWeight = c.weight;
    lf.lfItalic = c.italic;
    lf.lfStrikeOut = c.strike;
    lf.lfUnderline = c.underline;
    EXPECT_EQ(FontStyleCode(lf), c.code) << c.weight << " " << int(c.italic) << int(c.strike) << int(c.underline);
  }
}

TEST(FitFontHeight, LineHeightStaysWithinTheWantedHeight) {
  TestCanvas canvas(10, 10);
  for (int wanted : {12, 20, 33, 60}) {
    LOGFONT lf{};
    std::strcpy(lf.lfFaceName, "Arial");
    lf.lfHeight = wanted;
    const int line = FitFontHeight(canvas.dc(), &lf);
    EXPECT_LE(line, wanted) << wanted;
    EXPECT_GE(line, wanted - 3) << wanted;
    EXPECT_LT(lf.lfHeight, 0);
    // The height left in lf gives that line height.
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ old = SelectObject(canvas.dc(), font);
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.dc(), &tm);
    SelectObject(canvas.dc(), old);
    DeleteObject(font);
    EXPECT_EQ(tm.tmHeight + tm.tmExternalLeading, line);
  }
}

// One step of the character width moves the extent by about a pixel per
// character, so the fit ends within 4 pixels, or on the narrower side of the
// target within one step.
TEST(FitFontToWidth, TextEndsAtTheTargetWithinOneWidthStep) {
  TestCanvas canvas(10, 10);
  const char* text = "LABEL 0123456789";
  const int len = static_cast<int>(std::strlen(text));
  for (int target : {90, 160, 240}) {
    LOGFONT lf{};
    std::strcpy(lf.lfFaceName, "Arial");
    lf.lfHeight = -24;
    HGDIOBJ before = FitFontToWidth(canvas.dc(), text, len, lf, target);
    SIZE size{};
    GetTextExtentPoint32A(canvas.dc(), text, len, &size);
    EXPECT_LE(size.cx, target + 4) << target;
    EXPECT_GE(size.cx, target - 4 - 2 * len) << target;
    HGDIOBJ fitted = SelectObject(canvas.dc(), before);
    EXPECT_EQ(GetObjectType(fitted), OBJ_FONT);
    EXPECT_EQ(before, GetStockObject(SYSTEM_FONT));
    DeleteObject(fitted);
  }
}

}  // namespace
