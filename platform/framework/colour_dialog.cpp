// The framework's colour dialog.
#include "platform/framework/colour_dialog.h"

#include "platform/framework/app.h"
#include "platform/framework/thread_state.h"

IMPLEMENT_DYNAMIC(CColorDialog, CDialog)

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) {
  m_pParentWnd = parent;
  m_custom.fill(RGB(255, 255, 255));
  m_cc.lStructSize = sizeof m_cc;
  m_cc.Flags = flags | CC_RGBINIT;
  m_cc.rgbResult = initial;
  m_cc.lpCustColors = m_custom.data();
}

UINT_PTR CColorDialog::AfxColourHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  CColorDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    // The object that is starting this dialog on this thread.
    auto& state = afx::State();
    self = DYNAMIC_DOWNCAST(CColorDialog, state.wndInit);
    if (self && !self->m_hWnd) {
      state.wndInit = nullptr;
      AttachDialogWindow(self, dialog);
      // The caller's hook sees the start too; its answer decides the focus.
      const BOOL focus = self->OnInitDialog();
      if (self->m_callerHook) return self->m_callerHook(dialog, message, wParam, lParam);
      return static_cast<UINT_PTR>(focus);
    }
  }
  self = DYNAMIC_DOWNCAST(CColorDialog, FromHandlePermanent(dialog));
  return self && self->m_callerHook ? self->m_callerHook(dialog, message, wParam, lParam) : 0;
}

INT_PTR CColorDialog::DoModal() {
  CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  m_cc.hwndOwner = parent ? parent->m_hWnd : nullptr;
  // The framework's hook goes in front of the caller's, which it calls on.
  m_callerHook = (m_cc.Flags & CC_ENABLEHOOK) && m_cc.lpfnHook != &AfxColourHook ? m_cc.lpfnHook : nullptr;
  m_cc.Flags |= CC_ENABLEHOOK;
  m_cc.lpfnHook = &AfxColourHook;
  auto& state = afx::State();
  CWnd* const saved = state.wndInit;
  state.wndInit = this;
  m_bModal = TRUE;
  const BOOL chosen = ::ChooseColorA(&m_cc);
  m_bModal = FALSE;
  state.wndInit = saved;
  if (m_hWnd) Detach();
  if (m_callerHook) m_cc.lpfnHook = m_callerHook;
  else m_cc.Flags &= ~CC_ENABLEHOOK;
  return chosen ? IDOK : IDCANCEL;
}
