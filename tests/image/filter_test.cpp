// Rotation, inversion, contrast, lightness, greyscale, flip and mirror on
// small bitmaps whose results are worked out by hand.
#include <gtest/gtest.h>

#include <cstring>

#include "image/filter/plfiltercontrast.h"
#include "image/filter/plfilterflip.h"
#include "image/filter/plfiltergrayscale.h"
#include "image/filter/plfilterlightness.h"
#include "image/filter/plfiltermirror.h"
#include "image/filter/plfilterrotate.h"
#include "image/filter/plfiltervideoinvert.h"
#include "tests/image/bitmap_test_util.h"

using imgtest::Px;

namespace {

// Pixel (x, y) of a 3 x 2 picture: red = 10 x, green = 10 y.
std::unique_ptr<PLAnyBmp> Labelled3x2() {
  std::vector<PLPixel32> p;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) p.push_back(Px(10 * x, 10 * y, 0));
  return imgtest::Make32(3, 2, p);
}
PLPixel32 L(int x, int y) { return Px(10 * x, 10 * y, 0); }

TEST(RotateTest, RightAnglesTurnCounterClockwise) {
  struct Case {
    double angle;
    int w, h;
    std::vector<PLPixel32> expected;  // target rows, top first
  };
  const Case cases[] = {
      {0, 3, 2, {L(0, 0), L(1, 0), L(2, 0), L(0, 1), L(1, 1), L(2, 1)}},
      // The top row is the source's right column; the left column its top row.
      {90, 2, 3, {L(2, 0), L(2, 1), L(1, 0), L(1, 1), L(0, 0), L(0, 1)}},
      {180, 3, 2, {L(2, 1), L(1, 1), L(0, 1), L(2, 0), L(1, 0), L(0, 0)}},
      {270, 2, 3, {L(0, 1), L(0, 0), L(1, 1), L(1, 0), L(2, 1), L(2, 0)}},
  };
  for (const Case& c : cases) {
    auto src = Labelled3x2();
    PLAnyBmp dst;
    PLFilterRotate(c.angle).Apply(src.get(), &dst);
    ASSERT_EQ(dst.GetWidth(), c.w) << c.angle;
    ASSERT_EQ(dst.GetHeight(), c.h) << c.angle;
    EXPECT_EQ(imgtest::Pixels32(dst), c.expected) << c.angle;
  }
}

