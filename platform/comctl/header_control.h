// The header control (class SysHeader32): a row of column titles that the
// user clicks and sizes by their dividers. Styles, messages, structures and
// notifications with their documented values.
#pragma once

#include "platform/comctl/notify.h"

inline constexpr DWORD HDS_HORZ = 0x0, HDS_BUTTONS = 0x2, HDS_HOTTRACK = 0x4, HDS_HIDDEN = 0x8,
                       HDS_DRAGDROP = 0x40, HDS_FULLDRAG = 0x80;

inline constexpr UINT HDI_WIDTH = 0x1, HDI_HEIGHT = HDI_WIDTH, HDI_TEXT = 0x2, HDI_FORMAT = 0x4, HDI_LPARAM = 0x8,
                      HDI_BITMAP = 0x10, HDI_IMAGE = 0x20, HDI_DI_SETITEM = 0x40, HDI_ORDER = 0x80;
inline constexpr int HDF_LEFT = 0x0, HDF_RIGHT = 0x1, HDF_CENTER = 0x2, HDF_JUSTIFYMASK = 0x3, HDF_RTLREADING = 0x4,
                     HDF_SORTDOWN = 0x200, HDF_SORTUP = 0x400, HDF_IMAGE = 0x800, HDF_BITMAP = 0x2000,
                     HDF_STRING = 0x4000, HDF_OWNERDRAW = 0x8000;

struct HDITEMW {
  UINT mask;
  int cxy;
  LPWSTR pszText;
  HBITMAP hbm;
  int cchTextMax;
  int fmt;
  LPARAM lParam;
  int iImage;
  int iOrder;
};
struct HDITEMA {
  UINT mask;
  int cxy;
  LPSTR pszText;
  HBITMAP hbm;
  int cchTextMax;
  int fmt;
  LPARAM lParam;
  int iImage;
  int iOrder;
};
using HDITEM = HDITEMA;
using LPHDITEMW = HDITEMW*;
using LPHDITEMA = HDITEMA*;

struct HDLAYOUT {
  RECT* prc;
  WINDOWPOS* pwpos;
};
using LPHDLAYOUT = HDLAYOUT*;

inline constexpr UINT HHT_NOWHERE = 0x1, HHT_ONHEADER = 0x2, HHT_ONDIVIDER = 0x4, HHT_ONDIVOPEN = 0x8,
                      HHT_ABOVE = 0x100, HHT_BELOW = 0x200, HHT_TORIGHT = 0x400, HHT_TOLEFT = 0x800;
struct HDHITTESTINFO {
  POINT pt;
  UINT flags;
  int iItem;
};
using LPHDHITTESTINFO = HDHITTESTINFO*;

inline constexpr UINT HDM_FIRST = 0x1200;
inline constexpr UINT HDM_GETITEMCOUNT = HDM_FIRST + 0, HDM_INSERTITEMA = HDM_FIRST + 1, HDM_DELETEITEM = HDM_FIRST + 2,
                      HDM_GETITEMA = HDM_FIRST + 3, HDM_SETITEMA = HDM_FIRST + 4, HDM_LAYOUT = HDM_FIRST + 5,
                      HDM_HITTEST = HDM_FIRST + 6, HDM_GETITEMRECT = HDM_FIRST + 7, HDM_INSERTITEMW = HDM_FIRST + 10,
                      HDM_GETITEMW = HDM_FIRST + 11, HDM_SETITEMW = HDM_FIRST + 12, HDM_ORDERTOINDEX = HDM_FIRST + 15,
                      HDM_GETORDERARRAY = HDM_FIRST + 17, HDM_SETORDERARRAY = HDM_FIRST + 18;
inline constexpr UINT HDM_INSERTITEM = HDM_INSERTITEMA, HDM_GETITEM = HDM_GETITEMA, HDM_SETITEM = HDM_SETITEMA;

inline constexpr UINT HDN_ITEMCHANGINGA = HDN_FIRST - 0, HDN_ITEMCHANGEDA = HDN_FIRST - 1,
                      HDN_ITEMCLICKA = HDN_FIRST - 2, HDN_ITEMDBLCLICKA = HDN_FIRST - 3,
                      HDN_DIVIDERDBLCLICKA = HDN_FIRST - 5, HDN_BEGINTRACKA = HDN_FIRST - 6,
                      HDN_ENDTRACKA = HDN_FIRST - 7, HDN_TRACKA = HDN_FIRST - 8,
                      HDN_ITEMCHANGINGW = HDN_FIRST - 20, HDN_ITEMCHANGEDW = HDN_FIRST - 21,
                      HDN_ITEMCLICKW = HDN_FIRST - 22, HDN_ITEMDBLCLICKW = HDN_FIRST - 23,
                      HDN_DIVIDERDBLCLICKW = HDN_FIRST - 25, HDN_BEGINTRACKW = HDN_FIRST - 26,
                      HDN_ENDTRACKW = HDN_FIRST - 27, HDN_TRACKW = HDN_FIRST - 28;
inline constexpr UINT HDN_ITEMCHANGING = HDN_ITEMCHANGINGA, HDN_ITEMCHANGED = HDN_ITEMCHANGEDA,
                      HDN_ITEMCLICK = HDN_ITEMCLICKA, HDN_ITEMDBLCLICK = HDN_ITEMDBLCLICKA,
                      HDN_DIVIDERDBLCLICK = HDN_DIVIDERDBLCLICKA, HDN_BEGINTRACK = HDN_BEGINTRACKA,
                      HDN_ENDTRACK = HDN_ENDTRACKA, HDN_TRACK = HDN_TRACKA;

// Every HDN_* notification: the item, the mouse button (0 left, 1 right,
// 2 middle) and, where the code carries one, the item's new values (its
// text as the parent's character set).
struct NMHEADERW {
  NMHDR hdr;
  int iItem;
  int iButton;
  HDITEMW* pitem;
};
struct NMHEADERA {
  NMHDR hdr;
  int iItem;
  int iButton;
  HDITEMA* pitem;
};
using NMHEADER = NMHEADERA;
using LPNMHEADERW = NMHEADERW*;
using LPNMHEADERA = NMHEADERA*;
