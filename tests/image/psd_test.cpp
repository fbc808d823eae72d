// The PSD decoder on files built by hand: narrow RLE rows, layer sections
// skipped by their length, the resolution resource, refused modes.
#include <gtest/gtest.h>

#include <vector>

#include "image/decode/plpsddec.h"
#include "tests/image/byte_builder.h"
#include "tests/image/decode_test_util.h"

namespace {

using namespace dectest;
using Bytes = std::vector<PLBYTE>;

using imgtest::Be16;
using imgtest::Be32;

struct PsdSpec {
  int channels = 3;
  int rows = 2;
  int columns = 5;
  int mode = 3;
  int depth = 8;
  int dpi = 0;            // a ResolutionInfo resource when not 0
  Bytes layerSection;     // raw layer-and-mask data
  int compression = 1;
  // Per channel, per row: the bytes of the row (packed into one literal run
  // each when RLE).
  std::vector<std::vector<Bytes>> planes;
};

Bytes MakePsd(const PsdSpec& s) {
  Bytes b = {'8', 'B', 'P', 'S'};
  Be16(b, 1);
  b.insert(b.end(), 6, 0);
  Be16(b, s.channels);
  Be32(b, s.rows);
  Be32(b, s.columns);
  Be16(b, s.depth);
  Be16(b, s.mode);
  Be32(b, 0);  // colour mode data
  Bytes resources;
  if (s.dpi) {
    resources.insert(resources.end(), {'8', 'B', 'I', 'M'});
    Be16(resources, 1005);
    Be16(resources, 0);  // empty name, padded
    Be32(resources, 16);
    Be32(resources, int64_t(s.dpi) << 16);
    Be16(resources, 1);
    Be16(resources, 1);
    Be32(resources, int64_t(s.dpi) << 16);
    Be16(resources, 1);
    Be16(resources, 1);
  }
  Be32(b, int64_t(resources.size()));
  b.insert(b.end(), resources.begin(), resources.end());
  Be32(b, int64_t(s.layerSection.size()));
  b.insert(b.end(), s.layerSection.begin(), s.layerSection.end());
  Be16(b, s.compression);
  if (s.compression == 1) {
    for (const auto& plane : s.planes)
      for (const Bytes& row : plane) Be16(b, int(row.size()) + 1);
    for (const auto& plane : s.planes)
      for (const Bytes& row : plane) {
        b.push_back(PLBYTE(row.size() - 1));  // one literal run
        b.insert(b.end(), row.begin(), row.end());
      }
  } else {
    for (const auto& plane : s.planes)
      for (const Bytes& row : plane) b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

PsdSpec Rgb5x2() {
  PsdSpec s;
  s.planes = {{{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}},
              {{11, 12, 13, 14, 15}, {16, 17, 18, 19, 20}},
              {{21, 22, 23, 24, 25}, {26, 27, 28, 29, 30}}};
  return s;
}

TEST(PsdDecoder, NarrowRleRowsAreUnpackedByTheirCounts) {
  Decoded d = DecodeBytes(MakePsd(Rgb5x2()));
  ASSERT_EQ(d.result, 1);
  EXPECT_FALSE(d.bmp->HasAlpha());
  EXPECT_EQ(d.bmp->GetLineArray32()[0][0], PLPixel32(1, 11, 21));
  EXPECT_EQ(d.bmp->GetLineArray32()[1][4], PLPixel32(10, 20, 30));
}

TEST(PsdDecoder, RawDataAndAFourthChannelAsAlpha) {
  PsdSpec s = Rgb5x2();
  s.compression = 0;
  s.channels = 4;
  s.planes.push_back({{100, 101, 102, 103, 104}, {105, 106, 107, 108, 109}});
  Decoded d = DecodeBytes(MakePsd(s));
  ASSERT_EQ(d.result, 1);
  EXPECT_TRUE(d.bmp->HasAlpha());
  EXPECT_EQ(d.bmp->GetLineArray32()[1][2], PLPixel32(8, 18, 28, 107));
}

// Raw channels above the fourth go to alpha too, the last one winning; RLE
// drops them.
TEST(PsdDecoder, ChannelsAboveTheFourthGoToAlphaInRawDataOnly) {
  for (int compression : {0, 1}) {
    PsdSpec s = Rgb5x2();
    s.compression = compression;
    s.channels = 6;
    s.planes.push_back({{100, 101, 102, 103, 104}, {105, 106, 107, 108, 109}});
    s.planes.push_back({{200, 201, 202, 203, 204}, {205, 206, 207, 208, 209}});
    s.planes.push_back({{50, 51, 52, 53, 54}, {55, 56, 57, 58, 59}});
    Decoded d = DecodeBytes(MakePsd(s));
    ASSERT_EQ(d.result, 1) << compression;
    EXPECT_TRUE(d.bmp->HasAlpha());
    EXPECT_EQ(d.bmp->GetLineArray32()[1][2], PLPixel32(8, 18, 28, compression == 0 ? 57 : 107)) << compression;
    EXPECT_EQ(d.bmp->GetLineArray32()[0][4], PLPixel32(5, 15, 25, compression == 0 ? 54 : 104)) << compression;
  }
}

TEST(PsdDecoder, LayerSectionIsSkippedByItsLengthAndLayersCountedAbsolutely) {
  PsdSpec s = Rgb5x2();
  Bytes layers;
  Be32(layers, 20);          // layer info length
  Be16(layers, 0xFFFF);      // -1 layers: one, with merged alpha
  layers.insert(layers.end(), 60, 0xAB);  // whatever the records hold
  s.layerSection = layers;
  Decoded d = DecodeBytes(MakePsd(s));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetLineArray32()[0][1], PLPixel32(2, 12, 22));
}

TEST(PsdDecoder, ResolutionComesFromItsResource) {
  PsdSpec s = Rgb5x2();
  s.dpi = 300;
  Decoded d = DecodeBytes(MakePsd(s));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetResolution().x, 300);
  EXPECT_EQ(d.bmp->GetResolution().y, 300);
  EXPECT_EQ(DecodeBytes(MakePsd(Rgb5x2())).bmp->GetResolution().x, 0);
}

TEST(PsdDecoder, GreyscaleGetsTheGreyRamp) {
  PsdSpec s;
  s.mode = 1;
  s.channels = 1;
  s.planes = {{{0, 64, 128, 192, 255}, {1, 2, 3, 4, 5}}};
  Decoded d = DecodeBytes(MakePsd(s));
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bpp, 8);
  EXPECT_TRUE(d.bmp->IsGreyscale());
  EXPECT_EQ(d.bmp->GetPalette()[d.bmp->GetLineArray()[0][2]], PLPixel32(128, 128, 128));
}

