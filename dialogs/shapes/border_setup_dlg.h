// The Border Setup dialog: the frame drawn round the whole label, kept in
// the label setup. The dialog edits copies; the runner writes them back on OK.
#pragma once

#include <cstdint>

#include "dialogs/shapes/shape_dialog.h"
#include "fields/model/field.h"

class CBorderSetupDlg : public CShapeDialog {
 public:
  explicit CBorderSetupDlg(CWnd* parent = nullptr);
  ~CBorderSetupDlg() override;

  uint8_t m_borderOn = 0;
  BdrData m_border;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  std::vector<ShapeSpinner> Spinners() const override;
  void OnColour();
  void OnBorderToggle();
  void OnStyle();
  DECLARE_MESSAGE_MAP()

 private:
  CColorButton m_colour;
  CLineStyleCombo m_style;
};
