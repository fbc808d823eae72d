#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win.h"
#include "platform/gdi/font.h"
#include "tests/platform/gdi_test_util.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A 32-bit canvas cleared to white, drawing text on a transparent background.
class Canvas : public gditest::Canvas {
 public:
  Canvas(int width, int height) : gditest::Canvas(width, height) {
    Clear();
    SetBkMode(dc(), TRANSPARENT);
  }
  COLORREF Pixel(int x, int y) const { return Raw(x, y); }
};

// Creates a font and keeps it selected for the scope.
class FontScope {
 public:
  FontScope(HDC dc, int height, const char* face, int escapement = 0, BYTE charset = DEFAULT_CHARSET,
            BYTE quality = NONANTIALIASED_QUALITY, int weight = FW_NORMAL, bool underline = false)
      : dc_(dc) {
    font_ = CreateFontA(height, 0, escapement, escapement, weight, 0, underline, 0, charset, 0, 0, quality, 0, face);
    old_ = SelectObject(dc, font_);
  }
  ~FontScope() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
  }
  FontScope(const FontScope&) = delete;
  FontScope& operator=(const FontScope&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

SIZE Extent(HDC dc, const std::string& s) {
  SIZE size{};
  EXPECT_TRUE(GetTextExtentPoint32A(dc, s.data(), static_cast<int>(s.size()), &size));
  return size;
}

TEST(Text, ArialIsMetricCompatibleWithLiberationSans) {
  Canvas canvas(8, 8);
  std::vector<INT> arial(95), liberation(95);
  {
    FontScope f(canvas.dc(), -64, "Arial");
    char face[64] = {};
    EXPECT_GT(GetTextFaceA(canvas.dc(), sizeof face, face), 0);
    EXPECT_STREQ(face, "Arial");
    ASSERT_TRUE(GetCharWidth32A(canvas.dc(), 32, 126, arial.data()));
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
    // Arial's own tables at 64 pixels per em: ascent 1854, descent 434, average 904 of 2048.
    EXPECT_EQ(tm.tmAscent, 58);
    EXPECT_EQ(tm.tmDescent, 14);
    EXPECT_EQ(tm.tmHeight, 72);
    EXPECT_EQ(tm.tmInternalLeading, 8);
    EXPECT_EQ(tm.tmAveCharWidth, 28);
    EXPECT_EQ(tm.tmPitchAndFamily & 0xF0, FF_SWISS);
  }
  {
    FontScope f(canvas.dc(), -64, "Liberation Sans");
    ASSERT_TRUE(GetCharWidth32A(canvas.dc(), 32, 126, liberation.data()));
  }
  EXPECT_EQ(arial, liberation);
  // Arial's advance widths (units of 2048), scaled to 64 pixels and rounded.
  struct Advance {
    char c;
    int units;
  };
  for (const Advance a : {Advance{' ', 569}, Advance{'A', 1366}, Advance{'W', 1933}, Advance{'i', 455},
                          Advance{'m', 1706}, Advance{'0', 1139}, Advance{'.', 569}}) {
    EXPECT_EQ(arial[a.c - 32], (a.units * 64 + 1024) / 2048) << a.c;
  }
}

TEST(Text, FaceNamesOfTheCommonFamilies) {
  Canvas canvas(8, 8);
  struct Case {
    const char* face;
    const char* reported;
  };
  for (const Case c : {Case{"Times New Roman", "Times New Roman"}, Case{"Courier New", "Courier New"},
                       Case{"DejaVu Sans", "DejaVu Sans"}, Case{"No Such Face", "Liberation Sans"}}) {
    FontScope f(canvas.dc(), 20, c.face);
    char face[64] = {};
    GetTextFaceA(canvas.dc(), sizeof face, face);
    EXPECT_STREQ(face, c.reported);
  }
}

TEST(Text, MeasuredExtentIsTheAdvanceOfWhatIsDrawn) {
  Canvas canvas(400, 60);
  FontScope f(canvas.dc(), -24, "Arial");
  const std::string text = "Hello, World 42";
  const SIZE size = Extent(canvas.dc(), text);
  TEXTMETRICA tm{};
  GetTextMetricsA(canvas.dc(), &tm);
  EXPECT_EQ(size.cy, tm.tmHeight);

  // The opaque cell covers exactly the measured extent.
  SetBkMode(canvas.dc(), OPAQUE);
  SetBkColor(canvas.dc(), RGB(255, 0, 0));
  ASSERT_TRUE(TextOutA(canvas.dc(), 10, 5, text.data(), static_cast<int>(text.size())));
  const RECT box = canvas.InkBox();
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.right, 10 + size.cx);
  EXPECT_EQ(box.top, 5);
  EXPECT_EQ(box.bottom, 5 + size.cy);

  // Drawing piece by piece at the measured advances gives the same pixels.
  SetBkMode(canvas.dc(), TRANSPARENT);
  canvas.Clear();
  TextOutA(canvas.dc(), 10, 5, text.data(), static_cast<int>(text.size()));
  const auto whole = canvas.Snapshot();
  canvas.Clear();
  int x = 10;
  for (char c : text) {
    TextOutA(canvas.dc(), x, 5, &c, 1);
    x += Extent(canvas.dc(), std::string(1, c)).cx;
  }
  EXPECT_EQ(x, 10 + size.cx);
  EXPECT_TRUE(canvas.Snapshot() == whole);

  // Right alignment ends the text at the reference point.
  canvas.Clear();
  SetTextAlign(canvas.dc(), TA_RIGHT | TA_TOP);
  TextOutA(canvas.dc(), 10 + size.cx, 5, text.data(), static_cast<int>(text.size()));
  SetTextAlign(canvas.dc(), TA_LEFT | TA_TOP);
  EXPECT_TRUE(canvas.Snapshot() == whole);
}

