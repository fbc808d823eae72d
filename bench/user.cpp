// The window system: messages through a queue, and repainting a window tree.
#include <benchmark/benchmark.h>

#include "platform/win.h"

namespace {

LRESULT Counting(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_USER) return static_cast<LRESULT>(wp + 1);
  return DefWindowProcW(w, m, wp, lp);
}

LRESULT Painting(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    RECT r;
    GetClientRect(w, &r);
    FillRect(dc, &r, GetSysColorBrush(static_cast<int>(GetWindowLongPtrW(w, GWLP_USERDATA))));
    EndPaint(w, &ps);
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

void Register(LPCWSTR name, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

// 100,000 posted messages, read and dispatched.
void BM_PostedMessages(benchmark::State& state) {
  Register(u"BenchCounting", Counting);
  HWND w = CreateWindowExW(0, u"BenchCounting", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  for (auto _ : state) {
    for (int i = 0; i < 100000; ++i) PostMessageW(w, WM_USER, static_cast<WPARAM>(i), 0);
    MSG msg;
    int read = 0;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&msg);
      ++read;
    }
    benchmark::DoNotOptimize(read);
  }
  state.SetItemsProcessed(state.iterations() * 100000);
  DestroyWindow(w);
}
BENCHMARK(BM_PostedMessages)->Unit(benchmark::kMillisecond);

// A full repaint of an 800 x 600 window holding 200 children (a 20 x 10 grid).
void BM_RepaintTree(benchmark::State& state) {
  Register(u"BenchPainting", Painting);
  HWND top = CreateWindowExW(0, u"BenchPainting", u"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, 600,
                             nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(top, GWLP_USERDATA, COLOR_3DFACE);
  for (int i = 0; i < 200; ++i) {
    HWND child = CreateWindowExW(WS_EX_CLIENTEDGE, u"BenchPainting", u"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                 (i % 20) * 40, (i / 20) * 60, 38, 58, top, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(child, GWLP_USERDATA, i % 2 ? COLOR_WINDOW : COLOR_INFOBK);
  }
  for (auto _ : state) {
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  DestroyWindow(top);
}
BENCHMARK(BM_RepaintTree)->Unit(benchmark::kMillisecond);

}  // namespace
