// Bitmap classes: storage of both kinds, palettes, depth conversions, the
// device-independent block and its GDI uses.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "image/bitmap/pltextexception.h"
#include "platform/gdi/gdi.h"
#include "platform/kernel/kernel.h"
#include "platform/resource/resource.h"
#include "tests/image/bitmap_test_util.h"

using imgtest::Px;

namespace {

using Factory = std::function<std::unique_ptr<PLBmp>()>;
struct Kind {
  const char* name;
  Factory make;
};
const Kind kKinds[] = {{"PLAnyBmp", [] { return std::unique_ptr<PLBmp>(new PLAnyBmp); }},
                       {"PLWinBmp", [] { return std::unique_ptr<PLBmp>(new PLWinBmp); }}};

class BitmapKindTest : public ::testing::TestWithParam<Kind> {};

TEST_P(BitmapKindTest, StartsAs16By16GreyRamp) {
  auto bmp = GetParam().make();
  EXPECT_EQ(bmp->GetWidth(), 16);
  EXPECT_EQ(bmp->GetHeight(), 16);
  EXPECT_EQ(bmp->GetBitsPerPixel(), 8);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(bmp->GetPalette()[i], Px(i, i, i, 255)) << i;
  EXPECT_EQ(bmp->GetQuantizationMethod(), 2);
  EXPECT_EQ(bmp->GetDitherMethod(), 0);
}

TEST_P(BitmapKindTest, OneBitPaletteStartsBlackThenWhite) {
  auto bmp = GetParam().make();
  ASSERT_TRUE(bmp->Create(9, 2, 1, 1, 0, false, false));
  EXPECT_EQ(bmp->GetPalette()[0], Px(0, 0, 0));
  EXPECT_EQ(bmp->GetPalette()[1], Px(255, 255, 255));
}

TEST_P(BitmapKindTest, RefusesSizesAndDepthsItCannotHold) {
  struct Case {
    int w, h, bpp;
  };
  const Case cases[] = {{0, 5, 32},      {5, 0, 32},       {-1, 5, 8},        {5, -3, 8},
                        {5, 5, 16},      {5, 5, 4},        {70000, 70000, 32}, {0x7FFFFFFF, 2, 32},
                        {2, 0x7FFFFFFF, 1}};
  for (const Case& c : cases) {
    auto bmp = GetParam().make();
    EXPECT_EQ(bmp->Create(c.w, c.h, c.bpp, 0, 0, false, false), 0) << c.w << "x" << c.h << "x" << c.bpp;
  }
}

TEST_P(BitmapKindTest, RowZeroIsTheTopRow) {
  auto bmp = GetParam().make();
  ASSERT_TRUE(bmp->Create(2, 3, 32, 32, 0, false, false));
  for (int y = 0; y < 3; ++y) bmp->GetLineArray32()[y][0] = Px(y, 0, 0);
  EXPECT_EQ(bmp->GetPixel32(0, 0), 0xFF000000u);
  EXPECT_EQ(bmp->GetPixel32(0, 2), 0xFF020000u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BitmapKindTest, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapTest, LineSizesOfBothKinds) {
  struct Case {
    int width, bpp;
    long anyLine, winStride;
  };
  const Case cases[] = {{9, 1, 2, 4}, {8, 1, 1, 4}, {33, 1, 5, 8}, {3, 8, 3, 4},
                        {4, 8, 4, 4}, {3, 24, 9, 12}, {3, 32, 12, 12}, {1, 24, 3, 4}};
  for (const Case& c : cases) {
    PLAnyBmp any;
    PLWinBmp win;
    ASSERT_TRUE(any.Create(c.width, 2, c.bpp, 0, 0, false, false));
    ASSERT_TRUE(win.Create(c.width, 2, c.bpp, 0, 0, false, false));
    EXPECT_EQ(any.GetLineSize(), c.anyLine) << c.width << "x" << c.bpp;
    EXPECT_EQ(win.GetLineSize(), c.winStride) << c.width << "x" << c.bpp;
    long palette = c.bpp < 16 ? 4L << c.bpp : 0;
    EXPECT_EQ(any.GetMemoryUsed(), c.anyLine * 2 + palette + 124);
    EXPECT_EQ(win.GetMemoryUsed(), 40 + palette + c.winStride * 2 + 66);
  }
}

TEST(BitmapTest, WinBmpKeepsOnePackedBottomUpBlock) {
  PLWinBmp bmp;
  ASSERT_TRUE(bmp.Create(3, 4, 8, 8, 0, false, false, PLPoint{300, 300}));
  const BITMAPINFOHEADER& h = bmp.GetBMI()->bmiHeader;
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 3);
  EXPECT_EQ(h.biHeight, 4);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 8);
  EXPECT_EQ(h.biCompression, BI_RGB);
  EXPECT_EQ(reinterpret_cast<PLBYTE*>(bmp.GetPalette()), reinterpret_cast<PLBYTE*>(bmp.GetBMI()) + 40);
  EXPECT_EQ(bmp.GetBits(), reinterpret_cast<PLBYTE*>(bmp.GetBMI()) + 40 + 1024);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(bmp.GetLineArray()[i], bmp.GetBits() + (3 - i) * 4);
  EXPECT_TRUE(bmp.IsWindowsDIB());
  EXPECT_EQ(bmp.GetResolution(), (PLPoint{300, 300}));
  PLWinBmp wide;
  ASSERT_TRUE(wide.Create(3, 4, 32, 32, 0, false, false));
  EXPECT_EQ(wide.GetPalette(), nullptr);
  EXPECT_EQ(wide.GetBits(), reinterpret_cast<PLBYTE*>(wide.GetBMI()) + 40);
}