TEST(Text, BaselineAndBottomAlignment) {
  Canvas canvas(200, 100);
  FontScope f(canvas.dc(), -30, "Arial");
  TEXTMETRICA tm{};
  GetTextMetricsA(canvas.dc(), &tm);
  SetBkMode(canvas.dc(), OPAQUE);
  SetBkColor(canvas.dc(), RGB(0, 0, 255));
  SetTextAlign(canvas.dc(), TA_LEFT | TA_BASELINE);
  TextOutA(canvas.dc(), 5, 50, "x", 1);
  EXPECT_EQ(canvas.InkBox().top, 50 - tm.tmAscent);
  EXPECT_EQ(canvas.InkBox().bottom, 50 + tm.tmDescent);
  canvas.Clear();
  SetTextAlign(canvas.dc(), TA_LEFT | TA_BOTTOM);
  TextOutA(canvas.dc(), 5, 50, "x", 1);
  EXPECT_EQ(canvas.InkBox().bottom, 50);
}

TEST(Text, UpdateCurrentPositionMovesByTheExtent) {
  Canvas canvas(200, 40);
  FontScope f(canvas.dc(), -16, "Arial");
  MoveToEx(canvas.dc(), 7, 3, nullptr);
  SetTextAlign(canvas.dc(), TA_UPDATECP);
  TextOutA(canvas.dc(), 0, 0, "abc", 3);
  POINT p{};
  GetCurrentPositionEx(canvas.dc(), &p);
  EXPECT_EQ(p.x, 7 + Extent(canvas.dc(), "abc").cx);
  EXPECT_EQ(p.y, 3);
}

TEST(Text, EscapementTurnsTheText) {
  Canvas canvas(200, 300);
  {
    FontScope f(canvas.dc(), -24, "Arial", 0);
    TextOutA(canvas.dc(), 20, 250, "Turned text", 11);
    const RECT flat = canvas.InkBox();
    EXPECT_GT(flat.right - flat.left, flat.bottom - flat.top);
  }
  canvas.Clear();
  FontScope f(canvas.dc(), -24, "Arial", 900);
  const SIZE size = Extent(canvas.dc(), "Turned text");
  TextOutA(canvas.dc(), 20, 250, "Turned text", 11);
  const RECT up = canvas.InkBox();
  EXPECT_GT(up.bottom - up.top, up.right - up.left);
  // It runs upwards from the reference point, the cell's top at its left.
  EXPECT_LE(up.bottom, 251);
  EXPECT_GE(up.top, 250 - size.cx - 1);
  EXPECT_GE(up.left, 20);
  // The turned ink is as tall as the flat text is long, within the glyphs' bearings.
  EXPECT_NEAR(up.bottom - up.top, size.cx, 4);
}

TEST(Text, Gb2312TextDrawsChineseGlyphs) {
  Canvas canvas(200, 60);
  FontScope f(canvas.dc(), -32, "SimSun", 0, GB2312_CHARSET);
  const char zhong[] = "\xD6\xD0";  // U+4E2D in code page 936
  const char wen[] = "\xCE\xC4";    // U+6587
  ASSERT_TRUE(TextOutA(canvas.dc(), 10, 10, zhong, 2));
  const auto zhongPixels = canvas.Snapshot();
  const int zhongInk = canvas.Inked();
  EXPECT_GT(zhongInk, 60);
  canvas.Clear();
  TextOutA(canvas.dc(), 10, 10, wen, 2);
  EXPECT_GT(canvas.Inked(), 30);
  EXPECT_FALSE(canvas.Snapshot() == zhongPixels);
  // A character no font has draws the default box; the Chinese glyph is not that box.
  canvas.Clear();
  const WCHAR missing[] = {0xE123};
  TextOutW(canvas.dc(), 10, 10, missing, 1);
  EXPECT_FALSE(canvas.Snapshot() == zhongPixels);
  // Two double-byte characters measure as two ideographs, about an em each.
  const SIZE both = Extent(canvas.dc(), std::string(zhong) + wen);
  EXPECT_NEAR(both.cx, 64, 2);
  char face[64] = {};
  GetTextFaceA(canvas.dc(), sizeof face, face);
  EXPECT_NE(std::string(face).find("WenQuanYi"), std::string::npos);
}

