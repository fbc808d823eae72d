// Menus and accelerators: menu objects in the layer's handle table, built by
// calls or from menu templates (LoadMenu, LoadMenuIndirect), menu bars drawn
// in their window's non-client area, popups that are windows of their own
// tracked by a real nested loop (TrackPopupMenu, TPM_RETURNCMD), owner-drawn
// items (WM_MEASUREITEM / WM_DRAWITEM), check marks, separators, mnemonics,
// WM_INITMENUPOPUP and WM_MENUSELECT; accelerator tables and
// TranslateAccelerator.
#pragma once

#include "platform/kernel/types.h"
#include "platform/kernel/kernel.h"
#include "platform/user/user.h"

struct HACCEL__;
using HACCEL = HACCEL__*;

inline constexpr DWORD ERROR_MENU_ITEM_NOT_FOUND = 1456;
inline constexpr DWORD ERROR_INVALID_ACCEL_HANDLE = 1403;

inline constexpr UINT MF_INSERT = 0x0, MF_CHANGE = 0x80, MF_APPEND = 0x100, MF_DELETE = 0x200, MF_REMOVE = 0x1000,
                      MF_BYCOMMAND = 0x0, MF_BYPOSITION = 0x400, MF_SEPARATOR = 0x800, MF_ENABLED = 0x0,
                      MF_GRAYED = 0x1, MF_DISABLED = 0x2, MF_UNCHECKED = 0x0, MF_CHECKED = 0x8,
                      MF_USECHECKBITMAPS = 0x200, MF_STRING = 0x0, MF_BITMAP = 0x4, MF_OWNERDRAW = 0x100,
                      MF_POPUP = 0x10, MF_MENUBARBREAK = 0x20, MF_MENUBREAK = 0x40, MF_UNHILITE = 0x0,
                      MF_HILITE = 0x80, MF_DEFAULT = 0x1000, MF_RIGHTJUSTIFY = 0x4000, MF_HELP = 0x4000;
inline constexpr UINT MFT_STRING = 0x0, MFT_BITMAP = 0x4, MFT_MENUBARBREAK = 0x20, MFT_MENUBREAK = 0x40,
                      MFT_OWNERDRAW = 0x100, MFT_RADIOCHECK = 0x200, MFT_SEPARATOR = 0x800,
                      MFT_RIGHTORDER = 0x2000, MFT_RIGHTJUSTIFY = 0x4000;
inline constexpr UINT MFS_GRAYED = 0x3, MFS_DISABLED = 0x3, MFS_CHECKED = 0x8, MFS_HILITE = 0x80, MFS_ENABLED = 0x0,
                      MFS_UNCHECKED = 0x0, MFS_UNHILITE = 0x0, MFS_DEFAULT = 0x1000;
inline constexpr UINT MIIM_STATE = 0x1, MIIM_ID = 0x2, MIIM_SUBMENU = 0x4, MIIM_CHECKMARKS = 0x8, MIIM_TYPE = 0x10,
                      MIIM_DATA = 0x20, MIIM_STRING = 0x40, MIIM_BITMAP = 0x80, MIIM_FTYPE = 0x100;
inline constexpr UINT TPM_LEFTBUTTON = 0x0, TPM_RIGHTBUTTON = 0x2, TPM_LEFTALIGN = 0x0, TPM_CENTERALIGN = 0x4,
                      TPM_RIGHTALIGN = 0x8, TPM_TOPALIGN = 0x0, TPM_VCENTERALIGN = 0x10, TPM_BOTTOMALIGN = 0x20,
                      TPM_NONOTIFY = 0x80, TPM_RETURNCMD = 0x100;