TEST(PsdDecoder, UnsupportedModesDepthsAndCompressionsAreRefused) {
  PsdSpec cmyk = Rgb5x2();
  cmyk.mode = 4;
  EXPECT_EQ(DecodeBytes(MakePsd(cmyk)).result, 0);
  PsdSpec sixteen = Rgb5x2();
  sixteen.depth = 16;
  EXPECT_EQ(DecodeBytes(MakePsd(sixteen)).result, 0);
  PsdSpec zip = Rgb5x2();
  zip.compression = 2;
  EXPECT_EQ(DecodeBytes(MakePsd(zip)).result, 0);
  PsdSpec huge = Rgb5x2();
  huge.rows = 30000;
  huge.columns = 30000;
  EXPECT_EQ(DecodeBytes(MakePsd(huge)).result, 0);
}

// The PSD decoder itself, whatever the bytes look like.
int DecodeAsPsd(const Bytes& bytes) {
  PLPSDDecoder decoder;
  PLAnyBmp bmp;
  try {
    return decoder.MakeBmpFromMemory(bytes.data(), int(bytes.size()), &bmp);
  } catch (const PLTextException&) {
    return -1;
  }
}

// A wrong signature or version is refused before anything else is read.
TEST(PsdDecoder, AWrongSignatureOrVersionIsRefused) {
  Bytes good = MakePsd(Rgb5x2());
  ASSERT_EQ(DecodeAsPsd(good), 1);
  Bytes signature = good;
  signature[3] = 'X';
  EXPECT_EQ(DecodeAsPsd(signature), 0);
  Bytes version = good;
  version[5] = 2;
  EXPECT_EQ(DecodeAsPsd(version), 0);
  EXPECT_EQ(DecodeBytes(version).result, 0);
}

}  // namespace