TEST(Text, GreyAntialiasingOnlyWhenAsked) {
  Canvas canvas(100, 40);
  auto hasGrey = [&] {
    for (int y = 0; y < canvas.height(); ++y)
      for (int x = 0; x < canvas.width(); ++x) {
        const COLORREF c = canvas.Pixel(x, y);
        if (c != kWhite && c != RGB(0, 0, 0)) return true;
      }
    return false;
  };
  {
    FontScope f(canvas.dc(), -20, "Arial", 0, DEFAULT_CHARSET, NONANTIALIASED_QUALITY);
    TextOutA(canvas.dc(), 2, 2, "Sample", 6);
    EXPECT_GT(canvas.Inked(), 0);
    EXPECT_FALSE(hasGrey());
  }
  canvas.Clear();
  FontScope f(canvas.dc(), -20, "Arial", 0, DEFAULT_CHARSET, ANTIALIASED_QUALITY);
  TextOutA(canvas.dc(), 2, 2, "Sample", 6);
  EXPECT_TRUE(hasGrey());
}

TEST(Text, UnderlineSpansTheExtent) {
  Canvas canvas(200, 50);
  FontScope f(canvas.dc(), -20, "Arial", 0, DEFAULT_CHARSET, NONANTIALIASED_QUALITY, FW_NORMAL, true);
  const SIZE size = Extent(canvas.dc(), "under");
  TextOutA(canvas.dc(), 10, 5, "under", 5);
  const RECT box = canvas.InkBox();
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.right, 10 + size.cx);
}

TEST(Text, StrikeOutCrossesTheLetters) {
  Canvas canvas(200, 50);
  HFONT struck = CreateFontA(-30, 0, 0, 0, FW_NORMAL, 0, 0, 1, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, "Arial");
  HGDIOBJ old = SelectObject(canvas.dc(), struck);
  const SIZE size = Extent(canvas.dc(), "    ");
  TextOutA(canvas.dc(), 10, 5, "    ", 4);  // blanks: only the line shows
  SelectObject(canvas.dc(), old);
  DeleteObject(struck);
  const RECT box = canvas.InkBox();
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.right, 10 + size.cx);
  EXPECT_GT(box.top, 5 + 8);             // below the cell top
  EXPECT_LT(box.bottom, 5 + 28);         // above the baseline (ascent 28)
  EXPECT_LE(box.bottom - box.top, 4);    // a thin line
}

TEST(Text, WideCallsMatchTheAnsiOnes) {
  Canvas canvas(300, 50);
  FontScope f(canvas.dc(), -18, "Times New Roman");
  const WCHAR wide[] = u"Caf\u00e9 \U0001D400";  // a surrogate pair at the end
  SIZE w{};
  ASSERT_TRUE(GetTextExtentPoint32W(canvas.dc(), wide, 5, &w));
  EXPECT_EQ(w.cx, Extent(canvas.dc(), "Caf\xE9 ").cx);
  SIZE withPair{};
  GetTextExtentPoint32W(canvas.dc(), wide, 7, &withPair);
  EXPECT_GT(withPair.cx, w.cx);
  WCHAR face[LF_FACESIZE] = {};
  EXPECT_EQ(GetTextFaceW(canvas.dc(), LF_FACESIZE, face), 15);
  EXPECT_EQ(std::u16string(face), u"Times New Roman");
  TEXTMETRICW tmw{};
  TEXTMETRICA tma{};
  ASSERT_TRUE(GetTextMetricsW(canvas.dc(), &tmw));
  ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tma));
  EXPECT_EQ(tmw.tmHeight, tma.tmHeight);
  EXPECT_EQ(tmw.tmAveCharWidth, tma.tmAveCharWidth);
  EXPECT_EQ(tma.tmPitchAndFamily & 0xF0, FF_ROMAN);
  TextOutW(canvas.dc(), 5, 5, wide, 5);
  const auto drawnWide = canvas.Snapshot();
  canvas.Clear();
  TextOutA(canvas.dc(), 5, 5, "Caf\xE9 ", 5);
  EXPECT_TRUE(canvas.Snapshot() == drawnWide);
}

