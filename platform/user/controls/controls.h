// The standard controls (button, static, edit, list box, combo box, scroll
// bar): their styles, messages, notifications and structures, with their
// documented values. The controls are the system classes of those names;
// each is one file of this folder, drawn through the style painter.
#pragma once

#include "platform/kernel/types.h"
#include "platform/user/user.h"

// Button styles
inline constexpr DWORD BS_PUSHBUTTON = 0x0, BS_DEFPUSHBUTTON = 0x1, BS_CHECKBOX = 0x2, BS_AUTOCHECKBOX = 0x3,
                       BS_RADIOBUTTON = 0x4, BS_3STATE = 0x5, BS_AUTO3STATE = 0x6, BS_GROUPBOX = 0x7,
                       BS_USERBUTTON = 0x8, BS_AUTORADIOBUTTON = 0x9, BS_PUSHBOX = 0xA, BS_OWNERDRAW = 0xB,
                       BS_TYPEMASK = 0xF, BS_LEFTTEXT = 0x20, BS_TEXT = 0x0, BS_ICON = 0x40, BS_BITMAP = 0x80,
                       BS_LEFT = 0x100, BS_RIGHT = 0x200, BS_CENTER = 0x300, BS_TOP = 0x400, BS_BOTTOM = 0x800,
                       BS_VCENTER = 0xC00, BS_PUSHLIKE = 0x1000, BS_MULTILINE = 0x2000, BS_NOTIFY = 0x4000,
                       BS_FLAT = 0x8000;
// Button messages, states, notifications
inline constexpr UINT BM_GETCHECK = 0x00F0, BM_SETCHECK = 0x00F1, BM_GETSTATE = 0x00F2, BM_SETSTATE = 0x00F3,
                      BM_SETSTYLE = 0x00F4, BM_CLICK = 0x00F5, BM_GETIMAGE = 0x00F6, BM_SETIMAGE = 0x00F7,
                      BM_SETDONTCLICK = 0x00F8;
inline constexpr LRESULT BST_UNCHECKED = 0, BST_CHECKED = 1, BST_INDETERMINATE = 2, BST_PUSHED = 4, BST_FOCUS = 8;
inline constexpr WORD BN_CLICKED = 0, BN_PAINT = 1, BN_HILITE = 2, BN_UNHILITE = 3, BN_DISABLE = 4,
                      BN_DOUBLECLICKED = 5, BN_SETFOCUS = 6, BN_KILLFOCUS = 7;

// Static styles, messages, notifications
inline constexpr DWORD SS_LEFT = 0x0, SS_CENTER = 0x1, SS_RIGHT = 0x2, SS_ICON = 0x3, SS_BLACKRECT = 0x4,
                       SS_GRAYRECT = 0x5, SS_WHITERECT = 0x6, SS_BLACKFRAME = 0x7, SS_GRAYFRAME = 0x8,
                       SS_WHITEFRAME = 0x9, SS_SIMPLE = 0xB, SS_LEFTNOWORDWRAP = 0xC, SS_OWNERDRAW = 0xD,
                       SS_BITMAP = 0xE, SS_ETCHEDHORZ = 0x10, SS_ETCHEDVERT = 0x11, SS_ETCHEDFRAME = 0x12,
                       SS_TYPEMASK = 0x1F, SS_NOPREFIX = 0x80, SS_NOTIFY = 0x100, SS_CENTERIMAGE = 0x200,
                       SS_RIGHTJUST = 0x400, SS_SUNKEN = 0x1000, SS_ENDELLIPSIS = 0x4000;
inline constexpr UINT STM_SETICON = 0x0170, STM_GETICON = 0x0171, STM_SETIMAGE = 0x0172, STM_GETIMAGE = 0x0173;
inline constexpr WORD STN_CLICKED = 0, STN_DBLCLK = 1, STN_ENABLE = 2, STN_DISABLE = 3;
inline constexpr WPARAM IMAGE_BITMAP = 0, IMAGE_ICON = 1, IMAGE_CURSOR = 2;

// Edit styles, messages, notifications
inline constexpr DWORD ES_LEFT = 0x0, ES_CENTER = 0x1, ES_RIGHT = 0x2, ES_MULTILINE = 0x4, ES_UPPERCASE = 0x8,
                       ES_LOWERCASE = 0x10, ES_PASSWORD = 0x20, ES_AUTOVSCROLL = 0x40, ES_AUTOHSCROLL = 0x80,
                       ES_NOHIDESEL = 0x100, ES_OEMCONVERT = 0x400, ES_READONLY = 0x800, ES_WANTRETURN = 0x1000,
                       ES_NUMBER = 0x2000;
