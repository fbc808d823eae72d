// "Options", the third page of the barcode setup sheet: the bar and
// background colours, and for ITF-14 the bearer bars and the quiet zone.
#pragma once

#include "app/controls/colour_button.h"
#include "dialogs/setup/field_sheet_page.h"
#include "fields/model/field_kinds.h"

class CLabelSetup;

class CBarcodeOptionsPage : public CFieldSheetPage {
 public:
  CBarcodeOptionsPage();
  ~CBarcodeOptionsPage() override;

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;

 protected:
  void OnBarColour();
  void OnBackColour();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowItfGroup();
  void Bind();

  CLabelSetup* setup_ = nullptr;
  CBarcodeField* field_ = nullptr;
  CColorButton barColour_;
  CColorButton backColour_;
};