TEST(BitmapTest, FormatInfo) {
  PLAnyBmp bmp;
  ASSERT_TRUE(bmp.Create(7, 5, 32, 24, 0, true, false, PLPoint{96, 72}));
  char text[1024];
  bmp.FormatInfo(text);
  EXPECT_STREQ(text, "{ Size: (7, 5), bpp: 32, Resolution: (96, 72), Alpha: 1, Greyscale: 0 }");
}

// Depth conversions of CreateCopy, pixel by pixel.
TEST(BitmapCopyTest, ThirtyTwoToOneThresholdsAt128) {
  auto src = imgtest::Make32(4, 1, {Px(127, 127, 127), Px(128, 0, 0), Px(0, 0, 0), Px(255, 255, 255)});
  PLAnyBmp dst;
  dst.CreateCopy(*src, 1);
  ASSERT_EQ(dst.GetBitsPerPixel(), 1);
  EXPECT_EQ(dst.GetPalette()[0], Px(255, 255, 255));
  EXPECT_EQ(dst.GetPalette()[1], Px(0, 0, 0));
  EXPECT_EQ(imgtest::Bits(dst), (std::vector<int>{1, 0, 1, 0}));
}

TEST(BitmapCopyTest, EightToOneReadsThroughThePalette) {
  auto src = imgtest::Make8(3, 1, {0, 1, 2}, false);
  src->SetPaletteEntry(0, 10, 10, 10, 255);
  src->SetPaletteEntry(1, 200, 10, 10, 255);
  src->SetPaletteEntry(2, 200, 200, 200, 255);
  PLWinBmp dst;
  dst.CreateCopy(*src, 1);
  EXPECT_EQ(imgtest::Bits(dst), (std::vector<int>{1, 0, 0}));
}

TEST(BitmapCopyTest, OneBitUpToEveryDepth) {
  auto src = imgtest::Make1(3, 1, {0, 1, 1});
  src->SetPaletteEntry(0, 10, 20, 30, 255);
  src->SetPaletteEntry(1, 40, 50, 60, 128);
  PLAnyBmp to8, to24, to32;
  to8.CreateCopy(*src, 8);
  EXPECT_EQ(imgtest::Bytes8(to8), (std::vector<int>{0, 1, 1}));
  EXPECT_EQ(to8.GetPalette()[0], Px(10, 20, 30, 255));
  EXPECT_EQ(to8.GetPalette()[1], Px(40, 50, 60, 255));
  to24.CreateCopy(*src, 24);
  const PLBYTE* row = to24.GetLineArray()[0];
  EXPECT_EQ(std::vector<int>(row, row + 9), (std::vector<int>{30, 20, 10, 60, 50, 40, 60, 50, 40}));
  to32.CreateCopy(*src, 32);
  EXPECT_EQ(imgtest::Pixels32(to32), (std::vector<PLPixel32>{Px(10, 20, 30), Px(40, 50, 60, 128), Px(40, 50, 60, 128)}));
}

TEST(BitmapCopyTest, EightAndTwentyFourUpward) {
  auto src8 = imgtest::Make8(2, 1, {5, 250}, true);
  PLAnyBmp to24, to32;
  to24.CreateCopy(*src8, 24);
  const PLBYTE* row = to24.GetLineArray()[0];
  EXPECT_EQ(std::vector<int>(row, row + 6), (std::vector<int>{5, 5, 5, 250, 250, 250}));
  to32.CreateCopy(*src8, 32);
  EXPECT_EQ(imgtest::Pixels32(to32), (std::vector<PLPixel32>{Px(5, 5, 5), Px(250, 250, 250)}));

  PLAnyBmp src24;
  ASSERT_TRUE(src24.Create(1, 1, 24, 24, 0, false, false));
  PLBYTE bgr[3] = {1, 2, 3};
  std::memcpy(src24.GetLineArray()[0], bgr, 3);
  PLAnyBmp back32;
  back32.CreateCopy(src24, 32);
  EXPECT_EQ(back32.GetLineArray32()[0][0], Px(3, 2, 1, 255));
  auto src32 = imgtest::Make32(1, 1, {Px(7, 8, 9, 10)});
  PLAnyBmp down24;
  down24.CreateCopy(*src32, 24);
  EXPECT_EQ(std::vector<int>(down24.GetLineArray()[0], down24.GetLineArray()[0] + 3), (std::vector<int>{9, 8, 7}));
}

