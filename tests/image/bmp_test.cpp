// The BMP decoder on files built by hand from the format's layout: header
// sizes, bit fields, top-down rows, the pixel offset, RLE escapes,
// resolutions, and files that lie about their sizes.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/decode/plbmpdec.h"
#include "tests/image/byte_builder.h"
#include "tests/image/decode_test_util.h"

namespace {

using namespace dectest;
using Bytes = std::vector<PLBYTE>;

using imgtest::Put16;
using imgtest::Put32;

struct BmpSpec {
  int headerSize = 40;
  int width = 2;
  int height = 2;
  int bitCount = 24;
  int compression = 0;
  int colorsUsed = 0;
  int pixelsPerMetre = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint32_t> masks;    // written after a 40-byte header, or inside larger ones
  int gap = 0;                    // bytes between the palette and the pixels
  Bytes pixels;
};

Bytes MakeBmp(const BmpSpec& s) {
  Bytes info;
  Put32(info, s.headerSize);
  if (s.headerSize == 12) {
    Put16(info, s.width);
    Put16(info, s.height);
    Put16(info, 1);
    Put16(info, s.bitCount);
  } else {
    Put32(info, s.width);
    Put32(info, s.height);
    Put16(info, 1);
    Put16(info, s.bitCount);
    Put32(info, s.compression);
    Put32(info, int64_t(s.pixels.size()));
    Put32(info, s.pixelsPerMetre);
    Put32(info, s.pixelsPerMetre);
    Put32(info, s.colorsUsed);
    Put32(info, 0);
    if (s.headerSize > 40) {
      for (uint32_t m : s.masks) Put32(info, m);
      info.resize(size_t(s.headerSize), 0);
    } else {
      for (uint32_t m : s.masks) Put32(info, m);
    }
  }
  Bytes pal;
  for (uint32_t e : s.palette) {
    pal.push_back(PLBYTE(e));
    pal.push_back(PLBYTE(e >> 8));
    pal.push_back(PLBYTE(e >> 16));
    if (s.headerSize != 12) pal.push_back(0);
  }
  const int64_t offset = 14 + int64_t(info.size() + pal.size()) + s.gap;
  Bytes out = {'B', 'M'};
  Put32(out, offset + int64_t(s.pixels.size()));
  Put32(out, 0);
  Put32(out, offset);
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), pal.begin(), pal.end());
  out.insert(out.end(), size_t(s.gap), 0xEE);
  out.insert(out.end(), s.pixels.begin(), s.pixels.end());
  return out;
}

PLPixel32 At(const PLBmp& bmp, int x, int y) {
  if (bmp.GetBitsPerPixel() == 8) return bmp.GetPalette()[bmp.GetLineArray()[y][x]];
  return bmp.GetLineArray32()[y][x];
}

// 2 x 2, 24 bits: rows stored bottom-up (blue, green, red; padded to 4).
const Bytes kRows24 = {0, 0, 255, 0, 255, 0, 0, 0,  // bottom: red, green
                       255, 0, 0, 255, 255, 255, 0, 0};  // top: blue, white

TEST(BmpDecoder, BottomUpAndTopDownRowsGiveTheSamePicture) {
  BmpSpec up;
  up.pixels = kRows24;
  BmpSpec down = up;
  down.height = -2;
  down.pixels = Bytes(kRows24.begin() + 8, kRows24.end());
  down.pixels.insert(down.pixels.end(), kRows24.begin(), kRows24.begin() + 8);
  for (const BmpSpec* s : {&up, &down}) {
    Decoded d = DecodeBytes(MakeBmp(*s));
    ASSERT_EQ(d.result, 1);
    ASSERT_EQ(d.bmp->GetHeight(), 2);
    EXPECT_EQ(At(*d.bmp, 0, 0), PLPixel32(0, 0, 255));
    EXPECT_EQ(At(*d.bmp, 1, 0), PLPixel32(255, 255, 255));
    EXPECT_EQ(At(*d.bmp, 0, 1), PLPixel32(255, 0, 0));
    EXPECT_EQ(At(*d.bmp, 1, 1), PLPixel32(0, 255, 0));
    EXPECT_FALSE(d.bmp->HasAlpha());
  }
}

