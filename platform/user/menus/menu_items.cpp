// Menu objects and the calls that build, change and read them.
#include <algorithm>

#include "platform/kernel/handle_table.h"
#include "platform/kernel/kernel.h"
#include "platform/nls/nls.h"
#include "platform/nls/nls_text.h"
#include "platform/user/menus/menu_model.h"

namespace menus {

std::shared_ptr<Menu> Find(HMENU menu) { return handles::Lookup<Menu>(menu, HandleKind::Menu); }

HMENU MakeMenu(bool popup) {
  auto m = std::make_shared<Menu>();
  m->popup = popup;
  return handles::Create<HMENU>(HandleKind::Menu, m);
}

UINT_PTR ReportedId(const MenuItem& item) {
  return item.submenu ? reinterpret_cast<UINT_PTR>(item.submenu) : item.id;
}

MenuItem* FindItem(HMENU menu, UINT item, UINT flags, HMENU* owner) {
  std::shared_ptr<Menu> m = Find(menu);
  if (!m) return nullptr;
  if (flags & MF_BYPOSITION) {
    if (item >= m->items.size()) return nullptr;
    if (owner) *owner = menu;
    return &m->items[item];
  }
  for (MenuItem& i : m->items) {
    if (!i.submenu && i.id == item) {
      if (owner) *owner = menu;
      return &i;
    }
  }
  for (MenuItem& i : m->items) {
    if (i.submenu) {
      if (MenuItem* found = FindItem(i.submenu, item, flags, owner)) return found;
      if (i.id == item && i.id != 0) {
        if (owner) *owner = menu;
        return &i;
      }
    }
  }
  return nullptr;
}

namespace {

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

// An item from the classic MF_* flags.
bool FromFlags(UINT flags, UINT_PTR idOrPopup, LPCWSTR text, MenuItem& item) {
  item.type = flags & (MFT_OWNERDRAW | MFT_SEPARATOR | MFT_MENUBARBREAK | MFT_MENUBREAK | MFT_RIGHTJUSTIFY | MFT_BITMAP);
  item.state = flags & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT);
  if (flags & MF_POPUP) {
    item.submenu = reinterpret_cast<HMENU>(idOrPopup);
    if (!Find(item.submenu)) return false;
  } else {
    item.id = static_cast<UINT>(idOrPopup);
  }
  if (flags & MF_OWNERDRAW) item.data = reinterpret_cast<ULONG_PTR>(text);
  else if (flags & MF_BITMAP) item.bitmap = reinterpret_cast<HBITMAP>(const_cast<LPWSTR>(text));
  else if (!(flags & MF_SEPARATOR) && text) item.text = text;
  return true;
}

size_t Position(const Menu& m, UINT position, UINT flags, bool& found) {
  found = true;
  if (flags & MF_BYPOSITION) {
    if (position == static_cast<UINT>(-1) || position >= m.items.size()) return m.items.size();
    return position;
  }
  for (size_t i = 0; i < m.items.size(); ++i)
    if (m.items[i].id == position && !m.items[i].submenu) return i;
  found = false;
  return m.items.size();
}

void Changed(const Menu& m) {
  if (m.window) DrawMenuBar(m.window);
}

std::u16string Wide(LPCSTR text) { return nls::ToUtf16(CP_ACP, nls::OrEmpty(text)); }

void Destroy(HMENU menu, int depth) {
  std::shared_ptr<Menu> m = handles::Take<Menu>(menu, HandleKind::Menu);
  if (!m || depth > 32) return;
  for (MenuItem& i : m->items)
    if (i.submenu) Destroy(i.submenu, depth + 1);
}

}  // namespace
}  // namespace menus

using namespace menus;

HMENU CreateMenu() { return MakeMenu(false); }
HMENU CreatePopupMenu() { return MakeMenu(true); }
BOOL IsMenu(HMENU menu) { return Find(menu) != nullptr; }

BOOL DestroyMenu(HMENU menu) {
  if (!Find(menu)) return Fail(ERROR_INVALID_MENU_HANDLE);
  Destroy(menu, 0);
  return TRUE;
}

BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR item) {
  std::shared_ptr<Menu> m = Find(menu);
  if (!m) return Fail(ERROR_INVALID_MENU_HANDLE);
  MenuItem made;
  if (!FromFlags(flags, idOrPopup, item, made)) return Fail(ERROR_INVALID_MENU_HANDLE);
  bool found = false;
  const size_t at = Position(*m, position, flags, found);
  m->items.insert(m->items.begin() + static_cast<long>(at), std::move(made));
  Changed(*m);
  return TRUE;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCWSTR item) {
  return InsertMenuW(menu, static_cast<UINT>(-1), flags | MF_BYPOSITION, idOrPopup, item);
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR item) {
  if (flags & (MF_OWNERDRAW | MF_BITMAP | MF_SEPARATOR))
    return AppendMenuW(menu, flags, idOrPopup, reinterpret_cast<LPCWSTR>(item));
  const std::u16string text = Wide(item);
  return AppendMenuW(menu, flags, idOrPopup, item ? text.c_str() : nullptr);
}

BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrPopup, LPCWSTR item) {
  HMENU owner = nullptr;
  MenuItem* target = FindItem(menu, position, flags, &owner);
  if (!target) return Fail(ERROR_MENU_ITEM_NOT_FOUND);
  MenuItem made;
  if (!FromFlags(flags, idOrPopup, item, made)) return Fail(ERROR_INVALID_MENU_HANDLE);
  *target = std::move(made);
  Changed(*Find(owner));
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  HMENU owner = nullptr;
  MenuItem* target = FindItem(menu, position, flags, &owner);
  if (!target) return Fail(ERROR_MENU_ITEM_NOT_FOUND);
  if (target->submenu) Destroy(target->submenu, 0);
  return RemoveMenu(owner, static_cast<UINT>(target - Find(owner)->items.data()), MF_BYPOSITION);
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  HMENU owner = nullptr;
  MenuItem* target = FindItem(menu, position, flags, &owner);
  if (!target) return Fail(ERROR_MENU_ITEM_NOT_FOUND);
  std::shared_ptr<Menu> m = Find(owner);
  m->items.erase(m->items.begin() + (target - m->items.data()));
  Changed(*m);
  return TRUE;
}

int GetMenuItemCount(HMENU menu) {
  std::shared_ptr<Menu> m = Find(menu);
  if (!m) return Fail(ERROR_INVALID_MENU_HANDLE), -1;
  return static_cast<int>(m->items.size());
}

UINT GetMenuItemID(HMENU menu, int position) {
  const MenuItem* item = position < 0 ? nullptr : FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
  if (!item || item->submenu) return static_cast<UINT>(-1);
  return item->id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  const MenuItem* item = position < 0 ? nullptr : FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION);
  return item ? item->submenu : nullptr;
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR text, int size, UINT flags) {
  const MenuItem* found = FindItem(menu, item, flags);
  if (!found) return Fail(ERROR_MENU_ITEM_NOT_FOUND), 0;
  if (!text || size <= 0) return static_cast<int>(found->text.size());
  const size_t n = std::min<size_t>(found->text.size(), static_cast<size_t>(size - 1));
  std::copy_n(found->text.data(), n, text);
  text[n] = u'\0';
  return static_cast<int>(n);
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR text, int size, UINT flags) {
  const MenuItem* found = FindItem(menu, item, flags);
  if (!found) return Fail(ERROR_MENU_ITEM_NOT_FOUND), 0;
  const int units = static_cast<int>(found->text.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, found->text.data(), units, nullptr, 0, nullptr, nullptr);
  if (!text || size <= 0) return bytes;
  std::string narrow(static_cast<size_t>(std::max(bytes, 0)), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, found->text.data(), units, narrow.data(), bytes, nullptr, nullptr);
  const size_t n = std::min<size_t>(narrow.size(), static_cast<size_t>(size - 1));
  std::copy_n(narrow.data(), n, text);
  text[n] = '\0';
  return static_cast<int>(n);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT check) {
  MenuItem* found = FindItem(menu, item, check);
  if (!found) return static_cast<DWORD>(-1);
  const DWORD before = found->state & MFS_CHECKED;
  found->state = (found->state & ~MFS_CHECKED) | (check & MF_CHECKED);
  return before;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  HMENU owner = nullptr;
  MenuItem* found = FindItem(menu, item, enable, &owner);
  if (!found) return -1;
  const BOOL before = static_cast<BOOL>(found->state & MFS_GRAYED);
  found->state = (found->state & ~MFS_GRAYED) | (enable & MFS_GRAYED);
  Changed(*Find(owner));
  return before;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  const MenuItem* found = FindItem(menu, item, flags);
  if (!found) return static_cast<UINT>(-1);
  UINT state = found->type | found->state;
  if (found->submenu) state |= MF_POPUP | (static_cast<UINT>(GetMenuItemCount(found->submenu)) << 8);
  return state;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  bool any = false;
  for (UINT i = first; i <= last && i >= first; ++i) {
    MenuItem* found = FindItem(menu, i, flags);
    if (!found) continue;
    any = true;
    found->state = (found->state & ~MFS_CHECKED) | (i == check ? MFS_CHECKED : 0);
    if (i == check) found->type |= MFT_RADIOCHECK;
  }
  return any;
}

