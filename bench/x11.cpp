// Frames per second of a full-window repaint at 1280 x 800 put on an X
// server (its own Xvfb), through the shared-memory extension and without it
// (as on a remote display). A frame: the window paints all of itself, the
// display copies the surface into its image and puts it on the screen, and
// the server has finished with it.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/display/display.h"
#include "platform/win.h"
#include "tests/platform/x11/x11_server.h"
// The back-end's insides (and Xlib's macros) last.
#include "platform/display/x11/x11_display.h"

namespace {

constexpr int kWidth = 1280, kHeight = 800;

LRESULT FrameProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    static int frame = 0;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    ++frame;
    HBRUSH b = CreateSolidBrush(RGB(frame & 0xFF, (frame * 3) & 0xFF, 128));
    FillRect(dc, &ps.rcPaint, b);
    DeleteObject(b);
    EndPaint(w, &ps);
    return 0;
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

void Repaint(benchmark::State& state, bool sharedMemory) {
  x11test::Server::Options options;
  options.width = 1600;
  options.height = 1000;
  x11test::Server server(options);
  std::string error;
  auto d = server.Running() ? display::OpenX11(server.Name().c_str(), error, sharedMemory) : nullptr;
  if (!d) {
    state.SkipWithError(("no X server: " + error).c_str());
    return;
  }
  auto* x11 = static_cast<display::x11::X11Display*>(d.get());
  if (x11->UsesSharedMemory() != sharedMemory) {
    state.SkipWithError("the server does not offer shared memory");
    return;
  }
  display::Install(std::move(d));
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = u"TavBenchX11Frame";
    return RegisterClassExW(&wc);
  }();
  (void)atom;
  HWND w = CreateWindowExW(0, u"TavBenchX11Frame", u"Frame", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr,
                           nullptr, nullptr, nullptr);
  for (auto _ : state) {
    InvalidateRect(w, nullptr, FALSE);
    UpdateWindow(w);
    display::Current().Pump();
    XSync(x11->Connection(), False);
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  DestroyWindow(w);
  display::Install(nullptr);
}

void BM_FullRepaintSharedMemory(benchmark::State& state) { Repaint(state, true); }
void BM_FullRepaintPlainRequests(benchmark::State& state) { Repaint(state, false); }
BENCHMARK(BM_FullRepaintSharedMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullRepaintPlainRequests)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
