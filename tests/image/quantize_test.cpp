// Colour quantisation: palettes and pixel mapping worked out by hand.
#include <gtest/gtest.h>

#include "image/filter/plfilterquantize.h"
#include "tests/image/bitmap_test_util.h"

using imgtest::Px;

namespace {

PLPixel32 Rgb0(int r, int g, int b) { return Px(r, g, b, 0); }

TEST(QuantizeTest, FixedPaletteEntries) {
  const PLPixel32* pal = PLFilterQuantize::GetDefaultPalette();
  struct Case {
    int index;
    PLPixel32 colour;
  };
  const Case cases[] = {{0, Rgb0(0, 0, 0)},         {7, Rgb0(192, 192, 192)},   {9, Rgb0(240, 202, 166)},
                        {15, Rgb0(128, 128, 0)},    {16, Rgb0(0, 81, 0)},       {45, Rgb0(0, 255, 255)},
                        {46, Rgb0(81, 0, 0)},       {62, Rgb0(81, 133, 217)},   {63, Rgb0(81, 133, 55)},
                        {96, Rgb0(133, 133, 133)},  {190, Rgb0(255, 0, 0)},     {224, Rgb0(255, 255, 217)},
                        {225, Rgb0(196, 196, 196)}, {244, Rgb0(253, 253, 253)}, {245, Rgb0(207, 207, 155)},
                        {248, Rgb0(128, 128, 128)}, {255, Rgb0(255, 255, 255)}};
  for (const Case& c : cases) EXPECT_EQ(pal[c.index], c.colour) << c.index;
}

TEST(QuantizeTest, FixedPaletteNearestColour) {
  struct Case {
    PLPixel32 in;
    int index;
  };
  // The first entry at the smallest distance wins.
  const Case cases[] = {{Px(255, 0, 0), 190},   {Px(0, 0, 0), 0},       {Px(255, 255, 255), 255},
                        {Px(192, 192, 192), 7}, {Px(128, 128, 128), 248}, {Px(0, 0, 255), 249},
                        {Px(130, 130, 130), 248}, {Px(131, 131, 131), 96}};
  for (const Case& c : cases) {
    auto src = imgtest::Make32(1, 1, {c.in});
    PLAnyBmp dst;
    PLFilterQuantize(PLDTHPAL_DEFAULT, PLDTH_NONE).Apply(src.get(), &dst);
    ASSERT_EQ(dst.GetBitsPerPixel(), 8);
    EXPECT_EQ(dst.GetLineArray()[0][0], c.index) << c.in;
    EXPECT_EQ(dst.GetPalette()[c.index], PLFilterQuantize::GetDefaultPalette()[c.index]);
  }
}

TEST(QuantizeTest, MedianCutOfOneColour) {
  // (100, 150, 200) lies in the 5-bit cell (12, 18, 25).
  auto src = imgtest::MakeFlat32(2, 2, Px(100, 150, 200));
  PLAnyBmp dst;
  PLFilterQuantize(PLDTHPAL_MEDIAN, PLDTH_NONE).Apply(src.get(), &dst);
  const PLPixel32* pal = dst.GetPalette();
  const PLPixel32 corners[8] = {Rgb0(0, 0, 0),       Rgb0(255, 0, 0),   Rgb0(0, 255, 0),   Rgb0(0, 0, 255),
                                Rgb0(255, 255, 0),   Rgb0(0, 255, 255), Rgb0(255, 0, 255), Rgb0(255, 255, 255)};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(pal[i], corners[i]) << i;
  EXPECT_EQ(pal[8], Rgb0(12 * 255 / 31, 18 * 255 / 31, 25 * 255 / 31));
  for (int i = 9; i < 256; ++i) ASSERT_EQ(pal[i], Rgb0(0, 0, 0)) << i;
  EXPECT_EQ(imgtest::Bytes8(dst), (std::vector<int>{8, 8, 8, 8}));
}

TEST(QuantizeTest, MedianCutSplitsAtTheMean) {
  // Cells (10, 10, 10) and (20, 5, 5), two pixels each: red is the longest
  // axis, the mean 15 splits them, and each box becomes one cell.
  auto src = imgtest::Make32(2, 2, {Px(80, 80, 80), Px(160, 40, 40), Px(80, 80, 80), Px(160, 40, 40)});
  PLAnyBmp dst;
  PLFilterQuantize(PLDTHPAL_MEDIAN, PLDTH_NONE).Apply(src.get(), &dst);
  EXPECT_EQ(dst.GetPalette()[8], Rgb0(82, 82, 82));
  EXPECT_EQ(dst.GetPalette()[9], Rgb0(164, 41, 41));
  EXPECT_EQ(dst.GetPalette()[10], Rgb0(0, 0, 0));
  EXPECT_EQ(imgtest::Bytes8(dst), (std::vector<int>{8, 9, 8, 9}));
}

TEST(QuantizeTest, MedianCutOfExtentTwoDropsTheMiddleSlice) {
  // Red cells 10 and 12: the new box keeps the lowest slice, the old one the
  // highest.
  auto src = imgtest::Make32(2, 1, {Px(80, 80, 80), Px(96, 80, 80)});
  PLAnyBmp dst;
  PLFilterQuantize(PLDTHPAL_MEDIAN, PLDTH_NONE).Apply(src.get(), &dst);
  EXPECT_EQ(dst.GetPalette()[8], Rgb0(98, 82, 82));
  EXPECT_EQ(dst.GetPalette()[9], Rgb0(82, 82, 82));
  EXPECT_EQ(imgtest::Bytes8(dst), (std::vector<int>{9, 8}));
}

TEST(QuantizeTest, PopularityOrdersCellsByCount) {
  // Three pixels of cell (10, 10, 10), one of (20, 5, 5), and white, whose
  // cell coordinate 31 is not counted: it maps to the white corner.
  auto src = imgtest::Make32(5, 1, {Px(160, 40, 40), Px(80, 80, 80), Px(80, 80, 80), Px(80, 80, 80), Px(255, 255, 255)});
  PLAnyBmp dst;
  PLFilterQuantize(PLDTHPAL_POPULARITY, PLDTH_NONE).Apply(src.get(), &dst);
  EXPECT_EQ(dst.GetPalette()[7], Rgb0(255, 255, 255));
  EXPECT_EQ(dst.GetPalette()[8], Rgb0(82, 82, 82));
  EXPECT_EQ(dst.GetPalette()[9], Rgb0(164, 41, 41));
  EXPECT_EQ(dst.GetPalette()[10], Rgb0(0, 0, 0));
  EXPECT_EQ(imgtest::Bytes8(dst), (std::vector<int>{9, 8, 8, 8, 7}));
}

TEST(QuantizeTest, UserPaletteOrFixedWithoutOne) {
  PLPixel32 user[256];
  for (int i = 0; i < 256; ++i) user[i] = Rgb0(i, 0, 0);
  auto src = imgtest::Make32(2, 1, {Px(100, 0, 0), Px(255, 0, 0)});
  PLAnyBmp dst;
  PLFilterQuantize withUser(PLDTHPAL_USERDEFINED, PLDTH_NONE);
  withUser.SetUserPalette(user);
  withUser.Apply(src.get(), &dst);
  EXPECT_EQ(imgtest::Bytes8(dst), (std::vector<int>{100, 255}));
  PLFilterQuantize(PLDTHPAL_USERDEFINED, PLDTH_NONE).Apply(src.get(), &dst);
  EXPECT_EQ(dst.GetLineArray()[0][1], 190);
}

// Flat grey 128, ordered dither: offsets 2 x M[(w - 1 - x) % 4][y % 4] give
// rows (144, 120, 138, 114), (128, 136, 122, 130), (140, 116, 142, 118),
// (124, 132, 126, 134). Greys up to 130 are nearest to 128 (entry 248), from
// 131 to 133 (entry 96); but one index serves a whole 5-bit cell, so 130, 132
// and 134 share the index computed for 128 in cell 16.
TEST(QuantizeTest, OrderedDitherOfFlatGrey) {
  auto src = imgtest::MakeFlat32(4, 4, Px(128, 128, 128));
  PLAnyBmp dst;
  PLFilterQuantize(PLDTHPAL_DEFAULT, PLDTH_ORDERED).Apply(src.get(), &dst);
  EXPECT_EQ(imgtest::Bytes8(dst), (std::vector<int>{96, 248, 96, 248, 248, 96, 248, 248, 96, 248, 96, 248, 248, 248, 248, 248}));
}

// Serpentine Floyd-Steinberg with a palette of black (0) and white (1 to
// 255, the first wins) on flat grey 100, 3 x 2:
// row 0 left to right: 100 black (e 6.25), 143.75 white (e -6.95), 51.33 black;
// row 1 right to left: 109.09 black, 128.83 white, 55.19 black.
TEST(QuantizeTest, SerpentineFloydSteinberg) {
  PLPixel32 bw[256];
  bw[0] = Rgb0(0, 0, 0);
  for (int i = 1; i < 256; ++i) bw[i] = Rgb0(255, 255, 255);
  auto src = imgtest::MakeFlat32(3, 2, Px(100, 100, 100));
  PLAnyBmp dst;
  PLFilterQuantize fs(PLDTHPAL_USERDEFINED, PLDTH_FS);
  fs.SetUserPalette(bw);
  fs.Apply(src.get(), &dst);
  EXPECT_EQ(imgtest::Bytes8(dst), (std::vector<int>{0, 1, 0, 0, 1, 0}));
}

TEST(QuantizeTest, TargetDescription) {
  auto src = imgtest::MakeFlat32(3, 2, Px(1, 2, 3));
  src->SetResolution(PLPoint{300, 150});
  src->SetFileSize(777);
  PLWinBmp dst;
  PLFilterQuantize(PLDTHPAL_DEFAULT, PLDTH_NONE).Apply(src.get(), &dst);
  EXPECT_EQ(dst.GetBitsPerPixel(), 8);
  EXPECT_EQ(dst.GetResolution(), (PLPoint{300, 150}));
  EXPECT_EQ(dst.GetFileSize(), 777);
  EXPECT_FALSE(dst.HasAlpha());
  EXPECT_FALSE(dst.IsGreyscale());
}

}  // namespace

namespace {

TEST(QuantizeDepthTest, TwentyFourBitSourceGoesThroughThirtyTwo) {
  PLAnyBmp src;
  ASSERT_TRUE(src.Create(1, 1, 24, 24, 0, false, false));
  const PLBYTE bgr[3] = {0, 0, 255};
  std::copy(bgr, bgr + 3, src.GetLineArray()[0]);
  PLAnyBmp dst;
  PLFilterQuantize(PLDTHPAL_DEFAULT, PLDTH_NONE).Apply(&src, &dst);
  EXPECT_EQ(dst.GetBitsPerPixel(), 8);
  EXPECT_EQ(dst.GetLineArray()[0][0], 190);
}

}  // namespace
