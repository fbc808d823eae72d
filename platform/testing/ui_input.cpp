// The test API's hands: mouse and keyboard actions through the device input
// entry points, as a display back-end would report them.
#include <algorithm>

#include "platform/testing/ui.h"

namespace uitest {
namespace {

POINT ToScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

void Step(POINT from, POINT to, int steps) {
  steps = std::max(steps, 1);
  for (int i = 1; i <= steps; ++i) {
    user::DeviceMouseMove(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  }
}

}  // namespace

POINT Centre(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return POINT{r.right / 2, r.bottom / 2};
}

void MoveMouse(HWND window, POINT client) {
  user::DeviceMouseMove(ToScreen(window, client));
  RunUntilIdle();
}

void Click(HWND window, POINT client, user::MouseButton button) {
  const POINT p = ToScreen(window, client);
  user::DeviceMouseMove(p);
  user::DeviceMouseButton(button, true, p);
  user::DeviceMouseButton(button, false, p);
  RunUntilIdle();
}

void Click(HWND window) { Click(window, Centre(window)); }

void MouseDown(HWND window, POINT client, user::MouseButton button) {
  const POINT p = ToScreen(window, client);
  user::DeviceMouseMove(p);
  user::DeviceMouseButton(button, true, p);
  RunUntilIdle();
}

void MouseUp(HWND window, POINT client, user::MouseButton button) {
  const POINT p = ToScreen(window, client);
  user::DeviceMouseButton(button, false, p);
  RunUntilIdle();
}

void DoubleClick(HWND window, POINT client) {
  const POINT p = ToScreen(window, client);
  user::DeviceMouseMove(p);
  for (int i = 0; i < 2; ++i) {
    user::DeviceMouseButton(user::MouseButton::Left, true, p);
    user::DeviceMouseButton(user::MouseButton::Left, false, p);
  }
  RunUntilIdle();
}

void ClickScreen(POINT screen) {
  user::DeviceMouseMove(screen);
  user::DeviceMouseButton(user::MouseButton::Left, true, screen);
  user::DeviceMouseButton(user::MouseButton::Left, false, screen);
  RunUntilIdle();
}

void DragScreen(POINT from, POINT to, int steps) {
  user::DeviceMouseMove(from);
  user::DeviceMouseButton(user::MouseButton::Left, true, from);
  // Device events become messages when read, so the capture the press takes
  // (or a tracking loop it starts) gets the moves that follow.
  Step(from, to, steps);
  user::DeviceMouseButton(user::MouseButton::Left, false, to);
  RunUntilIdle();
}

void Drag(HWND window, POINT from, POINT to, int steps) {
  DragScreen(ToScreen(window, from), ToScreen(window, to), steps);
}

void Wheel(HWND window, int notches) {
  const POINT p = ToScreen(window, Centre(window));
  user::DeviceMouseMove(p);
  user::DeviceMouseWheel(p, notches * WHEEL_DELTA, false);
  RunUntilIdle();
}

void KeyDown(int virtualKey) { user::DeviceKey(virtualKey, true); }
void KeyUp(int virtualKey) { user::DeviceKey(virtualKey, false); }

void Key(int virtualKey, bool shift, bool control, bool alt) {
  if (shift) KeyDown(VK_SHIFT);
  if (control) KeyDown(VK_CONTROL);
  if (alt) KeyDown(VK_MENU);
  KeyDown(virtualKey);
  KeyUp(virtualKey);
  if (alt) KeyUp(VK_MENU);
  if (control) KeyUp(VK_CONTROL);
  if (shift) KeyUp(VK_SHIFT);
  RunUntilIdle();
}

void TypeText(std::u16string_view text) {
  for (char16_t c : text) {
    const SHORT scan = VkKeyScanW(c);
    if (scan == -1) {
      user::DeviceChar(c);
      continue;
    }
    const bool shift = (scan & 0x100) != 0;
    if (shift) KeyDown(VK_SHIFT);
    KeyDown(scan & 0xFF);
    KeyUp(scan & 0xFF);
    if (shift) KeyUp(VK_SHIFT);
  }
  RunUntilIdle();
}

void TypeText(std::string_view utf8) {
  std::u16string wide(utf8.size(), u'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                                    static_cast<int>(wide.size()));
  wide.resize(static_cast<size_t>(std::max(n, 0)));
  TypeText(std::u16string_view(wide));
}

}  // namespace uitest
