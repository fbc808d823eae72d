// The "Status" window of the print thread: "Printing...", the status line
// and the Abort button. It lives on the print thread and is touched only
// there.
#pragma once

#include "app/ui/skin_dialog.h"

class CPrintStatusDlg : public CSkinDialog {
 public:
  CPrintStatusDlg();
  BOOL OnInitDialog() override;
  // Abort: the run stops at the next page; the window goes away.
  void OnCancel() override;
  void OnOK() override {}
  // Shown for a run, Abort enabled.
  void ShowAndEnable();
};
