// The MaxiCode message of one barcode field asked for before printing: its
// thirteen parts in two chained prompt lists, the prompted ones typed in.
// OK takes them into the field as fixed parts and checks the message; a
// part that fails is shown again (its message said) and the dialog stays.
#pragma once

#include "app/ui/skin_dialog.h"
#include "datasource/ui/prompt/maxicode_lists.h"
#include "datasource/ui/prompt/prompt_list.h"

class CFieldDataEntryDlg : public CSkinDialog {
 public:
  CFieldDataEntryDlg(CWnd* parent, CBarcodeField& field);
  BOOL OnInitDialog() override;
  void OnOK() override;

  MaxiCodeLists Lists() { return {&first_, &second_}; }

 private:
  void PlaceList(CPromptList& list, int id, int rowsPerView);

  CBarcodeField& field_;
  CPromptList first_;
  CPromptList second_;
};

// The "..." of a MaxiCode prompt row: the saved part sources put back, then
// the dialog over the field; IDOK when the field took the parts.
int RunMaxiCodeEntry(CWnd* parent, CBarcodeField& field);
