#include "print/preview/label_preview.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "foundation/gdi_helpers/marks.h"
#include "foundation/gdi_helpers/text_draw.h"
#include "platform/framework/preview_show.h"
#include "platform/framework/wnd_messages.h"
#include "print/dialog/print_job_dlg.h"
#include "print/print_ids.h"

IMPLEMENT_DYNAMIC(CPrntPrevuBar, CPreviewBar)
IMPLEMENT_DYNCREATE(CPrntPrevu, CPreviewView)

namespace {

constexpr int kPageGap = 8;      // screen pixels around the pages
constexpr int kShadow = 3;       // the drop shadow's width
constexpr int kCaptionGap = 7;   // from the page's bottom to its "Page n"
constexpr int kZoomInFactor = 2;  // fully zoomed in: twice the page's true size

}  // namespace

BOOL CPrntPrevuBar::CreateFromTemplate(CFrameWnd* frame, UINT templateId) {
  m_dwStyle = CBRS_TOP;
  HWND bar = ::CreateDialogParamA(AfxGetResourceHandle(), reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(templateId)),
                                  frame->m_hWnd, nullptr, 0);
  if (!bar) return FALSE;
  ::SetWindowLongPtrA(bar, GWLP_ID, static_cast<LONG_PTR>(AFX_IDW_PREVIEW_BAR));
  SubclassWindow(bar);
  RECT r;
  ::GetWindowRect(bar, &r);
  size_ = CSize(r.right - r.left, r.bottom - r.top);
  // Above the frame's other children (a layout's rulers).
  ::SetWindowPos(bar, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(SW_SHOWNOACTIVATE);
  m_pDockSite = frame;
  frame->AddControlBar(this);
  return TRUE;
}

CSize CPrntPrevuBar::CalcFixedLayout(BOOL, BOOL) { return CSize(32767, size_.cy); }

BOOL CPrntPrevuBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Buttons and the page edit's notifications go to the frame, which routes
  // them to the preview.
  if (m_pDockSite)
    return m_pDockSite->OnCmdMsg(LOWORD(wParam), static_cast<int>(HIWORD(wParam)), nullptr, nullptr);
  return CPreviewBar::OnCommand(wParam, lParam);
}

BEGIN_MESSAGE_MAP(CPrntPrevu, CPreviewView)
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_COMMAND(IDC_PREVIEW_NEXT, OnNext)
  ON_COMMAND(IDC_PREVIEW_PREV, OnPrevious)
  ON_COMMAND(IDC_PREVIEW_LAST, OnLast)
  ON_COMMAND(IDC_PREVIEW_FIRST, OnFirst)
  ON_COMMAND(IDC_PREVIEW_PRINT_PAGE, OnPrintCurrentPage)
  ON_COMMAND(IDC_PREVIEW_PAGES, OnMultiplePages)
  ON_COMMAND(IDC_PREVIEW_CLOSE, OnClose)
  ON_EN_KILLFOCUS(IDC_PREVIEW_PAGE, OnPageEditKillFocus)
  ON_EN_CHANGE(IDC_PREVIEW_PAGE, OnPageEditChange)
  ON_UPDATE_COMMAND_UI(IDC_PREVIEW_NEXT, OnUpdateNext)
  ON_UPDATE_COMMAND_UI(IDC_PREVIEW_PREV, OnUpdatePrevious)
  ON_UPDATE_COMMAND_UI(IDC_PREVIEW_LAST, OnUpdateLast)
  ON_UPDATE_COMMAND_UI(IDC_PREVIEW_FIRST, OnUpdateFirst)
  ON_UPDATE_COMMAND_UI(IDC_PREVIEW_PRINT_PAGE, OnUpdatePrintCurrentPage)
  ON_UPDATE_COMMAND_UI(IDC_PREVIEW_PAGES, OnUpdateAlways)
  ON_UPDATE_COMMAND_UI(IDC_PREVIEW_CLOSE, OnUpdateAlways)
END_MESSAGE_MAP()

CPrntPrevu::CPrntPrevu() = default;

CPrntPrevu::~CPrntPrevu() {
  // The lay-out run goes with the preview.
  if (m_pDialog) {
    if (m_pDialog->m_hWnd) m_pDialog->DeleteJob();
    m_pDialog->PreviewGone();
  }
}

