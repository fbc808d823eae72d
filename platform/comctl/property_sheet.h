// Property sheets: a dialog with a tab control of pages made from dialog
// templates (created when first shown), and OK, Cancel, Apply and (with
// PSH_HASHELP) Help. Leaving a page asks it (PSN_KILLACTIVE, refused by a
// TRUE result in DWLP_MSGRESULT), showing one tells it (PSN_SETACTIVE); OK and
// Apply send PSN_APPLY to every page made so far (a page may refuse with
// PSNRET_INVALID or PSNRET_INVALID_NOCHANGEPAGE), Cancel sends PSN_RESET.
// Page templates must have the WS_CHILD style.
#pragma once

#include "platform/comctl/comctl_common.h"
#include "platform/comctl/tab_control.h"
#include "platform/user/dialogs/dialogs.h"

struct PSP;
using HPROPSHEETPAGE = PSP*;
struct PROPSHEETPAGEW;
struct PROPSHEETPAGEA;
using LPFNPSPCALLBACKW = UINT (*)(HWND window, UINT message, PROPSHEETPAGEW* page);
using LPFNPSPCALLBACKA = UINT (*)(HWND window, UINT message, PROPSHEETPAGEA* page);
using PFNPROPSHEETCALLBACK = int (*)(HWND sheet, UINT message, LPARAM param);

inline constexpr DWORD PSP_DEFAULT = 0x0000, PSP_DLGINDIRECT = 0x0001, PSP_USEHICON = 0x0002,
                       PSP_USEICONID = 0x0004, PSP_USETITLE = 0x0008, PSP_RTLREADING = 0x0010, PSP_HASHELP = 0x0020,
                       PSP_USEREFPARENT = 0x0040, PSP_USECALLBACK = 0x0080, PSP_PREMATURE = 0x0400;
inline constexpr UINT PSPCB_ADDREF = 0, PSPCB_RELEASE = 1, PSPCB_CREATE = 2;

inline constexpr DWORD PSH_DEFAULT = 0x0000, PSH_PROPTITLE = 0x0001, PSH_USEHICON = 0x0002, PSH_USEICONID = 0x0004,
                       PSH_PROPSHEETPAGE = 0x0008, PSH_WIZARDHASFINISH = 0x0010, PSH_WIZARD = 0x0020,
                       PSH_USEPSTARTPAGE = 0x0040, PSH_NOAPPLYNOW = 0x0080, PSH_USECALLBACK = 0x0100,
                       PSH_HASHELP = 0x0200, PSH_MODELESS = 0x0400, PSH_RTLREADING = 0x0800,
                       PSH_WIZARDCONTEXTHELP = 0x1000;
inline constexpr UINT PSCB_INITIALIZED = 1, PSCB_PRECREATE = 2;

struct PROPSHEETPAGEW {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  union {
    LPCWSTR pszTemplate;
    LPCDLGTEMPLATEW pResource;
  };
  union {
    HICON hIcon;
    LPCWSTR pszIcon;
  };
  LPCWSTR pszTitle;
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  LPFNPSPCALLBACKW pfnCallback;
  UINT* pcRefParent;
  LPCWSTR pszHeaderTitle;
  LPCWSTR pszHeaderSubTitle;
};
struct PROPSHEETPAGEA {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  union {
    LPCSTR pszTemplate;
    LPCDLGTEMPLATEA pResource;
  };
  union {
    HICON hIcon;
    LPCSTR pszIcon;
  };
  LPCSTR pszTitle;
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  LPFNPSPCALLBACKA pfnCallback;
  UINT* pcRefParent;
  LPCSTR pszHeaderTitle;
  LPCSTR pszHeaderSubTitle;
};
using LPPROPSHEETPAGEW = PROPSHEETPAGEW*;
using LPCPROPSHEETPAGEW = const PROPSHEETPAGEW*;
using LPCPROPSHEETPAGEA = const PROPSHEETPAGEA*;

struct PROPSHEETHEADERW {
  DWORD dwSize;
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  union {
    HICON hIcon;
    LPCWSTR pszIcon;
  };
  LPCWSTR pszCaption;
  UINT nPages;
  union {
    UINT nStartPage;
    LPCWSTR pStartPage;
  };
  union {
    LPCPROPSHEETPAGEW ppsp;
    HPROPSHEETPAGE* phpage;
  };
  PFNPROPSHEETCALLBACK pfnCallback;
};
struct PROPSHEETHEADERA {
  DWORD dwSize;
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  union {
    HICON hIcon;
    LPCSTR pszIcon;
  };
  LPCSTR pszCaption;
  UINT nPages;
  union {
    UINT nStartPage;
    LPCSTR pStartPage;
  };
  union {
    LPCPROPSHEETPAGEA ppsp;
    HPROPSHEETPAGE* phpage;
  };
  PFNPROPSHEETCALLBACK pfnCallback;
};
using LPCPROPSHEETHEADERW = const PROPSHEETHEADERW*;
using LPCPROPSHEETHEADERA = const PROPSHEETHEADERA*;

