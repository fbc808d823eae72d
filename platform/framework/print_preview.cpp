// Print preview: pages drawn through the view's printing steps into a
// bitmap of the page's size on the screen.
#include "platform/framework/print_preview.h"
#include "platform/framework/preview_show.h"

#include <algorithm>

#include "platform/framework/wnd_messages.h"

IMPLEMENT_DYNAMIC(CPreviewBar, CControlBar)
IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

namespace {

struct BarButton {
  UINT id;
  const char* text;
};
constexpr BarButton kButtons[] = {
    {ID_PREVIEW_PRINT, "&Print..."}, {ID_PREVIEW_NEXT, "&Next Page"}, {ID_PREVIEW_PREV, "Pre&v Page"},
    {ID_PREVIEW_NUMPAGE, "&Two Page"}, {ID_PREVIEW_ZOOMIN, "Zoom &In"}, {ID_PREVIEW_ZOOMOUT, "Zoom &Out"},
    {ID_PREVIEW_CLOSE, "&Close"},
};
constexpr int kButtonWidth = 72, kButtonHeight = 22, kBarMargin = 4;

// Margins around the pages in the preview, in screen pixels.
constexpr int kPageGap = 8;
constexpr int kShadow = 3;

}  // namespace

BOOL CPreviewBar::Create(CFrameWnd* frame) {
  if (!CreateBar(AfxControlBar, WS_CHILD | WS_VISIBLE, CBRS_TOP, frame, AFX_IDW_PREVIEW_BAR)) return FALSE;
  int x = kBarMargin;
  HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  for (const BarButton& b : kButtons) {
    HWND button = ::CreateWindowExA(0, "Button", b.text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, kBarMargin,
                                    kButtonWidth, kButtonHeight, m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(b.id)), nullptr, nullptr);
    if (button) ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    x += kButtonWidth + kBarMargin;
  }
  return TRUE;
}

CSize CPreviewBar::CalcFixedLayout(BOOL, BOOL) { return CSize(32767, kButtonHeight + 2 * kBarMargin); }

void CPreviewBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  UpdateDialogControls(target, disableIfNoHandler);
}

