// Property pages: the page record the sheet is built from, the dialog
// procedure that attaches each page object to its window, and the sheet's
// notifications turned into virtual calls.
#include "platform/framework/property_sheet.h"

#include "platform/framework/resources.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId) {
  if (captionId) m_strCaption.LoadString(captionId);
}

CPropertyPage::CPropertyPage(const char* templateName, UINT captionId) : CDialog(templateName) {
  if (captionId) m_strCaption.LoadString(captionId);
}

void CPropertyPage::FillPage() {
  m_psp.dwSize = sizeof m_psp;
  m_psp.hInstance = AfxGetResourceHandle();
  m_psp.pszTemplate = m_lpszTemplateName;
  m_psp.pfnDlgProc = &AfxPageProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  if (!m_strCaption.IsEmpty()) {
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = m_strCaption;
  }
}

INT_PTR CPropertyPage::AfxPageProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  CWnd* wnd = FromHandlePermanent(dialog);
  if (!wnd) {
    // The sheet hands each page its page record; the record names the object.
    const auto* record = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
    auto* page = record ? reinterpret_cast<CPropertyPage*>(record->lParam) : nullptr;
    if (!page || page->m_hWnd) return FALSE;
    // The sheet's object takes its window before any page of it runs code.
    if (page->m_pSheet && !page->m_pSheet->m_hWnd) page->m_pSheet->AttachSheet(::GetParent(dialog));
    AttachDialogWindow(page, dialog);
    page->m_bFirstSetActive = TRUE;
    page->m_bChanged = FALSE;
    wnd = page;
  }
  auto* self = DYNAMIC_DOWNCAST(CPropertyPage, wnd);
  return self ? self->OnInitDialog() : TRUE;
}

BOOL CPropertyPage::OnSetActive() {
  // The first activation follows OnInitDialog, which has filled the controls.
  if (m_bFirstSetActive) {
    m_bFirstSetActive = FALSE;
  } else {
    UpdateData(FALSE);
  }
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnOK() { m_bChanged = FALSE; }

void CPropertyPage::OnReset() { OnCancel(); }

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

LRESULT CPropertyPage::OnWizardBack() { return 0; }

LRESULT CPropertyPage::OnWizardNext() { return 0; }

BOOL CPropertyPage::OnWizardFinish() { return OnKillActive(); }

void CPropertyPage::SetModified(BOOL changed) {
  m_bChanged = changed;
  if (!m_hWnd) return;
  ::SendMessageA(::GetParent(m_hWnd), changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CPropertyPage::CancelToClose() {
  if (m_hWnd) ::SendMessageA(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam) {
  return m_hWnd ? ::SendMessageA(::GetParent(m_hWnd), PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->hwndFrom != ::GetParent(m_hWnd)) return CDialog::OnNotify(wParam, lParam, result);
  switch (header->code) {
    case PSN_SETACTIVE: *result = OnSetActive() ? 0 : -1; return TRUE;
    // TRUE keeps the page shown.
    case PSN_KILLACTIVE: *result = OnKillActive() ? FALSE : TRUE; return TRUE;
    case PSN_APPLY: *result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE; return TRUE;
    case PSN_RESET:
      OnReset();
      *result = 0;
      return TRUE;
    // TRUE keeps the sheet open.
    case PSN_QUERYCANCEL: *result = OnQueryCancel() ? FALSE : TRUE; return TRUE;
    case PSN_WIZBACK: *result = OnWizardBack(); return TRUE;
    case PSN_WIZNEXT: *result = OnWizardNext(); return TRUE;
    // Non-zero keeps the wizard open.
    case PSN_WIZFINISH: *result = OnWizardFinish() ? FALSE : TRUE; return TRUE;
    default: return CDialog::OnNotify(wParam, lParam, result);
  }
}
