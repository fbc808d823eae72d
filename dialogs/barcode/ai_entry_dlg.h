// The application identifiers of a UCC/EAN 128 Multi field entered before
// printing: the identifier grid with only the prompted rows' data editable,
// the input rule of the current row below it, every prompted row checked on
// OK. OK leaves the field as Fixed Data with the entered values, measured
// again; a refused row keeps the dialog open on its data cell; Cancel leaves
// the field as it was.
#pragma once

#include <array>

#include "app/ui/skin_dialog.h"
#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"
#include "grid/grid_ctrl.h"

class CLabelSetup;
class CPromptItem;

class CGridPickDlg : public CSkinDialog {
 public:
  explicit CGridPickDlg(CWnd* parent);
  ~CGridPickDlg() override;

  // Set by the opener before DoModal.
  CLabelSetup* m_setup = nullptr;
  const CFieldList* m_fields = nullptr;
  CBarcodeField* m_field = nullptr;

  CGridCtrl& Grid() { return grid_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnGridSelChanged(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  void ShowRule(int row);

  bool initialising_ = false;
  int sourceTypeBefore_ = 0;
  CGridCtrl grid_;
};

// The "..." of an identifier row of the prompt list: the field's saved
// identifier sources put back, then the dialog over `parent`. IDOK when the
// values were taken.
int RunAiEntryForPromptRow(CPromptItem& row, CWnd* parent);
