// Encoders: file layouts checked byte by byte, and every format read back by
// independent tools (ImageMagick's convert and netpbm) to the same pixels.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include <sys/resource.h>

#include "image/bitmap/pltextexception.h"
#include "image/encode/plbmpencoder.h"
#include "image/encode/pljpegencoder.h"
#include "image/encode/plpngencoder.h"
#include "image/encode/pltiffencoder.h"
#include "image/io/plmemsink.h"
#include "tests/image/bitmap_test_util.h"
#include "tests/image/decode_test_util.h"

using imgtest::Px;

namespace {

uint32_t LE32(const std::vector<PLBYTE>& d, size_t at) {
  return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}
uint32_t BE32(const std::vector<PLBYTE>& d, size_t at) {
  return uint32_t(d[at]) << 24 | uint32_t(d[at + 1]) << 16 | uint32_t(d[at + 2]) << 8 | uint32_t(d[at + 3]);
}

std::vector<PLBYTE> Encode(PLPicEncoder& encoder, PLBmp* bmp) {
  PLMemSink sink;
  sink.Open("mem", 0);
  EXPECT_EQ(encoder.SaveBmp(bmp, &sink), 1);
  return sink.TakeData();
}

bool ToolsAvailable() {
  return std::system("command -v convert >/dev/null 2>&1 && command -v pngtopnm >/dev/null 2>&1") == 0;
}

using dectest::RunCommand;

// Pixels of a decoded picture as red, green, blue, alpha.
struct Decoded {
  int width = 0, height = 0;
  std::vector<PLPixel32> pixels;
};

// ImageMagick: the file as raw 8-bit RGBA, with its size from identify.
Decoded ReadWithImageMagick(const std::string& path) {
  Decoded d;
  std::vector<PLBYTE> size = RunCommand("identify -format '%w %h' '" + path + "' 2>/dev/null");
  std::istringstream(std::string(size.begin(), size.end())) >> d.width >> d.height;
  std::vector<PLBYTE> raw = RunCommand("convert '" + path + "' -depth 8 rgba:- 2>/dev/null");
  for (size_t i = 0; i + 3 < raw.size(); i += 4) d.pixels.push_back(Px(raw[i], raw[i + 1], raw[i + 2], raw[i + 3]));
  return d;
}

// netpbm: the format's converter to PNM, then ppmtoppm for a binary PPM.
Decoded ReadWithNetpbm(const std::string& path, const std::string& tool) {
  Decoded d;
  std::vector<PLBYTE> ppm = RunCommand(tool + " '" + path + "' 2>/dev/null | ppmtoppm 2>/dev/null");
  std::string text(ppm.begin(), ppm.end());
  std::istringstream in(text);
  std::string magic;
  int maxval = 0;
  in >> magic >> d.width >> d.height >> maxval;
  if (magic != "P6" || maxval != 255) return d;
  size_t at = size_t(in.tellg()) + 1;
  for (size_t i = at; i + 2 < ppm.size() + 0 && d.pixels.size() < size_t(d.width * d.height); i += 3)
    d.pixels.push_back(Px(ppm[i], ppm[i + 1], ppm[i + 2], 255));
  return d;
}

// The colour every pixel of a bitmap stands for.
std::vector<PLPixel32> Expected(const PLBmp& bmp) {
  PLAnyBmp wide;
  wide.CreateCopy(bmp, 32);
  std::vector<PLPixel32> out;
  for (int y = 0; y < wide.GetHeight(); ++y)
    for (int x = 0; x < wide.GetWidth(); ++x) {
      PLPixel32 p = wide.GetLineArray32()[y][x];
      if (!bmp.HasAlpha()) p.a = 255;
      out.push_back(p);
    }
  return out;
}

// 7 x 5 test pictures at every depth.
std::unique_ptr<PLAnyBmp> Picture32(bool alpha = false) {
  std::vector<PLPixel32> p;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) p.push_back(Px(x * 36, y * 60, (x * y * 23) % 256, alpha ? 40 * y + 10 : 255));
  return imgtest::Make32(7, 5, p, alpha);
}

