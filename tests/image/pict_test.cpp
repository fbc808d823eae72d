// The PICT decoder on pictures built by hand: unpacked and packed 8-bit
// rows, 16-bit and 32-bit direct pixels, version-1 bitmaps, opcode
// alignment, embedded JPEG data and pictures without any bitmap.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/image/byte_builder.h"
#include "tests/image/decode_test_util.h"

namespace {

using namespace dectest;
using Bytes = std::vector<PLBYTE>;

using imgtest::Be16;
using imgtest::Be32;
void Rect(Bytes& b, int top, int left, int bottom, int right) {
  for (int v : {top, left, bottom, right}) Be16(b, v);
}

// Header, frame and version 2 opcode, then the given opcodes.
Bytes Picture(const Bytes& opcodes, int width, int height) {
  Bytes b(512, 0);
  Be16(b, 0);
  Rect(b, 0, 0, height, width);
  Be16(b, 0x0011);
  Be16(b, 0x02FF);
  // The extended version 2 header: 24 bytes, the last four reserved (and
  // not zero here, so that a short skip would misread them as opcodes).
  Be16(b, 0x0C00);
  Be16(b, 0xFFFE);
  Be16(b, 0);
  Be32(b, 72 << 16);
  Be32(b, 72 << 16);
  Rect(b, 0, 0, height, width);
  b.insert(b.end(), {0x12, 0x34, 0x56, 0x78});
  b.insert(b.end(), opcodes.begin(), opcodes.end());
  if (b.size() % 2) b.push_back(0);
  Be16(b, 0x00FF);
  if (b.size() < 600) b.resize(600, 0);
  return b;
}

// The PixMap after rowBytes and bounds.
void PixMap(Bytes& b, int packType, int pixelSize, int cmpCount, int cmpSize) {
  Be16(b, 0);
  Be16(b, packType);
  Be32(b, 0);
  Be32(b, 72 << 16);
  Be32(b, 72 << 16);
  Be16(b, pixelSize > 8 ? 16 : 0);
  Be16(b, pixelSize);
  Be16(b, cmpCount);
  Be16(b, cmpSize);
  Be32(b, 0);
  Be32(b, 0);
  Be32(b, 0);
}

// An 8-bit PackBitsRect of the given rows with a 3-entry colour table.
Bytes Indexed8(int width, const std::vector<Bytes>& rows, int rowBytes) {
  Bytes b;
  Be16(b, 0x0098);
  Be16(b, 0x8000 | rowBytes);
  Rect(b, 0, 0, int(rows.size()), width);
  PixMap(b, 0, 8, 1, 8);
  Be32(b, 0);
  Be16(b, 0);
  Be16(b, 2);  // three entries
  const int colours[3][3] = {{0xFF00, 0, 0}, {0, 0xFF00, 0}, {0, 0, 0xFF00}};
  for (int i = 0; i < 3; ++i) {
    Be16(b, i);
    for (int c : colours[i]) Be16(b, c);
  }
  Rect(b, 0, 0, int(rows.size()), width);
  Rect(b, 0, 0, int(rows.size()), width);
  Be16(b, 0);
  for (const Bytes& row : rows) {
    if (rowBytes < 8) {
      b.insert(b.end(), row.begin(), row.end());
    } else {
      b.push_back(PLBYTE(row.size() + 1));
      b.push_back(PLBYTE(row.size() - 1));
      b.insert(b.end(), row.begin(), row.end());
    }
  }
  return b;
}

TEST(PictDecoder, EightBitRowsUnpackedBelowEightBytesAndPackedFromEight) {
  for (int width : {4, 10}) {
    std::vector<Bytes> rows(2, Bytes(size_t(width), 0));
    for (int x = 0; x < width; ++x) rows[0][size_t(x)] = PLBYTE(x % 3), rows[1][size_t(x)] = PLBYTE((x + 1) % 3);
    Decoded d = DecodeBytes(Picture(Indexed8(width, rows, width), width, 2));
    ASSERT_EQ(d.result, 1) << width;
    EXPECT_EQ(d.format, PL_FT_MACPICT);
    EXPECT_EQ(d.bpp, 8);
    for (int x = 0; x < width; ++x) EXPECT_EQ(d.bmp->GetLineArray()[1][x], (x + 1) % 3) << width << " " << x;
    EXPECT_EQ(d.bmp->GetPalette()[1], PLPixel32(0, 255, 0));
  }
}

TEST(PictDecoder, OpcodesOnOddPositionsAreAlignedFirst) {
  Bytes ops;
  Be16(ops, 0x0004);  // TxFace: one byte of data, so the next opcode is padded
  ops.push_back(1);
  ops.push_back(0);
  std::vector<Bytes> rows = {{0, 1, 2, 0}};
  Bytes image = Indexed8(4, rows, 4);
  ops.insert(ops.end(), image.begin(), image.end());
  Decoded d = DecodeBytes(Picture(ops, 4, 1));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetLineArray()[0][2], 2);
}

