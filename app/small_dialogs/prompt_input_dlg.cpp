#include "app/small_dialogs/prompt_input_dlg.h"

#include <string>

#include "app/small_dialogs/small_dialogs_ids.h"
#include "app/ui/msg_box.h"

CPromptInputDlg::CPromptInputDlg(CWnd* parent) : CSkinDialog(IDD_PROMPT_INPUT, parent) {}

BOOL CPromptInputDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  Skin().SetDlgItemText(IDC_PROMPT_TEXT, m_prompt.GetData());
  HWND box = ::GetDlgItem(m_hWnd, IDC_PROMPT_VALUE);
  if (m_value.IsWide()) {
    std::u16string text(reinterpret_cast<const char16_t*>(m_value.GetData()),
                        static_cast<size_t>(m_value.GetLength()) / 2);
    ::SetWindowTextW(box, text.c_str());
  } else {
    ::SetWindowTextA(box, m_value.GetData());
  }
  if (m_maxLength >= 0) ::SendMessageA(box, EM_LIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
  ::SendMessageA(box, EM_SETSEL, 0, -1);
  ::SetFocus(box);
  return FALSE;
}

AString CPromptInputDlg::BoxText() const {
  HWND box = ::GetDlgItem(m_hWnd, IDC_PROMPT_VALUE);
  if (m_value.IsWide()) {
    std::u16string text(static_cast<size_t>(::GetWindowTextLengthW(box)) + 1, u'\0');
    const int n = ::GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
    AString out(n * 2, reinterpret_cast<const char*>(text.data()));
    out.SetWide(true);
    return out;
  }
  std::string text(static_cast<size_t>(::GetWindowTextLengthA(box)) + 1, '\0');
  const int n = ::GetWindowTextA(box, text.data(), static_cast<int>(text.size()));
  return AString(n, text.data());
}

void CPromptInputDlg::OnOK() {
  AString value = BoxText();
  if (value.IsEmpty()) {
    UiMessageBox(this, MSG_VALUE_EMPTY, kMsgBoxOk, false, m_prompt);
    return;
  }
  if (m_maxLength >= 0 && m_maxLength < value.GetCharCount()) {
    UiMessageBox(this, MSG_VALUE_TOO_LONG, kMsgBoxOk, false, m_maxLength);
    return;
  }
  m_value = value;
  EndDialog(IDOK);
}
