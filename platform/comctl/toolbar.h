// The toolbar control (ToolbarWindow32): buttons with images from bitmap
// strips or image lists, separators, check and check-group buttons, their
// enabled/checked/pressed/hidden/indeterminate states, flat style with hot
// tracking, text labels, and tooltips through a tooltip control it makes
// itself (TBSTYLE_TOOLTIPS) whose TTN_GETDISPINFO goes on to the parent with
// the button's command id. A click sends WM_COMMAND (id, BN_CLICKED) to the
// parent.
#pragma once

#include "platform/comctl/comctl_common.h"
#include "platform/comctl/image_list.h"

// Window styles
inline constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100, TBSTYLE_WRAPABLE = 0x0200, TBSTYLE_ALTDRAG = 0x0400,
                       TBSTYLE_FLAT = 0x0800, TBSTYLE_LIST = 0x1000, TBSTYLE_CUSTOMERASE = 0x2000,
                       TBSTYLE_REGISTERDROP = 0x4000, TBSTYLE_TRANSPARENT = 0x8000;
// Button styles
inline constexpr BYTE TBSTYLE_BUTTON = 0x00, TBSTYLE_SEP = 0x01, TBSTYLE_CHECK = 0x02, TBSTYLE_GROUP = 0x04,
                      TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK, TBSTYLE_DROPDOWN = 0x08,
                      TBSTYLE_AUTOSIZE = 0x10, TBSTYLE_NOPREFIX = 0x20;
inline constexpr BYTE BTNS_BUTTON = TBSTYLE_BUTTON, BTNS_SEP = TBSTYLE_SEP, BTNS_CHECK = TBSTYLE_CHECK,
                      BTNS_GROUP = TBSTYLE_GROUP, BTNS_CHECKGROUP = TBSTYLE_CHECKGROUP,
                      BTNS_DROPDOWN = TBSTYLE_DROPDOWN, BTNS_AUTOSIZE = TBSTYLE_AUTOSIZE,
                      BTNS_NOPREFIX = TBSTYLE_NOPREFIX, BTNS_SHOWTEXT = 0x40, BTNS_WHOLEDROPDOWN = 0x80;
// Extended styles (TB_SETEXTENDEDSTYLE)
inline constexpr DWORD TBSTYLE_EX_DRAWDDARROWS = 0x01, TBSTYLE_EX_MIXEDBUTTONS = 0x08,
                       TBSTYLE_EX_HIDECLIPPEDBUTTONS = 0x10, TBSTYLE_EX_DOUBLEBUFFER = 0x80;
// Button states
inline constexpr BYTE TBSTATE_CHECKED = 0x01, TBSTATE_PRESSED = 0x02, TBSTATE_ENABLED = 0x04,
                      TBSTATE_HIDDEN = 0x08, TBSTATE_INDETERMINATE = 0x10, TBSTATE_WRAP = 0x20,
                      TBSTATE_ELLIPSES = 0x40, TBSTATE_MARKED = 0x80;