BOOL InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info) {
  std::shared_ptr<Menu> m = Find(menu);
  if (!m) return Fail(ERROR_INVALID_MENU_HANDLE);
  if (!info || info->cbSize != sizeof(MENUITEMINFOW)) return Fail(ERROR_INVALID_PARAMETER);
  bool found = false;
  const size_t at = Position(*m, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, found);
  m->items.insert(m->items.begin() + static_cast<long>(at), MenuItem{});
  return SetMenuItemInfoW(menu, static_cast<UINT>(at), TRUE, info);
}

BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOW info) {
  if (!info || info->cbSize != sizeof(MENUITEMINFOW)) return Fail(ERROR_INVALID_PARAMETER);
  HMENU owner = nullptr;
  MenuItem* found = FindItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND, &owner);
  if (!found) return Fail(ERROR_MENU_ITEM_NOT_FOUND);
  if (info->fMask & (MIIM_FTYPE | MIIM_TYPE)) found->type = info->fType;
  if (info->fMask & MIIM_STATE) found->state = info->fState;
  if (info->fMask & MIIM_ID) found->id = info->wID;
  if (info->fMask & MIIM_SUBMENU) {
    if (info->hSubMenu && !Find(info->hSubMenu)) return Fail(ERROR_INVALID_MENU_HANDLE);
    found->submenu = info->hSubMenu;
  }
  if (info->fMask & MIIM_DATA) found->data = info->dwItemData;
  if (info->fMask & MIIM_BITMAP) found->bitmap = info->hbmpItem;
  // The old form names the bitmap in the text's place.
  if ((info->fMask & MIIM_TYPE) && (info->fType & MFT_BITMAP))
    found->bitmap = reinterpret_cast<HBITMAP>(info->dwTypeData);
  if ((info->fMask & MIIM_STRING) || ((info->fMask & MIIM_TYPE) && !(info->fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW))))
    found->text = info->dwTypeData ? info->dwTypeData : u"";
  Changed(*Find(owner));
  return TRUE;
}

BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOW info) {
  if (!info || info->cbSize != sizeof(MENUITEMINFOW)) return Fail(ERROR_INVALID_PARAMETER);
  const MenuItem* found = FindItem(menu, item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
  if (!found) return Fail(ERROR_MENU_ITEM_NOT_FOUND);
  if (info->fMask & (MIIM_FTYPE | MIIM_TYPE)) info->fType = found->type;
  if (info->fMask & MIIM_STATE) info->fState = found->state;
  if (info->fMask & MIIM_ID) info->wID = found->id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = found->submenu;
  if (info->fMask & MIIM_DATA) info->dwItemData = found->data;
  if (info->fMask & MIIM_BITMAP) info->hbmpItem = found->bitmap;
  if (info->fMask & (MIIM_STRING | MIIM_TYPE)) {
    // Copies at most cch - 1 characters and a zero; cch comes back as the length.
    if (info->dwTypeData && info->cch > 0) {
      const size_t n = std::min<size_t>(found->text.size(), info->cch - 1);
      std::copy_n(found->text.data(), n, info->dwTypeData);
      info->dwTypeData[n] = u'\0';
    }
    info->cch = static_cast<UINT>(found->text.size());
  }
  return TRUE;
}
