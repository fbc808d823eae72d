#include "datasource/ui/records/record_select_dlg.h"

#include <algorithm>
#include <cstdlib>

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/db_bindings.h"
#include "datasource/odbc_statement.h"
#include "datasource/ui/records/records_ids.h"
#include "datasource/ui/records/set_quantity_dlg.h"
#include "datasource/ui/select_source/password_prompt.h"

namespace {

// Rows loaded when the dialog opens; the others as the grid shows them.
constexpr long long kFirstLoad = 100;
constexpr int kQuantityWidth = 48;
constexpr int kCharWidth = 8;
constexpr int kMaxColumnChars = 30;
// Item data of a loaded row's first cell.
constexpr LPARAM kLoaded = 1;
constexpr LPARAM kLoadedShowingAll = 2;

bool IsIn(const std::vector<AString>& names, const AString& name) {
  return std::any_of(names.begin(), names.end(), [&](const AString& n) { return n == name; });
}

}  // namespace

BEGIN_MESSAGE_MAP(CDbRecordSelectDlg, CSkinDialog)
  ON_MESSAGE(kGridMsgLoadRows, OnLoadRows)
  ON_MESSAGE(kGridMsgRowAction, OnRowAction)
  ON_NOTIFY(GVN_SELCHANGED, IDC_RECORD_GRID, OnGridSelChanged)
  ON_NOTIFY(GVN_ENDLABELEDIT, IDC_RECORD_GRID, OnGridEndEdit)
  ON_NOTIFY(GVN_DBLCLK, IDC_RECORD_GRID, OnGridDoubleClick)
  ON_BN_CLICKED(IDC_RECORD_SEARCH, OnSearch)
  ON_BN_CLICKED(IDC_RECORD_SELECT_ALL, OnSelectAll)
  ON_BN_CLICKED(IDC_RECORD_CLEAR_ALL, OnClearAll)
  ON_BN_CLICKED(IDC_RECORD_SET_QTY, OnSetQuantity)
  ON_BN_CLICKED(IDC_RECORD_SHOW_ALL_FIELDS, OnShowAllFields)
END_MESSAGE_MAP()

CDbRecordSelectDlg::CDbRecordSelectDlg(CWnd* parent) : CSkinDialog(IDD_DB_RECORD_SELECT, parent) {}

CDbRecordSelectDlg::~CDbRecordSelectDlg() {
  if (statement_ && connection_) connection_->DeleteStatement(statement_);
}