TEST(PictDecoder, SixteenBitDirectPixels) {
  // x-5-5-5 units, packed in 2-byte units: a run of 8 pixels of one colour.
  // In the second the green bits straddle the two bytes.
  struct Case {
    PLBYTE high, low;
    PLPixel32 expected;
  };
  const Case cases[] = {{0x7C, 0x00, PLPixel32(0xF8, 0, 0)}, {0x4D, 0x79, PLPixel32(0x13 << 3, 0x0B << 3, 0x19 << 3)}};
  for (const Case& c : cases) {
    Bytes b;
    Be16(b, 0x009A);
    Be32(b, 0xFF);
    Be16(b, 0x8000 | 16);
    Rect(b, 0, 0, 1, 8);
    PixMap(b, 3, 16, 3, 5);
    Rect(b, 0, 0, 1, 8);
    Rect(b, 0, 0, 1, 8);
    Be16(b, 0);
    b.insert(b.end(), {3, PLBYTE(257 - 8), c.high, c.low});
    Decoded d = DecodeBytes(Picture(b, 8, 1));
    ASSERT_EQ(d.result, 1);
    EXPECT_EQ(d.bpp, 32);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(d.bmp->GetLineArray32()[0][x], c.expected) << x;
  }
}

TEST(PictDecoder, ThirtyTwoBitPlanesWithAlpha) {
  const int width = 3;
  Bytes b;
  Be16(b, 0x009A);
  Be32(b, 0xFF);
  Be16(b, 0x8000 | (width * 4));
  Rect(b, 0, 0, 1, width);
  PixMap(b, 4, 32, 4, 8);
  Rect(b, 0, 0, 1, width);
  Rect(b, 0, 0, 1, width);
  Be16(b, 0);
  // Planes alpha, red, green, blue as one literal run of 12 bytes.
  Bytes row = {10, 20, 30, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  b.push_back(PLBYTE(row.size() + 1));
  b.push_back(PLBYTE(row.size() - 1));
  b.insert(b.end(), row.begin(), row.end());
  Decoded d = DecodeBytes(Picture(b, width, 1));
  ASSERT_EQ(d.result, 1);
  EXPECT_TRUE(d.bmp->HasAlpha());
  EXPECT_EQ(d.bmp->GetLineArray32()[0][0], PLPixel32(1, 4, 7, 10));
  EXPECT_EQ(d.bmp->GetLineArray32()[0][2], PLPixel32(3, 6, 9, 30));
}

TEST(PictDecoder, VersionOneBitmapPaintsSetBitsBlack) {
  Bytes b(512, 0);
  Be16(b, 0);
  Rect(b, 0, 0, 1, 8);
  b.insert(b.end(), {0x11, 0x01});
  b.push_back(0x01);  // Clip: a 10-byte region, as version 1 pictures begin
  Be16(b, 10);
  Rect(b, 0, 0, 1, 8);
  b.push_back(0x90);  // BitsRect
  Be16(b, 2);         // rowBytes
  Rect(b, 0, 0, 1, 8);
  Rect(b, 0, 0, 1, 8);
  Rect(b, 0, 0, 1, 8);
  Be16(b, 0);
  b.insert(b.end(), {0xF0, 0x00});
  b.push_back(0xFF);
  b.resize(600, 0);
  Decoded d = DecodeBytes(b);
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetPalette()[d.bmp->GetLineArray()[0][0]], PLPixel32(0, 0, 0));
  EXPECT_EQ(d.bmp->GetPalette()[d.bmp->GetLineArray()[0][7]], PLPixel32(255, 255, 255));
}

TEST(PictDecoder, EmbeddedJpegIsDecodedByTheJpegDecoder) {
  Bytes jpeg = ReadFile(std::string(TAV_TEST_DATA_DIR) + "/corpus/jpg");
  ASSERT_GT(jpeg.size(), 10u);
  jpeg.erase(jpeg.begin());  // the fuzzers' name byte
  Decoded plain = DecodeBytes(jpeg);
  ASSERT_EQ(plain.result, 1);
  Bytes b;
  Be16(b, 0x8200);
  Be32(b, int64_t(jpeg.size()) + 20);
  b.insert(b.end(), 20, 0x55);  // QuickTime description before the data
  b.insert(b.end(), jpeg.begin(), jpeg.end());
  Decoded d = DecodeBytes(Picture(b, plain.bmp->GetWidth(), plain.bmp->GetHeight()));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(MaxDifference(Rgba(*d.bmp), Rgba(*plain.bmp)), 0);
}

TEST(PictDecoder, PicturesWithoutABitmapFail) {
  Bytes ops;
  Be16(ops, 0x0031);  // paintRect
  Rect(ops, 0, 0, 4, 4);
  Decoded d = DecodeBytes(Picture(ops, 4, 4));
  EXPECT_EQ(d.result, 0);
  EXPECT_FALSE(d.threw);
}

}  // namespace
