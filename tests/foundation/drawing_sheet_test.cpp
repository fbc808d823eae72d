// Draws a sheet of what the drawing helpers make (turned shape fields, dashed
// outlines, label shapes, dimension marks, text in several fonts and angles)
// and saves it as drawing_sheet.png in the build folder for a person to look
// at; the checks here are coarse (ink where each item belongs).
#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/gdi/gdi_owners.h"
#include "foundation/gdi_helpers/marks.h"
#include "foundation/gdi_helpers/shapes.h"
#include "foundation/gdi_helpers/text_draw.h"
#include "foundation/system/font_helpers.h"
#include "foundation/uifonts/mbcs_text.h"
#include "foundation/uifonts/ui_fonts.h"
#include "tests/foundation/gdi_helpers_test_util.h"

namespace {

constexpr COLORREF kBlue = RGB(30, 60, 200);
constexpr COLORREF kRed = RGB(200, 30, 30);
constexpr COLORREF kGreen = RGB(20, 140, 60);
constexpr COLORREF kYellow = RGB(250, 220, 90);
constexpr COLORREF kLabel = RGB(255, 248, 225);

// Ink (anything not white) inside a rectangle.
int InkIn(const TestCanvas& c, const RECT& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += !c.IsWhite(x, y);
  return n;
}

RECT InkBounds(const TestCanvas& c, const RECT& r) {
  RECT b{r.right, r.bottom, r.left, r.top};
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (!c.IsWhite(x, y)) {
        b.left = std::min<LONG>(b.left, x), b.top = std::min<LONG>(b.top, y);
        b.right = std::max<LONG>(b.right, x + 1), b.bottom = std::max<LONG>(b.bottom, y + 1);
      }
  return b;
}

TEST(DrawingSheet, WritesAPictureOfTheHelpers) {
  TestCanvas sheet(960, 640);
  HDC dc = sheet.dc();
  ASSERT_EQ(CreateUiFonts(true), 1);

  // Row 1: shape fields turned by 0, 30, 60 and 90 degrees, with dashed,
  // dotted and dash-dot borders; one hatched.
  const struct {
    bool roundRect;
    int angle, style;
    bool hatched, roundEnds;
  } shapes[] = {{false, 0, 1, false, false}, {true, 30000, 2, false, true}, {false, 60000, 3, false, false},
                {true, 90000, 0, false, false}, {true, 15000, 1, true, false}, {false, 120000, 4, false, true}};
  for (int i = 0; i < 6; ++i) {
    const auto& s = shapes[i];
    DrawEllipseOrRoundRect(dc, 80 + i * 150, 80, 60, 30, s.roundRect, s.angle, true, kYellow, 12, 4, s.style, kBlue,
                           s.roundEnds, s.hatched);
  }

  // Row 2: dashed outlines of every style as ellipses, rounded rectangles and lines.
  for (int style = 1; style <= 5; ++style) {
    const int x = 20 + (style - 1) * 185;
    StrokeEllipsePath(dc, {x, 170, x + 160, 230}, 3, style, kRed, style % 2 == 0);
    StrokeRoundRectPath(dc, {x, 245, x + 160, 305}, 24, 3, style + 5, kGreen, false);
    StrokeLinePath(dc, x, 320, x + 160, 345, style, 4, kBlue, true);
  }

  // Row 3: label shapes and dimension marks.
  UniqueBrush background(CreateSolidBrush(RGB(225, 225, 225)));
  const HBRUSH bg = static_cast<HBRUSH>(background.get());
  DrawLabelShape(dc, {20, 370, 200, 470}, kLabelRectangle, 0, true, 30, false, kLabel, bg);
  DrawLabelShape(dc, {220, 370, 400, 470}, kLabelEllipse, 0, false, 0, true, kLabel, bg);
  DrawLabelShape(dc, {420, 370, 600, 470}, 3, 16, true, 24, true, kLabel, bg);
  DrawHorzDimension(dc, 630, 800, 380, 400, 8, kRed);
  DrawVertDimension(dc, 420, 470, 820, 840, 8, kRed);
  DrawHorzDimension(dc, 900, 915, 380, 400, 6, kGreen);

  // Row 4: text in several fonts and angles.
  const struct {
    const char* face;
    int height, weight, angle;
    bool italic;
  } fonts[] = {{"Arial", 22, FW_NORMAL, 0, false},      {"Times New Roman", 24, FW_BOLD, 0, true},
               {"Courier New", 20, FW_NORMAL, 0, false}, {"Arial", 18, FW_NORMAL, 450, false},
               {"Arial", 18, FW_BOLD, 900, false},       {"Times New Roman", 20, FW_NORMAL, 1800, false}};
  const POINT at[] = {{20, 500}, {20, 530}, {20, 565}, {330, 600}, {480, 630}, {950, 635}};
  for (int i = 0; i < 6; ++i) {
    const auto& f = fonts[i];
    HFONT font = NewFont(-f.height, 0, f.face, true, f.weight, ANSI_CHARSET, f.angle);
    LOGFONT lf{};
    GetObject(font, sizeof lf, &lf);
    lf.lfItalic = f.italic;
    lf.lfWidth = 0;
    DeleteObject(font);
    font = CreateFontIndirect(&lf);
    DrawTextTransparent(dc, at[i].x, at[i].y, f.face, font, i % 2 ? kBlue : RGB(0, 0, 0));
    DeleteObject(font);
  }
  DrawTextMbcs(dc, 560, 500, "GB \xD6\xD0\xCE\xC4\xB1\xEA\xC7\xA9 Big5 ", 40, 16, nullptr, true, kFontGb, true, false);
  DrawTextMbcs(dc, 560, 525, "\xA4\xA4\xA4\xE5\xBC\xD0\xC5\xD2", 40, 16, nullptr, true, kFontBig5, false, false);
  DrawTextCentered(dc, AString("Centred in the interface font"), {560, 545, 940, 570}, 0, false);
  DrawTextCentered(dc, AString("Dimmed"), {560, 565, 940, 590}, 0, true);

  const std::string png = sheet.SavePng("drawing_sheet");
  ASSERT_FALSE(png.empty());
  std::ifstream in(png, std::ios::binary);
  char signature[8] = {};
  in.read(signature, 8);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
  std::printf("drawing sheet: %s\n", png.c_str());

  // Every item left ink where it belongs.
  for (int i = 0; i < 6; ++i) EXPECT_GT(InkIn(sheet, {10 + i * 150, 20, 150 + i * 150, 150}), 500) << "shape " << i;
  for (int style = 1; style <= 5; ++style) {
    const int x = 20 + (style - 1) * 185;
    EXPECT_GT(InkIn(sheet, {x, 170, x + 161, 231}), 100) << "ellipse " << style;
    EXPECT_GT(InkIn(sheet, {x, 245, x + 161, 306}), 100) << "round rect " << style;
  }
  EXPECT_EQ(sheet.At(40, 390), kLabel);                 // the label
  EXPECT_EQ(sheet.At(110, 420), RGB(225, 225, 225));    // its hole
  // Text turned by 90 degrees runs upwards: its ink is taller than wide.
  const RECT up = InkBounds(sheet, {470, 480, 520, 640});
  EXPECT_GT(up.bottom - up.top, 2 * (up.right - up.left));
  // The Chinese characters were drawn.
  EXPECT_GT(InkIn(sheet, {590, 495, 700, 520}), 100);
  DeleteUiFonts(true);
}

}  // namespace
