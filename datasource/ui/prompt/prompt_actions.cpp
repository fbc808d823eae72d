#include "datasource/ui/prompt/prompt_actions.h"

#include <cstdio>
#include <cstdlib>

#include "datasource/db_bindings.h"
#include "datasource/ui/prompt/field_data_entry_dlg.h"
#include "datasource/ui/prompt/prompt_list.h"
#include "datasource/ui/records/record_select_dlg.h"

namespace {

const PromptRowDialogs* g_dialogs = nullptr;

// The quantity edit of the print dialog.
constexpr int kQuantityEdit = 1238;

void SetQuantityText(HWND edit, int quantity) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", quantity);
  ::SetWindowTextA(edit, text);
}

// The print dialog's quantity after a record selection of `records`
// records and `labels` labels.
void FollowRecordChoice(HWND dialog, CLabelSetup& setup, int records, int labels) {
  HWND edit = ::GetDlgItem(dialog, kQuantityEdit);
  if (!edit) return;
  const bool several = records >= 2 || DbBindingsHaveSelection(setup.dbBindings);
  ::EnableWindow(edit, !several);
  char text[16] = {};
  ::GetWindowTextA(edit, text, sizeof text);
  if (std::atoi(text) < labels) SetQuantityText(edit, labels);
  if (several) SetQuantityText(edit, GetMaxDbSelectionQuantity(setup.dbBindings));
}

int ChooseRecords(CWnd* parent, CPromptItem& row) {
  if (!row.m_labelSetup || !row.m_field) return IDCANCEL;
  CDbRecordSelectDlg dialog(parent);
  dialog.m_setup = row.m_labelSetup;
  dialog.m_field = row.m_field;
  if (row.m_fieldList) dialog.m_fields = *row.m_fieldList;
  if (dialog.DoModal() != IDOK) return IDCANCEL;
  row.m_text = FormatRecordsQty(dialog.m_records, dialog.m_totalQuantity);
  if (parent && parent->m_hWnd) FollowRecordChoice(parent->m_hWnd, *row.m_labelSetup, dialog.m_records,
                                                    dialog.m_totalQuantity);
  return IDOK;
}

int EnterMaxiCode(CWnd* parent, CPromptItem& row) {
  if (!row.m_field || !row.m_field->IsKind(FieldKind::kBarcode)) return IDCANCEL;
  return RunMaxiCodeEntry(parent, static_cast<CBarcodeField&>(*row.m_field));
}

}  // namespace

void SetPromptRowDialogs(const PromptRowDialogs* dialogs) { g_dialogs = dialogs; }
const PromptRowDialogs* GetPromptRowDialogs() { return g_dialogs; }

int RunPromptRowAction(CPromptItem& row) {
  CWnd* parent = row.m_list ? row.m_list->GetParent() : nullptr;
  using Run = int (*)(CWnd*, CPromptItem&);
  Run run = nullptr;
  switch (row.m_type) {
    case PromptRowType::kRecords: run = &ChooseRecords; break;
    case PromptRowType::kLongText: run = g_dialogs ? g_dialogs->longText : nullptr; break;
    case PromptRowType::kMaxiCode: run = &EnterMaxiCode; break;
    case PromptRowType::kAi: run = g_dialogs ? g_dialogs->applicationIdentifiers : nullptr; break;
    default: break;
  }
  return run ? run(parent, row) : IDCANCEL;
}
