// The Targa decoder on files built by hand: row order, 16-bit alpha,
// colour maps on true-colour pictures, run-length packets across rows,
// greyscale.
#include <gtest/gtest.h>

#include <vector>

#include "tests/image/decode_test_util.h"

namespace {

using namespace dectest;
using Bytes = std::vector<PLBYTE>;

Bytes Header(int imageType, int width, int height, int depth, int descriptor, int mapType = 0, int mapLength = 0,
             int mapEntry = 0) {
  Bytes h(18, 0);
  h[1] = PLBYTE(mapType);
  h[2] = PLBYTE(imageType);
  h[5] = PLBYTE(mapLength);
  h[6] = PLBYTE(mapLength >> 8);
  h[7] = PLBYTE(mapEntry);
  h[12] = PLBYTE(width);
  h[14] = PLBYTE(height);
  h[16] = PLBYTE(depth);
  h[17] = PLBYTE(descriptor);
  return h;
}

Bytes Join(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

PLPixel32 At(const PLBmp& bmp, int x, int y) {
  if (bmp.GetBitsPerPixel() == 8) return bmp.GetPalette()[bmp.GetLineArray()[y][x]];
  return bmp.GetLineArray32()[y][x];
}

// Two rows of one pixel: red stored first, then blue.
const Bytes kTwoRows = {0, 0, 255, 255, 0, 0};

TEST(TgaDecoder, DescriptorBitFiveSaysWhichRowComesFirst) {
  Decoded bottomUp = DecodeBytes(Join(Header(2, 1, 2, 24, 0x00), kTwoRows));
  ASSERT_EQ(bottomUp.result, 1);
  EXPECT_EQ(At(*bottomUp.bmp, 0, 0), PLPixel32(0, 0, 255));  // stored last, shown on top
  EXPECT_EQ(At(*bottomUp.bmp, 0, 1), PLPixel32(255, 0, 0));
  Decoded topDown = DecodeBytes(Join(Header(2, 1, 2, 24, 0x20), kTwoRows));
  ASSERT_EQ(topDown.result, 1);
  EXPECT_EQ(At(*topDown.bmp, 0, 0), PLPixel32(255, 0, 0));
}

TEST(TgaDecoder, SixteenBitPixelsCarryOneAlphaBit) {
  // x-5-5-5 with one alpha bit (descriptor 0x21): 0x7C00 red without the
  // top bit is transparent, 0x83E0 green with it opaque.
  Decoded d = DecodeBytes(Join(Header(2, 2, 1, 16, 0x21), {0x00, 0x7C, 0xE0, 0x83}));
  ASSERT_EQ(d.result, 1);
  EXPECT_TRUE(d.bmp->HasAlpha());
  EXPECT_EQ(At(*d.bmp, 0, 0), PLPixel32(0xF8, 0, 0, 0));
  EXPECT_EQ(At(*d.bmp, 1, 0), PLPixel32(0, 0xF8, 0, 0xFF));
}

TEST(TgaDecoder, SixteenBitPixelsWithoutAlphaBitsAreOpaque) {
  Decoded d = DecodeBytes(Join(Header(2, 2, 1, 16, 0x20), {0x00, 0x7C, 0xE0, 0x83}));
  ASSERT_EQ(d.result, 1);
  EXPECT_FALSE(d.bmp->HasAlpha());
  EXPECT_EQ(At(*d.bmp, 0, 0), PLPixel32(0xF8, 0, 0, 0xFF));
  EXPECT_EQ(At(*d.bmp, 1, 0), PLPixel32(0, 0xF8, 0, 0xFF));
}

TEST(TgaDecoder, DescriptorBitFourStoresRowsRightToLeft) {
  // One row of red, green, blue stored right to left.
  Decoded d = DecodeBytes(Join(Header(2, 3, 1, 24, 0x30), {0, 0, 255, 0, 255, 0, 255, 0, 0}));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(At(*d.bmp, 0, 0), PLPixel32(0, 0, 255));
  EXPECT_EQ(At(*d.bmp, 2, 0), PLPixel32(255, 0, 0));
}

TEST(TgaDecoder, TrueColourWithAColourMapSkipsTheMap) {
  // A map of three 24-bit entries that a true-colour picture does not use.
  Bytes map = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  Decoded d = DecodeBytes(Join(Join(Header(2, 1, 2, 24, 0x20, 1, 3, 24), map), kTwoRows));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(At(*d.bmp, 0, 0), PLPixel32(255, 0, 0));
  EXPECT_EQ(At(*d.bmp, 0, 1), PLPixel32(0, 0, 255));
}

TEST(TgaDecoder, ColourMappedPicturesUseTheMap) {
  Bytes map = {0, 0, 255, 0, 255, 0};  // entry 0 red, entry 1 green
  Decoded d = DecodeBytes(Join(Join(Header(1, 2, 1, 8, 0x20, 1, 2, 24), map), {1, 0}));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bpp, 8);
  EXPECT_EQ(At(*d.bmp, 0, 0), PLPixel32(0, 255, 0));
  EXPECT_EQ(At(*d.bmp, 1, 0), PLPixel32(255, 0, 0));
}

TEST(TgaDecoder, RunLengthPacketsMayCrossRows) {
  // 3 x 2 grey: one run of 4 (crossing into the second row), then 2 literals.
  Decoded d = DecodeBytes(Join(Header(11, 3, 2, 8, 0x20), {0x83, 50, 0x01, 60, 70}));
  ASSERT_EQ(d.result, 1);
  EXPECT_TRUE(d.bmp->IsGreyscale());
  const PLBYTE expected[2][3] = {{50, 50, 50}, {50, 60, 70}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(d.bmp->GetLineArray()[y][x], expected[y][x]) << x << "," << y;
  EXPECT_EQ(At(*d.bmp, 1, 1), PLPixel32(60, 60, 60));
}

TEST(TgaDecoder, UnknownTypesAndDepthsAreRefused) {
  EXPECT_EQ(DecodeBytes(Join(Header(2, 1, 1, 12, 0), {0, 0})).result, 0);
  EXPECT_EQ(DecodeBytes(Join(Header(2, 0, 1, 24, 0), {0, 0, 0})).result, 0);
  // Cut pixel data ends with the end-of-data exception.
  EXPECT_TRUE(DecodeBytes(Join(Header(2, 4, 4, 24, 0), {0, 0, 0})).threw);
}

}  // namespace
