// Painting bars a band at a time gives the pixels of filling the ground and
// then every bar through the drawing layer: bars of one height (a band of its
// own, the linear symbols) as well as bars of many heights and rows.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "barcode/draw/bar_bands.h"
#include "platform/gdi/gdi_owners.h"
#include "tests/barcode/dib_pixels.h"

namespace {

std::vector<uint32_t> Pixels(HDC dc, HBITMAP bitmap, int width, int height) {
  return kalvotest::DibPixels(bitmap, width, height, dc);
}

// Bars of random widths and gaps from x = `from`, all over rows [top, bottom).
std::vector<RECT> RandomBars(std::mt19937& random, int from, int to, int top, int bottom) {
  std::vector<RECT> bars;
  for (int x = from; x < to;) {
    const int bar = 1 + static_cast<int>(random() % 9), gap = 1 + static_cast<int>(random() % 9);
    bars.push_back(RECT{x, top, x + bar, bottom});
    x += bar + gap;
  }
  return bars;
}

struct BandsCase {
  const char* name;
  int width, height;
  std::vector<RECT> bars;
};

std::vector<BandsCase> Cases() {
  std::mt19937 random(29);
  std::vector<BandsCase> cases;
  cases.push_back({"one band, full height", 96, 40, RandomBars(random, 10, 86, 0, 40)});
  cases.push_back({"one band, ground above and below", 96, 40, RandomBars(random, 10, 86, 7, 31)});
  cases.push_back({"one band, ground below only", 64, 30, RandomBars(random, 0, 64, 0, 12)});
  cases.push_back({"one band, ground above only", 64, 30, RandomBars(random, 0, 64, 18, 30)});
  cases.push_back({"no bars", 40, 12, {}});
  cases.push_back({"only empty and outlying bars", 40, 12,
                   {{5, 0, 5, 12}, {8, 3, 8, 9}, {50, 0, 60, 12}, {1, 12, 9, 20}, {-9, 2, -1, 5}, {3, 4, 7, 4}}});
  {
    // Reaching past every edge, cut to the same rows: still one band.
    std::vector<RECT> bars = RandomBars(random, -6, 70, -5, 50);
    bars.push_back(RECT{60, -3, 90, 45});
    cases.push_back({"one band cut at every edge", 64, 40, bars});
  }
  {
    // Empty and outlying bars of other rows do not split the band.
    std::vector<RECT> bars = RandomBars(random, 4, 60, 2, 20);
    bars.insert(bars.begin() + 3, RECT{30, 0, 30, 25});
    bars.push_back(RECT{70, 0, 80, 25});
    bars.push_back(RECT{10, 23, 20, 23});
    cases.push_back({"one band among empty bars of other rows", 64, 25, bars});
  }
  cases.push_back({"touching and overlapping bars", 48, 10, {{2, 0, 10, 10}, {10, 0, 14, 10}, {12, 0, 30, 10}, {29, 0, 31, 10}}});
  {
    // Longer guard bars, as EAN draws them.
    std::vector<RECT> bars = RandomBars(random, 8, 90, 0, 30);
    for (size_t i = 0; i < bars.size(); i += 7) bars[i].bottom = 36;
    cases.push_back({"two heights", 96, 40, bars});
  }
  {
    // Rows of bars stacked, given bottom row first.
    std::vector<RECT> bars;
    for (int row = 3; row >= 0; --row) {
      const std::vector<RECT> r = RandomBars(random, 5, 75, row * 9, row * 9 + 8);
      bars.insert(bars.end(), r.begin(), r.end());
    }
    cases.push_back({"stacked rows out of order", 80, 40, bars});
  }
  cases.push_back({"bars crossing one another's rows", 40, 30, {{0, 5, 10, 25}, {5, 0, 15, 10}, {12, 20, 30, 30}, {20, 2, 22, 28}}});
  cases.push_back({"one band wider than the stack's line", 3000, 6, RandomBars(random, 3, 2995, 1, 5)});
  cases.push_back({"two heights wider than the stack's line", 2600, 6,
                   [&] {
                     std::vector<RECT> bars = RandomBars(random, 0, 2600, 0, 4);
                     bars.back().bottom = 6;
                     return bars;
                   }()});
  return cases;
}

TEST(BarBands, PaintAsGroundAndOneFillPerBar) {
  const COLORREF ground = RGB(250, 240, 230), ink = RGB(10, 20, 200);
  for (const BandsCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    UniqueDc dc(CreateCompatibleDC(nullptr));
    UniqueBitmap ours(CreateBitmap(c.width, c.height, 1, 32, nullptr));
    UniqueBitmap reference(CreateBitmap(c.width, c.height, 1, 32, nullptr));
    HGDIOBJ old = SelectObject(dc.get(), ours.get());
    kalvo::PaintBarBands(dc.get(), c.width, c.height, c.bars, ground, ink);
    SelectObject(dc.get(), reference.get());
    UniqueBrush groundBrush(CreateSolidBrush(ground)), inkBrush(CreateSolidBrush(ink));
    const RECT all{0, 0, c.width, c.height};
    FillRect(dc.get(), &all, groundBrush.get());
    for (const RECT& r : c.bars) FillRect(dc.get(), &r, inkBrush.get());
    SelectObject(dc.get(), old);
    EXPECT_EQ(Pixels(dc.get(), ours.get(), c.width, c.height), Pixels(dc.get(), reference.get(), c.width, c.height));
  }
}

}  // namespace