inline constexpr UINT EM_GETSEL = 0x00B0, EM_SETSEL = 0x00B1, EM_GETRECT = 0x00B2, EM_SETRECT = 0x00B3,
                      EM_SCROLL = 0x00B5, EM_LINESCROLL = 0x00B6, EM_SCROLLCARET = 0x00B7, EM_GETMODIFY = 0x00B8,
                      EM_SETMODIFY = 0x00B9, EM_GETLINECOUNT = 0x00BA, EM_LINEINDEX = 0x00BB,
                      EM_LINELENGTH = 0x00C1, EM_REPLACESEL = 0x00C2, EM_GETLINE = 0x00C4, EM_LIMITTEXT = 0x00C5,
                      EM_SETLIMITTEXT = 0x00C5, EM_CANUNDO = 0x00C6, EM_UNDO = 0x00C7, EM_LINEFROMCHAR = 0x00C9,
                      EM_SETPASSWORDCHAR = 0x00CC, EM_EMPTYUNDOBUFFER = 0x00CD, EM_GETFIRSTVISIBLELINE = 0x00CE,
                      EM_SETREADONLY = 0x00CF, EM_GETPASSWORDCHAR = 0x00D2, EM_SETMARGINS = 0x00D3,
                      EM_GETMARGINS = 0x00D4, EM_GETLIMITTEXT = 0x00D5, EM_POSFROMCHAR = 0x00D6,
                      EM_CHARFROMPOS = 0x00D7;
inline constexpr WORD EN_SETFOCUS = 0x0100, EN_KILLFOCUS = 0x0200, EN_CHANGE = 0x0300, EN_UPDATE = 0x0400,
                      EN_ERRSPACE = 0x0500, EN_MAXTEXT = 0x0501, EN_HSCROLL = 0x0601, EN_VSCROLL = 0x0602;

// List box styles, messages, results, notifications
inline constexpr DWORD LBS_NOTIFY = 0x1, LBS_SORT = 0x2, LBS_NOREDRAW = 0x4, LBS_MULTIPLESEL = 0x8,
                       LBS_OWNERDRAWFIXED = 0x10, LBS_OWNERDRAWVARIABLE = 0x20, LBS_HASSTRINGS = 0x40,
                       LBS_USETABSTOPS = 0x80, LBS_NOINTEGRALHEIGHT = 0x100, LBS_MULTICOLUMN = 0x200,
                       LBS_WANTKEYBOARDINPUT = 0x400, LBS_EXTENDEDSEL = 0x800, LBS_DISABLENOSCROLL = 0x1000,
                       LBS_NODATA = 0x2000, LBS_NOSEL = 0x4000, LBS_COMBOBOX = 0x8000,
                       LBS_STANDARD = 0x00A00003;
inline constexpr UINT LB_ADDSTRING = 0x0180, LB_INSERTSTRING = 0x0181, LB_DELETESTRING = 0x0182,
                      LB_SELITEMRANGEEX = 0x0183, LB_RESETCONTENT = 0x0184, LB_SETSEL = 0x0185,
                      LB_SETCURSEL = 0x0186, LB_GETSEL = 0x0187, LB_GETCURSEL = 0x0188, LB_GETTEXT = 0x0189,
                      LB_GETTEXTLEN = 0x018A, LB_GETCOUNT = 0x018B, LB_SELECTSTRING = 0x018C, LB_DIR = 0x018D,
                      LB_GETTOPINDEX = 0x018E, LB_FINDSTRING = 0x018F, LB_GETSELCOUNT = 0x0190,
                      LB_GETSELITEMS = 0x0191, LB_SETTOPINDEX = 0x0197, LB_GETITEMRECT = 0x0198,
                      LB_GETITEMDATA = 0x0199, LB_SETITEMDATA = 0x019A, LB_SELITEMRANGE = 0x019B,
                      LB_SETANCHORINDEX = 0x019C, LB_GETANCHORINDEX = 0x019D, LB_SETCARETINDEX = 0x019E,
                      LB_GETCARETINDEX = 0x019F, LB_SETITEMHEIGHT = 0x01A0, LB_GETITEMHEIGHT = 0x01A1,
                      LB_FINDSTRINGEXACT = 0x01A2, LB_ITEMFROMPOINT = 0x01A9;
inline constexpr LRESULT LB_OKAY = 0, LB_ERR = -1, LB_ERRSPACE = -2;
inline constexpr WORD LBN_ERRSPACE = 0xFFFE, LBN_SELCHANGE = 1, LBN_DBLCLK = 2, LBN_SELCANCEL = 3,
                      LBN_SETFOCUS = 4, LBN_KILLFOCUS = 5;
// LB_DIR / CB_DIR attributes
inline constexpr UINT DDL_READWRITE = 0x0, DDL_READONLY = 0x1, DDL_HIDDEN = 0x2, DDL_SYSTEM = 0x4,
                      DDL_DIRECTORY = 0x10, DDL_ARCHIVE = 0x20, DDL_POSTMSGS = 0x2000, DDL_DRIVES = 0x4000,
                      DDL_EXCLUSIVE = 0x8000;

