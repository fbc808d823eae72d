// Device input into the window system: what a display back-end (or the test
// API standing in for a person) reports. Each call does what the device event
// does on the desktop: it moves the cursor, hit-tests (WM_NCHITTEST), applies
// capture, activates on a click (WM_MOUSEACTIVATE), sets the cursor
// (WM_SETCURSOR), makes double clicks for CS_DBLCLKS classes, keeps the key
// state, and posts the input message to the owner of the window concerned.
// Call them on the thread of the windows that should get the input.
#pragma once

#include "platform/kernel/types.h"

namespace user {

enum class MouseButton { Left, Right, Middle };

void DeviceMouseMove(POINT screen);
void DeviceMouseButton(MouseButton button, bool down, POINT screen);
// delta in WHEEL_DELTA units (120 a notch); goes to the window with the focus.
void DeviceMouseWheel(POINT screen, int delta, bool horizontal);
void DeviceKey(int virtualKey, bool down);
// A character from an input method: WM_CHAR to the window with the focus.
void DeviceChar(char16_t ch);

}  // namespace user
