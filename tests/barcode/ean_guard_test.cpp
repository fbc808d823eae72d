// EAN-8, EAN-13, UPC-A and UPC-E with and without supplements, at several
// text sizes: every guard bar keeps its full length down into the text row,
// and every digit stays inside its own rectangle (left of the start guard,
// between the guards, right of the end guard, over the supplement), so no
// digit paints over a bar or over another digit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/barcode/kalvo_request.h"
#include "platform/testing/png_writer.h"
#include "tests/barcode/dib_pixels.h"

namespace {

using S = kalvo::Symbology;
using kalvo_test::Request;

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;  // 0x00RRGGBB, top row first
  uint32_t At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
  bool Black(int x, int y) const { return At(x, y) == 0; }
  // Anything the text put there: its colour, its background, or a blend.
  bool Ink(int x, int y) const { return At(x, y) != 0 && At(x, y) != 0xFFFFFF; }
};

Pixels TakePixels(CBCode& code) {
  Pixels p;
  BITMAP info{};
  GetObjectA(code.bitmap, sizeof info, &info);
  p.width = info.bmWidth;
  p.height = info.bmHeight;
  p.rgb = kalvotest::DibPixels(code.bitmap, p.width, p.height);
  DeleteObject(code.bitmap);
  code.bitmap = nullptr;
  return p;
}

struct Symbol {
  const char* name;
  S type;
  int subType;
  const char* data;
};

struct TextSize {
  const char* name;
  int module, barHeight, textGap, textHeight;
};

const Symbol kSymbols[] = {
    {"Ean8", S::Ean8, 0, "9638507"},          {"Ean8Plus2", S::Ean8, 1, "963850712"},
    {"Ean8Plus5", S::Ean8, 2, "963850712345"}, {"Ean13", S::Ean13, 0, "400638133393"},
    {"Ean13Plus2", S::Ean13, 1, "40063813339399"}, {"Ean13Plus5", S::Ean13, 2, "97803064061575995"},
    {"UpcA", S::UpcA, 0, "03600029145"},       {"UpcAPlus2", S::UpcA, 1, "0360002914504"},
    {"UpcAPlus5", S::UpcA, 2, "0360002914590000"}, {"UpcE", S::UpcE, 0, "123456"},
    {"UpcEPlus2", S::UpcE, 1, "12345612"},     {"UpcEPlus5", S::UpcE, 2, "12345654321"},
};

const TextSize kSizes[] = {
    {"Module2Text24", 2, 100, 4, 24},   // the sizes of the reported UPC-A case
    {"RecordDefaults", 1, 100, 30, 70},  // the request record's own defaults
    {"Module3Text40", 3, 150, 10, 40},
    {"Module1Text12", 1, 60, 2, 12},
};

// x ranges [from, to) in bitmap pixels.
struct Span {
  int from, to;
  bool Holds(int x) const { return x >= from && x < to; }
};

class EanGuards : public testing::TestWithParam<std::tuple<Symbol, TextSize>> {};

