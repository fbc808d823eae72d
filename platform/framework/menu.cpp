// CMenu: the A-text calls over the W menu calls, and temporary objects.
#include "platform/framework/menu.h"

#include <memory>
#include <string>
#include <unordered_map>

#include "platform/framework/resources.h"
#include "platform/framework/wnd.h"
#include "platform/nls/nls_text.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

struct TempMenus {
  ~TempMenus() {
    for (auto& [h, m] : menus) m->m_hMenu = nullptr;
  }
  std::unordered_map<HMENU, std::unique_ptr<CMenu>> menus;
};

TempMenus& Temps() {
  thread_local TempMenus temps;
  return temps;
}

std::u16string Wide(const char* text) { return nls::ToUtf16(CP_ACP, nls::OrEmpty(text)); }

// Text items pass their text; separators, bitmaps and owner-drawn items pass the value as it is.
LPCWSTR ItemText(UINT flags, const char* text, std::u16string& storage) {
  if (flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) return reinterpret_cast<LPCWSTR>(text);
  storage = Wide(text);
  return text ? storage.c_str() : nullptr;
}

}  // namespace

CMenu::~CMenu() {
  if (m_hMenu) ::DestroyMenu(Detach());
}

CMenu* CMenu::FromHandle(HMENU menu) {
  if (!menu) return nullptr;
  auto& slot = Temps().menus[menu];
  if (!slot) {
    slot = std::make_unique<CMenu>();
    slot->m_hMenu = menu;
  }
  return slot.get();
}

void CMenu::DeleteTempMap() {
  auto& menus = Temps().menus;
  for (auto& [h, m] : menus) m->m_hMenu = nullptr;
  menus.clear();
}

BOOL CMenu::Attach(HMENU menu) {
  if (!menu || m_hMenu) return FALSE;
  m_hMenu = menu;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU menu = m_hMenu;
  m_hMenu = nullptr;
  return menu;
}

BOOL CMenu::LoadMenu(UINT id) {
  return Attach(::LoadMenuA(AfxGetResourceHandle(), reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(id))));
}

BOOL CMenu::LoadMenu(const char* name) { return Attach(::LoadMenuA(AfxGetResourceHandle(), name)); }

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, const char* text) {
  std::u16string storage;
  return ::AppendMenuW(m_hMenu, flags, idOrPopup, ItemText(flags, text, storage));
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup, const char* text) {
  std::u16string storage;
  return ::InsertMenuW(m_hMenu, position, flags, idOrPopup, ItemText(flags, text, storage));
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup, const char* text) {
  std::u16string storage;
  return ::ModifyMenuW(m_hMenu, position, flags, idOrPopup, ItemText(flags, text, storage));
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
  const UINT before = ::GetMenuState(m_hMenu, item, enable & MF_BYPOSITION);
  if (before == static_cast<UINT>(-1)) return before;
  ::EnableMenuItem(m_hMenu, item, enable);
  return before & (MF_GRAYED | MF_DISABLED);
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
  const int length = ::GetMenuStringA(m_hMenu, item, nullptr, 0, flags);
  if (length <= 0) {
    text.Empty();
    return 0;
  }
  char* buffer = text.GetBufferSetLength(length);
  ::GetMenuStringA(m_hMenu, item, buffer, length + 1, flags);
  text.ReleaseBuffer();
  return text.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->m_hWnd : nullptr, rect);
}
