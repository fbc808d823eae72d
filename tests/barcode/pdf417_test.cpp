#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "barcode/kalvo.h"
#include "barcode/pdf417/pdf417_codewords.h"
#include "barcode/pdf417/pdf417_high_level.h"
#include "barcode/pdf417/pdf417_reed_solomon.h"

namespace {

using namespace kalvo::pdf417;

std::span<const uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

std::vector<int> Encode(const std::string& s, Symbology symbology = Symbology::Pdf417) {
  return EncodePdf417Data(symbology, Bytes(s));
}

// A codeword sequence with correct check codewords vanishes at 3^1 ... 3^k.
void ExpectVanishes(const std::vector<int>& word, int k) {
  int root = 1;
  for (int i = 1; i <= k; ++i) {
    root = root * 3 % kPrime;
    int value = 0;
    for (int c : word) value = (value * root + c) % kPrime;
    EXPECT_EQ(value, 0) << "root 3^" << i;
  }
}

TEST(Pdf417, WorkedExamplePdf417AtLevelOne) {
  EXPECT_EQ(Encode("PDF417"), (std::vector<int>{453, 178, 121, 239}));
  Pdf417Request request;
  request.text = Bytes("PDF417");
  request.level = 1;
  request.columns = 3;
  const Pdf417Codewords result = BuildPdf417Codewords(request);
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ(result.codewords, (std::vector<int>{5, 453, 178, 121, 239, 452, 327, 657, 619}));
  EXPECT_EQ(result.rows, 3);
  EXPECT_EQ(result.limits.totalCodewords, 9);
}

TEST(Pdf417, CheckCodewordsOfEveryLevel) {
  std::vector<int> data;
  for (int i = 0; i < 40; ++i) data.push_back((i * 131 + 7) % 929);
  for (int level = 0; level <= 8; ++level) {
    const int k = 2 << level;
    std::vector<int> word = data;
    const std::vector<int> check = Pdf417CheckCodewords(data, k);
    ASSERT_EQ(static_cast<int>(check.size()), k);
    word.insert(word.end(), check.begin(), check.end());
    ExpectVanishes(word, k);
  }
}

TEST(Pdf417, AutomaticLevel) {
  struct Case { int n, level; };
  for (const Case& c : std::vector<Case>{{100, 2}, {19, 0}, {5120, 8}, {0, 0}, {40, 1}, {39, 0}, {79, 1}, {80, 2},
                                         {99999, 8}})
    EXPECT_EQ(CalcErrCorrectLevel(c.n), c.level) << c.n;
}

TEST(Pdf417, MicroSizesByMode) {
  struct Case { int mode, designer, result; LONG x, y, index; };
  for (const Case& c : std::vector<Case>{{0, 0, 0, 1, 11, 0},   {5, 0, 5, 1, 28, 5},    {6, 0, 6, 2, 8, 0},
                                         {12, 0, 12, 2, 26, 6}, {13, 0, 13, 3, 6, 0},   {22, 0, 22, 3, 44, 9},
                                         {23, 0, 23, 4, 6, 1},  {23, 1, 33, 4, 4, 0},   {24, 1, 23, 4, 6, 1},
                                         {33, 1, 32, 4, 44, 10}, {33, 0, 33, 4, 4, 0}, {22, 1, 22, 3, 44, 9}}) {
    POINT size{-1, -1};
    LONG index = -1;
    EXPECT_EQ(GetColRowFromMode(c.mode, &size, &index, c.designer), c.result) << c.mode;
    EXPECT_EQ(size.x, c.x) << c.mode;
    EXPECT_EQ(size.y, c.y) << c.mode;
    EXPECT_EQ(index, c.index) << c.mode;
  }
  for (int mode : {-1, 34}) {
    POINT size{-1, -1};
    LONG index = -1;
    EXPECT_EQ(GetColRowFromMode(mode, &size, &index, 0), 0);
    EXPECT_EQ(size.x, -1);
    EXPECT_EQ(index, -1);
  }
  EXPECT_EQ(GetColRowFromMode(7, nullptr, nullptr, 0), 7);
}

TEST(Pdf417, Compaction) {
  struct Case { std::string text; std::vector<int> codewords; };
  const std::vector<Case> cases{
      {"12345", {902, 124, 745, 900}},          // all digits, 4 to 12 of them: "112345" in base 900
      {"12", {841, 89}},                        // text: mixed latch, 1, 2, pad
      {"AB", {1}},                              // upper submode without latch
      {"ab", {27 * 30 + 0, 1 * 30 + 29}},       // lower latch
      {"A;", {0 * 30 + 28, 25 * 30 + 0}},       // punctuation latch from upper: 28 25
      {"\x80", {913, 128}},                     // one byte: shift
      {"A\x80\x81", {0 * 30 + 29, 901, 128, 129}},
      {"\x01\x02\x03\x04\x05\x06", {924, 0, 0, 0, 0, 0}},  // filled below
  };
  for (size_t i = 0; i + 1 < cases.size(); ++i) EXPECT_EQ(Encode(cases[i].text), cases[i].codewords) << i;
  // Six bytes: five base-900 codewords of the 48-bit number.
  const std::vector<int> six = Encode("\x01\x02\x03\x04\x05\x06");
  ASSERT_EQ(six.size(), 6u);
  EXPECT_EQ(six[0], 924);
  uint64_t value = 0;
  for (int i = 1; i < 6; ++i) value = value * 900 + six[i];
  EXPECT_EQ(value, 0x010203040506ull);
  // Text after a byte run latches back to text first.
  const std::vector<int> mixed = Encode("\x80\x81Z");
  EXPECT_EQ(mixed, (std::vector<int>{901, 128, 129, 900, 25 * 30 + 29}));
}

TEST(Pdf417, NumericRuns) {
  auto contains = [](const std::vector<int>& v, int c) { return std::find(v.begin(), v.end(), c) != v.end(); };
  EXPECT_FALSE(contains(Encode("A123456789012"), 902));  // 12 digits stay text
  const std::vector<int> thirteen = Encode("A1234567890123");
  ASSERT_TRUE(contains(thirteen, 902));
  EXPECT_EQ(thirteen.back(), 900);  // the latch back follows also at the end
  // 44 digits fill one group of 15 codewords; 45 start a second group.
  EXPECT_EQ(Encode(std::string(44, '9') + "A").size(), 1u + 15u + 1u + 1u);
  EXPECT_EQ(Encode(std::string(45, '9') + "A").size(), 1u + 15u + 1u + 1u + 1u);
  // Micro: three digits alone are numeric; PDF417 keeps them as text.
  EXPECT_EQ(Encode("123", Symbology::MicroPdf417)[0], 902);
  EXPECT_NE(Encode("123")[0], 902);
  EXPECT_EQ(Encode("AB", Symbology::MicroPdf417), (std::vector<int>{900, 1}));
}

TEST(Pdf417, Parameters) {
  Pdf417Request request;
  const std::string ten = "ABCDEFGHIJ";
  request.text = Bytes(ten);
  request.columns = 0;
  Pdf417Codewords result = BuildPdf417Codewords(request);
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ(result.columns, 1);
  EXPECT_EQ(result.level, 0);
  EXPECT_EQ(result.rows, 1 + 5 + 2);
  // A short text with many columns is laid out in at least three rows: the
  // column count comes down first (8 codewords: 3 columns of 3 rows, one pad).
  request.columns = 30;
  result = BuildPdf417Codewords(request);
  ASSERT_TRUE(result.Ok());
  EXPECT_GE(result.rows, 3);
  EXPECT_EQ(result.columns, 3);
  EXPECT_EQ(result.rows, 3);
  EXPECT_EQ(static_cast<int>(result.codewords.size()), result.rows * result.columns);
  EXPECT_EQ(result.codewords[0], static_cast<int>(result.codewords.size()) - 2);
  ExpectVanishes(result.codewords, 2);
}

TEST(Pdf417, LimitsAreRefused) {
  struct Case { std::string text; int columns, level; int code, value, needed; };
  const std::vector<Case> cases{
      {"", 5, 0, 101, 1, 0},
      {std::string(1501, 'A'), 5, 0, 100, 1500, 0},
      {std::string(2710, 'A'), 5, 0, 100, 2710, 0},
      {std::string(200, 'A'), 1, 0, 100, 88, 101},       // more than 90 rows
      {std::string(900, 'A'), 30, 8, 100, 416, 451},     // more than 928 codewords
  };
  for (const Case& c : cases) {
    Pdf417Request request;
    request.text = Bytes(c.text);
    request.columns = c.columns;
    request.level = c.level;
    const Pdf417Codewords result = BuildPdf417Codewords(request);
    EXPECT_FALSE(result.Ok()) << c.text.size();
    EXPECT_EQ(result.errorCode, c.code) << c.text.size();
    EXPECT_EQ(result.errorValue, c.value) << c.text.size();
    EXPECT_EQ(result.errorNeeded, c.needed) << c.text.size();
    EXPECT_TRUE(result.codewords.empty());
  }
  // The largest symbol that is allowed: 90 rows of one column.
  Pdf417Request request;
  const std::string text(174, 'A');  // 87 codewords + descriptor + 2 check = 90
  request.text = Bytes(text);
  request.columns = 1;
  request.level = 0;
  const Pdf417Codewords result = BuildPdf417Codewords(request);
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ(result.rows, 90);
}

TEST(Pdf417, MicroCodewords) {
  Pdf417Request request;
  request.symbology = Symbology::MicroPdf417;
  request.text = Bytes("AB");
  request.microIndex = 0;  // 1 x 11: 4 data, 7 check
  Pdf417Codewords result = BuildPdf417Codewords(request);
  ASSERT_TRUE(result.Ok());
  ASSERT_EQ(result.codewords.size(), 11u);
  EXPECT_EQ(std::vector<int>(result.codewords.begin(), result.codewords.begin() + 4),
            (std::vector<int>{900, 1, 900, 838}));
  ExpectVanishes(result.codewords, 7);
  EXPECT_EQ(result.limits.capacity, 4);
  EXPECT_EQ(result.limits.checkCodewords, 7);

  // 1 x 20: 12 data codewords; the fill sequence runs through and starts again.
  request.microIndex = 3;
  result = BuildPdf417Codewords(request);
  ASSERT_TRUE(result.Ok());
  ASSERT_EQ(result.codewords.size(), 20u);
  EXPECT_EQ(std::vector<int>(result.codewords.begin(), result.codewords.begin() + 12),
            (std::vector<int>{900, 1, 900, 838, 779, 867, 865, 898, 868, 839, 900, 838}));
  ExpectVanishes(result.codewords, 8);
  request.microIndex = 0;

  request.text = Bytes("ABCDEFGHIJKL");
  result = BuildPdf417Codewords(request);
  EXPECT_EQ(result.errorCode, 100);
  EXPECT_EQ(result.errorValue, 4);
  EXPECT_EQ(result.errorNeeded, 7);

  request.microIndex = 50;  // clamped to the last row, 4 x 4
  request.text = Bytes("HELLO");
  result = BuildPdf417Codewords(request);
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ(result.microIndex, 33);
  EXPECT_EQ(result.codewords.size(), 16u);
  ExpectVanishes(result.codewords, 8);

  const std::string tooLong(367, 'A');
  request.text = Bytes(tooLong);
  result = BuildPdf417Codewords(request);
  EXPECT_EQ(result.errorCode, 100);
  EXPECT_EQ(result.errorValue, 365);
}

}  // namespace
