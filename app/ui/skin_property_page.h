// The base of every property page of the designer: a framework page with
// the dialog skin. A derived page calls OnInitDialog of this base first.
#pragma once

#include "app/ui/dialog_skin.h"
#include "platform/framework.h"

class CSkinPropertyPage : public CPropertyPage {
 public:
  explicit CSkinPropertyPage(UINT pageId);
  ~CSkinPropertyPage() override;

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  // Page n of the sheet the page is in, or null.
  CPropertyPage* GetSheetPage(int n) const;

  CDialogSkin& Skin() { return skin_; }
  int PageId() const { return pageId_; }

 protected:
  void OnPaint();
  void OnDestroy();

  CDialogSkin skin_;
  int pageId_;

  DECLARE_MESSAGE_MAP()
};