BOOL CDbRecordSelectDlg::OnInitDialog() {
  if (m_viewMode) Skin().SetCaptionKey("Database View");
  CSkinDialog::OnInitDialog();
  if (m_viewMode)
    for (const int id : {IDC_RECORD_SELECTED, IDC_RECORD_SELECT_ALL, IDC_RECORD_CLEAR_ALL, IDC_RECORD_SET_QTY, IDCANCEL})
      ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
  // The grid takes the placeholder's place.
  HWND placeholder = ::GetDlgItem(m_hWnd, IDC_RECORD_GRID);
  RECT place{};
  ::GetWindowRect(placeholder, &place);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
  ::DestroyWindow(placeholder);
  CGridCtrl::RegisterWindowClass();
  grid_.Create(place, this, IDC_RECORD_GRID, WS_CHILD | WS_BORDER | WS_TABSTOP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL);
  ::SetWindowPos(grid_.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  AString why;
  if (!m_field || !OpenQuery(&why)) {
    // The driver's reason, not a system error number.
    AString text = TranslateUiString("SQL select failed");
    text += "\n";
    text += why;
    ShowMsgBoxDlg(this, text, kMsgBoxOk, 1, -1);
    PostMessage(WM_COMMAND, IDCANCEL, 0);
    return TRUE;
  }
  SetUpGrid();
  LoadRows(0, std::min(kFirstLoad, recordCount_));
  if (!m_viewMode) ShowEarlierChoice();
  SelectRecordRow(recordCount_ > 0 ? 1 : -1);
  HWND columns = ::GetDlgItem(m_hWnd, IDC_RECORD_FIND_COLUMN);
  for (int c = 0; c < columnCount_; ++c)
    ::SendMessageW(columns, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(UiTextToWide(columns_[static_cast<size_t>(c)].name).c_str()));
  int keyIndex = 0;
  for (int c = 0; c < columnCount_; ++c)
    if (columns_[static_cast<size_t>(c)].name == keyColumn_) keyIndex = c;
  ::SendMessageW(columns, CB_SETCURSEL, static_cast<WPARAM>(keyIndex), 0);
  RefreshCounters();
  return TRUE;
}

void CDbRecordSelectDlg::ShowEarlierChoice() {
  CDbBinding binding;
  if (!m_setup || !FindDbBinding(m_setup->dbBindings, m_field->dbSource, m_field->dbTable, &binding)) return;
  // Records kept by their key values are found where they stand now.
  std::vector<size_t> missing;
  if (binding.keyColumn == keyColumn_ && !ResolveDbSelection(*connection_, m_field->dbTable, &binding, &missing))
    binding.selection.clear();
  for (const SelRecord& entry : binding.selection)
    if (entry.record >= 1 && entry.record <= recordCount_ && entry.quantity != 0)
      SetQuantity(entry.record, std::clamp(entry.quantity, 0, kMaxRecordQuantity));
  if (!missing.empty()) {
    AString note;
    note.Format(TranslateUiString("%d chosen records are no longer in the table").GetData(),
                static_cast<int>(missing.size()));
    Skin().SetDlgItemText(IDC_RECORD_SEARCH_NOTE, note.GetData());
  }
}

bool CDbRecordSelectDlg::OpenQuery(AString* why) {
  connection_ = std::make_unique<COdbcConnection>();
  const AString& source = m_field->dbSource;
  const AString& table = m_field->dbTable;
  if (!ConnectDataSourceAsking(this, source, IsFileDsnName(source), connection_.get())) {
    *why = connection_->GetErrorText();
    return false;
  }
  ListTableColumns(*connection_, table.GetData(), &columns_);
  CDbBinding binding;
  if (m_setup && FindDbBinding(m_setup->dbBindings, source, table, &binding)) keyColumn_ = binding.keyColumn;
  // Without a key the records come in the order of the first column.
  if (keyColumn_.IsEmpty() && !columns_.empty()) keyColumn_ = columns_.front().name;
  if (m_setup) CollectUsedDbColumns(*m_setup, m_fields, *m_field, &used_);
  used_.push_back(keyColumn_);
  const AString select = BuildDbSelect(*connection_, table, keyColumn_);
  statement_ = select.IsEmpty() ? nullptr : connection_->OpenQuery(select.GetData(), true);
  if (!statement_) {
    *why = connection_->GetErrorText();
    return false;
  }
  columnCount_ = std::min(static_cast<int>(columns_.size()), statement_->GetColumnCount());
  // The records counted by the database (the SQLite driver answers 0 for
  // the rows of a result); a grid holds at most a 32-bit count of rows.
  const AString count = BuildDbCount(*connection_, table);
  if (COdbcStatement* counted = count.IsEmpty() ? nullptr : connection_->OpenQuery(count.GetData(), true)) {
    if (counted->MoveFirst() && counted->GetText(0)) recordCount_ = std::atoll(counted->GetText(0));
    connection_->DeleteStatement(counted);
  }
  if (recordCount_ <= 0 && !count.IsEmpty() && connection_->GetErrorText().GetLength() > 0) {
    *why = connection_->GetErrorText();
    return false;
  }
  recordCount_ = std::clamp<long long>(recordCount_, 0, INT32_MAX - 1);
  quantities_.assign(static_cast<size_t>(recordCount_), 0);
  return true;
}

void CDbRecordSelectDlg::SetUpGrid() {
  grid_.SetVirtualMode(false);
  grid_.EnableSelection(true);
  grid_.SetSingleColSelection(false);
  grid_.RowPickMode = true;
  grid_.SetFixedColumnSelection(false);
  grid_.SetListMode(true);
  grid_.SetFixedRowSelection(true);
  grid_.EnableHiddenRowUnhide(true);
  grid_.EnableHiddenColUnhide(false);
  grid_.SetEditable(!m_viewMode);
  grid_.SetColumnCount(columnCount_ + FirstDataColumn());
  grid_.SetFixedRowCount(1);
  grid_.SetRowCount(static_cast<int>(std::min<long long>(recordCount_ + 1, INT32_MAX)));
  if (!m_viewMode) {
    grid_.SetColumnWidth(0, kQuantityWidth);
    grid_.SetItemText(0, 0, TranslateUiString("Qty"));
    grid_.SetItemFormat(0, 0, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  for (int c = 0; c < columnCount_; ++c) {
    DbColumnInfo& column = columns_[static_cast<size_t>(c)];
    const OdbcColumnInfo* info = statement_->GetColumnInfo(c);
    const int display = GetSqlDisplayWidth(column.sqlType, info ? static_cast<int>(info->bufferLength) : column.columnSize);
    column.displayWidth = std::min(kMaxColumnChars, std::max(column.name.GetLength(), display));
    const int gridColumn = c + FirstDataColumn();
    grid_.SetItemText(0, gridColumn, column.name);
    grid_.SetItemFormat(0, gridColumn, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    grid_.SetItemData(0, gridColumn, column.name == keyColumn_ ? 1 : 0);
  }
  ShowColumnWidths();
}

void CDbRecordSelectDlg::ShowColumnWidths() {
  for (int c = 0; c < columnCount_; ++c) {
    const DbColumnInfo& column = columns_[static_cast<size_t>(c)];
    const bool shown = showAllFields_ || IsIn(used_, column.name);
    grid_.SetColumnWidth(c + FirstDataColumn(), shown ? column.displayWidth * kCharWidth : 0);
  }
  grid_.Invalidate();
}

void CDbRecordSelectDlg::LoadRows(long long first, long long count) {
  if (!statement_ || count <= 0 || first >= recordCount_) return;
  if (!(first == 0 ? statement_->MoveFirst() : statement_->MoveAbsolute(static_cast<SQLLEN>(first + 1)))) return;
  const long long end = std::min(first + count, recordCount_);
  for (long long r = first; r < end; ++r) {
    const int row = static_cast<int>(r + 1);
    if (grid_.GetItemData(row, 0) == 0) {
      grid_.SetItemData(row, 0, showAllFields_ ? kLoadedShowingAll : kLoaded);
      if (!m_viewMode) grid_.SetItemTextFmt(row, 0, "%d", quantities_[static_cast<size_t>(r)]);
      for (int c = 0; c < columnCount_; ++c) {
        const int gridColumn = c + FirstDataColumn();
        const bool has = statement_->GetLength(c) > 0;
        grid_.SetItemText(row, gridColumn, has ? AString(statement_->GetText(c)) : AString());
        grid_.SetItemState(row, gridColumn, grid_.GetItemState(row, gridColumn) | GVIS_READONLY);
      }
    }
    if (r + 1 < end && !statement_->MoveNext()) break;
  }
}

LRESULT CDbRecordSelectDlg::OnLoadRows(WPARAM firstRow, LPARAM lastRow) {
  const auto a = static_cast<long long>(firstRow);
  const auto b = static_cast<long long>(lastRow);
  if (a >= 1 && b >= a) LoadRows(a - 1, b - a + 1);
  grid_.Invalidate();
  return 0;
}

int CDbRecordSelectDlg::Quantity(int record) const {
  return record >= 1 && record <= recordCount_ ? quantities_[static_cast<size_t>(record - 1)] : 0;
}

int CDbRecordSelectDlg::LoadedRows() const {
  int loaded = 0;
  for (int row = 1; row < const_cast<CGridCtrl&>(grid_).GetRowCount(); ++row)
    if (const_cast<CGridCtrl&>(grid_).GetItemData(row, 0) != 0) ++loaded;
  return loaded;
}

void CDbRecordSelectDlg::SetQuantity(int record, int quantity) {
  if (record < 1 || record > recordCount_ || m_viewMode) return;
  int& q = quantities_[static_cast<size_t>(record - 1)];
  if (q == 0 && quantity != 0) ++selectedCount_;
  if (q != 0 && quantity == 0) --selectedCount_;
  q = quantity;
  // The cell of a row not loaded yet shows it when the row is loaded.
  if (grid_.GetItemData(record, 0) != 0) grid_.SetItemTextFmt(record, 0, "%d", quantity);
}

LRESULT CDbRecordSelectDlg::OnRowAction(WPARAM row, LPARAM) {
  const int record = static_cast<int>(row);
  if (m_viewMode || record < 1 || record > recordCount_) return 0;
  const int q = Quantity(record);
  if (q <= 0) SetQuantity(record, 1);
  else if (q == 1) SetQuantity(record, 0);
  grid_.RedrawRow(record);
  RefreshCounters();
  return 0;
}

void CDbRecordSelectDlg::OnGridSelChanged(NMHDR*, LRESULT* result) {
  RefreshCounters();
  *result = 0;
}

void CDbRecordSelectDlg::OnGridEndEdit(NMHDR* header, LRESULT* result) {
  *result = 0;
  const auto* notice = reinterpret_cast<const GridNotify*>(header);
  if (m_viewMode || notice->col != 0 || notice->row < 1 || notice->row > recordCount_) return;
  const AString text = grid_.GetItemText(notice->row, 0);
  const int quantity = ParseRecordQuantity(text.GetData());
  if (quantity < 0) {
    // Quantities are 0 to 10000: anything else is refused as typed.
    *result = -1;
    return;
  }
  SetQuantity(notice->row, quantity);
  RefreshCounters();
}

void CDbRecordSelectDlg::OnGridDoubleClick(NMHDR* header, LRESULT* result) {
  *result = 0;
  const auto* notice = reinterpret_cast<const GridNotify*>(header);
  if (!m_viewMode && notice->col > 0) OnSetQuantity();
}

void CDbRecordSelectDlg::RefreshCounters() {
  const CGridCellRange range = grid_.GetSelectedCellRange();
  const long long n = range.minRow;
  AString position;
  position.Format("%d / %d", n >= 1 && n <= recordCount_ ? static_cast<int>(n) : 0, static_cast<int>(recordCount_));
  Skin().SetDlgItemText(IDC_RECORD_POSITION, position.GetData());
  if (m_viewMode) return;
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_RECORD_SET_QTY), n >= 1 && n <= recordCount_);
  AString selected;
  const AString format = TranslateUiString("%d records selected");
  selected.Format(format.GetData(), static_cast<int>(selectedCount_));
  Skin().SetDlgItemText(IDC_RECORD_SELECTED, selected.GetData());
}

void CDbRecordSelectDlg::SelectRecordRow(int row) {
  if (row < 1 || row > recordCount_) return;
  grid_.ResetSelectedRange();
  grid_.SetSelectedRange(row, 0, row, grid_.GetColumnCount() - 1);
  grid_.SetFocusCell(row, FirstDataColumn());
  grid_.EnsureVisible(row, FirstDataColumn());
  grid_.RedrawRow(row);
  RefreshCounters();
}

void CDbRecordSelectDlg::OnSearch() {
  char text[256] = {};
  ::GetDlgItemTextA(m_hWnd, IDC_RECORD_FIND_TEXT, text, sizeof text);
  Skin().SetDlgItemText(IDC_RECORD_SEARCH_NOTE, "");
  if (!text[0]) return;
  HWND history = ::GetDlgItem(m_hWnd, IDC_RECORD_FIND_TEXT);
  if (::SendMessageA(history, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)) < 0)
    ::SendMessageA(history, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text));
  const int column = static_cast<int>(::SendDlgItemMessageW(m_hWnd, IDC_RECORD_FIND_COLUMN, CB_GETCURSEL, 0, 0));
  const int gridColumn = (column < 0 ? columnCount_ : column) + FirstDataColumn();
  const int start = std::max(grid_.GetSelectedCellRange().minRow, 0);
  const bool matchCase = ::IsDlgButtonChecked(m_hWnd, IDC_RECORD_MATCH_CASE) == BST_CHECKED;
  const bool wholeWord = ::IsDlgButtonChecked(m_hWnd, IDC_RECORD_WHOLE_WORD) == BST_CHECKED;
  const int found = grid_.FindInColumn(start + 1, gridColumn, AString(text), matchCase, !wholeWord);
  if (found < 0) {
    UiMessageBox(this, 35011, kMsgBoxOk, false, text);
    return;
  }
  if (found <= start) Skin().SetDlgItemText(IDC_RECORD_SEARCH_NOTE, TranslateUiString("Passed the end").GetData());
  SelectRecordRow(found);
}