BOOL CPreviewBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  // The buttons' commands go to the frame, which routes them to the preview.
  if (m_pDockSite) return m_pDockSite->OnCmdMsg(LOWORD(wParam), CN_COMMAND, nullptr, nullptr);
  return CControlBar::OnCommand(wParam, lParam);
}

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_COMMAND(ID_PREVIEW_CLOSE, OnPreviewClose)
  ON_COMMAND(ID_PREVIEW_NEXT, OnNextPage)
  ON_COMMAND(ID_PREVIEW_PREV, OnPrevPage)
  ON_COMMAND(ID_PREVIEW_NUMPAGE, OnNumPageChange)
  ON_COMMAND(ID_PREVIEW_ZOOMIN, OnZoomIn)
  ON_COMMAND(ID_PREVIEW_ZOOMOUT, OnZoomOut)
  ON_COMMAND(ID_PREVIEW_PRINT, OnPreviewPrint)
  ON_UPDATE_COMMAND_UI(ID_PREVIEW_NEXT, OnUpdateNextPage)
  ON_UPDATE_COMMAND_UI(ID_PREVIEW_PREV, OnUpdatePrevPage)
  ON_UPDATE_COMMAND_UI(ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
  ON_UPDATE_COMMAND_UI(ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
  ON_UPDATE_COMMAND_UI(ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()

CPreviewView::CPreviewView() { m_nMapMode = MM_TEXT; }

CPreviewView::~CPreviewView() {
  if (m_pPrinterDC) {
    m_pPrinterDC->DeleteDC();
    delete m_pPrinterDC;
  }
  delete m_pPreviewInfo;
}

BOOL CPreviewView::SetPrintView(CView* view, CPrintInfo* info) {
  m_pPrintView = view;
  m_pPreviewInfo = info;
  m_pPrinterDC = new CDC;
  m_pPrinterDC->Attach(info->m_hPrinterDC);
  m_pPrinterDC->m_bPrinting = TRUE;
  info->m_hPrinterDC = nullptr;  // the preview's DC object owns it now
  m_sizePrinterPPI = CSize(m_pPrinterDC->GetDeviceCaps(LOGPIXELSX), m_pPrinterDC->GetDeviceCaps(LOGPIXELSY));
  m_nPages = std::clamp(info->m_nNumPreviewPages, 1u, 2u);
  m_pPrintView->OnBeginPrinting(m_pPrinterDC, info);
  SetCurrentPage(info->GetMinPage(), TRUE);
  return TRUE;
}

CSize CPreviewView::CalcPageDisplaySize() {
  // The page fits the window's height (zoomed out), or shows at screen
  // resolution (zoomed in), keeping its proportions.
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const CSize page(m_pPrinterDC->GetDeviceCaps(HORZRES), m_pPrinterDC->GetDeviceCaps(VERTRES));
  CWindowDC screen(nullptr);
  const int screenX = screen.GetDeviceCaps(LOGPIXELSX), screenY = screen.GetDeviceCaps(LOGPIXELSY);
  const CSize actual(::MulDiv(page.cx, screenX, m_sizePrinterPPI.cx), ::MulDiv(page.cy, screenY, m_sizePrinterPPI.cy));
  if (m_nZoomState == ZOOM_IN) return actual;
  const int availableH = std::max(10, static_cast<int>(client.bottom) - 2 * kPageGap - kShadow);
  const int availableW =
      std::max(10, (static_cast<int>(client.right) - kPageGap * (static_cast<int>(m_nPages) + 1)) / static_cast<int>(m_nPages) - kShadow);
  CSize fit(::MulDiv(actual.cx, availableH, std::max(1, static_cast<int>(actual.cy))), availableH);
  if (fit.cx > availableW) fit = CSize(availableW, ::MulDiv(actual.cy, availableW, std::max(1, static_cast<int>(actual.cx))));
  if (m_nZoomState == ZOOM_MIDDLE) fit = CSize((fit.cx + actual.cx) / 2, (fit.cy + actual.cy) / 2);
  return fit;
}

void CPreviewView::PositionPage(UINT index) {
  const CSize size = CalcPageDisplaySize();
  PageInfo& info = m_pageInfo[index];
  info.sizeUnscaled = CSize(m_pPrinterDC->GetDeviceCaps(HORZRES), m_pPrinterDC->GetDeviceCaps(VERTRES));
  info.sizeScaleRatio = size;
  const int x = kPageGap + static_cast<int>(index) * (size.cx + kPageGap + kShadow);
  info.rectScreen = CRect(x, kPageGap, x + size.cx, kPageGap + size.cy);
}

void CPreviewView::SetCurrentPage(UINT page, BOOL) {
  m_nCurrentPage = std::max(page, m_pPreviewInfo->GetMinPage());
  for (UINT i = 0; i < m_nPages; ++i) PositionPage(i);
  OnDisplayPageNumber(m_nCurrentPage, m_nPages);
  if (m_hWnd) {
    const CSize size = CalcPageDisplaySize();
    SetScrollSizes(MM_TEXT, CSize(kPageGap + static_cast<int>(m_nPages) * (size.cx + kPageGap + kShadow),
                                  size.cy + 2 * kPageGap + kShadow));
    Invalidate(TRUE);
  }
}

void CPreviewView::OnDisplayPageNumber(UINT page, UINT pages) {
  CFrameWnd* frame = GetParentFrame();
  if (!frame) return;
  CString text;
  if (pages == 1) {
    text.Format("Page %u", page);
  } else {
    text.Format("Pages %u-%u", page, page + 1);
  }
  frame->SetMessageText(text);
}

void CPreviewView::SetZoomState(UINT state) {
  m_nZoomState = std::min<UINT>(state, ZOOM_IN);
  SetCurrentPage(m_nCurrentPage, TRUE);
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

void CPreviewView::OnSize(UINT type, int cx, int cy) {
  CScrollView::OnSize(type, cx, cy);
  if (m_pPreviewInfo) SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnDraw(CDC* dc) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const CPoint scroll = GetScrollPosition();
  CRect all(client);
  all.OffsetRect(scroll.x, scroll.y);
  dc->FillSolidRect(&all, ::GetSysColor(COLOR_APPWORKSPACE));
  for (UINT i = 0; i < m_nPages; ++i) {
    const UINT page = m_nCurrentPage + i;
    if (page > m_pPreviewInfo->GetMaxPage()) break;
    const PageInfo& info = m_pageInfo[i];
    const CRect& r = info.rectScreen;
    dc->FillSolidRect(r.left + kShadow, r.bottom, r.Width(), kShadow, RGB(0, 0, 0));
    dc->FillSolidRect(r.right, r.top + kShadow, kShadow, r.Height(), RGB(0, 0, 0));
    // The page is drawn by the document's view at printer resolution into a
    // bitmap the size of the page on the screen, the mapping doing the scale.
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, r.Width(), r.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, r.Width(), r.Height(), RGB(255, 255, 255));
    memory.m_bPrinting = TRUE;
    memory.m_hAttribDC = m_pPrinterDC->m_hDC;
    const int saved = memory.SaveDC();
    memory.SetMapMode(MM_ANISOTROPIC);
    memory.SetWindowExt(info.sizeUnscaled);
    memory.SetViewportExt(CSize(r.Width(), r.Height()));
    m_pPreviewInfo->m_nCurPage = page;
    m_pPreviewInfo->m_rectDraw = CRect(0, 0, info.sizeUnscaled.cx, info.sizeUnscaled.cy);
    m_pPrintView->OnPrepareDC(&memory, m_pPreviewInfo);
    if (m_pPreviewInfo->m_bContinuePrinting) m_pPrintView->OnPrint(&memory, m_pPreviewInfo);
    memory.RestoreDC(saved);
    memory.m_hAttribDC = memory.m_hDC;
    dc->BitBlt(r.left, r.top, r.Width(), r.Height(), &memory, 0, 0, SRCCOPY);
    dc->Draw3dRect(r.left - 1, r.top - 1, r.Width() + 2, r.Height() + 2, RGB(0, 0, 0), RGB(0, 0, 0));
    memory.SelectObject(old);
  }
  m_pPreviewInfo->m_nCurPage = m_nCurrentPage;
}

void CPreviewView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {
  CScrollView::OnActivateView(activate, activateView, deactiveView);
}

void CPreviewView::ClosePreview() {
  CFrameWnd* frame = GetParentFrame();
  m_pPrintView->OnEndPrintPreview(m_pPrinterDC, m_pPreviewInfo, CPoint(0, 0), this);
  if (m_pToolBar) {
    m_pToolBar->DestroyWindow();  // deletes the bar
    m_pToolBar = nullptr;
  }
  // The frame's pane (and in it the document's view) takes its place back.
  CView* original = m_pPrintView;
  SetDlgCtrlID(static_cast<int>(AFX_IDW_PANE_SAVE));
  if (::IsWindow(m_hWndPane)) {
    ::SetWindowLongPtrA(m_hWndPane, GWLP_ID, static_cast<LONG_PTR>(AFX_IDW_PANE_FIRST));
    ::ShowWindow(m_hWndPane, SW_SHOW);
  }
  if (frame) {
    frame->SetActiveView(original);
    frame->SetMessageText(nullptr);
  }
  DestroyWindow();  // deletes this view
  if (frame) frame->RecalcLayout();
}

void CPreviewView::OnPreviewClose() { ClosePreview(); }

void CPreviewView::OnNextPage() {
  if (m_nCurrentPage + m_nPages <= m_pPreviewInfo->GetMaxPage()) SetCurrentPage(m_nCurrentPage + 1, TRUE);
}

void CPreviewView::OnPrevPage() {
  if (m_nCurrentPage > m_pPreviewInfo->GetMinPage()) SetCurrentPage(m_nCurrentPage - 1, TRUE);
}

void CPreviewView::OnNumPageChange() {
  m_nPages = m_nPages == 1 ? 2 : 1;
  if (m_nCurrentPage + m_nPages - 1 > m_pPreviewInfo->GetMaxPage() && m_nCurrentPage > 1) --m_nCurrentPage;
  SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnZoomIn() { SetZoomState(m_nZoomState + 1); }
void CPreviewView::OnZoomOut() {
  if (m_nZoomState > ZOOM_OUT) SetZoomState(m_nZoomState - 1);
}

void CPreviewView::OnPreviewPrint() {
  CView* view = m_pPrintView;
  ClosePreview();
  view->SendMessage(WM_COMMAND, ID_FILE_PRINT, 0);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* ui) { ui->Enable(m_nCurrentPage + m_nPages <= m_pPreviewInfo->GetMaxPage()); }
void CPreviewView::OnUpdatePrevPage(CCmdUI* ui) { ui->Enable(m_nCurrentPage > m_pPreviewInfo->GetMinPage()); }
void CPreviewView::OnUpdateNumPageChange(CCmdUI* ui) {
  ui->SetText(m_nPages == 1 ? "&Two Page" : "&One Page");
  ui->Enable(m_pPreviewInfo->GetMaxPage() > m_pPreviewInfo->GetMinPage());
}
void CPreviewView::OnUpdateZoomIn(CCmdUI* ui) { ui->Enable(m_nZoomState < ZOOM_IN); }
void CPreviewView::OnUpdateZoomOut(CCmdUI* ui) { ui->Enable(m_nZoomState > ZOOM_OUT); }

BOOL DoPrintPreview(CView* view, CFrameWnd* frame) {
  auto* info = new CPrintInfo;
  info->m_bPreview = TRUE;
  if (!view->OnPreparePrinting(info)) {
    if (info->m_hPrinterDC) ::DeleteDC(info->m_hPrinterDC);
    delete info;
    return FALSE;
  }
  return ShowPrintPreview(view, frame, info, new CPreviewView, nullptr);
}

BOOL ShowPrintPreview(CView* view, CFrameWnd* frame, CPrintInfo* info, CPreviewView* preview, CPreviewBar* bar) {
  // The frame's pane (the view, or the splitter holding it) steps aside:
  // hidden, another id; the preview takes the id, so the frame lays it out
  // in the pane's place.
  HWND pane = ::GetDlgItem(frame->m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST));
  if (pane) {
    ::ShowWindow(pane, SW_HIDE);
    ::SetWindowLongPtrA(pane, GWLP_ID, static_cast<LONG_PTR>(AFX_IDW_PANE_SAVE));
  }
  if (!bar) {
    bar = new CPreviewBar;
    bar->Create(frame);
  }
  CCreateContext context;
  context.m_pCurrentDoc = nullptr;
  preview->m_pToolBar = bar;
  preview->m_hWndPane = pane;
  if (!preview->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, CRect(0, 0, 0, 0), frame,
                       AFX_IDW_PANE_FIRST, &context)) {
    if (pane) {
      ::SetWindowLongPtrA(pane, GWLP_ID, static_cast<LONG_PTR>(AFX_IDW_PANE_FIRST));
      ::ShowWindow(pane, SW_SHOW);
    }
    bar->DestroyWindow();
    if (info->m_hPrinterDC) ::DeleteDC(info->m_hPrinterDC);
    delete info;
    return FALSE;
  }
  preview->m_pDocument = view->GetDocument();  // commands still reach the document
  frame->RecalcLayout();
  preview->SetPrintView(view, info);
  frame->SetActiveView(preview);
  return TRUE;
}