int CPrntPrevu::PageCount() const { return m_pDialog ? m_pDialog->PageCount() : 0; }

HWND CPrntPrevu::BarItem(int id) const {
  return m_pToolBar && m_pToolBar->m_hWnd ? ::GetDlgItem(m_pToolBar->m_hWnd, id) : nullptr;
}

CSize CPrntPrevu::CalcPageDisplaySize() {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  // The pages share nine tenths of the window.
  const int width = static_cast<int>(client.right) * 9 / 10;
  const int height = static_cast<int>(client.bottom) * 9 / 10;
  const int pages = static_cast<int>(std::clamp(m_nPages, 1u, 2u));
  const CSize box(std::max(10, pages == 2 ? (width - 24) / 2 : width - 16), std::max(10, height - 16));
  if (!m_pDialog) return box;
  const CPrintJobDlg::PreviewGeometry& g = m_pDialog->Preview();
  if (g.pageWidth <= 0 || g.pageHeight <= 0 || g.dpiX <= 0 || g.dpiY <= 0) return box;
  // The page in printer dots, then at the screen's resolution.
  const int dotsX = ::MulDiv(g.pageWidth, g.dpiX, 1000), dotsY = ::MulDiv(g.pageHeight, g.dpiY, 1000);
  CWindowDC screen(nullptr);
  const CSize actual(std::max(1, ::MulDiv(dotsX, screen.GetDeviceCaps(LOGPIXELSX), g.dpiX)),
                     std::max(1, ::MulDiv(dotsY, screen.GetDeviceCaps(LOGPIXELSY), g.dpiY)));
  if (m_nZoomState == ZOOM_MIDDLE) return actual;
  if (m_nZoomState == ZOOM_IN) return CSize(actual.cx * kZoomInFactor, actual.cy * kZoomInFactor);
  // Zoomed out: the whole page fits its share, keeping its proportions.
  CSize fit(::MulDiv(actual.cx, box.cy, actual.cy), box.cy);
  if (fit.cx > box.cx) fit = CSize(box.cx, ::MulDiv(actual.cy, box.cx, actual.cx));
  return CSize(std::max(1, static_cast<int>(fit.cx)), std::max(1, static_cast<int>(fit.cy)));
}

void CPrntPrevu::PositionPage(UINT index) {
  if (index >= std::size(m_pageInfo)) return;
  const CSize size = CalcPageDisplaySize();
  PageInfo& info = m_pageInfo[index];
  if (m_pDialog) {
    const CPrintJobDlg::PreviewGeometry& g = m_pDialog->Preview();
    info.sizeUnscaled = CSize(::MulDiv(g.pageWidth, g.dpiX, 1000), ::MulDiv(g.pageHeight, g.dpiY, 1000));
  }
  info.sizeScaleRatio = size;
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const int pages = static_cast<int>(std::clamp(m_nPages, 1u, 2u));
  const int all = pages * static_cast<int>(size.cx) + (pages - 1) * 2 * kPageGap;
  // Zoomed out the pages are centred; larger ones start at the left.
  const int left = std::max(kPageGap, (static_cast<int>(client.right) - all) / 2);
  const int x = left + static_cast<int>(index) * (static_cast<int>(size.cx) + 2 * kPageGap);
  info.rectScreen = CRect(x, kPageGap, x + size.cx, kPageGap + size.cy);
}

