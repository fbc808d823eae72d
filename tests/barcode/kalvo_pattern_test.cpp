// Symbologies no decoder here reads (Plessey, MSI, POSTNET), checked against
// element patterns worked out by hand, and the frame's geometry rules, all read
// back from the bitmap's rows.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;

using kalvo_test::Grey;
using kalvo_test::Request;
using Runs = std::vector<std::pair<int, int>>;

// Dark runs of an element text ('n' narrow, 'w' wide; bar first) from x.
Runs RunsOfElements(const std::string& elements, int x, int narrow, int wide) {
  Runs runs;
  bool bar = true;
  for (char e : elements) {
    const int w = e == 'w' ? wide : narrow;
    if (bar) runs.emplace_back(x, w);
    x += w;
    bar = !bar;
  }
  return runs;
}

Grey Draw(Request& r) {
  EXPECT_EQ(kvoBCode(0, &r.code, 0), 0);
  return kalvo_test::TakeBitmap(r.code);
}

struct HandCase {
  const char* name;
  kalvo::Symbology type;
  const char* data;
  const char* elements;  // worked out by hand: start, digits with the check digit, stop
  int wideModules;
};

class HandWorked : public testing::TestWithParam<HandCase> {};

TEST_P(HandWorked, BarsMatchThePattern) {
  const HandCase& c = GetParam();
  Request r(c.type, 0, c.data);
  r.code.narrowWidth = 2;
  r.code.textPosition = 0;
  r.code.barHeight = 40;
  const Grey grey = Draw(r);
  const std::string elements = c.elements;
  const int digits = static_cast<int>(std::strlen(c.data)) + 1;
  EXPECT_EQ(r.code.width, 3 * 2 + 2 * (2 * c.wideModules) + 4 * digits * (2 * c.wideModules + 2));
  EXPECT_EQ(grey.DarkRuns(20), RunsOfElements(elements, 0, 2, 2 * c.wideModules));
  EXPECT_EQ(r.Text(), c.data);
}

INSTANTIATE_TEST_SUITE_P(
    Kalvo, HandWorked,
    testing::Values(
        // 1234, check 4: odd places 4 2 -> 24 x 2 = 48 -> 4 + 8 = 12, + 3 + 1 = 16.
        HandCase{"Plessey1234", S::Plessey, "1234",
                 "wn" "nwnwnwwn" "nwnwwnnw" "nwnwwnwn" "nwwnnwnw" "nwwnnwnw" "nwn", 3},
        HandCase{"Msi1234", S::Msi, "1234",
                 "wn" "nwnwnwwn" "nwnwwnnw" "nwnwwnwn" "nwwnnwnw" "nwwnnwnw" "nwn", 2},
        // 1234567, check 4: odd places 7 5 3 1 -> 1357 x 2 = 2714 -> 14, + 6 + 4 + 2 = 26.
        HandCase{"Msi1234567", S::Msi, "1234567",
                 "wn" "nwnwnwwn" "nwnwwnnw" "nwnwwnwn" "nwwnnwnw" "nwwnnwwn" "nwwnwnnw" "nwwnwnwn" "nwwnnwnw"
                 "nwn",
                 2},
        // 0, check 0.
        HandCase{"Plessey0", S::Plessey, "0", "wn" "nwnwnwnw" "nwnwnwnw" "nwn", 3}),
    [](const testing::TestParamInfo<HandCase>& info) { return std::string(info.param.name); });

TEST(KalvoPostnet, BarsFollowTheResolution) {
  Request r(S::Postnet, 0, "12345");
  r.code.resolution = 300;
  r.code.narrowWidth = 9;
  const Grey grey = Draw(r);
  EXPECT_EQ(r.code.width, 440);
  EXPECT_EQ(r.code.height, 38);
  EXPECT_EQ(r.code.barHeight, 38);
  EXPECT_EQ(r.code.textGap, 0);
  EXPECT_EQ(r.code.textHeight, 0);
  ASSERT_EQ(grey.width, 440);
  ASSERT_EQ(grey.height, 38);
  // Frame bar, 1 2 3 4 5 and the check digit 5 (1+2+3+4+5 = 15), frame bar.
  const std::string heights = std::string("1") + "00011" "00101" "00110" "01001" "01010" "01010" + "1";
  Runs bottom;
  Runs top;
  for (size_t i = 0; i < heights.size(); ++i) {
    bottom.emplace_back(static_cast<int>(i) * 14, 6);
    if (heights[i] == '1') top.emplace_back(static_cast<int>(i) * 14, 6);
  }
  EXPECT_EQ(grey.DarkRuns(37), bottom);
  EXPECT_EQ(grey.DarkRuns(38 - 15), bottom);
  EXPECT_EQ(grey.DarkRuns(38 - 16), top);
  EXPECT_EQ(grey.DarkRuns(0), top);
  EXPECT_EQ(r.code.hrText[0], 0);
}

