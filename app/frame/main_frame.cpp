// The main frame's creation, its bars and their layout.
#include "app/frame/main_frame.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "app/frame/frame_host.h"
#include "app/frame/frame_ids.h"
#include "foundation/uifonts/ui_fonts.h"

IMPLEMENT_DYNCREATE(CMainFrame, CMDIFrameWnd)

namespace {

CMainFrame* g_mainFrame = nullptr;
const UINT g_openMessage = ::RegisterWindowMessageA("BarcodeLabelOpenMessage");

constexpr DWORD kTopBarStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_FLYBY | CBRS_TOOLTIPS;
constexpr DWORD kLeftBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT | CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;

constexpr UINT kToolsButtons[] = {ID_BORDER_SETUP, ID_ADD_BARCODE, ID_ADD_HIBC_BARCODE, ID_ADD_TEXT, ID_ADD_PARAGRAPH,
                                  ID_ADD_IMAGE,    ID_ADD_LINE,    ID_ADD_BOX,          ID_ADD_ELLIPSE,
                                  ID_ADD_ROUNDED_RECT};
constexpr UINT kViewToolButtons[] = {ID_ZOOM_IN,      ID_ZOOM_OUT, ID_FIT_IN_FRAME, ID_AUTO_ARRANGE,  ID_SEPARATOR,
                                     ID_OPAQUE_VIEW,  ID_SEE_THROUGH_VIEW, ID_SEPARATOR, ID_PUT_TO_BACK,
                                     ID_BRING_TO_FRONT};
constexpr UINT kAlignToolButtons[] = {ID_ALIGN_LEFT,        ID_ALIGN_RIGHT,       ID_ALIGN_TOP,     ID_ALIGN_BOTTOM,
                                      ID_CENTRE_HORZ_ANCHOR, ID_CENTRE_VERT_ANCHOR, ID_CENTRE_HORZ_LABEL,
                                      ID_CENTRE_VERT_LABEL, ID_SPACE_ACROSS,      ID_SPACE_DOWN,    ID_ROTATE_90,
                                      ID_ROTATE_0};

// A bar of 18 x 15 pictures on 25 x 22 buttons from a bitmap resource.
template <size_t N>
bool MakePictureBar(CToolBar& bar, CWnd* parent, DWORD style, UINT id, UINT bitmap, const UINT (&buttons)[N],
                    const char* title) {
  if (!bar.CreateEx(parent, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), id)) return false;
  bar.SetSizes(CSize(25, 22), CSize(18, 15));
  if (!bar.LoadBitmap(bitmap) || !bar.SetButtons(buttons, static_cast<int>(N))) return false;
  bar.SetBarStyle(bar.GetBarStyle() | (style & CBRS_ALIGN_ANY));
  bar.SetWindowText(title);
  bar.EnableDocking(CBRS_ALIGN_ANY);
  return true;
}

}  // namespace

UINT BarcodeLabelOpenMessage() { return g_openMessage; }

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_ACTIVATEAPP()
  ON_WM_ENABLE()
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_ERASEBKGND()
  ON_REGISTERED_MESSAGE(g_openMessage, OnOpenMessage)
  ON_COMMAND(ID_RELOAD_ACTIVE_FILE, OnReloadActiveFile)
  ON_COMMAND(ID_EDIT_UNDO_LAYOUT, OnUndo)
  ON_COMMAND(ID_EDIT_REDO_LAYOUT, OnRedo)
  ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO_LAYOUT, OnUpdateUndoRedo)
  ON_UPDATE_COMMAND_UI(ID_EDIT_REDO_LAYOUT, OnUpdateUndoRedo)
  ON_COMMAND(ID_HELP_BUTTON, OnHelpButton)
  ON_COMMAND(ID_HELP_CONTENT, OnHelpContent)
  ON_COMMAND_EX(ID_VIEW_TOOLS_BAR, OnToggleBar)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLS_BAR, OnUpdateToggleBar)
END_MESSAGE_MAP()

CMainFrame::CMainFrame() { g_mainFrame = this; }

CMainFrame::~CMainFrame() {
  if (m_menuCheck) ::DeleteObject(m_menuCheck);
  if (g_mainFrame == this) g_mainFrame = nullptr;
}

CMainFrame* CMainFrame::Get() { return g_mainFrame; }

BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) {
  if (!m_hMenuDefault) m_hMenuDefault = ::GetMenu(m_hWnd);
  PrepareOwnerDrawMenu(0, false);
  return CMDIFrameWnd::OnCreateClient(cs, context);
}

