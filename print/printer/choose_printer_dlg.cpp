#include "print/printer/choose_printer_dlg.h"

#include <strings.h>

#include <string>

#include "app/ui/ui_language.h"
#include "document/layout_shell.h"
#include "foundation/system/printers.h"
#include "print/print_ids.h"

namespace {

struct Column {
  const char* name;
  double fraction;  // of the list's width; 0 takes what is left
};
constexpr Column kColumns[] = {{"Printer Name", 0.4}, {"Port", 0.2}, {"Model", 0}};
static_assert(std::size(kColumns) == 3);

// The headers in the interface language (the list takes them as UTF-16).
void InsertColumns(CListCtrlEx& list) {
  RECT client{};
  list.GetClientRect(&client);
  const int width = client.right - client.left;
  int used = 0;
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    const int cx = kColumns[i].fraction > 0 ? static_cast<int>(width * kColumns[i].fraction) : width - used;
    used += cx;
    std::u16string text = UiTextToWide(TranslateUiString(kColumns[i].name));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = cx;
    column.pszText = reinterpret_cast<LPWSTR>(text.data());
    column.iSubItem = i;
    list.SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
}

}  // namespace

BEGIN_MESSAGE_MAP(CChoosePrinterDlg, CSkinDialog)
  ON_NOTIFY(NM_DBLCLK, IDC_CHOOSE_PRINTER_LIST, OnDoubleClick)
END_MESSAGE_MAP()

CChoosePrinterDlg::CChoosePrinterDlg(CWnd* parent) : CSkinDialog(IDD_CHOOSE_PRINTER, parent) {}

BOOL CChoosePrinterDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  m_list.SubclassDlgItem(IDC_CHOOSE_PRINTER_LIST, this);
  m_list.SetReportStyle();
  InsertColumns(m_list);
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