// Notifications to pages
inline constexpr UINT PSN_SETACTIVE = PSN_FIRST - 0, PSN_KILLACTIVE = PSN_FIRST - 1, PSN_APPLY = PSN_FIRST - 2,
                      PSN_RESET = PSN_FIRST - 3, PSN_HELP = PSN_FIRST - 5, PSN_WIZBACK = PSN_FIRST - 6,
                      PSN_WIZNEXT = PSN_FIRST - 7, PSN_WIZFINISH = PSN_FIRST - 8, PSN_QUERYCANCEL = PSN_FIRST - 9,
                      PSN_GETOBJECT = PSN_FIRST - 10, PSN_TRANSLATEACCELERATOR = PSN_FIRST - 12,
                      PSN_QUERYINITIALFOCUS = PSN_FIRST - 13;
inline constexpr LRESULT PSNRET_NOERROR = 0, PSNRET_INVALID = 1, PSNRET_INVALID_NOCHANGEPAGE = 2,
                         PSNRET_MESSAGEHANDLED = 3;
struct PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;  // PSN_APPLY: TRUE when OK was pressed; PSN_RESET: TRUE when the close box was
};
using LPPSHNOTIFY = PSHNOTIFY*;

// Messages to the sheet
inline constexpr UINT PSM_SETCURSEL = WM_USER + 101, PSM_REMOVEPAGE = WM_USER + 102, PSM_ADDPAGE = WM_USER + 103,
                      PSM_CHANGED = WM_USER + 104, PSM_RESTARTWINDOWS = WM_USER + 105,
                      PSM_REBOOTSYSTEM = WM_USER + 106, PSM_CANCELTOCLOSE = WM_USER + 107,
                      PSM_QUERYSIBLINGS = WM_USER + 108, PSM_UNCHANGED = WM_USER + 109, PSM_APPLY = WM_USER + 110,
                      PSM_SETTITLEA = WM_USER + 111, PSM_SETWIZBUTTONS = WM_USER + 112,
                      PSM_PRESSBUTTON = WM_USER + 113, PSM_SETCURSELID = WM_USER + 114,
                      PSM_SETFINISHTEXTA = WM_USER + 115, PSM_GETTABCONTROL = WM_USER + 116,
                      PSM_ISDIALOGMESSAGE = WM_USER + 117, PSM_GETCURRENTPAGEHWND = WM_USER + 118,
                      PSM_INSERTPAGE = WM_USER + 119, PSM_SETTITLEW = WM_USER + 120,
                      PSM_SETFINISHTEXTW = WM_USER + 121, PSM_HWNDTOINDEX = WM_USER + 129,
                      PSM_INDEXTOHWND = WM_USER + 130, PSM_PAGETOINDEX = WM_USER + 131,
                      PSM_INDEXTOPAGE = WM_USER + 132, PSM_IDTOINDEX = WM_USER + 133,
                      PSM_INDEXTOID = WM_USER + 134, PSM_GETRESULT = WM_USER + 135;
inline constexpr WPARAM PSBTN_BACK = 0, PSBTN_NEXT = 1, PSBTN_FINISH = 2, PSBTN_OK = 3, PSBTN_APPLYNOW = 4,
                        PSBTN_CANCEL = 5, PSBTN_HELP = 6;
inline constexpr INT_PTR ID_PSRESTARTWINDOWS = 0x2, ID_PSREBOOTSYSTEM = ID_PSRESTARTWINDOWS | 0x1;
// PSM_SETWIZBUTTONS: which of Back and Next are enabled, and whether Finish
// (enabled or not) stands in Next's place.
inline constexpr LPARAM PSWIZB_BACK = 0x1, PSWIZB_NEXT = 0x2, PSWIZB_FINISH = 0x4, PSWIZB_DISABLEDFINISH = 0x8;
// The sheet's own controls
inline constexpr int ID_APPLY_NOW = 0x3021, IDC_PROPSHEET_TAB = 0x3020;
inline constexpr int ID_WIZBACK = 0x3023, ID_WIZNEXT = 0x3024, ID_WIZFINISH = 0x3025, ID_WIZLINE = 0x3026;
inline constexpr size_t MAXPROPPAGES = 100;

HPROPSHEETPAGE CreatePropertySheetPageW(LPCPROPSHEETPAGEW page);
HPROPSHEETPAGE CreatePropertySheetPageA(LPCPROPSHEETPAGEA page);
BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page);
// Modal: >= 1 when a page's changes were applied (OK or Apply), 0 when none
// were, -1 on failure (no pages, more than 99, a page that cannot be made).
// PSH_MODELESS: the sheet's window.
// PSH_WIZARD: the pages in turn without tabs, with Back, Next (or Finish) and
// Cancel. Back and Next send PSN_WIZBACK/PSN_WIZNEXT to the page shown, whose
// answer is 0 (the previous or next page), -1 (stay) or a page's template id
// (that page); then PSN_KILLACTIVE may refuse, and a page answering -1 to
// PSN_SETACTIVE is passed over in the same direction. Finish sends
// PSN_WIZFINISH (non-zero keeps the wizard open); a finished wizard answers 1,
// a cancelled one 0.
INT_PTR PropertySheetW(LPCPROPSHEETHEADERW header);
INT_PTR PropertySheetA(LPCPROPSHEETHEADERA header);
