// Menus of the designer: finding a command, the conversion of a whole menu
// tree to owner-drawn items (the skinned look draws them from their
// records), renaming a converted item, and the popup for picking a control
// character.
#pragma once

#include <array>

#include "foundation/build.h"
#include "foundation/string/astring.h"
#include "platform/framework.h"

FOUNDATION_BEGIN

// What an owner-drawn item draws from, made for every converted item. The
// caller owns the records.
struct MenuItemRecord {
  AString text;
  int cachedWidth = 0;  // kept by the menu-drawing code; 0 until measured
  MenuItemRecord* parent = nullptr;  // the record of the popup item above, null at the top
  int widestShortcut = 0;  // on a popup item's record: its items' widest shortcut (pixels)
};

// 1 when an item of the menu itself (not its submenus) has the command id.
int MenuHasCommand(HMENU menu, UINT id);
// The first owner-drawn item with the id, depth first, takes the text when
// its record's differs (the record's cached width cleared, the item put back
// at its place with the text and made owner-drawn again); 1 when an item
// changed, else 0.
int RenameMenuItem(HMENU menu, UINT id, const char* text);
// Converts every item with a non-zero id and a text (up to 1024 characters)
// to an owner-drawn item whose item data is a new record, stored at
// records[*count] and counted; submenus are converted below their item's
// record. With rebuild each item is first removed and inserted again with
// its text. Items past `capacity` records stay as they are. Returns *count.
int MakeMenuOwnerDrawn(HMENU menu, MenuItemRecord** records, int* count, int capacity, MenuItemRecord* parent,
                       bool rebuild);
// The same on the framework's menu objects.
inline int MenuHasCommand(CMenu& menu, UINT id) { return MenuHasCommand(menu.m_hMenu, id); }
inline int RenameMenuItem(CMenu& menu, UINT id, const char* text) { return RenameMenuItem(menu.m_hMenu, id, text); }
inline int MakeMenuOwnerDrawn(CMenu& menu, MenuItemRecord** records, int* count, int capacity, MenuItemRecord* parent,
                              bool rebuild) {
  return MakeMenuOwnerDrawn(menu.m_hMenu, records, count, capacity, parent, rebuild);
}

// Names of the control characters 0 to 31, as the menu shows them (upper-cased).
inline constexpr std::array<const char*, 32> kControlCharNames = {
    "nul", "soh", "stx", "etx", "eot", "enq", "ack", "bel", "bs",  "ht",  "lf",  "vt",  "ff",  "cr",  "so",  "si",
    "dle", "dcl", "dc2", "dc3", "dc4", "nak", "syn", "etb", "can", "em",  "sub", "esc", "fs",  "gs",  "rs",  "us"};
inline constexpr UINT kControlCharCommandBase = 100;
// The text of the menu item of a control character 1..31.
AString ControlCharMenuText(int code);
// A popup of the control characters 1 to 31 at screen point (x, y), tracked
// with the right button; the chosen code, or -1 when dismissed.
int PickControlCharMenu(int x, int y, HWND owner);

FOUNDATION_END
