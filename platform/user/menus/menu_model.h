// The menu object behind an HMENU, shared by the menu calls, the menu bar and
// popup tracking.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/user/menus/menus.h"

namespace menus {

struct MenuItem {
  UINT type = MFT_STRING;  // MFT_* (MF_OWNERDRAW = MFT_OWNERDRAW, MF_SEPARATOR = MFT_SEPARATOR)
  UINT state = 0;          // MFS_*
  UINT id = 0;
  HMENU submenu = nullptr;
  ULONG_PTR data = 0;
  std::u16string text;
  HBITMAP bitmap = nullptr;  // MFT_BITMAP: a bitmap, or one of the HBMMENU_* pictures
  // Laid out by the bar or popup that shows the item.
  RECT rect{};
};

struct Menu {
  std::vector<MenuItem> items;
  bool popup = false;
  HWND window = nullptr;  // the window whose bar it is
  HWND systemOf = nullptr;  // a window menu (system menu): the window its commands go to
};

std::shared_ptr<Menu> Find(HMENU menu);
// The item by command (searching submenus) or by position; its menu in *owner.
MenuItem* FindItem(HMENU menu, UINT item, UINT flags, HMENU* owner = nullptr);
HMENU MakeMenu(bool popup);
// The command id of an item as menus report it: its submenu for a popup.
UINT_PTR ReportedId(const MenuItem& item);

}  // namespace menus

namespace menus {
std::shared_ptr<std::vector<ACCEL>> FindAccelerators(HACCEL table);
// How one popup's loop ended: a command chosen, the menu left (a click
// elsewhere), Esc (back one level), Left/Right along the menu bar, or the
// pointer onto another bar item.
struct Outcome {
  enum Kind { Chosen, Cancelled, Escaped, MoveLeft, MoveRight, MoveTo } kind = Cancelled;
  UINT id = 0;  // the command chosen, or the bar item moved to
  HWND system = nullptr;  // chosen from a window menu: the window that hears WM_SYSCOMMAND
};
// Where a submenu opens beside the parent item `item` (screen coordinates)
// of a popup whose window rectangle is `parent`: just right of the parent's
// edge, its first item level with the parent item; to the left when the
// screen's right edge is in the way.
POINT SubmenuOrigin(const RECT& parent, const RECT& item, SIZE size);
// Where a popup of `size` opened at a screen point goes: aligned to the
// point as the TPM_* flags ask, then kept in the work area as Windows keeps
// it: past an edge it goes to the other side of the point (above it, left
// of it) where it fits there, else it is moved in up to the edge.
POINT PopupOrigin(POINT at, SIZE size, UINT flags);
// Posts the command an ended menu loop chose: WM_COMMAND to the owner, or
// WM_SYSCOMMAND to the window whose window menu it came from.
void PostChoice(HWND owner, const Outcome& outcome);
// The window menu of `window` opened by the keyboard (Alt+Space) or by a
// click on the caption's icon, tracked until it ends; the choice is posted
// as WM_SYSCOMMAND.
void TrackSystemMenu(HWND window, bool keyboard);
// Where a popup opens: at a screen point, or beside an item of its parent
// popup (both rectangles on the screen).
struct Anchor {
  POINT at{};
  const RECT* parent = nullptr;
  const RECT* item = nullptr;
  UINT flags = 0;  // TPM_* alignment to the point
};
// Shows `menu` at a screen point and tracks it until it ends. A popup opened
// from the bar passes Left/Right back; one opened by a key starts with its
// first item selected.
Outcome RunPopup(HMENU menu, HWND owner, Anchor anchor, int depth, bool fromBar, bool selectFirst);
// Whether this thread is inside a menu loop (the keyboard's menu key then
// does not start another).
bool InMenuLoop();
struct InLoopGuard {
  InLoopGuard();
  ~InLoopGuard();
  InLoopGuard(const InLoopGuard&) = delete;
  InLoopGuard& operator=(const InLoopGuard&) = delete;
};
// The bar item of `window` under a screen point when it is not the one open, or -1.
int OtherBarItemAt(HWND window, POINT screen);
// The item whose mnemonic is `ch` (case ignored), or -1.
int MnemonicItem(const Menu& m, WCHAR ch);
// The non-client area's menu bar, drawn by the window system's frame painter.
void PaintMenuBar(HWND window, HDC dc, const RECT& bar);
// A click on the menu bar at a screen point: tracks the item's popup.
void TrackMenuBar(HWND window, POINT screen);
// WM_SYSCOMMAND SC_KEYMENU: the bar from the keyboard. `ch` 0 (Alt or F10
// alone) selects the first item; a character opens the item it is the
// mnemonic of.
void KeyboardMenuBar(HWND window, WCHAR ch);
}  // namespace menus
