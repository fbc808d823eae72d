// Device input into the window system: what a display back-end (or the test
// API standing in for a person) reports. Each call does what the device event
// does on the desktop: it moves the cursor, hit-tests (WM_NCHITTEST), applies
// capture, activates on a click (WM_MOUSEACTIVATE), sets the cursor
// (WM_SETCURSOR), makes double clicks for CS_DBLCLKS classes, keeps the key
// state, and posts the input message to the owner of the window concerned.
// Each event is read by the thread of the windows it is for (the foreground
// window's for keys, the window under the pointer's or the captured one's
// for the mouse), whichever thread reports it.
#pragma once

#include <string_view>

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
// The pointer left the process's windows (WM_MOUSELEAVE to a tracking window).
void DeviceMouseLeft();
// The desktop activated one of the process's top-level windows, or gave the
// activation to another program (WM_ACTIVATE WA_INACTIVE, WM_ACTIVATEAPP).
void DeviceActivated(HWND window);
void DeviceDeactivated();
// The input method's text being composed (the caret inside it; empty text
// cancels the composition), and the text it gives at the end: the focus
// window hears WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION and
// WM_IME_ENDCOMPOSITION, and reads the text with ImmGetCompositionStringW.
void DeviceComposition(std::u16string_view text, int caret);
void DeviceCompositionResult(std::u16string_view text);

}  // namespace user
