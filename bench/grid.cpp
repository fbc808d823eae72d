// The grid in list mode over virtual rows, at 1,000 and at 1,000,000 rows:
// a page of scrolling, a repaint, bringing the last row into view and
// selecting all. Each should cost about the same at both sizes; the memory
// the grid holds is printed beside them (rows are the owner's, not loaded).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "grid/grid_ctrl.h"

namespace {

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
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
  long kb = 0;
  explicit Grid(int rows) {
    owner.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr);
    const long before = ResidentKb();
    grid.Create({0, 0, 640, 480}, &owner, 1);
    grid.SetVirtualMode(true);
    grid.SetCallbackFunc(Supply, 0);
    grid.SetListMode(true);
    grid.SetRowCount(rows);
    grid.SetColumnCount(3);
    grid.SetFixedRowCount(1);
    Pump();
    kb = ResidentKb() - before;
  }
};

void Label(benchmark::State& state, const Grid& g) {
  state.counters["rows"] = static_cast<double>(state.range(0));
  state.counters["grid_kB"] = static_cast<double>(g.kb);
}

void BM_PageDown(benchmark::State& state) {
  Grid g(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    g.grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    if (g.grid.GetScrollPos32(SB_VERT) >= g.grid.GetScrollMax(SB_VERT) - 1000) g.grid.SendMessage(WM_VSCROLL, SB_TOP);
  }
  Label(state, g);
}

void BM_Repaint(benchmark::State& state) {
  Grid g(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    g.grid.Invalidate();
    g.grid.UpdateWindow();
  }
  Label(state, g);
}

void BM_EnsureVisibleLastRow(benchmark::State& state) {
  Grid g(static_cast<int>(state.range(0)));
  const int last = g.grid.GetRowCount() - 1;
  for (auto _ : state) {
    g.grid.SendMessage(WM_VSCROLL, SB_TOP);
    g.grid.EnsureVisible(last, 1);
  }
  Label(state, g);
}

void BM_SelectAll(benchmark::State& state) {
  Grid g(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    g.grid.SelectAllCells();
    g.grid.ResetSelectedRange();
  }
  Label(state, g);
}

BENCHMARK(BM_PageDown)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Repaint)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnsureVisibleLastRow)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectAll)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
