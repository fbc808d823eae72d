// Drawing throughput: the bars of a large barcode painted into a 32-bit
// bitmap compatible with the screen, as the barcode library paints them.
#include <benchmark/benchmark.h>

#include "platform/win.h"

namespace {

void BM_FillRectBars(benchmark::State& state) {
  constexpr int kWidth = 2400, kHeight = 1500, kBars = 200;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(nullptr, kWidth, kHeight);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH bar = CreateSolidBrush(RGB(0, 0, 0));
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  const RECT all{0, 0, kWidth, kHeight};
  for (auto _ : state) {
    FillRect(dc, &all, white);
    for (int i = 0; i < kBars; ++i) {
      const int x = i * (kWidth / kBars);
      const RECT r{x, 40, x + 3 + (i % 4) * 2, kHeight - 40};
      FillRect(dc, &r, bar);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kBars);
  DeleteObject(bar);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}
BENCHMARK(BM_FillRectBars)->Unit(benchmark::kMillisecond);

void BM_RotatedEllipses(benchmark::State& state) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 800, 800);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SetGraphicsMode(dc, GM_ADVANCED);
  XFORM turn{0.8660254f, 0.5f, -0.5f, 0.8660254f, 253.6f, -146.4f};
  SetWorldTransform(dc, &turn);
  HPEN pen = CreatePen(PS_SOLID, 5, RGB(200, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  for (auto _ : state) {
    Ellipse(dc, 100, 250, 700, 550);
    benchmark::ClobberMemory();
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}
BENCHMARK(BM_RotatedEllipses)->Unit(benchmark::kMillisecond);

}  // namespace
