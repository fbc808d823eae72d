// The grid in list mode over virtual rows, at 1,000 and at 1,000,000 rows:
// a page of scrolling, a repaint, bringing the last row into view, scrolling
// to the end and back with painting, and selecting all (painted) then none.
// Each should cost about the same at both sizes; the memory the grid holds is
// printed beside them (rows are the owner's, not loaded): the row heights'
// 4 bytes a row and little else.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstddef>
#include <memory>
#include <string>

#include "grid/grid_ctrl.h"

namespace {

// The bytes the heap has handed out and not taken back: what the grid
// holds, unlike the resident size, which keeps freed pages of earlier runs.
size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

BOOL Supply(GridDispInfo* info, LPARAM) {
  info->item.text.Format("record %d", info->item.row);
  info->item.lParam = 1;  // loaded
  return TRUE;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

struct Grid {
  CWnd owner;
  CGridCtrl grid;
  size_t bytes = 0;
  explicit Grid(int rows) {
    owner.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr);
    const size_t before = HeapInUse();
    grid.Create({0, 0, 640, 480}, &owner, 1);
    grid.SetVirtualMode(true);
    grid.SetCallbackFunc(Supply, 0);
    grid.SetListMode(true);
    grid.SetRowCount(rows);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    Pump();
    bytes = HeapInUse() - before;
  }
};

// Runs `step` on a grid of state.range(0) rows and labels the result with
// the row count and the memory the grid took.
template <class Step>
void Measure(benchmark::State& state, Step step) {
  Grid g(static_cast<int>(state.range(0)));
  for (auto _ : state) step(g.grid);
  state.counters["rows"] = static_cast<double>(state.range(0));
  state.counters["grid_kB"] = static_cast<double>(g.bytes) / 1024.0;
  state.counters["bytes_per_row"] = static_cast<double>(g.bytes) / static_cast<double>(state.range(0));
}

void BM_PageDown(benchmark::State& state) {
  Measure(state, [](CGridCtrl& grid) {
    grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    if (grid.GetScrollPos32(SB_VERT) >= grid.GetScrollMax(SB_VERT) - 1000) grid.SendMessage(WM_VSCROLL, SB_TOP);
  });
}

void BM_Repaint(benchmark::State& state) {
  Measure(state, [](CGridCtrl& grid) {
    grid.Invalidate();
    grid.UpdateWindow();
  });
}

void BM_EnsureVisibleLastRow(benchmark::State& state) {
  Measure(state, [](CGridCtrl& grid) {
    grid.SendMessage(WM_VSCROLL, SB_TOP);
    grid.EnsureVisible(grid.GetRowCount() - 1, 1);
  });
}

void BM_ScrollToEndAndPaint(benchmark::State& state) {
  Measure(state, [](CGridCtrl& grid) {
    grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
    grid.UpdateWindow();
    grid.SendMessage(WM_VSCROLL, SB_TOP);
    grid.UpdateWindow();
  });
}

void BM_SelectAll(benchmark::State& state) {
  Measure(state, [](CGridCtrl& grid) {
    grid.SelectAllCells();
    grid.UpdateWindow();
    grid.ResetSelectedRange();
    grid.UpdateWindow();
  });
}

BENCHMARK(BM_PageDown)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Repaint)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnsureVisibleLastRow)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScrollToEndAndPaint)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectAll)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
