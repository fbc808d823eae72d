// The Box dialog: position, size, the two line thicknesses, rotation and
// colour of a box field.
#pragma once

#include "dialogs/shapes/shape_dialog.h"
#include "fields/model/field_kinds.h"

class CBoxDlg : public CShapeDialog {
 public:
  explicit CBoxDlg(CWnd* parent = nullptr);
  ~CBoxDlg() override;

  CBoxField m_field;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  std::vector<ShapeSpinner> Spinners() const override;
  void OnColour();
  DECLARE_MESSAGE_MAP()

 private:
  CColorButton m_colour;
};
