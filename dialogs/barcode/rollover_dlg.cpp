#include "dialogs/barcode/rollover_dlg.h"

#include "app/controls/input_helpers.h"
#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "dialogs/barcode/barcode_ids.h"

namespace {
constexpr int kMsgValueNeeded = 50064;
constexpr int kTipLimit = 35021;
constexpr int kTipResetTo = 35022;
}  // namespace

BEGIN_MESSAGE_MAP(CRolloverDlg, CSkinDialog)
ON_BN_CLICKED(IDC_RO_ROLLOVER, OnRolloverClicked)
END_MESSAGE_MAP()

CRolloverDlg::CRolloverDlg(CWnd* parent) : CSkinDialog(IDD_ROLLOVER, parent) {}

CRolloverDlg::~CRolloverDlg() = default;

void CRolloverDlg::DoDataExchange(CDataExchange* dx) {
  CSkinDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_RO_LIMIT_TIP, limitTip_);
  DDX_Control(dx, IDC_RO_RESET_TIP, resetTip_);
}

BOOL CRolloverDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  CheckDlgButton(IDC_RO_ROLLOVER, m_rollover ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemText(IDC_RO_LIMIT, m_limit.GetData());
  SetDlgItemText(IDC_RO_RESET, m_resetTo.GetData());
  EnableValueEdits(m_rollover != 0);
  limitTip_.SetTipMessage(kTipLimit);
  resetTip_.SetTipMessage(kTipResetTo);
  return TRUE;
}

void CRolloverDlg::EnableValueEdits(bool enable) {
  for (int id : {IDC_RO_LIMIT, IDC_RO_RESET}) ::EnableWindow(::GetDlgItem(m_hWnd, id), enable);
}

void CRolloverDlg::OnRolloverClicked() { EnableValueEdits(IsDlgButtonChecked(IDC_RO_ROLLOVER) == BST_CHECKED); }

bool CRolloverDlg::TakeValue(int editId, const char* what, AString& out) {
  AString text;
  GetWindowString(::GetDlgItem(m_hWnd, editId), &text);
  if (text.IsEmpty()) {
    AString shown;
    TranslateUiString(shown, what);
    UiMessageBox(this, kMsgValueNeeded, kMsgBoxOk, false, shown);
    ::SetFocus(::GetDlgItem(m_hWnd, editId));
    return false;
  }
  out = text;
  return true;
}

void CRolloverDlg::OnOK() {
  m_rollover = IsDlgButtonChecked(IDC_RO_ROLLOVER) == BST_CHECKED ? 1 : 0;
  if (m_rollover) {
    if (!TakeValue(IDC_RO_LIMIT, "Rollover Limit", m_limit)) return;
    if (!TakeValue(IDC_RO_RESET, "Reset to", m_resetTo)) return;
  } else {
    // Off: the texts are taken as the edits hold them, unchecked.
    GetWindowString(::GetDlgItem(m_hWnd, IDC_RO_LIMIT), &m_limit);
    GetWindowString(::GetDlgItem(m_hWnd, IDC_RO_RESET), &m_resetTo);
  }
  EndDialog(IDOK);
}
