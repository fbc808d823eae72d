// The multiple-document interface: the MDIClient class holds the document
// windows (MDI children) of a frame, activates, cycles, maximises, restores,
// cascades and tiles them, and keeps the list of them in the frame's window
// menu. DefFrameProc and DefMDIChildProc do the frame's and the children's part.
#pragma once

#include "platform/user/menus/menus.h"
#include "platform/user/user.h"

inline constexpr UINT WM_MDIRESTORE = 0x0223, WM_MDINEXT = 0x0224, WM_MDIMAXIMIZE = 0x0225, WM_MDITILE = 0x0226,
                      WM_MDICASCADE = 0x0227, WM_MDIICONARRANGE = 0x0228, WM_MDIGETACTIVE = 0x0229,
                      WM_MDISETMENU = 0x0230, WM_MDIREFRESHMENU = 0x0234;
inline constexpr UINT MDITILE_VERTICAL = 0x0, MDITILE_HORIZONTAL = 0x1, MDITILE_SKIPDISABLED = 0x2;

struct CLIENTCREATESTRUCT {
  HANDLE hWindowMenu;
  UINT idFirstChild;
};

struct MDICREATESTRUCTW {
  LPCWSTR szClass;
  LPCWSTR szTitle;
  HANDLE hOwner;
  int x;
  int y;
  int cx;
  int cy;
  DWORD style;
  LPARAM lParam;
};

LRESULT DefFrameProcW(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefMDIChildProcW(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
// The documents' keys: Ctrl+F6 (or Ctrl+Tab) goes to the next document,
// with Shift to the previous one, and Ctrl+F4 closes the active one, each as
// the window command the active document is sent. TRUE when the message was
// one of them and is used up.
BOOL TranslateMDISysAccel(HWND client, const MSG* msg);
HWND CreateMDIWindowW(LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width, int height, HWND client,
                      HINSTANCE instance, LPARAM param);

// The same for A windows: the MDI-specific messages carry no text and go to
// the W procedures; everything else (titles included) to DefWindowProcA, so
// an A frame or child keeps its text in its own code page.
LRESULT DefFrameProcA(HWND frame, HWND client, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefMDIChildProcA(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
