// Views: joining their document at creation, painting through OnDraw,
// routing commands to the document, becoming the frame's active view.
#include "platform/framework/view.h"

#include <algorithm>

#include "platform/framework/frame.h"
#include "platform/framework/framework_ids.h"
#include "platform/framework/print_dialog.h"
#include "platform/framework/print_preview.h"
#include "platform/framework/splitter.h"
#include "platform/framework/wnd_messages.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_MOUSEACTIVATE()
  ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
  ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
  ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) {
    AfxRegisterFrameworkClasses();
    cs.lpszClass = AfxFrameOrView;
  }
  cs.style |= WS_CLIPSIBLINGS;
  return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  // Printing stops after the first page unless the view sets a page count.
  if (info) info->m_bContinuePrinting = info->GetMaxPage() != 0xFFFF || info->m_nCurPage == 1;
  (void)dc;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView* sender, LPARAM, CObject*) {
  if (sender != this) Invalidate(TRUE);
}

void CView::OnActivateView(BOOL activate, CView* activateView, CView*) {
  if (activate && activateView == this) {
    if (::GetFocus() != m_hWnd && !::IsChild(m_hWnd, ::GetFocus())) ::SetFocus(m_hWnd);
  }
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

int CView::OnMouseActivate(CWnd* topLevel, UINT hitTest, UINT message) {
  const int result = CWnd::OnMouseActivate(topLevel, hitTest, message);
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  // A click makes this the frame's active view; a click on the active view
  // that lacks the focus activates it again, which gives it the focus (its
  // keys, Delete among them, go nowhere else).
  if (CFrameWnd* frame = GetParentFrame()) {
    const HWND focus = ::GetFocus();
    if (frame->GetActiveView() != this)
      frame->SetActiveView(this);
    else if (focus != m_hWnd && !::IsChild(m_hWnd, focus))
      OnActivateView(TRUE, this, this);
  }
  return result;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

void CView::OnPrint(CDC* dc, CPrintInfo*) { OnDraw(dc); }

void CView::OnEndPrintPreview(CDC* dc, CPrintInfo* info, POINT, CPreviewView*) { OnEndPrinting(dc, info); }

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION | PD_HIDEPRINTTOFILE)) {}

CPrintInfo::~CPrintInfo() { delete m_pPD; }

BOOL CView::DoPreparePrinting(CPrintInfo* info) {
  info->m_nFromPage = info->m_nMinPage;
  info->m_nToPage = info->m_nMaxPage;
  if (info->m_hPrinterDC) return TRUE;
  if (info->m_bPreview || info->m_bDirect || !info->m_pPD) {
    // A preview or a direct run goes to the named or default printer unasked.
    info->m_hPrinterDC =
        ::CreateDCA("WINSPOOL", info->m_strPrinterName.IsEmpty() ? nullptr : info->m_strPrinterName.GetString(),
                    nullptr, nullptr);
    return info->m_hPrinterDC != nullptr;
  }
  // A print run asks the user: the printer, the pages, the copies.
  CPrintDialog& dialog = *info->m_pPD;
  dialog.m_pd.Flags |= PD_RETURNDC;
  dialog.m_pd.nMinPage = static_cast<WORD>(std::min<UINT>(info->m_nMinPage, 0xFFFF));
  dialog.m_pd.nMaxPage = static_cast<WORD>(std::min<UINT>(info->m_nMaxPage, 0xFFFF));
  dialog.m_pd.nFromPage = dialog.m_pd.nMinPage;
  dialog.m_pd.nToPage = dialog.m_pd.nMaxPage;
  if (info->m_nMinPage == info->m_nMaxPage) dialog.m_pd.Flags |= PD_NOPAGENUMS;
  if (dialog.DoModal() != IDOK) return FALSE;
  info->m_hPrinterDC = dialog.m_pd.hDC;
  dialog.m_pd.hDC = nullptr;  // the run owns it now
  if (!info->m_hPrinterDC) info->m_hPrinterDC = dialog.CreatePrinterDC();
  info->m_strPrinterName = dialog.GetDeviceName();
  if (dialog.PrintRange()) {
    info->m_nFromPage = std::max<UINT>(static_cast<UINT>(dialog.GetFromPage()), info->m_nMinPage);
    info->m_nToPage = std::min<UINT>(static_cast<UINT>(dialog.GetToPage()), info->m_nMaxPage);
  }
  return info->m_hPrinterDC != nullptr;
}

void CView::OnFilePrint() {
  CPrintInfo info;
  if (!OnPreparePrinting(&info)) return;
  CDC dc;
  dc.Attach(info.m_hPrinterDC);
  dc.m_bPrinting = TRUE;
  CString title = m_pDocument ? m_pDocument->GetTitle() : CString("Document");
  if (dc.StartDoc(title) <= 0) {
    dc.DeleteDC();
    return;
  }
  OnBeginPrinting(&dc, &info);
  info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
  for (info.m_nCurPage = info.GetFromPage(); info.m_nCurPage <= info.GetToPage(); ++info.m_nCurPage) {
    OnPrepareDC(&dc, &info);
    if (!info.m_bContinuePrinting) break;
    dc.StartPage();
    OnPrint(&dc, &info);
    dc.EndPage();
  }
  OnEndPrinting(&dc, &info);
  dc.EndDoc();
  dc.DeleteDC();
}

void CView::OnFilePrintPreview() {
  CFrameWnd* frame = GetParentFrame();
  if (!frame) return;
  DoPrintPreview(this, frame);
}

IMPLEMENT_DYNAMIC(CScrollView, CView)

