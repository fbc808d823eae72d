// Box resampling: weights and pixels worked out by hand.
#include <gtest/gtest.h>

#include "image/filter/plcontrib.h"
#include "image/filter/plfilterresize.h"
#include "tests/image/bitmap_test_util.h"

using imgtest::Px;

namespace {

std::vector<PLPixel32> Resize(const PLBmp& src, int w, int h) {
  PLAnyBmp dst;
  PLFilterResizeBox(w, h).Apply(const_cast<PLBmp*>(&src), &dst);
  EXPECT_EQ(dst.GetWidth(), w);
  EXPECT_EQ(dst.GetHeight(), h);
  return imgtest::Pixels32(dst);
}

PLPixel32 Grey(int v, int a = 255) { return Px(v, v, v, a); }

TEST(ResampleTest, WeightTables) {
  struct Case {
    int src, dst;
    std::vector<std::vector<int>> expected;  // left, right, weights...
  };
  const Case cases[] = {
      // Halving: pairs at 128 each (the third weight of the window is 0).
      {4, 2, {{0, 2, 128, 128, 0}, {1, 3, 0, 128, 128}}},
      // Same size: each output takes its own source index.
      {3, 3, {{0, 1, 256, 0}, {0, 2, 0, 256, 0}, {1, 2, 0, 256}}},
      // Doubling: each source index twice.
      {2, 4, {{0, 1, 256, 0}, {0, 1, 256, 0}, {0, 1, 0, 256}, {0, 1, 0, 256}}},
      // Three to two: overlapping pairs.
      {3, 2, {{0, 1, 128, 128}, {1, 2, 128, 128}}},
  };
  PLBoxContribDef box;
  for (const Case& c : cases) {
    auto table = CalcContributions(c.dst, c.src, box);
    ASSERT_EQ(table.size(), c.expected.size());
    for (size_t i = 0; i < table.size(); ++i) {
      std::vector<int> got = {table[i].left, table[i].right};
      got.insert(got.end(), table[i].weights.begin(), table[i].weights.end());
      EXPECT_EQ(got, c.expected[i]) << c.src << "->" << c.dst << " at " << i;
    }
  }
}

TEST(ResampleTest, HalvingARowAveragesPairsWithRounding) {
  // ((a + b) x 128 + 128) / 256 per channel, alpha too.
  auto src = imgtest::Make32(4, 1, {Px(10, 0, 255, 255), Px(21, 1, 254, 0), Px(100, 7, 3, 9), Px(101, 8, 4, 10)});
  EXPECT_EQ(Resize(*src, 2, 1), (std::vector<PLPixel32>{Px(16, 1, 255, 128), Px(101, 8, 4, 10)}));
}

TEST(ResampleTest, SameSizeKeepsEveryPixel) {
  std::vector<PLPixel32> p;
  for (int i = 0; i < 12; ++i) p.push_back(Px(i * 20, 255 - i, i, i * 3));
  auto src = imgtest::Make32(4, 3, p);
  EXPECT_EQ(Resize(*src, 4, 3), p);
}

TEST(ResampleTest, DoublingRepeatsEachPixel) {
  auto src = imgtest::Make32(2, 1, {Grey(10), Grey(200)});
  EXPECT_EQ(Resize(*src, 4, 2), (std::vector<PLPixel32>{Grey(10), Grey(10), Grey(200), Grey(200), Grey(10), Grey(10),
                                                        Grey(200), Grey(200)}));
}

TEST(ResampleTest, TwoPassesRoundEachPass) {
  // A 2 x 2 block 0 1 / 2 3: rows give 1 and 3 ((0 + 1) x 128 + 128 = 256,
  // (2 + 3) x 128 + 128 = 768), the column (1 + 3) x 128 + 128 = 640 gives 2.
  auto src = imgtest::Make32(2, 2, {Grey(0), Grey(1), Grey(2), Grey(3)});
  EXPECT_EQ(Resize(*src, 1, 1), (std::vector<PLPixel32>{Grey(2)}));
  // Three to two in both directions.
  auto three = imgtest::Make32(3, 1, {Grey(0), Grey(100), Grey(201)});
  EXPECT_EQ(Resize(*three, 2, 1), (std::vector<PLPixel32>{Grey(50), Grey(151)}));
}

TEST(ResampleTest, DescriptionAndOtherDepths) {
  auto src = imgtest::Make32(4, 2, std::vector<PLPixel32>(8, Grey(9, 9)), true);
  src->SetResolution(PLPoint{72, 72});
  PLWinBmp dst;
  PLFilterResizeBox(2, 1).Apply(src.get(), &dst);
  EXPECT_EQ(dst.GetBitsPerPixel(), 32);
  EXPECT_TRUE(dst.HasAlpha());
  EXPECT_EQ(dst.GetResolution(), (PLPoint{72, 72}));
  // A 1-bit source is resampled from a 32-bit copy (never read as 4-byte pixels).
  auto one = imgtest::Make1(4, 1, {0, 0, 1, 1});
  PLAnyBmp out;
  PLFilterResizeBox(2, 1).Apply(one.get(), &out);
  EXPECT_EQ(imgtest::Pixels32(out), (std::vector<PLPixel32>{Grey(0), Grey(255)}));
}

}  // namespace
