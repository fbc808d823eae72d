// Bit-block transfers: ternary raster operations, monochrome conversions,
// stretching and the device-independent bits calls.
#include <gtest/gtest.h>

#include "tests/platform/gdi_test_util.h"

namespace {

using namespace gditest;

struct Rop3Case {
  DWORD rop;
  BYTE expected;  // pattern bits 0xF0, source bits 0xCC, destination bits 0xAA
};

class GdiRop3 : public testing::TestWithParam<Rop3Case> {};

TEST_P(GdiRop3, CombinesPatternSourceAndDestinationBits) {
  Canvas dest(4, 1, 32, {}, RGB(0xAA, 0xAA, 0xAA));
  Canvas src(4, 1, 32, {}, RGB(0xCC, 0xCC, 0xCC));
  Selected brush(dest.dc(), CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0)));
  EXPECT_TRUE(BitBlt(dest.dc(), 0, 0, 3, 1, src.dc(), 0, 0, GetParam().rop));
  const BYTE e = GetParam().expected;
  EXPECT_EQ(dest.At(0, 0), RGB(e, e, e));
  EXPECT_EQ(dest.At(2, 0), RGB(e, e, e));
  EXPECT_EQ(dest.At(3, 0), RGB(0xAA, 0xAA, 0xAA));
}

INSTANTIATE_TEST_SUITE_P(
    Operations, GdiRop3,
    testing::Values(Rop3Case{SRCCOPY, 0xCC}, Rop3Case{SRCAND, 0x88}, Rop3Case{SRCPAINT, 0xEE},
                    Rop3Case{SRCINVERT, 0x66}, Rop3Case{PATCOPY, 0xF0}, Rop3Case{DSTINVERT, 0x55},
                    Rop3Case{NOTSRCCOPY, 0x33}, Rop3Case{PATINVERT, 0x5A}, Rop3Case{BLACKNESS, 0x00},
                    Rop3Case{WHITENESS, 0xFF}, Rop3Case{MERGECOPY, 0xC0}, Rop3Case{SRCERASE, 0x44},
                    Rop3Case{NOTSRCERASE, 0x11}, Rop3Case{MERGEPAINT, 0xBB}, Rop3Case{PATPAINT, 0xFB}));

TEST(GdiPatBlt, UsesTheBrushAndRefusesSourceOperations) {
  Canvas c(4, 2, 32, {}, RGB(0xAA, 0xAA, 0xAA));
  Selected brush(c.dc(), CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0)));
  EXPECT_TRUE(PatBlt(c.dc(), 0, 0, 2, 1, PATINVERT));
  EXPECT_TRUE(PatBlt(c.dc(), 0, 1, 1, 1, DSTINVERT));
  EXPECT_FALSE(PatBlt(c.dc(), 0, 0, 1, 1, SRCCOPY));
  EXPECT_EQ(c.At(0, 0), RGB(0x5A, 0x5A, 0x5A));
  EXPECT_EQ(c.At(1, 0), RGB(0x5A, 0x5A, 0x5A));
  EXPECT_EQ(c.At(2, 0), RGB(0xAA, 0xAA, 0xAA));
  EXPECT_EQ(c.At(0, 1), RGB(0x55, 0x55, 0x55));
}

TEST(GdiBitBlt, MonochromeSourceTakesTextAndBackgroundColours) {
  const WORD row = 0xA000;  // bits 1 0 1 0 then zeros, rows WORD aligned
  const BYTE bits[2] = {static_cast<BYTE>(row >> 8), static_cast<BYTE>(row)};
  HBITMAP mono = CreateBitmap(8, 1, 1, 1, bits);
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(src, mono);
  Canvas dest(8, 1);
  SetTextColor(dest.dc(), kRed);
  SetBkColor(dest.dc(), kBlue);
  BitBlt(dest.dc(), 0, 0, 8, 1, src, 0, 0, SRCCOPY);
  EXPECT_EQ(dest.At(0, 0), kBlue);  // set bits: background colour
  EXPECT_EQ(dest.At(1, 0), kRed);   // clear bits: text colour
  EXPECT_EQ(dest.At(2, 0), kBlue);
  EXPECT_EQ(dest.At(7, 0), kRed);
  SelectObject(src, old);
  DeleteObject(mono);
  DeleteDC(src);
}

TEST(GdiBitBlt, ColourToMonochromeMarksTheSourceBackgroundColour) {
  Canvas src(4, 1);
  SetPixel(src.dc(), 1, 0, kRed);
  SetPixel(src.dc(), 3, 0, kRed);
  SetBkColor(src.dc(), kRed);
  HBITMAP mono = CreateBitmap(4, 1, 1, 1, nullptr);
  HDC dest = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dest, mono);
  BitBlt(dest, 0, 0, 4, 1, src.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(dest, 0, 0), kBlack);
  EXPECT_EQ(GetPixel(dest, 1, 0), kWhite);
  EXPECT_EQ(GetPixel(dest, 2, 0), kBlack);
  EXPECT_EQ(GetPixel(dest, 3, 0), kWhite);
  SelectObject(dest, old);
  DeleteObject(mono);
  DeleteDC(dest);
}

