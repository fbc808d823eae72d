// The PCX writer: header, line sizes, run-length coding, palettes, and
// files read back by netpbm and ImageMagick.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "document/render/image_export.h"
#include "document/render/image_formats.h"
#include "document/render/pcx_writer.h"
#include "image/bitmap/planybmp.h"
#include "tests/document/export_oracles.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A 1-bit bitmap of width x 3 with a checkerboard, white first or black first.
void MakeMono(PLAnyBmp& bmp, int width, bool whiteFirst) {
  bmp.Create(width, 3, 1, 1, 0, false, false);
  bmp.SetPaletteEntry(0, whiteFirst ? 255 : 0, whiteFirst ? 255 : 0, whiteFirst ? 255 : 0, 255);
  bmp.SetPaletteEntry(1, whiteFirst ? 0 : 255, whiteFirst ? 0 : 255, whiteFirst ? 0 : 255, 255);
  for (int y = 0; y < 3; ++y) {
    PLBYTE* row = bmp.GetLineArray()[y];
    for (int x = 0; x < width; ++x) {
      if ((x + y) % 2) row[x / 8] |= static_cast<PLBYTE>(0x80 >> (x % 8));
      else row[x / 8] &= static_cast<PLBYTE>(~(0x80 >> (x % 8)));
    }
  }
}

int Word(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }

struct LineCase {
  int width;
  int bpp;
  int bytesPerLine;
};

// 1 bit: (width + 7) / 8 rounded up to even; 8 and 24 bits: width rounded up.
const LineCase kLineCases[] = {{13, 1, 2}, {15, 1, 2}, {17, 1, 4}, {16, 1, 2},
                               {13, 8, 14}, {16, 8, 16}, {13, 24, 14}, {17, 32, 18}};

TEST(PcxWriter, BytesPerLine) {
  for (const LineCase& c : kLineCases) {
    SCOPED_TRACE(testing::Message() << c.width << " pixels at " << c.bpp << " bits");
    EXPECT_EQ(PcxBytesPerLine(c.width, c.bpp), c.bytesPerLine);
    PLAnyBmp bmp;
    bmp.Create(c.width, 2, c.bpp, c.bpp, 0, false, false);
    const Bytes header = PcxHeader(bmp);
    EXPECT_EQ(Word(header, 66), c.bytesPerLine);
    EXPECT_EQ(header[65], c.bpp >= 24 ? 3 : 1);
  }
}

TEST(PcxWriter, HeaderOfAOneBitPicture) {
  PLAnyBmp bmp;
  MakeMono(bmp, 13, false);
  bmp.SetResolution(PLPoint{203, 203});
  const Bytes h = PcxHeader(bmp);
  ASSERT_EQ(h.size(), 128u);
  EXPECT_EQ((Bytes{h[0], h[1], h[2], h[3]}), (Bytes{0x0A, 0x05, 0x01, 0x01}));
  EXPECT_EQ(Word(h, 4), 0);
  EXPECT_EQ(Word(h, 8), 12);  // last column
  EXPECT_EQ(Word(h, 10), 2);  // last row
  // The resolution words hold dots per inch, not the pixel size.
  EXPECT_EQ(Word(h, 12), 203);
  EXPECT_EQ(Word(h, 14), 203);
  // Black, then white, as whole colours.
  EXPECT_EQ((Bytes(h.begin() + 16, h.begin() + 22)), (Bytes{0, 0, 0, 255, 255, 255}));
  EXPECT_EQ(h[64], 0);
}

struct RunCase {
  const char* name;
  Bytes line;
  Bytes coded;
};

const RunCase kRunCases[] = {
    {"64 zeros: a run of 63, then one plain byte", Bytes(64, 0x00), {0xFF, 0x00, 0x00}},
    {"63 equal bytes: one run", Bytes(63, 0x11), {0xFF, 0x11}},
    {"a lone byte below 192 stands as it is", {0x41, 0x42}, {0x41, 0x42}},
    {"a lone byte of 192 or more gets a count", {0xC0, 0xFF}, {0xC1, 0xC0, 0xC1, 0xFF}},
    {"runs of two", {7, 7, 8, 8, 8}, {0xC2, 7, 0xC3, 8}},
};

TEST(PcxWriter, RunLengthCoding) {
  for (const RunCase& c : kRunCases) {
    SCOPED_TRACE(c.name);
    Bytes out;
    PcxEncodeLine(c.line, out);
    EXPECT_EQ(out, c.coded);
  }
}

