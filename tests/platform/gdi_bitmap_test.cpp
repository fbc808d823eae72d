// Bitmaps: formats, palettes, compatible bitmaps and the round trips of
// device-independent bits.
#include <gtest/gtest.h>

#include <thread>

#include "tests/platform/gdi_test_util.h"

namespace {

using namespace gditest;

class GdiDibRoundTrip : public testing::TestWithParam<int> {};

TEST_P(GdiDibRoundTrip, SetThenGetGivesTheSameBitsInBothRowOrders) {
  const int bpp = GetParam();
  const int w = 13, h = 5;
  std::vector<COLORREF> palette;
  if (bpp <= 8)
    for (int i = 0; i < (1 << bpp); ++i) palette.push_back(RGB(i * 7 % 256, 255 - i, i * 13 % 256));
  DibInfo info = MakeInfo(w, h, bpp, palette);
  HBITMAP bitmap = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, nullptr, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  const int stride = ((w * bpp + 31) / 32) * 4;
  EXPECT_EQ(stride % 4, 0);
  std::vector<BYTE> bits(stride * h);
  for (size_t i = 0; i < bits.size(); ++i) bits[i] = static_cast<BYTE>(i * 37 + 11);
  // Only whole pixels round-trip: clear the padding (and the unused byte of 32-bit pixels).
  const int used = (w * bpp + 7) / 8;
  for (int y = 0; y < h; ++y) {
    for (int x = used; x < stride; ++x) bits[y * stride + x] = 0;
    if (bpp == 1 || bpp == 4) {
      const int spare = used * 8 - w * bpp;
      bits[y * stride + used - 1] &= static_cast<BYTE>(0xFF << spare);
    }
    if (bpp == 32)
      for (int x = 0; x < w; ++x) bits[y * stride + x * 4 + 3] = 0;
  }
  EXPECT_EQ(SetDIBits(nullptr, bitmap, 0, h, bits.data(), info.get(), DIB_RGB_COLORS), h);
  DibInfo out = MakeInfo(w, h, bpp);
  std::vector<BYTE> back(stride * h, 0xEE);
  EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, h, back.data(), out.get(), DIB_RGB_COLORS), h);
  EXPECT_EQ(back, bits);
  for (size_t i = 0; i < palette.size(); ++i) {
    EXPECT_EQ(out.colours[i].rgbRed, GetRValue(palette[i]));
    EXPECT_EQ(out.colours[i].rgbBlue, GetBValue(palette[i]));
  }
  // Asked top-down, the same rows come in the other order.
  DibInfo down = MakeInfo(w, -h, bpp);
  std::vector<BYTE> flipped(stride * h);
  EXPECT_EQ(GetDIBits(nullptr, bitmap, 0, h, flipped.data(), down.get(), DIB_RGB_COLORS), h);
  for (int y = 0; y < h; ++y)
    EXPECT_TRUE(std::equal(flipped.begin() + y * stride, flipped.begin() + (y + 1) * stride,
                           bits.begin() + (h - 1 - y) * stride));
  DeleteObject(bitmap);
}

INSTANTIATE_TEST_SUITE_P(Depths, GdiDibRoundTrip, testing::Values(1, 4, 8, 24, 32));

