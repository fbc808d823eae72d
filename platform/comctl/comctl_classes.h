// The procedures of the common controls, installed for their system classes
// when the layer loads (comctl_classes.cpp).
#pragma once

#include "platform/win.h"

namespace comctl {

LRESULT ToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StatusBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TooltipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace comctl
