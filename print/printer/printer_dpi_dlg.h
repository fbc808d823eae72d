// "Specify DPI or Printer": the resolution a layout is drawn for, either the
// printer's (chosen from the printer list) or one typed without a printer.
#pragma once

#include "app/controls/bitmap_buttons.h"
#include "app/ui/skin_dialog.h"
#include "fields/services/label_setup.h"

class CPrinterDpiDlg : public CSkinDialog {
 public:
  explicit CPrinterDpiDlg(CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;

  // The label setup edited; set by the caller before the dialog runs.
  CLabelSetup* m_pSetup = nullptr;

  // The resolutions offered in the list.
  static constexpr int kOffered[] = {72, 144, 203, 300, 400, 600, 800, 1000, 1200, 2400};
  // A typed resolution must lie in this range: 0 or a nonsense number would
  // make every length of the layout divide by it.
  static constexpr int kLowest = 36, kHighest = 4800;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  void UpdatePrinterInfo(bool takePrinterDpi);
  void OnSelectPrinter();
  void OnUnselectPrinter();
  void OnChangeDpi();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowDpi(int dpi);
  void ShowPrinterControls(bool show);
  CTipButton tip_;
};
