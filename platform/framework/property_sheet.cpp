// Property sheets: the sheet's header built from its pages, the sheet's
// window attached to its object, and how the sheet was closed.
#include "platform/framework/property_sheet.h"

#include <algorithm>

#include "platform/framework/app.h"
#include "platform/framework/resources.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : m_pParentWnd(parent), m_nStartPage(selectPage) {
  if (captionId) m_strCaption.LoadString(captionId);
}

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT selectPage)
    : m_strCaption(caption ? caption : ""), m_pParentWnd(parent), m_nStartPage(selectPage) {}

CPropertySheet::~CPropertySheet() {
  for (CPropertyPage* page : m_pages)
    if (page->m_pSheet == this) page->m_pSheet = nullptr;
  if (m_tabWrapper) m_tabWrapper->m_hWnd = nullptr;  // it never held the control
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (!page) return;
  page->m_pSheet = this;
  if (m_hWnd) {
    page->FillPage();
    const HPROPSHEETPAGE handle = ::CreatePropertySheetPageA(&page->m_psp);
    const bool added = handle && SendMessage(PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(handle)) != 0;
    // The sheet keeps its own copy of the page record.
    if (handle) ::DestroyPropertySheetPage(handle);
    if (!added) return;
  }
  m_pages.push_back(page);
}

void CPropertySheet::RemovePage(CPropertyPage* page) { RemovePage(GetPageIndex(page)); }

void CPropertySheet::RemovePage(int index) {
  if (index < 0 || index >= GetPageCount()) return;
  // An open sheet keeps its last page.
  if (m_hWnd && !SendMessage(PSM_REMOVEPAGE, static_cast<WPARAM>(index), 0)) return;
  CPropertyPage* page = m_pages[static_cast<size_t>(index)];
  if (page->m_pSheet == this) page->m_pSheet = nullptr;
  m_pages.erase(m_pages.begin() + index);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
  const auto found = std::find(m_pages.begin(), m_pages.end(), page);
  return found == m_pages.end() ? -1 : static_cast<int>(found - m_pages.begin());
}

int CPropertySheet::GetActiveIndex() const {
  if (!m_hWnd) return m_nStartPage < m_pages.size() ? static_cast<int>(m_nStartPage) : 0;
  const LRESULT page = SendMessage(PSM_GETCURRENTPAGEHWND);
  return static_cast<int>(SendMessage(PSM_HWNDTOINDEX, static_cast<WPARAM>(page)));
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(GetActiveIndex()); }

BOOL CPropertySheet::SetActivePage(int index) {
  if (index < 0 || index >= GetPageCount()) return FALSE;
  if (m_hWnd) return SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(index), 0) != 0;
  m_nStartPage = static_cast<UINT>(index);
  return TRUE;
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }

void CPropertySheet::SetTitle(const char* text, UINT style) {
  m_strCaption = text ? text : "";
  m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (style & PSH_PROPTITLE);
  if (m_hWnd) SendMessage(PSM_SETTITLEA, style, reinterpret_cast<LPARAM>(m_strCaption.GetString()));
}

CTabCtrl* CPropertySheet::GetTabControl() const {
  if (!m_hWnd) return nullptr;
  const auto tab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
  if (!tab) return nullptr;
  // A tab control object that subclassed it answers for it.
  if (auto* owner = DYNAMIC_DOWNCAST(CTabCtrl, FromHandlePermanent(tab))) return owner;
  if (!m_tabWrapper) m_tabWrapper = std::make_unique<CTabCtrl>();
  m_tabWrapper->m_hWnd = tab;
  return m_tabWrapper.get();
}

BOOL CPropertySheet::PressButton(int button) {
  if (!m_hWnd) return FALSE;
  SendMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(button));
  return TRUE;
}

void CPropertySheet::AttachSheet(HWND sheet) {
  m_pfnSuper = nullptr;
  SubclassWindow(sheet);
}

int CPropertySheet::SheetCallback(HWND sheet, UINT message, LPARAM) {
  if (message != PSCB_INITIALIZED || !sheet) return 0;
  // The sheet object is the one its first page names.
  const auto page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  auto* first = DYNAMIC_DOWNCAST(CPropertyPage, FromHandlePermanent(page));
  CPropertySheet* self = first ? first->m_pSheet : nullptr;
  if (!self) return 0;
  if (!self->m_hWnd) self->AttachSheet(sheet);
  self->OnInitDialog();
  return 0;
}

BOOL CPropertySheet::OnInitDialog() { return TRUE; }

