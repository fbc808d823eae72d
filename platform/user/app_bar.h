// The taskbar as the shell reports it (SHAppBarMessage), kept with the desktop. The taskbar is the
// top-level window of class "Shell_TrayWnd" when one exists; a desktop
// without one has no taskbar, and the query fails.
#pragma once

#include "platform/user/user.h"

struct APPBARDATA {
  DWORD cbSize;
  HWND hWnd;
  UINT uCallbackMessage;
  UINT uEdge;
  RECT rc;
  LPARAM lParam;
};
using PAPPBARDATA = APPBARDATA*;

inline constexpr DWORD ABM_GETSTATE = 0x4, ABM_GETTASKBARPOS = 0x5;
inline constexpr UINT ABE_LEFT = 0, ABE_TOP = 1, ABE_RIGHT = 2, ABE_BOTTOM = 3;
inline constexpr UINT_PTR ABS_AUTOHIDE = 0x1, ABS_ALWAYSONTOP = 0x2;

// ABM_GETTASKBARPOS fills rc and uEdge (the screen edge the bar is nearest)
// and returns TRUE, or FALSE without a taskbar; ABM_GETSTATE returns 0 (a
// bar that neither hides nor stays on top) with one, else 0 too. Other
// messages are not supported and return 0.
UINT_PTR SHAppBarMessage(DWORD message, PAPPBARDATA data);
