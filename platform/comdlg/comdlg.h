// Common dialogs: open and save (explorer style), colour, print, printer
// properties and the folder picker, with their documented structures, flags,
// notifications and error codes. The dialogs are our own templates
// (comdlg.rc); their controls carry the usual ids (comdlg_ids.h) so that a
// caller's child template and hook can reach them.
//
// Every buffer a dialog fills is written only up to the size its caller gave:
// a file name that does not fit makes the call fail with FNERR_BUFFERTOOSMALL
// and the needed size (in characters, with the terminating zeros) in the
// buffer's first two bytes, never a cut path reported as success.
#pragma once

#include <cstddef>

#include "platform/comdlg/comdlg_ids.h"
#include "platform/comctl/notify.h"
#include "platform/kernel/com_types.h"
#include "platform/kernel/types.h"
#include "platform/spool/devmode.h"
#include "platform/user/dialogs/dialogs.h"
#include "platform/user/user.h"

// ---------------------------------------------------------------------------
// Errors (CommDlgExtendedError): the last common dialog call's failure on the
// calling thread, 0 after a success or a cancel.

inline constexpr DWORD CDERR_DIALOGFAILURE = 0xFFFF, CDERR_GENERALCODES = 0x0000, CDERR_STRUCTSIZE = 0x0001,
                       CDERR_INITIALIZATION = 0x0002, CDERR_NOTEMPLATE = 0x0003, CDERR_NOHINSTANCE = 0x0004,
                       CDERR_LOADSTRFAILURE = 0x0005, CDERR_FINDRESFAILURE = 0x0006, CDERR_LOADRESFAILURE = 0x0007,
                       CDERR_LOCKRESFAILURE = 0x0008, CDERR_MEMALLOCFAILURE = 0x0009, CDERR_MEMLOCKFAILURE = 0x000A,
                       CDERR_NOHOOK = 0x000B, CDERR_REGISTERMSGFAIL = 0x000C;
inline constexpr DWORD PDERR_PRINTERCODES = 0x1000, PDERR_SETUPFAILURE = 0x1001, PDERR_PARSEFAILURE = 0x1002,
                       PDERR_RETDEFFAILURE = 0x1003, PDERR_LOADDRVFAILURE = 0x1004, PDERR_GETDEVMODEFAIL = 0x1005,
                       PDERR_INITFAILURE = 0x1006, PDERR_NODEVICES = 0x1007, PDERR_NODEFAULTPRN = 0x1008,
                       PDERR_DNDMMISMATCH = 0x1009, PDERR_CREATEICFAILURE = 0x100A, PDERR_PRINTERNOTFOUND = 0x100B,
                       PDERR_DEFAULTDIFFERENT = 0x100C;
inline constexpr DWORD FNERR_FILENAMECODES = 0x3000, FNERR_SUBCLASSFAILURE = 0x3001,
                       FNERR_INVALIDFILENAME = 0x3002, FNERR_BUFFERTOOSMALL = 0x3003;
inline constexpr DWORD CCERR_CHOOSECOLORCODES = 0x5000;
DWORD CommDlgExtendedError();

// ---------------------------------------------------------------------------
// Open and save

using LPOFNHOOKPROC = UINT_PTR (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

struct OPENFILENAMEW {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPWSTR lpstrFile;
  DWORD nMaxFile;
  LPWSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCWSTR lpstrInitialDir;
  LPCWSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCWSTR lpstrDefExt;
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCWSTR lpTemplateName;
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
};
struct OPENFILENAMEA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPSTR lpstrFile;
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCSTR lpstrDefExt;
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
};
using OPENFILENAME = OPENFILENAMEA;
using LPOPENFILENAMEA = OPENFILENAMEA*;
using LPOPENFILENAMEW = OPENFILENAMEW*;
using LPOPENFILENAME = OPENFILENAMEA*;
// The size of the structure without its last three members, which older callers pass.
inline constexpr DWORD OPENFILENAME_SIZE_VERSION_400A = offsetof(OPENFILENAMEA, pvReserved);
inline constexpr DWORD OPENFILENAME_SIZE_VERSION_400W = offsetof(OPENFILENAMEW, pvReserved);

