// "Choose Printer": the installed printers with their port and model; the
// caller may preset the name, which then starts selected.
#pragma once

#include "app/controls/list_ctrl_ex.h"
#include "app/ui/skin_dialog.h"
#include "foundation/string/astring.h"

class CChoosePrinterDlg : public CSkinDialog {
 public:
  explicit CChoosePrinterDlg(CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;

  CListCtrlEx m_list;
  // Preset by the caller; after OK the chosen printer's name, port and
  // model, taken from one row so that they always belong together.
  AString m_printerName;
  AString m_printerModel;
  AString m_printerPort;

 private:
  void FillList();
  void OnDoubleClick(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()
};