TEST(BmpDecoder, PixelsStartAtTheFileHeadersOffset) {
  BmpSpec s;
  s.pixels = kRows24;
  s.gap = 100;
  Decoded d = DecodeBytes(MakeBmp(s));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(At(*d.bmp, 0, 1), PLPixel32(255, 0, 0));
  EXPECT_EQ(At(*d.bmp, 1, 0), PLPixel32(255, 255, 255));
}

// One 16-bit pixel 0x7FFF or 0xFFFF per case: which masks the file has
// decides what it means.
struct FieldCase {
  const char* name;
  int headerSize;
  std::vector<uint32_t> masks;
  uint16_t pixel;
  PLPixel32 expected;
};

TEST(BmpDecoder, BitFieldMasksAreReadWhereTheFileHasThem) {
  const FieldCase cases[] = {
      // Masks after a 40-byte header.
      {"565 after 40", 40, {0xF800, 0x07E0, 0x001F}, 0xF800, PLPixel32(0xF8, 0, 0)},
      {"565 green after 40", 40, {0xF800, 0x07E0, 0x001F}, 0x07E0, PLPixel32(0, 0xFC, 0)},
      {"555 after 40", 40, {0x7C00, 0x03E0, 0x001F}, 0x03E0, PLPixel32(0, 0xF8, 0)},
      // Masks at offset 40 of a 52-byte and a 124-byte header.
      {"555 in 52", 52, {0x7C00, 0x03E0, 0x001F}, 0x7C00, PLPixel32(0xF8, 0, 0)},
      {"565 in 124", 124, {0xF800, 0x07E0, 0x001F, 0}, 0x001F, PLPixel32(0, 0, 0xF8)},
  };
  for (const FieldCase& c : cases) {
    BmpSpec s;
    s.headerSize = c.headerSize;
    s.width = 1;
    s.height = 1;
    s.bitCount = 16;
    s.compression = 3;
    s.masks = c.masks;
    s.pixels = {PLBYTE(c.pixel), PLBYTE(c.pixel >> 8), 0, 0};
    Decoded d = DecodeBytes(MakeBmp(s));
    ASSERT_EQ(d.result, 1) << c.name;
    EXPECT_EQ(At(*d.bmp, 0, 0), c.expected) << c.name;
  }
}

TEST(BmpDecoder, ThirtyTwoBitsWithAnAlphaMaskKeepAlpha) {
  BmpSpec s;
  s.headerSize = 108;
  s.width = 1;
  s.height = 1;
  s.bitCount = 32;
  s.compression = 3;
  s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  s.pixels = {0x30, 0x20, 0x10, 0x80};
  Decoded d = DecodeBytes(MakeBmp(s));
  ASSERT_EQ(d.result, 1);
  EXPECT_TRUE(d.bmp->HasAlpha());
  EXPECT_EQ(At(*d.bmp, 0, 0), PLPixel32(0x10, 0x20, 0x30, 0x80));
}

TEST(BmpDecoder, OneBitGivesIndexesAndTheFilesPalette) {
  BmpSpec s;
  s.width = 10;
  s.height = 1;
  s.bitCount = 1;
  s.palette = {0x102030, 0xA0B0C0};
  s.pixels = {0xA5, 0x80, 0, 0};  // 1010 0101 10
  Decoded d = DecodeBytes(MakeBmp(s));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bpp, 8);
  const int expected[10] = {1, 0, 1, 0, 0, 1, 0, 1, 1, 0};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(d.bmp->GetLineArray()[0][x], expected[x]) << x;
  EXPECT_EQ(d.bmp->GetPalette()[0], PLPixel32(0x10, 0x20, 0x30));
  EXPECT_EQ(d.bmp->GetPalette()[1], PLPixel32(0xA0, 0xB0, 0xC0));
}

