#include <array>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/gdi_helpers/bitmap_resource.h"
#include "platform/resource/resource.h"
#include "tests/foundation/gdi_helpers_test_util.h"

namespace {

constexpr int kPictureId = 501;
constexpr COLORREF kPalette[4] = {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};

// A 4 x 2 picture of 8 bits per pixel, bottom-up: top row 0 1 2 3, bottom row 3 2 1 0.
std::vector<BYTE> PackedDib() {
  std::vector<BYTE> d;
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) d.push_back(static_cast<BYTE>(v >> (8 * i)));
  };
  auto put16 = [&](uint16_t v) { d.push_back(v & 0xFF), d.push_back(v >> 8); };
  put32(40), put32(4), put32(2), put16(1), put16(8), put32(BI_RGB), put32(8), put32(0), put32(0), put32(4), put32(0);
  for (COLORREF c : kPalette) d.push_back(GetBValue(c)), d.push_back(GetGValue(c)), d.push_back(GetRValue(c)), d.push_back(0);
  for (BYTE b : {3, 2, 1, 0, 0, 1, 2, 3}) d.push_back(b);
  return d;
}

const std::vector<BYTE> kDib = PackedDib();
const std::array<ModuleResource, 1> kResources = {{{2, kPictureId, std::span<const BYTE>(kDib)}}};
const ModuleResourceRegistration registration(GetModuleHandleA(nullptr), kResources);

TEST(LoadBitmapResource, ReadsThePackedPicture) {
  HBITMAP bitmap = LoadBitmapResource(nullptr, kPictureId);
  ASSERT_NE(bitmap, nullptr);
  BITMAP bm{};
  GetObject(bitmap, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 4);
  EXPECT_EQ(bm.bmHeight, 2);
  DeleteObject(bitmap);
  EXPECT_EQ(LoadBitmapResource(nullptr, kPictureId + 1), nullptr);
}

TEST(DrawBitmapResource, SizeAndPlaceModes) {
  TestCanvas canvas(40, 40);
  // Own size at (2, 3).
  ASSERT_EQ(DrawBitmapResource(canvas.dc(), 2, 3, 0, 0, kPictureId, kBitmapOwnSize, SRCCOPY, 0, nullptr, nullptr, nullptr),
            1);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(canvas.At(2 + i, 3), kPalette[i]) << i;
    EXPECT_EQ(canvas.At(2 + i, 4), kPalette[3 - i]) << i;
  }
  EXPECT_TRUE(canvas.IsWhite(6, 3));

  // Stretched to 8 x 4: every pixel doubled.
  canvas.Clear(RGB(255, 255, 255));
  DrawBitmapResource(canvas.dc(), 0, 0, 8, 4, kPictureId, 0, SRCCOPY, 0, nullptr, nullptr, nullptr);
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(canvas.At(x, 0), kPalette[x / 2]) << x;
    EXPECT_EQ(canvas.At(x, 3), kPalette[3 - x / 2]) << x;
  }

  // A part of the bitmap, centred in a box and moved by an offset.
  canvas.Clear(RGB(255, 255, 255));
  const RECT box{10, 10, 30, 30}, part{1, 0, 3, 1};
  const POINT offset{1, -1};
  DrawBitmapResource(canvas.dc(), 0, 0, 0, 0, kPictureId, kBitmapSourcePart, SRCCOPY, kPlaceCentred, &box, &part,
                     &offset);
  EXPECT_EQ(canvas.At(20, 18), kPalette[1]);  // x = 10 + (20 - 2) / 2 + 1, y = 10 + (20 - 1) / 2 - 1
  EXPECT_EQ(canvas.At(21, 18), kPalette[2]);
  EXPECT_EQ(canvas.CountNot(RGB(255, 255, 255)), 2);

  // Placed at the bottom of a height: y = h - bitmap height.
  canvas.Clear(RGB(255, 255, 255));
  DrawBitmapResource(canvas.dc(), 5, 0, 0, 20, kPictureId, kBitmapOwnSize, SRCCOPY, kPlaceBottom, nullptr, nullptr,
                     nullptr);
  EXPECT_TRUE(canvas.IsWhite(5, 17));
  EXPECT_EQ(canvas.At(5, 18), kPalette[0]);
  EXPECT_EQ(canvas.At(5, 19), kPalette[3]);

  EXPECT_EQ(DrawBitmapResource(canvas.dc(), 0, 0, 4, 4, 9999, 0, SRCCOPY, 0, nullptr, nullptr, nullptr), 0);
}

}  // namespace
