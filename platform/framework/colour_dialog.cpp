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

INT_PTR CColorDialog::DoModal() {
  CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  m_cc.hwndOwner = parent ? parent->m_hWnd : nullptr;
  return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}
