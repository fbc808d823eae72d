// Menu search, the owner-drawn conversion of a menu tree and renaming in it,
// and the control-character popup.
#include "foundation/window_helpers/menu_helpers.h"

#include <string>

#include "platform/nls/nls_text.h"

FOUNDATION_BEGIN
namespace {

constexpr int kMaxItemText = 1024;

std::u16string Wide(const char* text) { return nls::ToUtf16(CP_ACP, nls::OrEmpty(text)); }

bool MakeOwnerDrawn(HMENU menu, int position, MenuItemRecord* record) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_DATA;
  info.fType = MFT_OWNERDRAW;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(record);
  return SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) != FALSE;
}

// Puts an item back at its place with a new text: a popup keeps its submenu.
void Reinsert(HMENU menu, int position, UINT id, HMENU submenu, const char* text) {
  RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
  const std::u16string wide = Wide(text);
  if (submenu)
    InsertMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                wide.c_str());
  else
    InsertMenuW(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING, id, wide.c_str());
}

}  // namespace

int MenuHasCommand(HMENU menu, UINT id) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i)
    if (GetMenuItemID(menu, i) == id) return 1;
  return 0;
}

int RenameMenuItem(HMENU menu, UINT id, const char* text) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_DATA | MIIM_FTYPE | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    auto* record = reinterpret_cast<MenuItemRecord*>(info.dwItemData);
    if ((info.fType & MFT_OWNERDRAW) && info.wID == id && record) {
      if (record->text.Compare(text ? text : "") == 0) return 0;
      record->text = text ? text : "";
      record->cachedWidth = 0;
      Reinsert(menu, i, id, info.hSubMenu, text);
      MakeOwnerDrawn(menu, i, record);
      return 1;
    }
    if (info.hSubMenu && RenameMenuItem(info.hSubMenu, id, text)) return 1;
  }
  return 0;
}

int MakeMenuOwnerDrawn(HMENU menu, MenuItemRecord** records, int* count, int capacity, MenuItemRecord* parent,
                       bool rebuild) {
  if (!records || !count) return 0;
  const int items = GetMenuItemCount(menu);
  for (int i = 0; i < items; ++i) {
    const UINT id = GetMenuItemID(menu, i);  // a popup's reads as -1
    char text[kMaxItemText + 1] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, kMaxItemText + 1, MF_BYPOSITION);
    if (id == 0 || !text[0]) continue;
    if (*count >= capacity) break;  // no room for its record
    auto* record = new MenuItemRecord;
    record->text = text;
    record->parent = parent;
    records[(*count)++] = record;
    const HMENU submenu = GetSubMenu(menu, i);
    if (rebuild) Reinsert(menu, i, id, submenu, text);
    MakeOwnerDrawn(menu, i, record);
    if (submenu) MakeMenuOwnerDrawn(submenu, records, count, capacity, record, rebuild);
  }
  return *count;
}

AString ControlCharMenuText(int code) {
  if (code < 1 || code > 31) return AString();
  AString name(kControlCharNames[static_cast<size_t>(code)]);
  std::string upper = name.GetData();
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  AString text;
  text.Format("%s\t  (Hex: %02X)", upper.c_str(), code);
  return text;
}

int PickControlCharMenu(int x, int y, HWND owner) {
  HMENU menu = CreatePopupMenu();
  for (int code = 1; code <= 31; ++code) {
    const std::u16string item = Wide(ControlCharMenuText(code).GetData());
    AppendMenuW(menu, MF_STRING, kControlCharCommandBase + static_cast<UINT>(code), item.c_str());
  }
  const auto command =
      static_cast<UINT>(TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
  DestroyMenu(menu);
  if (command <= kControlCharCommandBase || command > kControlCharCommandBase + 31) return -1;
  return static_cast<int>(command - kControlCharCommandBase);
}

FOUNDATION_END
