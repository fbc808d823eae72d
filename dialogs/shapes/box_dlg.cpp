#include "dialogs/shapes/box_dlg.h"

#include <algorithm>

#include "dialogs/shapes/shapes_ids.h"

BEGIN_MESSAGE_MAP(CBoxDlg, CShapeDialog)
  ON_BN_CLICKED(IDC_SHAPE_COLOUR, OnColour)
END_MESSAGE_MAP()

CBoxDlg::CBoxDlg(CWnd* parent) : CShapeDialog(IDD_BOX_DIALOG, parent) {}

CBoxDlg::~CBoxDlg() = default;

void CBoxDlg::DoDataExchange(CDataExchange* dx) {
  CShapeDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SHAPE_COLOUR, m_colour);
}

BOOL CBoxDlg::OnInitDialog() {
  CShapeDialog::OnInitDialog();
  m_lengths.Show(m_hWnd, IDC_BOX_WIDTH, m_field.width);
  m_lengths.Show(m_hWnd, IDC_BOX_HEIGHT, m_field.height);
  m_lengths.Show(m_hWnd, IDC_BOX_HTHICK, m_field.horizontalLineWidth);
  m_lengths.Show(m_hWnd, IDC_BOX_VTHICK, m_field.verticalLineWidth);
  m_lengths.Show(m_hWnd, IDC_BOX_X, m_field.offset.x);
  m_lengths.Show(m_hWnd, IDC_BOX_Y, m_field.offset.y);
  ShowCheck(IDC_BOX_NO_OUTPUT, m_field.doNotPrint != 0);
  ShowCheck(IDC_SHAPE_LOCK, m_field.lockPosition != 0);
  FillRotationCombo(IDC_BOX_ROTATION, m_field.rotation);
  m_colour.m_colour = m_field.foreColor;
  return TRUE;
}

void CBoxDlg::OnColour() { ChooseButtonColour(m_colour); }

std::vector<ShapeSpinner> CBoxDlg::Spinners() const {
  const double w = m_labelWidth, h = m_labelHeight;
  return {
      {IDC_BOX_HTHICK_SPIN, IDC_BOX_HTHICK, 10, w},
      {IDC_BOX_VTHICK_SPIN, IDC_BOX_VTHICK, 10, h},
      {IDC_BOX_X_SPIN, IDC_BOX_X, 10, w},
      {IDC_BOX_Y_SPIN, IDC_BOX_Y, 10, h},
      {IDC_BOX_WIDTH_SPIN, IDC_BOX_WIDTH, 10, w},
      {IDC_BOX_HEIGHT_SPIN, IDC_BOX_HEIGHT, 10, h},
  };
}

void CBoxDlg::OnOK() {
  if (!ReadPosition(IDC_BOX_X, m_field.offset.x) || !ReadPosition(IDC_BOX_Y, m_field.offset.y)) return;
  // The limits follow the size the box had before this OK.
  const int horizontalLimit = std::max(kMinShapeLength, m_field.height / 2);
  const int verticalLimit = std::max(kMinShapeLength, m_field.width / 2);
  if (!ReadLength(IDC_BOX_HTHICK, "Horizontal Line Width", kMinShapeLength, horizontalLimit,
                  m_field.horizontalLineWidth))
    return;
  if (!ReadLength(IDC_BOX_VTHICK, "Vertical Line Width", kMinShapeLength, verticalLimit, m_field.verticalLineWidth))
    return;
  if (!ReadLength(IDC_BOX_WIDTH, "Width", kMinShapeLength, std::nullopt, m_field.width)) return;
  if (!ReadLength(IDC_BOX_HEIGHT, "Height", kMinShapeLength, std::nullopt, m_field.height)) return;
  if (!ReadRotation(IDC_BOX_ROTATION, m_field.rotation)) return;
  m_field.foreColor = m_colour.m_colour;
  StoreCheck(IDC_BOX_NO_OUTPUT, m_field.doNotPrint);
  StoreCheck(IDC_SHAPE_LOCK, m_field.lockPosition);
  CShapeDialog::OnOK();
}