TEST(Text, ExtTextOutOpaqueClippedAndSpacing) {
  Canvas canvas(200, 50);
  FontScope f(canvas.dc(), -20, "Arial");
  SetBkColor(canvas.dc(), RGB(0, 255, 0));
  const RECT r{20, 10, 60, 30};
  ASSERT_TRUE(ExtTextOutA(canvas.dc(), 0, 0, ETO_OPAQUE, &r, "", 0, nullptr));
  EXPECT_EQ(canvas.InkBox().left, 20);
  EXPECT_EQ(canvas.InkBox().right, 60);
  EXPECT_EQ(canvas.Pixel(20, 10), RGB(0, 255, 0));
  canvas.Clear();
  ExtTextOutA(canvas.dc(), 15, 5, ETO_CLIPPED, &r, "WWWWWWWW", 8, nullptr);
  const RECT clipped = canvas.InkBox();
  EXPECT_GE(clipped.left, 20);
  EXPECT_LE(clipped.right, 60);
  EXPECT_GE(clipped.top, 10);
  EXPECT_LE(clipped.bottom, 30);
  // Explicit distances: each character 30 pixels after the previous one.
  canvas.Clear();
  const INT dx[] = {30, 30, 30};
  ExtTextOutA(canvas.dc(), 10, 5, 0, nullptr, "III", 3, dx);
  int columns = 0;
  for (int x = 0; x < canvas.width(); ++x) {
    bool ink = false;
    for (int y = 0; y < canvas.height(); ++y) ink = ink || canvas.Pixel(x, y) != kWhite;
    if (ink && (x == 0 || [&] {
          for (int y = 0; y < canvas.height(); ++y)
            if (canvas.Pixel(x - 1, y) != kWhite) return false;
          return true;
        }()))
      ++columns;
  }
  EXPECT_EQ(columns, 3);
  const RECT spaced = canvas.InkBox();
  EXPECT_GE(spaced.right - spaced.left, 60);
}

TEST(Text, ScaledMappingScalesTheDrawing) {
  Canvas canvas(400, 120);
  FontScope f(canvas.dc(), -20, "Arial");
  const SIZE flat = Extent(canvas.dc(), "Scale");
  TextOutA(canvas.dc(), 0, 0, "Scale", 5);
  const RECT small = canvas.InkBox();
  canvas.Clear();
  SetMapMode(canvas.dc(), MM_ANISOTROPIC);
  SetWindowExtEx(canvas.dc(), 1, 1, nullptr);
  SetViewportExtEx(canvas.dc(), 2, 2, nullptr);
  const SIZE logical = Extent(canvas.dc(), "Scale");
  EXPECT_NEAR(logical.cx, flat.cx, 1);
  EXPECT_EQ(logical.cy, flat.cy);
  TextOutA(canvas.dc(), 0, 0, "Scale", 5);
  const RECT big = canvas.InkBox();
  EXPECT_NEAR(big.right - big.left, 2 * (small.right - small.left), 3);
  EXPECT_NEAR(big.bottom - big.top, 2 * (small.bottom - small.top), 3);
  SetMapMode(canvas.dc(), MM_TEXT);
}

TEST(Text, WorldTransformTurnsAndYUpMappingKeepsGlyphsUpright) {
  Canvas canvas(300, 300);
  FontScope f(canvas.dc(), -20, "Arial");
  TextOutA(canvas.dc(), 40, 40, "Upright", 7);
  const auto plain = canvas.Snapshot();
  const RECT flat = canvas.InkBox();

  // y grows upwards: the same device point, the same pixels.
  canvas.Clear();
  SetMapMode(canvas.dc(), MM_ANISOTROPIC);
  SetWindowExtEx(canvas.dc(), 1, 1, nullptr);
  SetViewportExtEx(canvas.dc(), 1, -1, nullptr);
  SetViewportOrgEx(canvas.dc(), 0, 300, nullptr);
  TextOutA(canvas.dc(), 40, 260, "Upright", 7);
  EXPECT_TRUE(canvas.Snapshot() == plain);
  SetMapMode(canvas.dc(), MM_TEXT);
  SetViewportOrgEx(canvas.dc(), 0, 0, nullptr);

  // A world transform a quarter turn counter-clockwise stands the text up.
  canvas.Clear();
  SetGraphicsMode(canvas.dc(), GM_ADVANCED);
  const XFORM turn{0, -1, 1, 0, 150, 250};
  SetWorldTransform(canvas.dc(), &turn);
  TextOutA(canvas.dc(), 0, 0, "Upright", 7);
  const XFORM identity{1, 0, 0, 1, 0, 0};
  SetWorldTransform(canvas.dc(), &identity);
  SetGraphicsMode(canvas.dc(), GM_COMPATIBLE);
  const RECT up = canvas.InkBox();
  EXPECT_NEAR(up.bottom - up.top, flat.right - flat.left, 2);
  EXPECT_NEAR(up.right - up.left, flat.bottom - flat.top, 2);
  EXPECT_LE(up.bottom, 251);
}