TEST(KalvoPostnet, NothingWithoutResolution) {
  Request r(S::Postnet, 0, "12345");
  r.code.resolution = 0;
  EXPECT_EQ(kvoBCode(0, &r.code, 0), 0);
  EXPECT_EQ(r.code.bitmap, nullptr);
  EXPECT_EQ(r.code.width, 0);
}

TEST(KalvoFrame, PadsTheBitmapToAMultipleOf8) {
  struct Case { kalvo::Symbology type; int subType; std::string data; int width, bitmapWidth; };
  for (const Case& c : std::vector<Case>{
           // Interleaved 2 of 5 "12" with N = 1, W = 2: 2 + 7 x 2 + 6 = 22 dots -> 24 wide.
           {S::Interleaved2of5, 0, "12", 22, 24},
           // Code 128 start B, six characters and the check: 11 x 8 + 13 = 101 modules -> 104.
           {S::Code128, 2, "abcdef", 101, 104}}) {
    Request r(c.type, c.subType, c.data);
    r.code.narrowWidth = 1;
    r.code.textPosition = 0;
    const Grey grey = Draw(r);
    EXPECT_EQ(r.code.width, c.width) << c.data;
    EXPECT_EQ(grey.width, c.bitmapWidth) << c.data;
    EXPECT_EQ(r.code.padRight, c.bitmapWidth - c.width) << c.data;
    EXPECT_EQ(r.code.padRightTarget, c.bitmapWidth - c.width) << c.data;
  }
}

TEST(KalvoFrame, TargetResolutionScalesEveryEdgeAndIgnoresShrink) {
  Request same(S::Code39, 0, "A");
  same.code.narrowWidth = 2;
  same.code.textPosition = 0;
  same.code.barHeight = 20;
  same.code.resolution = 300;
  const Grey base = Draw(same);

  Request shrunk(S::Code39, 0, "A");
  shrunk.code.narrowWidth = 2;
  shrunk.code.textPosition = 0;
  shrunk.code.barHeight = 20;
  shrunk.code.resolution = 300;
  shrunk.code.barShrink = 1;
  const Grey narrower = Draw(shrunk);
  Runs expectShrunk;
  for (auto [x, w] : base.DarkRuns(10)) expectShrunk.emplace_back(x, w - 1);
  EXPECT_EQ(narrower.DarkRuns(10), expectShrunk);

  Request scaled(S::Code39, 0, "A");
  scaled.code.narrowWidth = 2;
  scaled.code.textPosition = 0;
  scaled.code.barHeight = 20;
  scaled.code.resolution = 300;
  scaled.code.targetResolution = 600;
  scaled.code.barShrink = 1;
  const Grey doubled = Draw(scaled);
  EXPECT_EQ(scaled.code.width, same.code.width);
  EXPECT_EQ(doubled.height, 40);
  EXPECT_EQ(doubled.width, (2 * same.code.width + 7) / 8 * 8);
  EXPECT_EQ(scaled.code.padRightTarget, doubled.width - 2 * same.code.width);
  Runs expectDoubled;
  for (auto [x, w] : base.DarkRuns(10)) expectDoubled.emplace_back(2 * x, 2 * w);
  EXPECT_EQ(doubled.DarkRuns(20), expectDoubled);
}

TEST(KalvoFrame, MeasuringLeavesNoBitmap) {
  Request r(S::Ean13, 0, "400638133393");
  r.code.textPosition = 0;
  r.code.narrowWidth = 3;
  ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
  EXPECT_EQ(r.code.bitmap, nullptr);
  EXPECT_EQ(r.code.width, 95 * 3);
  EXPECT_EQ(r.code.height, 100);
  EXPECT_EQ(r.code.textLeft, 0);
  EXPECT_EQ(r.code.threeModules, 9);
}