TEST(GdiStretchBlt, EnlargingRepeatsEachPixel) {
  Canvas src(2, 2);
  SetPixel(src.dc(), 0, 0, kRed);
  SetPixel(src.dc(), 1, 1, kBlue);
  Canvas dest(4, 4);
  StretchBlt(dest.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(dest.Picture(kRed), "##..\n##..\n....\n....\n");
  EXPECT_EQ(dest.Picture(kBlue), "....\n....\n..##\n..##\n");
}

TEST(GdiStretchBlt, NegativeWidthMirrors) {
  Canvas src(3, 1);
  SetPixel(src.dc(), 0, 0, kRed);
  Canvas dest(3, 1);
  StretchBlt(dest.dc(), 2, 0, -3, 1, src.dc(), 0, 0, 3, 1, SRCCOPY);
  EXPECT_EQ(dest.Picture(kRed), "..#\n");
}

// Shrinking 4 to 2 gives each destination pixel a run of two source pixels;
// a single pick takes the run's last column.
TEST(GdiStretchBlt, ShrinkingModesKeepBlackOrWhiteOrDropPixels) {
  Canvas src(4, 1);
  SetPixel(src.dc(), 1, 0, kBlack);
  struct Case {
    int mode;
    COLORREF first;
  } cases[] = {{BLACKONWHITE, kBlack}, {COLORONCOLOR, kBlack}, {WHITEONBLACK, kWhite}};
  for (const auto& k : cases) {
    Canvas dest(2, 1, 32, {}, kRed);
    SetStretchBltMode(dest.dc(), k.mode);
    StretchBlt(dest.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(dest.At(0, 0), k.first) << k.mode;
    EXPECT_EQ(dest.At(1, 0), kWhite) << k.mode;
  }
  Canvas dest(2, 1, 32, {}, kRed);
  SetStretchBltMode(dest.dc(), HALFTONE);
  StretchBlt(dest.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(dest.At(0, 0), RGB(127, 127, 127));
}

TEST(GdiBitBlt, OverlappingCopyOnOneBitmapReadsTheOriginal) {
  Canvas c(5, 1);
  SetPixel(c.dc(), 0, 0, kRed);
  SetPixel(c.dc(), 1, 0, kBlue);
  BitBlt(c.dc(), 1, 0, 4, 1, c.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(c.At(0, 0), kRed);
  EXPECT_EQ(c.At(1, 0), kRed);
  EXPECT_EQ(c.At(2, 0), kBlue);
  EXPECT_EQ(c.At(3, 0), kWhite);
}

TEST(GdiBitBlt, StaysInsideTheClipRegion) {
  Canvas src(6, 6, 32, {}, kRed);
  Canvas dest(6, 6);
  IntersectClipRect(dest.dc(), 2, 1, 4, 3);
  BitBlt(dest.dc(), 0, 0, 6, 6, src.dc(), 0, 0, SRCCOPY);
  EXPECT_TRUE(SameRect(dest.Bounds(kRed), RECT{2, 1, 4, 3}));
  EXPECT_EQ(dest.Count(kRed), 4);
}

// A 2 x 4 bottom-up DIB: each row its own colour, rows listed bottom first.
struct FourRowDib {
  DibInfo info = MakeInfo(2, 4, 32);
  uint32_t bits[8];
  static constexpr COLORREF kRows[4] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0), RGB(40, 0, 0)};  // bottom to top
  FourRowDib() {
    for (int r = 0; r < 4; ++r) bits[2 * r] = bits[2 * r + 1] = static_cast<uint32_t>(GetRValue(kRows[r])) << 16;
  }
};

TEST(GdiDibits, StretchDIBitsCountsSourceRowsFromTheBottom) {
  FourRowDib dib;
  Canvas c(2, 4);
  EXPECT_EQ(StretchDIBits(c.dc(), 0, 0, 2, 4, 0, 0, 2, 4, dib.bits, dib.info.get(), DIB_RGB_COLORS, SRCCOPY), 4);
  EXPECT_EQ(c.At(0, 0), RGB(40, 0, 0));  // the top row is stored last
  EXPECT_EQ(c.At(1, 3), RGB(10, 0, 0));
  // The source rectangle (0, 1, 2 x 1) is the second row from the bottom.
  Canvas one(1, 1);
  StretchDIBits(one.dc(), 0, 0, 1, 1, 0, 1, 1, 1, dib.bits, dib.info.get(), DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(one.At(0, 0), RGB(20, 0, 0));
}

TEST(GdiDibits, SetDIBitsToDeviceDrawsASourceRectangle) {
  FourRowDib dib;
  Canvas c(2, 2);
  // Rows 1 and 2 from the top: source y = height - bottom = 4 - 3.
  EXPECT_EQ(SetDIBitsToDevice(c.dc(), 0, 0, 2, 2, 0, 1, 0, 4, dib.bits, dib.info.get(), DIB_RGB_COLORS), 4);
  EXPECT_EQ(c.At(0, 0), RGB(30, 0, 0));
  EXPECT_EQ(c.At(0, 1), RGB(20, 0, 0));
}

TEST(GdiDibits, StretchDIBitsScalesAOneBitDibThroughItsColourTable) {
  DibInfo info = MakeInfo(2, 1, 1, {kRed, kBlue});
  const BYTE bits[4] = {0x40, 0, 0, 0};  // pixel 0 = index 0, pixel 1 = index 1
  Canvas c(4, 2);
  StretchDIBits(c.dc(), 0, 0, 4, 2, 0, 0, 2, 1, bits, info.get(), DIB_RGB_COLORS, SRCCOPY);
  EXPECT_EQ(c.Picture(kRed), "##..\n##..\n");
  EXPECT_EQ(c.Picture(kBlue), "..##\n..##\n");
}

}  // namespace

namespace {

using namespace gditest;

TEST(GdiStretchBlt, HugeDestinationsOnlyCostTheVisiblePixels) {
  Canvas src(1, 1, 32, {}, kRed);
  Canvas dest(8, 2);
  EXPECT_TRUE(StretchBlt(dest.dc(), -1000000000, 0, 2000000000, 1, src.dc(), 0, 0, 1, 1, SRCCOPY));
  EXPECT_EQ(dest.Picture(kRed), "########\n........\n");
}

}  // namespace
