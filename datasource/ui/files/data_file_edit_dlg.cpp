#include "datasource/ui/files/data_file_edit_dlg.h"

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/ui/files/dialog_text.h"
#include "datasource/ui/files/files_ids.h"
#include "foundation/util/file_names.h"
#include "platform/nls/nls_text.h"

CDataFileEditDlg::CDataFileEditDlg(UINT dialogId, CWnd* parent) : CSkinDialog(dialogId, parent) {}

CCounterEditDlg::CCounterEditDlg(CWnd* parent) : CDataFileEditDlg(IDD_COUNTER_EDIT, parent) {}

CTextFileEditDlg::CTextFileEditDlg(CWnd* parent) : CDataFileEditDlg(IDD_TEXT_FILE_EDIT, parent) {}

BOOL CDataFileEditDlg::OnInitDialog() {
  if (!m_title.IsEmpty()) Skin().SetCaptionKey(m_title.GetData());
  CSkinDialog::OnInitDialog();
  const HWND dialog = m_hWnd;
  Skin().SetDlgItemText(IDC_EDIT_NAME_CAPTION, m_nameCaption.GetData());
  Skin().SetDlgItemText(IDC_EDIT_VALUE_CAPTION, m_valueCaption.GetData());
  Skin().SetDlgItemText(IDC_EDIT_DESCRIPTION_CAPTION, m_descriptionCaption.GetData());
  SetItemUnits(dialog, IDC_EDIT_NAME, nls::ToUtf16(CP_ACP, std::string_view(m_name.GetData(), m_name.GetLength())));
  SetItemUnits(dialog, IDC_EDIT_VALUE, m_value);
  SetItemUnits(dialog, IDC_EDIT_DESCRIPTION, m_description);
  if (m_existingFile) {
    if (CWnd* name = GetDlgItem(IDC_EDIT_NAME)) name->EnableWindow(FALSE);
  }
  return TRUE;
}

void CDataFileEditDlg::OnOK() {
  const HWND dialog = m_hWnd;
  const std::u16string name = GetItemUnits(dialog, IDC_EDIT_NAME);
  if (name.empty()) {
    UiMessageBox(this, 50064, kMsgBoxOk, false, m_nameCaption);
    GetDlgItem(IDC_EDIT_NAME)->SetFocus();
    return;
  }
  const std::u16string value = GetItemUnits(dialog, IDC_EDIT_VALUE);
  if (value.empty()) {
    UiMessageBox(this, 50064, kMsgBoxOk, false, m_valueCaption);
    GetDlgItem(IDC_EDIT_VALUE)->SetFocus();
    return;
  }
  m_description = GetItemUnits(dialog, IDC_EDIT_DESCRIPTION);
  const std::string bytes = nls::FromUtf16(CP_ACP, name);
  AString chosen(static_cast<int>(bytes.size()), bytes.data());
  if (!m_existingFile && !m_folder.IsEmpty() && !m_extension.IsEmpty()) {
    const AString path = MakeFilePath(m_folder.GetData(), chosen, m_extension.GetData());
    if (::GetFileAttributesA(path.GetData()) != INVALID_FILE_ATTRIBUTES &&
        UiMessageBox(this, 20003, kMsgBoxYesNo, false) != IDYES) {
      GetDlgItem(IDC_EDIT_NAME)->SetFocus();
      return;
    }
  }
  m_name = chosen;
  m_value = value;
  EndDialog(IDOK);
}
