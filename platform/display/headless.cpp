// The headless display: a virtual screen that records where windows are and
// what of their surfaces changed; nothing leaves the process.
#include <algorithm>
#include <atomic>
#include <utility>

#include "platform/display/display.h"
#include "platform/gdi/gdi_internal.h"

namespace display {
namespace {

struct Installed {
  std::mutex mutex;
  std::unique_ptr<Display> display = std::make_unique<HeadlessDisplay>();
};
Installed& Slot() {
  static auto* slot = new Installed;
  return *slot;
}

RECT Union(const RECT& a, const RECT& b) {
  if (a.right <= a.left || a.bottom <= a.top) return b;
  if (b.right <= b.left || b.bottom <= b.top) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

}  // namespace

SIZE HeadlessDisplay::ScreenSize() const { return SIZE{gdi::kScreenWidth, gdi::kScreenHeight}; }

// The whole screen but a task bar's height at the bottom.
RECT HeadlessDisplay::WorkArea() const { return RECT{0, 0, gdi::kScreenWidth, gdi::kScreenHeight - 30}; }

HeadlessWindow& HeadlessDisplay::Entry(HWND window) {
  for (auto& w : windows_)
    if (w.window == window) return w;
  windows_.push_back(HeadlessWindow{window, {}, false, {}});
  return windows_.back();
}

void HeadlessDisplay::WindowPlaced(HWND window, const RECT& screenRect, bool shown) {
  std::lock_guard lock(mutex_);
  HeadlessWindow& w = Entry(window);
  w.screenRect = screenRect;
  w.shown = shown;
}

void HeadlessDisplay::WindowDestroyed(HWND window) {
  std::lock_guard lock(mutex_);
  windows_.erase(std::remove_if(windows_.begin(), windows_.end(), [&](const auto& w) { return w.window == window; }),
                 windows_.end());
}

void HeadlessDisplay::SurfaceChanged(HWND window, const std::shared_ptr<gdi::Bitmap>&, const RECT& surfaceRect) {
  std::lock_guard lock(mutex_);
  HeadlessWindow& w = Entry(window);
  w.damage = Union(w.damage, surfaceRect);
}

std::vector<HeadlessWindow> HeadlessDisplay::Windows() const {
  std::lock_guard lock(mutex_);
  return windows_;
}

RECT HeadlessDisplay::TakeDamage(HWND window) {
  std::lock_guard lock(mutex_);
  for (auto& w : windows_)
    if (w.window == window) return std::exchange(w.damage, RECT{});
  return RECT{};
}

Display& Current() {
  std::lock_guard lock(Slot().mutex);
  return *Slot().display;
}

void Install(std::unique_ptr<Display> display) {
  std::lock_guard lock(Slot().mutex);
  Slot().display = display ? std::move(display) : std::make_unique<HeadlessDisplay>();
  // The drawing layer's screen (HORZRES, VERTRES) is the display's.
  gdi::SetScreenSize(Slot().display->ScreenSize());
}

HeadlessDisplay* Headless() { return dynamic_cast<HeadlessDisplay*>(&Current()); }

namespace {
std::atomic<Sink*> g_sink{nullptr};
}  // namespace

void SetSink(Sink* sink) { g_sink.store(sink); }
Sink* CurrentSink() { return g_sink.load(); }

}  // namespace display
