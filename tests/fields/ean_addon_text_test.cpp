// The designer's own add-on digits of EAN/UPC barcode fields: EAN-13, EAN-8,
// UPC-A and UPC-E with two- and five-digit add-ons, the text below and above
// the bars, a text row of at most half the bars and taller ones, at the three
// printer resolutions. The digits' box stays clear of the add-on bars; a row
// of at most half the bars keeps the placement the field has always had; in
// the drawn field no digit pixel falls on an add-on bar row, and zxing-cpp
// reads the symbol with its add-on, the digits printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "fields/barcode/barcode_checks.h"
#include "fields/geometry/units.h"
#include "fields/measure/text_measure.h"
#include "foundation/settings/process_settings.h"
#include "image/bitmap/plwinbmp.h"
#include "platform/testing/png_writer.h"
#include "tests/fields/draw_fixture.h"
#include "tests/fields/field_pictures.h"

namespace {

using fields_test::SetupAt;
using S = kalvo::Symbology;
using ZXing::BarcodeFormat;

struct AddOnSymbol {
  const char* name;
  S symbology;
  int subType;
  const char* data;
  const char* addOn;
  BarcodeFormat format;
  const char* expected;  // main digits with check digit, a space, the add-on
};

const AddOnSymbol kSymbols[] = {
    {"Ean13Plus2", S::Ean13, 1, "40063813339399", "99", BarcodeFormat::EAN13, "4006381333931 99"},
    {"Ean13Plus5", S::Ean13, 2, "97803064061575995", "75995", BarcodeFormat::EAN13, "9780306406157 75995"},
    {"Ean8Plus2", S::Ean8, 1, "963850712", "12", BarcodeFormat::EAN8, "96385074 12"},
    {"Ean8Plus5", S::Ean8, 2, "963850712345", "12345", BarcodeFormat::EAN8, "96385074 12345"},
    {"UpcAPlus2", S::UpcA, 1, "0360002914504", "04", BarcodeFormat::UPCA, "036000291452 04"},
    {"UpcAPlus5", S::UpcA, 2, "0360002914590000", "90000", BarcodeFormat::UPCA, "036000291452 90000"},
    {"UpcEPlus2", S::UpcE, 1, "12345612", "12", BarcodeFormat::UPCE, "01234565 12"},
    {"UpcEPlus5", S::UpcE, 2, "12345654321", "54321", BarcodeFormat::UPCE, "01234565 54321"},
};

struct TextRow {
  const char* name;
  int barHeight;  // mils
  int points;     // the human-readable font
  bool overHalf;  // the text row (gap and text) taller than half the bars
};

const TextRow kRows[] = {
    {"SmallRow", 400, 8, false},           // the row about a third of the bars
    {"TallRow", 300, 12, true},            // the row about two thirds of the bars
    {"RowTallerThanBars", 160, 12, true},  // the row taller than the bars
};

struct Placement {
  const char* name;
  bool above;
};

const Placement kPlacements[] = {{"Below", false}, {"Above", true}};

void PrintTo(const AddOnSymbol& s, std::ostream* out) { *out << s.name; }
void PrintTo(const TextRow& r, std::ostream* out) { *out << r.name; }
void PrintTo(const Placement& p, std::ostream* out) { *out << p.name; }

constexpr int kDpi = 300;     // the picture's printer
constexpr int kMargin = 150;  // mils of white around the field

// A field at (kMargin, kMargin) whose text the designer draws, sized as the
// designer measures it (which renders it and so fills in the add-on's place).
std::unique_ptr<CBarcodeField> AddOnField(const AddOnSymbol& s, const TextRow& row, bool above,
                                          const CLabelSetup& setup) {
  auto f = std::make_unique<CBarcodeField>(setup.dpiX);
  SetNewBarcodeDefaults(*f, setup);
  f->symbology = static_cast<int16_t>(kalvo::CodeOf(s.symbology));
  f->subType = static_cast<int16_t>(s.subType);
  f->data = s.data;
  f->narrowBar = static_cast<int16_t>((4 * setup.dpiX + 150) / 300);  // about 13 mils, in dots
  f->barHeight = row.barHeight;
  f->hrLogFont.lfHeight = row.points;
  f->hrAbove = above ? 1 : 0;
  f->designerDrawsText = 1;
  f->offset = {kMargin, kMargin};
  const SIZE size = MeasureField(*f, {}, setup, 0);
  f->width = size.cx;
  f->height = size.cy;
  return f;
}

bool Overlap(int64_t from1, int64_t to1, int64_t from2, int64_t to2) { return from1 < to2 && from2 < to1; }

kalvo_test::Grey GreyOfCanvas(const tavtest::TestCanvas& canvas) {
  kalvo_test::Grey grey;
  grey.width = canvas.width();
  grey.height = canvas.height();
  grey.pixels.resize(static_cast<size_t>(grey.width) * grey.height);
  for (int y = 0; y < grey.height; ++y)
    for (int x = 0; x < grey.width; ++x) {
      const COLORREF c = canvas.Raw(x, y);
      grey.pixels[static_cast<size_t>(y) * grey.width + x] =
          static_cast<uint8_t>((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3);
    }
  return grey;
}

class EanAddOnText : public testing::TestWithParam<std::tuple<AddOnSymbol, TextRow, Placement, int>> {
 protected:
  void SetUp() override { ConfigSettings().drawFldsOpaque = 1; }
};

TEST_P(EanAddOnText, DigitsStandClearOfTheAddOnBars) {
  const auto& [symbol, row, placement, dpi] = GetParam();
  const CLabelSetup setup = SetupAt(dpi);
  auto f = AddOnField(symbol, row, placement.above, setup);
  ASSERT_EQ(f->encodeResult[0], 0);
  ASSERT_GT(f->suppWidth, 0);
  // Narrower text than bars: the pieces and the bars share one left edge.
  ASSERT_EQ(f->hrGapWidth, 0) << "the text is wider than the bars";
  const int X0 = f->offset.x, Y0 = f->offset.y;
  const int textRow = f->textGap + f->textHeight;
  ASSERT_EQ(2 * textRow > f->barHeight, row.overHalf) << "text row " << textRow << " for bars " << f->barHeight;

  // Drawn as the designer draws it (measured again, with the text height the
  // first measuring found, and rendered), and its text pieces laid out as the
  // drawing laid them out.
  const int width = MilsToDevice(f->width + 2 * kMargin, dpi), height = MilsToDevice(f->height + 2 * kMargin, dpi);
  tavtest::TestCanvas canvas(width, height);
  ASSERT_EQ(DrawField(canvas.dc(), *f, setup, 0, 0, 0, dpi, dpi, 0, 1, 0), 1);
  ASSERT_NE(f->cachedBitmap, nullptr);
  TextFieldArray texts;
  ASSERT_GT(BuildHumanReadableFields(*f, texts, false, setup), 1);
  const CTextField& digits = *texts.back();
  ASSERT_STREQ(digits.data.GetData(), symbol.addOn);

  // The add-on bars end with the main bars when the text is below them and
  // start with them (after the text row) when it is above.
  const int barsTop = placement.above ? Y0 + textRow : Y0 + f->barHeight - f->suppBarHeight;
  const int barsBottom = barsTop + f->suppBarHeight;
  const int barsLeft = X0 + f->suppX, barsRight = barsLeft + f->suppWidth;
  // The box holds the digits as measured in their own font, and it stays
  // clear of the add-on bars.
  const SIZE measured = MeasureTextExtent(digits, setup, nullptr, false);
  EXPECT_EQ(digits.width, measured.cx);
  EXPECT_LE(measured.cy, digits.height);
  EXPECT_EQ(digits.offset.x, barsLeft + (f->suppWidth - measured.cx) / 2) << "centred over the add-on";
  EXPECT_TRUE(Overlap(digits.offset.x, digits.offset.x + digits.width, barsLeft, barsRight));
  EXPECT_FALSE(Overlap(digits.offset.y, digits.offset.y + digits.height, barsTop, barsBottom))
      << "digits " << digits.offset.y << ".." << digits.offset.y + digits.height << ", add-on bars " << barsTop << ".."
      << barsBottom;
  EXPECT_EQ(digits.offset.y, Y0) << "at the top: over the add-on bars, or in the text row above them";

  const int A = f->height - f->barHeight - f->textGap;
  if (placement.above || !row.overHalf) {
    // The text row's font and height.
    EXPECT_EQ(digits.logFont.lfHeight, f->hrLogFont.lfHeight);
    EXPECT_EQ(digits.height, A);
  } else {
    // Over the add-on bars in the band the text row leaves them: a smaller
    // font, whose gap to the bars shrinks with it.
    EXPECT_LT(digits.logFont.lfHeight, f->hrLogFont.lfHeight);
    EXPECT_LE(digits.offset.y + digits.height, barsTop);
  }

  // Drawn: in every row of the add-on bars, the canvas holds the library's
  // bars and nothing else.
  const kalvo_test::Grey bars = fields_test::GreyOf(*f->cachedBitmap);
  const kalvo_test::Grey drawn = GreyOfCanvas(canvas);
  const int left = MilsToDevice(X0, dpi);
  const int top = MilsToDevice(Y0 + (placement.above ? textRow : 0), dpi);
  int last = bars.width - 1;  // the add-on's last bar is the symbol's last
  while (last > 0 && [&] {
    for (int y = 0; y < bars.height; ++y)
      if (bars.Dark(last, y)) return false;
    return true;
  }())
    --last;
  int addOnRows = 0, mismatches = 0;
  for (int y = 0; y < bars.height; ++y) {
    if (!bars.Dark(last, y)) continue;
    ++addOnRows;
    for (int x = 0; x < bars.width; ++x)
      if ((bars.At(x, y) < 255) != (drawn.At(left + x, top + y) < 255)) ++mismatches;
  }
  EXPECT_GE(addOnRows, MilsToDevice(f->barHeight, dpi) / 2);
  EXPECT_EQ(mismatches, 0) << "pixels of text over the add-on bars' rows";

  ZXing::DecodeHints hints;
  hints.setFormats(symbol.format);
  hints.setTryRotate(false);
  hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Require);
  const ZXing::Result result = kalvo_test::Decode(drawn, 20, hints);
  ASSERT_TRUE(result.isValid()) << "no symbol with its add-on read";
  EXPECT_EQ(kalvo_test::BytesOf(result), symbol.expected);
  // The printed digits are the ones read: the main digits with their check
  // digit, a space, the add-on.
  std::string printed;
  for (size_t i = 0; i + 1 < texts.size(); ++i) printed += texts[i]->data.GetData();
  EXPECT_EQ(printed + " " + digits.data.GetData(), symbol.expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, EanAddOnText,
                         testing::Combine(testing::ValuesIn(kSymbols), testing::ValuesIn(kRows),
                                          testing::ValuesIn(kPlacements),
                                          testing::ValuesIn(fields_test::kDrawResolutions)),
                         [](const testing::TestParamInfo<EanAddOnText::ParamType>& info) {
                           return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name + "_" +
                                  std::get<2>(info.param).name + "_" + std::to_string(std::get<3>(info.param));
                         });

// A picture for a person: EAN-13 with five add-on digits and UPC-E with two,
// tall text rows below and above the bars, side by side.
TEST(EanAddOnTextPicture, TallRowsBelowAndAbove) {
  ConfigSettings().drawFldsOpaque = 1;
  const CLabelSetup setup = SetupAt(kDpi);
  constexpr int kCellW = 2600, kCellH = 900;
  tavtest::TestCanvas sheet(MilsToDevice(2 * kCellW, kDpi), MilsToDevice(2 * kCellH, kDpi));
  int column = 0;
  for (const AddOnSymbol* s : {&kSymbols[1], &kSymbols[6]}) {
    int line = 0;
    for (const Placement& p : kPlacements) {
      auto f = AddOnField(*s, kRows[1], p.above, setup);
      f->offset = {column * kCellW + kMargin, line * kCellH + kMargin};
      EXPECT_EQ(DrawField(sheet.dc(), *f, setup, 0, 0, 0, kDpi, kDpi, 0, 1, 0), 1);
      ++line;
    }
    ++column;
  }
  EXPECT_TRUE(sheet.SavePng(tavtest::BuildFolderPng("ean_addon_field_text")));
}

}  // namespace
