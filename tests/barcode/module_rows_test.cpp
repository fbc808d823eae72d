// Painting a module matrix a module row at a time gives the pixels of filling
// the ground and then every dark module through the drawing layer, for square
// modules and for the rows of stacked symbols.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "barcode/draw/bar_bands.h"
#include "platform/gdi/gdi_owners.h"
#include "tests/barcode/dib_pixels.h"

namespace {

struct RowsCase {
  const char* name;
  int columns, rows, module;
  int width, height;  // the bitmap: wider than the modules (padding), or taller
  int rowHeight = 0;  // module rows this many pixels high; 0: square modules
};

std::vector<uint32_t> Pixels(HDC dc, HBITMAP bitmap, int width, int height) {
  return kalvotest::DibPixels(bitmap, width, height, dc);
}

TEST(ModuleRows, PaintAsGroundAndOneFillPerDarkModule) {
  const RowsCase cases[] = {
      {"square", 10, 10, 4, 40, 40},      {"padded", 10, 10, 5, 56, 50},  {"one pixel", 21, 21, 1, 24, 21},
      {"taller bitmap", 8, 6, 3, 24, 25}, {"cut on the right", 9, 4, 4, 32, 16},
      {"cut inside a module", 9, 3, 5, 42, 15}, {"two pixels", 7, 5, 2, 16, 10},
      {"six pixels", 5, 4, 6, 32, 24},    {"seven pixels", 5, 4, 7, 40, 28}, {"eight pixels", 4, 4, 8, 32, 32},
      {"nine pixels, cut", 4, 3, 9, 32, 27},
      // Stacked symbols: rows several modules high, or lower than wide.
      {"rows three modules high", 9, 4, 2, 24, 24, 6}, {"rows lower than wide", 6, 5, 4, 24, 10, 2},
      {"tall rows, the last cut", 5, 4, 3, 16, 30, 9}, {"tall rows, bitmap taller", 7, 3, 1, 8, 20, 5},
  };
  std::mt19937 random(11);
  const COLORREF ground = RGB(250, 240, 230), ink = RGB(10, 20, 200);
  for (const RowsCase& c : cases) {
    SCOPED_TRACE(c.name);
    kalvo::ModuleMatrix matrix(c.columns, c.rows);
    for (auto& m : matrix.dark) m = static_cast<uint8_t>(random() % 2);
    UniqueDc dc(CreateCompatibleDC(nullptr));
    UniqueBitmap ours(CreateBitmap(c.width, c.height, 1, 32, nullptr));
    UniqueBitmap reference(CreateBitmap(c.width, c.height, 1, 32, nullptr));
    HGDIOBJ old = SelectObject(dc.get(), ours.get());
    const int rowHeight = c.rowHeight > 0 ? c.rowHeight : c.module;
    if (c.rowHeight > 0)
      kalvo::PaintModuleRows(dc.get(), c.width, c.height, matrix, c.module, c.rowHeight, ground, ink);
    else
      kalvo::PaintModuleRows(dc.get(), c.width, c.height, matrix, c.module, ground, ink);
    SelectObject(dc.get(), reference.get());
    UniqueBrush groundBrush(CreateSolidBrush(ground)), inkBrush(CreateSolidBrush(ink));
    const RECT all{0, 0, c.width, c.height};
    FillRect(dc.get(), &all, groundBrush.get());
    for (int y = 0; y < c.rows; ++y)
      for (int x = 0; x < c.columns; ++x)
        if (matrix.At(x, y)) {
          const RECT r{x * c.module, y * rowHeight, (x + 1) * c.module, (y + 1) * rowHeight};
          FillRect(dc.get(), &r, inkBrush.get());
        }
    SelectObject(dc.get(), old);
    EXPECT_EQ(Pixels(dc.get(), ours.get(), c.width, c.height), Pixels(dc.get(), reference.get(), c.width, c.height));
  }
}

}  // namespace
