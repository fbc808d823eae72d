// PDF417 bitmaps from kvoBCode read back by zxing-cpp to the exact data: every
// column count from 1 to 30, every security level, text, numeric and byte
// compaction and their switches, row heights of 2 to 4 modules, module widths
// of 1 to 4 pixels, the truncated form, and symbols of 3 and of 90 rows.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;

using kalvo_test::Request;

struct Sample {
  const char* name;
  std::string data;
};

std::string Range(int from, int to) {
  std::string s;
  for (int c = from; c <= to; ++c) s += static_cast<char>(c);
  return s;
}

// Data that exercises one compaction mode, or the switches between them.
const std::vector<Sample>& Samples() {
  static const std::vector<Sample> samples{
      {"UpperText", "PDF FOUR SEVENTEEN STACKED SYMBOL"},
      {"MixedCaseText", "Mixed case Text, with: punctuation; (and) 'quotes' & #signs $1.50/kg!"},
      {"Numeric", "31415926535897932384626433832795028841971693993751058209749445923"},
      {"ShortNumeric", "20261209"},
      {"Bytes", Range(128, 200)},
      {"ControlBytes", "\x01\x02\x03\x04\x05\x06\x07\x08\x0e\x0f"},
      {"TextDigitsText", "Order 1234567890123 shipped to Tavrendel 42"},
      {"TextBytesText", "price \xa3" "12 \xe9t\xe9 \x80\x81\x82\x83\x84\x85 done\t\r\nend"},
      {"AllSwitches", "ab" "12345678901234567890" "\x90\x91\x92" "XY;z" "\x01" "9876543210987654" "!"},
  };
  return samples;
}

struct Pdf417Case {
  std::string name;
  std::string data;
  int columns, level, rowModules, module;
  bool truncated;
  int expectRows = 0;  // 0: not checked
  int targetResolution = 0;  // the bitmap's dpi; 0: the symbol's own 300
};

void PrintTo(const Pdf417Case& c, std::ostream* out) { *out << c.name; }

// `n` bytes from 128 upwards, wrapping at 255.
std::string HighBytes(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += static_cast<char>(128 + i % 128);
  return s;
}

// A sample repeated until it has at least `length` bytes.
std::string Repeated(const std::string& sample, size_t length) {
  std::string s = sample;
  while (s.size() < length) s += sample;
  return s;
}

// One case per column count, the other settings turned through their ranges
// with it: level c mod 9, row height 2..4 modules, module width 1..4 pixels,
// every other symbol truncated, the data samples in turn, each long enough to
// keep the column count (at least three rows).
std::vector<Pdf417Case> Cases() {
  std::vector<Pdf417Case> cases;
  const std::vector<Sample>& samples = Samples();
  for (int columns = 1; columns <= 30; ++columns) {
    const Sample& s = samples[columns % samples.size()];
    const int level = columns % 9;
    const bool truncated = columns % 2 == 1;
    cases.push_back({"Columns" + std::to_string(columns) + "Level" + std::to_string(level) + s.name +
                         (truncated ? "Truncated" : ""),
                     Repeated(s.data, 12 * columns), columns, level, 2 + columns % 3, 1 + columns % 4, truncated});
  }
  // Every sample at a middle size, plain and truncated.
  for (const Sample& s : samples)
    for (bool truncated : {false, true})
      cases.push_back({std::string(s.name) + (truncated ? "Truncated" : "Plain"), s.data, 4, 2, 3, 2, truncated});
  // Three rows: descriptor, 14 letters in 7 codewords, level 1: 12 codewords in 4 columns.
  cases.push_back({"ThreeRows", "THREEROWSSHORT", 4, 1, 3, 2, false, 3});
  cases.push_back({"ThreeRowsTruncated", "THREEROWSSHORT", 4, 1, 3, 2, true, 3});
  // Ninety rows: descriptor, 174 letters in 87 codewords, level 0: 90 codewords in one column.
  cases.push_back({"NinetyRows", std::string(174, 'N'), 1, 0, 3, 2, false, 90});
  // Descriptor, latch, 94 groups of six bytes in 470 codewords, 4 bytes, a pad
  // and 64 check codewords: 540 codewords in 6 columns.
  cases.push_back({"NinetyRowsWide", HighBytes(568), 6, 5, 2, 1, false, 90});
  cases.push_back({"NinetyRowsWideTruncated", HighBytes(568), 6, 5, 3, 2, true, 90});
  // Drawn at another resolution than the symbol's: every edge scaled.
  for (int target : {600, 450, 200}) {
    Pdf417Case c{"ScaledTo" + std::to_string(target) + "Dpi", Samples()[7].data, 5, 3, 3, 3, false};
    c.targetResolution = target;
    cases.push_back(c);
  }
  return cases;
}

class Pdf417Decode : public testing::TestWithParam<Pdf417Case> {};

TEST_P(Pdf417Decode, ZxingReadsTheExactData) {
  const Pdf417Case& c = GetParam();
  Request r(S::Pdf417, 0, c.data);
  r.code.resolution = 300;
  r.code.moduleSize2D = static_cast<uint16_t>(c.module);
  r.code.rowHeight2D = static_cast<uint16_t>(c.rowModules * c.module);
  r.code.symbolRows = 0;
  r.code.symbolColumns = static_cast<int16_t>(c.columns);
  r.code.pdfSecurity = static_cast<uint8_t>(c.level);
  r.code.pdfTruncated = c.truncated ? 1 : 0;
  r.code.targetResolution = c.targetResolution;
  ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
  ASSERT_EQ(r.code.errorCode, 0);
  ASSERT_NE(r.code.bitmap, nullptr);
  EXPECT_EQ(r.code.symbolColumns, c.columns);
  EXPECT_EQ(r.code.pdfSecurity, c.level);
  if (c.expectRows != 0) {
    EXPECT_EQ(r.code.symbolRows, c.expectRows);
  }
  EXPECT_EQ(r.code.width, (17 * c.columns + (c.truncated ? 35 : 69)) * c.module);
  EXPECT_EQ(r.code.height, r.code.symbolRows * c.rowModules * c.module);
  const double scale = c.targetResolution > 0 ? c.targetResolution / 300.0 : 1.0;
  const kalvo_test::Grey grey = kalvo_test::TakeBitmap(r.code);
  EXPECT_EQ(grey.width, (static_cast<int>(r.code.width * scale + 0.5) + 7) / 8 * 8);
  EXPECT_EQ(grey.height, static_cast<int>(r.code.height * scale + 0.5));

  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::PDF417);
  hints.setTryHarder(true);
  const ZXing::Result result = kalvo_test::Decode(grey, static_cast<int>(4 * c.module * scale), hints);
  ASSERT_TRUE(result.isValid()) << c.name;
  EXPECT_EQ(kalvo_test::BytesOf(result), c.data);
}

INSTANTIATE_TEST_SUITE_P(Kalvo, Pdf417Decode, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Pdf417Case>& info) { return info.param.name; });

}  // namespace