inline constexpr UINT WM_UNINITMENUPOPUP = 0x0125;
inline constexpr UINT MF_SYSMENU = 0x2000, MF_MOUSESELECT = 0x8000;
// WM_MENUCHAR answers (high word): what the menu does with the key.
inline constexpr WORD MNC_IGNORE = 0, MNC_CLOSE = 1, MNC_EXECUTE = 2, MNC_SELECT = 3;
// Predefined menu-item pictures (MF_BITMAP / MIIM_BITMAP): the window menu's
// icon and the menu bar's buttons of a maximised document window.
inline const HBITMAP HBMMENU_SYSTEM = reinterpret_cast<HBITMAP>(1);
inline const HBITMAP HBMMENU_MBAR_RESTORE = reinterpret_cast<HBITMAP>(2);
inline const HBITMAP HBMMENU_MBAR_MINIMIZE = reinterpret_cast<HBITMAP>(3);
inline const HBITMAP HBMMENU_MBAR_CLOSE = reinterpret_cast<HBITMAP>(5);
inline constexpr BYTE FVIRTKEY = 0x01, FNOINVERT = 0x02, FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10;

struct MENUITEMINFOW {
  UINT cbSize;
  UINT fMask;
  UINT fType;
  UINT fState;
  UINT wID;
  HMENU hSubMenu;
  HBITMAP hbmpChecked;
  HBITMAP hbmpUnchecked;
  ULONG_PTR dwItemData;
  LPWSTR dwTypeData;
  UINT cch;
  HBITMAP hbmpItem;
};
using LPMENUITEMINFOW = MENUITEMINFOW*;
using LPCMENUITEMINFOW = const MENUITEMINFOW*;

struct ACCEL {
  BYTE fVirt;
  WORD key;
  WORD cmd;
};
using LPACCEL = ACCEL*;

HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);  // and its submenus
BOOL IsMenu(HMENU menu);
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCWSTR item);
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR item);
BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR item);
BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR item);
BOOL InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info);
BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOW info);
BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);  // destroys a submenu
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);  // keeps it
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
// At most size - 1 characters and a zero; size 0 asks for the length.
int GetMenuStringW(HMENU menu, UINT item, LPWSTR text, int size, UINT flags);
int GetMenuStringA(HMENU menu, UINT item, LPSTR text, int size, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name);
HMENU LoadMenuA(HINSTANCE instance, LPCSTR name);
inline HMENU LoadMenu(HINSTANCE instance, LPCSTR name) { return LoadMenuA(instance, name); }
// The template's size is unknown here: one inside a registered resource is
// read within it, one built in memory is trusted as far as it goes.
HMENU LoadMenuIndirectW(const void* menuTemplate);
BOOL SetMenu(HWND window, HMENU menu);
// The window menu (system menu): Restore, Move, Size, Minimize, Maximize and
// Close, a copy per window made on first use; `revert` drops the copy and
// returns null.
HMENU GetSystemMenu(HWND window, BOOL revert);
HMENU GetMenu(HWND window);
// An item of a window's menu bar (or of a popup shown in `window`) as last
// laid out, in screen coordinates.
BOOL GetMenuItemRect(HWND window, HMENU menu, UINT item, LPRECT rect);
BOOL DrawMenuBar(HWND window);
// Runs a popup until an item is chosen or the popup is dismissed. With
// TPM_RETURNCMD returns the chosen id (0 for none); otherwise posts
// WM_COMMAND to owner and returns whether an item was chosen.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* ignored);
BOOL EndMenu();

HACCEL CreateAcceleratorTableW(LPACCEL entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
// Copies at most count entries; a null buffer asks for the count.
int CopyAcceleratorTableW(HACCEL table, LPACCEL entries, int count);
HACCEL LoadAcceleratorsW(HINSTANCE instance, LPCWSTR name);
HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR name);
inline HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name) { return LoadAcceleratorsA(instance, name); }
int TranslateAcceleratorW(HWND window, HACCEL table, LPMSG msg);
inline int TranslateAccelerator(HWND window, HACCEL table, LPMSG msg) { return TranslateAcceleratorW(window, table, msg); }

namespace user {
// For tests: called once with the popup window of the next menu loop, once it
// is shown; the callback may post keys or take a picture.
using MenuLoopHook = void (*)(HWND popup, void* context);
void SetMenuLoopHook(MenuLoopHook hook, void* context);
}  // namespace user
