// Pictures written at test time by ImageMagick's convert and by netpbm
// decode to the pixels that ImageMagick itself reads from the same file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tests/image/decode_test_util.h"

namespace {

using namespace dectest;

// Which generated picture a case starts from.
enum class Source { Rgb, Alpha, Binary };

struct RoundTrip {
  const char* name;
  Source source;
  // A shell command with {in} and {out}.
  const char* command;
  const char* extension;
  int format;   // what DetectFileType must say
  int bpp;      // the depth the decoder yields
  int fileBpp;  // the depth the file states
  int tolerance;
  // How the expected pixels are read: ImageMagick, or a shell command
  // printing RGBA bytes ({out} is the file).
  const char* oracle = nullptr;
};

// The netpbm readers as oracles for the formats ImageMagick reads its own way.
constexpr const char* kPcxOracle = "pcxtoppm {out} | convert ppm:- -depth 8 rgba:-";
constexpr const char* kTgaOracle = "tgatoppm {out} | convert ppm:- -depth 8 rgba:-";
constexpr const char* kTgaAlphaOracle =
    "tgatoppm --alphaout={out}.a.pgm {out} > {out}.rgb.ppm && convert {out}.rgb.ppm {out}.a.pgm -compose CopyOpacity -composite -depth 8 rgba:-";

// Where a format keeps fewer bits than 8 per sample, or the tools round
// 16-bit samples where the decoders cut them, pixels may differ a little:
constexpr int kExact = 0;
constexpr int kSixteenBit = 1;  // 16 to 8 bits: cut versus rounded
constexpr int kFiveBit = 7;     // 5-bit channels: shifted versus scaled
// JPEG: the decoders here use floating-point DCT without fancy upsampling,
// ImageMagick integer DCT with it. Without subsampled chroma (grey, and
// colour at 4:4:4, which ImageMagick writes at quality 90 and above) only
// rounding differs: at most 2 levels here, held to 3, with a mean of about
// 0.03 held to 0.25.
constexpr int kJpeg = 3;
constexpr double kJpegMean = 0.25;
// Subsampled chroma (4:2:0) differs more: the chroma of this test picture
// changes every pixel and the two upsample it differently. At most 74 levels
// with a mean of 6.2 here, held to 80 and 7.
constexpr int kJpegSubsampled = 80;
constexpr double kJpegSubsampledMean = 7;

const RoundTrip kCases[] = {
    // BMP
    {"bmp1", Source::Rgb, "convert {in} -monochrome BMP3:{out}", "bmp", PL_FT_WINBMP, 8, 1, kExact},
    {"bmp4", Source::Rgb, "convert {in} -compress none -type palette -colors 16 BMP3:{out}", "bmp", PL_FT_WINBMP, 8, 4, kExact},
    {"bmp8", Source::Rgb, "convert {in} -colors 200 -compress none BMP3:{out}", "bmp", PL_FT_WINBMP, 8, 8, kExact},
    {"bmp8_rle", Source::Rgb, "convert {in} -colors 200 -compress RLE BMP3:{out}", "bmp", PL_FT_WINBMP, 8, 8, kExact},
    {"bmp16_565_fields", Source::Rgb, "convert {in} -define bmp:subtype=RGB565 BMP:{out}", "bmp", PL_FT_WINBMP, 32, 16, kFiveBit},
    {"bmp16_555_fields", Source::Rgb, "convert {in} -define bmp:subtype=RGB555 BMP:{out}", "bmp", PL_FT_WINBMP, 32, 16, kFiveBit},
    {"bmp24", Source::Rgb, "convert {in} -type truecolor BMP3:{out}", "bmp", PL_FT_WINBMP, 32, 24, kExact},
    {"bmp32_alpha_fields", Source::Alpha, "convert {in} BMP:{out}", "bmp", PL_FT_WINBMP, 32, 32, kExact},
    {"bmp_os2_24", Source::Rgb, "convert {in} -type truecolor BMP2:{out}", "bmp", PL_FT_WINBMP, 32, 24, kExact},
    {"bmp_os2_8", Source::Rgb, "convert {in} -colors 200 BMP2:{out}", "bmp", PL_FT_WINBMP, 8, 8, kExact},
    {"bmp_netpbm", Source::Rgb, "ppmtobmp -windows {in} > {out}", "bmp", PL_FT_WINBMP, 32, 24, kExact},
    // PNG: every colour type, 1 to 16 bits
    {"png_grey1", Source::Rgb, "convert {in} -monochrome -define png:bit-depth=1 -define png:color-type=0 PNG:{out}", "png", PL_FT_PNG, 8, 1, kExact},
    {"png_grey4", Source::Rgb, "convert {in} -colorspace gray -depth 4 -define png:bit-depth=4 -define png:color-type=0 PNG:{out}", "png", PL_FT_PNG, 8, 4, kExact},
    {"png_grey8", Source::Rgb, "convert {in} -colorspace gray -define png:bit-depth=8 -define png:color-type=0 PNG:{out}", "png", PL_FT_PNG, 8, 8, kExact},
    {"png_grey16", Source::Rgb, "convert {in} -colorspace gray -depth 16 -define png:color-type=0 PNG:{out}", "png", PL_FT_PNG, 8, 16, kSixteenBit},
    {"png_rgb8", Source::Rgb, "convert {in} PNG24:{out}", "png", PL_FT_PNG, 32, 8, kExact},
    {"png_rgb16", Source::Rgb, "convert {in} PNG48:{out}", "png", PL_FT_PNG, 32, 16, kSixteenBit},
    {"png_palette8", Source::Rgb, "convert {in} PNG8:{out}", "png", PL_FT_PNG, 8, 8, kExact},
    {"png_palette2", Source::Rgb, "convert {in} -colors 4 -define png:bit-depth=2 PNG8:{out}", "png", PL_FT_PNG, 8, 2, kExact},
    {"png_grey_alpha8", Source::Alpha, "convert {in} -colorspace gray -depth 8 -define png:color-type=4 -define png:bit-depth=8 PNG:{out}", "png", PL_FT_PNG, 32, 8, kExact},
    {"png_grey_alpha16", Source::Alpha, "convert {in} -colorspace gray -depth 16 -define png:color-type=4 PNG:{out}", "png", PL_FT_PNG, 32, 16, kSixteenBit},
    {"png_rgba8", Source::Alpha, "convert {in} PNG32:{out}", "png", PL_FT_PNG, 32, 8, kExact},
    {"png_rgba16", Source::Alpha, "convert {in} PNG64:{out}", "png", PL_FT_PNG, 32, 16, kSixteenBit},
    {"png_interlaced", Source::Rgb, "convert {in} -interlace PNG PNG24:{out}", "png", PL_FT_PNG, 32, 8, kExact},
    {"png_netpbm", Source::Rgb, "pnmtopng {in} > {out}", "png", PL_FT_PNG, 32, 8, kExact},
    // JPEG
    {"jpeg_colour", Source::Rgb, "convert {in} -quality 92 JPEG:{out}", "jpg", PL_FT_JPEG, 32, 0, kJpeg},
    {"jpeg_colour_444", Source::Rgb, "convert {in} -quality 92 -sampling-factor 1x1 JPEG:{out}", "jpg", PL_FT_JPEG, 32, 0, kJpeg},
    {"jpeg_progressive", Source::Rgb, "convert {in} -quality 92 -interlace JPEG JPEG:{out}", "jpg", PL_FT_JPEG, 32, 0, kJpeg},
    {"jpeg_grey", Source::Rgb, "convert {in} -colorspace gray -type grayscale -quality 92 JPEG:{out}", "jpg", PL_FT_JPEG, 8, 0, kJpeg},
    {"jpeg_colour_420", Source::Rgb, "convert {in} -quality 92 -sampling-factor 2x2 JPEG:{out}", "jpg", PL_FT_JPEG, 32, 0, kJpegSubsampled},
    {"jpeg_netpbm_420", Source::Rgb, "pnmtojpeg --quality=92 {in} > {out}", "jpg", PL_FT_JPEG, 32, 0, kJpegSubsampled},
    // TIFF: strips and tiles, several compressions
    {"tiff_none", Source::Rgb, "convert {in} -compress none TIFF:{out}", "tif", PL_FT_TIFF, 32, 3, kExact},
    {"tiff_lzw", Source::Rgb, "convert {in} -compress lzw TIFF:{out}", "tif", PL_FT_TIFF, 32, 3, kExact},
    {"tiff_zip", Source::Rgb, "convert {in} -compress zip TIFF:{out}", "tif", PL_FT_TIFF, 32, 3, kExact},
    {"tiff_packbits", Source::Rgb, "convert {in} -compress rle TIFF:{out}", "tif", PL_FT_TIFF, 32, 3, kExact},
    {"tiff_jpeg", Source::Rgb, "convert {in} -compress jpeg -quality 92 TIFF:{out}", "tif", PL_FT_TIFF, 32, 3, kJpeg},
    {"tiff_tiles", Source::Rgb, "convert {in} -compress lzw -define tiff:tile-geometry=16x16 TIFF:{out}", "tif", PL_FT_TIFF, 32, 3, kExact},
    {"tiff_tiles_zip", Source::Alpha, "convert {in} -compress zip -define tiff:tile-geometry=16x32 TIFF:{out}", "tif", PL_FT_TIFF, 32, 4, kExact},
    {"tiff_grey8", Source::Rgb, "convert {in} -colorspace gray -compress lzw TIFF:{out}", "tif", PL_FT_TIFF, 8, 1, kExact},
    {"tiff_bilevel_g4", Source::Rgb, "convert {in} -monochrome -compress group4 TIFF:{out}", "tif", PL_FT_TIFF, 1, 1, kExact},
    {"tiff_bilevel_netpbm", Source::Rgb, "ppmtopgm {in} | pgmtopbm | pamtotiff > {out}", "tif", PL_FT_TIFF, 1, 1, kExact},
    // Colour maps hold 16-bit values; the decoder takes their high bytes.
    {"tiff_palette", Source::Rgb, "convert {in} -type palette -colors 100 TIFF:{out}", "tif", PL_FT_TIFF, 8, 1, kSixteenBit},
    {"tiff_palette4", Source::Rgb, "convert {in} -type palette -colors 16 -depth 4 TIFF:{out}", "tif", PL_FT_TIFF, 8, 1, kSixteenBit},
    {"tiff_rgb16", Source::Rgb, "convert {in} -depth 16 TIFF:{out}", "tif", PL_FT_TIFF, 32, 3, kSixteenBit},
    {"tiff_rgba_unassociated", Source::Alpha, "convert {in} -define tiff:alpha=unassociated TIFF:{out}", "tif", PL_FT_TIFF, 32, 4, kExact},
    {"tiff_netpbm", Source::Rgb, "pamtotiff {in} > {out}", "tif", PL_FT_TIFF, 32, 3, kExact},
    // GIF
    {"gif", Source::Rgb, "convert {in} GIF:{out}", "gif", PL_FT_GIF, 8, 8, kExact},
    {"gif_interlaced", Source::Rgb, "convert {in} -interlace GIF GIF:{out}", "gif", PL_FT_GIF, 8, 8, kExact},
    {"gif_transparent", Source::Binary, "convert {in} GIF:{out}", "gif", PL_FT_GIF, 8, 8, kExact},
    {"gif_netpbm", Source::Rgb, "pnmquant 64 {in} | ppmtogif > {out}", "gif", PL_FT_GIF, 8, 6, kExact},
    // PCX
    {"pcx_rgb", Source::Rgb, "convert {in} -type truecolor PCX:{out}", "pcx", PL_FT_PCX, 32, 8, kExact, kPcxOracle},
    {"pcx_palette", Source::Rgb, "convert {in} -colors 200 -type palette PCX:{out}", "pcx", PL_FT_PCX, 32, 8, kExact, kPcxOracle},
    {"pcx_mono", Source::Rgb, "ppmtopgm {in} | pgmtopbm | ppmtopcx > {out}", "pcx", PL_FT_PCX, 32, 1, kExact, kPcxOracle},
    {"pcx_netpbm_16", Source::Rgb, "pnmquant 16 {in} | ppmtopcx -planes 4 > {out}", "pcx", PL_FT_PCX, 32, 1, kExact, kPcxOracle},
    {"pcx_netpbm_24", Source::Rgb, "ppmtopcx -24bit {in} > {out}", "pcx", PL_FT_PCX, 32, 8, kExact, kPcxOracle},
    // TGA
    {"tga_rgb", Source::Rgb, "convert {in} -compress none TGA:{out}", "tga", PL_FT_TARGA, 32, 24, kExact, kTgaOracle},
    {"tga_rgb_rle", Source::Rgb, "convert {in} -compress rle TGA:{out}", "tga", PL_FT_TARGA, 32, 24, kExact, kTgaOracle},
    {"tga_rgba", Source::Alpha, "convert {in} -compress none TGA:{out}", "tga", PL_FT_TARGA, 32, 32, kExact, kTgaAlphaOracle},
    {"tga_rgba_rle", Source::Alpha, "convert {in} -compress rle TGA:{out}", "tga", PL_FT_TARGA, 32, 32, kExact, kTgaAlphaOracle},
    {"tga_palette", Source::Rgb, "convert {in} -colors 200 -type palette -compress none TGA:{out}", "tga", PL_FT_TARGA, 8, 8, kExact, kTgaOracle},
    {"tga_palette_rle", Source::Rgb, "convert {in} -colors 200 -type palette -compress rle TGA:{out}", "tga", PL_FT_TARGA, 8, 8, kExact, kTgaOracle},
    {"tga_grey", Source::Rgb, "convert {in} -type grayscale -compress none TGA:{out}", "tga", PL_FT_TARGA, 8, 8, kExact, kTgaOracle},
    {"tga_netpbm_rgb", Source::Rgb, "pamtotga -rgb -norle {in} > {out}", "tga", PL_FT_TARGA, 32, 24, kExact, kTgaOracle},
    {"tga_netpbm_rle", Source::Rgb, "pamtotga -rgb {in} > {out}", "tga", PL_FT_TARGA, 32, 24, kExact, kTgaOracle},
    {"tga_netpbm_cmap", Source::Rgb, "pnmquant 200 {in} | pamtotga -cmap > {out}", "tga", PL_FT_TARGA, 8, 8, kExact, kTgaOracle},
    // PPM and PGM
    {"ppm_binary", Source::Rgb, "convert {in} PPM:{out}", "ppm", PL_FT_PPM, 32, 0, kExact},
    {"ppm_text", Source::Rgb, "convert {in} -compress none PPM:{out}", "ppm", PL_FT_PPM, 32, 0, kExact},
    {"ppm_binary16", Source::Rgb, "convert {in} -depth 16 PPM:{out}", "ppm", PL_FT_PPM, 32, 0, kSixteenBit},
    {"ppm_text16", Source::Rgb, "convert {in} -depth 16 -compress none PPM:{out}", "ppm", PL_FT_PPM, 32, 0, kSixteenBit},
    {"ppm_netpbm_plain", Source::Rgb, "pnmtoplainpnm {in} > {out}", "ppm", PL_FT_PPM, 32, 0, kExact},
    {"pgm_binary", Source::Rgb, "convert {in} -colorspace gray PGM:{out}", "pgm", PL_FT_PGM, 8, 0, kExact},
    {"pgm_text", Source::Rgb, "convert {in} -colorspace gray -compress none PGM:{out}", "pgm", PL_FT_PGM, 8, 0, kExact},
    {"pgm_binary16", Source::Rgb, "convert {in} -colorspace gray -depth 16 PGM:{out}", "pgm", PL_FT_PGM, 8, 0, kSixteenBit},
    {"pgm_netpbm_plain", Source::Rgb, "ppmtopgm {in} | pnmtoplainpnm > {out}", "pgm", PL_FT_PGM, 8, 0, kExact},
    // PSD
    {"psd_rgb", Source::Rgb, "convert {in} -compress none PSD:{out}", "psd", PL_FT_PSD, 32, 0, kExact},
    {"psd_rgb_rle", Source::Rgb, "convert {in} -compress rle PSD:{out}", "psd", PL_FT_PSD, 32, 0, kExact},
    {"psd_rgba", Source::Alpha, "convert {in} -compress rle PSD:{out}", "psd", PL_FT_PSD, 32, 0, kExact, "convert {in} -depth 8 rgba:-"},
    {"psd_grey", Source::Rgb, "convert {in} -colorspace gray -compress rle PSD:{out}", "psd", PL_FT_PSD, 8, 0, kExact},
    // ImageMagick's quantiser has 16-bit colours that the file rounds to 8.
    {"psd_indexed", Source::Rgb, "convert {in} -colors 200 -type palette PSD:{out}", "psd", PL_FT_PSD, 8, 0, kSixteenBit, "convert {in} -colors 200 -type palette -depth 8 rgba:-"},
    // PICT
    {"pict_netpbm", Source::Rgb, "pnmquant 200 {in} | ppmtopict > {out}", "pict", PL_FT_MACPICT, 8, 8, kExact},
    {"pict_truecolour", Source::Rgb, "convert {in} PICT:{out}", "pict", PL_FT_MACPICT, 32, 32, kExact},
};

std::string Expand(std::string command, const std::string& in, const std::string& out) {
  for (size_t p; (p = command.find("{in}")) != std::string::npos;) command.replace(p, 4, "'" + in + "'");
  for (size_t p; (p = command.find("{out}")) != std::string::npos;) command.replace(p, 5, "'" + out + "'");
  return command;
}

class DecodeRoundTrip : public ::testing::TestWithParam<RoundTrip> {
 protected:
  static void SetUpTestSuite() {
    if (!HaveTools()) return;
    s_Folder = std::make_unique<TempFolder>();
    // 37 x 23: odd sizes, so rows need padding in every format that pads.
    // Red along x, green along y, blue in a short cycle, and a flat
    // rectangle: several hundred colours and some runs.
    const std::string base = "-size 37x23 xc: -channel R -fx 'i/36' -channel G -fx 'j/22'"
                             " -channel B -fx '(i*j%17)/16' +channel -fill '#ffe000' -draw 'rectangle 5,5 15,12'";
    dectest::Run("convert " + base + " -depth 8 '" + s_Folder->File("rgb.ppm") + "'");
    dectest::Run("convert " + base + " -alpha set -channel A -fx '(i+j)/58' +channel -depth 8 '" + s_Folder->File("alpha.png") + "'");
    dectest::Run("convert " + base + " -alpha set -channel A -fx 'i<18?1:0' +channel -depth 8 '" + s_Folder->File("binary.png") + "'");
  }
  static void TearDownTestSuite() { s_Folder.reset(); }
  static std::unique_ptr<TempFolder> s_Folder;
};

std::unique_ptr<TempFolder> DecodeRoundTrip::s_Folder;

TEST_P(DecodeRoundTrip, DecodesToTheToolsPixels) {
  const RoundTrip& c = GetParam();
  if (!s_Folder) GTEST_SKIP() << "ImageMagick and netpbm are not installed (scripts/install-deps.sh)";
  ASSERT_TRUE(s_Folder->Ok());
  const char* source = c.source == Source::Rgb ? "rgb.ppm" : c.source == Source::Alpha ? "alpha.png" : "binary.png";
  const std::string out = s_Folder->File(std::string(c.name) + "." + c.extension);
  ASSERT_TRUE(dectest::Run(Expand(c.command, s_Folder->File(source), out))) << Expand(c.command, s_Folder->File(source), out);
  const std::vector<PLBYTE> expected =
      c.oracle ? RunCommand(Expand(c.oracle, s_Folder->File(source), out)) : ToolRgba(out);
  ASSERT_EQ(expected.size(), size_t(37 * 23 * 4)) << "ImageMagick could not read " << out;

  Decoded d = DecodeFile(out);
  ASSERT_FALSE(d.threw);
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.format, c.format);
  EXPECT_EQ(d.bpp, c.bpp);
  EXPECT_EQ(d.fileBpp, c.fileBpp);
  EXPECT_EQ(d.bmp->GetWidth(), 37);
  EXPECT_EQ(d.bmp->GetHeight(), 23);
  EXPECT_LE(MaxDifference(Rgba(*d.bmp), expected), c.tolerance);
  EXPECT_GE(MaxDifference(Rgba(*d.bmp), expected), 0);
  if (c.tolerance == kJpeg) {
    EXPECT_LE(MeanDifference(Rgba(*d.bmp), expected), kJpegMean);
  } else if (c.tolerance == kJpegSubsampled) {
    EXPECT_LE(MeanDifference(Rgba(*d.bmp), expected), kJpegSubsampledMean);
  }

  // The same picture asked for at 32 bits, from memory.
  Decoded m = DecodeBytes(ReadFile(out), 32);
  ASSERT_EQ(m.result, 1);
  EXPECT_EQ(m.bmp->GetBitsPerPixel(), 32);
  EXPECT_LE(MaxDifference(Rgba(*m.bmp), Rgba(*d.bmp)), 0);
}

INSTANTIATE_TEST_SUITE_P(Tools, DecodeRoundTrip, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });

}  // namespace
