// Image lists: adding strips with a mask colour or a mask bitmap, and what
// each ImageList_Draw style leaves on a surface, pixel by pixel.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/win.h"
#include "tests/platform/comctl/event_parent.h"

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0), kBlue = RGB(0, 0, 200), kGround = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kPaper = RGB(10, 200, 10);  // what the target holds before drawing
constexpr COLORREF kBlendHalf = 0x01000001, kBlendQuarter = 0x01000002;  // markers, not colours

// A memory surface of 16 x 16 filled with kPaper.
struct Surface {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  Surface() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 16;
    info.bmiHeader.biHeight = -16;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
    RECT r{0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(kPaper);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  ~Surface() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
};

TEST(ImageList, AddMaskedCutsTheStripAndMasksTheColour) {
  HIMAGELIST list = ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 4, 4);
  ASSERT_NE(list, nullptr);
  HBITMAP strip = eventtest::MakeStrip(3, 8, 8, {kRed, kBlue, kRed});
  EXPECT_EQ(ImageList_AddMasked(list, strip, kGround), 0);
  EXPECT_EQ(ImageList_AddMasked(list, strip, kGround), 3) << "the second strip follows the first";
  EXPECT_EQ(ImageList_GetImageCount(list), 6);
  int cx = 0, cy = 0;
  EXPECT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(cx, 8);
  EXPECT_EQ(cy, 8);
  Surface s;
  EXPECT_TRUE(ImageList_Draw(list, 1, s.dc, 2, 2, ILD_TRANSPARENT));
  EXPECT_EQ(s.At(2, 2), kPaper) << "the grey edge is masked out";
  EXPECT_EQ(s.At(3, 3), kBlue);
  EXPECT_EQ(s.At(8, 8), kBlue);
  EXPECT_EQ(s.At(9, 9), kPaper);
  EXPECT_FALSE(ImageList_Draw(list, 6, s.dc, 0, 0, ILD_NORMAL)) << "no such image";
  DeleteObject(strip);
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_EQ(ImageList_GetImageCount(list), 0) << "a destroyed list is unknown";
  EXPECT_FALSE(ImageList_Destroy(list));
}

TEST(ImageList, DrawStylesTable) {
  struct Case {
    const char* what;
    COLORREF listBackground;
    UINT style;
    COLORREF inside, outside;  // pixel (4, 4) and pixel (0, 0) of the image drawn at 0, 0
  } const cases[] = {
      {"transparent leaves the ground", CLR_NONE, ILD_TRANSPARENT, kRed, kPaper},
      {"normal without a background colour is transparent", CLR_NONE, ILD_NORMAL, kRed, kPaper},
      {"normal fills with the background colour", RGB(0, 0, 0), ILD_NORMAL, kRed, RGB(0, 0, 0)},
      {"transparent ignores the background colour", RGB(0, 0, 0), ILD_TRANSPARENT, kRed, kPaper},
      {"the mask is black where the image is", CLR_NONE, ILD_MASK, RGB(0, 0, 0), RGB(255, 255, 255)},
      // Blending with the highlight colour: half of it, a quarter of it (kBlendHalf, kBlendQuarter
      // stand for the mix, worked out below from the system's highlight colour).
      {"blend 50", CLR_NONE, ILD_BLEND50 | ILD_TRANSPARENT, kBlendHalf, kPaper},
      {"blend 25", CLR_NONE, ILD_BLEND25 | ILD_TRANSPARENT, kBlendQuarter, kPaper},
  };
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  auto mix = [&](int quarters) {
    auto channel = [&](BYTE image, BYTE other) { return static_cast<BYTE>((image * (4 - quarters) + other * quarters) / 4); };
    return RGB(channel(GetRValue(kRed), GetRValue(highlight)), channel(GetGValue(kRed), GetGValue(highlight)),
               channel(GetBValue(kRed), GetBValue(highlight)));
  };
  HBITMAP strip = eventtest::MakeStrip(1, 8, 8, {kRed});
  for (const Case& c : cases) {
    HIMAGELIST list = ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_AddMasked(list, strip, kGround);
    EXPECT_EQ(ImageList_SetBkColor(list, c.listBackground), CLR_NONE) << c.what;
    EXPECT_EQ(ImageList_GetBkColor(list), c.listBackground) << c.what;
    Surface s;
    ASSERT_TRUE(ImageList_Draw(list, 0, s.dc, 0, 0, c.style)) << c.what;
    const COLORREF inside = c.inside == kBlendHalf ? mix(2) : c.inside == kBlendQuarter ? mix(1) : c.inside;
    EXPECT_EQ(s.At(4, 4), inside) << c.what;
    EXPECT_EQ(s.At(0, 0), c.outside) << c.what;
    EXPECT_EQ(s.At(9, 9), kPaper) << c.what << ": nothing beyond the image";
    ImageList_Destroy(list);
  }
  DeleteObject(strip);
}

