// PDF417 and MicroPDF417 through kvoBCode: sizes, limits and the raised row
// height written back into the request, the bitmap, and every refusal with
// its error words and no bitmap.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;

using kalvo_test::Request;

struct PdfRequest : Request {
  PdfRequest(kalvo::Symbology type, const std::string& data) : Request(type, 0, data) {
    code.moduleSize2D = 2;
    code.rowHeight2D = 6;
    code.symbolRows = 0;
    code.symbolColumns = 0;  // automatic
    code.pdfSecurity = 9;    // automatic
    code.pdfTruncated = 0;
    code.microPdfSize = 0;
  }
};

TEST(Pdf417ThroughKvoBCode, MeasuresTheSymbolFromItsCodewords) {
  // "PDF417" at level 1 in two columns: descriptor, four data codewords and a
  // pad make six, four check codewords: ten codewords in five rows.
  PdfRequest r(S::Pdf417, "PDF417");
  r.code.symbolColumns = 2;
  r.code.pdfSecurity = 1;
  ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
  EXPECT_EQ(r.code.errorCode, 0);
  EXPECT_EQ(r.code.symbolColumns, 2);
  EXPECT_EQ(r.code.symbolRows, 5);
  EXPECT_EQ(r.code.width, (17 * 2 + 69) * 2);
  EXPECT_EQ(r.code.height, 5 * 6);
  EXPECT_EQ(r.code.barHeight, 5 * 6);
  EXPECT_EQ(r.code.quietZone, 4);
  EXPECT_EQ(r.code.bitmap, nullptr);
}

TEST(Pdf417ThroughKvoBCode, TruncatedAndMicroWidths) {
  PdfRequest truncated(S::Pdf417, "PDF417");
  truncated.code.symbolColumns = 2;
  truncated.code.pdfSecurity = 1;
  truncated.code.pdfTruncated = 1;
  ASSERT_EQ(kvoBCode(0, &truncated.code, 1), 0);
  EXPECT_EQ(truncated.code.width, (17 * 2 + 35) * 2);

  PdfRequest micro(S::MicroPdf417, "ABC");
  micro.code.microPdfSize = 0;  // 1 column x 11 rows, two row address patterns
  ASSERT_EQ(kvoBCode(0, &micro.code, 1), 0);
  EXPECT_EQ(micro.code.symbolColumns, 1);
  EXPECT_EQ(micro.code.symbolRows, 11);
  EXPECT_EQ(micro.code.width, (17 + 20 + 1) * 2);
  EXPECT_EQ(micro.code.height, 11 * 6);
}

TEST(Pdf417ThroughKvoBCode, ABitmapOfTheSymbolsSizeIsDrawn) {
  for (S type : {S::Pdf417, S::MicroPdf417}) {
    PdfRequest r(type, "PDF417");
    r.code.microPdfSize = 5;  // 1 x 28 for MicroPDF417
    EXPECT_EQ(kvoBCode(0, &r.code, 0), 0) << type;
    EXPECT_EQ(r.code.errorCode, 0) << type;
    ASSERT_NE(r.code.bitmap, nullptr) << type;
    const kalvo_test::Grey grey = kalvo_test::TakeBitmap(r.code);
    EXPECT_EQ(grey.width, (r.code.width + 7) / 8 * 8) << type;
    EXPECT_EQ(grey.height, r.code.height) << type;
    EXPECT_EQ(r.code.padRight, grey.width - r.code.width) << type;
    // The top row starts with a bar: the start pattern, or a row address pattern.
    EXPECT_TRUE(grey.Dark(0, 0)) << type;
    EXPECT_TRUE(grey.Dark(r.code.width - 1, r.code.height - 1)) << type;
  }
}

TEST(Pdf417ThroughKvoBCode, PaintsTheBarColourOnWhite) {
  for (kalvo::Symbology type : {S::Pdf417, S::MicroPdf417}) {
    PdfRequest r(type, "COLOURS");
    r.code.microPdfSize = 7;  // 2 x 11 for MicroPDF417
    r.code.barColor = 0x0000C8;   // red 200: grey (0 + 0 + 200) / 3
    r.code.backColor = 0xFFFF00;  // not used: two-dimensional symbols stand on white
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
    ASSERT_NE(r.code.bitmap, nullptr);
    const kalvo_test::Grey grey = kalvo_test::TakeBitmap(r.code);
    int bars = 0, spaces = 0;
    for (uint8_t v : grey.pixels) {
      bars += v == 66;
      spaces += v == 255;
    }
    const int code = kalvo::CodeOf(type);
    EXPECT_EQ(bars + spaces, grey.width * grey.height) << code;
    EXPECT_GT(bars, 0) << code;
    EXPECT_GT(spaces, 0) << code;
  }
}

TEST(Pdf417ThroughKvoBCode, TheFiveLimitsAreWrittenBack) {
  struct Case { S type; int micro; int limits[5]; };
  // MicroPDF417: 4 columns, 44 rows, columns x rows, capacity, check codewords.
  for (const Case& c : std::vector<Case>{{S::MicroPdf417, 0, {4, 44, 11, 4, 7}},      // 1 x 11
                                         {S::MicroPdf417, 22, {4, 44, 132, 82, 50}},  // 3 x 44
                                         {S::MicroPdf417, 33, {4, 44, 16, 8, 8}}}) {  // 4 x 4
    PdfRequest r(c.type, "AB");
    r.code.microPdfSize = static_cast<int16_t>(c.micro);
    for (int32_t& v : r.code.pdfLimits) v = -7;
    ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(r.code.pdfLimits[i], c.limits[i]) << c.micro << " limit " << i;
  }
  PdfRequest r(S::Pdf417, "PDF417");
  r.code.symbolColumns = 2;
  r.code.pdfSecurity = 1;
  for (int32_t& v : r.code.pdfLimits) v = -7;
  ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
  // The total is the built symbol's: ten codewords (see the first test).
  const int expected[5] = {30, 999, 10, 2710, 512};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(r.code.pdfLimits[i], expected[i]) << "limit " << i;
}