TEST(BitmapCopyTest, SameDepthKeepsResolutionAndPalette) {
  PLWinBmp src;
  ASSERT_TRUE(src.Create(3, 2, 24, 24, 1234, false, false, PLPoint{200, 100}));
  src.GetLineArray()[1][8] = 77;
  PLAnyBmp copy;
  copy.CreateCopy(src, 0);
  EXPECT_EQ(copy.GetBitsPerPixel(), 24);
  EXPECT_EQ(copy.GetResolution(), (PLPoint{200, 100}));
  EXPECT_EQ(copy.GetFileSize(), 1234);
  EXPECT_EQ(copy.GetLineArray()[1][8], 77);

  auto pal8 = imgtest::Make8(1, 1, {3}, false);
  pal8->SetPaletteEntry(3, 1, 2, 3, 4);
  PLWinBmp win;
  win = *pal8;
  EXPECT_EQ(win.GetPalette()[3], Px(1, 2, 3, 4));
  EXPECT_EQ(win.GetLineArray()[0][0], 3);
}

TEST(BitmapCopyTest, AlphaFlagOnlySurvivesAtThirtyTwoBits) {
  auto src = imgtest::Make32(2, 2, std::vector<PLPixel32>(4, Px(1, 2, 3, 4)), true);
  PLAnyBmp same, eight;
  same.CreateCopy(*src, 32);
  EXPECT_TRUE(same.HasAlpha());
  eight.CreateCopy(*src, 8);
  EXPECT_FALSE(eight.HasAlpha());
}

TEST(BitmapCopyTest, ConvertingIntoItself) {
  auto bmp = imgtest::Make32(2, 1, {Px(0, 0, 0), Px(255, 255, 255)});
  bmp->CreateCopy(*bmp, 1);
  ASSERT_EQ(bmp->GetBitsPerPixel(), 1);
  EXPECT_EQ(imgtest::Bits(*bmp), (std::vector<int>{1, 0}));
}

TEST(BitmapCopyTest, ThirtyTwoToEightUsesTheTargetsQuantiser) {
  auto src = imgtest::Make32(2, 1, {Px(255, 0, 0), Px(255, 255, 255)});
  PLAnyBmp dst;  // fixed palette, no dithering by default
  dst.CreateCopy(*src, 8);
  EXPECT_EQ(imgtest::Bytes8(dst), (std::vector<int>{190, 255}));
}

TEST(BitmapTest, TextException) {
  try {
    throw PLTextException(PL_ERREND_OF_DATA, "End of file reached while decoding.\n");
  } catch (const PLTextException& e) {
    PLTextException copy(e);
    EXPECT_EQ(copy.GetCode(), 11);
    EXPECT_STREQ(copy.GetText(), "End of file reached while decoding.\n");
  }
}

TEST(WinBmpGdiTest, CreateFromDIBCopiesHeaderPaletteAndRows) {
  PLWinBmp src;
  ASSERT_TRUE(src.Create(3, 2, 8, 8, 0, false, false));
  src.SetPaletteEntry(9, 1, 2, 3, 0);
  src.GetLineArray()[0][2] = 9;
  PLWinBmp copy;
  ASSERT_TRUE(copy.CreateFromDIB(&src.GetBMI()->bmiHeader, 4, 99));
  EXPECT_EQ(copy.GetWidth(), 3);
  EXPECT_EQ(copy.GetFileBitsPerPixel(), 4);
  EXPECT_EQ(copy.GetFileSize(), 99);
  EXPECT_EQ(copy.GetLineArray()[0][2], 9);
  EXPECT_EQ(copy.GetPalette()[9], Px(1, 2, 3, 0));
}

TEST(WinBmpGdiTest, CopyToGlobalMemoryHoldsTheWholeBlock) {
  PLWinBmp bmp;
  ASSERT_TRUE(bmp.Create(5, 3, 32, 32, 0, false, false));
  bmp.GetLineArray32()[2][4] = Px(9, 8, 7);
  HGLOBAL memory = bmp.CopyToGlobalMemory();
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(GlobalSize(memory), 40u + 5 * 4 * 3);
  const void* data = GlobalLock(memory);
  EXPECT_EQ(std::memcmp(data, bmp.GetBMI(), 40 + 60), 0);
  GlobalUnlock(memory);
  GlobalFree(memory);
}

