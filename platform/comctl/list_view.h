// The list view (class SysListView32) in report mode: columns in a header,
// rows of an item text and sub-item texts with a 32-bit value each, check
// boxes, full-row selection, selection and focus by keys and mouse, label
// editing in an edit control over the item, sorting through a caller's
// compare function, column auto-sizing and scrolling. Styles, messages,
// structures and notifications with their documented values.
#pragma once

#include "platform/comctl/header_control.h"
#include "platform/comctl/image_list.h"

// Styles
inline constexpr DWORD LVS_ICON = 0x0, LVS_REPORT = 0x1, LVS_SMALLICON = 0x2, LVS_LIST = 0x3, LVS_TYPEMASK = 0x3,
                       LVS_SINGLESEL = 0x4, LVS_SHOWSELALWAYS = 0x8, LVS_SORTASCENDING = 0x10,
                       LVS_SORTDESCENDING = 0x20, LVS_SHAREIMAGELISTS = 0x40, LVS_NOLABELWRAP = 0x80,
                       LVS_AUTOARRANGE = 0x100, LVS_EDITLABELS = 0x200, LVS_OWNERDRAWFIXED = 0x400,
                       LVS_ALIGNLEFT = 0x800, LVS_OWNERDATA = 0x1000, LVS_NOSCROLL = 0x2000,
                       LVS_NOCOLUMNHEADER = 0x4000, LVS_NOSORTHEADER = 0x8000;
inline constexpr DWORD LVS_EX_GRIDLINES = 0x1, LVS_EX_SUBITEMIMAGES = 0x2, LVS_EX_CHECKBOXES = 0x4,
                       LVS_EX_TRACKSELECT = 0x8, LVS_EX_HEADERDRAGDROP = 0x10, LVS_EX_FULLROWSELECT = 0x20,
                       LVS_EX_ONECLICKACTIVATE = 0x40, LVS_EX_TWOCLICKACTIVATE = 0x80, LVS_EX_LABELTIP = 0x4000,
                       LVS_EX_DOUBLEBUFFER = 0x10000;

// Items
inline constexpr UINT LVIF_TEXT = 0x1, LVIF_IMAGE = 0x2, LVIF_PARAM = 0x4, LVIF_STATE = 0x8, LVIF_INDENT = 0x10,
                      LVIF_NORECOMPUTE = 0x800, LVIF_DI_SETITEM = 0x1000;
inline constexpr UINT LVIS_FOCUSED = 0x1, LVIS_SELECTED = 0x2, LVIS_CUT = 0x4, LVIS_DROPHILITED = 0x8,
                      LVIS_OVERLAYMASK = 0xF00, LVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT index) { return index << 12; }
inline constexpr int I_IMAGECALLBACK = -1;

struct LVITEMW {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
};
struct LVITEMA {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
};
using LVITEM = LVITEMA;
using LPLVITEMW = LVITEMW*;
using LPLVITEMA = LVITEMA*;

// Columns
inline constexpr UINT LVCF_FMT = 0x1, LVCF_WIDTH = 0x2, LVCF_TEXT = 0x4, LVCF_SUBITEM = 0x8, LVCF_IMAGE = 0x10,
                      LVCF_ORDER = 0x20;
inline constexpr int LVCFMT_LEFT = 0x0, LVCFMT_RIGHT = 0x1, LVCFMT_CENTER = 0x2, LVCFMT_JUSTIFYMASK = 0x3;
inline constexpr int LVSCW_AUTOSIZE = -1, LVSCW_AUTOSIZE_USEHEADER = -2;

struct LVCOLUMNW {
  UINT mask;
  int fmt;
  int cx;
  LPWSTR pszText;
  int cchTextMax;
  int iSubItem;
  int iImage;
  int iOrder;
};
struct LVCOLUMNA {
  UINT mask;
  int fmt;
  int cx;
  LPSTR pszText;
  int cchTextMax;
  int iSubItem;
  int iImage;
  int iOrder;
};
using LVCOLUMN = LVCOLUMNA;
using LPLVCOLUMNW = LVCOLUMNW*;
using LPLVCOLUMNA = LVCOLUMNA*;

// Searching, geometry and hit testing
inline constexpr UINT LVNI_ALL = 0x0, LVNI_FOCUSED = 0x1, LVNI_SELECTED = 0x2, LVNI_CUT = 0x4,
                      LVNI_DROPHILITED = 0x8, LVNI_ABOVE = 0x100, LVNI_BELOW = 0x200, LVNI_TOLEFT = 0x400,
                      LVNI_TORIGHT = 0x800;
inline constexpr UINT LVFI_PARAM = 0x1, LVFI_STRING = 0x2, LVFI_SUBSTRING = 0x4, LVFI_PARTIAL = 0x8,
                      LVFI_WRAP = 0x20, LVFI_NEARESTXY = 0x40;