void CPrntPrevu::OnDraw(CDC* dc) {
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  const CPoint scroll = GetScrollPosition();
  CRect all(client);
  all.OffsetRect(scroll.x, scroll.y);
  dc->FillSolidRect(&all, ::GetSysColor(COLOR_APPWORKSPACE));
  if (!m_pDialog) return;
  const CPrintJobDlg::PreviewGeometry& g = m_pDialog->Preview();
  if (g.pageWidth <= 0) return;
  const HDC hdc = dc->m_hDC;
  const int pageCount = PageCount();
  for (UINT i = 0; i < std::clamp(m_nPages, 1u, 2u); ++i) {
    const int n = static_cast<int>(m_nCurrentPage + i);
    const CRect r = m_pageInfo[i].rectScreen;
    const RECT paper{r.left, r.top, r.right + 1, r.bottom + 1};
    ::FillRect(hdc, &paper, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    {
      const int saved = ::SaveDC(hdc);
      ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
      DrawDropShadow(hdc, r.left, r.top, r.right + 1, r.bottom + 1, kShadow);
      ::RestoreDC(hdc, saved);
    }
    char caption[32];
    std::snprintf(caption, sizeof caption, "Page %d", n);
    DrawTextTransparent(hdc, r.left + r.Width() / 2 - 20, r.bottom + kCaptionGap, caption,
                        static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), RGB(255, 255, 255));
    if (n > pageCount) continue;  // past the last page: an empty page
    // The job draws the page at the resolution that makes it this size on
    // the screen, its corner at the page's corner.
    const int zoom = ::MulDiv(r.Width(), 1000, g.pageWidth);
    const int saved = ::SaveDC(hdc);
    ::IntersectClipRect(hdc, r.left, r.top, r.right, r.bottom);
    ::OffsetViewportOrgEx(hdc, r.left, r.top, nullptr);
    m_pDialog->RenderPreviewPage(n - 1, hdc, zoom);
    ::RestoreDC(hdc, saved);
  }
  ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  OnDisplayPageNumber(m_nCurrentPage, m_nPages);
}

void CPrntPrevu::OnDisplayPageNumber(UINT page, UINT) {
  if (m_pToolBar && m_pToolBar->m_hWnd) {
    CFrameWnd* frame = GetParentFrame();
    if (frame) m_pToolBar->OnUpdateCmdUI(frame, TRUE);
  }
  char text[32];
  writingPage_ = true;
  std::snprintf(text, sizeof text, "%u", page);
  if (HWND edit = BarItem(IDC_PREVIEW_PAGE)) ::SetWindowTextA(edit, text);
  std::snprintf(text, sizeof text, "of %d", PageCount());
  if (HWND count = BarItem(IDC_PREVIEW_PAGE_COUNT)) ::SetWindowTextA(count, text);
  writingPage_ = false;
}

void CPrntPrevu::OnNext() {
  if (static_cast<int>(m_nCurrentPage) < PageCount()) SetCurrentPage(m_nCurrentPage + 1, FALSE);
}
void CPrntPrevu::OnPrevious() {
  if (m_nCurrentPage > 1) SetCurrentPage(m_nCurrentPage - 1, FALSE);
}
void CPrntPrevu::OnLast() {
  if (PageCount() > 0) SetCurrentPage(static_cast<UINT>(PageCount()), FALSE);
}
void CPrntPrevu::OnFirst() { SetCurrentPage(1, FALSE); }

void CPrntPrevu::OnUpdateNext(CCmdUI* ui) { ui->Enable(static_cast<int>(m_nCurrentPage) < PageCount()); }
void CPrntPrevu::OnUpdatePrevious(CCmdUI* ui) { ui->Enable(m_nCurrentPage > 1); }
void CPrntPrevu::OnUpdateLast(CCmdUI* ui) { ui->Enable(m_pDialog && static_cast<int>(m_nCurrentPage) < PageCount()); }
void CPrntPrevu::OnUpdateFirst(CCmdUI* ui) { ui->Enable(m_nCurrentPage > 1); }
void CPrntPrevu::OnUpdateAlways(CCmdUI* ui) { ui->Enable(TRUE); }

void CPrntPrevu::OnUpdatePrintCurrentPage(CCmdUI* ui) {
  // Picture files have no page to print.
  ui->Enable(m_pDialog && m_pDialog->m_hWnd &&
             ::IsDlgButtonChecked(m_pDialog->m_hWnd, IDC_PRINT_TO_IMAGE) != BST_CHECKED);
}

void CPrntPrevu::OnPrintCurrentPage() {
  if (!m_pDialog || PageCount() < static_cast<int>(m_nCurrentPage)) return;
  if (::IsDlgButtonChecked(m_pDialog->m_hWnd, IDC_PRINT_TO_IMAGE) == BST_CHECKED) return;
  m_pDialog->RunPrint(3, static_cast<int>(m_nCurrentPage) - 1, nullptr, 0);
  // The print replaced the lay-out run the preview draws from.
  m_pDialog->RunPrint(2, 0, nullptr, 203);
  ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  Invalidate(TRUE);
}

