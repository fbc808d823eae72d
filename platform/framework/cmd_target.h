// Command targets: objects that answer commands through their message maps,
// and the command-update object that asks them whether a command is enabled,
// checked or named differently (menus, tool bars, status panes).
#pragma once

#include "platform/framework/cstring.h"
#include "platform/framework/message_map.h"
#include "platform/framework/object.h"

class CMenu;
class CWnd;

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)

 public:
  // Finds the handler of a command (nCode CN_COMMAND, a control code, or
  // MAKELONG(code, WM_NOTIFY / a reflected message) as the framework packs
  // them) in the map chain and calls it; TRUE when one handled it. With
  // handler info, only says whether there is one.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

  // The first entry of the map chain for a window message; null when none.
  static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);
  const AFX_MSGMAP* GetMessageMapForTests() const { return GetMessageMap(); }

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

class CCmdUI {
 public:
  virtual ~CCmdUI() = default;
  virtual void Enable(BOOL on = TRUE);
  virtual void SetCheck(int check = 1);  // 0 clear, 1 checked, 2 indeterminate
  virtual void SetRadio(BOOL on = TRUE);
  virtual void SetText(const char* text);
  void ContinueRouting() { m_bContinueRouting = TRUE; }
  // Asks the target; with disableIfNoHandler a command nobody handles is disabled.
  BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

  UINT m_nID = 0;
  UINT m_nIndex = 0;
  CMenu* m_pMenu = nullptr;     // the menu of the item, or null
  CMenu* m_pSubMenu = nullptr;  // the popup the item opens, or null
  CMenu* m_pParentMenu = nullptr;
  CWnd* m_pOther = nullptr;     // a window that stands for the command (a button, a bar)
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;
  UINT m_nIndexMax = 0;
};

// Shows the wait cursor while it lives.
class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  void Restore();

 private:
  HCURSOR m_previous;
};
