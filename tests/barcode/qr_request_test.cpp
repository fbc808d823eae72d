// QR Code and Data Matrix through kvoBCode: sizes written back, the library's
// bitmap decoded by zxing, and the refusals that leave no bitmap.
#include <gtest/gtest.h>

#include <zlib.h>

#include "platform/resource/resource.h"
#include "tests/barcode/kalvo_request.h"

namespace {

using S = kalvo::Symbology;

using kalvo_test::Request;

ZXing::DecodeHints Hints(ZXing::BarcodeFormat format) {
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  return hints;
}

struct QrRequest : Request {
  QrRequest(const std::string& data, int level, int module) : Request(S::QrCode, 0, data) {
    code.moduleSize2D = static_cast<uint16_t>(module);
    code.qrLevel = static_cast<uint16_t>(level);
  }
};

TEST(QrThroughKvoBCode, NumericVersionOneSizesAndBitmap) {
  QrRequest r("01234567", 0, 4);
  ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
  EXPECT_EQ(r.code.width, 84);
  EXPECT_EQ(r.code.height, 84);
  EXPECT_EQ(r.code.barHeight, 84);
  EXPECT_EQ(r.code.quietZone, 8);
  EXPECT_EQ(r.code.rowHeight2D, 4);
  EXPECT_EQ(r.code.padRight, 4);
  ASSERT_NE(r.code.bitmap, nullptr);
  const kalvo_test::Grey grey = kalvo_test::TakeBitmap(r.code);
  EXPECT_EQ(grey.width, 88);
  EXPECT_EQ(grey.height, 84);
  const ZXing::Result result = kalvo_test::Decode(grey, 16, Hints(ZXing::BarcodeFormat::QRCode));
  ASSERT_TRUE(result.isValid());
  EXPECT_EQ(kalvo_test::BytesOf(result), "01234567");
}

TEST(QrThroughKvoBCode, ContentsAndLevelsDecode) {
  struct Case { std::string data; int level; };
  for (const Case& c : std::vector<Case>{{"HELLO WORLD 50%", 1}, {"Hello, world", 2}, {"C:\\TEMP\\\xE9", 3},
                                         {std::string(500, '7'), 7}}) {
    QrRequest r(c.data, c.level, 3);
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0) << c.data;
    const ZXing::Result result =
        kalvo_test::Decode(kalvo_test::TakeBitmap(r.code), 12, Hints(ZXing::BarcodeFormat::QRCode));
    ASSERT_TRUE(result.isValid()) << c.data;
    EXPECT_EQ(kalvo_test::BytesOf(result), c.data);
  }
}

TEST(QrThroughKvoBCode, ScaledToTheTargetResolution) {
  QrRequest r("SCALED", 0, 3);
  r.code.resolution = 200;
  r.code.targetResolution = 400;
  ASSERT_EQ(kvoBCode(0, &r.code, 0), 0);
  EXPECT_EQ(r.code.width, 63);
  const kalvo_test::Grey grey = kalvo_test::TakeBitmap(r.code);
  EXPECT_EQ(grey.height, 126);
  EXPECT_EQ(grey.width, 128);
  EXPECT_TRUE(kalvo_test::Decode(grey, 16, Hints(ZXing::BarcodeFormat::QRCode)).isValid());
}

TEST(QrThroughKvoBCode, MeasureOnlyDrawsNothing) {
  QrRequest r("01234567", 0, 2);
  ASSERT_EQ(kvoBCode(0, &r.code, 1), 0);
  EXPECT_EQ(r.code.width, 42);
  EXPECT_EQ(r.code.bitmap, nullptr);
}

TEST(QrThroughKvoBCode, TooLongForVersion40LeavesNoBitmap) {
  QrRequest r(std::string(2954, 'x'), 1, 1);
  EXPECT_EQ(kvoBCode(0, &r.code, 0), -1);
  EXPECT_EQ(r.code.bitmap, nullptr);
  EXPECT_EQ(r.code.width, 0);
}

