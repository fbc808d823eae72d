// The counter files dialog: the counters of the counter folder, the selected
// one's value and description, and adding or editing one in the counter
// edit dialog.
#pragma once

#include "datasource/ui/files/data_file_list_dlg.h"

class CCounterFilesDlg : public CLikelyDbListDlg {
 public:
  explicit CCounterFilesDlg(CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  int AddOrEdit(int add) override;
  void ShowEntry(const char* path) override;
};
