// PDF417 and MicroPDF417 through kvoBCode: sizes and limits are answered; a
// bitmap is refused with "nothing drawn" while the symbol cannot be painted.
#include <gtest/gtest.h>

#include "tests/barcode/kalvo_request.h"

namespace {

using kalvo_test::Request;

struct PdfRequest : Request {
  PdfRequest(int type, const std::string& data) : Request(type, 0, data) {
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
  PdfRequest r(27, "PDF417");
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
  PdfRequest truncated(27, "PDF417");
  truncated.code.symbolColumns = 2;
  truncated.code.pdfSecurity = 1;
  truncated.code.pdfTruncated = 1;
  ASSERT_EQ(kvoBCode(0, &truncated.code, 1), 0);
  EXPECT_EQ(truncated.code.width, (17 * 2 + 35) * 2);

  PdfRequest micro(31, "ABC");
  micro.code.microPdfSize = 0;  // 1 column x 11 rows, two row address patterns
  ASSERT_EQ(kvoBCode(0, &micro.code, 1), 0);
  EXPECT_EQ(micro.code.symbolColumns, 1);
  EXPECT_EQ(micro.code.symbolRows, 11);
  EXPECT_EQ(micro.code.width, (17 + 20 + 1) * 2);
  EXPECT_EQ(micro.code.height, 11 * 6);
}

TEST(Pdf417ThroughKvoBCode, ABitmapIsNotClaimedWhenNoneIsDrawn) {
  for (int type : {27, 31}) {
    PdfRequest r(type, "PDF417");
    r.code.microPdfSize = 5;  // 1 x 28 for MicroPDF417
    EXPECT_EQ(kvoBCode(0, &r.code, 0), 1) << type;
    EXPECT_EQ(r.code.errorCode, 0) << type;
    EXPECT_EQ(r.code.bitmap, nullptr) << type;
  }
}

TEST(Pdf417ThroughKvoBCode, TooManyCodewordsForTheSymbolIsAnErrorWithoutBitmap) {
  PdfRequest r(31, std::string(200, 'a'));
  r.code.microPdfSize = 0;  // 1 x 11 holds far less
  EXPECT_EQ(kvoBCode(0, &r.code, 0), 0);
  EXPECT_EQ(r.code.errorCode, 100);
  EXPECT_GT(r.code.errorNeeded, r.code.errorValue);
  EXPECT_EQ(r.code.bitmap, nullptr);
}

}  // namespace