void CPropertySheet::EndDialog(int result) {
  m_bEnded = TRUE;
  m_nClosedBy = result;
  if (m_bModeless) {
    if (m_hWnd) DestroyWindow();
    return;
  }
  if (m_hWnd) ::EndDialog(m_hWnd, result);
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The buttons and the close box that may end the sheet; the last one
  // before it ends says how.
  int closing = 0;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) closing = LOWORD(wParam);
  if (message == WM_CLOSE) closing = IDCANCEL;
  if (message == WM_COMMAND && LOWORD(wParam) == ID_WIZFINISH) closing = ID_WIZFINISH;
  if (closing && !m_bEnded) m_nClosedBy = closing;
  const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
  // A modeless sheet that a button or the close box finished goes; the
  // sheet answers no current page once it has finished.
  if (closing && m_bModeless && m_hWnd && !SendMessage(PSM_GETCURRENTPAGEHWND)) DestroyWindow();
  return result;
}

PROPSHEETHEADERA CPropertySheet::BuildHeader(std::vector<PROPSHEETPAGEA>& records, CWnd* parent) {
  records.clear();
  records.reserve(m_pages.size());
  for (CPropertyPage* page : m_pages) {
    page->m_pSheet = this;
    page->FillPage();
    records.push_back(page->m_psp);
  }
  PROPSHEETHEADERA header = m_psh;
  header.dwSize = sizeof header;
  header.dwFlags = (m_psh.dwFlags | PSH_PROPSHEETPAGE | PSH_USECALLBACK) & ~(PSH_MODELESS | PSH_USEPSTARTPAGE);
  header.hwndParent = parent ? parent->m_hWnd : nullptr;
  header.hInstance = AfxGetResourceHandle();
  header.pszCaption = m_strCaption;
  header.nPages = static_cast<UINT>(records.size());
  header.nStartPage = m_nStartPage < records.size() ? m_nStartPage : 0;
  header.ppsp = records.data();
  header.pfnCallback = &SheetCallback;
  return header;
}

INT_PTR CPropertySheet::DoModal() {
  if (m_hWnd || m_pages.empty()) return -1;
  std::vector<PROPSHEETPAGEA> records;
  PROPSHEETHEADERA header = BuildHeader(records, m_pParentWnd ? m_pParentWnd : AfxGetMainWnd());
  m_nClosedBy = 0;
  m_bEnded = FALSE;
  m_bModeless = FALSE;
  const INT_PTR shown = ::PropertySheetA(&header);
  if (m_tabWrapper) m_tabWrapper->m_hWnd = nullptr;
  if (m_bEnded) return m_nClosedBy;
  if (shown < 0) return -1;
  if (IsWizard()) return shown > 0 ? ID_WIZFINISH : IDCANCEL;
  return m_nClosedBy == IDOK ? IDOK : IDCANCEL;
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle) {
  if (m_hWnd || m_pages.empty()) return FALSE;
  if (parent) m_pParentWnd = parent;
  std::vector<PROPSHEETPAGEA> records;
  PROPSHEETHEADERA header = BuildHeader(records, m_pParentWnd ? m_pParentWnd : AfxGetMainWnd());
  header.dwFlags |= PSH_MODELESS;
  m_nClosedBy = 0;
  m_bEnded = FALSE;
  m_bModeless = TRUE;
  const auto sheet = reinterpret_cast<HWND>(::PropertySheetA(&header));
  if (!sheet || sheet == reinterpret_cast<HWND>(-1)) return FALSE;
  if (!m_hWnd) AttachSheet(sheet);
  if (style != static_cast<DWORD>(-1)) {
    // The caller's styles for the sheet's frame; it stays a popup.
    ::SetWindowLongA(sheet, GWL_STYLE, static_cast<LONG>((style & ~WS_CHILD) | WS_POPUP));
    ::SetWindowPos(sheet, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    if (!(style & WS_VISIBLE)) ::ShowWindow(sheet, SW_HIDE);
  }
  if (exStyle) ::SetWindowLongA(sheet, GWL_EXSTYLE, static_cast<LONG>(::GetWindowLongA(sheet, GWL_EXSTYLE) | exStyle));
  return TRUE;
}

void CPropertySheet::SetWizardButtons(DWORD flags) {
  if (m_hWnd) SendMessage(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

void CPropertySheet::SetFinishText(const char* text) {
  if (m_hWnd) SendMessage(PSM_SETFINISHTEXTA, 0, reinterpret_cast<LPARAM>(text ? text : ""));
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg) {
  if (!m_bModeless || !m_hWnd || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  return SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(msg)) != 0;
}
