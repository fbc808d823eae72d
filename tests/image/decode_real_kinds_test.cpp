// Kinds of picture that real files use and the plain round trips do not
// reach: PNG transparency, TIFF associated alpha and grey with alpha, Targa
// right-to-left and 16-bit, CMYK and YCCK JPEG, a GIF frame larger than its
// screen. Each file is written at test time by ImageMagick, netpbm or the
// format's own library, and decodes to the pixels ImageMagick reads from it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/image/byte_builder.h"
#include "tests/image/decode_test_util.h"

// After the platform's types, whose TRUE and FALSE libjpeg then keeps.
#include <jpeglib.h>

namespace {

using namespace dectest;
using Bytes = std::vector<PLBYTE>;

constexpr int kWidth = 24, kHeight = 16;
// 5-bit Targa channels: the decoder shifts, ImageMagick scales.
constexpr int kFiveBit = 7;
// 16-bit samples: rounded here, rounded there, in another order.
constexpr int kSixteenBit = 1;
// Associated alpha stored in 8 bits: dividing by a small alpha magnifies
// the rounding of the premultiplied value, here and in ImageMagick alike
// (at most 2 levels here).
constexpr int kAssociated8 = 2;
// JPEG: floating-point DCT without fancy upsampling here, ImageMagick's
// integer DCT; the CMYK-to-RGB product rounds once more (at most 3 here).
constexpr int kCmykJpeg = 4;

std::string Quote(const std::string& path) { return "'" + path + "'"; }

// ImageMagick's reading of the first picture, turned upright the way the
// file says (Targa's row and column order).
Bytes ImageMagickRgba(const std::string& path) {
  return RunCommand("convert " + Quote(path + "[0]") + " -auto-orient -depth 8 rgba:- 2>/dev/null");
}

class RealKinds : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveTools()) GTEST_SKIP() << "ImageMagick and netpbm are not installed (scripts/install-deps.sh)";
    ASSERT_TRUE(m_Temp.Ok());
    // Red along x, green along y, a flat yellow rectangle; alpha in four
    // steps across, and a smooth alpha ramp.
    const std::string base = "-size 24x16 xc: -channel R -fx 'i/23' -channel G -fx 'j/15' +channel"
                             " -fill '#ffe000' -draw 'rectangle 5,5 15,12'";
    ASSERT_TRUE(dectest::Run("convert " + base + " -depth 8 " + Quote(File("rgb.ppm"))));
    ASSERT_TRUE(dectest::Run("convert -size 24x16 xc: -fx 'floor(4*i/24)/3' -depth 8 " + Quote(File("steps.pgm"))));
    ASSERT_TRUE(dectest::Run("convert " + base + " -alpha set -channel A -fx '(i+j)/38' +channel -depth 8 " +
                    Quote(File("alpha.png"))));
  }
  std::string File(const std::string& name) const { return m_Temp.File(name); }

  // Makes a file with a shell command ({in}: a file of this fixture named
  // by source, {out}: the new file), then compares the decoder's pixels
  // with ImageMagick's.
  Decoded Check(const std::string& name, const std::string& source, std::string command, int tolerance) {
    const std::string out = File(name);
    for (size_t p; (p = command.find("{in}")) != std::string::npos;) command.replace(p, 4, Quote(File(source)));
    for (size_t p; (p = command.find("{out}")) != std::string::npos;) command.replace(p, 5, Quote(out));
    EXPECT_TRUE(dectest::Run(command)) << command;
    return CheckFile(out, tolerance);
  }
  Decoded CheckFile(const std::string& path, int tolerance) {
    const Bytes expected = ImageMagickRgba(path);
    EXPECT_EQ(expected.size(), size_t(kWidth * kHeight * 4)) << "ImageMagick could not read " << path;
    Decoded d = DecodeFile(path);
    EXPECT_FALSE(d.threw) << path;
    EXPECT_EQ(d.result, 1) << path;
    if (d.result != 1) return d;
    const int difference = MaxDifference(Rgba(*d.bmp), expected);
    EXPECT_GE(difference, 0) << path;
    EXPECT_LE(difference, tolerance) << path;
    return d;
  }

  TempFolder m_Temp;
};

// --- PNG transparency ---

TEST_F(RealKinds, PalettePngWithPaletteAlpha) {
  Decoded d = Check("palette.png", "rgb.ppm", "pnmquant 50 {in} 2>/dev/null | pnmtopng -alpha=" +
                    Quote(File("steps.pgm")) + " > {out}", 0);
  EXPECT_EQ(d.bpp, 8);
  EXPECT_TRUE(d.bmp->HasAlpha());
}

