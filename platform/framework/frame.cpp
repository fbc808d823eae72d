// Frames: creation from a resource id, the client and its bars, the active
// view, command routing, menus updated as they open, closing.
#include "platform/framework/frame.h"

#include "platform/framework/app.h"
#include "platform/framework/control_bars.h"
#include "platform/framework/doc_template.h"
#include "platform/framework/resources.h"
#include "platform/framework/thread_state.h"
#include "platform/framework/wnd_messages.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const RECT CFrameWnd::rectDefault = {static_cast<LONG>(CW_USEDEFAULT), static_cast<LONG>(CW_USEDEFAULT), 0, 0};

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_SETFOCUS()
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
  ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
  ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
  ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

CFrameWnd* CWnd::GetParentFrame() const {
  for (HWND up = ::GetParent(m_hWnd); up; up = ::GetParent(up)) {
    CWnd* wnd = FromHandlePermanent(up);
    if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(wnd);
  }
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  CFrameWnd* frame = IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? const_cast<CFrameWnd*>(static_cast<const CFrameWnd*>(this))
                                                          : GetParentFrame();
  while (frame && frame->GetParentFrame()) frame = frame->GetParentFrame();
  return frame;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) {
    AfxRegisterFrameworkClasses();
    cs.lpszClass = AfxFrameOrView;
  }
  // FWS_* are the framework's own style bits, not the window's.
  cs.style &= ~(FWS_ADDTOTITLE | FWS_PREFIXTITLE | FWS_SNAPTOBARS);
  return TRUE;
}

BOOL CFrameWnd::Create(const char* className, const char* title, DWORD style, const RECT& rect, CWnd* parent,
                       const char* menuName, DWORD exStyle, CCreateContext* context) {
  m_strTitle = title;
  HMENU menu = nullptr;
  if (menuName && !(style & WS_CHILD)) {
    menu = ::LoadMenuA(AfxGetResourceHandle(), menuName);
    if (!menu) return FALSE;
  }
  const int x = rect.left, y = rect.top;
  const int cx = rect.left == static_cast<LONG>(CW_USEDEFAULT) ? static_cast<int>(CW_USEDEFAULT) : rect.right - rect.left;
  const int cy = rect.left == static_cast<LONG>(CW_USEDEFAULT) ? static_cast<int>(CW_USEDEFAULT) : rect.bottom - rect.top;
  if (!CreateEx(exStyle, className, title, style, x, y, cx, cy, parent ? parent->m_hWnd : nullptr, menu, context)) {
    if (menu) ::DestroyMenu(menu);
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  m_nIDResource = resourceId;
  CString title;
  if (title.LoadString(resourceId)) {
    const int end = title.Find('\n');
    if (end >= 0) title = title.Left(end);
  }
  const auto name = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(resourceId));
  const bool hasMenu = ::FindResourceA(AfxGetResourceHandle(), name, RT_MENU) != nullptr;
  if (!Create(nullptr, title, style, rectDefault, parent, hasMenu ? name : nullptr, 0, context)) return FALSE;
  m_hMenuDefault = ::GetMenu(m_hWnd);
  m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), name);
  if (!context) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
  if (!OnCreateClient(cs, context)) return -1;
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  if (context && context->m_pNewViewClass) return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  auto* view = static_cast<CWnd*>(context->m_pNewViewClass->CreateObject());
  if (!view) return nullptr;
  // A view that fails to be created deletes itself in PostNcDestroy.
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, id, context))
    return nullptr;
  return view;
}

void CFrameWnd::RecalcLayout(BOOL) {
  if (!m_hWnd) return;
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
}

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
  CWnd::OnSize(type, cx, cy);
  if (type != SIZE_MINIMIZED) RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* dc) {
  // The client is covered by the view; only a frame without one paints.
  if (m_pViewActive) return TRUE;
  return CWnd::OnEraseBkgnd(dc);
}

void CFrameWnd::OnSetFocus(CWnd* old) {
  if (m_pViewActive && m_pViewActive->m_hWnd) {
    m_pViewActive->SetFocus();
    return;
  }
  CWnd::OnSetFocus(old);
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
  CView* old = m_pViewActive;
  if (view == old) return;
  m_pViewActive = view;
  if (notify && old && old->m_hWnd) old->OnActivateView(FALSE, view, old);
  if (notify && view && view->m_hWnd) view->OnActivateView(TRUE, view, old);
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* view = GetActiveView();
  return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible) {
  CView* view = GetActiveView();
  if (!view) {
    // The first pane becomes the active view.
    CWnd* pane = GetDescendantWindow(static_cast<int>(AFX_IDW_PANE_FIRST), TRUE);
    if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) {
      SetActiveView(static_cast<CView*>(pane), FALSE);
    } else if (doc) {
      POSITION pos = doc->GetFirstViewPosition();
      if (pos) SetActiveView(doc->GetNextView(pos), FALSE);
    }
  }
  SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  OnUpdateFrameTitle(TRUE);
  if (makeVisible) {
    ActivateFrame();
    if (m_pViewActive) m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
  }
}

void CFrameWnd::ActivateFrame(int cmdShow) {
  if (cmdShow == -1) cmdShow = IsWindowVisible() ? SW_SHOW : SW_SHOWNORMAL;
  ShowWindow(cmdShow);
  BringWindowToTop();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CDocument* doc = GetActiveDocument();
  if (addToTitle && doc) {
    UpdateFrameTitleForDocument(doc->GetTitle());
  } else {
    UpdateFrameTitleForDocument(nullptr);
  }
}

