// The framework's colour dialog.
#include "platform/framework/colour_dialog.h"

#include "platform/framework/app.h"

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
  bool started = false;
  auto* self = static_cast<CColorDialog*>(HookedDialog(dialog, message, RUNTIME_CLASS(CColorDialog), started));
  if (!self) return 0;
  // The caller's hook sees the start too; its answer decides the focus.
  const BOOL focus = started ? self->OnInitDialog() : FALSE;
  if (self->m_callerHook) return self->m_callerHook(dialog, message, wParam, lParam);
  return static_cast<UINT_PTR>(focus);
}

INT_PTR CColorDialog::DoModal() {
  CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  m_cc.hwndOwner = parent ? parent->m_hWnd : nullptr;
  // The framework's hook goes in front of the caller's, which it calls on.
  m_callerHook = (m_cc.Flags & CC_ENABLEHOOK) && m_cc.lpfnHook != &AfxColourHook ? m_cc.lpfnHook : nullptr;
  m_cc.Flags |= CC_ENABLEHOOK;
  m_cc.lpfnHook = &AfxColourHook;
  const BOOL chosen = RunCommonDialog([this] { return ::ChooseColorA(&m_cc); });
  if (m_callerHook) m_cc.lpfnHook = m_callerHook;
  else m_cc.Flags &= ~CC_ENABLEHOOK;
  return chosen ? IDOK : IDCANCEL;
}