namespace {

CSplitterWnd* SplitterOf(const CWnd* pane) {
  return pane->m_hWnd ? DYNAMIC_DOWNCAST(CSplitterWnd, CWnd::FromHandlePermanent(::GetParent(pane->m_hWnd))) : nullptr;
}

}  // namespace

CScrollBar* CView::GetScrollBarCtrl(int bar) const {
  CSplitterWnd* splitter = SplitterOf(this);
  return splitter ? splitter->GetSharedScrollBar(this, bar) : nullptr;
}

BEGIN_MESSAGE_MAP(CScrollView, CView)
  ON_WM_SIZE()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

void CScrollView::SetScrollSizes(int mapMode, SIZE total, const SIZE& page, const SIZE& line) {
  m_nMapMode = mapMode;
  m_totalLog = total;
  // Logical sizes in device units, through a screen DC in the map mode.
  CWindowDC dc(nullptr);
  dc.SetMapMode(mapMode);
  POINT size{total.cx, total.cy};
  ::LPtoDP(dc.m_hDC, &size, 1);
  POINT origin{0, 0};
  ::LPtoDP(dc.m_hDC, &origin, 1);
  m_totalDev = CSize(std::abs(size.x - origin.x), std::abs(size.y - origin.y));
  m_pageDev = page.cx || page.cy ? CSize(page) : CSize(m_totalDev.cx / 10, m_totalDev.cy / 10);
  m_lineDev = line.cx || line.cy ? CSize(line) : CSize(m_pageDev.cx / 10, m_pageDev.cy / 10);
  if (m_hWnd) UpdateBars();
}

CPoint CScrollView::GetScrollPosition() const { return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT)); }

void CScrollView::ScrollToPosition(POINT point) {
  const CPoint now = GetScrollPosition();
  OnScrollBy(CSize(point.x - now.x, point.y - now.y));
}

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  dc->SetMapMode(m_nMapMode);
  if (!dc->IsPrinting()) {
    const CPoint pos = GetScrollPosition();
    dc->SetViewportOrg(-pos.x, -pos.y);
  }
  CView::OnPrepareDC(dc, info);
}

void CScrollView::UpdateBars() {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  const CPoint pos = GetScrollPosition();
  info.nMax = m_totalDev.cx - 1;
  info.nPage = static_cast<UINT>(std::max(0, static_cast<int>(client.right)));
  info.nPos = std::min(pos.x, std::max(0, m_totalDev.cx - static_cast<int>(client.right)));
  SetScrollInfo(SB_HORZ, &info, TRUE);
  info.nMax = m_totalDev.cy - 1;
  info.nPage = static_cast<UINT>(std::max(0, static_cast<int>(client.bottom)));
  info.nPos = std::min(pos.y, std::max(0, m_totalDev.cy - static_cast<int>(client.bottom)));
  SetScrollInfo(SB_VERT, &info, TRUE);
}

void CScrollView::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  UpdateBars();
}

BOOL CScrollView::OnScrollBy(CSize by, BOOL doScroll) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const CPoint pos = GetScrollPosition();
  const int maxX = std::max(0, m_totalDev.cx - static_cast<int>(client.right));
  const int maxY = std::max(0, m_totalDev.cy - static_cast<int>(client.bottom));
  const int x = std::clamp(pos.x + by.cx, 0, maxX), y = std::clamp(pos.y + by.cy, 0, maxY);
  if (x == pos.x && y == pos.y) return FALSE;
  if (doScroll) {
    SetScrollPos(SB_HORZ, x, TRUE);
    SetScrollPos(SB_VERT, y, TRUE);
    ::ScrollWindow(m_hWnd, pos.x - x, pos.y - y, nullptr, nullptr);
    // Panes sharing a bar with this one show the same part of their document.
    if (CSplitterWnd* splitter = SplitterOf(this)) splitter->ScrollSharingPanes(this, pos.x - x, pos.y - y);
  }
  return TRUE;
}

void CScrollView::Scroll(int bar, UINT code) {
  const bool horz = bar == SB_HORZ;
  const int line = horz ? m_lineDev.cx : m_lineDev.cy, page = horz ? m_pageDev.cx : m_pageDev.cy;
  int delta = 0;
  switch (code) {
    case SB_LINEUP: delta = -std::max(line, 1); break;
    case SB_LINEDOWN: delta = std::max(line, 1); break;
    case SB_PAGEUP: delta = -std::max(page, 1); break;
    case SB_PAGEDOWN: delta = std::max(page, 1); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      GetScrollInfo(bar, &info, SIF_TRACKPOS);
      delta = info.nTrackPos - GetScrollPos(bar);
      break;
    }
    case SB_TOP: delta = -GetScrollPos(bar); break;
    case SB_BOTTOM: delta = horz ? m_totalDev.cx : m_totalDev.cy; break;
    default: return;
  }
  OnScrollBy(horz ? CSize(delta, 0) : CSize(0, delta));
}

// The view's own bars, or the splitter's shared bar it scrolls through;
// another control's scrolling is not the view's.
void CScrollView::OnHScroll(UINT code, UINT, CScrollBar* bar) {
  if (bar && bar != GetScrollBarCtrl(SB_HORZ)) return;
  Scroll(SB_HORZ, code);
}

void CScrollView::OnVScroll(UINT code, UINT, CScrollBar* bar) {
  if (bar && bar != GetScrollBarCtrl(SB_VERT)) return;
  Scroll(SB_VERT, code);
}

BOOL CScrollView::OnMouseWheel(UINT, short delta, CPoint) {
  const int lines = -delta / WHEEL_DELTA * 3;
  return OnScrollBy(CSize(0, lines * std::max(1, static_cast<int>(m_lineDev.cy))));
}
