// The user-interface test API: drives windows as a person would (find a
// window, click, double-click, drag, turn the wheel, type), runs the calling
// thread's queue until nothing is left, moves the layer's virtual clock so
// timers fire without sleeping, and saves a window or the screen as PNG.
// Linked into tests only. Everything runs on the calling thread and is
// deterministic: no call waits for real time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/user/input_events.h"
#include "platform/win.h"

namespace uitest {

// While one lives, the layer's clock stands still at `start` and moves only
// through Advance (or AdvanceClock); the real clock comes back afterwards.
class VirtualClock {
 public:
  explicit VirtualClock(DWORD start = 1000);
  ~VirtualClock();
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;
  // Moves the clock and runs the queue: due timers fire once each.
  void Advance(DWORD milliseconds);
};

// Reads and dispatches (after TranslateMessage) every message of the calling
// thread's queue, WM_PAINT and due WM_TIMER included, until none is left.
// Returns how many were dispatched; stops after `limit` (a window that keeps
// posting to itself would otherwise never let go).
int RunUntilIdle(int limit = 100000);
void AdvanceClock(DWORD milliseconds);
// Moves the virtual clock without running the queue.
void MoveClock(DWORD milliseconds);

// A top-level window of a test's own class, registered on first use: `proc`
// handles its messages, `background` is a system colour index (negative for
// no background brush). Placed at x, y in screen coordinates.
struct TestWindowClass {
  const char16_t* name;
  WNDPROC proc;
  int background = COLOR_3DFACE;
  HICON icon = nullptr;
};
// Registers the class unless the test registered it before; false on failure.
bool RegisterTestClass(const TestWindowClass& windowClass);
HWND CreateTestWindow(const TestWindowClass& windowClass, const char16_t* title, DWORD style, int x, int y, int width,
                      int height);

// Windows: by class name, by control id under a parent, by text; `under`
// null searches every top-level window and its descendants. Null when none.
HWND FindByClass(std::string_view className, HWND under = nullptr);
HWND FindById(HWND parent, int id);
HWND FindByText(std::string_view text, HWND under = nullptr);

// Mouse actions at a point of a window's client area (its centre when none
// is given); each runs the queue afterwards.
POINT Centre(HWND window);
void MoveMouse(HWND window, POINT client);
void Click(HWND window, POINT client, user::MouseButton button = user::MouseButton::Left);
void Click(HWND window);
void DoubleClick(HWND window, POINT client);
// A button pressed and held (for auto-repeat on the virtual clock), and let go.
void MouseDown(HWND window, POINT client, user::MouseButton button = user::MouseButton::Left);
void MouseUp(HWND window, POINT client, user::MouseButton button = user::MouseButton::Left);
// Presses at `from`, moves in `steps` steps to `to` and lets go there.
void Drag(HWND window, POINT from, POINT to, int steps = 4);
// Mouse actions at a point of the screen (for non-client parts).
void ClickScreen(POINT screen);
void DragScreen(POINT from, POINT to, int steps = 4);
// Wheel notches (positive away from the user) over a window.
void Wheel(HWND window, int notches);

// Keys: a press and release of a virtual key, with Shift/Ctrl/Alt held
// around it as asked; text typed character by character (keys where the
// keyboard has them, else as characters from an input method).
void Key(int virtualKey, bool shift = false, bool control = false, bool alt = false);
void KeyDown(int virtualKey);
void KeyUp(int virtualKey);
void TypeText(std::u16string_view text);
void TypeText(std::string_view utf8);

// Pixels: a window's part of its top-level surface (whole window, frame
// included), as 0x00RRGGBB rows top to bottom.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Picture CaptureWindow(HWND window);
// The screen: the desktop colour with the visible top-level windows on it in Z order.
Picture CaptureScreen();
// The colour of a pixel of a window's client area, as a COLORREF.
COLORREF ClientPixel(HWND window, int x, int y);
bool SavePng(const Picture& picture, const std::string& path);
bool SaveWindowPng(HWND window, const std::string& path);
bool SaveScreenPng(const std::string& path);

}  // namespace uitest