std::unique_ptr<PLAnyBmp> Picture24() {
  auto src = Picture32();
  auto bmp = std::make_unique<PLAnyBmp>();
  bmp->CreateCopy(*src, 24);
  return bmp;
}

std::unique_ptr<PLAnyBmp> Picture8() {
  std::vector<int> idx;
  for (int i = 0; i < 35; ++i) idx.push_back((i * 53) % 256);
  auto bmp = imgtest::Make8(7, 5, idx, false);
  for (int i = 0; i < 256; ++i) bmp->SetPaletteEntry(PLBYTE(i), PLBYTE(i), PLBYTE(255 - i), PLBYTE(i * 7), 255);
  return bmp;
}

// A 1-bit picture with the given two colours.
std::unique_ptr<PLAnyBmp> Picture1(PLPixel32 zero, PLPixel32 one) {
  std::vector<int> bits;
  for (int i = 0; i < 35; ++i) bits.push_back((i * i + i / 3) % 3 == 0);
  auto bmp = imgtest::Make1(7, 5, bits);
  bmp->SetPaletteEntry(0, zero.r, zero.g, zero.b, 255);
  bmp->SetPaletteEntry(1, one.r, one.g, one.b, 255);
  return bmp;
}

struct PictureCase {
  const char* name;
  std::function<std::unique_ptr<PLAnyBmp>()> make;
};
const PictureCase kPictures[] = {
    {"1-bit black-white", [] { return Picture1(Px(0, 0, 0), Px(255, 255, 255)); }},
    {"1-bit white-black", [] { return Picture1(Px(255, 255, 255), Px(0, 0, 0)); }},
    {"1-bit red-blue", [] { return Picture1(Px(200, 0, 0), Px(0, 0, 150)); }},
    {"8-bit palette", [] { return Picture8(); }},
    {"24-bit", [] { return Picture24(); }},
    {"32-bit", [] { return Picture32(); }},
};

struct FormatCase {
  const char* name;
  const char* extension;
  const char* netpbmTool;
  std::function<std::unique_ptr<PLPicEncoder>()> make;
};
const FormatCase kLosslessFormats[] = {
    {"BMP", "bmp", "bmptopnm", [] { return std::unique_ptr<PLPicEncoder>(new PLBmpEncoder); }},
    {"PNG", "png", "pngtopnm", [] { return std::unique_ptr<PLPicEncoder>(new PLPNGEncoder); }},
    {"TIFF", "tif", "tifftopnm", [] { return std::unique_ptr<PLPicEncoder>(new PLTIFFEncoder); }},
};

TEST(EncodeRoundTripTest, LosslessFormatsReadBackExactly) {
  if (!ToolsAvailable()) GTEST_SKIP() << "ImageMagick or netpbm missing (scripts/install-deps.sh)";
  imgtest::TempFolder dir;
  for (const FormatCase& format : kLosslessFormats)
    for (const PictureCase& picture : kPictures) {
      SCOPED_TRACE(std::string(format.name) + " " + picture.name);
      auto bmp = picture.make();
      std::string path = dir.File(std::string("pic.") + format.extension);
      ASSERT_EQ(format.make()->MakeFileFromBmp(path.c_str(), bmp.get()), 1);
      std::vector<PLPixel32> expected = Expected(*bmp);
      Decoded magick = ReadWithImageMagick(path);
      EXPECT_EQ(magick.width, 7);
      EXPECT_EQ(magick.height, 5);
      EXPECT_EQ(magick.pixels, expected);
      Decoded netpbm = ReadWithNetpbm(path, format.netpbmTool);
      EXPECT_EQ(netpbm.width, 7);
      EXPECT_EQ(netpbm.height, 5);
      EXPECT_EQ(netpbm.pixels, expected);
    }
}

TEST(EncodeRoundTripTest, PngKeepsAlpha) {
  if (!ToolsAvailable()) GTEST_SKIP() << "ImageMagick missing";
  imgtest::TempFolder dir;
  auto bmp = Picture32(true);
  std::string path = dir.File("alpha.png");
  ASSERT_EQ(PLPNGEncoder().MakeFileFromBmp(path.c_str(), bmp.get()), 1);
  EXPECT_EQ(ReadWithImageMagick(path).pixels, Expected(*bmp));
}