int CMainFrame::OnCreate(LPCREATESTRUCT cs) {
  m_creationState = 1;
  if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
  m_creationState = 2;
  if (!m_wndStandardBar.CreateEx(this, TBSTYLE_FLAT, kTopBarStyle, CRect(0, 0, 0, 0), IDW_STANDARD_BAR) ||
      !m_wndStandardBar.LoadToolBar(IDR_MAINFRAME))
    return -1;
  m_wndStandardBar.SetWindowText("Standard");
  m_wndStandardBar.EnableDocking(CBRS_ALIGN_ANY);
  if (!MakePictureBar(m_wndToolsBar, this, kTopBarStyle | CBRS_SIZE_DYNAMIC, IDW_TOOLS_BAR, IDB_TOOLS_BAR,
                      kToolsButtons, "Tools") ||
      !MakePictureBar(m_wndViewToolBar, this, kLeftBarStyle, IDW_TOOLS_BAR, IDB_VIEWTOOL_BAR, kViewToolButtons,
                      "ViewTool") ||
      !MakePictureBar(m_wndAlignToolBar, this, kTopBarStyle, IDW_STANDARD_BAR, IDB_ALIGNTOOL_BAR, kAlignToolButtons,
                      "AlignTool") ||
      !m_wndStatusBar.CreatePanes(this))
    return -1;
  // Standard and Tools go to the top dock bar; the layout of the creation
  // puts Tools, ViewTool and AlignTool each after its left neighbour there.
  EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndStandardBar, AFX_IDW_DOCKBAR_TOP);
  DockControlBar(&m_wndToolsBar, AFX_IDW_DOCKBAR_TOP);
  RecalcLayout(TRUE);
  SetFrameIcons(false);
  m_menuCheck = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_MENU_CHECK));
  PrepareOwnerDrawMenu(1, false);
  if (ReaderMode()) {
    m_wndStandardBar.ShowWindow(SW_HIDE);
    m_wndViewToolBar.ShowWindow(SW_HIDE);
  }
  CreateUiFonts(true);
  GetClientRect(&m_defaultChildRect);
  m_defaultChildRect.right -= m_defaultChildRect.Width() / 4;
  m_defaultChildRect.bottom -= m_defaultChildRect.Height() / 4;
  m_creationState = 0;
  return 0;
}

void CMainFrame::SetFrameIcons(bool rebuildMenus) {
  HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_MAINFRAME));
  if (icon) {
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  if (rebuildMenus) RebuildMenus();
}

void CMainFrame::PrepareOwnerDrawMenu(int kind, bool reset) {
  if (kind < 0 || kind > 1) return;
  if (reset) {
    m_menuTables[0].Reset();
    m_menuTables[1].Reset();
  }
  COwnerDrawMenuTable& table = m_menuTables[kind];
  if (table.Built()) return;
  table.Prepare(kind == 0 ? m_hMenuDefault : LayoutMenu(), reset);
}

// The layout windows share their template's menu.
HMENU CMainFrame::LayoutMenu() const {
  CWinApp* app = AfxGetApp();
  if (!app) return nullptr;
  for (POSITION pos = app->GetFirstDocTemplatePosition(); pos;)
    if (CDocTemplate* t = app->GetNextDocTemplate(pos); t && t->m_hMenuShared) return t->m_hMenuShared;
  return nullptr;
}

MenuItemRecord* CMainFrame::OwnRecord(ULONG_PTR itemData) const {
  auto* record = reinterpret_cast<MenuItemRecord*>(itemData);
  return m_menuTables[0].Holds(record) || m_menuTables[1].Holds(record) ? record : nullptr;
}

void CMainFrame::OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis) {
  MenuItemRecord* record = mis && mis->CtlType == ODT_MENU ? OwnRecord(mis->itemData) : nullptr;
  if (!record) {
    CMDIFrameWnd::OnMeasureItem(id, mis);
    return;
  }
  CClientDC dc(this);
  MeasureMenuItem(dc.GetSafeHdc(), m_menuMetrics, *record, *mis);
}

void CMainFrame::RebuildMenus() {
  PrepareOwnerDrawMenu(0, true);
  PrepareOwnerDrawMenu(1, false);
  DrawMenuBar();
}

void CMainFrame::DockBarNextTo(CControlBar& bar, CControlBar& leftNeighbour) {
  CRect target;
  leftNeighbour.GetWindowRect(&target);
  const CRect neighbour = target;
  target.OffsetRect(1, 0);
  const DWORD style = leftNeighbour.GetBarStyle();
  const UINT dock = (style & CBRS_ALIGN_TOP)      ? AFX_IDW_DOCKBAR_TOP
                    : (style & CBRS_ALIGN_BOTTOM) ? AFX_IDW_DOCKBAR_BOTTOM
                    : (style & CBRS_ALIGN_LEFT)   ? AFX_IDW_DOCKBAR_LEFT
                                                  : AFX_IDW_DOCKBAR_RIGHT;
  if (m_creationState != 2) {
    // Already on the neighbour's row, or no room right of the neighbour.
    CRect own, frame;
    bar.GetWindowRect(&own);
    GetWindowRect(&frame);
    if (std::abs(own.top - neighbour.top) < 4 || neighbour.right > frame.right) return;
  }
  DockControlBar(&bar, dock, &target);
}