TEST(BmpDecoder, Rle4RunsLiteralsAndDeltas) {
  BmpSpec s;
  s.width = 8;
  s.height = 3;
  s.bitCount = 4;
  s.compression = 2;
  s.palette = std::vector<uint32_t>(16, 0);
  s.pixels = {
      5, 0x12,              // bottom row: 1 2 1 2 1
      0, 3, 0x34, 0x50,     // literal 3 4 5 (two bytes, even: no pad)
      0, 0,                 // end of line
      0, 2, 2, 1,           // delta: right 2, up 1 (to row 2, x 2)
      2, 0x77,              // 7 7 at x 2..3 of the top row
      0, 1,                 // end of bitmap
  };
  Decoded d = DecodeBytes(MakeBmp(s));
  ASSERT_EQ(d.result, 1);
  const int bottom[8] = {1, 2, 1, 2, 1, 3, 4, 5};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(d.bmp->GetLineArray()[2][x], bottom[x]) << x;
  EXPECT_EQ(d.bmp->GetLineArray()[0][2], 7);
  EXPECT_EQ(d.bmp->GetLineArray()[0][3], 7);
  EXPECT_EQ(d.bmp->GetLineArray()[0][4], 0);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(d.bmp->GetLineArray()[1][x], 0) << x;
}

// The palette is shorter than the bit count says; the pixel offset tells
// where it ends.
TEST(BmpDecoder, RleThatRunsPastTheRowOrTheTopStaysInside) {
  BmpSpec s;
  s.width = 3;
  s.height = 2;
  s.bitCount = 8;
  s.compression = 1;
  s.palette = std::vector<uint32_t>(4, 0);
  s.pixels = {255, 1, 0, 0, 0, 5, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0, 9, 3, 0, 1};
  Decoded d = DecodeBytes(MakeBmp(s));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetLineArray()[1][2], 1);
  EXPECT_EQ(d.bmp->GetLineArray()[0][2], 2);
}

TEST(BmpDecoder, ResolutionFromPixelsPerMetre) {
  const std::pair<int, int> cases[] = {{11811, 300}, {3780, 96}, {39, 0}, {0, 0}, {-5000, 0}};
  for (auto [ppm, dpi] : cases) {
    BmpSpec s;
    s.pixelsPerMetre = ppm;
    s.pixels = kRows24;
    Decoded d = DecodeBytes(MakeBmp(s));
    ASSERT_EQ(d.result, 1);
    EXPECT_EQ(d.bmp->GetResolution().x, dpi) << ppm;
  }
}

TEST(BmpDecoder, Os2BitmapArrayDecodesItsFirstImage) {
  BmpSpec s;
  s.headerSize = 12;
  s.pixels = kRows24;
  Bytes bmp = MakeBmp(s);
  // The pixel offset counts from the start of the file, array header included.
  Bytes array = {'B', 'A'};
  Put32(array, 14);
  Put32(array, 0);
  Put32(array, 0);
  const uint32_t offset = bmp[10] | bmp[11] << 8;
  bmp[10] = PLBYTE(offset + 14);
  array.insert(array.end(), bmp.begin(), bmp.end());
  Decoded d = DecodeBytes(array);
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.format, PL_FT_WINBMP);
  EXPECT_EQ(At(*d.bmp, 0, 0), PLPixel32(0, 0, 255));
  EXPECT_EQ(At(*d.bmp, 1, 1), PLPixel32(0, 255, 0));
}

