#include "document/frame/doc_frame.h"

#include <algorithm>
#include <string>

#include "document/layout_shell.h"
#include "document/view/design_view.h"
#include "fields/services/design_view.h"

namespace {

constexpr UINT kRefreshCommand = 57717;
constexpr DWORD kTopBarStyle = WS_CHILD | WS_VISIBLE | 0x2808;
constexpr DWORD kLeftBarStyle = WS_CHILD | WS_VISIBLE | 0x1408;

// 24 points in screen pixels when that is more than 32, else 33.
int BarThickness() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const int pixels = MulDiv(24, dpi, 72);
  return pixels > 32 ? pixels : 33;
}

}  // namespace

IMPLEMENT_DYNCREATE(CDocFrmWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CDocFrmWnd, CMDIChildWnd)
  ON_WM_CREATE()
  ON_WM_SHOWWINDOW()
  ON_MESSAGE(kMarkTitleModifiedMessage, OnMarkTitleModified)
END_MESSAGE_MAP()

CDocFrmWnd::CDocFrmWnd() = default;
CDocFrmWnd::~CDocFrmWnd() = default;

BOOL CDocFrmWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (LayoutShell()->MaximiseLayoutWindows()) cs.style |= WS_MAXIMIZE;
  return CMDIChildWnd::PreCreateWindow(cs);
}

int CDocFrmWnd::OnCreate(LPCREATESTRUCT cs) {
  if (CMDIChildWnd::OnCreate(cs) == -1) return -1;
  const int thickness = BarThickness();
  corner_.thickness = horizontal_.thickness = vertical_.thickness = thickness;
  if (!corner_.Create(this, kTopBarStyle, kCornerBarId) || !horizontal_.Create(this, kTopBarStyle, kHorizontalRulerId) ||
      !vertical_.Create(this, kLeftBarStyle, kVerticalRulerId))
    return -1;
  corner_.SetWindowText("Corner");
  horizontal_.SetWindowText("H Ruler");
  vertical_.SetWindowText("V Ruler");
  RecalcLayout();
  return 0;
}

BOOL CDocFrmWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  return splitter_.Create(this, 2, 2, CSize(10, 10), context, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                          AFX_IDW_PANE_FIRST);
}

