#include "dialogs/shapes/border_setup_dlg.h"


#include "dialogs/shapes/shapes_ids.h"

BEGIN_MESSAGE_MAP(CBorderSetupDlg, CShapeDialog)
  ON_BN_CLICKED(IDC_SHAPE_COLOUR, OnColour)
  ON_BN_CLICKED(IDC_BORDER_ON, OnBorderToggle)
  ON_CBN_SELCHANGE(IDC_BORDER_STYLE, OnStyle)
END_MESSAGE_MAP()

namespace {

constexpr int kBorderControls[] = {IDC_BORDER_STYLE,      IDC_BORDER_WIDTH,       IDC_SHAPE_COLOUR,
                                   IDC_BORDER_WIDTH_SPIN, IDC_BORDER_STYLE_LABEL, IDC_BORDER_WIDTH_LABEL,
                                   IDC_BORDER_COLOUR_LABEL, IDC_BORDER_ROUND_ENDS};

}  // namespace

CBorderSetupDlg::CBorderSetupDlg(CWnd* parent) : CShapeDialog(IDD_BORDER_SETUP, parent) {}

CBorderSetupDlg::~CBorderSetupDlg() = default;

void CBorderSetupDlg::DoDataExchange(CDataExchange* dx) {
  CShapeDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SHAPE_COLOUR, m_colour);
  DDX_Control(dx, IDC_BORDER_STYLE, m_style);
}

BOOL CBorderSetupDlg::OnInitDialog() {
  CShapeDialog::OnInitDialog();
  FillLineStyles(m_style, m_border.style);
  ShowCheck(IDC_BORDER_ON, m_borderOn != 0);
  ShowCheck(IDC_BORDER_ROUND_ENDS, m_border.roundEnds != 0);
  OnBorderToggle();
  m_lengths.Show(m_hWnd, IDC_BORDER_WIDTH, m_border.width);
  m_colour.m_colour = static_cast<COLORREF>(m_border.color);
  return TRUE;
}

void CBorderSetupDlg::OnBorderToggle() {
  const bool on = IsChecked(IDC_BORDER_ON);
  for (int id : kBorderControls) ShowControl(id, on);
  if (on) OnStyle();
}

void CBorderSetupDlg::OnStyle() { ShowControl(IDC_BORDER_ROUND_ENDS, IsChecked(IDC_BORDER_ON) && m_style.GetCurSel() > 0); }

// The next choice starts from the colour last chosen, which the button shows.
void CBorderSetupDlg::OnColour() { ChooseButtonColour(m_colour); }

std::vector<ShapeSpinner> CBorderSetupDlg::Spinners() const {
  return {{IDC_BORDER_WIDTH_SPIN, IDC_BORDER_WIDTH, 1, 1000}};
}

void CBorderSetupDlg::OnOK() {
  StoreCheck(IDC_BORDER_ON, m_borderOn);
  if (IsChecked(IDC_BORDER_ON)) {
    StoreLineStyle(m_style, m_border.style);
    m_border.color = static_cast<int32_t>(m_colour.m_colour);
    // The width is not range-checked; an empty or untouched edit keeps it.
    if (m_lengths.Edited(m_hWnd, IDC_BORDER_WIDTH))
      if (const std::optional<int> width = m_lengths.Read(m_hWnd, IDC_BORDER_WIDTH)) m_border.width = *width;
    StoreCheck(IDC_BORDER_ROUND_ENDS, m_border.roundEnds);
  }
  CShapeDialog::OnOK();
}
