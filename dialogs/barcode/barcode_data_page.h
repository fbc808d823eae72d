// "Barcode / Data", the first page of the barcode setup sheet: symbology and
// sub-type, the geometry of linear and two-dimensional symbols, rotation,
// the counter settings, and below them the data-source panel with the data.
// It edits the runner's working field; data checks and measuring run only
// while the sheet closes with OK, and the measured size is kept for the
// runner.
#pragma once

#include <memory>

#include "app/controls/bitmap_buttons.h"
#include "datasource/ui/panel/data_source_panel.h"
#include "datasource/ui/prompt/prompt_list.h"
#include "datasource/ui/structured/structured_grids.h"
#include "dialogs/setup/field_sheet_page.h"
#include "dialogs/setup/length_edits.h"
#include "fields/model/field_kinds.h"
#include "grid/grid_ctrl.h"

class CBarcodeDataPage : public CFieldSheetPage {
 public:
  CBarcodeDataPage();
  ~CBarcodeDataPage() override;

  // Set by the Human Readable page when it opens (a new field takes its
  // default text height here only when it never did).
  void NoteHumanReadableOpened() { hrPageOpened_ = true; }
  // Width and height in thousandths of an inch of the last successful OK,
  // also written to the target (the runner's, which outlives the page).
  SIZE MeasuredSize() const { return measured_; }
  void SetMeasuredSizeTarget(SIZE* target) { measuredTarget_ = target; }

  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnKillActive() override;

 protected:
  void OnSymbologyChanged();
  void OnSubtypeChanged();
  void OnNarrowBarChanged();
  void OnModuleSizeChanged();
  void OnMaxiModeChanged();
  void OnMicroModeChanged();
  void OnRotationChanged();
  void OnRollover();
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnHibcTypeChanged();
  void OnGridSelChanged(NMHDR* header, LRESULT* result);
  void OnGridEndEdit(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  // The rows and lists that follow from the symbology.
  void ApplySymbology(int code, bool opening);
  void FillSubtypes(bool reset);
  void ShowAiDigits();
  void ShowLinear(bool realChange);
  void Show2D();
  void ArrangeSourcePanel();
  // The grid of the structured data: HIBC rows, or the identifiers of
  // UCC/EAN 128 Multi.
  void MakeStructuredGrid();
  bool StructuredGridShown() const;
  bool ApplyStructuredGrid();
  // The UPS message's part lists of a MaxiCode field in modes 2 and 3.
  void MakeMaxiCodeLists();
  bool MaxiCodeListsShown() const;
  bool ApplyMaxiCodeLists();
  void LimitData();
  void ShowMils(int labelId, int dots);
  void ShowNumber(int id, int value);
  int SourceType() const;
  // Leaving the page.
  bool TakeSelections();
  void Take2D();
  void TakeLinear();
  void TakeCommon();
  int EditedNumber(int id, int unchanged) const;
  bool ApplyOnOk();
  bool TakeData();
  bool FocusFail(int id);

  CLabelSetup* setup_ = nullptr;
  CBarcodeField* field_ = nullptr;
  bool newField_ = false;
  bool opening_ = false;
  bool hrPageOpened_ = false;
  bool rotationTouched_ = false;
  int symbology_ = 0;
  SIZE measured_{0, 0};
  SIZE* measuredTarget_ = nullptr;
  CLengthEdits edits_;
  std::unique_ptr<CDataSourcePanel> panel_;
  CTipButton tip_, multiTip_, itfTip_;
  CGridCtrl grid_;
  PromptedRowTexts promptedRows_;
  CPromptList maxiFirst_, maxiSecond_;
};