void CPrntPrevu::ShowPages(UINT pages) {
  m_nPages = std::clamp(pages, 1u, 2u);
  const int last = PageCount();
  // Two pages near the end: back far enough that both are pages of the run.
  if (last > 0 && static_cast<int>(m_nCurrentPage + m_nPages - 1) > last)
    m_nCurrentPage = static_cast<UINT>(std::max(1, last - static_cast<int>(m_nPages) + 1));
  m_nZoomState = ZOOM_OUT;
  SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPrntPrevu::OnMultiplePages() {
  HMENU menu = ::CreatePopupMenu();
  ::AppendMenuA(menu, MF_STRING, ID_PREVIEW_ONE_PAGE, "1 x 1");
  ::AppendMenuA(menu, MF_STRING, ID_PREVIEW_TWO_PAGES, "1 x 2");
  POINT at{};
  if (HWND button = BarItem(IDC_PREVIEW_PAGES)) {
    RECT r;
    ::GetWindowRect(button, &r);
    at = POINT{r.left, r.bottom};
  } else {
    ::GetCursorPos(&at);
  }
  const int chosen = static_cast<int>(
      ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, at.x, at.y, 0, m_hWnd, nullptr));
  ::DestroyMenu(menu);
  if (chosen == ID_PREVIEW_ONE_PAGE) ShowPages(1);
  else if (chosen == ID_PREVIEW_TWO_PAGES) ShowPages(2);
}

void CPrntPrevu::OnClose() {
  CPrintJobDlg* dialog = m_pDialog;
  ClosePreview();  // deletes this view
  if (dialog) dialog->PreviewClosed();
}

void CPrntPrevu::OnPageEditKillFocus() {
  HWND edit = BarItem(IDC_PREVIEW_PAGE);
  if (!edit) return;
  char text[32] = {};
  ::GetWindowTextA(edit, text, sizeof text);
  const long number = std::strtol(text, nullptr, 10);
  if (number >= 1 && number != static_cast<long>(m_nCurrentPage)) {
    SetCurrentPage(static_cast<UINT>(number), FALSE);
    Invalidate(TRUE);
  }
}

void CPrntPrevu::OnPageEditChange() {
  if (writingPage_ || !m_pDialog) return;
  HWND edit = BarItem(IDC_PREVIEW_PAGE);
  if (!edit) return;
  char text[32] = {};
  ::GetWindowTextA(edit, text, sizeof text);
  const long number = std::strtol(text, nullptr, 10);
  char fixed[32] = {};
  if (number <= 0) std::snprintf(fixed, sizeof fixed, "1");
  else if (number > PageCount()) std::snprintf(fixed, sizeof fixed, "%d", std::max(1, PageCount()));
  if (fixed[0]) {
    writingPage_ = true;
    ::SetWindowTextA(edit, fixed);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    writingPage_ = false;
  }
}

BOOL CPrntPrevu::OnSetCursor(CWnd*, UINT, UINT) {
  ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  return TRUE;
}

void CPrntPrevu::OnLButtonDown(UINT, CPoint) {
  // A click on the pages takes the focus from the page edit, which then
  // moves to the page typed.
  if (::GetFocus() == BarItem(IDC_PREVIEW_PAGE)) ::SetFocus(m_hWnd);
}

BOOL OpenLabelPreview(CPrintJobDlg& dialog, CView* view) {
  CFrameWnd* frame = view ? view->GetParentFrame() : nullptr;
  if (!frame || !dialog.Job() || dialog.PageCount() <= 0) return FALSE;
  auto* info = new CPrintInfo;
  info->m_bPreview = TRUE;
  info->SetMinPage(1);
  info->SetMaxPage(static_cast<UINT>(dialog.PageCount()));
  // The pages' geometry comes from the dialog's lay-out run; the run's
  // device context only answers the framework's questions.
  info->m_hPrinterDC = ::CreateCompatibleDC(nullptr);
  auto* bar = new CPrntPrevuBar;
  if (!bar->CreateFromTemplate(frame, IDD_PRINT_PREVIEW_BAR)) {
    delete bar;
    ::DeleteDC(info->m_hPrinterDC);
    delete info;
    return FALSE;
  }
  auto* preview = new CPrntPrevu;
  preview->m_pDialog = &dialog;
  if (!ShowPrintPreview(view, frame, info, preview, bar)) return FALSE;
  dialog.PreviewOpened([preview] {
    preview->m_pDialog = nullptr;
    preview->ClosePreview();
  });
  return TRUE;
}
