// Small GIF and PICT files that declare bitmaps of close to a gigabyte:
// each is refused before a bitmap is made for it, because its data could
// never fill what it declares. Honest pictures of the same kinds, however
// well they compress, still decode, and a GIF screen larger than its frame
// is filled with the background colour, as the format says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/decode/plgifdec.h"
#include "tests/fixtures/largest_allocation.h"
#include "tests/image/byte_builder.h"
#include "tests/image/decode_test_util.h"

namespace {

using namespace dectest;
using Bytes = std::vector<PLBYTE>;
using imgtest::Be16;
using imgtest::Be32;
using imgtest::Put16;

// A GIF with a two-colour table and one frame whose LZW data is the bytes
// given (a clear code, a pixel, the end code: a few bytes).
Bytes Gif(int screenWidth, int screenHeight, int left, int top, int width, int height) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(b, screenWidth);
  Put16(b, screenHeight);
  b.insert(b.end(), {0x80, 1, 0});  // a global table of two colours; background index 1
  b.insert(b.end(), {0, 0, 0, 255, 255, 255});
  b.push_back(0x2C);
  for (int v : {left, top, width, height}) Put16(b, v);
  b.push_back(0);
  // Code size 2: clear (4), pixel 0, end (5) in 3-bit codes.
  b.insert(b.end(), {2, 2, 0x04, 0x05, 0, 0x3B});
  return b;
}

void Rect(Bytes& b, int top, int left, int bottom, int right) {
  for (int v : {top, left, bottom, right}) Be16(b, v);
}

// A version 2 PICT whose one opcode is a direct-bits pixel map of 32-bit
// pixels (pack type 4) or an 8-bit packed one, followed by two packed rows.
Bytes Pict(int opcode, int width, int height) {
  Bytes b(512, 0);
  Be16(b, 0);
  Rect(b, 0, 0, height, width);
  Be16(b, 0x0011);
  Be16(b, 0x02FF);
  Be16(b, opcode);
  if (opcode == 0x009A) Be32(b, 0xFF);
  const int pixelSize = opcode == 0x009A ? 32 : 8;
  Be16(b, 0x8000 | (width * pixelSize / 8));
  Rect(b, 0, 0, height, width);
  Be16(b, 0);
  Be16(b, pixelSize == 32 ? 4 : 0);
  Be32(b, 0);
  Be32(b, 72 << 16);
  Be32(b, 72 << 16);
  Be16(b, pixelSize == 32 ? 16 : 0);
  Be16(b, pixelSize);
  Be16(b, pixelSize == 32 ? 3 : 1);
  Be16(b, 8);
  for (int i = 0; i < 3; ++i) Be32(b, 0);
  if (pixelSize == 8) {
    Be32(b, 0);
    Be16(b, 0);
    Be16(b, 0);  // one colour
    Be16(b, 0);
    for (int c = 0; c < 3; ++c) Be16(b, 0xFFFF);
  }
  Rect(b, 0, 0, height, width);
  Rect(b, 0, 0, height, width);
  Be16(b, 0);
  for (int row = 0; row < 2; ++row) b.insert(b.end(), {0, 4, 0x81, 0x00, 0x81, 0x00});
  Be16(b, 0x00FF);
  return b;
}

struct Case {
  const char* what;
  Bytes bytes;
  int width, height, bpp;
};