void CDbRecordSelectDlg::OnSelectAll() {
  for (int record = 1; record <= recordCount_; ++record) SetQuantity(record, 1);
  grid_.SelectAllCells();
  grid_.Invalidate();
  RefreshCounters();
}

void CDbRecordSelectDlg::OnClearAll() {
  for (int record = 1; record <= recordCount_; ++record) SetQuantity(record, 0);
  grid_.ResetSelectedRange();
  grid_.Invalidate();
  RefreshCounters();
}

void CDbRecordSelectDlg::OnSetQuantity() {
  const CGridCellRange range = grid_.GetSelectedCellRange();
  const int top = std::max(range.minRow, 1);
  const int bottom = std::min<long long>(range.maxRow, recordCount_);
  if (top > bottom) return;
  CSetQuantityDlg ask(this);
  ask.m_quantity = top == bottom ? Quantity(top) : 1;
  if (ask.DoModal() != IDOK) return;
  for (int record = top; record <= bottom; ++record) {
    SetQuantity(record, ask.m_quantity);
    grid_.RedrawRow(record);
  }
  RefreshCounters();
}

void CDbRecordSelectDlg::OnShowAllFields() {
  showAllFields_ = ::IsDlgButtonChecked(m_hWnd, IDC_RECORD_SHOW_ALL_FIELDS) == BST_CHECKED;
  ShowColumnWidths();
}