struct LVFINDINFOW {
  UINT flags;
  LPCWSTR psz;
  LPARAM lParam;
  POINT pt;
  UINT vkDirection;
};
struct LVFINDINFOA {
  UINT flags;
  LPCSTR psz;
  LPARAM lParam;
  POINT pt;
  UINT vkDirection;
};
using LVFINDINFO = LVFINDINFOA;
inline constexpr int LVIR_BOUNDS = 0, LVIR_ICON = 1, LVIR_LABEL = 2, LVIR_SELECTBOUNDS = 3;
inline constexpr UINT LVHT_NOWHERE = 0x1, LVHT_ONITEMICON = 0x2, LVHT_ONITEMLABEL = 0x4,
                      LVHT_ONITEMSTATEICON = 0x8, LVHT_ONITEM = 0xE, LVHT_ABOVE = 0x8, LVHT_BELOW = 0x10,
                      LVHT_TORIGHT = 0x20, LVHT_TOLEFT = 0x40;
struct LVHITTESTINFO {
  POINT pt;
  UINT flags;
  int iItem;
  int iSubItem;
};
using LPLVHITTESTINFO = LVHITTESTINFO*;

// The caller's compare function of LVM_SORTITEMS (item values) and
// LVM_SORTITEMSEX (item indices): negative, zero or positive.
using PFNLVCOMPARE = int (*)(LPARAM first, LPARAM second, LPARAM sortParam);

// Messages
inline constexpr UINT LVM_FIRST = 0x1000;
inline constexpr UINT LVM_GETBKCOLOR = LVM_FIRST + 0, LVM_SETBKCOLOR = LVM_FIRST + 1,
                      LVM_GETIMAGELIST = LVM_FIRST + 2, LVM_SETIMAGELIST = LVM_FIRST + 3,
                      LVM_GETCALLBACKMASK = LVM_FIRST + 10, LVM_SETCALLBACKMASK = LVM_FIRST + 11,
                      LVM_GETITEMCOUNT = LVM_FIRST + 4, LVM_GETITEMA = LVM_FIRST + 5, LVM_SETITEMA = LVM_FIRST + 6,
                      LVM_INSERTITEMA = LVM_FIRST + 7, LVM_DELETEITEM = LVM_FIRST + 8,
                      LVM_DELETEALLITEMS = LVM_FIRST + 9, LVM_GETNEXTITEM = LVM_FIRST + 12,
                      LVM_FINDITEMA = LVM_FIRST + 13, LVM_GETITEMRECT = LVM_FIRST + 14,
                      LVM_GETSTRINGWIDTHA = LVM_FIRST + 17, LVM_HITTEST = LVM_FIRST + 18,
                      LVM_ENSUREVISIBLE = LVM_FIRST + 19, LVM_SCROLL = LVM_FIRST + 20,
                      LVM_REDRAWITEMS = LVM_FIRST + 21, LVM_EDITLABELA = LVM_FIRST + 23,
                      LVM_GETEDITCONTROL = LVM_FIRST + 24, LVM_GETCOLUMNA = LVM_FIRST + 25,
                      LVM_SETCOLUMNA = LVM_FIRST + 26, LVM_INSERTCOLUMNA = LVM_FIRST + 27,
                      LVM_DELETECOLUMN = LVM_FIRST + 28, LVM_GETCOLUMNWIDTH = LVM_FIRST + 29,
                      LVM_SETCOLUMNWIDTH = LVM_FIRST + 30, LVM_GETHEADER = LVM_FIRST + 31,
                      LVM_GETVIEWRECT = LVM_FIRST + 34, LVM_GETTEXTCOLOR = LVM_FIRST + 35,
                      LVM_SETTEXTCOLOR = LVM_FIRST + 36, LVM_GETTEXTBKCOLOR = LVM_FIRST + 37,
                      LVM_SETTEXTBKCOLOR = LVM_FIRST + 38, LVM_GETTOPINDEX = LVM_FIRST + 39,
                      LVM_GETCOUNTPERPAGE = LVM_FIRST + 40, LVM_GETORIGIN = LVM_FIRST + 41,
                      LVM_UPDATE = LVM_FIRST + 42, LVM_SETITEMSTATE = LVM_FIRST + 43,
                      LVM_GETITEMSTATE = LVM_FIRST + 44, LVM_GETITEMTEXTA = LVM_FIRST + 45,
                      LVM_SETITEMTEXTA = LVM_FIRST + 46, LVM_SETITEMCOUNT = LVM_FIRST + 47,
                      LVM_SORTITEMS = LVM_FIRST + 48, LVM_GETSELECTEDCOUNT = LVM_FIRST + 50,
                      LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54, LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55,
                      LVM_GETSUBITEMRECT = LVM_FIRST + 56, LVM_SUBITEMHITTEST = LVM_FIRST + 57,
                      LVM_SETCOLUMNORDERARRAY = LVM_FIRST + 58, LVM_GETCOLUMNORDERARRAY = LVM_FIRST + 59,
                      LVM_GETSELECTIONMARK = LVM_FIRST + 66, LVM_SETSELECTIONMARK = LVM_FIRST + 67,
                      LVM_GETITEMW = LVM_FIRST + 75, LVM_SETITEMW = LVM_FIRST + 76, LVM_INSERTITEMW = LVM_FIRST + 77,
                      LVM_SORTITEMSEX = LVM_FIRST + 81, LVM_FINDITEMW = LVM_FIRST + 83,
                      LVM_GETSTRINGWIDTHW = LVM_FIRST + 87, LVM_GETCOLUMNW = LVM_FIRST + 95,
                      LVM_SETCOLUMNW = LVM_FIRST + 96, LVM_INSERTCOLUMNW = LVM_FIRST + 97,
                      LVM_GETITEMTEXTW = LVM_FIRST + 115, LVM_SETITEMTEXTW = LVM_FIRST + 116,
                      LVM_EDITLABELW = LVM_FIRST + 118;
