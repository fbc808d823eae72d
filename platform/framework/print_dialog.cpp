// The framework's print dialog and the printer names and settings it returns.
#include "platform/framework/print_dialog.h"

#include "platform/framework/app.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CDialog)

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) {
  m_pParentWnd = parent;
  m_pd.lStructSize = sizeof m_pd;
  m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : 0);
  m_pd.nCopies = 1;
  m_pd.nFromPage = m_pd.nToPage = 1;
  m_pd.nMinPage = 1;
  m_pd.nMaxPage = 0xFFFF;
}

CPrintDialog::~CPrintDialog() {
  // Only the blocks this object made and nobody took.
  if (m_madeDevMode && m_pd.hDevMode == m_madeDevMode) ::GlobalFree(m_madeDevMode);
  if (m_madeDevNames && m_pd.hDevNames == m_madeDevNames) ::GlobalFree(m_madeDevNames);
}

INT_PTR CPrintDialog::DoModal() {
  CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  m_pd.hwndOwner = parent ? parent->m_hWnd : nullptr;
  const HGLOBAL devMode = m_pd.hDevMode, devNames = m_pd.hDevNames;
  // The framework's hook goes in front of the caller's (the print or the
  // setup hook, as the dialog is), which it calls on.
  const bool setup = (m_pd.Flags & PD_PRINTSETUP) != 0;
  const DWORD hookFlag = setup ? PD_ENABLESETUPHOOK : PD_ENABLEPRINTHOOK;
  LPPRINTHOOKPROC& hook = setup ? m_pd.lpfnSetupHook : m_pd.lpfnPrintHook;
  m_callerHook = (m_pd.Flags & hookFlag) && hook != &AfxPrintHook ? hook : nullptr;
  m_pd.Flags |= hookFlag;
  hook = &AfxPrintHook;
  const BOOL chosen = RunCommonDialog([this] { return ::PrintDlgA(&m_pd); });
  if (m_callerHook) hook = m_callerHook;
  else m_pd.Flags &= ~hookFlag;
  if (!devMode && m_pd.hDevMode) m_madeDevMode = m_pd.hDevMode;
  if (!devNames && m_pd.hDevNames) m_madeDevNames = m_pd.hDevNames;
  return chosen ? IDOK : IDCANCEL;
}

UINT_PTR CPrintDialog::AfxPrintHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  bool started = false;
  auto* self = static_cast<CPrintDialog*>(HookedDialog(dialog, message, RUNTIME_CLASS(CPrintDialog), started));
  if (!self) return 0;
  const BOOL focus = started ? self->OnInitDialog() : FALSE;
  if (self->m_callerHook) return self->m_callerHook(dialog, message, wParam, lParam);
  return static_cast<UINT_PTR>(focus);
}

BOOL CPrintDialog::GetDefaults() {
  // The dialog gives defaults only into empty places: blocks of the
  // caller's stay, and make this fail as the dialog does.
  if ((m_pd.hDevMode && m_pd.hDevMode != m_madeDevMode) || (m_pd.hDevNames && m_pd.hDevNames != m_madeDevNames))
    return FALSE;
  if (m_madeDevMode) ::GlobalFree(m_madeDevMode);
  if (m_madeDevNames) ::GlobalFree(m_madeDevNames);
  m_pd.hDevMode = m_pd.hDevNames = m_madeDevMode = m_madeDevNames = nullptr;
  const DWORD flags = m_pd.Flags;
  m_pd.Flags |= PD_RETURNDEFAULT;
  const BOOL found = ::PrintDlgA(&m_pd);
  m_pd.Flags = flags;
  m_madeDevMode = m_pd.hDevMode;
  m_madeDevNames = m_pd.hDevNames;
  return found;
}

DEVMODEA* CPrintDialog::GetDevMode() const {
  return m_pd.hDevMode ? static_cast<DEVMODEA*>(::GlobalLock(m_pd.hDevMode)) : nullptr;
}

CString CPrintDialog::NameAt(WORD DEVNAMES::*offset) const {
  if (!m_pd.hDevNames) return CString();
  const auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames));
  if (!names) return CString();
  CString text(reinterpret_cast<const char*>(names) + names->*offset);
  ::GlobalUnlock(m_pd.hDevNames);
  return text;
}

CString CPrintDialog::GetDriverName() const { return NameAt(&DEVNAMES::wDriverOffset); }
CString CPrintDialog::GetDeviceName() const { return NameAt(&DEVNAMES::wDeviceOffset); }
CString CPrintDialog::GetPortName() const { return NameAt(&DEVNAMES::wOutputOffset); }

int CPrintDialog::GetCopies() const {
  // With PD_USEDEVMODECOPIES the settings hold the count.
  if (m_pd.Flags & PD_USEDEVMODECOPIES) {
    if (const DEVMODEA* mode = GetDevMode()) {
      const int copies = mode->dmCopies;
      ::GlobalUnlock(m_pd.hDevMode);
      return copies;
    }
  }
  return m_pd.nCopies;
}

HDC CPrintDialog::CreatePrinterDC() {
  const DEVMODEA* mode = GetDevMode();
  const CString driver = GetDriverName(), device = GetDeviceName(), port = GetPortName();
  HDC dc = ::CreateDCA(driver.IsEmpty() ? "WINSPOOL" : driver.GetString(), device.IsEmpty() ? nullptr : device.GetString(),
                       port.IsEmpty() ? nullptr : port.GetString(), mode);
  if (mode) ::GlobalUnlock(m_pd.hDevMode);
  return dc;
}