std::vector<AString> CDbRecordSelectDlg::KeyChosenRecords(const AString& keyColumn, CSelRecordArray* chosen) {
  // Known by their places only when the records are not in the key's order.
  if (chosen->empty() || keyColumn != keyColumn_ || !statement_) return {};
  std::vector<AString> columns = DbRecordKeyColumns(*connection_, m_field->dbTable, keyColumn);
  std::vector<int> indexes;
  if (columns.empty() || !FindKeyColumns(*statement_, columns, &indexes)) return {};
  int at = 0;
  for (SelRecord& entry : *chosen) {
    // In place order: the next record is one step on.
    const bool moved = entry.record == at + 1 && at > 0 ? statement_->MoveNext()
                                                         : statement_->MoveAbsolute(static_cast<SQLLEN>(entry.record));
    at = moved ? entry.record : 0;
    // A record the move cannot reach keeps no key: the print job says so.
    if (moved) entry.key = RecordKeyAt(*statement_, indexes);
  }
  return columns;
}

void CDbRecordSelectDlg::OnOK() {
  if (m_viewMode || !m_setup || !m_field) {
    CSkinDialog::OnOK();
    return;
  }
  // A choice is kept even when the field page has stored no binding yet.
  CDbBinding binding;
  FindDbBinding(m_setup->dbBindings, m_field->dbSource, m_field->dbTable, &binding);
  if (binding.keyColumn.IsEmpty()) binding.keyColumn = keyColumn_;
  CSelRecordArray chosen;
  m_records = 0;
  m_totalQuantity = 0;
  for (int record = 1; record <= recordCount_; ++record) {
    const int q = Quantity(record);
    if (q == 0) continue;
    chosen.push_back({record, q, 0});
    ++m_records;
    m_totalQuantity += q;
  }
  binding.keyColumns = KeyChosenRecords(binding.keyColumn, &chosen);
  binding.SetSelection(chosen);
  m_setup->dbBindings.SetAt(MakeDbBindingKey(m_field->dbSource, m_field->dbTable), binding);
  CSkinDialog::OnOK();
}
