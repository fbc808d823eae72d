// The image library's PNG decoder on files whose chunks claim far more than
// the file holds: each is refused, and no block of more than a few megabytes
// is allocated while it reads (the sanitizer runtime's malloc hook watches).
#include <gtest/gtest.h>

#include "tests/fixtures/hostile_png.h"
#include "tests/fixtures/largest_allocation.h"
#include "tests/image/decode_test_util.h"

namespace {

// No block of more than this for a file of 44 bytes.
constexpr size_t kMostBytes = size_t{10} << 20;

TEST(PngLimits, ChunksClaimingGigabytesAreRefusedCheaply) {
  const auto cases = hostile_png::Cases();
  ASSERT_EQ(cases.front().bytes.size(), 44u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    largest_allocation::Watch watch;
    const dectest::Decoded d = dectest::DecodeBytes(c.bytes);
    EXPECT_TRUE(d.result == 0 || d.threw);
    if (watch.Watching()) {
      EXPECT_LT(watch.Largest(), kMostBytes);
    }
  }
}

TEST(PngLimits, TextChunksAreSkippedAndThePictureStillReads) {
  const dectest::Decoded d = dectest::DecodeBytes(hostile_png::GreyPixelWithText());
  ASSERT_EQ(d.result, 1);
  ASSERT_EQ(d.bmp->GetWidth(), 1);
  ASSERT_EQ(d.bmp->GetHeight(), 1);
  EXPECT_EQ(d.bmp->GetPalette()[d.bmp->GetLineArray()[0][0]], PLPixel32(0x80, 0x80, 0x80));
}

}  // namespace
