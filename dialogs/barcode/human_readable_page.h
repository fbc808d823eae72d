// "Human Readable", the second page of the barcode setup sheet: whether the
// text under (or over) the bars is printed, its justification, position and
// gap, and the symbology's extras (stars, start/stop characters, check
// digit, Codabar start and stop codes, a template), and below them the font
// of the text from the shared font half.
#pragma once

#include "app/controls/bitmap_buttons.h"
#include "dialogs/setup/font_data_page.h"
#include "dialogs/setup/length_edits.h"
#include "fields/model/field_kinds.h"

class CLabelSetup;

class CHumanReadablePage : public CFontDataPage {
 public:
  CHumanReadablePage();
  ~CHumanReadablePage() override;

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;

 protected:
  void OnShowClicked();
  void OnTemplateClicked();
  void OnStartStopClicked();
  void OnUccTemplateChanged();
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  DECLARE_MESSAGE_MAP()

 private:
  // Fills and arranges the page for the field's symbology (also on every
  // return to the page: the symbology may have changed meanwhile).
  void Fill();
  void Arrange();
  void ArrangeTemplate();
  void Bind();

  CLabelSetup* setup_ = nullptr;
  CBarcodeField* field_ = nullptr;
  bool initialising_ = false;
  CLengthEdits edits_;
  CTipButton tip_;
};