inline constexpr UINT TB_ENABLEBUTTON = WM_USER + 1, TB_CHECKBUTTON = WM_USER + 2, TB_PRESSBUTTON = WM_USER + 3,
                      TB_HIDEBUTTON = WM_USER + 4, TB_INDETERMINATE = WM_USER + 5, TB_MARKBUTTON = WM_USER + 6,
                      TB_ISBUTTONENABLED = WM_USER + 9, TB_ISBUTTONCHECKED = WM_USER + 10,
                      TB_ISBUTTONPRESSED = WM_USER + 11, TB_ISBUTTONHIDDEN = WM_USER + 12,
                      TB_ISBUTTONINDETERMINATE = WM_USER + 13, TB_ISBUTTONHIGHLIGHTED = WM_USER + 14,
                      TB_SETSTATE = WM_USER + 17, TB_GETSTATE = WM_USER + 18, TB_ADDBITMAP = WM_USER + 19,
                      TB_ADDBUTTONSA = WM_USER + 20, TB_INSERTBUTTONA = WM_USER + 21, TB_DELETEBUTTON = WM_USER + 22,
                      TB_GETBUTTON = WM_USER + 23, TB_BUTTONCOUNT = WM_USER + 24, TB_COMMANDTOINDEX = WM_USER + 25,
                      TB_ADDSTRINGA = WM_USER + 28, TB_GETITEMRECT = WM_USER + 29,
                      TB_BUTTONSTRUCTSIZE = WM_USER + 30, TB_SETBUTTONSIZE = WM_USER + 31,
                      TB_SETBITMAPSIZE = WM_USER + 32, TB_AUTOSIZE = WM_USER + 33, TB_GETTOOLTIPS = WM_USER + 35,
                      TB_SETTOOLTIPS = WM_USER + 36, TB_SETPARENT = WM_USER + 37, TB_SETROWS = WM_USER + 39,
                      TB_GETROWS = WM_USER + 40, TB_SETCMDID = WM_USER + 42, TB_CHANGEBITMAP = WM_USER + 43,
                      TB_GETBITMAP = WM_USER + 44, TB_GETBUTTONTEXTA = WM_USER + 45, TB_REPLACEBITMAP = WM_USER + 46,
                      TB_SETINDENT = WM_USER + 47, TB_SETIMAGELIST = WM_USER + 48, TB_GETIMAGELIST = WM_USER + 49,
                      TB_GETRECT = WM_USER + 51, TB_SETHOTIMAGELIST = WM_USER + 52,
                      TB_GETHOTIMAGELIST = WM_USER + 53, TB_SETDISABLEDIMAGELIST = WM_USER + 54,
                      TB_GETDISABLEDIMAGELIST = WM_USER + 55, TB_SETSTYLE = WM_USER + 56, TB_GETSTYLE = WM_USER + 57,
                      TB_GETBUTTONSIZE = WM_USER + 58, TB_SETBUTTONWIDTH = WM_USER + 59,
                      TB_SETMAXTEXTROWS = WM_USER + 60, TB_GETTEXTROWS = WM_USER + 61,
                      TB_GETBUTTONINFOW = WM_USER + 63, TB_SETBUTTONINFOW = WM_USER + 64,
                      TB_GETBUTTONINFOA = WM_USER + 65, TB_SETBUTTONINFOA = WM_USER + 66,
                      TB_INSERTBUTTONW = WM_USER + 67, TB_ADDBUTTONSW = WM_USER + 68, TB_HITTEST = WM_USER + 69,
                      TB_GETHOTITEM = WM_USER + 71, TB_SETHOTITEM = WM_USER + 72,
                      TB_GETBUTTONTEXTW = WM_USER + 75, TB_ADDSTRINGW = WM_USER + 77,
                      TB_MOVEBUTTON = WM_USER + 82, TB_GETMAXSIZE = WM_USER + 83,
                      TB_SETEXTENDEDSTYLE = WM_USER + 84, TB_GETEXTENDEDSTYLE = WM_USER + 85,
                      TB_GETPADDING = WM_USER + 86, TB_SETPADDING = WM_USER + 87,
                      TB_GETITEMDROPDOWNRECT = WM_USER + 103;

// What the parent answers to TBN_DROPDOWN: it showed the drop-down (or
// declined it); or the button is then tracked as an ordinary press and a
// release over it sends the command.
inline constexpr LRESULT TBDDRET_DEFAULT = 0, TBDDRET_NODEFAULT = 1, TBDDRET_TREATPRESSED = 2;

