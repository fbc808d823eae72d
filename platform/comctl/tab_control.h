// The tab control (SysTabControl32): a row of tabs with text and images above
// a display area. Selecting a tab with the mouse or the arrow keys asks the
// parent first (TCN_SELCHANGING, which may refuse by answering TRUE) and tells
// it afterwards (TCN_SELCHANGE); TCM_SETCURSEL selects without a word. When
// the tabs of a single-line control do not fit, an up-down control with
// left and right arrows scrolls them. TCS_OWNERDRAWFIXED tabs are drawn by
// the parent (WM_DRAWITEM, CtlType ODT_TAB).
#pragma once

#include "platform/comctl/comctl_common.h"
#include "platform/comctl/image_list.h"

inline constexpr DWORD TCS_SCROLLOPPOSITE = 0x0001, TCS_BOTTOM = 0x0002, TCS_RIGHT = 0x0002,
                       TCS_MULTISELECT = 0x0004, TCS_FLATBUTTONS = 0x0008, TCS_FORCEICONLEFT = 0x0010,
                       TCS_FORCELABELLEFT = 0x0020, TCS_HOTTRACK = 0x0040, TCS_VERTICAL = 0x0080, TCS_TABS = 0x0000,
                       TCS_BUTTONS = 0x0100, TCS_SINGLELINE = 0x0000, TCS_MULTILINE = 0x0200,
                       TCS_RIGHTJUSTIFY = 0x0000, TCS_FIXEDWIDTH = 0x0400, TCS_RAGGEDRIGHT = 0x0800,
                       TCS_FOCUSONBUTTONDOWN = 0x1000, TCS_OWNERDRAWFIXED = 0x2000, TCS_TOOLTIPS = 0x4000,
                       TCS_FOCUSNEVER = 0x8000;

inline constexpr UINT TCM_FIRST = 0x1300;
inline constexpr UINT TCM_GETIMAGELIST = TCM_FIRST + 2, TCM_SETIMAGELIST = TCM_FIRST + 3,
                      TCM_GETITEMCOUNT = TCM_FIRST + 4, TCM_GETITEMA = TCM_FIRST + 5, TCM_SETITEMA = TCM_FIRST + 6,
                      TCM_INSERTITEMA = TCM_FIRST + 7, TCM_DELETEITEM = TCM_FIRST + 8,
                      TCM_DELETEALLITEMS = TCM_FIRST + 9, TCM_GETITEMRECT = TCM_FIRST + 10,
                      TCM_GETCURSEL = TCM_FIRST + 11, TCM_SETCURSEL = TCM_FIRST + 12, TCM_HITTEST = TCM_FIRST + 13,
                      TCM_SETITEMEXTRA = TCM_FIRST + 14, TCM_ADJUSTRECT = TCM_FIRST + 40,
                      TCM_SETITEMSIZE = TCM_FIRST + 41, TCM_REMOVEIMAGE = TCM_FIRST + 42,
                      TCM_SETPADDING = TCM_FIRST + 43, TCM_GETROWCOUNT = TCM_FIRST + 44,
                      TCM_GETTOOLTIPS = TCM_FIRST + 45, TCM_SETTOOLTIPS = TCM_FIRST + 46,
                      TCM_GETCURFOCUS = TCM_FIRST + 47, TCM_SETCURFOCUS = TCM_FIRST + 48,
                      TCM_SETMINTABWIDTH = TCM_FIRST + 49, TCM_DESELECTALL = TCM_FIRST + 50,
                      TCM_HIGHLIGHTITEM = TCM_FIRST + 51, TCM_SETEXTENDEDSTYLE = TCM_FIRST + 52,
                      TCM_GETEXTENDEDSTYLE = TCM_FIRST + 53, TCM_GETITEMW = TCM_FIRST + 60,
                      TCM_SETITEMW = TCM_FIRST + 61, TCM_INSERTITEMW = TCM_FIRST + 62;

inline constexpr UINT TCN_KEYDOWN = TCN_FIRST - 0, TCN_SELCHANGE = TCN_FIRST - 1, TCN_SELCHANGING = TCN_FIRST - 2,
                      TCN_GETOBJECT = TCN_FIRST - 3, TCN_FOCUSCHANGE = TCN_FIRST - 4;

inline constexpr UINT TCIF_TEXT = 0x01, TCIF_IMAGE = 0x02, TCIF_RTLREADING = 0x04, TCIF_PARAM = 0x08,
                      TCIF_STATE = 0x10;
inline constexpr DWORD TCIS_BUTTONPRESSED = 0x01, TCIS_HIGHLIGHTED = 0x02;
inline constexpr UINT TCHT_NOWHERE = 0x1, TCHT_ONITEMICON = 0x2, TCHT_ONITEMLABEL = 0x4,
                      TCHT_ONITEM = TCHT_ONITEMICON | TCHT_ONITEMLABEL;
inline constexpr UINT ODT_TAB = 101;

struct TCITEMW {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  LPWSTR pszText;
  int cchTextMax;  // the size of pszText when getting an item
  int iImage;
  LPARAM lParam;   // or, after TCM_SETITEMEXTRA, that many bytes of the application's own
};
struct TCITEMA {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
};
using LPTCITEMW = TCITEMW*;
using LPTCITEMA = TCITEMA*;
using TC_ITEMW = TCITEMW;
using TC_ITEMA = TCITEMA;

struct TCHITTESTINFO {
  POINT pt;
  UINT flags;
};
using LPTCHITTESTINFO = TCHITTESTINFO*;

struct NMTCKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};
