// The Line dialog: a line is a rectangle of length (the field's width) by
// thickness (its height) turned by its rotation.
#pragma once

#include "dialogs/shapes/shape_dialog.h"
#include "fields/model/field_kinds.h"

class CLineDlg : public CShapeDialog {
 public:
  explicit CLineDlg(CWnd* parent = nullptr);
  ~CLineDlg() override;

  CLineField m_field;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  std::vector<ShapeSpinner> Spinners() const override;
  void OnColour();
  DECLARE_MESSAGE_MAP()

 private:
  CColorButton m_colour;
  CLineStyleCombo m_style;
};