// A smooth 48 x 32 picture: JPEG at quality 95 comes back within 5 levels
// of every channel and 0.62 on average, held to 6 and 1.
TEST(EncodeRoundTripTest, JpegWithinTolerance) {
  if (!ToolsAvailable()) GTEST_SKIP() << "ImageMagick or netpbm missing";
  imgtest::TempFolder dir;
  std::vector<PLPixel32> p;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 48; ++x) p.push_back(Px(40 + x * 3, 60 + y * 4, 200 - x - y));
  auto bmp32 = imgtest::Make32(48, 32, p);
  PLAnyBmp bmp24;
  bmp24.CreateCopy(*bmp32, 24);
  PLBmp* inputs[] = {bmp32.get(), &bmp24};
  for (PLBmp* bmp : inputs) {
    SCOPED_TRACE(bmp->GetBitsPerPixel());
    std::string path = dir.File("smooth.jpg");
    PLJPEGEncoder encoder;
    encoder.SetQuality(95);
    ASSERT_EQ(encoder.MakeFileFromBmp(path.c_str(), bmp), 1);
    std::vector<PLPixel32> expected = Expected(*bmp);
    for (const Decoded& got : {ReadWithImageMagick(path), ReadWithNetpbm(path, "jpegtopnm")}) {
      ASSERT_EQ(got.width, 48);
      ASSERT_EQ(got.height, 32);
      ASSERT_EQ(got.pixels.size(), expected.size());
      int worst = 0;
      long total = 0;
      for (size_t i = 0; i < expected.size(); ++i) {
        int d[3] = {std::abs(got.pixels[i].r - expected[i].r), std::abs(got.pixels[i].g - expected[i].g),
                    std::abs(got.pixels[i].b - expected[i].b)};
        for (int v : d) {
          worst = std::max(worst, v);
          total += v;
        }
      }
      EXPECT_LE(worst, 6);
      EXPECT_LE(double(total) / (3.0 * double(expected.size())), 1.0);
    }
  }
}

TEST(EncodeRoundTripTest, JpegOfOneBitPicture) {
  if (!ToolsAvailable()) GTEST_SKIP() << "ImageMagick missing";
  imgtest::TempFolder dir;
  auto bmp = imgtest::Make1(16, 16, std::vector<int>(256, 1));  // all white
  std::string path = dir.File("white.jpg");
  ASSERT_EQ(PLJPEGEncoder().MakeFileFromBmp(path.c_str(), bmp.get()), 1);
  for (const PLPixel32& px : ReadWithImageMagick(path).pixels) ASSERT_GE(px.r + px.g + px.b, 3 * 250);
}

TEST(BmpLayoutTest, ThirtyTwoBitRowsAsTwentyFour) {
  auto bmp = imgtest::Make32(3, 2, {Px(1, 2, 3), Px(4, 5, 6), Px(7, 8, 9), Px(10, 11, 12), Px(13, 14, 15), Px(16, 17, 18)});
  bmp->SetResolution(PLPoint{300, 96});
  PLBmpEncoder encoder;
  std::vector<PLBYTE> f = Encode(encoder, bmp.get());
  ASSERT_EQ(f.size(), 78u);
  EXPECT_EQ(f[0], 'B');
  EXPECT_EQ(f[1], 'M');
  EXPECT_EQ(LE32(f, 2), 78u);
  EXPECT_EQ(LE32(f, 10), 54u);
  EXPECT_EQ(LE32(f, 14), 40u);
  EXPECT_EQ(LE32(f, 18), 3u);
  EXPECT_EQ(LE32(f, 22), 2u);
  EXPECT_EQ(f[26] | f[27] << 8, 1);
  EXPECT_EQ(f[28] | f[29] << 8, 24);
  EXPECT_EQ(LE32(f, 38), 11811u);  // 300 x 39.37 + 0.5
  EXPECT_EQ(LE32(f, 42), 3780u);   // 96 x 39.37 + 0.5
  // Bottom row first: blue, green, red, then the pad bytes 0x20 0 0.
  std::vector<PLBYTE> firstRow(f.begin() + 54, f.begin() + 66);
  EXPECT_EQ(firstRow, (std::vector<PLBYTE>{12, 11, 10, 15, 14, 13, 18, 17, 16, 0x20, 0, 0}));
}

