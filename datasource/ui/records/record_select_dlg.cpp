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
// Item data of a shown row's first cell (the grid asks the owner to load
// rows whose first cell has none).
constexpr LPARAM kLoaded = 1;
constexpr UINT kHeadingFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

bool IsIn(const std::vector<AString>& names, const AString& name) {
  return std::any_of(names.begin(), names.end(), [&](const AString& n) { return n == name; });
}

}  // namespace

BEGIN_MESSAGE_MAP(CDbRecordSelectDlg, CSkinDialog)
  ON_MESSAGE(kGridMsgLoadRows, OnLoadRows)
  ON_MESSAGE(kGridMsgRowAction, OnRowAction)
  ON_NOTIFY(GVN_ODCACHEHINT, IDC_RECORD_GRID, OnGridCacheHint)
  ON_NOTIFY(GVN_SETDISPINFO, IDC_RECORD_GRID, OnGridSetText)
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

CDbRecordSelectDlg::~CDbRecordSelectDlg() = default;

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
  // The records counted by the database (the SQLite driver answers 0 for
  // the rows of a result); a grid holds at most a 32-bit count of rows.
  const AString count = BuildDbCount(*connection_, table);
  if (OdbcStatementPtr counted{count.IsEmpty() ? nullptr : connection_->OpenQuery(count.GetData(), true, OdbcCursor::kForwardOnly),
                               OdbcStatementDeleter{connection_.get()}}) {
    if (counted->MoveFirst() && counted->GetText(0)) recordCount_ = std::atoll(counted->GetText(0));
  } else if (!count.IsEmpty()) {
    *why = connection_->GetErrorText();
    return false;
  }
  recordCount_ = std::clamp<long long>(recordCount_, 0, INT32_MAX - 1);
  const AString select = BuildDbSelect(*connection_, table, keyColumn_);
  const AString reversed = BuildDbSelect(*connection_, table, keyColumn_, DbOrder::kReversed);
  if (select.IsEmpty() || !rows_.Open(*connection_, select, reversed, recordCount_, why)) {
    if (select.IsEmpty()) *why = connection_->GetErrorText();
    return false;
  }
  columnCount_ = static_cast<int>(std::min(columns_.size(), rows_.Columns().size()));
  quantities_.Reset(static_cast<int>(recordCount_));
  return true;
}

void CDbRecordSelectDlg::SetUpGrid() {
  // Virtual: the grid keeps no cells; it asks CellFor for those it shows.
  grid_.SetVirtualMode(true);
  grid_.SetCallbackFunc(&CDbRecordSelectDlg::CellFor, reinterpret_cast<LPARAM>(this));
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
  if (!m_viewMode) grid_.SetColumnWidth(0, kQuantityWidth);
  for (int c = 0; c < columnCount_; ++c) {
    DbColumnInfo& column = columns_[static_cast<size_t>(c)];
    const RecordRows::Column& result = rows_.Columns()[static_cast<size_t>(c)];
    const int display = GetSqlDisplayWidth(column.sqlType, result.bufferLength > 0 ? static_cast<int>(result.bufferLength)
                                                                                  : column.columnSize);
    column.displayWidth = std::min(kMaxColumnChars, std::max(column.name.GetLength(), display));
  }
  ShowColumnWidths();
}

BOOL CDbRecordSelectDlg::CellFor(GridDispInfo* info, LPARAM dialog) {
  reinterpret_cast<CDbRecordSelectDlg*>(dialog)->FillCell(info->item);
  return TRUE;
}

void CDbRecordSelectDlg::FillCell(GridItem& item) {
  const int column = item.col - FirstDataColumn();
  if (item.row == 0) {
    item.format = kHeadingFormat;
    if (column < 0) {
      item.text = TranslateUiString("Qty");
    } else if (column < columnCount_) {
      const AString& name = columns_[static_cast<size_t>(column)].name;
      item.text = name;
      // The heading of the column the records are ordered by is marked.
      item.lParam = name == keyColumn_ ? 1 : 0;
    }
    return;
  }
  const long long record = item.row;
  if (record < 1 || record > recordCount_) return;
  if (item.col == 0) item.lParam = kLoaded;
  if (column < 0) {
    item.text.Format("%d", quantities_.Get(static_cast<int>(record)));
    return;
  }
  item.state |= GVIS_READONLY;
  if (const RecordRows::Cell* cell = rows_.Get(record - 1, column); cell && !cell->null) item.text = cell->text;
}