inline constexpr UINT LVM_GETITEM = LVM_GETITEMA, LVM_SETITEM = LVM_SETITEMA, LVM_INSERTITEM = LVM_INSERTITEMA,
                      LVM_FINDITEM = LVM_FINDITEMA, LVM_GETSTRINGWIDTH = LVM_GETSTRINGWIDTHA,
                      LVM_EDITLABEL = LVM_EDITLABELA, LVM_GETCOLUMN = LVM_GETCOLUMNA, LVM_SETCOLUMN = LVM_SETCOLUMNA,
                      LVM_INSERTCOLUMN = LVM_INSERTCOLUMNA, LVM_GETITEMTEXT = LVM_GETITEMTEXTA,
                      LVM_SETITEMTEXT = LVM_SETITEMTEXTA;

// Image lists of LVM_SETIMAGELIST. The report view draws the small images
// before the item texts. Without LVS_SHAREIMAGELISTS the list destroys the
// lists it holds when it is destroyed.
inline constexpr int LVSIL_NORMAL = 0, LVSIL_SMALL = 1, LVSIL_STATE = 2;

// Notifications
inline constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0, LVN_ITEMCHANGED = LVN_FIRST - 1,
                      LVN_INSERTITEM = LVN_FIRST - 2, LVN_DELETEITEM = LVN_FIRST - 3,
                      LVN_DELETEALLITEMS = LVN_FIRST - 4, LVN_BEGINLABELEDITA = LVN_FIRST - 5,
                      LVN_ENDLABELEDITA = LVN_FIRST - 6, LVN_COLUMNCLICK = LVN_FIRST - 8,
                      LVN_BEGINDRAG = LVN_FIRST - 9, LVN_ITEMACTIVATE = LVN_FIRST - 14,
                      LVN_GETDISPINFOA = LVN_FIRST - 50, LVN_SETDISPINFOA = LVN_FIRST - 51,
                      LVN_KEYDOWN = LVN_FIRST - 55, LVN_BEGINLABELEDITW = LVN_FIRST - 75,
                      LVN_ENDLABELEDITW = LVN_FIRST - 76, LVN_GETDISPINFOW = LVN_FIRST - 77,
                      LVN_SETDISPINFOW = LVN_FIRST - 78;
inline constexpr UINT LVN_BEGINLABELEDIT = LVN_BEGINLABELEDITA, LVN_ENDLABELEDIT = LVN_ENDLABELEDITA,
                      LVN_GETDISPINFO = LVN_GETDISPINFOA, LVN_SETDISPINFO = LVN_SETDISPINFOA;

// LVN_ITEMCHANGING/CHANGED, LVN_INSERTITEM, LVN_DELETEITEM, LVN_COLUMNCLICK.
struct NMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
};
using LPNMLISTVIEW = NMLISTVIEW*;
// NM_CLICK, NM_DBLCLK, NM_RCLICK, LVN_ITEMACTIVATE.
inline constexpr UINT LVKF_ALT = 0x1, LVKF_CONTROL = 0x2, LVKF_SHIFT = 0x4;
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
  UINT uKeyFlags;
};
using LPNMITEMACTIVATE = NMITEMACTIVATE*;
// LVN_BEGINLABELEDIT, LVN_ENDLABELEDIT, LVN_GETDISPINFO.
struct NMLVDISPINFOW {
  NMHDR hdr;
  LVITEMW item;
};
struct NMLVDISPINFOA {
  NMHDR hdr;
  LVITEMA item;
};
using NMLVDISPINFO = NMLVDISPINFOA;
using LV_DISPINFO = NMLVDISPINFOA;
struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};
using LPNMLVKEYDOWN = NMLVKEYDOWN*;

// The check box of an item: state image 1 unchecked, 2 checked.
inline BOOL ListView_GetCheckState(HWND list, int item) {
  return ((static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_STATEIMAGEMASK)) >>
           12) - 1) == 1;
}
inline void ListView_SetItemState(HWND list, int item, UINT state, UINT mask) {
  LVITEMW lv{};
  lv.stateMask = mask;
  lv.state = state;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
}
inline void ListView_SetCheckState(HWND list, int item, BOOL check) {
  ListView_SetItemState(list, item, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}
