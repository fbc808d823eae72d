// The property sheet in which every multi-page setup of the designer runs:
// the framework's sheet with the dialog skin, the owner-drawn tab control in
// languages other than English, no Apply button, an OK that checks every
// page before the sheet closes, and an optional side panel right of the tabs
// in which the owner draws a preview.
#pragma once

#include "app/ui/dialog_skin.h"
#include "app/ui/skin_tab_ctrl.h"
#include "platform/framework.h"

// The product name's string, the sheet's caption.
inline constexpr UINT IDS_PRODUCT_NAME = 57344;
inline constexpr int kSidePanelId = 4096;
inline constexpr int kApplyButtonId = 12321;

// A child window whose painting is the owner's callback.
class CPaintCallbackWnd : public CWnd {
 public:
  void SetCallback(SkinPaintCallback callback, CWnd* owner) {
    callback_ = callback;
    owner_ = owner;
  }

 protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  SkinPaintCallback callback_ = nullptr;
  CWnd* owner_ = nullptr;
};

class CMyPropSheet : public CPropertySheet {
 public:
  explicit CMyPropSheet(CWnd* parent);
  ~CMyPropSheet() override;

  BOOL OnInitDialog() override;
  void RefreshSidePanel();

  CDialogSkin& Skin() { return skin_; }
  CSkinTabCtrl& TabCtrl() { return tab_; }
  void SetSidePanelMode(int mode) { sidePanelMode_ = mode; }
  void SetPaintCallback(SkinPaintCallback callback) { paintCallback_ = callback; }
  const RECT& SidePanelRect() const { return sidePanelRect_; }
  CWnd& SidePanel() { return sidePanel_; }
  int PageOffset() const { return pageOffset_; }
  bool ClosingWithOk() const { return closingWithOk_ != 0; }

 protected:
  void OnOK();
  void OnApplyNow();
  LRESULT OnNcPaint(WPARAM, LPARAM);
  LRESULT OnNcActivate(WPARAM active, LPARAM);
  void OnNcLButtonDown(UINT hitTest, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  LRESULT OnNcHitTest(CPoint point);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  bool PagePasses(int index);
  void CreateSidePanel();

  CDialogSkin skin_;
  int closingWithOk_ = 0;
  CSkinTabCtrl tab_;
  SkinPaintCallback paintCallback_ = nullptr;
  int sidePanelMode_ = 0;
  RECT sidePanelRect_{};
  CPaintCallbackWnd sidePanel_;
  int pageOffset_ = 0;
  double widening_ = 0.4;
};
