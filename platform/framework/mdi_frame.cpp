// The MDI frame and its document frames over the MDI client.
#include <string>

#include "platform/framework/app.h"
#include "platform/framework/doc_template.h"
#include "platform/framework/frame.h"
#include "platform/framework/resources.h"
#include "platform/framework/thread_state.h"
#include "platform/framework/wnd_messages.h"
#include "platform/nls/nls_text.h"

namespace {

// The popup of a menu bar that holds the window commands (Cascade, Tile...),
// where the client lists its children; null when there is none.
HMENU WindowPopupOf(HMENU bar) {
  for (int i = 0, n = ::GetMenuItemCount(bar); i < n; ++i) {
    HMENU popup = ::GetSubMenu(bar, i);
    for (int k = 0, m = popup ? ::GetMenuItemCount(popup) : 0; k < m; ++k) {
      const UINT id = ::GetMenuItemID(popup, k);
      if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_SPLIT) return popup;
    }
  }
  return nullptr;
}

void ShowFrameMenu(CMDIFrameWnd* frame, HMENU menu) {
  if (!menu || ::GetMenu(frame->m_hWnd) == menu) return;
  ::SendMessageA(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu),
                 reinterpret_cast<LPARAM>(WindowPopupOf(menu)));
  ::DrawMenuBar(frame->m_hWnd);
}

}  // namespace

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
  ON_WM_SIZE()
  ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
  ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
  ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
  ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

namespace {

std::u16string Wide(const char* text) { return nls::ToUtf16(CP_ACP, nls::OrEmpty(text)); }

// The popup whose items are the window commands, for the list of documents.
HMENU FindWindowMenu(HMENU bar) {
  if (!bar) return nullptr;
  const int count = ::GetMenuItemCount(bar);
  for (int i = count - 1; i >= 0; --i) {
    HMENU popup = ::GetSubMenu(bar, i);
    if (!popup) continue;
    for (int j = 0; j < ::GetMenuItemCount(popup); ++j) {
      const UINT id = ::GetMenuItemID(popup, j);
      if (id >= ID_WINDOW_NEW && id <= ID_WINDOW_SPLIT) return popup;
    }
  }
  return nullptr;
}

}  // namespace

BOOL CMDIFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  if (!CFrameWnd::LoadFrame(resourceId, style, parent, context)) return FALSE;
  return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT cs, CCreateContext*) {
  CMenu* windowMenu = CMenu::FromHandle(FindWindowMenu(cs->hMenu));
  return CreateClient(cs, windowMenu);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* windowMenu) {
  m_hWindowMenu = windowMenu ? windowMenu->m_hMenu : nullptr;
  CLIENTCREATESTRUCT ccs{m_hWindowMenu, AFX_IDM_FIRST_MDICHILD};
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0,
                                      client.right, client.bottom, m_hWnd,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                      AfxGetInstanceHandle(), &ccs);
  return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnSize(UINT type, int cx, int cy) {
  // The bars and the client are laid out here, not by the default frame procedure.
  CWnd::OnSize(type, cx, cy);
  if (type != SIZE_MINIMIZED) RecalcLayout();
}

void CMDIFrameWnd::RecalcLayout(BOOL notify) { CFrameWnd::RecalcLayout(notify); }

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const {
  BOOL max = FALSE;
  HWND active = m_hWndMDIClient ? reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                                         reinterpret_cast<LPARAM>(&max)))
                                : nullptr;
  if (maximized) *maximized = max;
  CWnd* wnd = FromHandlePermanent(active);
  return wnd && wnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(wnd) : nullptr;
}

