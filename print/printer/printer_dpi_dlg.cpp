#include "print/printer/printer_dpi_dlg.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/ui/ui_language.h"
#include "document/layout_shell.h"
#include "document/setup/last_printer.h"
#include "fields/services/ui_messages.h"
#include "foundation/system/printer_metrics.h"
#include "print/print_ids.h"
#include "print/printer/choose_printer_dlg.h"

namespace {

// A whole number of dots per inch, nothing after it but blanks; 0 otherwise.
int ParseDpi(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text) return 0;
  while (*end == ' ') ++end;
  return *end == '\0' && value > 0 && value <= 100000 ? static_cast<int>(value) : 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPrinterDpiDlg, CSkinDialog)
  ON_BN_CLICKED(IDC_DPI_SELECT_PRINTER, OnSelectPrinter)
  ON_BN_CLICKED(IDC_DPI_UNSELECT_PRINTER, OnUnselectPrinter)
  ON_BN_CLICKED(IDC_DPI_CHANGE, OnChangeDpi)
END_MESSAGE_MAP()

CPrinterDpiDlg::CPrinterDpiDlg(CWnd* parent) : CSkinDialog(IDD_PRINTER_DPI, parent) {}

void CPrinterDpiDlg::DoDataExchange(CDataExchange* dx) {
  CSkinDialog::DoDataExchange(dx);
  // Taken before the skin of a translated dialog takes every push button.
  DDX_Control(dx, IDC_DPI_TIP, tip_);
}

BOOL CPrinterDpiDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  for (int dpi : kOffered) {
    const std::string text = std::to_string(dpi);
    ::SendDlgItemMessageA(m_hWnd, IDC_DPI_VALUE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  UpdatePrinterInfo(false);
  tip_.SetTipMessage(MSG_DPI_HINT);
  return TRUE;
}

void CPrinterDpiDlg::ShowDpi(int dpi) { ::SetDlgItemTextA(m_hWnd, IDC_DPI_VALUE, std::to_string(dpi).c_str()); }

void CPrinterDpiDlg::ShowPrinterControls(bool show) {
  ::ShowWindow(::GetDlgItem(m_hWnd, IDC_DPI_CHANGE), show ? SW_SHOW : SW_HIDE);
  tip_.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CPrinterDpiDlg::UpdatePrinterInfo(bool takePrinterDpi) {
  CLabelSetup& setup = *m_pSetup;
  const int printerDpi = GetPrinterDpiX(setup.lastPrinter.GetData());
  if (takePrinterDpi && printerDpi > 0) setup.dpiX = printerDpi;
  ShowDpi(setup.dpiX);
  const bool named = !setup.lastPrinter.IsEmpty();
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DPI_UNSELECT_PRINTER), named);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DPI_VALUE), !named);
  ShowPrinterControls(named);
  if (!named) {
    ::SetDlgItemTextA(m_hWnd, IDC_DPI_PRINTER_LINE, "");
    return;
  }
  const bool own = !takePrinterDpi && setup.dpiX > 0 && setup.dpiX != printerDpi;
  ::CheckDlgButton(m_hWnd, IDC_DPI_CHANGE, own ? BST_CHECKED : BST_UNCHECKED);
  OnChangeDpi();
  char line[512];
  std::snprintf(line, sizeof line, "%s   (%s: %d)", setup.lastPrinter.GetData(),
                TranslateUiString("Printer DPI").GetData(), printerDpi);
  Skin().SetDlgItemText(IDC_DPI_PRINTER_LINE, line);
}

void CPrinterDpiDlg::OnSelectPrinter() {
  CLabelSetup& setup = *m_pSetup;
  CChoosePrinterDlg choose(this);
  choose.m_printerName = setup.lastPrinter;
  choose.m_printerModel = setup.lastPrinterModel;
  if (choose.DoModal() != IDOK) return;
  // Name, port, model and the system-printer flag describe one printer:
  // they change together, never the name alone.
  setup.lastPrinter = choose.m_printerName;
  setup.lastPort = choose.m_printerPort;
  setup.lastPrinterModel = choose.m_printerModel;
  setup.IsSysPrinter = 1;
  UpdatePrinterInfo(true);
}

void CPrinterDpiDlg::OnUnselectPrinter() {
  CLabelSetup& setup = *m_pSetup;
  setup.lastPrinter = AString();
  setup.lastPrinterModel = AString();
  setup.lastPort = AString();
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DPI_VALUE), TRUE);
  ::SetDlgItemTextA(m_hWnd, IDC_DPI_PRINTER_LINE, "");
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DPI_UNSELECT_PRINTER), FALSE);
  ::CheckDlgButton(m_hWnd, IDC_DPI_CHANGE, BST_UNCHECKED);
  ShowPrinterControls(false);
}

void CPrinterDpiDlg::OnChangeDpi() {
  const bool own = ::IsDlgButtonChecked(m_hWnd, IDC_DPI_CHANGE) == BST_CHECKED;
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DPI_VALUE), own);
  if (own || m_pSetup->lastPrinter.IsEmpty()) return;
  if (const int printerDpi = GetPrinterDpiX(m_pSetup->lastPrinter.GetData()); printerDpi > 0) {
    m_pSetup->dpiX = printerDpi;
    ShowDpi(printerDpi);
  }
}

void CPrinterDpiDlg::OnOK() {
  char text[64] = {};
  ::GetDlgItemTextA(m_hWnd, IDC_DPI_VALUE, text, sizeof text);
  if (text[0] == '\0') {
    UiMessageBox(m_hWnd, MSG_PLEASE_ENTER, MB_OK | MB_ICONEXCLAMATION, {"DPI"});
    return;
  }
  const int dpi = ParseDpi(text);
  if (dpi < kLowest || dpi > kHighest) {
    CLayoutShell* shell = LayoutShell();
    AString message;
    message.Format(shell->TranslateUiString("The resolution must be a whole number from %d to %d dots per inch.")
                       .GetData(),
                   kLowest, kHighest);
    shell->UiMessageBox(message.GetData(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  CLabelSetup& setup = *m_pSetup;
  setup.dpiX = setup.dpiY = dpi;
  WriteLastPrinter(setup.lastPrinter.GetData(), setup.lastPort.GetData(), setup.lastPrinterModel.GetData(),
                   setup.IsSysPrinter, setup.dpiX, setup.dpiY);
  CSkinDialog::OnOK();
}