TEST(Pdf417ThroughKvoBCode, ARowHeightBelowOneModuleBecomesThreeModules) {
  struct Case { S type; int module, rowHeight, written; };
  for (const Case& c : std::vector<Case>{{S::Pdf417, 2, 0, 6}, {S::Pdf417, 2, 1, 6}, {S::Pdf417, 2, 2, 2}, {S::Pdf417, 3, 5, 5},
                                         {S::MicroPdf417, 4, 3, 12}, {S::MicroPdf417, 4, 4, 4}, {S::MicroPdf417, 1, 0, 3}}) {
    PdfRequest r(c.type, "ROW HEIGHT");
    r.code.moduleSize2D = static_cast<uint16_t>(c.module);
    r.code.rowHeight2D = static_cast<uint16_t>(c.rowHeight);
    r.code.microPdfSize = 7;
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
    EXPECT_EQ(r.code.rowHeight2D, c.written) << c.type << " " << c.module << " " << c.rowHeight;
    EXPECT_EQ(r.code.height, r.code.symbolRows * c.written);
    const kalvo_test::Grey grey = kalvo_test::TakeBitmap(r.code);
    EXPECT_EQ(grey.height, r.code.symbolRows * c.written);
  }
}

TEST(Pdf417ThroughKvoBCode, TooManyCodewordsForTheSymbolIsAnErrorWithoutBitmap) {
  PdfRequest r(S::MicroPdf417, std::string(200, 'a'));
  r.code.microPdfSize = 0;  // 1 x 11 holds far less
  EXPECT_EQ(kvoBCode(0, &r.code, 0), 0);
  EXPECT_EQ(r.code.errorCode, 100);
  EXPECT_GT(r.code.errorNeeded, r.code.errorValue);
  EXPECT_EQ(r.code.bitmap, nullptr);
}

// Every refusal of the encoder, measured or drawn: result 0, the error words,
// and no bitmap.
struct Refusal {
  const char* name;
  kalvo::Symbology type;
  std::string data;
  int columns, level, microSize;
  int result, errorCode, errorValue, errorNeeded;
};

void PrintTo(const Refusal& c, std::ostream* out) { *out << c.name; }

class Pdf417Refusal : public testing::TestWithParam<Refusal> {};

TEST_P(Pdf417Refusal, SetsItsErrorWordsAndDrawsNothing) {
  const Refusal& c = GetParam();
  for (int measureOnly : {0, 1}) {
    PdfRequest r(c.type, c.data);
    r.code.symbolColumns = static_cast<int16_t>(c.columns);
    r.code.pdfSecurity = static_cast<uint8_t>(c.level);
    r.code.microPdfSize = static_cast<int16_t>(c.microSize);
    EXPECT_EQ(kvoBCode(0, &r.code, measureOnly), c.result);
    EXPECT_EQ(r.code.errorCode, c.errorCode);
    EXPECT_EQ(r.code.errorValue, c.errorValue);
    EXPECT_EQ(r.code.errorNeeded, c.errorNeeded);
    EXPECT_EQ(r.code.bitmap, nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kalvo, Pdf417Refusal,
    testing::Values(
        // The entry's length check comes first.
        Refusal{"Pdf417Empty", S::Pdf417, "", 0, 9, 0, 102, 0, 0, 0},
        Refusal{"Pdf417Over2709", S::Pdf417, std::string(2710, 'A'), 0, 9, 0, 102, 0, 0, 0},
        Refusal{"MicroEmpty", S::MicroPdf417, "", 0, 9, 0, 102, 0, 0, 0},
        Refusal{"MicroOver366", S::MicroPdf417, std::string(367, 'A'), 0, 9, 0, 102, 0, 0, 0},
        // The codeword stage's own limit.
        Refusal{"Pdf417Over1500", S::Pdf417, std::string(1501, 'A'), 10, 2, 0, 0, 100, 1500, 0},
        // 101 codewords with the descriptor at level 0 need 103 > 90 rows of one column.
        Refusal{"Pdf417MoreThan90Rows", S::Pdf417, std::string(200, 'A'), 1, 0, 0, 0, 100, 88, 101},
        // 451 data codewords and 512 check codewords exceed 928.
        Refusal{"Pdf417MoreThan928Codewords", S::Pdf417, std::string(900, 'A'), 30, 8, 0, 0, 100, 416, 451},
        // 1 x 11 holds 4 data codewords; latch and 12 letters need 7.
        Refusal{"MicroTooMuchFor1x11", S::MicroPdf417, "ABCDEFGHIJKL", 0, 9, 0, 0, 100, 4, 7},
        // 4 x 44 holds 126; 300 bytes take a latch and 50 groups of five.
        Refusal{"MicroTooMuchFor4x44", S::MicroPdf417, std::string(300, '\x80'), 0, 9, 32, 0, 100, 126, 251}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST(Pdf417ThroughKvoBCode, AnUnusableResolutionDrawsNothing) {
  for (S type : {S::Pdf417, S::MicroPdf417}) {
    PdfRequest r(type, "ABC");
    r.code.resolution = 0;
    r.code.deviceUnits = 0;
    EXPECT_EQ(kvoBCode(0, &r.code, 0), 1) << type;
    EXPECT_EQ(r.code.errorValue, 1) << type;
    EXPECT_EQ(r.code.bitmap, nullptr) << type;
  }
}

}  // namespace