TEST(DeclaredSize, SmallFilesDeclaringHugeBitmapsAreRefused) {
  const Case cases[] = {
      {"GIF frame of 30000 x 30000", Gif(30000, 30000, 0, 0, 30000, 30000), 30000, 30000, 8},
      {"GIF frame whose rows down to a short screen need more data", Gif(30000, 20, 0, 0, 30000, 30000), 30000, 20, 8},
      {"GIF screen of 30000 x 30000 around one pixel", Gif(30000, 30000, 0, 0, 1, 1), 30000, 30000, 8},
      {"PICT direct bits of 16000 x 16000", Pict(0x009A, 16000, 16000), 16000, 16000, 32},
      {"PICT packed 8-bit map of 30000 x 30000", Pict(0x0098, 30000, 30000), 30000, 30000, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_LT(c.bytes.size(), 700u);
    // The bitmap would have been within the library's limit: the data is
    // what makes it a lie.
    ASSERT_TRUE(PLBmp::IsValidGeometry(c.width, c.height, c.bpp));
    largest_allocation::Watch watch;
    const Decoded d = DecodeBytes(c.bytes);
    EXPECT_TRUE(d.result == 0 || d.threw);
    if (watch.Watching()) {
      EXPECT_LT(watch.Largest(), size_t{10} << 20);
    }
    EXPECT_NE(d.bmp->GetWidth(), c.width);
  }
}

TEST(DeclaredSize, GifScreenAroundItsFrameIsTheBackground) {
  const Decoded d = DecodeBytes(Gif(40, 30, 5, 7, 1, 1));
  ASSERT_EQ(d.result, 1);
  ASSERT_EQ(d.bmp->GetWidth(), 40);
  ASSERT_EQ(d.bmp->GetHeight(), 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(d.bmp->GetLineArray()[y][x], x == 5 && y == 7 ? 0 : 1) << x << "," << y;
}

// The bounds against what real encoders write for an all-white picture,
// the best case of their compression: ImageMagick's GIF (a screen above
// the background allowance, and an interlaced one) and PICT, netpbm's PICT.
TEST(DeclaredSize, HonestPicturesThatCompressWellStillDecode) {
  if (!HaveTools()) GTEST_SKIP() << "ImageMagick and netpbm are not installed (scripts/install-deps.sh)";
  TempFolder temp;
  ASSERT_TRUE(temp.Ok());
  struct Honest {
    const char* name;
    const char* command;
    int width, height;
  };
  const Honest pictures[] = {
      {"white.gif", "convert -size 4100x4100 xc:white GIF:{out}", 4100, 4100},
      {"white-interlaced.gif", "convert -size 3000x2000 xc:white -interlace GIF GIF:{out}", 3000, 2000},
      {"white.pict", "convert -size 3000x2000 xc:white PICT:{out}", 3000, 2000},
      {"white-netpbm.pict", "convert -size 3000x2000 xc:white ppm:- | ppmtopict > {out}", 3000, 2000},
  };
  for (const Honest& p : pictures) {
    SCOPED_TRACE(p.name);
    const std::string out = temp.File(p.name);
    std::string command = p.command;
    command.replace(command.find("{out}"), 5, "'" + out + "'");
    ASSERT_TRUE(dectest::Run(command)) << command;
    const Decoded d = DecodeFile(out);
    ASSERT_EQ(d.result, 1);
    ASSERT_EQ(d.bmp->GetWidth(), p.width);
    ASSERT_EQ(d.bmp->GetHeight(), p.height);
    const PLBmp& bmp = *d.bmp;
    for (int y = 0; y < p.height; y += 97)
      for (int x = 0; x < p.width; x += 89) {
        const PLPixel32 pixel =
            bmp.GetBitsPerPixel() == 8 ? bmp.GetPalette()[bmp.GetLineArray()[y][x]] : bmp.GetLineArray32()[y][x];
        ASSERT_EQ(PLPixel32(pixel.r, pixel.g, pixel.b, 255), PLPixel32(255, 255, 255, 255)) << x << "," << y;
      }
  }
}

TEST(DeclaredSize, MostLzwPixelsGrowsWithTheData) {
  EXPECT_EQ(PLGIFDecoder::MostLzwPixels(0), 0u);
  uint64_t previous = 0;
  for (uint64_t bytes : {1, 2, 10, 100, 1000, 10000, 100000}) {
    const uint64_t most = PLGIFDecoder::MostLzwPixels(bytes);
    EXPECT_GT(most, previous) << bytes;
    // Never more than a full table's strings for every 12-bit code, and
    // never less than what 12-bit codes of single pixels give.
    EXPECT_LE(most, bytes * 8 * 4096) << bytes;
    EXPECT_GE(most, bytes * 8 / 12) << bytes;
    previous = most;
  }
}

}  // namespace
