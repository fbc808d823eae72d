// The up-down control (msctls_updown32): two arrows that move a position in
// a range, in steps that grow the longer an arrow is held (UDM_SETACCEL, on
// the layer's clock), with an optional buddy window whose text shows the
// position. Each step asks the parent first (UDN_DELTAPOS, refused by a
// non-zero answer), then sends it WM_VSCROLL (WM_HSCROLL with UDS_HORZ) with
// SB_THUMBPOSITION; letting go sends SB_ENDSCROLL.
#pragma once

#include "platform/comctl/comctl_common.h"

inline constexpr DWORD UDS_WRAP = 0x0001, UDS_SETBUDDYINT = 0x0002, UDS_ALIGNRIGHT = 0x0004,
                       UDS_ALIGNLEFT = 0x0008, UDS_AUTOBUDDY = 0x0010, UDS_ARROWKEYS = 0x0020, UDS_HORZ = 0x0040,
                       UDS_NOTHOUSANDS = 0x0080, UDS_HOTTRACK = 0x0100;
inline constexpr int UD_MAXVAL = 0x7FFF, UD_MINVAL = -UD_MAXVAL;

inline constexpr UINT UDM_SETRANGE = WM_USER + 101, UDM_GETRANGE = WM_USER + 102, UDM_SETPOS = WM_USER + 103,
                      UDM_GETPOS = WM_USER + 104, UDM_SETBUDDY = WM_USER + 105, UDM_GETBUDDY = WM_USER + 106,
                      UDM_SETACCEL = WM_USER + 107, UDM_GETACCEL = WM_USER + 108, UDM_SETBASE = WM_USER + 109,
                      UDM_GETBASE = WM_USER + 110, UDM_SETRANGE32 = WM_USER + 111, UDM_GETRANGE32 = WM_USER + 112,
                      UDM_SETPOS32 = WM_USER + 113, UDM_GETPOS32 = WM_USER + 114;
inline constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;

struct UDACCEL {
  UINT nSec;  // seconds after the press from which this step applies
  UINT nInc;
};
using LPUDACCEL = UDACCEL*;

struct NMUPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
};
using LPNMUPDOWN = NMUPDOWN*;
using NM_UPDOWN = NMUPDOWN;

HWND CreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id, HINSTANCE instance,
                         HWND buddy, int upper, int lower, int pos);
