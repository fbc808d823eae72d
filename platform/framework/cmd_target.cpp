// Command targets: walking the map chain for commands, update handlers and
// notifications.
#include "platform/framework/cmd_target.h"

#include "platform/framework/menu.h"
#include "platform/framework/thread_state.h"
#include "platform/framework/wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static constexpr AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
  static constexpr AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id) {
  for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      const UINT entryMessage = e->nMessage == WM_REGISTERED_ENTRY && e->pRegistered ? *e->pRegistered : e->nMessage;
      if (entryMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID) return e;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The update code (-1) is the one code that is not packed with a message.
  UINT message = nCode == CN_UPDATE_COMMAND_UI ? 0 : HIWORD(static_cast<DWORD>(nCode));
  const UINT code = LOWORD(static_cast<DWORD>(nCode));
  if (message == 0) message = WM_COMMAND;
  const UINT id = static_cast<WORD>(nID);
  // Reflected messages carry no id; their entries have id 0.
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), message, code, id);
  if (!e) return FALSE;
  if (pHandlerInfo) {
    pHandlerInfo->pTarget = this;
    pHandlerInfo->pfn = e->pfn;
    return TRUE;
  }
  AfxMsgCall call;
  call.message = message;
  call.id = nID;
  call.code = nCode;
  call.extra = pExtra;
  if (nCode == CN_UPDATE_COMMAND_UI) {
    auto* cmdUI = static_cast<CCmdUI*>(pExtra);
    cmdUI->m_bContinueRouting = FALSE;
    e->pfn(this, call);
    return !cmdUI->m_bContinueRouting;
  }
  if (e->nSig == AfxSig_cmd && message == WM_REFLECT_BASE + WM_COMMAND) {
    e->pfn(this, call);
    if (pExtra) *static_cast<LRESULT*>(pExtra) = 0;
    return TRUE;
  }
  return e->pfn(this, call) != 0;
}

void CCmdTarget::BeginWaitCursor() { AfxGetThreadWaitCursor(+1); }
void CCmdTarget::EndWaitCursor() { AfxGetThreadWaitCursor(-1); }
void CCmdTarget::RestoreWaitCursor() { AfxGetThreadWaitCursor(0); }

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
  if (!target) return FALSE;
  m_bEnableChanged = FALSE;
  const BOOL result = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
  if (disableIfNoHandler && !m_bEnableChanged) {
    // Enabled exactly when some object on the route handles the command.
    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return result;
}

void CCmdUI::Enable(BOOL on) {
  if (m_pMenu) {
    if (m_pSubMenu) return;  // a popup's own item stays as it is
    m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther) {
    // A control losing its enabled state while it has the focus hands the focus on.
    if (!on && ::GetFocus() == m_pOther->m_hWnd) {
      if (CWnd* parent = m_pOther->GetParent()) parent->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(on);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check) {
  if (m_pMenu) {
    if (m_pSubMenu) return;
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther) {
    if (m_pOther->SendMessage(WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) m_pOther->SendMessage(BM_SETCHECK, check, 0);
  }
}

void CCmdUI::SetRadio(BOOL on) {
  SetCheck(on ? 1 : 0);
  if (m_pMenu && !m_pSubMenu)
    ::CheckMenuRadioItem(m_pMenu->m_hMenu, m_nIndex, m_nIndex, on ? m_nIndex : static_cast<UINT>(-1), MF_BYPOSITION);
}

void CCmdUI::SetText(const char* text) {
  if (m_pMenu) {
    if (m_pSubMenu) return;
    const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
    m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | (state & ~(MF_POPUP | MF_OWNERDRAW | MF_BITMAP | MF_SEPARATOR)),
                        m_nID, text);
  } else if (m_pOther) {
    m_pOther->SetWindowText(text);
  }
}

CWaitCursor::CWaitCursor() : m_previous(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
CWaitCursor::~CWaitCursor() { ::SetCursor(m_previous); }
void CWaitCursor::Restore() { ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)); }

void AfxGetThreadWaitCursor(int step) {
  auto& state = afx::State();
  if (step > 0) {
    if (state.waitCursorCount++ == 0) state.cursorBeforeWait = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  } else if (step < 0) {
    if (state.waitCursorCount > 0 && --state.waitCursorCount == 0) ::SetCursor(state.cursorBeforeWait);
  } else if (state.waitCursorCount > 0) {
    ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  }
}