void CMainFrame::RecalcLayout(BOOL notify) {
  if (!m_hWnd) return;
  CMDIFrameWnd::RecalcLayout(notify);
  if (m_creationState == 1 || !m_wndAlignToolBar.m_hWnd || !GetDockBar(AFX_IDW_DOCKBAR_TOP)) return;
  if (m_creationState == 2) {
    DockBarNextTo(m_wndToolsBar, m_wndStandardBar);
    CMDIFrameWnd::RecalcLayout(notify);
    DockBarNextTo(m_wndViewToolBar, m_wndToolsBar);
    CMDIFrameWnd::RecalcLayout(notify);
    DockBarNextTo(m_wndAlignToolBar, m_wndViewToolBar);
    CMDIFrameWnd::RecalcLayout(notify);
    return;
  }
  CRect frame, standard, viewTool;
  GetWindowRect(&frame);
  m_wndStandardBar.GetWindowRect(&standard);
  m_wndViewToolBar.GetWindowRect(&viewTool);
  if (frame.Width() < standard.Width() + viewTool.Width())
    DockControlBar(&m_wndViewToolBar, AFX_IDW_DOCKBAR_TOP);  // a row of its own
  else
    DockBarNextTo(m_wndViewToolBar, m_wndStandardBar);
  CMDIFrameWnd::RecalcLayout(notify);
}

BOOL CMainFrame::OnToggleBar(UINT id) {
  CControlBar* bar = GetControlBar(id);
  if (!bar) return FALSE;
  ShowControlBar(bar, !bar->IsVisible(), FALSE);
  return TRUE;
}

void CMainFrame::OnUpdateToggleBar(CCmdUI* ui) {
  CControlBar* bar = GetControlBar(ui->m_nID);
  ui->Enable(bar != nullptr);
  ui->SetCheck(bar && bar->IsVisible());
}

void CMainFrame::OnDestroy() {
  SavePlacement();
  m_menuTables[0].Free();
  m_menuTables[1].Free();
  CMDIFrameWnd::OnDestroy();
  DeleteUiFonts(true);
}

void CMainFrame::SavePlacement() {
  CWinApp* app = AfxGetApp();
  if (!app || ReaderMode() || NoSaveMode()) return;
  WINDOWPLACEMENT place{};
  place.length = sizeof place;
  if (!::GetWindowPlacement(m_hWnd, &place)) return;
  app->WriteProfileInt("TOPFRAME", "Maximized", place.showCmd == SW_SHOWMAXIMIZED ? 1 : 0);
  if (place.showCmd != SW_SHOWNORMAL) return;
  app->WriteProfileInt("TOPFRAME", "Left", place.rcNormalPosition.left);
  app->WriteProfileInt("TOPFRAME", "Top", place.rcNormalPosition.top);
  app->WriteProfileInt("TOPFRAME", "Right", place.rcNormalPosition.right);
  app->WriteProfileInt("TOPFRAME", "Bottom", place.rcNormalPosition.bottom);
}

void CMainFrame::OnDrawItem(int id, LPDRAWITEMSTRUCT dis) {
  if (dis && dis->CtlType != ODT_MENU) {
    m_wndStatusBar.DrawItem(dis);
    return;
  }
  if (MenuItemRecord* record = dis ? OwnRecord(dis->itemData) : nullptr) {
    DrawMenuItem(m_menuMetrics, *record, *dis, m_menuCheck);
    return;
  }
  CMDIFrameWnd::OnDrawItem(id, dis);
}

// What the bars and the MDI client leave of the frame (the rest of the dock
// rows) is in the bars' colour.
BOOL CMainFrame::OnEraseBkgnd(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  dc->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

void CMainFrame::OnUpdateFrameTitle(BOOL addToTitle) {
  CMDIFrameWnd::OnUpdateFrameTitle(addToTitle);
  const bool active = MDIGetActive() != nullptr;
  if (m_hadActiveChild && !active && m_wndStatusBar.m_hWnd) m_wndStatusBar.ClearLayoutPanes();
  m_hadActiveChild = active;
}

void CMainFrame::SetLabelSizePane(int width, int height, int unit) { m_wndStatusBar.SetLabelSize(width, height, unit); }
void CMainFrame::SetDpiPane(const char* text) { m_wndStatusBar.SetDpiText(text); }
void CMainFrame::SetPrinterPane(const char* name) { m_wndStatusBar.SetPrinterText(name); }
void CMainFrame::SetCursorPosPane(double x, double y, int unit) { m_wndStatusBar.SetCursorPos(x, y, unit); }
void CMainFrame::SetReadOnlyPane(bool readOnly) { m_wndStatusBar.SetReadOnly(readOnly); }
