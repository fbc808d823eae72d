// The progress bar (msctls_progress32): a position in a range shown as a row
// of blocks (PBS_SMOOTH: one bar), across or, with PBS_VERTICAL, up.
#pragma once

#include "platform/comctl/comctl_common.h"

inline constexpr DWORD PBS_SMOOTH = 0x01, PBS_VERTICAL = 0x04, PBS_MARQUEE = 0x08;
inline constexpr UINT PBM_SETRANGE = WM_USER + 1, PBM_SETPOS = WM_USER + 2, PBM_DELTAPOS = WM_USER + 3,
                      PBM_SETSTEP = WM_USER + 4, PBM_STEPIT = WM_USER + 5, PBM_SETRANGE32 = WM_USER + 6,
                      PBM_GETRANGE = WM_USER + 7, PBM_GETPOS = WM_USER + 8, PBM_SETBARCOLOR = WM_USER + 9,
                      PBM_SETMARQUEE = WM_USER + 10, PBM_GETSTEP = WM_USER + 13, PBM_GETBKCOLOR = WM_USER + 14,
                      PBM_GETBARCOLOR = WM_USER + 15, PBM_SETSTATE = WM_USER + 16, PBM_GETSTATE = WM_USER + 17,
                      PBM_SETBKCOLOR = CCM_SETBKCOLOR;
inline constexpr int PBST_NORMAL = 1, PBST_ERROR = 2, PBST_PAUSED = 3;

struct PBRANGE {
  int iLow;
  int iHigh;
};
using PPBRANGE = PBRANGE*;
