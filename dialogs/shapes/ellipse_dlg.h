// The Ellipse / Rounded Rectangle dialog: one dialog for both shapes of the
// ellipse field (bit 0 of its style flags says ellipse).
#pragma once

#include "dialogs/shapes/shape_dialog.h"
#include "fields/model/field_kinds.h"

class CEllipseDlg : public CShapeDialog {
 public:
  explicit CEllipseDlg(CWnd* parent = nullptr);
  ~CEllipseDlg() override;

  CEllipseField m_field;
  bool IsEllipse() const { return (m_field.styleFlags & 1) != 0; }
  // The corner radius shown for a radius not yet set (below 0) or too big.
  static int ShownRadius(int radius, int width, int height);

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  std::vector<ShapeSpinner> Spinners() const override;
  void OnLineColour();
  void OnFillColour();
  void OnCircle();
  void OnFill();
  void OnLineStyle();
  DECLARE_MESSAGE_MAP()

 private:
  CColorButton m_lineColour;
  CColorButton m_fillColour;
  CLineStyleCombo m_style;
};