void CMDIFrameWnd::MDIActivate(CWnd* child) {
  ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd), 0);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? static_cast<CFrameWnd*>(child) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument() {
  CMDIChildWnd* child = MDIGetActive();
  return child ? child->GetActiveDocument() : nullptr;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The active document frame (its view, its document) first.
  CMDIChildWnd* child = MDIGetActive();
  if (child && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* msg) {
  // The active document's accelerators, then the frame's (none inside a menu's loop).
  if (afx::State().filtering == static_cast<int>(MSGF_MENU)) return FALSE;
  if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
    // The documents' own keys (Ctrl+F6, Ctrl+F4) come before any table.
    if (::TranslateMDISysAccel(m_hWndMDIClient, msg)) return TRUE;
    CMDIChildWnd* child = MDIGetActive();
    if (child && child->m_hAccelTable && ::TranslateAcceleratorW(m_hWnd, child->m_hAccelTable, msg)) return TRUE;
  }
  return CFrameWnd::PreTranslateMessage(msg);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CMDIChildWnd* child = MDIGetActive();
  CDocument* doc = child ? child->GetActiveDocument() : nullptr;
  UpdateFrameTitleForDocument(addToTitle && doc ? doc->GetTitle().GetString() : nullptr);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT id) {
  switch (id) {
    case ID_WINDOW_ARRANGE: ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); return TRUE;
    case ID_WINDOW_CASCADE: MDICascade(); return TRUE;
    case ID_WINDOW_TILE_HORZ: MDITile(MDITILE_HORIZONTAL); return TRUE;
    case ID_WINDOW_TILE_VERT: MDITile(MDITILE_VERTICAL); return TRUE;
    default: return FALSE;
  }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* cmdUI) { cmdUI->Enable(MDIGetActive() != nullptr); }

void CMDIFrameWnd::OnWindowNew() {
  CMDIChildWnd* active = MDIGetActive();
  CDocument* doc = active ? active->GetActiveDocument() : nullptr;
  CDocTemplate* tmpl = doc ? doc->GetDocTemplate() : nullptr;
  if (!tmpl) return;
  CFrameWnd* frame = tmpl->CreateNewFrame(doc, active);
  if (frame) tmpl->InitialUpdateFrame(frame, doc);
}

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_MDIACTIVATE()
  ON_WM_SIZE()
  ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

