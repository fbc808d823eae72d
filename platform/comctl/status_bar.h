// The status bar (msctls_statusbar32): up to 256 parts with text (a tab
// centres what follows it, a second tab right-aligns), icons, borders or
// none, owner-drawn parts (WM_DRAWITEM to the parent), a simple mode with one
// text of its own, a size grip, and tip texts (shown by a tooltip of its own
// with SBARS_TOOLTIPS when the pointer rests on the part). It places itself along the
// bottom of its parent (CCS_TOP: the top) when created and on WM_SIZE.
#pragma once

#include "platform/comctl/comctl_common.h"

inline constexpr DWORD SBARS_SIZEGRIP = 0x0100, SBARS_TOOLTIPS = 0x0800, SBT_TOOLTIPS = 0x0800;
// Drawing types, in the high byte of SB_SETTEXT's wParam.
inline constexpr UINT SBT_OWNERDRAW = 0x1000, SBT_NOBORDERS = 0x0100, SBT_POPOUT = 0x0200,
                      SBT_RTLREADING = 0x0400, SBT_NOTABPARSING = 0x0800;
inline constexpr WPARAM SB_SIMPLEID = 0x00FF;

inline constexpr UINT SB_SETTEXTA = WM_USER + 1, SB_GETTEXTA = WM_USER + 2, SB_GETTEXTLENGTHA = WM_USER + 3,
                      SB_SETPARTS = WM_USER + 4, SB_GETPARTS = WM_USER + 6, SB_GETBORDERS = WM_USER + 7,
                      SB_SETMINHEIGHT = WM_USER + 8, SB_SIMPLE = WM_USER + 9, SB_GETRECT = WM_USER + 10,
                      SB_SETTEXTW = WM_USER + 11, SB_GETTEXTLENGTHW = WM_USER + 12, SB_GETTEXTW = WM_USER + 13,
                      SB_ISSIMPLE = WM_USER + 14, SB_SETICON = WM_USER + 15, SB_SETTIPTEXTA = WM_USER + 16,
                      SB_SETTIPTEXTW = WM_USER + 17, SB_GETTIPTEXTA = WM_USER + 18, SB_GETTIPTEXTW = WM_USER + 19,
                      SB_GETICON = WM_USER + 20, SB_SETBKCOLOR = CCM_SETBKCOLOR;
inline constexpr UINT SBN_SIMPLEMODECHANGE = SBN_FIRST - 0;

// A status bar with one part holding `text`, at the bottom of `parent`.
HWND CreateStatusWindowW(LONG style, LPCWSTR text, HWND parent, UINT id);
HWND CreateStatusWindowA(LONG style, LPCSTR text, HWND parent, UINT id);

// Sound behaviour: SB_GETTEXT has no buffer size in its documented form;
// callers size the buffer from SB_GETTEXTLENGTH first. WM_GETTEXT (part 0)
// and SB_GETTIPTEXT (size in the high word of wParam) copy only what fits.