// The QR Code tables are "TEXT" resources of the library: placement tables
// compressed, remainder tables raw.
TEST(QrThroughKvoBCode, TablesAreResourcesOfTheLibrary) {
  const HMODULE library = ModuleFromAddress(reinterpret_cast<const void*>(&kvoBCode));
  struct Case { int id; uLongf inflated; bool compressed; };
  // Version 1: 26 codewords, 208 bit positions; version 40: 3,706 codewords; one block per level
  // at version 1, 81 at 40-H.
  for (const Case& c : std::vector<Case>{{9001, 3 * 208 + 31 + 1, true},
                                         {9240, 3 * 29648 + 31 + 81, true},
                                         {8007, 256 * 7, false},
                                         {8030, 256 * 30, false},
                                         {8068, 256 * 68, false}}) {
    HRSRC resource = FindResourceA(library, MAKEINTRESOURCEA(static_cast<WORD>(c.id)), "TEXT");
    ASSERT_NE(resource, nullptr) << c.id;
    const auto* bytes = static_cast<const Bytef*>(LockResource(LoadResource(library, resource)));
    const DWORD size = SizeofResource(library, resource);
    if (!c.compressed) {
      EXPECT_EQ(size, c.inflated) << c.id;
      continue;
    }
    std::vector<Bytef> out(92160);
    uLongf outSize = out.size();
    ASSERT_EQ(uncompress(out.data(), &outSize, bytes, size), Z_OK) << c.id;
    EXPECT_EQ(outSize, c.inflated) << c.id;
  }
  EXPECT_EQ(FindResourceA(library, MAKEINTRESOURCEA(9041), "TEXT"), nullptr);
}

struct DataMatrixRequest : Request {
  DataMatrixRequest(const std::string& data, int rows, int columns, int module) : Request(S::DataMatrix, 0, data) {
    code.moduleSize2D = static_cast<uint16_t>(module);
    code.symbolRows = static_cast<int16_t>(rows);
    code.symbolColumns = static_cast<int16_t>(columns);
  }
};

TEST(DataMatrixThroughKvoBCode, SizesAndBitmap) {
  struct Case { std::string data; int rows, columns; int outRows, outColumns; };
  for (const Case& c : std::vector<Case>{{"123456", 0, 0, 10, 10},
                                         {"ABCDEFGHIJ", 16, 16, 16, 16},
                                         {"!!!!!!!!!!", 0, 0, 16, 16},  // ten ASCII codewords
                                         {"ABCD", 8, 18, 8, 18},
                                         {"ABCD", 13, 13, 12, 12}}) {
    DataMatrixRequest r(c.data, c.rows, c.columns, 4);
    ASSERT_EQ(kvoBCode(0, &r.code, 0), 0) << c.data;
    EXPECT_EQ(r.code.symbolRows, c.outRows) << c.data;
    EXPECT_EQ(r.code.symbolColumns, c.outColumns) << c.data;
    EXPECT_EQ(r.code.width, 4 * c.outColumns);
    EXPECT_EQ(r.code.height, 4 * c.outRows);
    EXPECT_EQ(r.code.quietZone, 8);
    EXPECT_EQ(r.code.errorCode, 0);
    const ZXing::Result result =
        kalvo_test::Decode(kalvo_test::TakeBitmap(r.code), 8, Hints(ZXing::BarcodeFormat::DataMatrix));
    ASSERT_TRUE(result.isValid()) << c.data;
    EXPECT_EQ(kalvo_test::BytesOf(result), c.data);
  }
}

TEST(DataMatrixThroughKvoBCode, RefusalsLeaveNoBitmap) {
  struct Case { std::string data; int rows, columns; int result; };
  for (const Case& c : std::vector<Case>{{"", 0, 0, 102},                      // common validation
                                         {std::string(3001, 'A'), 0, 0, 102},
                                         {std::string(1600, '\x01'), 0, 0, 0},  // fits no symbol
                                         {"ABCDEFGHIJKLMNOP", 10, 10, 0}}) {   // not the requested one
    DataMatrixRequest r(c.data, c.rows, c.columns, 2);
    EXPECT_EQ(kvoBCode(0, &r.code, 0), c.result) << c.data.size();
    EXPECT_EQ(r.code.bitmap, nullptr);
    EXPECT_EQ(r.code.errorCode, 0);
  }
}

TEST(DataMatrixThroughKvoBCode, DimensionExports) {
  EXPECT_EQ(GetDatamatrixDimensionsCount(), 30);
  struct Case { int n; LONG x, y; };
  for (const Case& c : std::vector<Case>{{0, 10, 10}, {3, 16, 16}, {9, 32, 32}, {23, 144, 144}, {24, 18, 8},
                                         {25, 32, 8}, {29, 48, 16}, {30, 0, 0}, {-1, 0, 0}}) {
    const POINT p = GetDatamatrixNthDimension(c.n);
    EXPECT_EQ(p.x, c.x) << c.n;
    EXPECT_EQ(p.y, c.y) << c.n;
  }
}

}  // namespace
