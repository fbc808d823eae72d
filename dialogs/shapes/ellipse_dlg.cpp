#include "dialogs/shapes/ellipse_dlg.h"

#include <algorithm>

#include "dialogs/shapes/shapes_ids.h"

BEGIN_MESSAGE_MAP(CEllipseDlg, CShapeDialog)
  ON_BN_CLICKED(IDC_SHAPE_COLOUR, OnLineColour)
  ON_BN_CLICKED(IDC_ELL_FILL_COLOUR, OnFillColour)
  ON_BN_CLICKED(IDC_ELL_CIRCLE, OnCircle)
  ON_BN_CLICKED(IDC_ELL_FILL, OnFill)
  ON_CBN_SELCHANGE(IDC_SHAPE_LINE_STYLE, OnLineStyle)
END_MESSAGE_MAP()

CEllipseDlg::CEllipseDlg(CWnd* parent) : CShapeDialog(IDD_ELLIPSE_DIALOG, parent) {}

CEllipseDlg::~CEllipseDlg() = default;

int CEllipseDlg::ShownRadius(int radius, int width, int height) {
  const int m = std::min(width, height);
  if (radius < 0) radius = m / 4 > 2 ? m / 4 + 1 : 4;
  return std::min(radius, m / 2 + 1);
}

void CEllipseDlg::DoDataExchange(CDataExchange* dx) {
  CShapeDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_SHAPE_COLOUR, m_lineColour);
  DDX_Control(dx, IDC_ELL_FILL_COLOUR, m_fillColour);
  DDX_Control(dx, IDC_SHAPE_LINE_STYLE, m_style);
}

BOOL CEllipseDlg::OnInitDialog() {
  skin_.SetCaptionKey(IsEllipse() ? "Ellipse" : "Rounded Rectangle");
  CShapeDialog::OnInitDialog();
  m_lengths.Show(m_hWnd, IDC_ELL_WIDTH, m_field.width);
  m_lengths.Show(m_hWnd, IDC_ELL_HEIGHT, m_field.height);
  m_lengths.Show(m_hWnd, IDC_ELL_THICKNESS, m_field.line.width);
  m_lengths.Show(m_hWnd, IDC_ELL_X, m_field.offset.x);
  m_lengths.Show(m_hWnd, IDC_ELL_Y, m_field.offset.y);
  ShowCheck(IDC_ELL_NO_OUTPUT, m_field.doNotPrint != 0);
  ShowCheck(IDC_SHAPE_LOCK, m_field.lockPosition != 0);
  ShowCheck(IDC_ELL_CIRCLE, (m_field.shapeFlags & kShapeCircle) != 0);
  ShowCheck(IDC_ELL_FILL, (m_field.shapeFlags & kShapeFillInside) != 0);
  FillRotationCombo(IDC_ELL_ROTATION, m_field.rotation);
  m_lineColour.m_look = CColorButton::kSwatchAndCaption;
  m_lineColour.m_caption = ShapeItemName("Line Color").c_str();
  m_lineColour.m_colour = static_cast<COLORREF>(m_field.line.color);
  m_fillColour.m_colour = m_field.foreColor;
  FillLineStyles(m_style, m_field.line.style);
  ShowCheck(IDC_SHAPE_ROUND_ENDS, m_field.line.roundEnds != 0);
  const bool ellipse = IsEllipse();
  ShowControl(IDC_ELL_CIRCLE, ellipse);
  for (int id : {IDC_ELL_RADIUS_LABEL, IDC_ELL_RADIUS, IDC_ELL_RADIUS_SPIN}) ShowControl(id, !ellipse);
  if (ellipse) OnCircle();
  else m_lengths.Show(m_hWnd, IDC_ELL_RADIUS, ShownRadius(m_field.cornerRadius, m_field.width, m_field.height));
  OnFill();
  OnLineStyle();
  return TRUE;
}

void CEllipseDlg::OnCircle() {
  const bool circle = IsChecked(IDC_ELL_CIRCLE);
  skin_.SetDlgItemText(IDC_ELL_WIDTH_LABEL, ShapeItemName(circle ? "Diameter" : "Width").c_str());
  for (int id : {IDC_ELL_HEIGHT, IDC_ELL_HEIGHT_LABEL, IDC_ELL_HEIGHT_SPIN}) ShowControl(id, !circle);
  if (circle) ::SetDlgItemTextA(m_hWnd, IDC_ELL_HEIGHT, CLengthEdits::Text(m_hWnd, IDC_ELL_WIDTH).c_str());
}

