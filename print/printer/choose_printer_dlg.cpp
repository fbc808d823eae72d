#include "print/printer/choose_printer_dlg.h"

#include <strings.h>

#include <string>

#include "app/controls/translated_columns.h"
#include "document/layout_shell.h"
#include "foundation/system/printers.h"
#include "print/print_ids.h"

namespace {

constexpr CListCtrlEx::Column kColumns[] = {{"Printer Name", 0.4}, {"Port", 0.2}, {"Model", 0}};

}  // namespace

BEGIN_MESSAGE_MAP(CChoosePrinterDlg, CSkinDialog)
  ON_NOTIFY(NM_DBLCLK, IDC_CHOOSE_PRINTER_LIST, OnDoubleClick)
END_MESSAGE_MAP()

CChoosePrinterDlg::CChoosePrinterDlg(CWnd* parent) : CSkinDialog(IDD_CHOOSE_PRINTER, parent) {}

BOOL CChoosePrinterDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  m_list.SubclassDlgItem(IDC_CHOOSE_PRINTER_LIST, this);
  m_list.SetReportStyle();
  InsertTranslatedColumns(m_list, kColumns);
  FillList();
  return TRUE;
}

void CChoosePrinterDlg::FillList() {
  m_list.DeleteAllItems();
  AArray<AString> names, ports, models;
  const int count = EnumPrinterNames(&names, &ports, &models, false);
  if (count <= 0) return;
  int chosen = 0;
  for (int i = 0; i < count; ++i) {
    m_list.AddRow({names[i].GetData(), ports[i].GetData(), models[i].GetData()}, false, 0);
    if (!m_printerName.IsEmpty() && strcasecmp(names[i].GetData(), m_printerName.GetData()) == 0) chosen = i;
  }
  m_list.SelectItem(chosen);
  m_list.SetFocus();
  m_list.EnsureVisible(chosen, FALSE);
}

void CChoosePrinterDlg::OnOK() {
  const int row = m_list.GetSelectedIndex();
  if (row < 0) {
    CLayoutShell* shell = LayoutShell();
    shell->UiMessageBox(shell->TranslateUiString("Please select a printer.").GetData(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  AString* texts[] = {&m_printerName, &m_printerPort, &m_printerModel};
  m_list.GetRow(row, texts, nullptr);
  CLayoutShell* shell = LayoutShell();
  shell->WriteProfileString("Config", "lastPrinter", m_printerName.GetData());
  shell->WriteProfileString("Config", "lastPrinterModel", m_printerModel.GetData());
  CSkinDialog::OnOK();
}

void CChoosePrinterDlg::OnDoubleClick(NMHDR*, LRESULT* result) {
  OnOK();
  *result = 0;
}