TEST(BmpDecoder, FilesThatCannotBeReadReportFailure) {
  struct Bad {
    const char* name;
    BmpSpec spec;
  };
  std::vector<Bad> cases;
  BmpSpec twoBit;
  twoBit.bitCount = 2;
  twoBit.pixels = Bytes(8, 0);
  cases.push_back({"bit count 2", twoBit});
  BmpSpec huge;
  huge.width = 100000;
  huge.height = 100000;
  huge.bitCount = 32;
  cases.push_back({"width x height x depth too large", huge});
  BmpSpec zero;
  zero.width = 0;
  cases.push_back({"no width", zero});
  BmpSpec topDownRle;
  topDownRle.bitCount = 8;
  topDownRle.height = -2;
  topDownRle.compression = 1;
  topDownRle.pixels = {0, 1};
  cases.push_back({"top-down RLE", topDownRle});
  for (const Bad& c : cases) {
    Decoded d = DecodeBytes(MakeBmp(c.spec));
    EXPECT_EQ(d.result, 0) << c.name;
    EXPECT_FALSE(d.threw) << c.name;
  }
}

TEST(BmpDecoder, CutDataEndsWithTheEndOfDataException) {
  BmpSpec s;
  s.pixels = kRows24;
  Bytes bmp = MakeBmp(s);
  for (size_t keep : {size_t(2), size_t(20), size_t(60), bmp.size() - 3}) {
    Bytes cut(bmp.begin(), bmp.begin() + long(keep));
    PLBmpDecoder decoder;
    PLAnyBmp target;
    try {
      decoder.MakeBmpFromMemory(cut.data(), int(cut.size()), &target);
      ADD_FAILURE() << keep << " bytes decoded";
    } catch (const PLTextException& e) {
      EXPECT_EQ(e.GetCode(), PL_ERREND_OF_DATA);
    }
    // The decoder can be used again.
    EXPECT_EQ(decoder.MakeBmpFromMemory(bmp.data(), int(bmp.size()), &target), 1);
  }
}

// A small file must not cost a large bitmap: 5 KB that claim 131,168 x 4,096
// pixels (half a gigabyte) are refused before anything is allocated.
TEST(BmpDecoder, SmallFilesAskingForHugePicturesAreRefused) {
  for (int compression : {0, 1}) {
    BmpSpec s;
    s.width = 131168;
    s.height = 4096;
    s.bitCount = 8;
    s.compression = compression;
    s.palette = std::vector<uint32_t>(256, 0x808080);
    for (int i = 0; i < 2000; ++i) s.pixels.insert(s.pixels.end(), {255, PLBYTE(i)});
    const Bytes file = MakeBmp(s);
    ASSERT_LT(file.size(), 6000u);
    Decoded d = DecodeBytes(file);
    EXPECT_TRUE(d.result == 0 || d.threw) << compression;
    EXPECT_NE(d.bmp->GetWidth(), 131168) << compression;
  }
}

TEST(BmpDecoder, RleDataThatEndsEarlyFillsTheRest) {
  BmpSpec s;
  s.width = 4;
  s.height = 3;
  s.bitCount = 8;
  s.compression = 1;
  s.palette = std::vector<uint32_t>(4, 0);
  s.pixels = {4, 1, 0, 0, 2, 2, 0};  // bottom row of 1s, then 2 2 and a cut code
  Decoded d = DecodeBytes(MakeBmp(s));
  ASSERT_FALSE(d.threw);
  ASSERT_EQ(d.result, 1);
  const int expected[3][4] = {{0, 0, 0, 0}, {2, 2, 0, 0}, {1, 1, 1, 1}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(d.bmp->GetLineArray()[y][x], expected[y][x]) << x << "," << y;
}

TEST(BmpDecoder, PaletteCountsAboveTwoHundredFiftySixStayInsideThePalette) {
  BmpSpec s;
  s.width = 1;
  s.height = 1;
  s.bitCount = 8;
  s.colorsUsed = 1000;
  s.palette = std::vector<uint32_t>(1000, 0x112233);
  s.pixels = {7, 0, 0, 0};
  Decoded d = DecodeBytes(MakeBmp(s));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(At(*d.bmp, 0, 0), PLPixel32(0x11, 0x22, 0x33));
}

}  // namespace
