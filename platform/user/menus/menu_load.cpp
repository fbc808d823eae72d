// Menus and accelerator tables from resources and templates.
#include <vector>

#include "platform/kernel/handle_table.h"
#include "platform/resource/accelerator_table.h"
#include "platform/resource/menu_template.h"
#include "platform/resource/resource_internal.h"
#include "platform/user/controls/controls.h"
#include "platform/user/menus/menu_model.h"

namespace menus {
namespace {

constexpr WORD kMenuType = 4, kAcceleratorType = 9;
constexpr size_t kUnboundedTemplate = 1u << 20;

bool Build(HMENU menu, const std::vector<resource::MenuItemTemplate>& items, bool extended) {
  for (const resource::MenuItemTemplate& t : items) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    if (extended) {
      info.fType = t.flags;
      info.fState = t.state;
    } else {
      // The standard layout's option flags: MF_GRAYED/MF_DISABLED/MF_CHECKED
      // are states, the rest types.
      info.fType = t.flags & ~(MF_GRAYED | MF_DISABLED | MF_CHECKED);
      info.fState = (t.flags & (MF_GRAYED | MF_DISABLED) ? MFS_GRAYED : 0) | (t.flags & MF_CHECKED);
      if (t.text.empty() && !t.popup && t.id == 0) info.fType |= MFT_SEPARATOR;
    }
    info.wID = t.id;
    info.dwTypeData = const_cast<LPWSTR>(t.text.c_str());
    if (t.popup) {
      info.hSubMenu = CreatePopupMenu();
      if (!Build(info.hSubMenu, t.children, extended)) return false;
    }
    if (!InsertMenuItemW(menu, static_cast<UINT>(-1), TRUE, &info)) return false;
  }
  return true;
}

HMENU FromBytes(std::span<const uint8_t> bytes) {
  resource::MenuTemplate t;
  if (!resource::ParseMenuTemplate(bytes, t)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  HMENU menu = CreateMenu();
  if (!Build(menu, t.items, t.extended)) {
    DestroyMenu(menu);
    return nullptr;
  }
  return menu;
}

HMENU Load(HINSTANCE instance, const std::optional<resource::ResName>& name) {
  if (!name) return SetLastError(ERROR_INVALID_PARAMETER), nullptr;
  const auto data = resource::FindResourceData(instance, resource::ResName{kMenuType, {}}, *name);
  return data ? FromBytes(*data) : nullptr;
}

struct AcceleratorTable {
  std::vector<ACCEL> entries;
};

HACCEL LoadTable(HINSTANCE instance, const std::optional<resource::ResName>& name) {
  if (!name) return SetLastError(ERROR_INVALID_PARAMETER), nullptr;
  const auto data = resource::FindResourceData(instance, resource::ResName{kAcceleratorType, {}}, *name);
  if (!data) return nullptr;
  std::vector<resource::AcceleratorEntry> parsed;
  if (!resource::ParseAcceleratorTable(*data, parsed)) return SetLastError(ERROR_INVALID_DATA), nullptr;
  std::vector<ACCEL> entries;
  for (const auto& e : parsed) entries.push_back(ACCEL{e.flags, e.key, e.command});
  return CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size()));
}

}  // namespace

std::shared_ptr<std::vector<ACCEL>> FindAccelerators(HACCEL table) {
  return handles::Lookup<std::vector<ACCEL>>(table, HandleKind::Accelerator);
}

}  // namespace menus

using namespace menus;

HMENU LoadMenuW(HINSTANCE instance, LPCWSTR name) { return Load(instance, resource::KeyFromW(name)); }
HMENU LoadMenuA(HINSTANCE instance, LPCSTR name) { return Load(instance, resource::KeyFromA(name)); }

HMENU LoadMenuIndirectW(const void* menuTemplate) {
  if (!menuTemplate) return SetLastError(ERROR_INVALID_PARAMETER), nullptr;
  std::span<const uint8_t> bytes = resource::RegisteredDataFrom(menuTemplate);
  if (bytes.empty()) bytes = {static_cast<const uint8_t*>(menuTemplate), kUnboundedTemplate};
  return FromBytes(bytes);
}

HACCEL CreateAcceleratorTableW(LPACCEL entries, int count) {
  if (!entries || count <= 0) return SetLastError(ERROR_INVALID_PARAMETER), nullptr;
  auto table = std::make_shared<std::vector<ACCEL>>(entries, entries + count);
  return handles::Create<HACCEL>(HandleKind::Accelerator, table);
}

BOOL DestroyAcceleratorTable(HACCEL table) {
  if (!handles::Take<std::vector<ACCEL>>(table, HandleKind::Accelerator)) {
    SetLastError(ERROR_INVALID_ACCEL_HANDLE);
    return FALSE;
  }
  return TRUE;
}

int CopyAcceleratorTableW(HACCEL table, LPACCEL entries, int count) {
  auto t = FindAccelerators(table);
  if (!t) return SetLastError(ERROR_INVALID_ACCEL_HANDLE), 0;
  if (!entries) return static_cast<int>(t->size());
  const int n = std::min(count, static_cast<int>(t->size()));
  for (int i = 0; i < n; ++i) entries[i] = (*t)[static_cast<size_t>(i)];
  return std::max(n, 0);
}

HACCEL LoadAcceleratorsW(HINSTANCE instance, LPCWSTR name) { return LoadTable(instance, resource::KeyFromW(name)); }
HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR name) { return LoadTable(instance, resource::KeyFromA(name)); }

int TranslateAcceleratorW(HWND window, HACCEL table, LPMSG msg) {
  auto t = FindAccelerators(table);
  if (!t || !msg || !IsWindow(window)) return 0;
  const bool key = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
  const bool character = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
  if (!key && !character) return 0;
  const BYTE held = (GetKeyState(VK_SHIFT) < 0 ? FSHIFT : 0) | (GetKeyState(VK_CONTROL) < 0 ? FCONTROL : 0) |
                    (GetKeyState(VK_MENU) < 0 ? FALT : 0);
  for (const ACCEL& a : *t) {
    const bool virtualKey = (a.fVirt & FVIRTKEY) != 0;
    if (virtualKey != key || a.key != msg->wParam) continue;
    // Virtual keys match the modifiers exactly; characters are what was typed.
    if (virtualKey && (a.fVirt & (FSHIFT | FCONTROL | FALT)) != held) continue;
    if (!virtualKey && (a.fVirt & FALT) && !(held & FALT)) continue;
    // A command of the window's menu that is disabled is not sent.
    if (HMENU menu = GetMenu(window)) {
      const UINT state = GetMenuState(menu, a.cmd, MF_BYCOMMAND);
      if (state != static_cast<UINT>(-1) && (state & MFS_GRAYED)) return 1;
    }
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
    return 1;
  }
  return 0;
}
