#include "dialogs/shapes/line_dlg.h"


#include "dialogs/shapes/shapes_ids.h"

BEGIN_MESSAGE_MAP(CLineDlg, CShapeDialog)
  ON_BN_CLICKED(IDC_SHAPE_COLOUR, OnColour)
END_MESSAGE_MAP()

CLineDlg::CLineDlg(CWnd* parent) : CShapeDialog(IDD_LINE_DIALOG, parent) {}

CLineDlg::~CLineDlg() = default;

void CLineDlg::DoDataExchange(CDataExchange* dx) {
  CShapeDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SHAPE_COLOUR, m_colour);
  DDX_Control(dx, IDC_SHAPE_LINE_STYLE, m_style);
}

BOOL CLineDlg::OnInitDialog() {
  CShapeDialog::OnInitDialog();
  m_lengths.Show(m_hWnd, IDC_LINE_LENGTH, m_field.width);
  m_lengths.Show(m_hWnd, IDC_LINE_THICKNESS, m_field.height);
  m_lengths.Show(m_hWnd, IDC_LINE_X, m_field.offset.x);
  m_lengths.Show(m_hWnd, IDC_LINE_Y, m_field.offset.y);
  ShowCheck(IDC_LINE_NO_OUTPUT, m_field.doNotPrint != 0);
  ShowCheck(IDC_SHAPE_LOCK, m_field.lockPosition != 0);
  ShowCheck(IDC_SHAPE_ROUND_ENDS, m_field.line.roundEnds != 0);
  FillRotationCombo(IDC_LINE_ROTATION, m_field.rotation);
  FillLineStyles(m_style, m_field.line.style);
  m_colour.m_colour = m_field.foreColor;
  return TRUE;
}

void CLineDlg::OnColour() { ChooseButtonColour(m_colour); }

std::vector<ShapeSpinner> CLineDlg::Spinners() const {
  const double w = m_labelWidth, h = m_labelHeight;
  return {
      {IDC_LINE_LENGTH_SPIN, IDC_LINE_LENGTH, 10, w},
      {IDC_LINE_THICKNESS_SPIN, IDC_LINE_THICKNESS, 10, h},
      {IDC_LINE_X_SPIN, IDC_LINE_X, 0, w},
      {IDC_LINE_Y_SPIN, IDC_LINE_Y, 0, h},
  };
}

void CLineDlg::OnOK() {
  if (!ReadPosition(IDC_LINE_X, m_field.offset.x) || !ReadPosition(IDC_LINE_Y, m_field.offset.y)) return;
  if (!ReadLength(IDC_LINE_LENGTH, "Length", kMinShapeLength, std::nullopt, m_field.width)) return;
  if (!ReadLength(IDC_LINE_THICKNESS, "Thickness", kMinShapeLength, std::nullopt, m_field.height)) return;
  if (!ReadRotation(IDC_LINE_ROTATION, m_field.rotation)) return;
  m_field.foreColor = m_colour.m_colour;
  StoreLineStyle(m_style, m_field.line.style);
  StoreCheck(IDC_SHAPE_ROUND_ENDS, m_field.line.roundEnds);
  StoreCheck(IDC_LINE_NO_OUTPUT, m_field.doNotPrint);
  StoreCheck(IDC_SHAPE_LOCK, m_field.lockPosition);
  CShapeDialog::OnOK();
}