inline constexpr DWORD OFN_READONLY = 0x00000001, OFN_OVERWRITEPROMPT = 0x00000002, OFN_HIDEREADONLY = 0x00000004,
                       OFN_NOCHANGEDIR = 0x00000008, OFN_SHOWHELP = 0x00000010, OFN_ENABLEHOOK = 0x00000020,
                       OFN_ENABLETEMPLATE = 0x00000040, OFN_ENABLETEMPLATEHANDLE = 0x00000080,
                       OFN_NOVALIDATE = 0x00000100, OFN_ALLOWMULTISELECT = 0x00000200,
                       OFN_EXTENSIONDIFFERENT = 0x00000400, OFN_PATHMUSTEXIST = 0x00000800,
                       OFN_FILEMUSTEXIST = 0x00001000, OFN_CREATEPROMPT = 0x00002000, OFN_SHAREAWARE = 0x00004000,
                       OFN_NOREADONLYRETURN = 0x00008000, OFN_NOTESTFILECREATE = 0x00010000,
                       OFN_NONETWORKBUTTON = 0x00020000, OFN_NOLONGNAMES = 0x00040000, OFN_EXPLORER = 0x00080000,
                       OFN_NODEREFERENCELINKS = 0x00100000, OFN_LONGNAMES = 0x00200000,
                       OFN_ENABLEINCLUDENOTIFY = 0x00400000, OFN_ENABLESIZING = 0x00800000,
                       OFN_DONTADDTORECENT = 0x02000000, OFN_FORCESHOWHIDDEN = 0x10000000;

// Notifications to the hook of an explorer-style dialog (WM_NOTIFY, lParam an
// OFNOTIFY), counting down from CDN_FIRST.
inline constexpr UINT CDN_INITDONE = CDN_FIRST - 0, CDN_SELCHANGE = CDN_FIRST - 1, CDN_FOLDERCHANGE = CDN_FIRST - 2,
                      CDN_SHAREVIOLATION = CDN_FIRST - 3, CDN_HELP = CDN_FIRST - 4, CDN_FILEOK = CDN_FIRST - 5,
                      CDN_TYPECHANGE = CDN_FIRST - 6, CDN_INCLUDEITEM = CDN_FIRST - 7;
struct OFNOTIFYW {
  NMHDR hdr;
  LPOPENFILENAMEW lpOFN;
  LPWSTR pszFile;
};
struct OFNOTIFYA {
  NMHDR hdr;
  LPOPENFILENAMEA lpOFN;
  LPSTR pszFile;
};
using OFNOTIFY = OFNOTIFYA;
using LPOFNOTIFYA = OFNOTIFYA*;
using LPOFNOTIFYW = OFNOTIFYW*;

// Messages a hook sends to the dialog (the parent of its child dialog). The
// GET messages take the buffer size in wParam (characters for a W caller,
// bytes for an A caller) and the buffer in lParam, and return the size the
// text needs with its zero, or a negative value on failure; a buffer too
// small is left untouched.
inline constexpr UINT CDM_FIRST = WM_USER + 100;
inline constexpr UINT CDM_GETSPEC = CDM_FIRST + 0, CDM_GETFILEPATH = CDM_FIRST + 1, CDM_GETFOLDERPATH = CDM_FIRST + 2,
                      CDM_GETFOLDERIDLIST = CDM_FIRST + 3, CDM_SETCONTROLTEXT = CDM_FIRST + 4,
                      CDM_HIDECONTROL = CDM_FIRST + 5, CDM_SETDEFEXT = CDM_FIRST + 6;

BOOL GetOpenFileNameW(LPOPENFILENAMEW ofn);
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn);
BOOL GetSaveFileNameW(LPOPENFILENAMEW ofn);
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn);
inline BOOL GetOpenFileName(LPOPENFILENAMEA ofn) { return GetOpenFileNameA(ofn); }
inline BOOL GetSaveFileName(LPOPENFILENAMEA ofn) { return GetSaveFileNameA(ofn); }

// ---------------------------------------------------------------------------
// Colour

