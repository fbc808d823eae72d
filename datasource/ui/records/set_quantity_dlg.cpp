#include "datasource/ui/records/set_quantity_dlg.h"

#include <cctype>
#include <string>

#include "app/ui/msg_box.h"
#include "datasource/ui/records/records_ids.h"

int ParseRecordQuantity(const char* text) {
  std::string s = text ? text : "";
  s.erase(0, s.find_first_not_of(" \t"));
  s.erase(s.find_last_not_of(" \t") + 1);
  if (s.empty() || s.size() > 5) return -1;
  for (const char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
  const int value = std::stoi(s);
  return value <= kMaxRecordQuantity ? value : -1;
}

CSetQuantityDlg::CSetQuantityDlg(CWnd* parent) : CSkinDialog(IDD_SET_QUANTITY, parent) {}

BOOL CSetQuantityDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  ::SetDlgItemInt(m_hWnd, IDC_QUANTITY_VALUE, static_cast<UINT>(m_quantity == 0 ? 1 : m_quantity), FALSE);
  GotoDlgCtrl(GetDlgItem(IDC_QUANTITY_VALUE));
  ::SendDlgItemMessageA(m_hWnd, IDC_QUANTITY_VALUE, EM_SETSEL, 0, -1);
  return FALSE;
}

void CSetQuantityDlg::OnOK() {
  char text[32] = {};
  ::GetDlgItemTextA(m_hWnd, IDC_QUANTITY_VALUE, text, sizeof text);
  const int quantity = ParseRecordQuantity(text);
  if (quantity < 0) {
    UiMessageBox(this, 50051, kMsgBoxOk, false, text);
    GotoDlgCtrl(GetDlgItem(IDC_QUANTITY_VALUE));
    return;
  }
  m_quantity = quantity;
  CSkinDialog::OnOK();
}
