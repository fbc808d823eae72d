// EAN-8, EAN-13, UPC-A and UPC-E with their two- and five-digit add-ons, at
// text rows from a small one to one taller than the bars, drawn at the
// symbol's resolution and scaled: the add-on's bars keep at least half the
// main bars' height and share their rows, its digits stand clear of its bars,
// and an independent decoder reads the main symbol together with the add-on.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/barcode/dib_pixels.h"
#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;
using kalvo_test::Request;
using ZXing::BarcodeFormat;

struct AddOnSymbol {
  const char* name;
  S type;
  int subType;
  const char* data;
  BarcodeFormat format;
  const char* expected;  // main digits with check digit, a space, the add-on
};

const AddOnSymbol kSymbols[] = {
    {"Ean8Plus2", S::Ean8, 1, "963850712", BarcodeFormat::EAN8, "96385074 12"},
    {"Ean8Plus5", S::Ean8, 2, "963850712345", BarcodeFormat::EAN8, "96385074 12345"},
    {"Ean13Plus2", S::Ean13, 1, "40063813339399", BarcodeFormat::EAN13, "4006381333931 99"},
    {"Ean13Plus5", S::Ean13, 2, "97803064061575995", BarcodeFormat::EAN13, "9780306406157 75995"},
    {"UpcAPlus2", S::UpcA, 1, "0360002914504", BarcodeFormat::UPCA, "036000291452 04"},
    {"UpcAPlus5", S::UpcA, 2, "0360002914590000", BarcodeFormat::UPCA, "036000291452 90000"},
    {"UpcEPlus2", S::UpcE, 1, "12345612", BarcodeFormat::UPCE, "01234565 12"},
    {"UpcEPlus5", S::UpcE, 2, "12345654321", BarcodeFormat::UPCE, "01234565 54321"},
};

struct Sizes {
  const char* name;
  int module, barHeight, textGap, textHeight;
};

const Sizes kSizes[] = {
    {"SmallRow", 2, 100, 4, 24},        // the text row well under half the bars
    {"HalfRow", 2, 100, 10, 40},        // exactly half
    {"RecordDefaults", 2, 100, 30, 70},  // the request record's own sizes: the row as tall as the bars
    {"TallerRow", 2, 60, 10, 70},       // the row taller than the bars
    {"ShortBars", 3, 120, 30, 70},      // the row most of the bars' height
    {"OddBars", 2, 101, 20, 61},        // an odd bar height, the row just over half
};

struct Drawing {
  const char* name;
  int textPosition;      // 1 below, 2 above
  int targetResolution;  // 0: drawn at the symbol's resolution
};

const Drawing kDrawings[] = {
    {"Below", 1, 0}, {"Above", 2, 0}, {"BelowScaled", 1, 600}, {"AboveScaled", 2, 600}, {"BelowScaled400", 1, 400}};

// Failure messages name the rows rather than dump their bytes.
void PrintTo(const AddOnSymbol& s, std::ostream* out) { *out << s.name; }
void PrintTo(const Sizes& s, std::ostream* out) { *out << s.name; }
void PrintTo(const Drawing& d, std::ostream* out) { *out << d.name; }

constexpr int kResolution = 300;

class EanAddOn : public testing::TestWithParam<std::tuple<AddOnSymbol, Sizes, Drawing>> {};