TEST(RotateTest, TwentyFourBitPixels) {
  PLAnyBmp src;
  ASSERT_TRUE(src.Create(2, 1, 24, 24, 0, false, false));
  const PLBYTE row[6] = {1, 2, 3, 4, 5, 6};
  std::memcpy(src.GetLineArray()[0], row, 6);
  PLAnyBmp dst;
  PLFilterRotate(90).Apply(&src, &dst);
  ASSERT_EQ(dst.GetWidth(), 1);
  ASSERT_EQ(dst.GetHeight(), 2);
  EXPECT_EQ(std::vector<int>(dst.GetLineArray()[0], dst.GetLineArray()[0] + 3), (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(std::vector<int>(dst.GetLineArray()[1], dst.GetLineArray()[1] + 3), (std::vector<int>{1, 2, 3}));
}

TEST(RotateTest, FrameTwiceTheSizeScalesUpByTwo) {
  auto src = imgtest::Make32(2, 1, {Px(1, 0, 0), Px(2, 0, 0)});
  PLPoint frame{4, 2};
  PLAnyBmp dst;
  PLFilterRotate(0, nullptr, &frame).Apply(src.get(), &dst);
  ASSERT_EQ(dst.GetWidth(), 4);
  ASSERT_EQ(dst.GetHeight(), 2);
  std::vector<PLPixel32> row = {Px(1, 0, 0), Px(1, 0, 0), Px(2, 0, 0), Px(2, 0, 0)};
  std::vector<PLPixel32> both = row;
  both.insert(both.end(), row.begin(), row.end());
  EXPECT_EQ(imgtest::Pixels32(dst), both);
}

// At 45 degrees a 4 x 4 picture's frame turns into a 7 x 6 box; its top-left
// target pixel lies outside the turned picture, target (3, 3) comes from
// source (1, 1).
TEST(RotateTest, OutsidePixelsTakeTheBackgroundUnlessKept) {
  std::vector<PLPixel32> p;
  for (int i = 0; i < 16; ++i) p.push_back(Px(i, 100, 100, 255));
  auto src = imgtest::Make32(4, 4, p);
  struct Case {
    const PLRotateColor* background;
    int keep;
    PLPixel32 corner;
  };
  PLRotateColor blue{0, 0, 255, 255};
  const Case cases[] = {{nullptr, 0, Px(255, 255, 255, 0)}, {&blue, 0, Px(0, 0, 255, 255)}, {nullptr, 1, Px(0, 0, 0, 0)}};
  for (const Case& c : cases) {
    PLAnyBmp dst;
    PLFilterRotate(45, c.background, nullptr, 0, c.keep).Apply(src.get(), &dst);
    ASSERT_EQ(dst.GetWidth(), 7);
    ASSERT_EQ(dst.GetHeight(), 6);
    EXPECT_EQ(dst.GetLineArray32()[0][0], c.corner);
    EXPECT_EQ(dst.GetLineArray32()[3][3], Px(5, 100, 100));
  }
}

TEST(RotateTest, ColourModeAdjustsCopiedPixels) {
  struct Case {
    int mode;
    PLPixel32 in, out;
  };
  // Mode 1: contrasting half intensity, (v >= 128 ? v : 255 - v) / 2; mode 2:
  // lightened, v + e + e / 2 with e = (255 - v) / 2.
  const Case cases[] = {{1, Px(0, 200, 100, 7), Px(127, 100, 77, 7)}, {2, Px(0, 255, 100, 7), Px(190, 255, 215, 7)}};
  for (const Case& c : cases) {
    auto src = imgtest::Make32(1, 1, {c.in});
    PLAnyBmp dst;
    PLFilterRotate(0, nullptr, nullptr, c.mode).Apply(src.get(), &dst);
    EXPECT_EQ(dst.GetLineArray32()[0][0], c.out) << c.mode;
  }
}

TEST(RotateTest, HelperFunctions) {
  PLPointD p = RotatePoint(2, 1, 90, 1, 1, 10, 20);
  EXPECT_NEAR(p.x, 11, 1e-12);
  EXPECT_NEAR(p.y, 22, 1e-12);
  PLPoint pts[3] = {{3, -1}, {-2, 5}, {0, 0}};
  PLIntBox box = BoundingBox(pts, 3);
  EXPECT_EQ((std::vector<int>{box.minX, box.minY, box.maxX, box.maxY}), (std::vector<int>{-2, -1, 3, 5}));
  int a = 1, b = 2;
  SwapInts(a, b);
  EXPECT_EQ(a * 10 + b, 21);
}

TEST(VideoInvertTest, ValueInvertedHueKept) {
  struct Case {
    PLPixel32 in, out;
  };
  const Case cases[] = {
      {Px(255, 255, 255), Px(0, 0, 0)},     {Px(0, 0, 0), Px(255, 255, 255)},
      {Px(100, 100, 100), Px(155, 155, 155)}, {Px(255, 0, 0), Px(0, 0, 0)},
      {Px(200, 100, 0), Px(55, 27, 0)},     {Px(0, 0, 200), Px(0, 0, 55)},
      {Px(10, 200, 100), Px(2, 55, 27)},
  };
  for (const Case& c : cases) {
    auto src = imgtest::Make32(1, 1, {c.in});
    PLAnyBmp dst;
    PLFilterVideoInvert().Apply(src.get(), &dst);
    PLPixel32 got = dst.GetLineArray32()[0][0];
    EXPECT_EQ((std::vector<int>{got.r, got.g, got.b}), (std::vector<int>{c.out.r, c.out.g, c.out.b})) << c.in;
  }
}

TEST(ContrastTest, FactorAboutThePivot) {
  struct Case {
    double factor;
    int in, out;
  };
  const Case cases[] = {{1.0, 0, 0},   {1.0, 77, 77},   {1.0, 255, 255}, {2.0, 64, 0},    {2.0, 192, 255},
                        {2.0, 100, 72}, {2.0, 128, 128}, {0.5, 0, 127},  {0.5, 100, 177}, {0.5, 255, 255}};
  for (const Case& c : cases) {
    auto src = imgtest::Make32(1, 1, {Px(c.in, c.in, c.in, 9)});
    PLAnyBmp dst;
    PLFilterContrast(c.factor, 0).Apply(src.get(), &dst);
    EXPECT_EQ(dst.GetLineArray32()[0][0], Px(c.out, c.out, c.out, 9)) << c.factor << " " << c.in;
    // The same on 24-bit pixels.
    PLAnyBmp src24, dst24;
    ASSERT_TRUE(src24.Create(1, 1, 24, 24, 0, false, false));
    std::memset(src24.GetLineArray()[0], c.in, 3);
    PLFilterContrast(c.factor, 0).Apply(&src24, &dst24);
    EXPECT_EQ(dst24.GetLineArray()[0][1], c.out);
  }
}

TEST(LightnessTest, AddsPercentTimes255Over100) {
  struct Case {
    int percent, in, out;
  };
  const Case cases[] = {{100, 0, 255}, {100, 200, 255}, {-100, 255, 0}, {-100, 10, 0}, {10, 100, 125}, {-10, 100, 74}, {0, 33, 33}};
  for (const Case& c : cases) {
    auto src = imgtest::Make32(1, 1, {Px(c.in, c.in, c.in, 3)});
    PLFilterLightness(c.percent).ApplyInPlace(src.get());
    EXPECT_EQ(src->GetLineArray32()[0][0], Px(c.out, c.out, c.out, 3)) << c.percent << " " << c.in;
  }
}

TEST(GrayscaleTest, WeightedSumTruncated) {
  auto src = imgtest::Make32(4, 1, {Px(255, 0, 0), Px(0, 255, 0), Px(0, 0, 255), Px(10, 20, 30)});
  PLAnyBmp dst;
  PLFilterGrayscale().Apply(src.get(), &dst);
  EXPECT_EQ(dst.GetBitsPerPixel(), 8);
  EXPECT_TRUE(dst.IsGreyscale());
  EXPECT_EQ(dst.GetPalette()[54], Px(54, 54, 54));
  EXPECT_EQ(imgtest::Bytes8(dst), (std::vector<int>{54, 182, 18, 18}));
}

TEST(FlipTest, RowsUpsideDownAtEveryDepth) {
  auto one = imgtest::Make1(9, 3, {1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0});
  PLFilterFlip().ApplyInPlace(one.get());
  EXPECT_EQ(imgtest::Bits(*one),
            (std::vector<int>{0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}));
  auto eight = imgtest::Make8(2, 2, {1, 2, 3, 4}, false);
  PLFilterFlip().ApplyInPlace(eight.get());
  EXPECT_EQ(imgtest::Bytes8(*eight), (std::vector<int>{3, 4, 1, 2}));
  PLWinBmp win;
  win = *Labelled3x2();
  PLFilterFlip().ApplyInPlace(&win);
  EXPECT_EQ(imgtest::Pixels32(win), (std::vector<PLPixel32>{L(0, 1), L(1, 1), L(2, 1), L(0, 0), L(1, 0), L(2, 0)}));
}

TEST(MirrorTest, LeftToRight) {
  auto src = Labelled3x2();
  PLAnyBmp dst;
  PLFilterMirror().Apply(src.get(), &dst);
  EXPECT_EQ(imgtest::Pixels32(dst), (std::vector<PLPixel32>{L(2, 0), L(1, 0), L(0, 0), L(2, 1), L(1, 1), L(0, 1)}));
  auto one = imgtest::Make1(10, 1, {1, 1, 0, 0, 0, 0, 0, 0, 0, 0});
  one->SetPaletteEntry(1, 9, 9, 9, 255);
  PLFilterMirror().ApplyInPlace(one.get());
  EXPECT_EQ(imgtest::Bits(*one), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 1, 1}));
  EXPECT_EQ(one->GetPalette()[1], Px(9, 9, 9));
}

}  // namespace

namespace {

// Depths a filter does not take are never read as 32-bit pixels.
TEST(FilterDepthTest, UnsupportedDepthsAreNotRead) {
  auto eight = imgtest::Make8(3, 1, {1, 2, 3}, false);
  PLAnyBmp dst;
  PLFilterVideoInvert().Apply(eight.get(), &dst);
  EXPECT_EQ(dst.GetWidth(), 3);
  EXPECT_EQ(dst.GetBitsPerPixel(), 8);
  PLFilterLightness(50).Apply(eight.get(), &dst);
  EXPECT_EQ(dst.GetWidth(), 3);
  PLFilterGrayscale().Apply(eight.get(), &dst);
  EXPECT_EQ(dst.GetBitsPerPixel(), 8);
}

TEST(FilterDepthTest, RotationRefusesAnImpossibleFrame) {
  auto src = imgtest::MakeFlat32(2, 2, Px(1, 1, 1));
  PLPoint frame{0x7FFFFFFF, 0x7FFFFFFF};
  PLAnyBmp dst;
  PLFilterRotate(33, nullptr, &frame).Apply(src.get(), &dst);
  EXPECT_EQ(dst.GetWidth(), 16);  // untouched
}

}  // namespace
