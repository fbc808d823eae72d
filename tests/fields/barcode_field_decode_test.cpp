// Barcode fields drawn through the library at the printers' resolutions and
// turned by the field's rotation, read back by zxing-cpp (MicroPDF417 by
// zxing-wasm, which reads it).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fields/barcode/barcode_checks.h"
#include "fields/barcode/barcode_render.h"
#include "fields/services/label_setup.h"
#include "image/bitmap/plwinbmp.h"
#include "tests/barcode/zxing_wasm.h"
#include "tests/fields/field_pictures.h"

namespace {

using ZXing::BarcodeFormat;
using S = kalvo::Symbology;

struct FieldSymbol {
  const char* name;
  S symbology;
  int subType;
  const char* data;
  BarcodeFormat format;  // None: read by zxing-wasm as "MicroPDF417"
  std::string expected;
  void (*setup)(CBarcodeField&) = nullptr;
};

void Ais(CBarcodeField& f) {
  f.aiCode[0] = "01";
  f.aiData[0] = "12345678901231";
  f.aiCode[1] = "10";
  f.aiData[1] = "LOT7";
}

const FieldSymbol kSymbols[] = {
    {"Codabar", S::Codabar, 0, "1234", BarcodeFormat::Codabar, "A1234B"},
    {"Code39", S::Code39, 0, "FIELD-39", BarcodeFormat::Code39, "FIELD-39"},
    // A + B + C = 10 + 11 + 12 = 33: the mod 43 check character is X.
    {"Code39Mod43", S::Code39, 1, "ABC", BarcodeFormat::Code39, "ABCX"},
    {"Code39FullAscii", S::Code39FullAscii, 0, "Field 39!", BarcodeFormat::Code39, "Field 39!"},
    {"Code93", S::Code93, 0, "TEST93", BarcodeFormat::Code93, "TEST93"},
    {"Code128Auto", S::Code128, 0, "Field 128", BarcodeFormat::Code128, "Field 128"},
    {"Code128A", S::Code128, 1, "ABC 12", BarcodeFormat::Code128, "ABC 12"},
    {"Code128B", S::Code128, 2, "abc{}", BarcodeFormat::Code128, "abc{}"},
    {"Code128C", S::Code128, 3, "123456", BarcodeFormat::Code128, "123456"},
    {"Code128Mod10", S::Code128, 4, "1234567", BarcodeFormat::Code128, "12345670",
     [](CBarcodeField& f) { f.addMod10 = 1; }},
    {"Ean8", S::Ean8, 0, "9638507", BarcodeFormat::EAN8, "96385074"},
    {"Ean13", S::Ean13, 0, "590123412345", BarcodeFormat::EAN13, "5901234123457"},
    {"Ean128", S::Ean128, 0, "0112345678901231", BarcodeFormat::Code128, "0112345678901231"},
    {"Interleaved2of5", S::Interleaved2of5, 0, "123456", BarcodeFormat::ITF, "123456"},
    {"Itf14", S::Itf14, 0, "1234567890123", BarcodeFormat::ITF, "12345678901231"},
    {"Ucc128", S::Ucc128, 0, "12345678", BarcodeFormat::Code128, "12345678"},
    {"UccEan128", S::UccEan128, 0, "0112345678901231", BarcodeFormat::Code128, "0112345678901231"},
    {"UccEan128Ais", S::UccEan128Ais, 0, "", BarcodeFormat::Code128, "0112345678901231" "10LOT7", Ais},
    {"UpcA", S::UpcA, 0, "03600029145", BarcodeFormat::UPCA, "036000291452"},
    {"UpcE", S::UpcE, 0, "123456", BarcodeFormat::UPCE, "01234565"},
    {"Pdf417", S::Pdf417, 0, "PDF417 field 0123456789", BarcodeFormat::PDF417, "PDF417 field 0123456789"},
    {"MaxiCode", S::MaxiCode, 0, "MaxiCode field", BarcodeFormat::MaxiCode, "MaxiCode field",
     [](CBarcodeField& f) { f.maxiMode = 4; }},
    {"DataMatrix", S::DataMatrix, 0, "Data Matrix field", BarcodeFormat::DataMatrix, "Data Matrix field"},
    {"QrCode", S::QrCode, 0, "QR Code field 123", BarcodeFormat::QRCode, "QR Code field 123"},
    {"MicroPdf417", S::MicroPdf417, 0, "Micro 417", BarcodeFormat::None, "Micro 417",
     [](CBarcodeField& f) { f.microPdfMode = 10; }},
};

constexpr int kResolutions[] = {203, 300, 600};
constexpr int kRightAngles[] = {0, 90000, 180000, 270000};

std::unique_ptr<CBarcodeField> FieldOf(const FieldSymbol& s, int dpi, int rotation) {
  CLabelSetup setup;
  setup.dpiX = setup.dpiY = dpi;
  auto f = std::make_unique<CBarcodeField>(dpi);
  SetNewBarcodeDefaults(*f, setup);
  f->symbology = static_cast<int16_t>(kalvo::CodeOf(s.symbology));
  f->subType = static_cast<int16_t>(s.subType);
  f->data = s.data;
  f->barHeight = 400;
  f->SetRotation(rotation);
  if (s.setup) s.setup(*f);
  return f;
}

bool IsMatrix(S s) { return s == S::DataMatrix || s == S::QrCode || s == S::MaxiCode; }

class BarcodeFieldDecode : public testing::TestWithParam<size_t> {};

TEST_P(BarcodeFieldDecode, ReadsBackAtEveryResolutionAndRightAngle) {
  const FieldSymbol& s = kSymbols[GetParam()];
  std::vector<int> angles(std::begin(kRightAngles), std::end(kRightAngles));
  if (s.symbology == S::QrCode || s.symbology == S::DataMatrix) {
    angles.push_back(30000);
    angles.push_back(45000);
  }
  kalvo_test::ZxingWasmReader wasm;
  std::vector<std::string> queued;
  for (int dpi : kResolutions) {
    for (int angle : angles) {
      SCOPED_TRACE(testing::Message() << s.name << " at " << dpi << " dpi, " << angle / 1000 << " degrees");
      auto f = FieldOf(s, dpi, angle);
      // Turned by an odd angle, a module of 2 dots (12 mils at 203 dpi) is
      // sampled apart; such symbols are read with modules of 3 dots or more.
      if (angle % 90000 != 0) f->moduleSize2D = std::max<int16_t>(f->moduleSize2D, 3);
      PLWinBmp* bmp = f->GetRendering(dpi, nullptr, nullptr, 0, dpi, 0);
      ASSERT_NE(bmp, nullptr) << "encode result " << f->encodeResult[0];
      kalvo_test::Grey grey = fields_test::GreyOf(*bmp);
      if (s.symbology == S::MaxiCode) {
        // The reader takes MaxiCode only upright and pure: the turned picture
        // is turned back pixel for pixel and must equal the upright one.
        grey = fields_test::TurnBackQuarters(grey, angle / 90000);
        auto upright = FieldOf(s, dpi, 0);
        const auto want = fields_test::GreyOf(*upright->GetRendering(dpi, nullptr, nullptr, 0, dpi, 0));
        EXPECT_EQ(grey.width, want.width);
        EXPECT_EQ(grey.pixels, want.pixels);
      }
      if (s.format == BarcodeFormat::None) {
        wasm.Add(grey, 4 * f->moduleSize2D, "MicroPDF417");
        queued.push_back(std::to_string(dpi) + "/" + std::to_string(angle));
        continue;
      }
      ZXing::DecodeHints hints;
      hints.setFormats(s.format);
      hints.setTryHarder(true);
      hints.setReturnCodabarStartEnd(true);
      hints.setTryCode39ExtendedMode(s.symbology == S::Code39FullAscii);
      hints.setIsPure(s.symbology == S::MaxiCode);
      const int quiet = (IsMatrix(s.symbology) ? 8 * f->moduleSize2D : 20 * f->narrowBar);
      const ZXing::Result result = kalvo_test::Decode(grey, quiet, hints);
      ASSERT_TRUE(result.isValid()) << "no symbol read from " << grey.width << " x " << grey.height;
      EXPECT_EQ(kalvo_test::BytesOf(result), s.expected);
    }
  }
  if (queued.empty()) return;
  ASSERT_TRUE(kalvo_test::ZxingWasmInstalled()) << "zxing-wasm is missing: run scripts/install-deps.sh";
  const auto read = wasm.ReadAll();
  ASSERT_EQ(read.size(), queued.size()) << "the reader did not run";
  for (size_t i = 0; i < read.size(); ++i) {
    ASSERT_TRUE(read[i].has_value()) << s.name << " " << queued[i];
    EXPECT_EQ(*read[i], s.expected) << queued[i];
  }
}

std::string SymbolName(const testing::TestParamInfo<size_t>& info) { return kSymbols[info.param].name; }

INSTANTIATE_TEST_SUITE_P(Fields, BarcodeFieldDecode, testing::Range<size_t>(0, std::size(kSymbols)), SymbolName);

// Symbologies zxing-cpp cannot read: drawn, with bars, at every setting.
TEST(BarcodeFieldRender, SymbologiesWithoutAReaderStillDraw) {
  const FieldSymbol unread[] = {
      {"Plessey", S::Plessey, 0, "1234", BarcodeFormat::None, ""},
      {"Postnet", S::Postnet, 0, "12345", BarcodeFormat::None, ""},
      {"Msi", S::Msi, 0, "1234", BarcodeFormat::None, ""},
  };
  for (const auto& s : unread)
    for (int dpi : kResolutions) {
      auto f = FieldOf(s, dpi, 0);
      PLWinBmp* bmp = f->GetRendering(dpi, nullptr, nullptr, 0, dpi, 0);
      ASSERT_NE(bmp, nullptr) << s.name << " " << dpi;
      const auto grey = fields_test::GreyOf(*bmp);
      int dark = 0;
      for (uint8_t p : grey.pixels) dark += p < 128;
      EXPECT_GT(dark, 0) << s.name;
    }
}

TEST(BarcodeFieldRender, TurnedFieldsSwapTheirSizeOnlyNearTheUpright) {
  struct { int rotation; bool swapped; } cases[] = {
      {0, false}, {1000, false}, {1001, true}, {90000, true}, {179000, false}, {180000, false},
      {181000, false}, {181001, true}, {270000, true}, {359000, false},
  };
  auto base = FieldOf(kSymbols[11], 300, 0);  // EAN-13
  POINT upright{};
  ASSERT_EQ(RenderBarcodeToBitmap(base.get(), 300, 0, &upright, kRenderMeasureOnly, nullptr, nullptr, nullptr, 0), 1);
  ASSERT_GT(upright.x, upright.y);
  for (auto c : cases) {
    auto f = FieldOf(kSymbols[11], 300, c.rotation);
    POINT size{};
    RenderBarcodeToBitmap(f.get(), 300, 0, &size, kRenderMeasureOnly, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(size.x, c.swapped ? upright.y : upright.x) << c.rotation;
    EXPECT_EQ(size.y, c.swapped ? upright.x : upright.y) << c.rotation;
  }
}

TEST(BarcodeFieldRender, EmptyDataCallsNothingAndAFailedEncodeDrawsNothing) {
  auto empty = FieldOf(kSymbols[1], 300, 0);
  empty->data = "";
  POINT size{7, 7};
  EXPECT_EQ(RenderBarcodeToBitmap(empty.get(), 300, 0, &size, 0, nullptr, nullptr, nullptr, 0), 0);
  EXPECT_EQ(size.x, 7);

  auto bad = FieldOf(kSymbols[11], 300, 0);  // EAN-13 with letters
  bad->data = "ABCDEFGHIJKL";
  EXPECT_EQ(bad->GetRendering(300, nullptr, nullptr, 0, 300, 0), nullptr);
  EXPECT_NE(bad->encodeResult[0], 0);
  EXPECT_EQ(bad->cachedBitmap, nullptr);
}

TEST(BarcodeFieldRender, RatioOf250DoublesTheNarrowBarInTheRequestOnly) {
  auto narrow = FieldOf(kSymbols[1], 300, 0);
  narrow->narrowBar = 2;
  narrow->ratio = 200;
  auto wide = FieldOf(kSymbols[1], 300, 0);
  wide->narrowBar = 2;
  wide->ratio = 250;
  POINT a{}, b{};
  RenderBarcodeToBitmap(narrow.get(), 300, 0, &a, kRenderMeasureOnly, nullptr, nullptr, nullptr, 0);
  RenderBarcodeToBitmap(wide.get(), 300, 0, &b, kRenderMeasureOnly, nullptr, nullptr, nullptr, 0);
  EXPECT_GT(b.x, a.x * 3 / 2);
  EXPECT_EQ(wide->narrowBar, 2);
}

// The supplement's place and size are the library's answers in mils. A
// Code 128 field still holding an add-on's values (its symbology changed)
// keeps none after rendering, however often; an EAN-13 with a five-digit
// add-on gets the same values whatever it held before.
TEST(BarcodeFieldRender, SupplementValuesAreAnswersNotInputs) {
  const auto render = [](CBarcodeField& f) {
    POINT size{};
    return RenderBarcodeToBitmap(&f, 300, 0, &size, kRenderMeasureOnly, nullptr, nullptr, nullptr, 0);
  };
  auto code128 = FieldOf(kSymbols[5], 300, 0);
  code128->suppX = 1100;
  code128->suppBarHeight = 400;
  code128->suppWidth = 470;
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(render(*code128), 1);
    EXPECT_EQ(code128->suppX, 0);
    EXPECT_EQ(code128->suppBarHeight, 0);
    EXPECT_EQ(code128->suppWidth, 0);
  }
  auto ean = FieldOf(kSymbols[11], 300, 0);
  ean->subType = 2;
  ean->data = "97803064061575995";
  ASSERT_EQ(render(*ean), 1);
  const int32_t x = ean->suppX, h = ean->suppBarHeight, w = ean->suppWidth;
  EXPECT_GT(x, 0);
  EXPECT_GT(h, 0);
  EXPECT_GT(w, 0);
  for (const int32_t held : {0, 7, 123456}) {
    ean->suppX = ean->suppBarHeight = ean->suppWidth = held;
    ASSERT_EQ(render(*ean), 1);
    EXPECT_EQ(ean->suppX, x);
    EXPECT_EQ(ean->suppBarHeight, h);
    EXPECT_EQ(ean->suppWidth, w);
  }
}

// Heights read from a file may be anything: bars, gap and text row that
// together pass the int range give a saturated size, not an overflow.
TEST(BarcodeFieldRender, HugeHeightsSaturate) {
  for (const int32_t mils : {2000000000, 1500000000, 800000000}) {
    SCOPED_TRACE(mils);
    auto f = FieldOf(kSymbols[0], 300, 0);  // Codabar, its text row shown
    f->showHr = 1;
    f->barHeight = mils;
    f->textGap = mils;
    f->textHeight = mils;
    POINT size{};
    RenderBarcodeToBitmap(f.get(), 3000, 0, &size, kRenderMeasureOnly, nullptr, nullptr, nullptr, 0);
    EXPECT_GT(size.y, 0);
  }
}

TEST(BarcodeFieldRender, Ean13HumanReadableText) {
  auto f = FieldOf(kSymbols[11], 300, 0);
  f->data = "5901234123457";
  ASSERT_EQ(BuildBarcodeHrText(f.get()), 1);
  EXPECT_TRUE(f->hrResult.Find("5901234123457") >= 0 || f->hrResult.Find("5 901234 123457") >= 0)
      << f->hrResult.GetData();
}

TEST(BarcodeFieldRender, EncoderInputAddsCheckCharacters) {
  struct { S symbology; int subType; const char* data; int mod10Start; const char* input; } cases[] = {
      {S::Ean13, 0, "590123412345", 0, "5901234123457"},
      {S::Code128, 4, "123456", 0, "01234565"},     // even: a "0" at the start
      {S::Code128, 4, "1234567", 0, "12345670"},    // odd: not padded
      {S::UpcE, 0, "123456", 0, "1234565"},         // check digit over the expansion
      {S::MaxiCode, 0, "abc", 0, "abc"},
  };
  for (auto c : cases) {
    CBarcodeField f;
    f.symbology = static_cast<int16_t>(kalvo::CodeOf(c.symbology));
    f.subType = static_cast<int16_t>(c.subType);
    f.mod10Start = c.mod10Start;
    AString check;
    const AString input = BuildEncoderInput(&f, AString(c.data), 0, &check);
    EXPECT_TRUE(input == c.input) << c.data << " gave " << input.GetData();
  }
}

TEST(BarcodeFieldRender, SmallOperations) {
  struct { const char* in; int even; const char* evenOut; int odd; const char* oddOut; } cases[] = {
      {"123", 1, "0123", 0, "123"}, {"12", 0, "12", 1, "012"}, {"", 0, "", 1, "0"}};
  for (auto c : cases) {
    AString e(c.in), o(c.in);
    EXPECT_EQ(PadToEvenLength(e), c.even);
    EXPECT_TRUE(e == c.evenOut);
    EXPECT_EQ(PadToOddLength(o), c.odd);
    EXPECT_TRUE(o == c.oddOut);
  }
  const AString long128 = OptimizeCode128(AString("ab123456cd"), 0);
  EXPECT_GT(long128.GetLength(), 0);
  EXPECT_LE(long128.GetLength(), 21);
}

}  // namespace
