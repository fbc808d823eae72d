// The procedures of the common controls, installed for their system classes
// when the layer loads (comctl_classes.cpp).
#pragma once

#include "platform/comctl/comctl_common.h"
#include "platform/gdi/gdi.h"
#include "platform/nls/nls.h"
#include "platform/resource/resource.h"
#include "platform/user/controls/controls.h"

namespace comctl {

LRESULT ToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StatusBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TooltipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TabProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT UpDownProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace comctl