inline constexpr UINT TBN_GETBUTTONINFOA = TBN_FIRST - 0, TBN_BEGINDRAG = TBN_FIRST - 1, TBN_ENDDRAG = TBN_FIRST - 2,
                      TBN_BEGINADJUST = TBN_FIRST - 3, TBN_ENDADJUST = TBN_FIRST - 4, TBN_RESET = TBN_FIRST - 5,
                      TBN_QUERYINSERT = TBN_FIRST - 6, TBN_QUERYDELETE = TBN_FIRST - 7,
                      TBN_TOOLBARCHANGE = TBN_FIRST - 8, TBN_CUSTHELP = TBN_FIRST - 9, TBN_DROPDOWN = TBN_FIRST - 10,
                      TBN_HOTITEMCHANGE = TBN_FIRST - 13, TBN_DRAGOUT = TBN_FIRST - 14,
                      TBN_DELETINGBUTTON = TBN_FIRST - 15, TBN_GETDISPINFOA = TBN_FIRST - 16,
                      TBN_GETDISPINFOW = TBN_FIRST - 17, TBN_GETINFOTIPA = TBN_FIRST - 18,
                      TBN_GETINFOTIPW = TBN_FIRST - 19, TBN_GETBUTTONINFOW = TBN_FIRST - 20;

struct TBBUTTON {
  int iBitmap;   // image index; for a separator its width (0: the default)
  int idCommand;
  BYTE fsState;
  BYTE fsStyle;
  BYTE bReserved[6];
  DWORD_PTR dwData;
  INT_PTR iString;  // index into the toolbar's strings, or a string pointer
};
using LPTBBUTTON = TBBUTTON*;
using LPCTBBUTTON = const TBBUTTON*;

// TB_ADDBITMAP: hInst null means nID is an HBITMAP.
struct TBADDBITMAP {
  HINSTANCE hInst;
  UINT_PTR nID;
};
using LPTBADDBITMAP = TBADDBITMAP*;
inline const HINSTANCE HINST_COMMCTRL = reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(-1));

struct TBREPLACEBITMAP {
  HINSTANCE hInstOld;
  UINT_PTR nIDOld;
  HINSTANCE hInstNew;
  UINT_PTR nIDNew;
  int nButtons;
};

inline constexpr DWORD TBIF_IMAGE = 0x01, TBIF_TEXT = 0x02, TBIF_STATE = 0x04, TBIF_STYLE = 0x08,
                       TBIF_LPARAM = 0x10, TBIF_COMMAND = 0x20, TBIF_SIZE = 0x40, TBIF_BYINDEX = 0x80000000;
struct TBBUTTONINFOW {
  UINT cbSize;
  DWORD dwMask;
  int idCommand;
  int iImage;
  BYTE fsState;
  BYTE fsStyle;
  WORD cx;
  DWORD_PTR lParam;
  LPWSTR pszText;
  int cchText;
};
struct TBBUTTONINFOA {
  UINT cbSize;
  DWORD dwMask;
  int idCommand;
  int iImage;
  BYTE fsState;
  BYTE fsStyle;
  WORD cx;
  DWORD_PTR lParam;
  LPSTR pszText;
  int cchText;
};

struct NMTOOLBARW {
  NMHDR hdr;
  int iItem;
  TBBUTTON tbButton;
  int cchText;
  LPWSTR pszText;
  RECT rcButton;
};
using NMTOOLBAR = NMTOOLBARW;
using LPNMTOOLBAR = NMTOOLBARW*;

inline constexpr DWORD HICF_OTHER = 0x00, HICF_MOUSE = 0x01, HICF_ARROWKEYS = 0x02, HICF_ACCELERATOR = 0x04,
                       HICF_DUPACCEL = 0x08, HICF_ENTERING = 0x10, HICF_LEAVING = 0x20, HICF_RESELECT = 0x40;
struct NMTBHOTITEM {
  NMHDR hdr;
  int idOld;
  int idNew;
  DWORD dwFlags;
};

// NM_CLICK from a toolbar carries the button.
struct NMMOUSE {
  NMHDR hdr;
  DWORD_PTR dwItemSpec;
  DWORD_PTR dwItemData;
  POINT pt;
  LPARAM dwHitInfo;
};

struct NMTOOLTIPSCREATED {
  NMHDR hdr;
  HWND hwndToolTips;
};

// Sound behaviour: TB_GETBUTTONTEXT gives no buffer size; a null buffer
// answers the length, and a buffer gets the whole text (callers size it from
// that length first). TB_GETBUTTONINFO copies at most cchText units.