TEST(BmpLayoutTest, PaletteDepthsAndPadding) {
  auto bmp8 = Picture8();
  PLBmpEncoder encoder;
  std::vector<PLBYTE> f = Encode(encoder, bmp8.get());
  EXPECT_EQ(LE32(f, 10), 1078u);
  EXPECT_EQ(f.size(), 1078u + 8 * 5);
  EXPECT_EQ(f[54 + 4 * 3 + 0], 21);  // entry 3: blue 21, green 252, red 3
  EXPECT_EQ(f[54 + 4 * 3 + 1], 252);
  EXPECT_EQ(f[54 + 4 * 3 + 2], 3);
  EXPECT_EQ(f[1078 + 7], 0);  // the row's pad byte
  auto bmp1 = imgtest::Make1(9, 2, std::vector<int>(18, 1));
  f = Encode(encoder, bmp1.get());
  EXPECT_EQ(LE32(f, 10), 62u);
  EXPECT_EQ(f.size(), 62u + 4 * 2);
  EXPECT_EQ((std::vector<PLBYTE>(f.begin() + 62, f.begin() + 66)), (std::vector<PLBYTE>{0xFF, 0x80, 0, 0}));
}

TEST(PngLayoutTest, ColourTypesAndResolution) {
  struct Case {
    const char* name;
    std::function<std::unique_ptr<PLAnyBmp>()> make;
    int depth, colourType;
  };
  const Case cases[] = {
      {"32-bit", [] { return Picture32(); }, 8, 2},
      {"32-bit alpha", [] { return Picture32(true); }, 8, 6},
      {"24-bit", [] { return Picture24(); }, 8, 2},
      {"8-bit", [] { return Picture8(); }, 8, 3},
      {"1-bit black-white", [] { return Picture1(Px(0, 0, 0), Px(255, 255, 255)); }, 1, 0},
      {"1-bit red-blue", [] { return Picture1(Px(200, 0, 0), Px(0, 0, 150)); }, 1, 3},
  };
  for (const Case& c : cases) {
    auto bmp = c.make();
    bmp->SetResolution(PLPoint{300, 300});
    PLPNGEncoder encoder;
    std::vector<PLBYTE> f = Encode(encoder, bmp.get());
    ASSERT_GT(f.size(), 33u);
    EXPECT_EQ(std::string(f.begin() + 12, f.begin() + 16), "IHDR") << c.name;
    EXPECT_EQ(f[24], c.depth) << c.name;
    EXPECT_EQ(f[25], c.colourType) << c.name;
    std::string text(f.begin(), f.end());
    size_t phys = text.find("pHYs");
    ASSERT_NE(phys, std::string::npos) << c.name;
    EXPECT_EQ(BE32(f, phys + 4), 11810u) << c.name;  // 300 x 39.37, truncated
    EXPECT_EQ(f[phys + 12], 1) << c.name;
  }
}

TEST(TiffLayoutTest, OneBitPhotometricAndColourMap) {
  if (!ToolsAvailable()) GTEST_SKIP() << "ImageMagick missing";
  imgtest::TempFolder dir;
  struct Case {
    std::function<std::unique_ptr<PLAnyBmp>()> make;
    const char* photometric;
  };
  const Case cases[] = {
      {[] { return Picture1(Px(0, 0, 0), Px(255, 255, 255)); }, "min-is-black"},
      {[] { return Picture1(Px(255, 255, 255), Px(0, 0, 0)); }, "min-is-white"},
      {[] { return Picture1(Px(200, 0, 0), Px(0, 0, 150)); }, "palette"},
      {[] { return Picture8(); }, "palette"},
      {[] { return Picture32(); }, "RGB"},
  };
  for (const Case& c : cases) {
    std::string path = dir.File("p.tif");
    ASSERT_EQ(PLTIFFEncoder().MakeFileFromBmp(path.c_str(), c.make().get()), 1);
    std::vector<PLBYTE> out = RunCommand("identify -format '%[tiff:photometric]' '" + path + "' 2>/dev/null");
    EXPECT_EQ(std::string(out.begin(), out.end()), c.photometric);
  }
}