TEST(Text, AnsiCodePageAndDoubleByteCounts) {
  Canvas canvas(200, 60);
  {
    // With a Chinese ANSI code page, a DEFAULT_CHARSET font reads GBK bytes and
    // takes the ideographs from the CJK fallback.
    ASSERT_TRUE(SetProcessAnsiCodePage(936));
    FontScope f(canvas.dc(), -32, "Arial");
    EXPECT_NEAR(Extent(canvas.dc(), "\xD6\xD0").cx, 32, 1);
    TextOutA(canvas.dc(), 10, 10, "\xD6\xD0", 2);
    EXPECT_GT(canvas.Inked(), 60);
    SetProcessAnsiCodePage(0);
  }
  FontScope f(canvas.dc(), -32, "SimSun", 0, GB2312_CHARSET);
  const std::string text = "a\xD6\xD0" "b";
  const int a = Extent(canvas.dc(), "a").cx;
  const int ideograph = Extent(canvas.dc(), "\xD6\xD0").cx;
  int fit = 0;
  INT dx[4] = {};
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPointA(canvas.dc(), text.data(), 4, a + ideograph, &fit, dx, &size));
  EXPECT_EQ(fit, 3);  // bytes: the pair counts whole
  EXPECT_EQ(dx[1], a + ideograph);
  EXPECT_EQ(dx[2], a + ideograph);
  EXPECT_EQ(dx[3], size.cx);
  INT width = 0;
  ASSERT_TRUE(GetCharWidthA(canvas.dc(), 0xD6D0, 0xD6D0, &width));
  EXPECT_EQ(width, ideograph);
}

