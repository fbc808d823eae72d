// "Barcode / Data", the first page of the barcode setup sheet: symbology and
// sub-type, the geometry of linear and two-dimensional symbols, rotation,
// the counter settings, the data and where it comes from. It edits the
// working field the sheet's runner gives it; data checks and measuring run
// only while the sheet closes with OK, and the measured size is kept for
// the runner.
#pragma once

#include "app/controls/bitmap_buttons.h"
#include "app/ui/skin_property_page.h"
#include "dialogs/barcode/data_source_section.h"
#include "dialogs/barcode/length_text.h"
#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"

class CLabelSetup;

class CBarcodeDataPage : public CSkinPropertyPage {
 public:
  CBarcodeDataPage();
  ~CBarcodeDataPage() override;

  // Given by the runner before the sheet opens.
  void Attach(CLabelSetup* setup, CBarcodeField* field, const CFieldList* fields, bool newField);
  // The data-source panel, when one is attached (not owned).
  void SetDataSourceSection(IDataSourceSection* section) { section_ = section; }
  // Set by the Human Readable page when it opens (new fields take their
  // default text height here only when it never did).
  void NoteHumanReadableOpened() { hrPageOpened_ = true; }
  // Width and height in thousandths of an inch of the last successful OK.
  SIZE MeasuredSize() const { return measured_; }

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;
  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  void OnSymbologyChanged();
  void OnSubtypeChanged();
  void OnNarrowBarChanged();
  void OnModuleSizeChanged();
  void OnMaxiModeChanged();
  void OnMicroModeChanged();
  void OnRotationChanged();
  void OnSourceChanged();
  void OnRollover();
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  DECLARE_MESSAGE_MAP()

 private:
  // Step B: the rows and lists that follow from the symbology.
  void ApplySymbology(int code, bool opening);
  void FillSubtypes(bool reset);
  void ShowLinear(bool realChange);
  void Show2D();
  void FillSources();
  void ShowSourceControls(bool opening);
  void LimitData();
  void ShowMils(int labelId, int dots);
  int SourceType() const;
  // Kill-active steps.
  bool TakeSelections();
  void Take2D();
  void TakeLinear();
  void TakeCommon();
  bool ApplyOnOk();
  bool TakeData();
  bool FocusFail(int id);

  CLabelSetup* setup_ = nullptr;
  CBarcodeField* field_ = nullptr;
  const CFieldList* fields_ = nullptr;
  IDataSourceSection* section_ = nullptr;
  bool newField_ = false;
  bool opening_ = false;
  bool hrPageOpened_ = false;
  bool rotationTouched_ = false;
  double factor_ = 0.001;
  int symbology_ = 0;
  SIZE measured_{0, 0};
  ShownEdit height_, code49Height_, increment_, duplicates_, data_;
  CTipButton tip_, multiTip_, itfTip_, sourceTip_;
};
