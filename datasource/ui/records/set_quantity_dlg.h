// Set Quantity: the number of labels for the chosen records, 0 to 10000.
#pragma once

#include "app/ui/skin_dialog.h"

inline constexpr int kMaxRecordQuantity = 10000;

class CSetQuantityDlg : public CSkinDialog {
 public:
  explicit CSetQuantityDlg(CWnd* parent);
  BOOL OnInitDialog() override;
  // A number outside 0..10000 is refused and the dialog stays open.
  void OnOK() override;

  int m_quantity = 1;
};

// A quantity typed as text: its number when the whole text is a number of
// 0..10000 (blanks around it allowed), else -1.
int ParseRecordQuantity(const char* text);