TEST_F(RealKinds, GreyPngWithAColourKey) {
  // netpbm writes four grey levels in 2 bits, level 170 transparent.
  ASSERT_TRUE(dectest::Run("convert " + Quote(File("rgb.ppm")) + " -colorspace gray -posterize 4 -depth 8 " +
                  Quote(File("grey4.pgm"))));
  Decoded d = Check("grey_key.png", "grey4.pgm", "pnmtopng -transparent==rgb:aa/aa/aa {in} > {out}", 0);
  EXPECT_EQ(d.fileBpp, 2);
  EXPECT_EQ(d.bpp, 32);
  EXPECT_TRUE(d.bmp->HasAlpha());
  // Eight bits of grey with one of its values transparent.
  ASSERT_TRUE(dectest::Run("convert " + Quote(File("rgb.ppm")) + " -colorspace gray -depth 8 " + Quote(File("grey.pgm"))));
  const Bytes value = RunCommand("convert " + Quote(File("grey.pgm")) + " -format '%[fx:int(255*p{10,8}.r+0.5)]' info:");
  ASSERT_FALSE(value.empty());
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02x", std::stoi(std::string(value.begin(), value.end())));
  const std::string h(hex);
  Decoded e = Check("grey8_key.png", "grey.pgm", "pnmtopng -force -transparent==rgb:" + h + "/" + h + "/" + h +
                    " {in} > {out}", 0);
  EXPECT_EQ(e.fileBpp, 8);
  EXPECT_TRUE(e.bmp->HasAlpha());
}

TEST_F(RealKinds, RgbPngWithAColourKey) {
  Decoded d = Check("rgb_key.png", "rgb.ppm", "pnmtopng -transparent==rgb:ff/e0/00 {in} > {out}", 0);
  EXPECT_EQ(d.bpp, 32);
  EXPECT_TRUE(d.bmp->HasAlpha());
  // The yellow rectangle is the transparent colour; the rest is opaque.
  EXPECT_EQ(d.bmp->GetLineArray32()[8][8].a, 0);
  EXPECT_EQ(d.bmp->GetLineArray32()[0][0].a, 255);
  Decoded wide = Check("rgb16_key.png", "rgb.ppm",
                       "convert {in} -depth 16 ppm:- | pnmtopng -force -transparent==rgb:ffff/e0e0/0000 > {out}", kSixteenBit);
  EXPECT_EQ(wide.fileBpp, 16);
  EXPECT_EQ(wide.bmp->GetLineArray32()[8][8].a, 0);
}

// --- TIFF alpha ---

TEST_F(RealKinds, TiffAssociatedAlphaComesOutStraight) {
  Decoded d = Check("assoc8.tif", "alpha.png", "convert {in} -define tiff:alpha=associated TIFF:{out}", kAssociated8);
  EXPECT_TRUE(d.bmp->HasAlpha());
  Check("assoc16.tif", "alpha.png", "convert {in} -define tiff:alpha=associated -depth 16 TIFF:{out}", kSixteenBit);
  Check("unassoc16.tif", "alpha.png", "convert {in} -define tiff:alpha=unassociated -depth 16 TIFF:{out}",
        kSixteenBit);
}

TEST_F(RealKinds, TiffGreyWithAlphaKeepsItsAlpha) {
  Decoded d = Check("grey_alpha8.tif", "alpha.png", "convert {in} -colorspace gray TIFF:{out}", 0);
  EXPECT_EQ(d.bpp, 32);
  EXPECT_TRUE(d.bmp->HasAlpha());
  Check("grey_alpha16.tif", "alpha.png", "convert {in} -colorspace gray -depth 16 TIFF:{out}", kSixteenBit);
  Check("grey_assoc8.tif", "alpha.png", "convert {in} -colorspace gray -define tiff:alpha=associated TIFF:{out}",
        kAssociated8);
}

// --- Targa ---

// Sets the image descriptor byte of a Targa file.
void SetDescriptor(const std::string& path, int descriptor) {
  Bytes bytes = ReadFile(path);
  ASSERT_GT(bytes.size(), 18u);
  bytes[17] = PLBYTE(descriptor);
  WriteFile(path, bytes);
}

