#include "datasource/ui/select_source/select_data_source_dlg.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/db_source_lists.h"
#include "datasource/odbc_connection.h"
#include "datasource/ui/select_source/add_data_source_dlg.h"
#include "datasource/ui/select_source/password_prompt.h"
#include "datasource/ui/select_source/select_source_ids.h"

namespace {

// A file data source shows its file name; the path stays the row's full text.
AString ShownName(const AString& full, int kind) {
  if (kind == 0) return full;
  const int slash = std::max(full.ReverseFind('/'), full.ReverseFind('\\'));
  return slash >= 0 ? full.Mid(slash + 1) : full;
}

}  // namespace

AString FormatConnectionDetail(const char* connectString) {
  AString text;
  for (const auto& [key, value] : SplitConnectStringPairs(connectString)) {
    if (strcasecmp(key.GetData(), "PWD") == 0 || strcasecmp(key.GetData(), "PASSWORD") == 0) continue;
    if (!text.IsEmpty()) text += "\n";
    text += key;
    text += "=";
    text += value;
  }
  return text;
}

BEGIN_MESSAGE_MAP(CSelectDataSourceDlg, CSkinDialog)
  ON_BN_CLICKED(IDC_SOURCE_ADD, OnAdd)
  ON_BN_CLICKED(IDC_SOURCE_DETAIL, OnDetail)
  ON_LBN_SELCHANGE(IDC_SOURCE_LIST, OnSelectionChange)
  ON_LBN_DBLCLK(IDC_SOURCE_LIST, OnRowDoubleClick)
  ON_BN_CLICKED(IDC_SOURCE_DELETE, OnDelete)
  ON_BN_CLICKED(IDC_SOURCE_SORT, OnSort)
END_MESSAGE_MAP()

CSelectDataSourceDlg::CSelectDataSourceDlg(CWnd* parent, UINT dialogId)
    : CSkinDialog(dialogId ? dialogId : IDD_SELECT_DATA_SOURCE, parent), listMode_(dialogId != 0) {}

CSelectDataSourceDlg::~CSelectDataSourceDlg() = default;

BOOL CSelectDataSourceDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  if (listMode_) FillLikelyRows();
  else FillRows();
  SelectRow(0);
  return TRUE;
}

int CSelectDataSourceDlg::AddRow(const AString& full, int kind) {
  rows_.push_back({ShownName(full, kind), full, kind});
  const std::u16string wide = UiTextToWide(rows_.back().shown);
  const auto index = static_cast<int>(
      ::SendDlgItemMessageW(m_hWnd, IDC_SOURCE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
  ::SendDlgItemMessageW(m_hWnd, IDC_SOURCE_LIST, LB_SETITEMDATA, static_cast<WPARAM>(index), kind);
  return index;
}

void CSelectDataSourceDlg::FillRows() {
  const int before = SelectedRow();
  rows_.clear();
  ::SendDlgItemMessageW(m_hWnd, IDC_SOURCE_LIST, LB_RESETCONTENT, 0, 0);
  AArray<AString> names;
  ListOdbcDataSources(&names);
  for (int i = 0; i < names.GetSize(); ++i) AddRow(names[i], 0);
  // Remembered file data sources that exist and are not listed yet; the
  // others leave the remembered list.
  AArray<AString>& files = FileDsnList();
  for (int i = files.GetSize() - 1; i >= 0; --i) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(files[i].GetData(), ec);
    const bool listed = std::any_of(rows_.begin(), rows_.end(), [&](const Row& r) { return r.full == files[i]; });
    if (!exists || listed) files.RemoveAt(i);
  }
  for (int i = 0; i < files.GetSize(); ++i) AddRow(files[i], 1);
  SelectRow(std::min(before, static_cast<int>(rows_.size()) - 1));
}

void CSelectDataSourceDlg::FillLikelyRows() {
  rows_.clear();
  ::SendDlgItemMessageW(m_hWnd, IDC_SOURCE_LIST, LB_RESETCONTENT, 0, 0);
  for (const NamedValue& source : LikelyUsedDbSources()) AddRow(source.text, source.value ? 1 : 0);
}

// The list box shows the rows as they now stand.
void CSelectDataSourceDlg::ShowRows() {
  std::vector<Row> rows = std::move(rows_);
  rows_.clear();
  ::SendDlgItemMessageW(m_hWnd, IDC_SOURCE_LIST, LB_RESETCONTENT, 0, 0);
  for (const Row& row : rows) AddRow(row.full, row.kind);
}

void CSelectDataSourceDlg::OnDelete() {
  const int row = SelectedRow();
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  rows_.erase(rows_.begin() + row);
  ::SendDlgItemMessageW(m_hWnd, IDC_SOURCE_LIST, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
  SelectRow(std::min(row, static_cast<int>(rows_.size()) - 1));
}

void CSelectDataSourceDlg::OnSort() {
  sortedAscending_ = !sortedAscending_;
  std::stable_sort(rows_.begin(), rows_.end(), [this](const Row& a, const Row& b) {
    const int order = strcasecmp(a.shown.GetData(), b.shown.GetData());
    return sortedAscending_ ? order < 0 : order > 0;
  });
  ShowRows();
  SelectRow(0);
}

int CSelectDataSourceDlg::SelectedRow() const {
  if (!m_hWnd) return -1;
  return static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_SOURCE_LIST, LB_GETCURSEL, 0, 0));
}

