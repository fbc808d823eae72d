#include "document/view/set_position_dlg.h"

#include "document/core/rvo_doc.h"
#include "document/layout_shell.h"
#include "document/view/set_position.h"
#include "document/view/set_position_ids.rh"

BEGIN_MESSAGE_MAP(CSetPositionDlg, CDialog)
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

CSetPositionDlg::CSetPositionDlg(CField& field, CRvoDoc& doc, CWnd* parent)
    : CDialog(IDD_SET_POSITION, parent),
      m_x(field.offset.x),
      m_y(field.offset.y),
      m_field(&field),
      m_doc(&doc),
      m_templateId(IDD_SET_POSITION),
      m_factor(setposition::UnitFactor(doc.labelSetup.DefaultUnits)) {}

BOOL CSetPositionDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LayoutShell()->SkinDialog(m_hWnd);
  SetDlgItemText(IDC_SETPOS_X, setposition::FormatValue(m_x, m_factor).GetData());
  SetDlgItemText(IDC_SETPOS_Y, setposition::FormatValue(m_y, m_factor).GetData());
  SetDlgItemText(IDC_SETPOS_WIDTH, setposition::FormatValue(m_field->width, m_factor).GetData());
  SetDlgItemText(IDC_SETPOS_HEIGHT, setposition::FormatValue(m_field->height, m_factor).GetData());
  SendDlgItemMessage(IDC_SETPOS_ANCHOR, CB_RESETCONTENT);
  CLayoutShell* shell = LayoutShell();
  for (const auto& choice : setposition::kAnchorChoices) {
    const AString text = shell->TranslateUiString(choice.text);
    const auto index = SendDlgItemMessage(IDC_SETPOS_ANCHOR, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetData()));
    SendDlgItemMessage(IDC_SETPOS_ANCHOR, CB_SETITEMDATA, static_cast<WPARAM>(index), choice.code);
  }
  SendDlgItemMessage(IDC_SETPOS_ANCHOR, CB_SETCURSEL, static_cast<WPARAM>(m_anchor));
  return TRUE;
}

void CSetPositionDlg::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  const int id = bar ? bar->GetDlgCtrlID() : 0;
  const int direction = code == SB_LINEUP ? 0 : code == SB_LINEDOWN ? 1 : -1;
  const CLabelSetup& setup = m_doc->labelSetup;
  if (direction >= 0 && (id == IDC_SETPOS_X_SPIN || id == IDC_SETPOS_Y_SPIN)) {
    const bool x = id == IDC_SETPOS_X_SPIN;
    LayoutShell()->SpinUnitEdit(direction, x ? IDC_SETPOS_X : IDC_SETPOS_Y, 0.0,
                                (x ? setup.labelWidth : setup.labelHeight) * m_factor, setup.DefaultUnits, m_hWnd, 1);
  }
  CDialog::OnVScroll(code, pos, bar);
}

void CSetPositionDlg::OnOK() {
  CString xText, yText;
  GetDlgItemText(IDC_SETPOS_X, xText);
  GetDlgItemText(IDC_SETPOS_Y, yText);
  const setposition::Entered entered =
      setposition::ReadEntered(xText.GetString(), yText.GetString(), m_x, m_y, m_factor);
  // A negative value is refused and reset; the dialog stays open.
  for (const auto& [negative, id] : {std::pair{entered.xNegative, IDC_SETPOS_X}, std::pair{entered.yNegative,
                                                                                          IDC_SETPOS_Y}}) {
    if (!negative) continue;
    LayoutShell()->UiMessageNumber(50051, MB_OK);
    SetDlgItemText(id, "0.00");
    if (id == IDC_SETPOS_X) m_x = 0;
    else m_y = 0;
    return;
  }
  m_x = *entered.x;
  m_y = *entered.y;
  m_anchor = static_cast<int>(SendDlgItemMessage(IDC_SETPOS_ANCHOR, CB_GETCURSEL));
  if (m_anchor > 0) {
    const int code = static_cast<int>(SendDlgItemMessage(IDC_SETPOS_ANCHOR, CB_GETITEMDATA, static_cast<WPARAM>(m_anchor)));
    const POINT p =
        setposition::ReferenceFromAnchor(m_x, m_y, code, m_field->width, m_field->height, m_field->rotation);
    m_x = p.x;
    m_y = p.y;
  }
  CDialog::OnOK();
}

int RunSetPositionDialog(CField* field, CRvoDoc* doc, CWnd* parent) {
  if (!field || !doc) return 0;
  CSetPositionDlg dialog(*field, *doc, parent);
  if (dialog.DoModal() != IDOK) return 0;
  field->offset = {dialog.m_x, dialog.m_y};
  return 1;
}
