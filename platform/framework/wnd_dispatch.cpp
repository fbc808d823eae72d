// CWnd: from a window message to its handler. Commands and notifications go
// through OnCommand/OnNotify (the control first gets its reflected copy);
// other messages through the map chain; what no entry handles goes on to
// the window's own procedure.
#include "platform/framework/thread_state.h"
#include "platform/framework/wnd.h"

namespace {

// Asks the command-update handlers whether a command is enabled.
class CTestCmdUI : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    m_bEnabled = on;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(const char*) override {}
  BOOL m_bEnabled = TRUE;
};

bool IsCtlColor(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

}  // namespace

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& m = *AfxGetCurrentMessage();
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  LRESULT local = 0;
  if (!result) result = &local;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *result = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    return header && header->hwndFrom && OnNotify(wParam, lParam, result);
  }
  AfxMsgCall call;
  call.message = message;
  call.wParam = wParam;
  call.lParam = lParam;
  // The colour messages share one entry; the handler learns which from the kind.
  UINT entryMessage = message;
  if (IsCtlColor(message)) {
    entryMessage = WM_CTLCOLOR;
    call.code = static_cast<int>(message - WM_CTLCOLORMSGBOX);
  }
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), entryMessage, 0, 0);
  if (!e) return FALSE;
  *result = e->pfn(this, call);
  return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  int code = HIWORD(wParam);
  if (!control) {
    if (id == 0) return FALSE;
    // A command that its update handler disables is not carried out (a
    // stale menu or accelerator may still send it).
    CTestCmdUI state;
    state.m_nID = id;
    OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
    if (!state.m_bEnabled) return TRUE;
    code = CN_COMMAND;
  } else {
    if (ReflectLastMsg(control)) return TRUE;
  }
  return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (ReflectLastMsg(header->hwndFrom, result)) return TRUE;
  AFX_NOTIFY notify{result, header};
  return OnCmdMsg(static_cast<UINT>(header->idFrom), static_cast<int>(MAKELONG(static_cast<WORD>(header->code), WM_NOTIFY)),
                  &notify, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result) {
  CWnd* wnd = FromHandlePermanent(child);
  return wnd ? wnd->SendChildNotifyLastMsg(result) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* result) {
  const MSG& m = *AfxGetCurrentMessage();
  return OnChildNotify(m.message, m.wParam, m.lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM: return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, result);
    case WM_COMMAND: {
      const int code = HIWORD(wParam);
      if (OnCmdMsg(0, static_cast<int>(MAKELONG(static_cast<WORD>(code), WM_REFLECT_BASE + WM_COMMAND)), result,
                   nullptr)) {
        if (result) *result = 1;
        return TRUE;
      }
      return FALSE;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      AFX_NOTIFY notify{result, header};
      return OnCmdMsg(0, static_cast<int>(MAKELONG(static_cast<WORD>(header->code), WM_REFLECT_BASE + WM_NOTIFY)),
                      &notify, nullptr);
    }
    default:
      if (IsCtlColor(message)) {
        const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
        if (!e) return FALSE;
        AfxMsgCall call;
        call.message = WM_REFLECT_BASE + WM_CTLCOLOR;
        call.wParam = wParam;
        call.lParam = lParam;
        call.code = static_cast<int>(message - WM_CTLCOLORMSGBOX);
        const LRESULT brush = e->pfn(this, call);
        // A null brush leaves the colours to the parent.
        if (!brush) return FALSE;
        if (result) *result = brush;
        return TRUE;
      }
      return FALSE;
  }
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
  for (HWND window = msg->hwnd; window; window = ::GetParent(window)) {
    CWnd* wnd = FromHandlePermanent(window);
    if (wnd && wnd->PreTranslateMessage(msg)) return TRUE;
    if (window == stop) break;
  }
  return FALSE;
}

void CWnd::EndModalLoop(int result) {
  m_nModalResult = result;
  if (m_nFlags & WF_CONTINUEMODAL) {
    m_nFlags &= ~WF_CONTINUEMODAL;
    PostMessage(WM_NULL);
  }
}

int CWnd::RunModalLoop(DWORD) {
  m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
  MSG msg;
  while (ContinueModal()) {
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!WalkPreTranslateTree(m_hWnd, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
  return m_nModalResult;
}

void CWnd::UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler) {
  CCmdUI state;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    state.m_pOther = FromHandle(child);
    state.m_nID = static_cast<UINT>(::GetDlgCtrlID(child));
    if (state.m_nID == 0 || state.m_nID == 0xFFFF) continue;
    // A window that updates itself (a bar) is asked first; then the target.
    if (CWnd* permanent = FromHandlePermanent(child);
        permanent && permanent->OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
      continue;
    const bool pushButton = (::SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
    state.DoUpdate(target, disableIfNoHandler && pushButton);
  }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep, BOOL onlyPermanent) {
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (onlyPermanent) {
      if (CWnd* wnd = FromHandlePermanent(child)) AfxCallWndProc(wnd, child, message, wParam, lParam);
    } else {
      ::SendMessageA(child, message, wParam, lParam);
    }
    if (deep && ::GetWindow(child, GW_CHILD)) {
      CWnd temp(child);
      temp.SendMessageToDescendants(message, wParam, lParam, deep, onlyPermanent);
      temp.m_hWnd = nullptr;
    }
  }
}