TEST(GdiDibits, QueryWithZeroBitCountDescribesTheBitmap) {
  HDC screen = GetDC(nullptr);
  HBITMAP b = CreateCompatibleBitmap(screen, 30, 7);
  DibInfo info;
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biPlanes = 1;
  EXPECT_NE(GetDIBits(screen, b, 0, 0, nullptr, info.get(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(info.header.biWidth, 30);
  EXPECT_EQ(info.header.biHeight, 7);
  EXPECT_EQ(info.header.biBitCount, 32);  // compatible with the screen
  EXPECT_EQ(info.header.biSizeImage, 30u * 4 * 7);
  DeleteObject(b);
  ReleaseDC(nullptr, screen);
}

TEST(GdiDibits, MonochromeBitmapReadsAsBlackAndWhite) {
  const BYTE bits[2] = {0x80, 0x00};
  HBITMAP mono = CreateBitmap(2, 1, 1, 1, bits);
  DibInfo info = MakeInfo(2, 1, 32);
  uint32_t pixels[2] = {};
  EXPECT_EQ(GetDIBits(nullptr, mono, 0, 1, pixels, info.get(), DIB_RGB_COLORS), 1);
  EXPECT_EQ(pixels[0], 0xFFFFFFu);
  EXPECT_EQ(pixels[1], 0u);
  DeleteObject(mono);
}

TEST(GdiBitmap, CompatibleBitmapsFollowTheDeviceContext) {
  HDC screen = GetDC(nullptr);
  HBITMAP fromScreen = CreateCompatibleBitmap(screen, 4, 4);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP fromMemory = CreateCompatibleBitmap(memory, 4, 4);  // its 1 x 1 monochrome default
  HBITMAP fromNull = CreateCompatibleBitmap(nullptr, 4, 4);
  BITMAP bm{};
  GetObject(fromScreen, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  GetObject(fromMemory, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  GetObject(fromNull, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmWidthBytes, 16);
  EXPECT_EQ(bm.bmBits, nullptr);
  for (HBITMAP b : {fromScreen, fromMemory, fromNull}) DeleteObject(b);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST(GdiBitmap, DibSectionDescribesItsBitsAndLayout) {
  DibInfo info = MakeInfo(5, 3, 24);
  void* bits = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  DIBSECTION ds{};
  EXPECT_EQ(GetObject(b, sizeof ds, &ds), static_cast<int>(sizeof ds));
  EXPECT_EQ(ds.dsBm.bmBits, bits);
  EXPECT_EQ(ds.dsBm.bmWidthBytes, 16);  // 15 bytes padded to 4
  EXPECT_EQ(ds.dsBmih.biHeight, 3);
  // Positive height: the first stored row is the bottom one.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, b);
  SetPixel(dc, 0, 2, RGB(1, 2, 3));
  EXPECT_EQ(static_cast<BYTE*>(bits)[0], 3);
  EXPECT_EQ(static_cast<BYTE*>(bits)[2], 1);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(b);
}

TEST(GdiBitmap, OneBitTargetMapsColoursToTheNearestOfItsTwoEntries) {
  Canvas c(16, 1, 1, {kRed, kBlue}, kRed);
  HBRUSH bluish = CreateSolidBrush(RGB(30, 0, 200));
  RECT r{4, 0, 12, 1};
  FillRect(c.dc(), &r, bluish);
  DeleteObject(bluish);
  EXPECT_EQ(c.bits()[0], 0x0F);  // pixels 4..7 are index 1
  EXPECT_EQ(c.bits()[1], 0xF0);  // pixels 8..11
  EXPECT_EQ(c.At(0, 0), kRed);
  EXPECT_EQ(c.At(5, 0), kBlue);
  // Drawing in a colour between them picks the nearer one.
  EXPECT_EQ(SetPixel(c.dc(), 0, 0, RGB(200, 0, 90)), kRed);
}

TEST(GdiBitmap, EightBitTargetUsesItsPaletteAndRasterOpsWorkOnIndices) {
  const std::vector<COLORREF> greys = {RGB(0, 0, 0), RGB(85, 85, 85), RGB(170, 170, 170), RGB(255, 255, 255)};
  Canvas c(4, 1, 8, greys, RGB(255, 255, 255));
  EXPECT_EQ(c.bits()[0], 3);
  SetPixel(c.dc(), 0, 0, RGB(100, 90, 80));
  EXPECT_EQ(c.bits()[0], 1);
  EXPECT_EQ(c.At(0, 0), RGB(85, 85, 85));
  // R2_NOT inverts the index: 3 becomes 252, an entry the table pads with black.
  SetROP2(c.dc(), R2_NOT);
  MoveToEx(c.dc(), 1, 0, nullptr);
  LineTo(c.dc(), 2, 0);
  EXPECT_EQ(c.bits()[1], 252);
}

TEST(GdiBitmap, BitmapBitsUseWordAlignedRows) {
  const BYTE bits[4] = {0xFF, 0x80, 0x01, 0x00};  // 9 pixels a row: 2 bytes, rows of 2 bytes
  HBITMAP b = CreateBitmap(9, 2, 1, 1, bits);
  BYTE back[4] = {};
  EXPECT_EQ(GetBitmapBits(b, sizeof back, back), 4);
  EXPECT_EQ(back[0], 0xFF);
  EXPECT_EQ(back[1], 0x80);
  EXPECT_EQ(back[2], 0x01);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, b);
  EXPECT_EQ(GetPixel(dc, 8, 0), kWhite);
  EXPECT_EQ(GetPixel(dc, 7, 1), kWhite);
  EXPECT_EQ(GetPixel(dc, 6, 1), kBlack);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(b);
}

TEST(GdiBitmap, PatternBrushTilesFromTheBrushOrigin) {
  const BYTE bits[4] = {0x40, 0, 0x80, 0};  // 2 x 2: row 0 "01", row 1 "10"
  HBITMAP pattern = CreateBitmap(2, 2, 1, 1, bits);
  HBRUSH brush = CreatePatternBrush(pattern);
  DeleteObject(pattern);  // the brush keeps its own copy
  Canvas c(4, 2);
  SetTextColor(c.dc(), kRed);  // 0 bits
  SetBkColor(c.dc(), kBlue);   // 1 bits
  RECT r{0, 0, 4, 2};
  FillRect(c.dc(), &r, brush);
  DeleteObject(brush);
  EXPECT_EQ(c.Picture(kRed), "#.#.\n.#.#\n");
  EXPECT_EQ(c.Picture(kBlue), ".#.#\n#.#.\n");
}

}  // namespace

namespace {

TEST(GdiBitmap, ImpossibleSizesFailCleanly) {
  EXPECT_EQ(CreateCompatibleBitmap(nullptr, 1 << 20, 1 << 20), nullptr);
  gditest::DibInfo info = gditest::MakeInfo(100000, 100000, 32);
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  gditest::DibInfo compressed = gditest::MakeInfo(4, 4, 8);
  compressed.header.biCompression = BI_RLE8;
  EXPECT_EQ(CreateDIBSection(nullptr, compressed.get(), DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
}

}  // namespace
