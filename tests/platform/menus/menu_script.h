// What a person does in a menu test, step by step: each time the menu loop
// waits for input (WM_ENTERIDLE) the owner takes the next step; with none
// left it presses Esc, and the test sees that it got stuck.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/win.h"

namespace menutest {

extern std::vector<std::string> seen;  // what the owner saw, by name
// The steps; each gets the popup shown, or null on the menu bar.
extern std::deque<std::function<void(HWND)>> script;
extern int stuck;  // idle with no step left (Esc gets out, up to 8 times)

// A key pressed and let go.
void Tap(int key);
// The owner's WM_ENTERIDLE from a menu loop (MSGF_MENU); `popup` is its lParam.
void TakeNextStep(HWND popup);

}  // namespace menutest
