#include "datasource/ui/prompt/field_data_entry_dlg.h"

#include "datasource/ui/prompt/prompt_ids.h"
#include "fields/barcode/barcode_checks.h"

namespace {

constexpr float kCaptionFraction = 0.45f;
constexpr int kFirstRowsPerView = 7;
constexpr int kSecondRowsPerView = 6;
// The modes of BackupUpsSources.
constexpr int kPutSavedSourcesBack = 1;
constexpr int kPromptedBecomeFixed = 2;

}  // namespace

CFieldDataEntryDlg::CFieldDataEntryDlg(CWnd* parent, CBarcodeField& field)
    : CSkinDialog(IDD_FIELD_DATA_ENTRY, parent), field_(field) {}

void CFieldDataEntryDlg::PlaceList(CPromptList& list, int id, int rowsPerView) {
  // The list takes the placeholder's place.
  HWND placeholder = ::GetDlgItem(m_hWnd, id);
  RECT place{};
  ::GetWindowRect(placeholder, &place);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
  ::DestroyWindow(placeholder);
  list.m_rowsPerView = rowsPerView;
  list.m_captionFraction = kCaptionFraction;
  list.m_alwaysLimit = 1;
  list.m_answerPrompts = 1;
  list.Create(place, this, static_cast<UINT>(id));
}

BOOL CFieldDataEntryDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  PlaceList(first_, IDC_ENTRY_FIRST_PARTS, kFirstRowsPerView);
  PlaceList(second_, IDC_ENTRY_SECOND_PARTS, kSecondRowsPerView);
  FillMaxiCodePartLists(Lists(), field_.maxiMode, field_, false);
  first_.m_before = ::GetDlgItem(m_hWnd, IDCANCEL);
  first_.m_next = &second_;
  second_.m_previous = &first_;
  second_.m_after = ::GetDlgItem(m_hWnd, IDOK);
  ::SetFocus(first_.m_hWnd);
  return FALSE;
}

void CFieldDataEntryDlg::OnOK() {
  ReadMaxiCodePartLists(Lists(), field_, true);
  field_.SetDataSourceType(0, 0);
  field_.BackupUpsSources(kPromptedBecomeFixed);
  int failed = -1;
  if (ValidateUpsFields(m_hWnd, field_, &failed, 0)) {
    CSkinDialog::OnOK();
    return;
  }
  field_.BackupUpsSources(kPutSavedSourcesBack);
  SelectMaxiCodePart(Lists(), failed);
}

int RunMaxiCodeEntry(CWnd* parent, CBarcodeField& field) {
  field.BackupUpsSources(kPutSavedSourcesBack);
  CFieldDataEntryDlg dialog(parent, field);
  return dialog.DoModal() == IDOK ? IDOK : IDCANCEL;
}
