// The tooltip control (tooltips_class32): tools are rectangles of a window or
// whole windows; mouse messages relayed to it (TTM_RELAYEVENT, or seen
// through TTF_SUBCLASS) show a tool's tip after the initial delay and take it
// away after the pop-up delay, on the layer's clock. Text given as
// LPSTR_TEXTCALLBACK is asked of the tool's window with TTN_GETDISPINFO.
#pragma once

#include "platform/comctl/comctl_common.h"

inline constexpr DWORD TTS_ALWAYSTIP = 0x01, TTS_NOPREFIX = 0x02, TTS_NOANIMATE = 0x10, TTS_NOFADE = 0x20,
                       TTS_BALLOON = 0x40, TTS_CLOSE = 0x80;
inline constexpr UINT TTF_IDISHWND = 0x0001, TTF_CENTERTIP = 0x0002, TTF_RTLREADING = 0x0004,
                      TTF_SUBCLASS = 0x0010, TTF_TRACK = 0x0020, TTF_ABSOLUTE = 0x0080, TTF_TRANSPARENT = 0x0100,
                      TTF_PARSELINKS = 0x1000, TTF_DI_SETITEM = 0x8000;
inline constexpr WPARAM TTDT_AUTOMATIC = 0, TTDT_RESHOW = 1, TTDT_AUTOPOP = 2, TTDT_INITIAL = 3;

inline constexpr UINT TTM_ACTIVATE = WM_USER + 1, TTM_SETDELAYTIME = WM_USER + 3, TTM_ADDTOOLA = WM_USER + 4,
                      TTM_DELTOOLA = WM_USER + 5, TTM_NEWTOOLRECTA = WM_USER + 6, TTM_RELAYEVENT = WM_USER + 7,
                      TTM_GETTOOLINFOA = WM_USER + 8, TTM_SETTOOLINFOA = WM_USER + 9, TTM_HITTESTA = WM_USER + 10,
                      TTM_GETTEXTA = WM_USER + 11, TTM_UPDATETIPTEXTA = WM_USER + 12,
                      TTM_GETTOOLCOUNT = WM_USER + 13, TTM_ENUMTOOLSA = WM_USER + 14,
                      TTM_GETCURRENTTOOLA = WM_USER + 15, TTM_WINDOWFROMPOINT = WM_USER + 16,
                      TTM_TRACKACTIVATE = WM_USER + 17, TTM_TRACKPOSITION = WM_USER + 18,
                      TTM_SETTIPBKCOLOR = WM_USER + 19, TTM_SETTIPTEXTCOLOR = WM_USER + 20,
                      TTM_GETDELAYTIME = WM_USER + 21, TTM_GETTIPBKCOLOR = WM_USER + 22,
                      TTM_GETTIPTEXTCOLOR = WM_USER + 23, TTM_SETMAXTIPWIDTH = WM_USER + 24,
                      TTM_GETMAXTIPWIDTH = WM_USER + 25, TTM_SETMARGIN = WM_USER + 26, TTM_GETMARGIN = WM_USER + 27,
                      TTM_POP = WM_USER + 28, TTM_UPDATE = WM_USER + 29, TTM_POPUP = WM_USER + 34,
                      TTM_ADDTOOLW = WM_USER + 50, TTM_DELTOOLW = WM_USER + 51, TTM_NEWTOOLRECTW = WM_USER + 52,
                      TTM_GETTOOLINFOW = WM_USER + 53, TTM_SETTOOLINFOW = WM_USER + 54, TTM_HITTESTW = WM_USER + 55,
                      TTM_GETTEXTW = WM_USER + 56, TTM_UPDATETIPTEXTW = WM_USER + 57, TTM_ENUMTOOLSW = WM_USER + 58,
                      TTM_GETCURRENTTOOLW = WM_USER + 59;

inline constexpr UINT TTN_GETDISPINFOA = TTN_FIRST - 0, TTN_GETDISPINFOW = TTN_FIRST - 10, TTN_SHOW = TTN_FIRST - 1,
                      TTN_POP = TTN_FIRST - 2, TTN_LINKCLICK = TTN_FIRST - 3;
inline constexpr UINT TTN_NEEDTEXTA = TTN_GETDISPINFOA, TTN_NEEDTEXTW = TTN_GETDISPINFOW;


struct TTTOOLINFOW {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;       // the window that holds the tool (and gets TTN_GETDISPINFO)
  UINT_PTR uId;    // the tool's id, or with TTF_IDISHWND the tool's window
  RECT rect;       // in hwnd's client coordinates (not with TTF_IDISHWND)
  HINSTANCE hinst; // with an integer lpszText: the module of the string resource
  LPWSTR lpszText;
  LPARAM lParam;
  void* lpReserved;
};
struct TTTOOLINFOA {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPSTR lpszText;
  LPARAM lParam;
  void* lpReserved;
};
using LPTTTOOLINFOW = TTTOOLINFOW*;
using LPTTTOOLINFOA = TTTOOLINFOA*;
using TOOLINFOW = TTTOOLINFOW;
using TOOLINFOA = TTTOOLINFOA;

struct TTHITTESTINFOW {
  HWND hwnd;
  POINT pt;
  TTTOOLINFOW ti;
};
struct TTHITTESTINFOA {
  HWND hwnd;
  POINT pt;
  TTTOOLINFOA ti;
};

struct NMTTDISPINFOW {
  NMHDR hdr;
  LPWSTR lpszText;
  WCHAR szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
};
struct NMTTDISPINFOA {
  NMHDR hdr;
  LPSTR lpszText;
  char szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
};
using TOOLTIPTEXTW = NMTTDISPINFOW;
using TOOLTIPTEXTA = NMTTDISPINFOA;
using LPNMTTDISPINFOW = NMTTDISPINFOW*;
using LPNMTTDISPINFOA = NMTTDISPINFOA*;

// Sound behaviour where the documented calls give no buffer size:
// TTM_GETTEXT copies at most wParam units (a wParam of 0, the message's older
// form, means 80);
// TTM_GETTOOLINFO, TTM_ENUMTOOLS and TTM_HITTEST copy a tool's text into the
// caller's lpszText only up to 80 units with the terminating zero (the size
// of the notification's own buffer), and leave lpszText alone when it is null.
