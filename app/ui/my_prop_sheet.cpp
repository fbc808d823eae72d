// The designer's property sheet.
#include "app/ui/my_prop_sheet.h"

#include "app/ui/ui_language.h"

BEGIN_MESSAGE_MAP(CPaintCallbackWnd, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CPaintCallbackWnd::OnPaint() {
  CPaintDC dc(this);
  if (callback_) callback_(dc, owner_);
}

BEGIN_MESSAGE_MAP(CMyPropSheet, CPropertySheet)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(kApplyButtonId, OnApplyNow)
ON_MESSAGE(WM_NCPAINT, OnNcPaint)
ON_MESSAGE(WM_NCACTIVATE, OnNcActivate)
ON_WM_NCLBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_NCHITTEST()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CMyPropSheet::CMyPropSheet(CWnd* parent) : CPropertySheet(IDS_PRODUCT_NAME, parent) {}

CMyPropSheet::~CMyPropSheet() = default;

BOOL CMyPropSheet::OnInitDialog() {
  skin_.Attach(this, -1);
  const BOOL result = CPropertySheet::OnInitDialog();
  if (HWND apply = ::GetDlgItem(m_hWnd, kApplyButtonId)) ::ShowWindow(apply, SW_HIDE);
  if (!IsEnglishUi()) {
    const auto tab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
    if (tab && !CWnd::FromHandlePermanent(tab)) tab_.SubclassWindow(tab);
  }
  if (sidePanelMode_) CreateSidePanel();
  CenterWindow();
  return result;
}

void CMyPropSheet::CreateSidePanel() {
  RECT window;
  GetWindowRect(&window);
  const int width = window.right - window.left;
  const int wider = width + static_cast<int>(width * widening_);
  SetWindowPos(nullptr, 0, 0, wider, window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const auto tab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
  if (!tab) return;
  RECT tabRect;
  ::GetWindowRect(tab, &tabRect);
  GetWindowRect(&window);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  RECT panel{tabRect.right + caption / 4, tabRect.top, window.right - caption / 3, tabRect.bottom};
  ScreenToClient(&panel);
  sidePanelRect_ = panel;
  if (CPropertyPage* first = GetPage(0); first && first->m_hWnd) {
    RECT page;
    first->GetWindowRect(&page);
    pageOffset_ = page.top - tabRect.top - 3;
  }
  sidePanel_.SetCallback(paintCallback_, this);
  sidePanel_.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, panel, this, kSidePanelId);
}

void CMyPropSheet::RefreshSidePanel() {
  if (!sidePanel_.m_hWnd || !::IsWindow(sidePanel_.m_hWnd)) return;
  sidePanel_.Invalidate(TRUE);
  sidePanel_.UpdateWindow();
}

bool CMyPropSheet::PagePasses(int index) {
  CPropertyPage* page = GetPage(index);
  // A page never shown has nothing to check.
  if (!page || !page->m_hWnd) return true;
  return page->OnKillActive() != FALSE;
}

void CMyPropSheet::OnOK() {
  closingWithOk_ = 1;
  const int active = GetActiveIndex();
  bool passed = active == 0 || PagePasses(active);
  for (int i = 1; passed && i < GetPageCount(); ++i) {
    if (i != active) passed = PagePasses(i);
  }
  if (passed) passed = PagePasses(0);
  closingWithOk_ = 0;
  if (passed) EndDialog(IDOK);
}

void CMyPropSheet::OnApplyNow() { Default(); }

LRESULT CMyPropSheet::OnNcPaint(WPARAM, LPARAM) {
  return skin_.HandleNcPaint([this] { return Default(); });
}

LRESULT CMyPropSheet::OnNcActivate(WPARAM active, LPARAM) {
  return skin_.HandleNcActivate(active, [this] { return Default(); });
}

void CMyPropSheet::OnNcLButtonDown(UINT, CPoint point) {
  skin_.HandleNcButtonDown(point, [this] { return Default(); });
}

void CMyPropSheet::OnLButtonUp(UINT, CPoint point) {
  skin_.HandleButtonUp(point, [this] { return Default(); });
}

LRESULT CMyPropSheet::OnNcHitTest(CPoint point) {
  return skin_.HandleNcHitTest(point, [this] { return Default(); });
}

void CMyPropSheet::OnDestroy() {
  CPropertySheet::OnDestroy();
  skin_.Detach();
}