using LPCCHOOKPROC = UINT_PTR (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
struct CHOOSECOLORW {
  DWORD lStructSize;
  HWND hwndOwner;
  HWND hInstance;
  COLORREF rgbResult;
  COLORREF* lpCustColors;  // 16 colours
  DWORD Flags;
  LPARAM lCustData;
  LPCCHOOKPROC lpfnHook;
  LPCWSTR lpTemplateName;
};
struct CHOOSECOLORA {
  DWORD lStructSize;
  HWND hwndOwner;
  HWND hInstance;
  COLORREF rgbResult;
  COLORREF* lpCustColors;
  DWORD Flags;
  LPARAM lCustData;
  LPCCHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
};
using CHOOSECOLOR = CHOOSECOLORA;
using LPCHOOSECOLORA = CHOOSECOLORA*;
using LPCHOOSECOLORW = CHOOSECOLORW*;
inline constexpr DWORD CC_RGBINIT = 0x1, CC_FULLOPEN = 0x2, CC_PREVENTFULLOPEN = 0x4, CC_SHOWHELP = 0x8,
                       CC_ENABLEHOOK = 0x10, CC_ENABLETEMPLATE = 0x20, CC_ENABLETEMPLATEHANDLE = 0x40,
                       CC_SOLIDCOLOR = 0x80, CC_ANYCOLOR = 0x100;
// The colour dialog changes only rgbResult and the 16 custom colours, and
// only when the user chooses OK.
BOOL ChooseColorW(LPCHOOSECOLORW cc);
BOOL ChooseColorA(LPCHOOSECOLORA cc);
inline BOOL ChooseColor(LPCHOOSECOLORA cc) { return ChooseColorA(cc); }

// ---------------------------------------------------------------------------
// Print

using LPPRINTHOOKPROC = UINT_PTR (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
using LPSETUPHOOKPROC = UINT_PTR (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
struct PRINTDLGA {
  DWORD lStructSize;
  HWND hwndOwner;
  HGLOBAL hDevMode;
  HGLOBAL hDevNames;
  HDC hDC;
  DWORD Flags;
  WORD nFromPage;
  WORD nToPage;
  WORD nMinPage;
  WORD nMaxPage;
  WORD nCopies;
  HINSTANCE hInstance;
  LPARAM lCustData;
  LPPRINTHOOKPROC lpfnPrintHook;
  LPSETUPHOOKPROC lpfnSetupHook;
  LPCSTR lpPrintTemplateName;
  LPCSTR lpSetupTemplateName;
  HGLOBAL hPrintTemplate;
  HGLOBAL hSetupTemplate;
};
using PRINTDLG = PRINTDLGA;
using LPPRINTDLGA = PRINTDLGA*;
using LPPRINTDLG = PRINTDLGA*;
// Device names in one global block: the offsets (in characters from the
// block's start) of the driver, device and output port strings.
struct DEVNAMES {
  WORD wDriverOffset;
  WORD wDeviceOffset;
  WORD wOutputOffset;
  WORD wDefault;
};
using LPDEVNAMES = DEVNAMES*;
inline constexpr WORD DN_DEFAULTPRN = 0x0001;
inline constexpr DWORD PD_ALLPAGES = 0x0, PD_SELECTION = 0x1, PD_PAGENUMS = 0x2, PD_NOSELECTION = 0x4,
                       PD_NOPAGENUMS = 0x8, PD_COLLATE = 0x10, PD_PRINTTOFILE = 0x20, PD_PRINTSETUP = 0x40,
                       PD_NOWARNING = 0x80, PD_RETURNDC = 0x100, PD_RETURNIC = 0x200, PD_RETURNDEFAULT = 0x400,
                       PD_SHOWHELP = 0x800, PD_ENABLEPRINTHOOK = 0x1000, PD_ENABLESETUPHOOK = 0x2000,
                       PD_ENABLEPRINTTEMPLATE = 0x4000, PD_ENABLESETUPTEMPLATE = 0x8000,
                       PD_ENABLEPRINTTEMPLATEHANDLE = 0x10000, PD_ENABLESETUPTEMPLATEHANDLE = 0x20000,
                       PD_USEDEVMODECOPIES = 0x40000, PD_USEDEVMODECOPIESANDCOLLATE = 0x40000,
                       PD_DISABLEPRINTTOFILE = 0x80000, PD_HIDEPRINTTOFILE = 0x100000,
                       PD_NONETWORKBUTTON = 0x200000;
// hDevMode and hDevNames are movable global blocks: the caller's are used
// and updated, new ones are made when they are null; the caller frees them.
BOOL PrintDlgA(LPPRINTDLGA pd);
inline BOOL PrintDlg(LPPRINTDLGA pd) { return PrintDlgA(pd); }

// Printer properties: DocumentProperties with mode 0 returns the size of the
// printer's DEVMODE; DM_OUT_BUFFER writes the printer's settings (changed by
// an input DEVMODE with DM_IN_BUFFER, and by the user with DM_IN_PROMPT).
// Returns IDOK or IDCANCEL (the prompt cancelled), negative on failure.
inline constexpr DWORD DM_UPDATE = 1, DM_COPY = 2, DM_PROMPT = 4, DM_MODIFY = 8;
inline constexpr DWORD DM_OUT_DEFAULT = DM_UPDATE, DM_OUT_BUFFER = DM_COPY, DM_IN_PROMPT = DM_PROMPT,
                       DM_IN_BUFFER = DM_MODIFY;
LONG DocumentPropertiesA(HWND owner, HANDLE printer, LPSTR deviceName, DEVMODEA* output, DEVMODEA* input,
                         DWORD mode);
inline LONG DocumentProperties(HWND owner, HANDLE printer, LPSTR deviceName, DEVMODEA* output, DEVMODEA* input,
                               DWORD mode) {
  return DocumentPropertiesA(owner, printer, deviceName, output, input, mode);
}

// ---------------------------------------------------------------------------
// The folder picker

// An item list names one file-system folder: one item holding its UTF-8 path,
// then the empty item that ends every list.
struct SHITEMID {
  USHORT cb;
  BYTE abID[1];
};
struct ITEMIDLIST {
  SHITEMID mkid;
};
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;
using PCIDLIST_ABSOLUTE = const ITEMIDLIST*;

using BFFCALLBACK = int (*)(HWND window, UINT message, LPARAM lParam, LPARAM data);
struct BROWSEINFOA {
  HWND hwndOwner;
  PCIDLIST_ABSOLUTE pidlRoot;
  LPSTR pszDisplayName;  // MAX_PATH characters
  LPCSTR lpszTitle;
  UINT ulFlags;
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;
};
struct BROWSEINFOW {
  HWND hwndOwner;
  PCIDLIST_ABSOLUTE pidlRoot;
  LPWSTR pszDisplayName;
  LPCWSTR lpszTitle;
  UINT ulFlags;
  BFFCALLBACK lpfn;
  LPARAM lParam;
  int iImage;
};
using BROWSEINFO = BROWSEINFOA;
using LPBROWSEINFOA = BROWSEINFOA*;
using LPBROWSEINFOW = BROWSEINFOW*;
inline constexpr UINT BIF_RETURNONLYFSDIRS = 0x1, BIF_DONTGOBELOWDOMAIN = 0x2, BIF_STATUSTEXT = 0x4,
                      BIF_RETURNFSANCESTORS = 0x8, BIF_EDITBOX = 0x10, BIF_VALIDATE = 0x20,
                      BIF_NEWDIALOGSTYLE = 0x40, BIF_BROWSEINCLUDEFILES = 0x4000;
// Callback messages, and messages the callback sends to the picker.
inline constexpr UINT BFFM_INITIALIZED = 1, BFFM_SELCHANGED = 2, BFFM_VALIDATEFAILEDA = 3,
                      BFFM_VALIDATEFAILEDW = 4;
inline constexpr UINT BFFM_SETSTATUSTEXTA = WM_USER + 100, BFFM_ENABLEOK = WM_USER + 101,
                      BFFM_SETSELECTIONA = WM_USER + 102, BFFM_SETSELECTIONW = WM_USER + 103,
                      BFFM_SETSTATUSTEXTW = WM_USER + 104;
// Null when cancelled. The list is freed with CoTaskMemFree or the shell allocator.
PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info);
PIDLIST_ABSOLUTE SHBrowseForFolderW(LPBROWSEINFOW info);
inline PIDLIST_ABSOLUTE SHBrowseForFolder(LPBROWSEINFOA info) { return SHBrowseForFolderA(info); }
// path has room for MAX_PATH characters; FALSE when the list names no folder or the path does not fit.
BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE list, LPSTR path);
BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE list, LPWSTR path);
inline BOOL SHGetPathFromIDList(PCIDLIST_ABSOLUTE list, LPSTR path) { return SHGetPathFromIDListA(list, path); }
// The list of a folder given by its path (null when it is not a folder).
PIDLIST_ABSOLUTE ILCreateFromPathW(LPCWSTR path);
PIDLIST_ABSOLUTE ILCreateFromPathA(LPCSTR path);
UINT ILGetSize(PCIDLIST_ABSOLUTE list);
void ILFree(PIDLIST_ABSOLUTE list);

// The task allocator, and the shell allocator that is the same memory.
LPVOID CoTaskMemAlloc(SIZE_T bytes);
void CoTaskMemFree(LPVOID memory);
struct IMalloc {
  virtual HRESULT QueryInterface(const void* iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
  virtual void* Alloc(SIZE_T bytes) = 0;
  virtual void* Realloc(void* memory, SIZE_T bytes) = 0;
  virtual void Free(void* memory) = 0;
  virtual SIZE_T GetSize(void* memory) = 0;
  virtual int DidAlloc(void* memory) = 0;
  virtual void HeapMinimize() = 0;

 protected:
  ~IMalloc() = default;
};
using LPMALLOC = IMalloc*;
HRESULT SHGetMalloc(LPMALLOC* allocator);