// Combo box styles, messages, results, notifications
inline constexpr DWORD CBS_SIMPLE = 0x1, CBS_DROPDOWN = 0x2, CBS_DROPDOWNLIST = 0x3, CBS_OWNERDRAWFIXED = 0x10,
                       CBS_OWNERDRAWVARIABLE = 0x20, CBS_AUTOHSCROLL = 0x40, CBS_OEMCONVERT = 0x80,
                       CBS_SORT = 0x100, CBS_HASSTRINGS = 0x200, CBS_NOINTEGRALHEIGHT = 0x400,
                       CBS_DISABLENOSCROLL = 0x800, CBS_UPPERCASE = 0x2000, CBS_LOWERCASE = 0x4000;
inline constexpr UINT CB_GETEDITSEL = 0x0140, CB_LIMITTEXT = 0x0141, CB_SETEDITSEL = 0x0142,
                      CB_ADDSTRING = 0x0143, CB_DELETESTRING = 0x0144, CB_DIR = 0x0145, CB_GETCOUNT = 0x0146,
                      CB_GETCURSEL = 0x0147, CB_GETLBTEXT = 0x0148, CB_GETLBTEXTLEN = 0x0149,
                      CB_INSERTSTRING = 0x014A, CB_RESETCONTENT = 0x014B, CB_FINDSTRING = 0x014C,
                      CB_SELECTSTRING = 0x014D, CB_SETCURSEL = 0x014E, CB_SHOWDROPDOWN = 0x014F,
                      CB_GETITEMDATA = 0x0150, CB_SETITEMDATA = 0x0151, CB_GETDROPPEDCONTROLRECT = 0x0152,
                      CB_SETITEMHEIGHT = 0x0153, CB_GETITEMHEIGHT = 0x0154, CB_GETDROPPEDSTATE = 0x0157,
                      CB_FINDSTRINGEXACT = 0x0158, CB_GETDROPPEDWIDTH = 0x015F, CB_SETDROPPEDWIDTH = 0x0160;
inline constexpr LRESULT CB_OKAY = 0, CB_ERR = -1, CB_ERRSPACE = -2;
inline constexpr WORD CBN_ERRSPACE = 0xFFFF, CBN_SELCHANGE = 1, CBN_DBLCLK = 2, CBN_SETFOCUS = 3,
                      CBN_KILLFOCUS = 4, CBN_EDITCHANGE = 5, CBN_EDITUPDATE = 6, CBN_DROPDOWN = 7,
                      CBN_CLOSEUP = 8, CBN_SELENDOK = 9, CBN_SELENDCANCEL = 10;

// Scroll bar control styles and messages
inline constexpr DWORD SBS_HORZ = 0x0, SBS_VERT = 0x1;
inline constexpr UINT SBM_SETPOS = 0x00E0, SBM_GETPOS = 0x00E1, SBM_SETRANGE = 0x00E2, SBM_GETRANGE = 0x00E3,
                      SBM_SETRANGEREDRAW = 0x00E6, SBM_SETSCROLLINFO = 0x00E9, SBM_GETSCROLLINFO = 0x00EA;

// Owner drawing
inline constexpr UINT ODT_MENU = 1, ODT_LISTBOX = 2, ODT_COMBOBOX = 3, ODT_BUTTON = 4, ODT_STATIC = 5;
inline constexpr UINT ODA_DRAWENTIRE = 1, ODA_SELECT = 2, ODA_FOCUS = 4;
inline constexpr UINT ODS_SELECTED = 0x1, ODS_GRAYED = 0x2, ODS_DISABLED = 0x4, ODS_CHECKED = 0x8,
                      ODS_FOCUS = 0x10, ODS_DEFAULT = 0x20, ODS_COMBOBOXEDIT = 0x1000;
struct DRAWITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemAction;
  UINT itemState;
  HWND hwndItem;
  HDC hDC;
  RECT rcItem;
  ULONG_PTR itemData;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;
struct MEASUREITEMSTRUCT {
  UINT CtlType;
  UINT CtlID;
  UINT itemID;
  UINT itemWidth;
  UINT itemHeight;
  ULONG_PTR itemData;
};
using LPMEASUREITEMSTRUCT = MEASUREITEMSTRUCT*;

// Messages a list box sends its owner, and one the dialog procedure answers directly.
inline constexpr UINT WM_VKEYTOITEM = 0x002E, WM_CHARTOITEM = 0x002F, WM_QUERYDRAGICON = 0x0037;

// WM_COMMAND's wParam for a control notification.
inline constexpr WPARAM MAKEWPARAM(WORD low, WORD high) { return static_cast<WPARAM>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16)); }

// The text of a menu, button or static with '&' marking its mnemonic; 0 when none.
WCHAR MnemonicOf(LPCWSTR text);