TEST_F(RealKinds, TargaRightToLeftInEveryRowOrder) {
  for (const char* compress : {"none", "rle"})
    for (int descriptor : {0x10, 0x30}) {
      const std::string name = std::string("rtl_") + compress + std::to_string(descriptor) + ".tga";
      ASSERT_TRUE(dectest::Run("convert " + Quote(File("rgb.ppm")) + " -compress " + compress + " TGA:" + Quote(File(name))));
      SetDescriptor(File(name), descriptor);
      SCOPED_TRACE(name);
      CheckFile(File(name), 0);
    }
}

// A 16-bit Targa of the alpha picture (alpha cut to one bit) with the
// given number of alpha bits in its descriptor.
Bytes SixteenBitTarga(const Bytes& rgba, int alphaBits) {
  Bytes b(18, 0);
  b[2] = 2;
  b[12] = kWidth;
  b[14] = kHeight;
  b[16] = 16;
  b[17] = PLBYTE(0x20 | alphaBits);
  for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
    const int v = (rgba[i] >> 3) << 10 | (rgba[i + 1] >> 3) << 5 | rgba[i + 2] >> 3 | (rgba[i + 3] >= 128 ? 0x8000 : 0);
    imgtest::Put16(b, v);
  }
  return b;
}

TEST_F(RealKinds, SixteenBitTargaWithAndWithoutAnAlphaBit) {
  const Bytes rgba = RunCommand("convert " + Quote(File("alpha.png")) + " -depth 8 rgba:-");
  ASSERT_EQ(rgba.size(), size_t(kWidth * kHeight * 4));
  WriteFile(File("a1.tga"), SixteenBitTarga(rgba, 1));
  WriteFile(File("a0.tga"), SixteenBitTarga(rgba, 0));
  Decoded withAlpha = CheckFile(File("a1.tga"), kFiveBit);
  EXPECT_TRUE(withAlpha.bmp->HasAlpha());
  // Without alpha bits the top bit means nothing: the picture is opaque.
  Decoded opaque = CheckFile(File("a0.tga"), kFiveBit);
  EXPECT_FALSE(opaque.bmp->HasAlpha());
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) ASSERT_EQ(opaque.bmp->GetLineArray32()[y][x].a, 255);
}

TEST(TargaGreyAlpha, SixteenBitGreyCarriesAnAlphaByte) {
  // 2 x 1, top row first: grey 0x40 at alpha 0x80, grey 0xFF transparent.
  Bytes b(18, 0);
  b[2] = 3;
  b[12] = 2;
  b[14] = 1;
  b[16] = 16;
  b[17] = 0x28;
  b.insert(b.end(), {0x40, 0x80, 0xFF, 0x00});
  Decoded d = DecodeBytes(b);
  ASSERT_EQ(d.result, 1);
  EXPECT_EQ(d.bpp, 32);
  EXPECT_TRUE(d.bmp->HasAlpha());
  EXPECT_EQ(d.bmp->GetLineArray32()[0][0], PLPixel32(0x40, 0x40, 0x40, 0x80));
  EXPECT_EQ(d.bmp->GetLineArray32()[0][1], PLPixel32(0xFF, 0xFF, 0xFF, 0));
  // Run-length encoded: one run of two.
  b[2] = 11;
  b.resize(18);
  b.insert(b.end(), {0x81, 0x10, 0xC0});
  Decoded r = DecodeBytes(b);
  ASSERT_EQ(r.result, 1);
  EXPECT_EQ(r.bmp->GetLineArray32()[0][1], PLPixel32(0x10, 0x10, 0x10, 0xC0));
}

// --- CMYK JPEG ---

// Writes CMYK samples (as stored: Adobe files store them inverted) with
// libjpeg, as CMYK or as YCCK, with or without Adobe's marker.
bool WriteCmykJpeg(const std::string& path, const Bytes& cmyk, J_COLOR_SPACE stored, bool adobeMarker) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, out);
  cinfo.image_width = kWidth;
  cinfo.image_height = kHeight;
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_colorspace(&cinfo, stored);
  cinfo.write_Adobe_marker = adobeMarker ? TRUE : FALSE;
  for (int c = 0; c < cinfo.num_components; ++c) cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
  jpeg_set_quality(&cinfo, 95, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(cmyk.data() + size_t(cinfo.next_scanline) * kWidth * 4);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(out) == 0;
}