TEST_P(EanGuards, KeepTheirLengthAndTheDigitsStayInTheirRectangles) {
  const auto& [symbol, size] = GetParam();
  Request r(symbol.type, symbol.subType, symbol.data);
  r.code.narrowWidth = static_cast<uint16_t>(size.module);
  r.code.barHeight = size.barHeight;
  r.code.textGap = size.textGap;
  r.code.textHeight = size.textHeight;
  r.code.textColor = 0x0000FF;      // red
  r.code.textBackColor = 0xFFFF00;  // cyan: an opaque text background shows
  ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
  const CBCode& c = r.code;
  const int X = size.module;
  const int x0 = c.textLeft;
  const bool upcE = symbol.type == S::UpcE;
  const int digitsPerHalf = symbol.type == S::Ean8 ? 4 : 6;
  const int n = upcE ? 6 : 2 * digitsPerHalf;
  const Pixels p = TakePixels(r.code);
  ASSERT_EQ(p.height, c.barHeight + c.textGap + c.textHeight);

  // The guard bars, in modules from the start guard.
  std::vector<int> guards = {0, 2};
  if (upcE) {
    for (int m : {1, 3, 5}) guards.push_back(3 + 7 * 6 + m);
  } else {
    for (int m : {1, 3}) guards.push_back(3 + 7 * digitsPerHalf + m);
    for (int m : {0, 2}) guards.push_back(3 + 7 * n + 5 + m);
  }
  const int guardHeight = c.barHeight + c.guardExtra;
  EXPECT_EQ(c.guardExtra, (c.textGap + c.textHeight) / 2);
  for (int g : guards) {
    const int x = x0 + g * X + X / 2;
    int y = 0;
    while (y < p.height && p.Black(x, y)) ++y;
    EXPECT_EQ(y, guardHeight) << "guard at module " << g;
    for (; y < p.height; ++y) EXPECT_FALSE(p.Ink(x, y)) << "guard at module " << g << ", y " << y;
  }

  // The digit rectangles of the text row, and the supplement's above its bars.
  std::vector<Span> boxes;
  const int leftEnd = x0 + (upcE ? 3 + 7 * 6 : 3 + 7 * digitsPerHalf) * X;
  boxes.push_back({x0 + 3 * X, leftEnd});
  if (!upcE) boxes.push_back({leftEnd + 5 * X, x0 + (3 + 7 * n + 5) * X});
  if (c.textLeft > 0) boxes.push_back({0, c.textLeft});
  const int mainEnd = x0 + (upcE ? 3 + 7 * 6 + 6 : 3 + 7 * n + 5 + 3) * X;
  if (c.textRight > 0) boxes.push_back({mainEnd, mainEnd + c.textRight});
  const int rowTop = c.barHeight + c.textGap;
  for (const Span& box : boxes) {
    int ink = 0;
    for (int y = rowTop; y < p.height; ++y)
      for (int x = box.from; x < box.to; ++x) ink += p.Ink(x, y) ? 1 : 0;
    EXPECT_GT(ink, 0) << "no digit in [" << box.from << ", " << box.to << ")";
  }
  for (int y = c.barHeight; y < p.height; ++y)
    for (int x = 0; x < std::min(mainEnd + c.textRight, p.width); ++x) {
      if (!p.Ink(x, y)) continue;
      bool inside = false;
      for (const Span& box : boxes) inside = inside || (box.Holds(x) && y >= rowTop);
      ASSERT_TRUE(inside) << "text at (" << x << ", " << y << ") outside every digit rectangle";
    }
  if (c.suppWidth > 0) {
    const Span supplement{c.suppX, c.suppX + c.suppWidth};
    int ink = 0;
    for (int y = 0; y < p.height; ++y)
      for (int x = mainEnd + c.textRight; x < p.width; ++x) {
        if (!p.Ink(x, y)) continue;
        ++ink;
        ASSERT_TRUE(supplement.Holds(x) && y < c.textGap + c.textHeight)
            << "supplement digit at (" << x << ", " << y << ") outside its rectangle";
      }
    EXPECT_GT(ink, 0) << "no supplement digits";
  }
}

INSTANTIATE_TEST_SUITE_P(Kalvo, EanGuards, testing::Combine(testing::ValuesIn(kSymbols), testing::ValuesIn(kSizes)),
                         [](const testing::TestParamInfo<EanGuards::ParamType>& info) {
                           return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
                         });

// A sheet of every symbol at two text sizes, for a person to look at.
TEST(EanGuardSheet, WritesEverySymbolAtTwoTextSizes) {
  constexpr int kColumns = 4;
  constexpr int kCell = 420;
  constexpr int kRowHeight = 200;
  const int rows = (static_cast<int>(std::size(kSymbols)) * 2 + kColumns - 1) / kColumns;
  std::vector<uint32_t> sheet(static_cast<size_t>(kColumns) * kCell * rows * kRowHeight, 0xFFFFFF);
  int cell = 0;
  for (const TextSize& size : {kSizes[0], kSizes[1]}) {
    for (const Symbol& symbol : kSymbols) {
      Request r(symbol.type, symbol.subType, symbol.data);
      r.code.narrowWidth = static_cast<uint16_t>(size.module);
      r.code.barHeight = size.barHeight;
      r.code.textGap = size.textGap;
      r.code.textHeight = size.textHeight;
      ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
      const Pixels p = TakePixels(r.code);
      const int left = (cell % kColumns) * kCell + 10;
      const int top = (cell / kColumns) * kRowHeight + 10;
      for (int y = 0; y < std::min(p.height, kRowHeight - 20); ++y)
        for (int x = 0; x < std::min(p.width, kCell - 20); ++x)
          sheet[static_cast<size_t>(top + y) * kColumns * kCell + left + x] = p.At(x, y);
      ++cell;
    }
  }
  const std::string path = std::string(TAV_BUILD_DIR) + "/ean_upc_sheet.png";
  ASSERT_TRUE(tavtest::WritePng(path, kColumns * kCell, rows * kRowHeight, reinterpret_cast<const uint8_t*>(sheet.data())));
  std::printf("EAN/UPC sheet: %s\n", path.c_str());
}

}  // namespace
