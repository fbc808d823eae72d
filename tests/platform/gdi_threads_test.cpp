// Drawing objects shared between threads: one holder per bitmap, regions and
// palettes that one thread changes while another reads them, and two screen
// device contexts drawing on the one screen surface at once.
#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "gdi_test_util.h"

namespace {

using namespace gditest;

TEST(GdiThreads, ABitmapHeldByOneDcIsRefusedByAnotherUntilReleased) {
  DibInfo info = MakeInfo(4, 4, 32);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bitmap, nullptr);
  HDC first = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(first, bitmap);
  ASSERT_NE(old, nullptr);
  // Selecting it again into the same context is fine.
  EXPECT_EQ(SelectObject(first, bitmap), bitmap);
  HGDIOBJ onOtherThread = reinterpret_cast<HGDIOBJ>(1);
  std::thread([&] {
    HDC second = CreateCompatibleDC(nullptr);
    onOtherThread = SelectObject(second, bitmap);
    DeleteDC(second);
  }).join();
  EXPECT_EQ(onOtherThread, nullptr);
  // Once the first context lets go (deselected, then deleted) another may take it.
  SelectObject(first, old);
  HDC third = CreateCompatibleDC(nullptr);
  EXPECT_NE(SelectObject(third, bitmap), nullptr);
  EXPECT_EQ(SelectObject(first, bitmap), nullptr);
  DeleteDC(third);
  EXPECT_NE(SelectObject(first, bitmap), nullptr);
  DeleteDC(first);
  DeleteObject(bitmap);
}

TEST(GdiThreads, SaveAndRestoreKeepTheHolder) {
  HBITMAP a = CreateCompatibleBitmap(nullptr, 2, 2), b = CreateCompatibleBitmap(nullptr, 2, 2);
  HDC dc = CreateCompatibleDC(nullptr), other = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, a);
  const int saved = SaveDC(dc);
  SelectObject(dc, b);
  HGDIOBJ otherOld = SelectObject(other, a);  // released by the selection of b
  EXPECT_NE(otherOld, nullptr);
  EXPECT_FALSE(RestoreDC(dc, saved));  // a is someone else's now
  SelectObject(other, otherOld);
  DeleteDC(other);
  EXPECT_TRUE(RestoreDC(dc, saved));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), a);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(a);
  DeleteObject(b);
}

TEST(GdiThreads, ARegionChangedOnOneThreadIsReadWholeOnAnother) {
  HRGN shared = CreateRectRgn(0, 0, 10, 10);
  HRGN a = CreateRectRgn(0, 0, 10, 10), b = CreateRectRgn(20, 0, 30, 40);
  Canvas canvas(40, 40);
  HBRUSH brush = CreateSolidBrush(kRed);
  std::atomic<bool> stop{false};
  std::atomic<int> torn{0};
  std::thread writer([&] {
    for (int i = 0; i < 2000; ++i) {
      CombineRgn(shared, a, b, i % 2 ? RGN_OR : RGN_XOR);
      SetRectRgn(shared, 0, 0, 10, 10);
    }
    stop = true;
  });
  while (!stop) {
    RECT box;
    GetRgnBox(shared, &box);
    // Only the boxes of the shapes the writer makes can be seen.
    const bool known = SameRect(box, RECT{0, 0, 10, 10}) || SameRect(box, RECT{0, 0, 30, 40});
    torn += known ? 0 : 1;
    FillRgn(canvas.dc(), shared, brush);
    PtInRegion(shared, 25, 5);
    GetRegionData(shared, 0, nullptr);
  }
  writer.join();
  EXPECT_EQ(torn.load(), 0);
  DeleteObject(brush);
  DeleteObject(shared);
  DeleteObject(a);
  DeleteObject(b);
}

TEST(GdiThreads, PaletteEntriesAreReadAsOneSet) {
  struct {
    WORD version = 0x300, count = 16;
    PALETTEENTRY entries[16]{};
  } logical;
  HPALETTE palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
  ASSERT_NE(palette, nullptr);
  std::atomic<bool> stop{false};
  int mixed = 0;
  std::thread writer([&] {
    PALETTEENTRY all[16];
    for (int i = 0; i < 5000; ++i) {
      for (auto& e : all) e = PALETTEENTRY{BYTE(i), BYTE(i), BYTE(i), 0};
      SetPaletteEntries(palette, 0, 16, all);
    }
    stop = true;
  });
  while (!stop) {
    PALETTEENTRY read[16];
    ASSERT_EQ(GetPaletteEntries(palette, 0, 16, read), 16u);
    for (const auto& e : read) mixed += e.peRed != read[0].peRed;
  }
  writer.join();
  EXPECT_EQ(mixed, 0);
  DeleteObject(palette);
}

TEST(GdiThreads, TwoScreenDcsInvertingTheSameAreaLoseNoUpdate) {
  HDC probe = GetDC(nullptr);
  COLORREF before[16][16];
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) before[y][x] = GetPixel(probe, x, y);
  constexpr int kRounds = 2000;  // even: every pixel ends where it started
  auto invert = [] {
    HDC dc = GetDC(nullptr);
    RECT r{0, 0, 16, 16};
    for (int i = 0; i < kRounds; ++i) InvertRect(dc, &r);
    ReleaseDC(nullptr, dc);
  };
  std::thread one(invert), two(invert);
  one.join();
  two.join();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(GetPixel(probe, x, y), before[y][x]) << x << "," << y;
  ReleaseDC(nullptr, probe);
}

}  // namespace
