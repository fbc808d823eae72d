// Display back-ends: where top-level windows' surfaces go. The window system
// tells the current back-end when a top-level window is placed, shown or
// hidden, destroyed, and which part of its surface changed. The headless
// back-end (the default, and always in tests) keeps a virtual screen of fixed
// size at 96 dpi and records what it is told; an X11 back-end will put the
// surfaces on a real screen. Back-ends know nothing of the layers above.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "platform/kernel/types.h"

namespace display {

class Display {
 public:
  virtual ~Display() = default;
  virtual const char* Name() const = 0;
  virtual SIZE ScreenSize() const = 0;
  // A top-level window's rectangle on the screen and whether it is shown.
  virtual void WindowPlaced(HWND window, const RECT& screenRect, bool shown) = 0;
  virtual void WindowDestroyed(HWND window) = 0;
  // Part of a top-level window's surface changed (surface coordinates).
  virtual void SurfaceChanged(HWND window, const RECT& surfaceRect) = 0;
};

// What the headless display knows of a top-level window.
struct HeadlessWindow {
  HWND window = nullptr;
  RECT screenRect{};
  bool shown = false;
  RECT damage{};  // changed parts since the last TakeDamage, their union
};

class HeadlessDisplay final : public Display {
 public:
  const char* Name() const override { return "headless"; }
  SIZE ScreenSize() const override;
  void WindowPlaced(HWND window, const RECT& screenRect, bool shown) override;
  void WindowDestroyed(HWND window) override;
  void SurfaceChanged(HWND window, const RECT& surfaceRect) override;
  // The windows it knows, and the damage of one (cleared by taking it).
  std::vector<HeadlessWindow> Windows() const;
  RECT TakeDamage(HWND window);

 private:
  HeadlessWindow& Entry(HWND window);
  mutable std::mutex mutex_;
  std::vector<HeadlessWindow> windows_;
};

// The back-end in use: headless unless another was installed.
Display& Current();
// Installs a back-end (tests and start-up); null puts back the headless one.
void Install(std::unique_ptr<Display> display);
// The headless back-end when it is the current one, else null.
HeadlessDisplay* Headless();

}  // namespace display
