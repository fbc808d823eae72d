// CColorDialog: the colour dialog, starting from a colour (CC_RGBINIT) with
// sixteen custom colours of the object's own unless the caller points
// m_cc.lpCustColors elsewhere. A cancelled dialog changes nothing.
#pragma once

#include <array>

#include "platform/framework/dialog.h"

class CColorDialog : public CDialog {
  DECLARE_DYNAMIC(CColorDialog)

 public:
  explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF colour) { m_cc.rgbResult = colour; }

  CHOOSECOLORA m_cc{};

 protected:
  void OnOK() override {}
  void OnCancel() override {}

 private:
  std::array<COLORREF, 16> m_custom;
};