TEST(KalvoFrame, BarsAndBackgroundTakeTheRequestsColours) {
  Request r(S::Code128, 0, "AB");
  r.code.textPosition = 0;
  r.code.narrowWidth = 2;
  r.code.barColor = RGB(0, 0, 200);
  r.code.backColor = RGB(0, 220, 0);
  ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, r.code.bitmap);
  EXPECT_EQ(GetPixel(dc, 0, 5), RGB(0, 0, 200));
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 220, 0));
  EXPECT_EQ(GetPixel(dc, r.code.width + 1, 5), RGB(0, 220, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(r.code.bitmap);
}

TEST(KalvoGeometry, SymbologyWidths) {
  struct WidthCase {
    kalvo::Symbology type;
    int subType;
    const char* data;
    int modules;  // width in modules at N = 1, ratio 200 (W = 2)
  };
  const std::vector<WidthCase> cases = {
      {S::Code39, 1, "ABC", 6 * 13},                   // *ABCX*: 6 x (3W + 7N)
      {S::Code93, 0, "TEST93", 91},                    // (9 x 8 + 19)
      {S::Codabar, 0, "1234", 4 * 9 + 2 * 10 + 5},      // A and B 3W + 4N, digits 2W + 5N, 5 gaps
      {S::Code128, 0, "12345678", 11 * 6 + 13},         // start, 4 pairs, check
      {S::Code128, 0, "abc", 11 * 5 + 13},
      {S::Code128, 0, "AB12", 11 * 6 + 13},             // start B, A, B, to C, 12, check
      {S::Ucc128, 0, "1234567", 11 * 7 + 13},         // start C, FNC1, 01 23 45 67, check
      {S::Ean8, 0, "9638507", 67},
      {S::Ean13, 2, "97803064061575995", 95 + 7 + 47},
      {S::UpcE, 0, "123456", 51},
      {S::Interleaved2of5, 0, "12345", 2 + 7 * 6 + 6},
      {S::Msi, 0, "1234", 3 + 4 + 4 * 5 * 3},
      {S::Plessey, 0, "1234", 3 + 6 + 4 * 5 * 4},
  };
  for (const WidthCase& c : cases) {
    Request r(c.type, c.subType, c.data);
    r.code.narrowWidth = 1;
    r.code.textPosition = 0;
    ASSERT_EQ(kvoBCode(0, &r.code, 1), 0) << c.type << " " << c.data;
    EXPECT_EQ(r.code.width, c.modules) << c.type << " " << c.data;
  }
}

TEST(KalvoGeometry, Code39QuietZonesAreTenModules) {
  // *ABC* at N = 2, W = 4: 5 x (3W + 7N) = 130 dots, the last 2 the gap
  // after the stop character.
  struct Case { int asked; int quiet; };
  for (const Case& c : std::vector<Case>{{0, 0}, {1, 20}}) {
    Request r(S::Code39, 0, "ABC");
    r.code.narrowWidth = 2;
    r.code.textPosition = 0;
    r.code.quietZone = c.asked;
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
    EXPECT_EQ(r.code.quietZone, c.quiet);
    EXPECT_EQ(r.code.width, 130 + 2 * c.quiet);
    const Grey grey = kalvo_test::TakeBitmap(r.code);
    const Runs runs = grey.DarkRuns(0);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs.front().first, c.quiet);
    EXPECT_EQ(runs.back().first + runs.back().second, 128 + c.quiet);
  }
}

TEST(KalvoGeometry, SupplementSitsSevenModulesRight) {
  Request r(S::Ean13, 2, "97803064061575995");
  r.code.narrowWidth = 2;
  r.code.textPosition = 0;
  ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
  EXPECT_EQ(r.code.suppGap, 14);
  EXPECT_EQ(r.code.suppX, (95 + 7) * 2);
  EXPECT_EQ(r.code.suppWidth, 47 * 2);
  EXPECT_EQ(r.code.suppBarHeight, r.code.barHeight);
  EXPECT_EQ(r.code.width, r.code.suppX + r.code.suppWidth);
}

TEST(KalvoGeometry, Itf14BearersUseTheModuleInDots) {
  Request r(S::Itf14, 0, "1234567890123");
  r.code.deviceUnits = 0;
  r.code.resolution = 300;
  r.code.narrowWidth = 10;  // 3 dots
  r.code.itfBearerFactor = 3;
  r.code.itfQuietFactor = 10;
  r.code.textPosition = 0;
  r.code.barHeight = 60;
  const Grey grey = Draw(r);
  EXPECT_EQ(r.code.bearerWidth, 9);
  EXPECT_EQ(r.code.quietZone, 30 + 9);
  EXPECT_EQ(r.code.textLeft, 39);
  EXPECT_EQ(r.code.barHeight, 60 + 18);
  const int symbol = 6 + 14 * (9 + 12) + 18;  // W + (3N + 2W) x 14 + 6N
  EXPECT_EQ(r.code.width, symbol + 2 * 39);
  // Top bearer across the whole width, side bearers 9 dots at both edges.
  EXPECT_EQ(grey.DarkRuns(4), (Runs{{0, r.code.width}}));
  const Runs middle = grey.DarkRuns(39);
  ASSERT_GE(middle.size(), 3u);
  EXPECT_EQ(middle.front(), (std::pair<int, int>{0, 9}));
  EXPECT_EQ(middle.back(), (std::pair<int, int>{r.code.width - 9, 9}));
  EXPECT_EQ(middle[1].first, 39);
}

}  // namespace
