// "Rollover": gives an incrementing field a limit past which its counter
// starts again at a reset value. The caller copies the three values in
// before DoModal and takes them back only when it returns IDOK.
#pragma once

#include "app/controls/bitmap_buttons.h"
#include "app/ui/skin_dialog.h"
#include "foundation/string/astring.h"

class CRolloverDlg : public CSkinDialog {
 public:
  explicit CRolloverDlg(CWnd* parent);
  ~CRolloverDlg() override;

  int m_rollover = 0;
  AString m_limit;
  AString m_resetTo;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnRolloverClicked();
  DECLARE_MESSAGE_MAP()

 private:
  void EnableValueEdits(bool enable);
  // The edit's text; empty text refused with message 50064 naming `what`.
  bool TakeValue(int editId, const char* what, AString& out);

  CTipButton limitTip_;
  CTipButton resetTip_;
};