void CDbRecordSelectDlg::ShowColumnWidths() {
  for (int c = 0; c < columnCount_; ++c) {
    const DbColumnInfo& column = columns_[static_cast<size_t>(c)];
    const bool shown = showAllFields_ || IsIn(used_, column.name);
    grid_.SetColumnWidth(c + FirstDataColumn(), shown ? column.displayWidth * kCharWidth : 0);
  }
  grid_.Invalidate();
}

void CDbRecordSelectDlg::LoadRows(long long first, long long count) { rows_.Load(first, count); }

LRESULT CDbRecordSelectDlg::OnLoadRows(WPARAM firstRow, LPARAM lastRow) {
  const auto a = static_cast<long long>(firstRow);
  const auto b = static_cast<long long>(lastRow);
  if (a >= 1 && b >= a) LoadRows(a - 1, b - a + 1);
  grid_.Invalidate();
  return 0;
}

void CDbRecordSelectDlg::OnGridCacheHint(NMHDR* header, LRESULT* result) {
  *result = 0;
  // The rows about to be drawn, read in one window before the grid asks
  // for their cells one by one.
  const CGridCellRange& range = reinterpret_cast<const GridCacheHint*>(header)->range;
  if (range.minRow >= 1 && range.maxRow >= range.minRow) LoadRows(range.minRow - 1, range.RowSpan());
}

void CDbRecordSelectDlg::OnGridSetText(NMHDR* header, LRESULT* result) {
  *result = 0;
  const GridItem& item = reinterpret_cast<const GridDispInfo*>(header)->item;
  if (m_viewMode || item.col != 0 || item.row < 1 || item.row > recordCount_) {
    *result = -1;
    return;
  }
  const int quantity = ParseRecordQuantity(item.text.IsEmpty() ? "" : item.text.GetData());
  if (quantity < 0) {
    // Quantities are 0 to 10000: anything else is refused as typed.
    *result = -1;
    return;
  }
  SetQuantity(item.row, quantity);
  RefreshCounters();
}

int CDbRecordSelectDlg::Quantity(int record) const { return quantities_.Get(record); }

int CDbRecordSelectDlg::LoadedRows() const { return static_cast<int>(rows_.LoadedRows()); }

void CDbRecordSelectDlg::SetQuantity(int record, int quantity) {
  if (record < 1 || record > recordCount_ || m_viewMode) return;
  quantities_.Set(record, quantity);
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

void CDbRecordSelectDlg::OnGridEndEdit(NMHDR*, LRESULT* result) {
  // The typed quantity was kept (or refused) when the grid offered it.
  *result = 0;
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
  selected.Format(format.GetData(), quantities_.Chosen());
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
  if (!m_viewMode) quantities_.SetAll(1);
  grid_.SelectAllCells();
  grid_.Invalidate();
  RefreshCounters();
}

void CDbRecordSelectDlg::OnClearAll() {
  quantities_.SetAll(0);
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
  if (chosen->empty() || keyColumn != keyColumn_) return {};
  std::vector<AString> columns = DbRecordKeyColumns(*connection_, m_field->dbTable, keyColumn);
  std::vector<AString> names;
  for (const RecordRows::Column& column : rows_.Columns()) names.push_back(column.name);
  std::vector<int> indexes;
  if (columns.empty() || !FindKeyColumns(names, columns, &indexes)) return {};
  // A record that cannot be read keeps no key: the print job says so.
  for (SelRecord& entry : *chosen) rows_.KeyOf(entry.record - 1, indexes, &entry.key);
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
  quantities_.ForEachChosen([&](int record, int q) {
    chosen.push_back({record, q, 0});
    ++m_records;
    m_totalQuantity += q;
    return true;
  });
  binding.keyColumns = KeyChosenRecords(binding.keyColumn, &chosen);
  binding.SetSelection(chosen);
  m_setup->dbBindings.SetAt(MakeDbBindingKey(m_field->dbSource, m_field->dbTable), binding);
  CSkinDialog::OnOK();
}
