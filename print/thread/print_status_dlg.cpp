#include "print/thread/print_status_dlg.h"

#include "print/job/abort_flag.h"
#include "print/print_ids.h"

CPrintStatusDlg::CPrintStatusDlg() : CSkinDialog(IDD_PRINT_STATUS, nullptr) {}

BOOL CPrintStatusDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  const int x = ::GetSystemMetrics(SM_CXSCREEN) / 5, y = ::GetSystemMetrics(SM_CYSCREEN) / 5;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}

void CPrintStatusDlg::OnCancel() {
  SetPrintAbort();
  ::EnableWindow(::GetDlgItem(m_hWnd, IDCANCEL), FALSE);
  ::ShowWindow(m_hWnd, SW_HIDE);
}

void CPrintStatusDlg::ShowAndEnable() {
  ::ShowWindow(m_hWnd, SW_SHOW);
  HWND abort = ::GetDlgItem(m_hWnd, IDCANCEL);
  ::EnableWindow(abort, TRUE);
  ::ShowWindow(abort, SW_SHOW);
}