TEST(Text, LongWordWidensTheCalculatedRectangle) {
  Canvas canvas(10, 10);
  FontScope f(canvas.dc(), -16, "Arial");
  RECT r{5, 0, 25, 0};
  DrawTextA(canvas.dc(), "Supercalifragilistic word", -1, &r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(r.right, 5 + Extent(canvas.dc(), "Supercalifragilistic").cx);
  TEXTMETRICA tm{};
  GetTextMetricsA(canvas.dc(), &tm);
  EXPECT_EQ(r.bottom, 2 * tm.tmHeight);
}

TEST(Text, DrawTextWordBreakWrapsAndCalcRectMeasures) {
  Canvas canvas(300, 200);
  FontScope f(canvas.dc(), -16, "Arial");
  TEXTMETRICA tm{};
  GetTextMetricsA(canvas.dc(), &tm);
  const std::string text = "The quick brown fox jumps over the lazy dog";
  const SIZE full = Extent(canvas.dc(), text);

  RECT one{10, 10, 1000, 10};
  EXPECT_EQ(DrawTextA(canvas.dc(), text.c_str(), -1, &one, DT_CALCRECT | DT_SINGLELINE), tm.tmHeight);
  EXPECT_EQ(one.right, 10 + full.cx);
  EXPECT_EQ(one.bottom, 10 + tm.tmHeight);

  RECT wrapped{10, 10, 110, 10};
  const int h = DrawTextA(canvas.dc(), text.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_GE(h, 3 * tm.tmHeight);
  EXPECT_EQ(h % tm.tmHeight, 0);
  EXPECT_EQ(wrapped.bottom, 10 + h);
  EXPECT_LE(wrapped.right, 110);
  EXPECT_GT(wrapped.right, 60);

  // Drawing lays out the same lines: ink within the calculated rectangle.
  RECT box{10, 10, 110, 190};
  DrawTextA(canvas.dc(), text.c_str(), -1, &box, DT_WORDBREAK);
  const RECT ink = canvas.InkBox();
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, wrapped.right + 1);
  EXPECT_LE(ink.bottom, wrapped.bottom);
  EXPECT_GT(ink.bottom, wrapped.bottom - tm.tmHeight);

  // Line breaks in the text make lines of their own.
  RECT lines{0, 0, 300, 0};
  EXPECT_EQ(DrawTextA(canvas.dc(), "a\r\nb\nc", -1, &lines, DT_CALCRECT), 3 * tm.tmHeight);
}

TEST(Text, EllipsisShortensToTheRectangle) {
  Canvas canvas(400, 40);
  FontScope f(canvas.dc(), -16, "Arial");
  const std::string text = "A rather long caption that does not fit";
  const SIZE dots = Extent(canvas.dc(), "...");
  RECT r{10, 5, 120, 35};
  DrawTextA(canvas.dc(), text.c_str(), -1, &r, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(canvas.InkBox().right, 200);
  for (UINT mode : {DT_END_ELLIPSIS, DT_WORD_ELLIPSIS, DT_PATH_ELLIPSIS}) {
    canvas.Clear();
    DrawTextA(canvas.dc(), text.c_str(), -1, &r, DT_SINGLELINE | DT_NOCLIP | mode);
    const RECT ink = canvas.InkBox();
    EXPECT_LE(ink.right, 120) << mode;
    EXPECT_GT(ink.right, 120 - 3 * dots.cx) << mode;
    RECT calc = r;
    DrawTextA(canvas.dc(), text.c_str(), -1, &calc, DT_SINGLELINE | DT_CALCRECT | mode);
    EXPECT_LE(calc.right, 120) << mode;
  }
  // A path keeps its file name.
  canvas.Clear();
  const std::string path = "/home/user/labels/warehouse/shelf.lbl";
  const SIZE name = Extent(canvas.dc(), "/shelf.lbl");
  RECT pr{10, 5, 10 + name.cx + 2 * dots.cx + 20, 35};
  DrawTextA(canvas.dc(), path.c_str(), -1, &pr, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_CALCRECT);
  EXPECT_LE(pr.right - pr.left, name.cx + 2 * dots.cx + 20);
  EXPECT_GE(pr.right - pr.left, name.cx + dots.cx);
  // Text that fits is left alone.
  RECT wide{0, 0, 400, 20};
  DrawTextA(canvas.dc(), "short", -1, &wide, DT_SINGLELINE | DT_CALCRECT | DT_END_ELLIPSIS);
  EXPECT_EQ(wide.right, Extent(canvas.dc(), "short").cx);
}

TEST(Text, DrawTextPrefixesAlignmentAndTabs) {
  Canvas canvas(300, 60);
  FontScope f(canvas.dc(), -16, "Arial");
  TEXTMETRICA tm{};
  GetTextMetricsA(canvas.dc(), &tm);
  RECT r{0, 0, 300, 0};
  DrawTextA(canvas.dc(), "&File", -1, &r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.right, Extent(canvas.dc(), "File").cx);
  r = {0, 0, 300, 0};
  DrawTextA(canvas.dc(), "&File", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(r.right, Extent(canvas.dc(), "&File").cx);
  r = {0, 0, 300, 0};
  DrawTextA(canvas.dc(), "a&&b", -1, &r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.right, Extent(canvas.dc(), "a&b").cx);
  r = {0, 0, 300, 0};
  DrawTextA(canvas.dc(), "a\tb", -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_EQ(r.right, 8 * tm.tmAveCharWidth + Extent(canvas.dc(), "b").cx);
  r = {0, 0, 300, 0};
  DRAWTEXTPARAMS params{sizeof(DRAWTEXTPARAMS), 4, 0, 0, 0};
  char tabbed[] = "a\tb";
  DrawTextExA(canvas.dc(), tabbed, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS, &params);
  EXPECT_EQ(r.right, 4 * tm.tmAveCharWidth + Extent(canvas.dc(), "b").cx);
  EXPECT_EQ(params.uiLengthDrawn, 3u);
  // DT_TABSTOP takes the tab length from bits 8 to 15 when drawing.
  RECT drawn{0, 0, 300, 40};
  DrawTextA(canvas.dc(), "a\tb", -1, &drawn, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4 << 8));
  const LONG tabbedRight = canvas.InkBox().right;
  canvas.Clear();
  TextOutA(canvas.dc(), 4 * tm.tmAveCharWidth, 0, "b", 1);
  EXPECT_EQ(tabbedRight, canvas.InkBox().right);
  canvas.Clear();

  // The mnemonic is underlined: more ink below the baseline than without it.
  RECT box{10, 10, 290, 50};
  DrawTextA(canvas.dc(), "&File", -1, &box, DT_SINGLELINE);
  const RECT underlined = canvas.InkBox();
  canvas.Clear();
  DrawTextA(canvas.dc(), "&File", -1, &box, DT_SINGLELINE | DT_HIDEPREFIX);
  EXPECT_GT(underlined.bottom, canvas.InkBox().bottom);

  // Alignment: right-aligned ink ends at the right edge, centred ink sits in the middle.
  canvas.Clear();
  DrawTextA(canvas.dc(), "Mid", -1, &box, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
  EXPECT_LE(canvas.InkBox().right, 290);
  EXPECT_GE(canvas.InkBox().right, 290 - 3);
  EXPECT_LE(canvas.InkBox().bottom, 50);
  canvas.Clear();
  DrawTextA(canvas.dc(), "Mid", -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  const RECT c = canvas.InkBox();
  EXPECT_NEAR((c.left + c.right) / 2, 150, 3);
  EXPECT_NEAR((c.top + c.bottom) / 2, 30, 4);
}

TEST(Text, ExtentExFitsAndCharWidths) {
  Canvas canvas(10, 10);
  FontScope f(canvas.dc(), -20, "Courier New");
  INT widths[3] = {};
  ASSERT_TRUE(GetCharWidthA(canvas.dc(), 'a', 'c', widths));
  EXPECT_EQ(widths[0], widths[1]);
  EXPECT_EQ(widths[1], widths[2]);
  int fit = 0;
  INT dx[10] = {};
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPointA(canvas.dc(), "abcdefghij", 10, widths[0] * 4 + 1, &fit, dx, &size));
  EXPECT_EQ(fit, 4);
  EXPECT_EQ(dx[0], widths[0]);
  EXPECT_EQ(dx[9], size.cx);
  EXPECT_EQ(size.cx, 10 * widths[0]);
}

TEST(Text, AbcWidthsAddUpToTheAdvance) {
  Canvas canvas(10, 10);
  FontScope f(canvas.dc(), -40, "Arial");
  ABC abc[3] = {};
  INT widths[3] = {};
  ASSERT_TRUE(GetCharABCWidthsA(canvas.dc(), 'W', 'Y', abc));
  ASSERT_TRUE(GetCharWidth32A(canvas.dc(), 'W', 'Y', widths));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(abc[i].abcA + static_cast<int>(abc[i].abcB) + abc[i].abcC, widths[i]);
    EXPECT_GT(abc[i].abcB, 20u);
  }
}

// A glyph's black box holds every pixel TextOut inks for it, at the pen on
// the baseline, and no more than the pixels' own box; its cell advances by
// the character's extent.
TEST(Text, GlyphMetricsBoxTheDrawnInk) {
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  struct Font {
    const char* face;
    int height;
    BYTE quality;
  };
  const Font fonts[] = {{"Arial", -40, NONANTIALIASED_QUALITY},
                        {"Arial", 70, ANTIALIASED_QUALITY},
                        {"DejaVu Serif", -33, ANTIALIASED_QUALITY}};
  for (const Font& font : fonts) {
    Canvas canvas(200, 140);
    FontScope f(canvas.dc(), font.height, font.face, 0, DEFAULT_CHARSET, font.quality);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
    for (char c : std::string("Wjfa6 \xe9")) {
      const std::string what = std::string(font.face) + " " + std::to_string(font.height) + " '" + c + "'";
      GLYPHMETRICS gm{};
      ASSERT_NE(GetGlyphOutlineA(canvas.dc(), static_cast<unsigned char>(c), GGO_METRICS, &gm, 0, nullptr, &identity),
                GDI_ERROR) << what;
      EXPECT_EQ(gm.gmCellIncX, Extent(canvas.dc(), std::string(1, c)).cx) << what;
      EXPECT_EQ(gm.gmCellIncY, 0) << what;
      canvas.Clear();
      TextOutA(canvas.dc(), 50, 20, &c, 1);
      const RECT ink = canvas.InkBox();
      if (c == ' ') {
        EXPECT_EQ(canvas.Inked(), 0) << what;
        EXPECT_LE(gm.gmBlackBoxX * gm.gmBlackBoxY, 1u) << what;  // an empty pixel at most
        continue;
      }
      const LONG left = 50 + gm.gmptGlyphOrigin.x, top = 20 + tm.tmAscent - gm.gmptGlyphOrigin.y;
      const LONG right = left + static_cast<LONG>(gm.gmBlackBoxX), bottom = top + static_cast<LONG>(gm.gmBlackBoxY);
      EXPECT_GE(ink.left, left) << what;
      EXPECT_GE(ink.top, top) << what;
      EXPECT_LE(ink.right, right) << what;
      EXPECT_LE(ink.bottom, bottom) << what;
      // Rounded out to whole pixels at most.
      EXPECT_LE(ink.left - left + right - ink.right + ink.top - top + bottom - ink.bottom, 4) << what;
    }
  }
}

// Only the metrics under the identity are offered: bitmaps, outlines and
// transformed glyphs are refused, as is a missing matrix.
TEST(Text, GlyphOutlineRefusesWhatItDoesNotOffer) {
  Canvas canvas(10, 10);
  FontScope f(canvas.dc(), -20, "Arial");
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  const MAT2 doubled{{0, 2}, {0, 0}, {0, 0}, {0, 2}};
  GLYPHMETRICS gm{};
  std::vector<BYTE> buffer(4096);
  EXPECT_NE(GetGlyphOutlineW(canvas.dc(), u'A', GGO_METRICS, &gm, 0, nullptr, &identity), GDI_ERROR);
  EXPECT_GT(gm.gmBlackBoxX, 0u);
  for (UINT format : {GGO_BITMAP, GGO_NATIVE, GGO_GRAY8_BITMAP, GGO_METRICS | GGO_GLYPH_INDEX})
    EXPECT_EQ(GetGlyphOutlineW(canvas.dc(), u'A', format, &gm, 4096, buffer.data(), &identity), GDI_ERROR) << format;
  EXPECT_EQ(GetGlyphOutlineW(canvas.dc(), u'A', GGO_METRICS, &gm, 0, nullptr, &doubled), GDI_ERROR);
  EXPECT_EQ(GetGlyphOutlineW(canvas.dc(), u'A', GGO_METRICS, &gm, 0, nullptr, nullptr), GDI_ERROR);
  EXPECT_EQ(GetGlyphOutlineA(nullptr, 'A', GGO_METRICS, &gm, 0, nullptr, &identity), GDI_ERROR);
}

TEST(Text, EnumerationListsInstalledAndStandInFamilies) {
  Canvas canvas(8, 8);
  struct Seen {
    std::vector<std::string> faces;
    std::vector<BYTE> charsets;
    bool allTrueType = true;
  } seen;
  LOGFONTA filter{};
  filter.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(
      canvas.dc(), &filter,
      [](const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM param) {
        auto* s = reinterpret_cast<Seen*>(param);
        s->faces.emplace_back(lf->lfFaceName);
        s->charsets.push_back(lf->lfCharSet);
        s->allTrueType = s->allTrueType && type == TRUETYPE_FONTTYPE;
        return 1;
      },
      reinterpret_cast<LPARAM>(&seen), 0);
  auto has = [&](const char* face) { return std::find(seen.faces.begin(), seen.faces.end(), face) != seen.faces.end(); };
  EXPECT_TRUE(has("Arial"));
  EXPECT_TRUE(has("Liberation Sans"));
  EXPECT_TRUE(has("DejaVu Sans"));
  EXPECT_TRUE(seen.allTrueType);
  EXPECT_NE(std::find(seen.charsets.begin(), seen.charsets.end(), GB2312_CHARSET), seen.charsets.end());

  // One character set only: the Chinese faces, and a callback answer of 0 stops.
  int count = 0;
  filter.lfCharSet = GB2312_CHARSET;
  EXPECT_EQ(EnumFontFamiliesExA(
                canvas.dc(), &filter,
                [](const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD, LPARAM param) {
                  ++*reinterpret_cast<int*>(param);
                  EXPECT_EQ(lf->lfCharSet, GB2312_CHARSET);
                  EXPECT_STREQ(reinterpret_cast<const char*>(reinterpret_cast<const ENUMLOGFONTEXA*>(lf)->elfScript),
                               "CHINESE_GB2312");
                  EXPECT_GT(tm->tmHeight, 0);
                  return 0;
                },
                reinterpret_cast<LPARAM>(&count), 0),
            0);
  EXPECT_EQ(count, 1);
}

TEST(Text, ThreadsShareOneFontObject) {
  HFONT font = CreateFontA(-18, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  auto draw = [font](std::vector<BYTE>* pixels, SIZE* size) {
    Canvas canvas(240, 40);
    HGDIOBJ old = SelectObject(canvas.dc(), font);
    for (int i = 0; i < 20; ++i) {
      canvas.Clear();
      TextOutA(canvas.dc(), 4, 4, "Shared font, many threads", 25);
      GetTextExtentPoint32A(canvas.dc(), "Shared font, many threads", 25, size);
    }
    *pixels = canvas.Snapshot();
    SelectObject(canvas.dc(), old);
  };
  std::vector<BYTE> expected;
  SIZE expectedSize{};
  draw(&expected, &expectedSize);
  std::vector<std::vector<BYTE>> results(4);
  std::vector<SIZE> sizes(4);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) threads.emplace_back(draw, &results[t], &sizes[t]);
  for (auto& th : threads) th.join();
  for (int t = 0; t < 4; ++t) {
    EXPECT_TRUE(results[t] == expected);
    EXPECT_EQ(sizes[t].cx, expectedSize.cx);
  }
  DeleteObject(font);
}

TEST(MulDiv, RoundsAndReportsOverflow) {
  struct Case {
    int number, numerator, denominator, expected;
  };
  for (const Case c : {Case{10, 96, 72, 13}, Case{5, 1, 2, 3}, Case{-5, 1, 2, -3}, Case{7, 3, -2, -11},
                       Case{1, 1, 0, -1}, Case{INT_MAX, 2, 1, -1}, Case{INT_MAX, INT_MAX, INT_MAX, INT_MAX},
                       Case{-INT_MAX, 2, 2, -INT_MAX}, Case{0, 5, 3, 0}, Case{4, 1, 3, 1}}) {
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
        << c.number << " * " << c.numerator << " / " << c.denominator;
  }
}

}  // namespace
