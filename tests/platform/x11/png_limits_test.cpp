// The clipboard's PNG reader on files whose chunks claim far more than the
// file holds: each is refused, and no block of more than a few megabytes is
// allocated while it reads (the sanitizer runtime's malloc hook watches).
#include <gtest/gtest.h>

#include "platform/display/x11/x11_display.h"
#include "tests/fixtures/hostile_png.h"
#include "tests/fixtures/largest_allocation.h"

namespace {

// No block of more than this for a file of 44 bytes.
constexpr size_t kMostBytes = size_t{10} << 20;

TEST(ClipboardPngLimits, ChunksClaimingGigabytesAreRefusedCheaply) {
  for (const auto& c : hostile_png::Cases()) {
    SCOPED_TRACE(c.what);
    largest_allocation::Watch watch;
    std::vector<BYTE> dib;
    EXPECT_FALSE(display::x11::PngToDib(c.bytes, dib));
    if (watch.Watching()) {
      EXPECT_LT(watch.Largest(), kMostBytes);
    }
  }
}

TEST(ClipboardPngLimits, TextChunksAreSkippedAndThePictureStillReads) {
  std::vector<BYTE> dib;
  ASSERT_TRUE(display::x11::PngToDib(hostile_png::GreyPixelWithText(), dib));
  ASSERT_EQ(dib.size(), 44u);  // the header and one 32-bit pixel
  EXPECT_EQ(dib[40], 0x80);
  EXPECT_EQ(dib[41], 0x80);
  EXPECT_EQ(dib[42], 0x80);
  EXPECT_EQ(dib[43], 0xFF);
}

}  // namespace