TEST_P(EanAddOn, BarsShareTheMainBarsRowsAndTheDecoderReadsThem) {
  const auto& [symbol, sizes, drawing] = GetParam();
  Request r(symbol.type, symbol.subType, symbol.data);
  CBCode& c = r.code;
  c.resolution = kResolution;
  c.targetResolution = drawing.targetResolution;
  c.narrowWidth = static_cast<uint16_t>(sizes.module);
  c.barHeight = sizes.barHeight;
  c.textGap = sizes.textGap;
  c.textHeight = sizes.textHeight;
  c.textPosition = static_cast<uint8_t>(drawing.textPosition);
  c.textColor = RGB(255, 0, 0);
  ASSERT_EQ(kvoBCode(0, &c, 0), 0);
  ASSERT_NE(c.bitmap, nullptr);

  // Where the text row leaves the bars at least half their height, the add-on
  // is as tall as the bars less the row; otherwise it keeps that half.
  const int row = c.textGap + c.textHeight;
  const int half = c.barHeight - c.barHeight / 2;
  EXPECT_EQ(c.suppBarHeight, std::max(c.barHeight - row, half));
  const int X = sizes.module;
  const int digits = IsPlus2(kalvo::CodeOf(symbol.type), symbol.subType) != 0 ? 2 : 5;
  EXPECT_EQ(c.suppWidth, (9 * digits + 2) * X);
  // The add-on's bars end with the main bars when the text is below them and
  // start with them when it is above.
  const int barsTop = drawing.textPosition == 1 ? c.barHeight - c.suppBarHeight : row;
  const int mainTop = drawing.textPosition == 1 ? 0 : row;

  BITMAP info{};
  GetObjectA(c.bitmap, sizeof info, &info);
  const std::vector<uint32_t> rgb = kalvotest::DibPixels(c.bitmap, info.bmWidth, info.bmHeight);
  auto at = [&](int x, int y) { return rgb[static_cast<size_t>(y) * info.bmWidth + x] & 0xFFFFFF; };

  // Its bars share at least half the main bars' rows.
  EXPECT_GE(std::min(barsTop + c.suppBarHeight, mainTop + c.barHeight) - std::max(barsTop, mainTop), half);

  // In the bitmap, every edge is scaled to the target resolution and rounded.
  const double f = drawing.targetResolution > 0 ? static_cast<double>(drawing.targetResolution) / kResolution : 1.0;
  auto scaled = [f](int v) { return static_cast<int>(v * f + 0.5); };
  // The add-on's guard bars ("1011"), pixel for pixel, and no text over any
  // of the add-on's bar rows.
  for (int module : {0, 2, 3}) {
    const int x = (scaled(c.suppX + module * X) + scaled(c.suppX + (module + 1) * X)) / 2;
    int y = 0;
    while (y < info.bmHeight && at(x, y) != 0) ++y;
    EXPECT_EQ(y, scaled(barsTop)) << "add-on guard module " << module;
    int bottom = y;
    while (bottom < info.bmHeight && at(x, bottom) == 0) ++bottom;
    EXPECT_EQ(bottom, scaled(barsTop + c.suppBarHeight)) << "add-on guard module " << module;
  }
  int digitInk = 0;
  for (int y = 0; y < info.bmHeight; ++y)
    for (int x = scaled(c.suppX); x < scaled(c.suppX + c.suppWidth); ++x) {
      if (at(x, y) == 0 || at(x, y) == 0xFFFFFF) continue;  // the text's colour or a blend of it
      ++digitInk;
      ASSERT_TRUE(y < scaled(barsTop) || y >= scaled(barsTop + c.suppBarHeight))
          << "add-on digit over its bars at (" << x << ", " << y << ")";
    }
  EXPECT_GT(digitInk, 0) << "no add-on digits";

  const int width = info.bmWidth;
  const int height = info.bmHeight;
  kalvo_test::Grey grey;
  grey.width = width;
  grey.height = height;
  grey.pixels.resize(rgb.size());
  for (size_t i = 0; i < rgb.size(); ++i) {
    // Only the bars count as dark: the red digits read as light.
    grey.pixels[i] = (rgb[i] & 0xFFFFFF) == 0 ? 0 : 255;
  }
  DeleteObject(c.bitmap);
  c.bitmap = nullptr;
  ZXing::DecodeHints hints;
  hints.setFormats(symbol.format);
  hints.setTryRotate(false);
  hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Require);
  const ZXing::Result result = kalvo_test::Decode(grey, 40, hints);
  ASSERT_TRUE(result.isValid()) << "no symbol with its add-on read";
  EXPECT_EQ(result.format(), symbol.format);
  EXPECT_EQ(kalvo_test::BytesOf(result), symbol.expected);
}

INSTANTIATE_TEST_SUITE_P(Kalvo, EanAddOn,
                         testing::Combine(testing::ValuesIn(kSymbols), testing::ValuesIn(kSizes), testing::ValuesIn(kDrawings)),
                         [](const testing::TestParamInfo<EanAddOn::ParamType>& info) {
                           return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name + "_" +
                                  std::get<2>(info.param).name;
                         });

}  // namespace