TEST(ImageList, MaskBitmapWhiteIsTransparent) {
  HBITMAP image = eventtest::MakeStrip(1, 8, 8, {kBlue});
  // A mask white everywhere but a black 2 x 2 block at (3, 3).
  HBITMAP mask = eventtest::MakeStrip(1, 8, 8, {RGB(255, 255, 255)});
  {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    RECT all{0, 0, 8, 8}, hole{3, 3, 5, 5};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(dc, &hole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  HIMAGELIST list = ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 1, 1);
  EXPECT_EQ(ImageList_Add(list, image, mask), 0);
  Surface s;
  ImageList_Draw(list, 0, s.dc, 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(s.At(3, 3), kBlue);
  EXPECT_EQ(s.At(4, 4), kBlue);
  EXPECT_EQ(s.At(2, 2), kPaper);
  EXPECT_EQ(s.At(5, 5), kPaper);
  IMAGEINFO info{};
  ASSERT_TRUE(ImageList_GetImageInfo(list, 0, &info));
  EXPECT_NE(info.hbmImage, nullptr);
  EXPECT_NE(info.hbmMask, nullptr);
  EXPECT_EQ(info.rcImage.right - info.rcImage.left, 8);
  ImageList_Destroy(list);
  DeleteObject(image);
  DeleteObject(mask);
}

TEST(ImageList, RemoveReplaceDuplicateAndIcons) {
  HBITMAP strip = eventtest::MakeStrip(3, 8, 8, {kRed, kBlue, RGB(0, 0, 0)});
  HIMAGELIST list = ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 3, 3);
  ImageList_AddMasked(list, strip, kGround);
  EXPECT_TRUE(ImageList_Remove(list, 0));
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  EXPECT_FALSE(ImageList_Remove(list, 2));
  Surface s;
  ImageList_Draw(list, 0, s.dc, 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(s.At(4, 4), kBlue) << "the images after the removed one move down";
  HIMAGELIST copy = ImageList_Duplicate(list);
  EXPECT_EQ(ImageList_GetImageCount(copy), 2);
  EXPECT_TRUE(ImageList_RemoveAll(list));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_EQ(ImageList_GetImageCount(copy), 2) << "a duplicate keeps its own images";
  HICON icon = ImageList_GetIcon(copy, 0, ILD_NORMAL);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(ImageList_AddIcon(list, icon), 0);
  Surface t;
  ImageList_Draw(list, 0, t.dc, 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(t.At(4, 4), kBlue) << "an icon's pixels";
  EXPECT_EQ(t.At(0, 0), kPaper) << "an icon's transparent edge";
  DestroyIcon(icon);
  EXPECT_TRUE(ImageList_SetImageCount(copy, 5));
  EXPECT_EQ(ImageList_GetImageCount(copy), 5);
  EXPECT_EQ(ImageList_Create(0, 8, ILC_COLOR32, 1, 1), nullptr);
  ImageList_Destroy(copy);
  ImageList_Destroy(list);
  DeleteObject(strip);
}

}  // namespace
