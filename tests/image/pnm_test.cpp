// The PPM and PGM decoders: 16-bit samples, comments, separators, scaling,
// refused headers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/image/decode_test_util.h"

namespace {

using namespace dectest;
using Bytes = std::vector<PLBYTE>;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes Join(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(PnmDecoder, SixteenBitBinarySamplesAreReadAsTwoBytesAndScaled) {
  Decoded d = DecodeBytes(Join(Text("P6 2 1 65535\n"), {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0xFF}));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetLineArray32()[0][0], PLPixel32(255, 127, 0, 255));
  EXPECT_EQ(d.bmp->GetLineArray32()[0][1], PLPixel32(0, 1, 0, 255));

  Decoded g = DecodeBytes(Join(Text("P5 3 1 1023\n"), {0x03, 0xFF, 0x02, 0x00, 0x00, 0x04}));
  ASSERT_EQ(g.result, 1);
  EXPECT_TRUE(g.bmp->IsGreyscale());
  EXPECT_EQ(g.bmp->GetLineArray()[0][0], 255);
  EXPECT_EQ(g.bmp->GetLineArray()[0][1], 512 * 255 / 1023);
  EXPECT_EQ(g.bmp->GetLineArray()[0][2], 4 * 255 / 1023);
}

TEST(PnmDecoder, BinaryPpmAtFullRangeLeavesTheFourthByteZero) {
  Decoded d = DecodeBytes(Join(Text("P6\n1 1\n255\n"), {10, 20, 30}));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetLineArray32()[0][0], PLPixel32(10, 20, 30, 0));
  EXPECT_FALSE(d.bmp->HasAlpha());
}

TEST(PnmDecoder, TextSamplesAreScaledByTheMaximum) {
  Decoded d = DecodeBytes(Text("P3\n# a comment\n2 1\n15\n15 0 7\n1 2 3"));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetLineArray32()[0][0], PLPixel32(255, 0, 7 * 255 / 15, 0));
  EXPECT_EQ(d.bmp->GetLineArray32()[0][1], PLPixel32(17, 34, 51, 0));
}

TEST(PnmDecoder, CommentsEndAtCarriageReturnsAndTabsSeparate) {
  Decoded d = DecodeBytes(Text("P2\r# comment\r2\t1\t255\t7 9\t"));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetLineArray()[0][0], 7);
  EXPECT_EQ(d.bmp->GetLineArray()[0][1], 9);
}

TEST(PnmDecoder, BadHeadersAreRefused) {
  const char* cases[] = {"P6 99999999999 1 255\n", "P6 0 1 255\n", "P5 1 1 0\n", "P5 1 1 70000\n", "P6 x 1 255\n"};
  for (const char* text : cases) {
    Decoded d = DecodeBytes(Join(Text(text), Bytes(8, 0)));
    EXPECT_EQ(d.result, 0) << text;
  }
  // A header that ends before its numbers.
  EXPECT_TRUE(DecodeBytes(Text("P6 12  ")).threw);
}

}  // namespace
