// The base of every dialog of the designer: a framework dialog with the
// skin, which translates its texts and draws its skinned parts. A derived
// dialog calls OnInitDialog of this base first, sets control texts through
// the skin's SetDlgItemText, and leaves WM_PAINT, WM_DESTROY and
// PreTranslateMessage to this base. A dialog whose caption is not its
// template's sets the caption key (English) before OnInitDialog.
#pragma once

#include "app/ui/dialog_skin.h"
#include "platform/framework.h"

class CSkinDialog : public CDialog {
 public:
  CSkinDialog(UINT dialogId, CWnd* parent);
  ~CSkinDialog() override;

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;

  CDialogSkin& Skin() { return skin_; }
  int DialogId() const { return dialogId_; }

 protected:
  void OnDestroy();
  void OnPaint();
  LRESULT OnSkinRefresh(WPARAM, LPARAM);
  LRESULT OnNcPaint(WPARAM, LPARAM);
  LRESULT OnNcActivate(WPARAM active, LPARAM);
  void OnNcLButtonDown(UINT hitTest, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  LRESULT OnNcHitTest(CPoint point);

  CDialogSkin skin_;
  int dialogId_;
  HWND dialogWindow_ = nullptr;
  // The window that had the focus when the dialog was made; it gets it back.
  HWND focusBefore_ = nullptr;

  DECLARE_MESSAGE_MAP()
};
