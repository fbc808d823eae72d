// The "Input" prompt other parts ask one text with: the prompt above a text
// box, the value in and out (UTF-16 when the value is a wide string), an
// optional maximum length, and no empty answer.
#pragma once

#include "app/ui/skin_dialog.h"
#include "foundation/string/astring.h"

class CPromptInputDlg : public CSkinDialog {
 public:
  explicit CPromptInputDlg(CWnd* parent = nullptr);
  BOOL OnInitDialog() override;
  void OnOK() override;

  AString m_value;
  AString m_prompt;
  int m_maxLength = -1;  // -1: no limit

 private:
  AString BoxText() const;
};
