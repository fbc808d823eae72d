// Dialogs: attaching the object to the dialog the dialog manager makes,
// modal and modeless runs, OK and Cancel with data exchange.
#include "platform/framework/dialog.h"

#include "platform/framework/app.h"
#include "platform/framework/resources.h"
#include "platform/framework/thread_state.h"
#include "platform/framework/wnd_messages.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDHelp(templateId), m_lpszTemplateName(reinterpret_cast<const char*>(static_cast<UINT_PTR>(templateId))),
      m_pParentWnd(parent) {}

CDialog::CDialog(const char* templateName, CWnd* parent) : m_lpszTemplateName(templateName), m_pParentWnd(parent) {}

CDialog::~CDialog() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) ::DestroyWindow(m_hWnd);
}

INT_PTR CDialog::AfxDlgProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  CWnd* wnd = FromHandlePermanent(dialog);
  if (!wnd) {
    // The first message of a dialog the framework is making: the object is
    // attached, and the framework's procedure put in front of the dialog
    // manager's (which calls this procedure for what the map leaves).
    auto& state = afx::State();
    if (!state.wndInit) return FALSE;
    wnd = state.wndInit;
    state.wndInit = nullptr;
    AttachDialogWindow(wnd, dialog);
  }
  if (message != WM_INITDIALOG) return FALSE;
  auto* self = DYNAMIC_DOWNCAST(CDialog, wnd);
  return self ? self->OnInitDialog() : TRUE;
}

void CDialog::AttachDialogWindow(CWnd* wnd, HWND dialog) {
  wnd->Attach(dialog);
  wnd->PreSubclassWindow();
  wnd->m_pfnSuper = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(dialog, GWLP_WNDPROC));
  ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc));
}

BOOL CDialog::RunCommonDialog(const std::function<BOOL()>& run) {
  auto& state = afx::State();
  CWnd* const saved = state.wndInit;
  state.wndInit = this;
  m_bModal = TRUE;
  const BOOL chosen = run();
  m_bModal = FALSE;
  state.wndInit = saved;
  if (m_hWnd) Detach();
  return chosen;
}

CDialog* CDialog::HookedDialog(HWND dialog, UINT message, const CRuntimeClass* kind, bool& started) {
  started = false;
  if (message == WM_INITDIALOG) {
    // The object that is starting this dialog on this thread.
    auto& state = afx::State();
    CWnd* waiting = state.wndInit;
    if (waiting && waiting->IsKindOf(kind) && !waiting->m_hWnd) {
      state.wndInit = nullptr;
      AttachDialogWindow(waiting, dialog);
      started = true;
      return static_cast<CDialog*>(waiting);
    }
  }
  CWnd* attached = FromHandlePermanent(dialog);
  return attached && attached->IsKindOf(kind) ? static_cast<CDialog*>(attached) : nullptr;
}

INT_PTR CDialog::DoModal() {
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!owner) {
    CWnd* main = AfxGetMainWnd();
    owner = main ? main->m_hWnd : nullptr;
  }
  m_bModal = TRUE;
  auto& state = afx::State();
  CWnd* const saved = state.wndInit;
  state.wndInit = this;
  const INT_PTR result =
      m_lpDialogTemplate
          ? ::DialogBoxIndirectParamA(AfxGetResourceHandle(), m_lpDialogTemplate, owner, &AfxDlgProc, 0)
          : ::DialogBoxParamA(AfxGetResourceHandle(), m_lpszTemplateName, owner, &AfxDlgProc, 0);
  state.wndInit = saved;
  m_bModal = FALSE;
  // The dialog is gone; the object is free again.
  if (m_hWnd) Detach();
  return result;
}

BOOL CDialog::InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent) {
  m_lpDialogTemplate = dialogTemplate;
  m_pParentWnd = parent;
  return dialogTemplate != nullptr;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  m_lpszTemplateName = reinterpret_cast<const char*>(static_cast<UINT_PTR>(templateId));
  m_pParentWnd = parent;
  auto& state = afx::State();
  CWnd* const saved = state.wndInit;
  state.wndInit = this;
  HWND dialog = ::CreateDialogParamA(AfxGetResourceHandle(), m_lpszTemplateName, parent ? parent->m_hWnd : nullptr,
                                     &AfxDlgProc, 0);
  state.wndInit = saved;
  return dialog != nullptr && m_hWnd == dialog;
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent) {
  m_pParentWnd = parent;
  auto& state = afx::State();
  CWnd* const saved = state.wndInit;
  state.wndInit = this;
  HWND dialog = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), dialogTemplate,
                                             parent ? parent->m_hWnd : nullptr, &AfxDlgProc, 0);
  state.wndInit = saved;
  return dialog != nullptr && m_hWnd == dialog;
}

void CDialog::EndDialog(int result) {
  if (m_bModal) {
    ::EndDialog(m_hWnd, result);
  } else {
    // A modeless dialog hides; its owner decides when to destroy it.
    m_nModalResult = result;
    ShowWindow(SW_HIDE);
  }
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;  // the dialog manager puts the focus on the first control
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;  // a failed check keeps the dialog open
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (CUserException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  // Modeless dialogs get the keyboard handling of the dialog manager.
  if (m_bModal || !m_hWnd || !::IsWindowVisible(m_hWnd)) return FALSE;
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  return ::IsDialogMessageA(m_hWnd, msg);
}