BOOL CMDIChildWnd::Create(const char* className, const char* title, DWORD style, const RECT& rect,
                          CMDIFrameWnd* parent, CCreateContext* context) {
  if (!parent) {
    CWnd* main = AfxGetMainWnd();
    parent = main && main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(main) : nullptr;
  }
  if (!parent || !parent->m_hWndMDIClient) {
    PostNcDestroy();
    return FALSE;
  }
  m_strTitle = title;
  CREATESTRUCT cs{};
  cs.lpszClass = className;
  cs.lpszName = title;
  cs.style = style | WS_CHILD;
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = rect.left == static_cast<LONG>(CW_USEDEFAULT) ? CW_USEDEFAULT : rect.right - rect.left;
  cs.cy = rect.left == static_cast<LONG>(CW_USEDEFAULT) ? CW_USEDEFAULT : rect.bottom - rect.top;
  cs.hwndParent = parent->m_hWnd;
  cs.lpCreateParams = context;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  // The MDI client makes the window; the framework's procedure attaches
  // this object at its first message.
  const std::u16string wideClass = Wide(cs.lpszClass), wideTitle = Wide(cs.lpszName);
  MDICREATESTRUCTW mcs{wideClass.c_str(), wideTitle.c_str(), AfxGetInstanceHandle(), cs.x, cs.y, cs.cx, cs.cy,
                       cs.style & ~(WS_MAXIMIZE | WS_VISIBLE), reinterpret_cast<LPARAM>(context)};
  auto& state = afx::State();
  CWnd* const savedInit = state.wndInit;
  state.wndInit = this;
  HWND window = reinterpret_cast<HWND>(
      ::SendMessageW(parent->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  state.wndInit = savedInit;
  if (!window) {
    if (m_hWnd) Detach();
    PostNcDestroy();
    return FALSE;
  }
  if (cs.style & WS_VISIBLE) {
    ::ShowWindow(window, (cs.style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    ::SendMessageA(parent->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
  }
  return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  m_nIDResource = resourceId;
  CString title;
  if (title.LoadString(resourceId)) {
    const int end = title.Find('\n');
    if (end >= 0) title = title.Left(end);
  }
  CMDIFrameWnd* frame = parent && parent->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(parent)
                                                                                  : nullptr;
  // Shown by InitialUpdateFrame, after the views have their document.
  if (!Create(nullptr, title, (style & ~(WS_VISIBLE | FWS_ADDTOTITLE)) | WS_CHILD, rectDefault, frame, context))
    return FALSE;
  if (context && context->m_pNewDocTemplate) {
    m_hMenuShared = context->m_pNewDocTemplate->m_hMenuShared;
    m_hAccelTable = nullptr;  // the template's table stays the template's
  }
  return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT cs) {
  // The creation parameter of an MDI child is the MDI creation record,
  // whose own parameter is the context.
  const auto* mcs = static_cast<const MDICREATESTRUCTW*>(cs->lpCreateParams);
  CREATESTRUCT inner = *cs;
  inner.lpCreateParams = mcs ? reinterpret_cast<void*>(mcs->lParam) : nullptr;
  return CFrameWnd::OnCreate(&inner);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  CMDIFrameWnd* frame = GetMDIFrame();
  if (!frame || !frame->m_hWndMDIClient) return CFrameWnd::DestroyWindow();
  ::SendMessageA(frame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
  return TRUE;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG*) { return FALSE; }

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  HWND client = ::GetParent(m_hWnd);
  CWnd* frame = client ? FromHandlePermanent(::GetParent(client)) : nullptr;
  return frame && frame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(frame) : nullptr;
}

void CMDIChildWnd::MDIActivate() {
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->MDIActivate(this);
}
void CMDIChildWnd::MDIDestroy() { DestroyWindow(); }
void CMDIChildWnd::MDIMaximize() {
  if (CMDIFrameWnd* frame = GetMDIFrame())
    ::SendMessageA(frame->m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
void CMDIChildWnd::MDIRestore() {
  if (CMDIFrameWnd* frame = GetMDIFrame())
    ::SendMessageA(frame->m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::ActivateFrame(int cmdShow) {
  if (cmdShow == -1) cmdShow = SW_SHOWNORMAL;
  ShowWindow(cmdShow);
  MDIActivate();
  if (CMDIFrameWnd* frame = GetMDIFrame()) {
    // A child is activated while it is made, before it knows its menu.
    if (frame->MDIGetActive() == this) ShowFrameMenu(frame, m_hMenuShared);
    ::SendMessageA(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    frame->OnUpdateFrameTitle(TRUE);
  }
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CDocument* doc = GetActiveDocument();
  if (!addToTitle || !doc) {
    UpdateFrameTitleForDocument(nullptr);
    return;
  }
  // With several windows on one document each shows its number.
  CString text = doc->GetTitle();
  // Views of one frame count once: a splitter's panes share the frame.
  int frames = 0;
  CFrameWnd* last = nullptr;
  int index = 0;
  for (POSITION pos = doc->GetFirstViewPosition(); pos;) {
    CFrameWnd* frame = doc->GetNextView(pos)->GetParentFrame();
    if (frame && frame != last) {
      ++frames;
      if (frame == this) index = frames;
      last = frame;
    }
  }
  if (frames > 1) {
    CString suffix;
    suffix.Format(":%d", index);
    text += suffix;
  }
  CString now;
  GetWindowText(now);
  if (now != text) SetWindowText(text);
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL active, CWnd* activated, HMENU) {
  // The frame shows the active document's menu, and its own once the last
  // document window has gone.
  if (CMDIFrameWnd* frame = GetMDIFrame()) {
    if (active && m_hMenuShared) {
      ShowFrameMenu(frame, m_hMenuShared);
    } else if (!active && !activated) {
      ShowFrameMenu(frame, frame->m_hMenuDefault);
    }
  }
}

void CMDIChildWnd::OnMDIActivate(BOOL activate, CWnd* activated, CWnd*) {
  Default();
  OnUpdateFrameMenu(activate, activated, nullptr);
  CView* view = GetActiveView();
  if (activate && view) view->OnActivateView(TRUE, view, view);
  if (CMDIFrameWnd* frame = GetMDIFrame()) frame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnSize(UINT type, int cx, int cy) {
  // The default MDI child procedure must see the size (maximised children).
  Default();
  if (type != SIZE_MINIMIZED) RecalcLayout();
  (void)cx;
  (void)cy;
}

int CMDIChildWnd::OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message) {
  const int result = CFrameWnd::OnMouseActivate(topLevel, hitTest, message);
  MDIActivate();
  return result;
}
