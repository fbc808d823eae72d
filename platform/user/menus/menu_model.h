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
  // Laid out by the bar or popup that shows the item.
  RECT rect{};
};

struct Menu {
  std::vector<MenuItem> items;
  bool popup = false;
  HWND window = nullptr;  // the window whose bar it is
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
// The non-client area's menu bar, drawn by the window system's frame painter.
void PaintMenuBar(HWND window, HDC dc, const RECT& bar);
// A click on the menu bar at a screen point: tracks the item's popup.
void TrackMenuBar(HWND window, POINT screen);
}  // namespace menus
