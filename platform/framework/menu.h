// CMenu: a menu handle with the framework's calls; it owns the menu it
// created or loaded (destroyed with the object unless detached).
#pragma once

#include "platform/framework/cstring.h"
#include "platform/framework/object.h"
#include "platform/win.h"

class CWnd;

class CMenu : public CObject {
  DECLARE_DYNCREATE(CMenu)

 public:
  CMenu() = default;
  ~CMenu() override;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU m_hMenu = nullptr;
  operator HMENU() const { return m_hMenu; }  // NOLINT
  HMENU GetSafeHmenu() const { return m_hMenu; }
  static CMenu* FromHandle(HMENU menu);
  static void DeleteTempMap();
  BOOL Attach(HMENU menu);
  HMENU Detach();

  BOOL CreateMenu() { return Attach(::CreateMenu()); }
  BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
  BOOL LoadMenu(UINT id);
  BOOL LoadMenu(const char* name);
  BOOL DestroyMenu();

  BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr);
  BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr);
  BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, const char* text = nullptr);
  BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
  BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
  UINT EnableMenuItem(UINT item, UINT enable);
  UINT CheckMenuItem(UINT item, UINT check) { return static_cast<UINT>(::CheckMenuItem(m_hMenu, item, check)); }
  BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags) {
    return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
  }
  UINT GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }
  int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
  UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
  int GetMenuString(UINT item, CString& text, UINT flags) const;
  int GetMenuString(UINT item, char* text, int size, UINT flags) const {
    return ::GetMenuStringA(m_hMenu, item, text, size, flags);
  }
  CMenu* GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }
  BOOL GetMenuItemInfo(UINT item, MENUITEMINFOW* info, BOOL byPosition = FALSE) const {
    return ::GetMenuItemInfoW(m_hMenu, item, byPosition, info);
  }
  BOOL SetMenuItemInfo(UINT item, const MENUITEMINFOW* info, BOOL byPosition = FALSE) {
    return ::SetMenuItemInfoW(m_hMenu, item, byPosition, info);
  }
  BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);
};
