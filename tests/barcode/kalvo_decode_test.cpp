// Every linear symbology with an encoder, drawn at several resolutions, with
// sizes in dots and in mils, with and without the text row, read back by an
// independent decoder.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;

using kalvo_test::Request;
using ZXing::BarcodeFormat;

struct Symbol {
  const char* name;
  kalvo::Symbology type;
  int subType;
  std::string data;
  BarcodeFormat format;
  std::string expected;
  void (*setup)(CBCode&) = nullptr;
};

struct Drawing {
  int dpi;
  bool mils;
  bool text;
  bool above = false;  // the text row above the bars
};

std::string Bytes(int from, int to) {
  std::string s;
  for (int c = from; c <= to; ++c) s += static_cast<char>(c);
  return s;
}

void SetAis(CBCode& c) {
  c.aiNames[0] = "01";
  c.aiValues[0] = "12345678901231";
  c.aiNames[1] = "10";
  c.aiValues[1] = "ABC12";
  c.aiNames[2] = "17";
  c.aiValues[2] = "251231";
  c.aiNames[3] = "21";
  c.aiValues[3] = "x7";
}

const std::string kAis = "0112345678901231" "10ABC12\x1d" "17251231" "21x7";

const std::vector<Symbol>& Symbols() {
  static const std::vector<Symbol> symbols = {
      {"Codabar", S::Codabar, 0, "1234", BarcodeFormat::Codabar, "A1234B"},
      {"CodabarOwnStartStop", S::Codabar, 0, "B12B", BarcodeFormat::Codabar, "B12B"},
      {"CodabarAllCharacters", S::Codabar, 0, "0123456789-$:/.+", BarcodeFormat::Codabar, "C0123456789-$:/.+D",
       [](CBCode& c) {
         c.codabarStart = 2;
         c.codabarStop = 3;
       }},
      {"CodabarWideRatio", S::Codabar, 0, "D5678D", BarcodeFormat::Codabar, "D5678D", [](CBCode& c) { c.ratio = 300; }},
      {"Code39", S::Code39, 0, "CODE39-. $/+%", BarcodeFormat::Code39, "CODE39-. $/+%"},
      {"Code39Check", S::Code39, 1, "ABC", BarcodeFormat::Code39, "ABC"},
      {"Code39AllCharacters", S::Code39, 1, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", BarcodeFormat::Code39,
       "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
      {"Code39QuietZones", S::Code39, 0, "QZ1", BarcodeFormat::Code39, "QZ1", [](CBCode& c) { c.quietZone = 1; }},
      {"Code39Ratio250", S::Code39, 0, "R25", BarcodeFormat::Code39, "R25", [](CBCode& c) { c.ratio = 250; }},
      {"FullAsciiLow", S::Code39FullAscii, 0, Bytes(1, 63), BarcodeFormat::Code39, Bytes(1, 63)},
      {"FullAsciiHigh", S::Code39FullAscii, 0, Bytes(64, 127), BarcodeFormat::Code39, Bytes(64, 127)},
      {"FullAsciiCheck", S::Code39FullAscii, 1, "Hello, World!", BarcodeFormat::Code39, "Hello, World!"},
      {"Code93", S::Code93, 0, "TEST93", BarcodeFormat::Code93, "TEST93"},
      {"Code93Specials", S::Code93, 0, "CODE 93-$/+%.", BarcodeFormat::Code93, "CODE 93-$/+%."},
      {"Code93AllCharacters", S::Code93, 0, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", BarcodeFormat::Code93,
       "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
      {"Code128AutoDigits", S::Code128, 0, "12345678", BarcodeFormat::Code128, "12345678"},
      {"Code128AutoOddDigits", S::Code128, 0, "123456789", BarcodeFormat::Code128, "123456789"},
      {"Code128AutoLower", S::Code128, 0, "abc", BarcodeFormat::Code128, "abc"},
      {"Code128AutoMixed", S::Code128, 0, "AB12", BarcodeFormat::Code128, "AB12"},
      {"Code128AutoChanges", S::Code128, 0, "Hello World 12345678 \x01\x02X99x", BarcodeFormat::Code128,
       "Hello World 12345678 \x01\x02X99x"},
      {"Code128AutoAll", S::Code128, 0, Bytes(1, 127), BarcodeFormat::Code128, Bytes(1, 127)},
      {"Code128SetA", S::Code128, 1, "ABC\x05 12_", BarcodeFormat::Code128, "ABC\x05 12_"},
      {"Code128SetB", S::Code128, 2, "abc{}~ 12", BarcodeFormat::Code128, "abc{}~ 12"},
      {"Code128SetC", S::Code128, 3, "123456", BarcodeFormat::Code128, "123456"},
      {"Code128SetCOdd", S::Code128, 3, "12345", BarcodeFormat::Code128, "12345"},
      {"Code128Mod10", S::Code128, 4, "1234567", BarcodeFormat::Code128, "12345670", [](CBCode& c) { c.addMod10 = 1; }},
      {"Code128Mod10Padded", S::Code128, 4, "123456", BarcodeFormat::Code128, "01234565", [](CBCode& c) { c.addMod10 = 1; }},
      {"Ean128", S::Ean128, 0, "0112345678901231", BarcodeFormat::Code128, "0112345678901231"},
      {"Ucc128", S::Ucc128, 0, "12345678", BarcodeFormat::Code128, "12345678"},
      {"Ucc128Padded", S::Ucc128, 0, "1234567", BarcodeFormat::Code128, "01234567"},
      {"UccEan128", S::UccEan128, 0, "0112345678901231", BarcodeFormat::Code128, "0112345678901231"},
      {"SeveralAisAuto", S::UccEan128Ais, 0, "", BarcodeFormat::Code128, kAis, SetAis},
      {"SeveralAisStartC", S::UccEan128Ais, 1, "", BarcodeFormat::Code128, kAis, SetAis},
      {"SeveralAisStartB", S::UccEan128Ais, 2, "", BarcodeFormat::Code128, kAis, SetAis},
      {"SeveralAisStartA", S::UccEan128Ais, 3, "", BarcodeFormat::Code128, kAis, SetAis},
      {"Ean8", S::Ean8, 0, "9638507", BarcodeFormat::EAN8, "96385074"},
      {"Ean8Plus2", S::Ean8, 1, "963850712", BarcodeFormat::EAN8, "96385074 12"},
      {"Ean8Plus5", S::Ean8, 2, "963850712345", BarcodeFormat::EAN8, "96385074 12345"},
      {"Ean13", S::Ean13, 0, "400638133393", BarcodeFormat::EAN13, "4006381333931"},
      {"Ean13AllLeadingDigits", S::Ean13, 0, "790123456789", BarcodeFormat::EAN13, "7901234567891"},
      {"Ean13Plus2", S::Ean13, 1, "40063813339399", BarcodeFormat::EAN13, "4006381333931 99"},
      {"Ean13Plus5", S::Ean13, 2, "97803064061575995", BarcodeFormat::EAN13, "9780306406157 75995"},
      {"Ean13ShortGuards", S::Ean13, 0, "590123412345", BarcodeFormat::EAN13, "5901234123457",
       [](CBCode& c) { c.longGuards = 0; }},
      {"UpcA", S::UpcA, 0, "03600029145", BarcodeFormat::UPCA, "036000291452"},
      {"UpcAPlus2", S::UpcA, 1, "0360002914504", BarcodeFormat::UPCA, "036000291452 04"},
      {"UpcAPlus5", S::UpcA, 2, "0360002914590000", BarcodeFormat::UPCA, "036000291452 90000"},
      {"UpcE", S::UpcE, 0, "123456", BarcodeFormat::UPCE, "01234565"},
      {"UpcEEndsIn0", S::UpcE, 0, "654320", BarcodeFormat::UPCE, "06543208"},
      {"UpcEEndsIn3", S::UpcE, 0, "123403", BarcodeFormat::UPCE, "01234036"},
      {"UpcEEndsIn4", S::UpcE, 0, "123444", BarcodeFormat::UPCE, "01234446"},
      {"UpcEPlus2", S::UpcE, 1, "12345612", BarcodeFormat::UPCE, "01234565 12"},
      {"UpcEPlus5", S::UpcE, 2, "12345654321", BarcodeFormat::UPCE, "01234565 54321"},
      {"I25", S::Interleaved2of5, 0, "12345", BarcodeFormat::ITF, "012345"},
      {"I25Long", S::Interleaved2of5, 0, "12345678901234567890", BarcodeFormat::ITF, "12345678901234567890"},
      {"I25Check", S::Interleaved2of5, 1, "1234567", BarcodeFormat::ITF, "12345670"},
      {"I25Ratio300", S::Interleaved2of5, 0, "987654", BarcodeFormat::ITF, "987654", [](CBCode& c) { c.ratio = 300; }},
      {"Itf14", S::Itf14, 0, "1234567890123", BarcodeFormat::ITF, "12345678901231"},
      {"Itf14NoSideBearers", S::Itf14, 0, "0001234560001", BarcodeFormat::ITF, "00012345600012",
       [](CBCode& c) { c.itfNoSideBearers = 1; }},
  };
  return symbols;
}

class LinearDecode : public testing::TestWithParam<std::tuple<size_t, Drawing>> {};

TEST_P(LinearDecode, ReadsBackTheData) {
  const Symbol& s = Symbols()[std::get<0>(GetParam())];
  const Drawing d = std::get<1>(GetParam());
  Request r(s.type, s.subType, s.data);
  r.code.resolution = d.dpi;
  r.code.deviceUnits = d.mils ? 0 : 1;
  r.code.narrowWidth = d.mils ? 10 : 2;
  r.code.barHeight = d.dpi / 3;
  r.code.textPosition = d.text ? (d.above ? 2 : 1) : 0;
  r.code.textGap = d.dpi / 50;
  r.code.textHeight = d.dpi / 10;
  if (s.setup != nullptr) s.setup(r.code);
  ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
  ASSERT_NE(r.code.bitmap, nullptr);
  const int width = r.code.width;
  const kalvo_test::Grey grey = kalvo_test::TakeBitmap(r.code);
  ASSERT_EQ(grey.width, (width + 7) / 8 * 8);
  ASSERT_EQ(grey.width - width, r.code.padRight);
  ASSERT_EQ(grey.height, r.code.height);

  ZXing::DecodeHints hints;
  hints.setFormats(s.format);
  hints.setTryRotate(false);
  hints.setReturnCodabarStartEnd(true);
  hints.setTryCode39ExtendedMode(s.type == S::Code39FullAscii);
  hints.setValidateCode39CheckSum(Is39Group(kalvo::CodeOf(s.type)) != 0 && s.subType == 1);
  if (IsPlus2(kalvo::CodeOf(s.type), s.subType) != 0 || IsPlus5(kalvo::CodeOf(s.type), s.subType) != 0) {
    hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Require);
  }
  const int module = d.mils ? (10 * d.dpi + 500) / 1000 : 2;
  const ZXing::Result result = kalvo_test::Decode(grey, 20 * module, hints);
  ASSERT_TRUE(result.isValid()) << s.name << " at " << d.dpi << " dpi";
  EXPECT_EQ(result.format(), s.format);
  EXPECT_EQ(kalvo_test::BytesOf(result), s.expected) << result.text();
}

std::string DecodeName(const testing::TestParamInfo<std::tuple<size_t, Drawing>>& info) {
  const Drawing d = std::get<1>(info.param);
  return std::string(Symbols()[std::get<0>(info.param)].name) + "_" + std::to_string(d.dpi) +
         (d.mils ? "_mils" : "_dots") + (d.text ? (d.above ? "_above" : "_text") : "_bare");
}

INSTANTIATE_TEST_SUITE_P(Kalvo, LinearDecode,
                         testing::Combine(testing::Range<size_t>(0, Symbols().size()),
                                          testing::Values(Drawing{203, false, false}, Drawing{203, false, true},
                                                          Drawing{203, true, false}, Drawing{203, true, true},
                                                          Drawing{300, false, false}, Drawing{300, false, true},
                                                          Drawing{300, true, false}, Drawing{300, true, true},
                                                          Drawing{600, false, false}, Drawing{600, false, true},
                                                          Drawing{600, true, false}, Drawing{600, true, true},
                                                          Drawing{300, false, true, true},
                                                          Drawing{300, true, true, true})),
                         DecodeName);

}  // namespace