void CFrameWnd::UpdateFrameTitleForDocument(const char* docName) {
  CString text = m_strTitle;
  if (docName && *docName) {
    if (!text.IsEmpty()) text += " - ";
    text += docName;
  }
  CString now;
  GetWindowText(now);
  if (now != text) SetWindowText(text);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The active view (and through it its document) first, then the frame,
  // then the application.
  CView* view = GetActiveView();
  if (view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  // A document frame lets its top-level frame see the command too.
  if (CWinApp* app = AfxGetApp(); app && !(GetStyle() & WS_CHILD))
    return app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  return FALSE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
  // Inside a menu's loop the keys belong to the menu, never to accelerators.
  if (afx::State().filtering == static_cast<int>(MSGF_MENU)) return FALSE;
  if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hAccelTable)
    return ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, msg);
  return FALSE;
}

void CFrameWnd::OnClose() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    // The main frame: every document is asked, then all close.
    if (!app->SaveAllModified()) return;
    app->CloseAllDocuments(FALSE);
    if (!m_hWnd) return;
    DestroyWindow();
    return;
  }
  CDocument* doc = GetActiveDocument();
  if (doc && !doc->CanCloseFrame(this)) return;
  if (doc) doc->PreCloseFrame(this);
  DestroyWindow();
}

void CFrameWnd::OnDestroy() {
  // Bars may outlive their frame object; each forgets its frame, and the
  // list forgets them.
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;)
    static_cast<CControlBar*>(m_listControlBars.GetNext(pos))->m_pDockSite = nullptr;
  m_listControlBars.RemoveAll();
  m_pViewActive = nullptr;
  if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault) ::DestroyMenu(m_hMenuDefault);
  m_hMenuDefault = nullptr;
  if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
  m_hAccelTable = nullptr;
  AfxPostQuitIfRunning(this);
  CWnd::OnDestroy();
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL sysMenu) {
  if (sysMenu || !popup) return;
  CCmdUI state;
  state.m_pMenu = popup;
  state.m_nIndexMax = static_cast<UINT>(popup->GetMenuItemCount());
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = popup->GetMenuItemID(static_cast<int>(state.m_nIndex));
    if (state.m_nID == 0) continue;  // separators
    if (state.m_nID == static_cast<UINT>(-1)) {
      // A popup item: updated by its first item's handler when it has one.
      CMenu* sub = popup->GetSubMenu(static_cast<int>(state.m_nIndex));
      if (!sub || sub->GetMenuItemCount() == 0) continue;
      state.m_nID = sub->GetMenuItemID(0);
      if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
      state.m_pSubMenu = sub;
      state.DoUpdate(this, FALSE);
      state.m_pSubMenu = nullptr;
      continue;
    }
    state.m_pSubMenu = nullptr;
    state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    state.m_nIndexMax = static_cast<UINT>(popup->GetMenuItemCount());
  }
}

void CFrameWnd::OnMenuSelect(UINT id, UINT flags, HMENU) {
  if (flags == 0xFFFF) {
    SetMessageText(nullptr);
    return;
  }
  if (!(flags & (MF_POPUP | MF_SEPARATOR)) && id) SendMessage(WM_SETMESSAGESTRING, id, 0);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  CWnd* bar = GetMessageBar();
  if (!bar) return 0;
  CString text;
  if (lParam) {
    text = reinterpret_cast<const char*>(lParam);
  } else if (wParam) {
    // A command's prompt is the first line of its string.
    if (text.LoadString(static_cast<UINT>(wParam))) {
      const int end = text.Find('\n');
      if (end >= 0) text = text.Left(end);
    }
  }
  if (text.IsEmpty()) text.LoadString(AFX_IDS_IDLEMESSAGE);
  if (text.IsEmpty()) text = "Ready";
  bar->SetWindowText(text);
  return 0;
}

void CFrameWnd::SetMessageText(const char* text) {
  SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text));
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(static_cast<int>(AFX_IDW_STATUS_BAR), TRUE); }

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  // The bars update themselves (they get the same message); the title may change.
  if (!(GetStyle() & WS_CHILD)) OnUpdateFrameTitle(TRUE);
  return 0;
}

void CFrameWnd::AddControlBar(CControlBar* bar) { m_listControlBars.AddTail(bar); }
void CFrameWnd::RemoveControlBar(CControlBar* bar) {
  if (POSITION pos = m_listControlBars.Find(bar)) m_listControlBars.RemoveAt(pos);
}
CControlBar* CFrameWnd::GetControlBar(UINT id) {
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
    auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (static_cast<UINT>(bar->GetDlgCtrlID()) == id) return bar;
  }
  return nullptr;
}
void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay) {
  bar->ShowWindow(show ? SW_SHOWNOACTIVATE : SW_HIDE);
  if (!delay) RecalcLayout();
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* cmdUI) {
  CControlBar* bar = GetControlBar(cmdUI->m_nID);
  if (!bar) {
    cmdUI->ContinueRouting();
    return;
  }
  cmdUI->SetCheck(bar->IsVisible() ? 1 : 0);
}

BOOL CFrameWnd::OnBarCheck(UINT id) {
  CControlBar* bar = GetControlBar(id);
  if (!bar) return FALSE;
  ShowControlBar(bar, !bar->IsVisible(), FALSE);
  return TRUE;
}