void CEllipseDlg::OnFill() {
  const bool fill = IsChecked(IDC_ELL_FILL);
  ShowControl(IDC_ELL_FILL_LABEL, fill);
  ShowControl(IDC_ELL_FILL_COLOUR, fill);
}

void CEllipseDlg::OnLineStyle() { ShowControl(IDC_SHAPE_ROUND_ENDS, m_style.GetCurSel() > 0); }

void CEllipseDlg::OnLineColour() { ChooseButtonColour(m_lineColour); }

void CEllipseDlg::OnFillColour() { ChooseButtonColour(m_fillColour); }

std::vector<ShapeSpinner> CEllipseDlg::Spinners() const {
  return {
      {IDC_ELL_THICKNESS_SPIN, IDC_ELL_THICKNESS, 10, static_cast<double>(m_labelWidth)},
      {IDC_ELL_X_SPIN, IDC_ELL_X, 10, static_cast<double>(m_labelWidth)},
      {IDC_ELL_Y_SPIN, IDC_ELL_Y, 10, static_cast<double>(m_labelHeight)},
      {IDC_ELL_WIDTH_SPIN, IDC_ELL_WIDTH, 10, static_cast<double>(m_labelWidth)},
      {IDC_ELL_HEIGHT_SPIN, IDC_ELL_HEIGHT, 10, static_cast<double>(m_labelHeight)},
      {IDC_ELL_RADIUS_SPIN, IDC_ELL_RADIUS, 0, 10000},
  };
}

void CEllipseDlg::OnOK() {
  if (!ReadPosition(IDC_ELL_X, m_field.offset.x) || !ReadPosition(IDC_ELL_Y, m_field.offset.y)) return;
  const int thicknessLimit = std::max(kMinShapeLength, m_field.height / 2);
  if (!ReadLength(IDC_ELL_THICKNESS, "Line Thickness", kMinShapeLength, thicknessLimit, m_field.line.width)) return;
  const bool ellipse = IsEllipse();
  if (ellipse && CheckChanged(IDC_ELL_CIRCLE))
    m_field.shapeFlags = (m_field.shapeFlags & ~kShapeCircle) | (IsChecked(IDC_ELL_CIRCLE) ? kShapeCircle : 0);
  if (CheckChanged(IDC_ELL_FILL))
    m_field.shapeFlags = (m_field.shapeFlags & ~kShapeFillInside) | (IsChecked(IDC_ELL_FILL) ? kShapeFillInside : 0);
  if (!ReadLength(IDC_ELL_WIDTH, "Width", kMinShapeLength, std::nullopt, m_field.width)) return;
  if (ellipse && IsChecked(IDC_ELL_CIRCLE)) m_field.height = m_field.width;
  else if (!ReadLength(IDC_ELL_HEIGHT, "Height", kMinShapeLength, std::nullopt, m_field.height)) return;
  if (!ellipse && m_lengths.Edited(m_hWnd, IDC_ELL_RADIUS)) {
    const std::optional<int> radius = m_lengths.Read(m_hWnd, IDC_ELL_RADIUS);
    if (!radius) {
      Message(kMsgEnterValue, ShapeItemName("Radius"));
      return;
    }
    if (*radius < 0) {
      Message(kMsgInvalidValue, CLengthEdits::Text(m_hWnd, IDC_ELL_RADIUS));
      ::SetDlgItemTextA(m_hWnd, IDC_ELL_RADIUS, "0");
      return;
    }
    // The largest radius is the one a full half-round side draws with.
    m_field.cornerRadius = std::min(*radius, std::min(m_field.width, m_field.height) / 2 + 1);
  }
  if (!ReadRotation(IDC_ELL_ROTATION, m_field.rotation)) return;
  m_field.line.color = static_cast<int32_t>(m_lineColour.m_colour);
  m_field.foreColor = m_fillColour.m_colour;
  StoreCheck(IDC_ELL_NO_OUTPUT, m_field.doNotPrint);
  StoreCheck(IDC_SHAPE_LOCK, m_field.lockPosition);
  StoreLineStyle(m_style, m_field.line.style);
  StoreCheck(IDC_SHAPE_ROUND_ENDS, m_field.line.roundEnds);
  CShapeDialog::OnOK();
}
