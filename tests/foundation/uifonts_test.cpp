#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "foundation/settings/process_settings.h"
#include "foundation/system/font_entry.h"
#include "foundation/uifonts/mbcs_text.h"
#include "foundation/uifonts/ui_fonts.h"
#include "tests/foundation/gdi_helpers_test_util.h"

namespace {

ENUMLOGFONTEXA Face(const char* name, BYTE charset) {
  ENUMLOGFONTEXA e{};
  std::strncpy(e.elfLogFont.lfFaceName, name, LF_FACESIZE - 1);
  e.elfLogFont.lfCharSet = charset;
  e.elfLogFont.lfHeight = -12;
  return e;
}

std::string FaceAt(const FontList& list, int i) { return list[i].faceName.GetData(); }

TEST(AddFontEntry, PlacesFacesByCharset) {
  FontListGb().RemoveAll();
  FontListBig5().RemoveAll();
  const struct {
    const char* face;
    BYTE charset;
    int added;
  } cases[] = {
      {"Plain Gb", GB2312_CHARSET, 1},
      {"\xCB\xCE\xCC\xE5", GB2312_CHARSET, 1},           // "宋体" goes to the front
      {"\xBA\xDA\xCC\xE5", GB2312_CHARSET, 0},           // "黑体" is not listed
      {"@Vertical", GB2312_CHARSET, 0},                  // vertical faces are left out
      {"Plain Gb", GB2312_CHARSET, 0},                   // a face enumerated twice is listed once
      {"PMingLiu", CHINESEBIG5_CHARSET, 1},
      {"mingliu", CHINESEBIG5_CHARSET, 1},               // "MingLiu" without case goes to the front
      {"Western", ANSI_CHARSET, 0},
  };
  for (const auto& c : cases) {
    ENUMLOGFONTEXA e = Face(c.face, c.charset);
    EXPECT_EQ(AddFontEntry(&e, kFontTypeTrueType, "Script"), c.added) << c.face;
  }
  ASSERT_EQ(FontListGb().GetSize(), 2);
  EXPECT_EQ(FaceAt(FontListGb(), 0), "\xCB\xCE\xCC\xE5");
  EXPECT_EQ(FaceAt(FontListGb(), 1), "Plain Gb");
  ASSERT_EQ(FontListBig5().GetSize(), 2);
  EXPECT_EQ(FaceAt(FontListBig5(), 0), "mingliu");
  EXPECT_EQ(FontListBig5()[1].fontType, kFontTypeTrueType);
  EXPECT_STREQ(FontListBig5()[1].scriptName.GetData(), "Script");
  EXPECT_EQ(FontListBig5()[1].logFont.lfHeight, -12);
}

TEST(FontListEntry, DisplayNameCarriesTheCharsetTag) {
  const struct {
    const char* face;
    BYTE charset;
    std::string display;
  } cases[] = {{"SimSun", GB2312_CHARSET, std::string(kGbTag) + " SimSun"},
               {"@SimSun", GB2312_CHARSET, std::string(kGbTag) + "@SimSun"},
               {"MingLiu", CHINESEBIG5_CHARSET, std::string(kBig5Tag) + " MingLiu"},
               {"Arial", ANSI_CHARSET, "Arial"}};
  for (const auto& c : cases) {
    const FontListEntry e(Face(c.face, c.charset).elfLogFont, 0, "");
    EXPECT_EQ(std::string(e.displayName.GetData()), c.display);
    EXPECT_EQ(std::string(e.faceName.GetData()), c.face);
  }
}

TEST(CreateUiFonts, CellHeightsAtNinetySixDpi) {
  ASSERT_EQ(CreateUiFonts(true), 1);
  EXPECT_EQ(CellHeightGb(), 15);  // 10 points at 96 dpi are 13 pixels
  EXPECT_EQ(CellHeightBig5(), FontListBig5().IsEmpty() ? 16 : 14);
  ASSERT_NE(GuiFont(), nullptr);
  ASSERT_NE(FixedFontGb(), nullptr);
  ASSERT_NE(FixedFontBig5(), nullptr);
  LOGFONT lf{};
  GetObject(GuiFont(), sizeof lf, &lf);
  EXPECT_STREQ(lf.lfFaceName, "Arial");
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_EQ(lf.lfQuality, PROOF_QUALITY);
  GetObject(FixedFontGb(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
  EXPECT_EQ(lf.lfHeight, 15);
  GetObject(FixedFontBig5(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfCharSet, CHINESEBIG5_CHARSET);

  const int before = UiLanguageKind();
  UiLanguageKind() = 2;
  RecreateGuiFont();
  GetObject(GuiFont(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfCharSet, CHINESEBIG5_CHARSET);
  UiLanguageKind() = before;
  RecreateGuiFont();
  EXPECT_EQ(DeleteUiFonts(true), 1);
  EXPECT_EQ(GuiFont(), nullptr);
  EXPECT_EQ(FixedFontGb(), nullptr);
}

class MbcsText : public ::testing::Test {
 protected:
  void SetUp() override { CreateUiFonts(true); }
  void TearDown() override { DeleteUiFonts(true); }
};

TEST_F(MbcsText, TabTakesItsCell) {
  TestCanvas canvas(100, 40);
  const SIZE s = MeasureTextMbcs(canvas.dc(), "\t", 40, 16, kFontNoSwitch);
  EXPECT_EQ(s.cx, 40);
  EXPECT_GE(s.cy, 16);
}

TEST_F(MbcsText, LoneLeadByteAtTheEndIsOneByte) {
  TestCanvas canvas(100, 40);
  SIZE single{};
  GetTextExtentPoint32A(canvas.dc(), "\xD6", 1, &single);
  SIZE ab{};
  GetTextExtentPoint32A(canvas.dc(), "ab", 2, &ab);
  const SIZE s = MeasureTextMbcs(canvas.dc(), "ab\xD6", 40, 16, kFontGb);
  EXPECT_EQ(s.cx, ab.cx + single.cx);
}

TEST_F(MbcsText, WrappedLinesAreThreeHalvesOfTheCellApart) {
  TestCanvas canvas(200, 100);
  const RECT clip{0, 0, 60, 100};
  const SIZE one = DrawTextMbcs(canvas.dc(), 0, 0, "ii", 40, 16, &clip, false, kFontNoSwitch, true, true);
  EXPECT_EQ(one.cy, 24);
  const SIZE two = DrawTextMbcs(canvas.dc(), 0, 0, "MMMMMMMMMM", 40, 16, &clip, false, kFontNoSwitch, true, false);
  EXPECT_GE(two.cy, 48);
  EXPECT_LE(two.cx, 60 + 20);
  // Ink on the second line starts 24 pixels below ink on the first.
  auto firstInkRow = [&](int from) {
    for (int y = from; y < 100; ++y)
      for (int x = 0; x < 60; ++x)
        if (!canvas.IsWhite(x, y)) return y;
    return -1;
  };
  const int top1 = firstInkRow(0);
  int gap = top1;
  while (gap < 100 && [&] {
    for (int x = 0; x < 60; ++x)
      if (!canvas.IsWhite(x, gap)) return true;
    return false;
  }())
    ++gap;
  EXPECT_EQ(firstInkRow(gap), top1 + 24);
}

TEST_F(MbcsText, StopsAtTheEdge) {
  TestCanvas canvas(200, 40);
  const RECT clip{0, 0, 30, 40};
  const SIZE s = DrawTextMbcs(canvas.dc(), 0, 0, "MMMMMMMMMM", 40, 16, &clip, true, kFontNoSwitch, true, false);
  EXPECT_LT(s.cx, 60);
  for (int y = 0; y < 40; ++y)
    for (int x = 60; x < 200; ++x) ASSERT_TRUE(canvas.IsWhite(x, y)) << x << "," << y;
}

TEST_F(MbcsText, DoubleByteCharacterDrawsInTheChineseFont) {
  // "中" in code page 936 through the Simplified Chinese font, against the
  // same character drawn as UTF-16 with that font.
  TestCanvas mbcs(60, 40), wide(60, 40);
  const SIZE s = DrawTextMbcs(mbcs.dc(), 5, 5, "\xD6\xD0", 40, 16, nullptr, true, kFontGb, true, false);
  EXPECT_GT(s.cx, 8);
  HGDIOBJ old = SelectObject(wide.dc(), FixedFontGb());
  SIZE probe{};
  GetTextExtentPoint32A(mbcs.dc(), "MjgL", 4, &probe);
  const int dy = std::max(0, (16 - std::max<int>(probe.cy, 16)) / 2);
  const char16_t zhong[] = u"\u4E2D";
  TextOutW(wide.dc(), 5, 5 + dy, zhong, 1);
  SelectObject(wide.dc(), old);
  ASSERT_GT(wide.CountNot(RGB(255, 255, 255)), 20);
  int differ = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) differ += mbcs.At(x, y) != wide.At(x, y);
  EXPECT_EQ(differ, 0);
}

}  // namespace

namespace {

// Off the NT family a two-byte extent is corrected: charset 134 halves a width
// above 3/2 of the height, charset 136 takes the height for a width of at
// least 3/2 of it.
TEST(MeasureCjkPair, WidthCorrectionOffTheNtFamily) {
  TestCanvas canvas(10, 10);
  LOGFONT lf{};
  lf.lfHeight = -16;
  lf.lfWidth = 40;  // wide characters
  lf.lfCharSet = GB2312_CHARSET;
  HFONT font = CreateFontIndirect(&lf);
  HGDIOBJ old = SelectObject(canvas.dc(), font);
  const bool wasNt = OsVersionFlags().isNtFamily;
  OsVersionFlags().isNtFamily = true;
  const SIZE nt = MeasureCjkPair(canvas.dc(), "\xD6\xD0", 2, GB2312_CHARSET);
  ASSERT_GT(2 * nt.cx, 3 * nt.cy);
  OsVersionFlags().isNtFamily = false;
  const SIZE gb = MeasureCjkPair(canvas.dc(), "\xD6\xD0", 2, GB2312_CHARSET);
  const SIZE big5 = MeasureCjkPair(canvas.dc(), "\xA4\xA4", 2, CHINESEBIG5_CHARSET);
  const SIZE single = MeasureCjkPair(canvas.dc(), "M", 1, GB2312_CHARSET);
  OsVersionFlags().isNtFamily = wasNt;
  EXPECT_EQ(gb.cx, nt.cx / 2);
  EXPECT_EQ(big5.cx, big5.cy);
  SIZE m{};
  GetTextExtentPoint32A(canvas.dc(), "M", 1, &m);
  EXPECT_EQ(single.cx, m.cx);  // only two-byte texts are corrected
  SelectObject(canvas.dc(), old);
  DeleteObject(font);
}

}  // namespace