// A memory device context over a white 32-bit DIB section.
class WinBmpDrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = 8;
    info.bmiHeader.biHeight = 8;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    section_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section_, nullptr);
    old_ = SelectObject(dc_, section_);
    PatBlt(dc_, 0, 0, 8, 8, WHITENESS);
  }
  void TearDown() override {
    SelectObject(dc_, old_);
    DeleteObject(section_);
    DeleteDC(dc_);
  }
  int CountRed() {
    int n = 0;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) n += GetPixel(dc_, x, y) == RGB(255, 0, 0);
    return n;
  }
  HDC dc_ = nullptr;
  HBITMAP section_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

TEST_F(WinBmpDrawTest, DrawAndStretch) {
  PLWinBmp red;
  ASSERT_TRUE(red.Create(3, 3, 32, 32, 0, false, false));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) red.GetLineArray32()[y][x] = Px(255, 0, 0);
  EXPECT_EQ(red.StretchDrawScaled(dc_, 1, 1, 0.5), 3);
  EXPECT_EQ(CountRed(), 1);
  EXPECT_EQ(GetPixel(dc_, 1, 1), RGB(255, 0, 0));
  PatBlt(dc_, 0, 0, 8, 8, WHITENESS);
  EXPECT_EQ(red.Draw(dc_, 0, 0), 3);
  EXPECT_EQ(CountRed(), 9);
  PatBlt(dc_, 0, 0, 8, 8, WHITENESS);
  EXPECT_EQ(red.StretchDraw(dc_, 0, 0, 6, 4), 3);
  EXPECT_EQ(CountRed(), 24);
}

TEST_F(WinBmpDrawTest, DrawRegionTakesTheSourceRectangle) {
  PLWinBmp bmp;
  ASSERT_TRUE(bmp.Create(4, 4, 32, 32, 0, false, false));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) bmp.GetLineArray32()[y][x] = Px(255, 255, 255);
  bmp.GetLineArray32()[1][2] = Px(255, 0, 0);  // column 2, row 1 from the top
  // The rectangle (2, 1)-(4, 3) drawn at (5, 5) puts that pixel at (5, 5).
  bmp.DrawRegion(dc_, 5, 5, 2, 1, 4, 3);
  EXPECT_EQ(CountRed(), 1);
  EXPECT_EQ(GetPixel(dc_, 5, 5), RGB(255, 0, 0));
}

TEST_F(WinBmpDrawTest, CreateFromHBitmapReadsTheSelectedPixels) {
  SetPixel(dc_, 2, 1, RGB(10, 20, 30));
  SelectObject(dc_, old_);  // GetDIBits wants the bitmap deselected
  PLWinBmp bmp;
  ASSERT_TRUE(bmp.CreateFromHBitmap(section_));
  old_ = SelectObject(dc_, section_);
  EXPECT_EQ(bmp.GetWidth(), 8);
  EXPECT_EQ(bmp.GetHeight(), 8);
  EXPECT_EQ(bmp.GetBitsPerPixel(), 32);
  EXPECT_EQ(bmp.GetFileBitsPerPixel(), 32);
  PLPixel32 p = bmp.GetLineArray32()[1][2];
  EXPECT_EQ((std::vector<int>{p.r, p.g, p.b}), (std::vector<int>{10, 20, 30}));
  p = bmp.GetLineArray32()[0][0];
  EXPECT_EQ((std::vector<int>{p.r, p.g, p.b}), (std::vector<int>{255, 255, 255}));
}

TEST(WinBmpResourceTest, LoadResourceBitmapTakesAPackedDIB) {
  // A 2 x 1 bitmap at 8 bits: header, 256 palette entries, one 4-byte row.
  static std::vector<BYTE> dib = [] {
    std::vector<BYTE> d(40 + 1024 + 4, 0);
    BITMAPINFOHEADER h{};
    h.biSize = 40;
    h.biWidth = 2;
    h.biHeight = 1;
    h.biPlanes = 1;
    h.biBitCount = 8;
    std::memcpy(d.data(), &h, 40);
    d[40 + 4 * 5 + 2] = 200;  // entry 5 red 200
    d[40 + 1024 + 1] = 5;
    return d;
  }();
  static const ModuleResource resources[] = {{ResourceKey(2), ResourceKey(321), std::span<const BYTE>(dib)}};
  ModuleResourceRegistration registration(CurrentModuleHandle(), resources);
  PLWinBmp bmp;
  bmp.LoadResourceBitmap(CurrentModuleHandle(), 321);
  EXPECT_EQ(bmp.GetWidth(), 2);
  EXPECT_EQ(bmp.GetHeight(), 1);
  EXPECT_EQ(bmp.GetLineArray()[0][1], 5);
  EXPECT_EQ(bmp.GetPalette()[5].r, 200);
}

}  // namespace
