// The procedures of the standard controls, installed for their system
// classes when the layer loads (control_classes.cpp).
#pragma once

#include "platform/user/controls/controls.h"

namespace controls {

LRESULT ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ScrollBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace controls
