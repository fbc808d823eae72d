// CColorDialog: the colour dialog, starting from a colour (CC_RGBINIT) with
// sixteen custom colours of the object's own unless the caller points
// m_cc.lpCustColors elsewhere. A cancelled dialog changes nothing. While the
// dialog runs the object is attached to its window (GetSafeHwnd is the
// dialog, its messages pass through the object's message map first); a
// caller's own hook in m_cc (CC_ENABLEHOOK) still hears every message.
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
  // OK and Cancel are the dialog's own: they go on to its procedure.
  void OnOK() override { Default(); }
  void OnCancel() override { Default(); }

 private:
  static UINT_PTR AfxColourHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  std::array<COLORREF, 16> m_custom;
  LPCCHOOKPROC m_callerHook = nullptr;  // a hook the caller put in m_cc
};
