// Frames: the windows around views. A frame lays out its control bars and
// its client (a view, a splitter or the MDI client), keeps the active view,
// routes commands (active view, its document, the frame, the application),
// updates menus through CCmdUI as they open, and asks the document before
// it closes. The MDI frame holds document frames (MDI children).
#pragma once

#include "platform/framework/framework_ids.h"
#include "platform/framework/view.h"
#include "platform/framework/wnd.h"

class CControlBar;
class CDockBar;
class CMDIChildWnd;

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)

 public:
  static const RECT rectDefault;

  BOOL Create(const char* className, const char* title, DWORD style = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* parent = nullptr, const char* menuName = nullptr,
              DWORD exStyle = 0, CCreateContext* context = nullptr);
  // Title, menu and accelerators from the resource id, then Create.
  virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* parent = nullptr, CCreateContext* context = nullptr);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void PostNcDestroy() override { delete this; }
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* msg) override;

  virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
  CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
  virtual void RecalcLayout(BOOL notify = TRUE);
  virtual CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* view, BOOL notify = TRUE);
  virtual CDocument* GetActiveDocument();
  virtual CFrameWnd* GetActiveFrame() { return this; }
  virtual void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
  virtual void ActivateFrame(int cmdShow = -1);
  virtual void OnUpdateFrameTitle(BOOL addToTitle);
  void UpdateFrameTitleForDocument(const char* docName);
  void SetTitle(const char* title) { m_strTitle = title; }
  const CString& GetTitle() const { return m_strTitle; }
  virtual BOOL IsFrameWnd() const { return TRUE; }

  // Control bars: docked in the order they were added, top and bottom.
  void AddControlBar(CControlBar* bar);
  void RemoveControlBar(CControlBar* bar);
  CControlBar* GetControlBar(UINT id);
  void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
  // Docking: dock bars for the sides the style allows (CBRS_ALIGN_*), and a
  // bar docked in one (by id; 0 the first side the bar allows), in the row
  // a rectangle (screen coordinates) falls in, or on a row of its own.
  void EnableDocking(DWORD style);
  void DockControlBar(CControlBar* bar, UINT dockBarId = 0, LPCRECT rect = nullptr);
  CDockBar* GetDockBar(UINT id);
  virtual CWnd* GetMessageBar();
  void SetMessageText(const char* text);

  int OnCreate(LPCREATESTRUCT cs);
  void OnDestroy();
  void OnClose();
  void OnSize(UINT type, int cx, int cy);
  BOOL OnEraseBkgnd(CDC* dc);
  void OnSetFocus(CWnd* old);
  void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
  void OnMenuSelect(UINT id, UINT flags, HMENU menu);
  LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
  LRESULT OnSetMessageString(WPARAM, LPARAM);
  void OnUpdateControlBarMenu(CCmdUI* cmdUI);
  BOOL OnBarCheck(UINT id);

  HMENU m_hMenuDefault = nullptr;
  HACCEL m_hAccelTable = nullptr;
  CView* m_pViewActive = nullptr;
  BOOL m_bAutoMenuEnable = TRUE;
  CString m_strTitle;
  UINT m_nIDResource = 0;
  CPtrList m_listControlBars;

  DECLARE_MESSAGE_MAP()
};

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)

 public:
  BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CWnd* parent = nullptr,
                 CCreateContext* context = nullptr) override;
  BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
  BOOL CreateClient(LPCREATESTRUCT cs, CMenu* windowMenu);
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  CFrameWnd* GetActiveFrame() override;
  CDocument* GetActiveDocument() override;
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  void RecalcLayout(BOOL notify = TRUE) override;

  CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
  void MDIActivate(CWnd* child);
  void MDICascade() { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
  void MDITile(int how = MDITILE_HORIZONTAL) { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(how), 0); }
  void MDINext() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
  BOOL OnMDIWindowCmd(UINT id);
  void OnUpdateMDIWindowCmd(CCmdUI* cmdUI);
  void OnWindowNew();
  void OnSize(UINT type, int cx, int cy);

  HWND m_hWndMDIClient = nullptr;
  HMENU m_hWindowMenu = nullptr;

  DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)

 public:
  BOOL Create(const char* className, const char* title, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CMDIFrameWnd* parent = nullptr, CCreateContext* context = nullptr);
  BOOL LoadFrame(UINT resourceId, DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
  BOOL DestroyWindow() override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void ActivateFrame(int cmdShow = -1) override;
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  // On activation (active set) the MDI frame takes this window's menu; when
  // the last document window goes (neither active nor another activated)
  // the frame's own. Derived frames add to it after calling it.
  virtual void OnUpdateFrameMenu(BOOL active, CWnd* activated, HMENU menuAlt);
  CMDIFrameWnd* GetMDIFrame() const;
  void MDIActivate();
  void MDIDestroy();
  void MDIMaximize();
  void MDIRestore();

  int OnCreate(LPCREATESTRUCT cs);
  void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);
  void OnSize(UINT type, int cx, int cy);
  int OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message);

  HMENU m_hMenuShared = nullptr;

  DECLARE_MESSAGE_MAP()
};
