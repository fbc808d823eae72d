// The decoders that drive libpng, libjpeg, libtiff and giflib: depths,
// palettes, resolutions, alpha, and cut or inconsistent files, on pictures
// written at test time by ImageMagick and netpbm.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/io/pltrace.h"
#include "tests/image/decode_test_util.h"

namespace {

using namespace dectest;

class LibraryDecoders : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveTools()) GTEST_SKIP() << "ImageMagick and netpbm are not installed (scripts/install-deps.sh)";
    ASSERT_TRUE(m_Temp.Ok());
    m_Source = m_Temp.File("src.ppm");
    ASSERT_TRUE(dectest::Run("convert -size 24x16 xc: -channel R -fx 'i/23' -channel G -fx 'j/15' +channel -depth 8 '" +
                    m_Source + "'"));
  }
  // Runs a command with {in} and {out}, then decodes {out}.
  Decoded Make(const std::string& name, std::string command) {
    const std::string out = m_Temp.File(name);
    for (size_t p; (p = command.find("{in}")) != std::string::npos;) command.replace(p, 4, "'" + m_Source + "'");
    for (size_t p; (p = command.find("{out}")) != std::string::npos;) command.replace(p, 5, "'" + out + "'");
    EXPECT_TRUE(dectest::Run(command)) << command;
    m_Last = out;
    return DecodeFile(out);
  }
  TempFolder m_Temp;
  std::string m_Source;
  std::string m_Last;
};

TEST_F(LibraryDecoders, OneBitGreyPngGivesIndexesWithABlackAndWhitePalette) {
  Decoded d = Make("g1.png", "convert {in} -monochrome -define png:bit-depth=1 -define png:color-type=0 PNG:{out}");
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bpp, 8);
  EXPECT_EQ(d.bmp->GetPalette()[0], PLPixel32(0, 0, 0));
  EXPECT_EQ(d.bmp->GetPalette()[1], PLPixel32(255, 255, 255));
  for (int y = 0; y < d.bmp->GetHeight(); ++y)
    for (int x = 0; x < d.bmp->GetWidth(); ++x) ASSERT_LE(d.bmp->GetLineArray()[y][x], 1);
}

TEST_F(LibraryDecoders, SixteenBitGreyPngGivesTheFullGreyRamp) {
  Decoded d = Make("g16.png", "convert {in} -colorspace gray -depth 16 -define png:color-type=0 PNG:{out}");
  ASSERT_EQ(d.result, 1);
  EXPECT_TRUE(d.bmp->IsGreyscale());
  for (int i : {0, 1, 128, 255}) EXPECT_EQ(d.bmp->GetPalette()[i], PLPixel32(PLBYTE(i), PLBYTE(i), PLBYTE(i)));
}

TEST_F(LibraryDecoders, RgbPngIsOpaqueAndRgbaKeepsAlpha) {
  Decoded rgb = Make("rgb.png", "convert {in} PNG24:{out}");
  ASSERT_EQ(rgb.result, 1);
  EXPECT_FALSE(rgb.bmp->HasAlpha());
  EXPECT_EQ(rgb.bmp->GetLineArray32()[3][3].a, 255);
  Decoded rgba = Make("rgba.png", "convert {in} -alpha set -channel A -fx 0.5 +channel PNG32:{out}");
  ASSERT_EQ(rgba.result, 1);
  EXPECT_TRUE(rgba.bmp->HasAlpha());
  EXPECT_NEAR(rgba.bmp->GetLineArray32()[3][3].a, 128, 1);
}

TEST_F(LibraryDecoders, Resolutions) {
  struct Case {
    const char* name;
    const char* command;
    int dpi;
  };
  const Case cases[] = {
      {"r.png", "convert {in} -units PixelsPerInch -density 300 PNG24:{out}", 300},
      {"n.png", "convert {in} -strip PNG24:{out}", 0},
      {"c.jpg", "convert {in} -units PixelsPerCentimeter -density 118 JPEG:{out}", 299},
      {"i.jpg", "convert {in} -units PixelsPerInch -density 150 JPEG:{out}", 150},
      {"o.jpg", "convert {in} -units PixelsPerInch -density 1 JPEG:{out}", 0},
      {"r.tif", "convert {in} -units PixelsPerInch -density 200 TIFF:{out}", 200},
      {"c.tif", "convert {in} -units PixelsPerCentimeter -density 40 TIFF:{out}", 102},
  };
  for (const Case& c : cases) {
    Decoded d = Make(c.name, c.command);
    ASSERT_EQ(d.result, 1) << c.name;
    EXPECT_EQ(d.bmp->GetResolution().x, c.dpi) << c.name;
    EXPECT_EQ(d.bmp->GetResolution().y, c.dpi) << c.name;
  }
}

TEST_F(LibraryDecoders, GreyJpegIsAnEightBitGreyscaleBitmap) {
  Decoded d = Make("g.jpg", "convert {in} -colorspace gray -type grayscale JPEG:{out}");
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bpp, 8);
  EXPECT_TRUE(d.bmp->IsGreyscale());
}