TEST(EncoderTest, InitialSinkSize) {
  class Sized : public PLAnyBmp {
   public:
    explicit Sized(long used) : used_(used) {}
    long GetMemoryUsed() override { return used_; }

   private:
    long used_;
  };
  struct Case {
    long used;
    int size;
  };
  // 1.2 is a little below 1.2, so products that should be whole fall short.
  const Case cases[] = {{19999, 24095}, {20000, 23999}, {0, 4096}, {100000, 119999}, {20005, 24005}};
  for (const Case& c : cases) {
    Sized bmp(c.used);
    EXPECT_EQ(PLPicEncoder::InitialSinkSize(&bmp), c.size) << c.used;
  }
}

TEST(EncoderTest, FailuresAreReportedAndLeaveNoFile) {
  imgtest::TempFolder dir;
  auto bmp = Picture32();
  std::string missing = dir.File("no/folder/x.png");
  const FormatCase all[] = {
      kLosslessFormats[0], kLosslessFormats[1], kLosslessFormats[2],
      {"JPEG", "jpg", "", [] { return std::unique_ptr<PLPicEncoder>(new PLJPEGEncoder); }}};
  for (const FormatCase& f : all) EXPECT_EQ(f.make()->MakeFileFromBmp(missing.c_str(), bmp.get()), 0) << f.name;
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

// A file the file system stops taking (here: past the process's file size
// limit, in a child process) is reported as not written, in every format,
// and is not left behind.
TEST(EncoderDeathTest, RefusedWritesAreReportedAndLeaveNoFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  imgtest::TempFolder dir;
  std::vector<PLPixel32> noise;
  for (int i = 0; i < 64 * 64; ++i) noise.push_back(Px(i * 37 % 256, i * 91 % 256, i * 13 % 256));
  auto bmp = imgtest::Make32(64, 64, noise);
  const FormatCase all[] = {
      kLosslessFormats[0], kLosslessFormats[1], kLosslessFormats[2],
      {"JPEG", "jpg", "", [] { return std::unique_ptr<PLPicEncoder>(new PLJPEGEncoder); }}};
  for (const FormatCase& f : all) {
    SCOPED_TRACE(f.name);
    const std::string path = dir.File(std::string("big.") + f.extension);
    auto child = [&] {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit limit{};
      limit.rlim_cur = limit.rlim_max = 1000;
      setrlimit(RLIMIT_FSIZE, &limit);
      const int written = f.make()->MakeFileFromBmp(path.c_str(), bmp.get());
      dir.RemoveAndExit(written == 0 && !std::filesystem::exists(path) ? 0 : 1);
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "");
  }
}

// A sink that takes only a few bytes: libpng and libjpeg end quietly (the
// failure comes back as 0, no exception crosses the C libraries), and the
// encoder object works again afterwards.
class TinySink : public PLDataSink {
 public:
  TinySink() { InitSink("tiny", buffer_, sizeof buffer_); }

 private:
  PLBYTE buffer_[100];
};

TEST(EncoderTest, LibraryEncodersSurviveAFullSink) {
  auto bmp = Picture32();
  PLPNGEncoder png;
  PLJPEGEncoder jpeg;
  PLPicEncoder* encoders[] = {&png, &jpeg};
  for (PLPicEncoder* encoder : encoders) {
    TinySink tiny;
    EXPECT_EQ(encoder->SaveBmp(bmp.get(), &tiny), 0);
    PLMemSink sink;
    sink.Open("mem", 0);
    EXPECT_EQ(encoder->SaveBmp(bmp.get(), &sink), 1);
    EXPECT_GT(sink.GetBytesWritten(), 100);
  }
  TinySink tiny;
  EXPECT_THROW(PLBmpEncoder().SaveBmp(bmp.get(), &tiny), PLTextException);
}

}  // namespace