TEST(PcxWriter, PacksBitsMostSignificantFirst) {
  const Bytes indices{1, 0, 1, 1, 0, 0, 0, 1, 1};
  EXPECT_EQ(PcxPackBits(indices, 0), (Bytes{0xB1, 0x80}));
}

TEST(PcxWriter, PixelIndexByDepth) {
  PLAnyBmp mono;
  MakeMono(mono, 9, false);
  EXPECT_EQ(GetPixelIndex(mono, 0, 0), 0);
  EXPECT_EQ(GetPixelIndex(mono, 1, 0), 1);
  EXPECT_EQ(GetPixelIndex(mono, 8, 1), 1);
  EXPECT_EQ(GetPixelIndex(mono, 9, 0), -1);
  PLAnyBmp grey;
  grey.Create(4, 1, 8, 8, 0, false, true);
  grey.GetLineArray()[0][3] = 200;
  EXPECT_EQ(GetPixelIndex(grey, 3, 0), 200);
  PLAnyBmp colour;
  colour.Create(4, 1, 32, 32, 0, false, false);
  EXPECT_EQ(GetPixelIndex(colour, 0, 0), -1);
}

// Writes through SaveBitmapAsImageFile and reads the file back.
std::optional<document_test::Rgb> WrittenAndRead(PLBmp& bmp, bool netpbm, Bytes* file = nullptr) {
  document_test::TempFolder folder("pcx");
  const std::string path = folder.File("picture.pcx");
  if (SaveBitmapAsImageFile(path.c_str(), bmp, kImageFormatPcx) != 1) return std::nullopt;
  if (file) *file = document_test::ReadBytes(path);
  return netpbm ? document_test::ReadWithPcxToPpm(path) : document_test::ReadWithImageMagick(path);
}

TEST(PcxWriter, MonochromeWithEitherPaletteReadsBackTheSame) {
  for (bool whiteFirst : {false, true}) {
    SCOPED_TRACE(whiteFirst ? "white first" : "black first");
    PLAnyBmp bmp;
    MakeMono(bmp, 13, whiteFirst);
    const auto read = WrittenAndRead(bmp, true);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(document_test::DifferentPixels(*read, document_test::RgbOf(bmp)), 0u);
  }
}

TEST(PcxWriter, EightBitsEndWithTheirPalette) {
  PLAnyBmp bmp;
  bmp.Create(5, 2, 8, 8, 0, false, false);
  for (int i = 0; i < 256; ++i) bmp.SetPaletteEntry(static_cast<PLBYTE>(i), static_cast<PLBYTE>(i), 0, 255 - i, 255);
  for (int x = 0; x < 5; ++x) {
    bmp.GetLineArray()[0][x] = static_cast<PLBYTE>(x * 50);
    bmp.GetLineArray()[1][x] = static_cast<PLBYTE>(250 - x * 50);
  }
  Bytes file;
  const auto read = WrittenAndRead(bmp, false, &file);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(document_test::DifferentPixels(*read, document_test::RgbOf(bmp)), 0u);
  ASSERT_GE(file.size(), 128u + 769u);
  EXPECT_EQ(file[file.size() - 769], 12);
  EXPECT_EQ(file[file.size() - 3], 255);  // entry 255: red 255, green 0, blue 0
  EXPECT_EQ(file.back(), 0);
}

TEST(PcxWriter, RefusesWhatItCannotWrite) {
  PLAnyBmp bmp;
  bmp.Create(70000, 1, 1, 1, 0, false, false);
  std::FILE* f = std::tmpfile();
  EXPECT_EQ(WritePcxFile(f, bmp), -1);
  std::fclose(f);
  EXPECT_EQ(WritePcxFile(nullptr, bmp), -1);
}

struct ExtensionCase {
  int code;
  const char* text;
};
const ExtensionCase kExtensions[] = {{100, "bmp"}, {101, "png"}, {103, "pcx"}, {104, "tif"},
                                     {105, "emf"}, {0, ""},      {102, ""},    {106, ""}};

TEST(ImageFormats, ExtensionByCode) {
  for (const ExtensionCase& c : kExtensions) EXPECT_STREQ(GetImageFormatExtension(c.code).GetData(), c.text) << c.code;
}

}  // namespace