TEST_F(RealKinds, CmykJpegFromImageMagick) {
  // ImageMagick (through libjpeg) stores CMYK as YCCK, inverted, with
  // Adobe's marker.
  Decoded d = Check("cmyk_im.jpg", "rgb.ppm", "convert {in} -colorspace cmyk -quality 95 -sampling-factor 1x1 JPEG:{out}",
                    kCmykJpeg);
  EXPECT_EQ(d.bpp, 32);
  EXPECT_FALSE(d.bmp->HasAlpha());
  const Bytes bytes = ReadFile(File("cmyk_im.jpg"));
  EXPECT_NE(std::string(bytes.begin(), bytes.end()).find("Adobe"), std::string::npos);
}

TEST_F(RealKinds, AdobeInvertedCmykAndYcckJpeg) {
  Bytes cmyk = RunCommand("convert " + Quote(File("rgb.ppm")) + " -colorspace cmyk -depth 8 cmyk:-");
  ASSERT_EQ(cmyk.size(), size_t(kWidth * kHeight * 4));
  for (PLBYTE& v : cmyk) v = PLBYTE(255 - v);  // Adobe's convention: 255 is no ink
  ASSERT_TRUE(WriteCmykJpeg(File("adobe_cmyk.jpg"), cmyk, JCS_CMYK, true));
  CheckFile(File("adobe_cmyk.jpg"), kCmykJpeg);
  ASSERT_TRUE(WriteCmykJpeg(File("adobe_ycck.jpg"), cmyk, JCS_YCCK, true));
  CheckFile(File("adobe_ycck.jpg"), kCmykJpeg);
}

TEST_F(RealKinds, CmykJpegWithoutAdobesMarkerStoresInk) {
  // Without the marker the samples are ink amounts, so the same ink
  // written the other way round gives the same picture.
  Bytes ink = RunCommand("convert " + Quote(File("rgb.ppm")) + " -colorspace cmyk -depth 8 cmyk:-");
  ASSERT_EQ(ink.size(), size_t(kWidth * kHeight * 4));
  Bytes inverted = ink;
  for (PLBYTE& v : inverted) v = PLBYTE(255 - v);
  ASSERT_TRUE(WriteCmykJpeg(File("plain.jpg"), ink, JCS_CMYK, false));
  ASSERT_TRUE(WriteCmykJpeg(File("adobe.jpg"), inverted, JCS_CMYK, true));
  Decoded plain = DecodeFile(File("plain.jpg"));
  Decoded adobe = DecodeFile(File("adobe.jpg"));
  ASSERT_EQ(plain.result, 1);
  ASSERT_EQ(adobe.result, 1);
  const int difference = MaxDifference(Rgba(*plain.bmp), Rgba(*adobe.bmp));
  EXPECT_GE(difference, 0);
  EXPECT_LE(difference, 2);
  // And both are the picture ImageMagick reads from the Adobe file.
  EXPECT_LE(MaxDifference(Rgba(*plain.bmp), ImageMagickRgba(File("adobe.jpg"))), kCmykJpeg);
}

// --- GIF ---

TEST_F(RealKinds, GifFrameLargerThanItsScreenIsClipped) {
  ASSERT_TRUE(dectest::Run("convert " + Quote(File("rgb.ppm")) + " GIF:" + Quote(File("whole.gif"))));
  const Bytes whole = ImageMagickRgba(File("whole.gif"));
  ASSERT_EQ(whole.size(), size_t(kWidth * kHeight * 4));
  for (bool interlaced : {false, true}) {
    SCOPED_TRACE(interlaced ? "interlaced" : "progressive");
    const std::string file = File(interlaced ? "i.gif" : "p.gif");
    ASSERT_TRUE(dectest::Run("convert " + Quote(File("rgb.ppm")) + (interlaced ? " -interlace GIF" : "") + " GIF:" + Quote(file)));
    // The logical screen shrinks to 10 x 12; the frame stays 24 x 16.
    Bytes bytes = ReadFile(file);
    bytes[6] = 10;
    bytes[7] = 0;
    bytes[8] = 12;
    bytes[9] = 0;
    Decoded d = DecodeBytes(bytes);
    ASSERT_EQ(d.result, 1);
    ASSERT_EQ(d.bmp->GetWidth(), 10);
    ASSERT_EQ(d.bmp->GetHeight(), 12);
    Bytes expected;
    for (int y = 0; y < 12; ++y)
      expected.insert(expected.end(), whole.begin() + (y * kWidth) * 4, whole.begin() + (y * kWidth + 10) * 4);
    EXPECT_EQ(MaxDifference(Rgba(*d.bmp), expected), 0);
  }
}

}  // namespace