// The corner at the top left, the horizontal ruler beside it, the vertical
// ruler below it, the splitter in the rest.
void CDocFrmWnd::RecalcLayout(BOOL) {
  if (!m_hWnd) return;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const int width = client.right, height = client.bottom;
  int left = 0, top = 0;
  if (corner_.m_hWnd) {
    const CSize c = corner_.CalcFixedLayout(FALSE, TRUE);
    left = c.cx;
    top = c.cy;
    ::MoveWindow(corner_.m_hWnd, 0, 0, c.cx, c.cy, TRUE);
    ::MoveWindow(horizontal_.m_hWnd, left, 0, std::max(0, width - left), top, TRUE);
    ::MoveWindow(vertical_.m_hWnd, 0, top, vertical_.CalcFixedLayout(FALSE, FALSE).cx, std::max(0, height - top),
                 TRUE);
  }
  if (HWND pane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
    ::MoveWindow(pane, left, top, std::max(0, width - left), std::max(0, height - top), TRUE);
}

void CDocFrmWnd::OnShowWindow(BOOL show, UINT status) {
  CMDIChildWnd::OnShowWindow(show, status);
  StoreRulerOffsets();
}

void CDocFrmWnd::StoreRulerOffsets() {
  if (!corner_.m_hWnd) return;
  RECT h, v;
  ::GetWindowRect(horizontal_.m_hWnd, &h);
  ::GetWindowRect(vertical_.m_hWnd, &v);
  LayoutShell()->SetRulerOffsets(POINT{v.right - h.left, h.bottom - v.top});
}

LRESULT CDocFrmWnd::OnMarkTitleModified(WPARAM, LPARAM) {
  UpdateTitleModifiedMark(true);
  return 1;
}

// The document's own title stays its path (CRvoDoc::SetTitle keeps it), so
// the sign goes on the window's text, and OnUpdateFrameTitle puts it back
// whenever the framework writes the title anew.
void CDocFrmWnd::UpdateTitleModifiedMark(bool modified) {
  if (!GetActiveDocument() || !m_hWnd) return;
  char buffer[1024] = {};
  ::GetWindowTextA(m_hWnd, buffer, sizeof buffer);
  std::string title(buffer);
  const bool marked = !title.empty() && title.back() == '*';
  if (modified == marked) return;
  if (modified) title += '*';
  else title.pop_back();
  ::SetWindowTextA(m_hWnd, title.c_str());
}

void CDocFrmWnd::OnUpdateFrameTitle(BOOL addToTitle) {
  CMDIChildWnd::OnUpdateFrameTitle(addToTitle);
  if (CDocument* doc = GetActiveDocument(); doc && doc->IsModified()) UpdateTitleModifiedMark(true);
}

template <class Visit>
void CDocFrmWnd::ForOtherPanes(CView* source, int panes, Visit visit) {
  if (!splitter_.m_hWnd) return;
  int sourceRow = -1, sourceCol = -1;
  for (int r = 0; r < splitter_.GetRowCount(); ++r)
    for (int c = 0; c < splitter_.GetColumnCount(); ++c)
      if (splitter_.GetPane(r, c) == source) sourceRow = r, sourceCol = c;
  for (int r = 0; r < splitter_.GetRowCount(); ++r) {
    for (int c = 0; c < splitter_.GetColumnCount(); ++c) {
      if (panes == 0 && r != sourceRow) continue;
      if (panes == 1 && c != sourceCol) continue;
      auto* view = dynamic_cast<CView*>(splitter_.GetPane(r, c));
      if (view && view != source) visit(*view);
    }
  }
}

void CDocFrmWnd::SyncSplitterViews(CView* source, const RECT* rect, int panes) {
  const auto* from = dynamic_cast<IDesignView*>(source);
  ForOtherPanes(source, panes, [&](CView& view) {
    const auto* other = dynamic_cast<IDesignView*>(&view);
    if (rect && from && other) {
      // The same layout pixels, where this view shows them.
      const POINT a = from->GetScrollOrigin(), b = other->GetScrollOrigin();
      RECT shifted = *rect;
      ::OffsetRect(&shifted, a.x - b.x, a.y - b.y);
      ::InvalidateRect(view.m_hWnd, &shifted, FALSE);
    } else {
      ::InvalidateRect(view.m_hWnd, nullptr, TRUE);
      ::UpdateWindow(view.m_hWnd);
    }
  });
}

void CDocFrmWnd::SyncSplitterViews(CDesignVu* source, const RECT* rect) {
  SyncSplitterViews(static_cast<CView*>(source), rect, -1);
  ForOtherPanes(source, -1, [](CView& view) {
    if (auto* design = dynamic_cast<CDesignVu*>(&view)) design->UpdateScrollSizes();
  });
}

void CDocFrmWnd::MoveRulerMarks(CDesignVu*, POINT client) { SetRulerCursorLines(client.x, client.y); }

void CDocFrmWnd::HideOtherSelections(CDesignVu* from) {
  ForOtherPanes(from, -1, [](CView& view) { ::InvalidateRect(view.m_hWnd, nullptr, FALSE); });
}

void CDocFrmWnd::RefreshOtherViews(CView* source) {
  ForOtherPanes(source, -1, [](CView& view) { ::SendMessageA(view.m_hWnd, WM_COMMAND, kRefreshCommand, 0); });
}

void CDocFrmWnd::ResetRulers(int which) {
  if (which & kResetHorizontalRuler) horizontal_.ResetScale();
  if (which & kResetVerticalRuler) vertical_.ResetScale();
}

void CDocFrmWnd::SetRulerCursorLines(int x, int y) {
  if (x >= 0) horizontal_.SetCursorLine(x);
  if (y >= 0) vertical_.SetCursorLine(y);
}

BOOL CDocFrmWnd::DestroyWindow() {
  // The main frame's title loses this layout's name, not the next one's.
  CWnd* main = AfxGetMainWnd();
  const bool hadTitleBit = main && main->m_hWnd && (main->GetStyle() & FWS_ADDTOTITLE);
  if (hadTitleBit) main->ModifyStyle(FWS_ADDTOTITLE, 0);
  const BOOL destroyed = CMDIChildWnd::DestroyWindow();
  main = AfxGetMainWnd();
  if (main && main->m_hWnd && !LayoutShell()->IsReaderMode()) {
    if (hadTitleBit) main->ModifyStyle(0, FWS_ADDTOTITLE);
    // A view of this window that the main frame remembers is gone now.
    LayoutShell()->CheckRememberedView();
    if (auto* frame = dynamic_cast<CFrameWnd*>(main)) frame->OnUpdateFrameTitle(TRUE);
  }
  return destroyed;
}

void CDocFrmWnd::OnUpdateFrameMenu(BOOL active, CWnd* activated, HMENU menuAlt) {
  CMDIChildWnd::OnUpdateFrameMenu(active, activated, menuAlt);
  if (!active) return;
  CLayoutShell* shell = LayoutShell();
  if (!shell->IsReaderMode() || shell->IsFrameMenuPrepared()) shell->PrepareLayoutMenu();
}
