// Menu templates (the standard layout and the extended MENUEX one) read into
// one typed tree from which menus are built.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/kernel/types.h"

namespace resource {

struct MenuItemTemplate {
  // Standard layout: the item's MF_* option flags (without MF_POPUP/MF_END).
  // Extended layout: its MFT_* type and MFS_* state.
  UINT flags = 0;
  UINT state = 0;
  UINT id = 0;
  DWORD helpId = 0;  // extended popups
  std::u16string text;
  bool popup = false;
  std::vector<MenuItemTemplate> children;
};

struct MenuTemplate {
  bool extended = false;
  DWORD helpId = 0;
  std::vector<MenuItemTemplate> items;
};

// Popups nest at most this deep; deeper data is refused rather than followed.
inline constexpr int kMenuMaxDepth = 32;

bool ParseMenuTemplate(std::span<const uint8_t> data, MenuTemplate& out);

}  // namespace resource