void CSelectDataSourceDlg::SelectRow(int row) {
  ::SendDlgItemMessageW(m_hWnd, IDC_SOURCE_LIST, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
  ShowFullText();
}

void CSelectDataSourceDlg::ShowFullText() {
  const int row = SelectedRow();
  const AString text = row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(row)].full : AString();
  Skin().SetDlgItemText(IDC_SOURCE_FULL_TEXT, text.GetData());
}

void CSelectDataSourceDlg::OnSelectionChange() { ShowFullText(); }

void CSelectDataSourceDlg::OnRowDoubleClick() { OnOK(); }

void CSelectDataSourceDlg::OnAdd() {
  CAddDataSourceDlg add(this);
  if (add.DoModal() != IDOK || add.m_name.IsEmpty()) return;
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].kind == 0 && rows_[i].full == add.m_name) {
      SelectRow(static_cast<int>(i));
      return;
    }
  }
  SelectRow(AddRow(add.m_name, 0));
}

void CSelectDataSourceDlg::OnDetail() {
  const int row = SelectedRow();
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  const Row& chosen = rows_[static_cast<size_t>(row)];
  COdbcConnection connection;
  if (!ConnectDataSourceAsking(this, chosen.full, chosen.kind != 0, &connection)) return;
  ShowMsgBoxDlg(this, FormatConnectionDetail(connection.GetCompletedConnectString()), kMsgBoxOk, 1, -1, chosen.shown);
}

void CSelectDataSourceDlg::OnOK() {
  if (listMode_) {
    std::vector<NamedValue>& likely = LikelyUsedDbSources();
    likely.clear();
    for (const Row& r : rows_) likely.push_back(NamedValue{r.full, r.kind});
    CSkinDialog::OnOK();
    return;
  }
  const int row = SelectedRow();
  if (row >= 0 && row < static_cast<int>(rows_.size())) {
    const Row& chosen = rows_[static_cast<size_t>(row)];
    COdbcConnection connection;
    if (!ConnectDataSourceAsking(this, chosen.full, chosen.kind != 0, &connection)) {
      // Why it does not connect, in the driver's words.
      AString text = TranslateUiString("Incomplete data source!");
      if (!connection.GetErrorText().IsEmpty()) {
        text += "\n";
        text += connection.GetErrorText();
      }
      ShowMsgBoxDlg(this, text, kMsgBoxOk, 1, -1);
      return;
    }
    m_chosenName = chosen.full;
    m_chosenKind = chosen.kind;
  }
  CSkinDialog::OnOK();
}

int RunLikelyDatabasesDialog(CWnd* parent) {
  CSelectDataSourceDlg dialog(parent, IDD_LIKELY_DATA_SOURCES);
  return dialog.DoModal() == IDOK ? 1 : 0;
}
