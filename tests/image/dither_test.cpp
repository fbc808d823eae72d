// Dithering to one bit: every method on small bitmaps worked out by hand.
#include <gtest/gtest.h>

#include "image/filter/agcnvtdither.h"
#include "tests/image/bitmap_test_util.h"

using imgtest::Px;

namespace {

std::vector<int> Dither(int method, const PLBmp& src) {
  PLAnyBmp dst;
  EXPECT_EQ(AgCnvtDither(method).Convert(const_cast<PLBmp*>(&src), &dst), 1);
  EXPECT_EQ(dst.GetBitsPerPixel(), 1);
  EXPECT_EQ(dst.GetPalette()[0], Px(0, 0, 0));
  EXPECT_EQ(dst.GetPalette()[1], Px(255, 255, 255));
  return imgtest::Bits(dst);
}

std::unique_ptr<PLAnyBmp> Grey32(int w, int h, int v) { return imgtest::MakeFlat32(w, h, Px(v, v, v)); }

TEST(DitherTest, WhiteAndBlackByEveryMethod) {
  for (int method = 0; method < 4; ++method) {
    EXPECT_EQ(Dither(method, *Grey32(5, 3, 255)), std::vector<int>(15, 1)) << method;
    EXPECT_EQ(Dither(method, *Grey32(5, 3, 0)), std::vector<int>(15, 0)) << method;
  }
}

TEST(DitherTest, HandWorkedPatterns) {
  struct Case {
    const char* what;
    int method, w, h, grey;
    std::vector<int> bits;
  };
  const Case cases[] = {
      // 128 < 129 is black and passes 128 x 7 / 16 = 56 on: 184 is white.
      {"Floyd-Steinberg 128", 0, 2, 1, 128, {0, 1}},
      // Row 0: 100 black (e 100: right +43, below +31, below-right +6);
      // 143 white (e -112: right -49, below-left -21, below -35, below-right
      // -7); 51 black (below-left +9, below +15). Row 1: 110 black (right
      // +48), 128 black (right +56), 164 white.
      {"Floyd-Steinberg 100", 0, 3, 2, 100, {0, 1, 0, 0, 0, 1}},
      // The seven matrix values below 100 are white.
      {"ordered 100", 1, 4, 4, 100, {1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1, 0, 0, 1, 0, 1}},
      // k = 128 x 16 / 255 = 8: white where the matrix is below 8.
      {"ordered levels 128", 2, 4, 4, 128, {1, 0, 1, 0, 0, 1, 0, 1, 1, 0, 1, 0, 0, 1, 0, 1}},
      {"ordered levels 255", 2, 4, 4, 255, std::vector<int>(16, 1)},
      {"ordered levels 0", 2, 4, 4, 0, std::vector<int>(16, 0)},
      // Row 0: 128 black (e 128: +32, +16, below +32, +16); 160 white (e -95:
      // -23, below-left -11, below -23, below-right -11); 121 black (below
      // +7, +15, +30). Row 1: 156 white (e -99: -24, -12), 112 black (+28),
      // 171 white.
      {"Burkes 128", 3, 3, 2, 128, {0, 1, 0, 1, 0, 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(Dither(c.method, *Grey32(c.w, c.h, c.grey)), c.bits) << c.what;
}

TEST(DitherTest, GreyFromColourWeights) {
  // (183 x 200 + 54 x 100 + 19 x 50) >> 8 = 167: ordered matrix 160 < 167
  // but 176 is not.
  auto src = imgtest::MakeFlat32(4, 4, Px(100, 200, 50));
  std::vector<int> bits = Dither(1, *src);
  EXPECT_EQ(bits[12], 1);  // matrix (3, 0) = 160
  EXPECT_EQ(bits[6], 0);   // matrix (1, 2) = 176
}

TEST(DitherTest, GreyscaleEightBitSourceAndRefusals) {
  auto grey = imgtest::Make8(2, 1, {128, 128}, true);
  EXPECT_EQ(Dither(0, *grey), (std::vector<int>{0, 1}));

  auto colour8 = imgtest::Make8(2, 1, {128, 128}, false);
  PLAnyBmp target;
  EXPECT_EQ(AgCnvtDither(0).Convert(colour8.get(), &target), 0);
  EXPECT_EQ(target.GetWidth(), 16);  // untouched
  EXPECT_EQ(target.GetBitsPerPixel(), 8);
  EXPECT_EQ(AgCnvtDither(0).ApplyInPlace(colour8.get()), 0);
  EXPECT_EQ(colour8->GetBitsPerPixel(), 8);
}

TEST(DitherTest, ApplyInPlaceAndUnknownMethod) {
  auto bmp = Grey32(2, 1, 128);
  bmp->SetResolution(PLPoint{203, 203});
  EXPECT_EQ(AgCnvtDither(0).ApplyInPlace(bmp.get()), 1);
  EXPECT_EQ(bmp->GetBitsPerPixel(), 1);
  EXPECT_EQ(bmp->GetResolution(), (PLPoint{203, 203}));
  EXPECT_EQ(imgtest::Bits(*bmp), (std::vector<int>{0, 1}));
  EXPECT_EQ(Dither(7, *Grey32(3, 1, 255)), (std::vector<int>{0, 0, 0}));
}

}  // namespace