TEST_F(LibraryDecoders, OneBitTiffMinIsWhiteMapsZeroToWhite) {
  for (const char* kind : {"-miniswhite", "-minisblack"}) {
    Decoded d = Make(std::string("b") + kind + ".tif", std::string("ppmtopgm {in} | pgmtopbm | pamtotiff ") + kind + " > {out}");
    ASSERT_EQ(d.result, 1) << kind;
    EXPECT_EQ(d.bpp, 1);
    const PLBYTE zero = std::string(kind) == "-miniswhite" ? 255 : 0;
    EXPECT_EQ(d.bmp->GetPalette()[0], PLPixel32(zero, zero, zero)) << kind;
    EXPECT_EQ(MaxDifference(Rgba(*d.bmp), ToolRgba(m_Last)), 0) << kind;
  }
}

TEST_F(LibraryDecoders, TiledEightBitTiffIsReadIntoThirtyTwoBits) {
  Decoded d = Make("t.tif", "convert {in} -type palette -colors 50 -compress lzw -define tiff:tile-geometry=16x16 TIFF:{out}");
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bpp, 32);
  // The colour map's 16-bit values against ImageMagick's rounding.
  const int difference = MaxDifference(Rgba(*d.bmp), ToolRgba(m_Last));
  EXPECT_GE(difference, 0);
  EXPECT_LE(difference, 1);
}

TEST_F(LibraryDecoders, GifImageOutsideItsScreenIsClippedToIt) {
  Decoded ok = Make("s.gif", "convert {in} GIF:{out}");
  ASSERT_EQ(ok.result, 1);
  std::vector<PLBYTE> bytes = ReadFile(m_Last);
  bytes[6] = 10;  // logical screen width 10, narrower than the image
  bytes[7] = 0;
  Decoded d = DecodeBytes(bytes);
  ASSERT_EQ(d.result, 1);
  EXPECT_FALSE(d.threw);
  ASSERT_EQ(d.bmp->GetWidth(), 10);
  ASSERT_EQ(d.bmp->GetHeight(), ok.bmp->GetHeight());
  for (int y = 0; y < d.bmp->GetHeight(); ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(d.bmp->GetLineArray()[y][x], ok.bmp->GetLineArray()[y][x]);
}

TEST_F(LibraryDecoders, CutFilesFailWithoutCrashing) {
  const char* commands[] = {"convert {in} PNG24:{out}", "convert {in} -interlace JPEG JPEG:{out}",
                            "convert {in} -compress lzw TIFF:{out}", "convert {in} GIF:{out}"};
  int n = 0;
  for (const char* command : commands) {
    Decoded whole = Make("cut" + std::to_string(n++), command);
    ASSERT_EQ(whole.result, 1) << command;
    const std::vector<PLBYTE> bytes = ReadFile(m_Last);
    for (size_t keep : {size_t(8), size_t(40), bytes.size() / 2}) {
      Decoded d = DecodeBytes(std::vector<PLBYTE>(bytes.begin(), bytes.begin() + long(keep)));
      EXPECT_FALSE(d.result == 1 && d.bmp->GetWidth() != whole.bmp->GetWidth()) << command << " " << keep;
    }
  }
}

}  // namespace

namespace {

// A 2 x 1 grey TIFF written byte by byte, with a private tag libtiff does not
// know: libtiff warns about it and still reads the picture.
std::vector<unsigned char> TiffWithUnknownTag() {
  std::vector<unsigned char> b = {'I', 'I', 42, 0, 8, 0, 0, 0};
  auto put16 = [&](unsigned v) { b.push_back(v & 0xFF); b.push_back(v >> 8); };
  auto put32 = [&](unsigned v) { for (int i = 0; i < 4; ++i) b.push_back((v >> (8 * i)) & 0xFF); };
  const struct { unsigned tag, type, value; } entries[] = {
      {256, 3, 2}, {257, 3, 1}, {258, 3, 8}, {259, 3, 1}, {262, 3, 1}, {273, 4, 0},
      {277, 3, 1}, {278, 3, 1}, {279, 4, 2}, {65000, 3, 7}};
  const unsigned count = sizeof entries / sizeof entries[0];
  const unsigned pixels = 8 + 2 + count * 12 + 4;
  put16(count);
  for (const auto& e : entries) {
    put16(e.tag);
    put16(e.type);
    put32(1);
    if (e.type == 3) {
      put16(e.value);
      put16(0);
    } else {
      put32(e.tag == 273 ? pixels : e.value);
    }
  }
  put32(0);
  b.push_back(0x10);
  b.push_back(0xE0);
  return b;
}

TEST(TiffMessages, WarningsAreTracedAtLevelTwoAndThePictureStillDecodes) {
  TempFolder temp;
  ASSERT_TRUE(temp.Ok());
  const std::string picture = temp.File("warn.tif");
  const std::string trace = temp.File("trace.txt");
  {
    const auto bytes = TiffWithUnknownTag();
    std::ofstream out(picture, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  SetTraceConfig(2, trace.c_str());
  Decoded d = DecodeFile(picture);
  SetTraceConfig(0, nullptr);
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bmp->GetWidth(), 2);
  std::ifstream in(trace);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("Warning in LIBTIFF("), std::string::npos) << text;
  EXPECT_NE(text.find("65000"), std::string::npos) << text;
}

}  // namespace
