// Pictures put on a page one to one with raster operations that read the
// source and the destination (a symbol ANDed onto a label): every pixel of
// the destination is the operation of the source's colour and the
// destination's, computed here bit by bit, inside the picture and the clip,
// and unchanged elsewhere; for 1-bit and 32-bit pictures, placed inside and
// across the edge of the page, with no clip, a rectangle and a region of two
// parts.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/platform/gdi_test_util.h"

using namespace gditest;

namespace {

constexpr int kPageW = 40, kPageH = 30, kPicW = 21, kPicH = 11;

// The page's colours before the picture, all different.
COLORREF PageColour(int x, int y) { return RGB(x * 6, y * 8, (x * 13 + y * 7) & 0xFF); }
// The picture's pixels: black and white, or colours.
bool PictureBlack(int x, int y) { return (x * 3 + y * 5) % 7 < 3; }
COLORREF PictureColour(int x, int y) { return RGB((x * 37) & 0xFF, (y * 53) & 0xFF, (x * y * 11) & 0xFF); }

struct Rop {
  const char* name;
  DWORD code;
  uint32_t (*apply)(uint32_t s, uint32_t d);
};
const Rop kRops[] = {
    {"SRCAND", SRCAND, [](uint32_t s, uint32_t d) { return s & d; }},
    {"SRCPAINT", SRCPAINT, [](uint32_t s, uint32_t d) { return s | d; }},
    {"SRCINVERT", SRCINVERT, [](uint32_t s, uint32_t d) { return s ^ d; }},
    {"SRCERASE", SRCERASE, [](uint32_t s, uint32_t d) { return s & ~d; }},
    {"NOTSRCERASE", NOTSRCERASE, [](uint32_t s, uint32_t d) { return ~(s | d); }},
    {"SRCCOPY", SRCCOPY, [](uint32_t s, uint32_t) { return s; }},
};

struct Placing {
  const char* name;
  int x, y;
};
const Placing kPlacings[] = {{"inside", 5, 4}, {"across the top left", -4, -3}, {"across the bottom right", 30, 24}};

enum class Clip { kNone, kRectangle, kTwoParts };

bool InClip(Clip clip, int x, int y) {
  const bool first = x >= 2 && x < 25 && y >= 1 && y < 20;
  const bool second = x >= 28 && x < 38 && y >= 10 && y < 29;
  return clip == Clip::kNone || first || (clip == Clip::kTwoParts && second);
}

void SetClip(HDC dc, Clip clip) {
  if (clip == Clip::kNone) return;
  UniqueRgn region(CreateRectRgn(2, 1, 25, 20));
  if (clip == Clip::kTwoParts) {
    UniqueRgn second(CreateRectRgn(28, 10, 38, 29));
    CombineRgn(region.get(), region.get(), second.get(), RGN_OR);
  }
  SelectClipRgn(dc, region.get());
}

TEST(GdiRopBlit, OneToOnePicturesCombineWithThePagePixelByPixel) {
  for (const int bpp : {1, 32}) {
    // Rows top down; 1-bit rows padded to four bytes, the first pixel highest.
    const int stride = bpp == 1 ? (kPicW + 31) / 32 * 4 : kPicW * 4;
    std::vector<uint8_t> bits(static_cast<size_t>(stride) * kPicH, 0);
    for (int y = 0; y < kPicH; ++y)
      for (int x = 0; x < kPicW; ++x) {
        uint8_t* row = bits.data() + static_cast<size_t>(y) * stride;
        if (bpp == 1) {
          if (!PictureBlack(x, y)) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        } else {
          const COLORREF c = PictureColour(x, y);
          row[x * 4] = GetBValue(c), row[x * 4 + 1] = GetGValue(c), row[x * 4 + 2] = GetRValue(c);
        }
      }
    DibInfo info = MakeInfo(kPicW, -kPicH, bpp, bpp == 1 ? std::vector<COLORREF>{kBlack, kWhite} : std::vector<COLORREF>{});
    const auto source = [&](int x, int y) -> uint32_t {
      const COLORREF c = bpp == 1 ? (PictureBlack(x, y) ? kBlack : kWhite) : PictureColour(x, y);
      return c & 0xFFFFFFu;
    };
    for (const Rop& rop : kRops)
      for (const Placing& at : kPlacings)
        for (const Clip clip : {Clip::kNone, Clip::kRectangle, Clip::kTwoParts}) {
          SCOPED_TRACE(std::to_string(bpp) + "-bit picture, " + rop.name + ", " + at.name + ", clip " +
                       std::to_string(static_cast<int>(clip)));
          Canvas page(kPageW, kPageH, 32);
          for (int y = 0; y < kPageH; ++y)
            for (int x = 0; x < kPageW; ++x) SetPixel(page.dc(), x, y, PageColour(x, y));
          SetClip(page.dc(), clip);
          ASSERT_EQ(StretchDIBits(page.dc(), at.x, at.y, kPicW, kPicH, 0, 0, kPicW, kPicH, bits.data(), info.get(),
                                  DIB_RGB_COLORS, rop.code),
                    kPicH);
          SelectClipRgn(page.dc(), nullptr);
          int wrong = 0;
          for (int y = 0; y < kPageH; ++y)
            for (int x = 0; x < kPageW; ++x) {
              const int px = x - at.x, py = y - at.y;
              const bool covered = px >= 0 && px < kPicW && py >= 0 && py < kPicH && InClip(clip, x, y);
              const uint32_t before = PageColour(x, y) & 0xFFFFFFu;
              const uint32_t expected = covered ? rop.apply(source(px, py), before) & 0xFFFFFFu : before;
              if ((page.At(x, y) & 0xFFFFFFu) != expected && wrong++ < 3)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << page.At(x, y) << " not " << expected;
            }
          EXPECT_EQ(wrong, 0);
        }
  }
}

}  // namespace
