// A test on a real X server: its own Xvfb (with or without a window
// manager), the X11 back-end installed on it for the test's duration, and
// helpers that run the queue until the server has answered everything.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "platform/testing/ui.h"
#include "platform/win.h"
#include "tests/platform/x11/x11_server.h"
// The back-end's insides (and Xlib's macros) last.
#include "platform/display/x11/x11_display.h"

namespace x11test {

class X11Fixture : public ::testing::Test {
 protected:
  void StartDesktop(bool windowManager, bool sharedMemory = true);
  void TearDown() override;

  // Runs the queue until the X server has no more to say: what was asked of
  // it is done and every event it sent is handled.
  void Settle();
  // Runs the queue (sleeping on the display and the queue, not polling)
  // until `done` holds or 30 s pass (a loaded machine's window manager is slow): for what a window manager does in its
  // own time.
  bool WaitUntil(const std::function<bool()>& done);
  // Runs xdotool with these arguments and settles.
  void Xdotool(const std::vector<std::string>& args);
  // Runs a tool that asks this process for something (the clipboard) while
  // the queue answers it; what the tool printed.
  std::string RunServed(const std::vector<std::string>& argv);

  // The X window's top-left corner on the screen.
  POINT XOrigin(HWND window);
  // Root window pixels against the window's surface in a screen rectangle:
  // how many differ.
  int DifferingPixels(HWND window, const RECT& screenPart);

  std::unique_ptr<Server> server_;
  display::x11::X11Display* x11_ = nullptr;
};

std::string PicturePath(const char* name);

}  // namespace x11test
