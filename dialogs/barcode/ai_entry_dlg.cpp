#include "dialogs/barcode/ai_entry_dlg.h"

#include "datasource/ui/prompt/prompt_item.h"
#include "datasource/ui/structured/structured_grids.h"
#include "dialogs/barcode/barcode_ids.h"
#include "fields/measure/field_measure.h"
#include "fields/services/label_setup.h"
#include "grid/grid_types.h"

BEGIN_MESSAGE_MAP(CGridPickDlg, CSkinDialog)
ON_NOTIFY(GVN_SELCHANGED, IDC_BC_AI_GRID, OnGridSelChanged)
END_MESSAGE_MAP()

CGridPickDlg::CGridPickDlg(CWnd* parent) : CSkinDialog(IDD_AI_ENTRY, parent) {}

CGridPickDlg::~CGridPickDlg() {
  if (grid_.m_hWnd) grid_.DestroyWindow();
}

BOOL CGridPickDlg::OnInitDialog() {
  initialising_ = true;
  CSkinDialog::OnInitDialog();
  CreateGridInPlaceOf(grid_, this, IDC_BC_AI_GRID);
  if (m_field) {
    SetupAiGrid(grid_, *m_field, true);
    sourceTypeBefore_ = m_field->dataSourceType;
    // The first prompted row is the one to fill in.
    for (int row = 1; row < grid_.GetRowCount(); ++row) {
      if (!grid_.IsCellEditable(row, 1)) continue;
      grid_.SetFocusCell(row, 1);
      grid_.SetSelectedRange(row, 1, row, 1);
      ShowRule(row);
      break;
    }
  }
  initialising_ = false;
  return TRUE;
}

void CGridPickDlg::ShowRule(int row) {
  Skin().SetDlgItemText(IDC_BC_AI_RULE, AiGridRowRule(grid_, row).GetData());
}

void CGridPickDlg::OnGridSelChanged(NMHDR* header, LRESULT* result) {
  *result = 0;
  const auto* notice = reinterpret_cast<const GridNotify*>(header);
  if (notice->row >= 1) ShowRule(notice->row);
}

void CGridPickDlg::OnOK() {
  if (!m_field) {
    EndDialog(IDCANCEL);
    return;
  }
  // The grid's values are checked on the field itself: a refusal puts back
  // what the field held, so Cancel afterwards leaves it unchanged.
  std::array<AString, 6> before;
  for (size_t i = 0; i < before.size(); ++i) before[i] = m_field->aiData[i];
  grid_.EndEditing();
  int badRow = -1;
  if (!ApplyAiGrid(this, grid_, *m_field, &badRow, true)) {
    for (size_t i = 0; i < before.size(); ++i) m_field->aiData[i] = before[i];
    if (badRow >= 0) {
      const int row = badRow + 1;
      grid_.SetSelectedRange(row, 1, row, 1);
      grid_.SetFocusCell(row, 1);
      grid_.SetFocus();
      ShowRule(row);
    }
    return;
  }
  m_field->dataSourceType = 0;
  if (m_setup) {
    static const CFieldList kNoFields;
    const SIZE size = MeasureBarcodeField(*m_field, m_fields ? *m_fields : kNoFields, *m_setup, 0);
    if (size.cx > 0 && size.cy > 0) {
      m_field->width = size.cx;
      m_field->height = size.cy;
    }
  }
  EndDialog(IDOK);
}

int RunAiEntryForPromptRow(CPromptItem& row, CWnd* parent) {
  auto* field = dynamic_cast<CBarcodeField*>(row.m_field);
  if (!field) return IDCANCEL;
  field->BackupAiSources(1);
  CGridPickDlg dialog(parent);
  dialog.m_setup = row.m_labelSetup;
  // The values are fixed data once taken: the field is measured without
  // the other fields its links would need.
  dialog.m_fields = nullptr;
  dialog.m_field = field;
  return static_cast<int>(dialog.DoModal());
}
