// The Database group: the data source, its table, the output column, the
// key column the records are ordered by and the linked key value; storing
// them into the field and the layout's binding of (source, table).
#include <algorithm>
#include <array>
#include <memory>

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/db_bindings.h"
#include "datasource/db_source_lists.h"
#include "datasource/ui/panel/panel_ids.h"
#include "datasource/ui/panel/panel_sections.h"
#include "datasource/ui/panel/panel_text.h"
#include "datasource/ui/records/record_select_dlg.h"
#include "datasource/ui/select_source/password_prompt.h"
#include "datasource/ui/select_source/select_data_source_dlg.h"
#include "fields/model/field_data.h"
#include "fields/model/field_kinds.h"
#include "foundation/window_helpers/dialog_helpers.h"

namespace {

bool SelectedSource(HWND dialog, AString* source, int* isFileDsn) {
  if (!GetComboSelText(dialog, IDC_DS_DB_SOURCE, source)) return false;
  *isFileDsn = static_cast<int>(GetComboSelData(dialog, IDC_DS_DB_SOURCE, 0));
  return true;
}

void ListColumns(HWND dialog, const CLabelSetup* setup, const CField& field, const AString& source, int isFileDsn,
                 const AString& table) {
  std::vector<DbColumnInfo> columns;
  if (!table.IsEmpty()) ListSourceColumns(nullptr, source, isFileDsn, table.GetData(), &columns);
  FillDbColumnList(dialog, columns, field.dbColumn);
  SetupDbKeyControls(dialog, setup, source, table, columns);
}

bool IsChecked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

}  // namespace

void InitDbSourceControls(HWND dialog, const CLabelSetup* setup, const CField& field) {
  if (::SendDlgItemMessageW(dialog, IDC_DS_DB_SOURCE, CB_GETCOUNT, 0, 0) <= 0)
    for (const NamedValue& source : LikelyUsedDbSources())
      AddComboText(dialog, IDC_DS_DB_SOURCE, source.text, source.value);
  if (!field.dbSource.IsEmpty() && SelectComboStringExact(dialog, IDC_DS_DB_SOURCE, field.dbSource.GetData(), -1) < 0) {
    const int isFileDsn = IsFileDsnName(field.dbSource) ? 1 : 0;
    const int index = AddComboText(dialog, IDC_DS_DB_SOURCE, field.dbSource, isFileDsn);
    ::SendDlgItemMessageW(dialog, IDC_DS_DB_SOURCE, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    RememberDbSource(field.dbSource, isFileDsn);
  }
  if (field.dbSource.IsEmpty() && GetComboSel(dialog, IDC_DS_DB_SOURCE) < 0)
    ::SendDlgItemMessageW(dialog, IDC_DS_DB_SOURCE, CB_SETCURSEL, 0, 0);
  FillDbTableCombo(dialog, setup, field);
  FillAlignmentCombo(dialog, IDC_DS_DB_ALIGN, field);
  if (::GetWindowTextLengthW(::GetDlgItem(dialog, IDC_DS_DB_PROMPT)) == 0)
    SetItemFieldText(dialog, IDC_DS_DB_PROMPT, field.prompt);
  if (::GetWindowTextLengthW(::GetDlgItem(dialog, IDC_DS_DB_MAX)) == 0)
    ::SetDlgItemInt(dialog, IDC_DS_DB_MAX, std::max<int>(field.maxChars, 1), TRUE);
}

void FillDbTableCombo(HWND dialog, const CLabelSetup* setup, const CField& field) {
  ::SendDlgItemMessageW(dialog, IDC_DS_DB_TABLE, CB_RESETCONTENT, 0, 0);
  AString source;
  int isFileDsn = 0;
  if (!SelectedSource(dialog, &source, &isFileDsn)) {
    ShowDlgItem(dialog, IDC_DS_RECORDS, SW_HIDE);
    FillDbColumnList(dialog, {}, AString());
    // No source yet: the key controls still follow the linked-key box, so
    // the linked key's note does not stand over the length row.
    SetupDbKeyControls(dialog, setup, AString(), AString(), {});
    return;
  }
  ShowDlgItem(dialog, IDC_DS_RECORDS, SW_SHOWNA);
  AArray<AString> tables;
  // A source that leaves its password out asks for it once per run.
  COdbcConnection connection;
  if (ConnectDataSourceAsking(CWnd::FromHandle(dialog), source, isFileDsn != 0, &connection))
    ListDbTableNames(source, isFileDsn != 0, &tables);
  for (int i = 0; i < tables.GetSize(); ++i) AddComboText(dialog, IDC_DS_DB_TABLE, tables[i], 0);
  SelectComboStringExact(dialog, IDC_DS_DB_TABLE, field.dbTable.GetData(), tables.GetSize() > 0 ? 0 : -1);
  AString table;
  GetComboSelText(dialog, IDC_DS_DB_TABLE, &table);
  ListColumns(dialog, setup, field, source, isFileDsn, table);
}

void FillDbColumnCombo(HWND dialog, const CLabelSetup* setup, const CField& field) {
  AString source, table;
  int isFileDsn = 0;
  if (!SelectedSource(dialog, &source, &isFileDsn)) return;
  GetComboSelText(dialog, IDC_DS_DB_TABLE, &table);
  ListColumns(dialog, setup, field, source, isFileDsn, table);
}

void FillDbColumnList(HWND dialog, const std::vector<DbColumnInfo>& columns, const AString& selectName) {
  ::SendDlgItemMessageW(dialog, IDC_DS_DB_COLUMN, CB_RESETCONTENT, 0, 0);
  for (const DbColumnInfo& column : columns) AddComboText(dialog, IDC_DS_DB_COLUMN, column.name, column.sqlType);
  SelectComboStringExact(dialog, IDC_DS_DB_COLUMN, selectName.GetData(), columns.empty() ? -1 : 0);
}

int SetupDbKeyControls(HWND dialog, const CLabelSetup* setup, const AString& source, const AString& table,
                       const std::vector<DbColumnInfo>& columns) {
  CDbBinding binding;
  const bool found =
      setup && FindDbBinding(const_cast<CDbBindingMap&>(setup->dbBindings), source, table, &binding) != 0;
  AString keyColumn, keyValue;
  bool checked = false;
  if (found) {
    keyColumn = binding.keyColumn;
    keyValue = binding.keyValueText;
    checked = binding.useLinkedKeyValue != 0;
    if (checked) ::CheckDlgButton(dialog, IDC_DS_DB_LINKED_KEY, BST_CHECKED);
  } else {
    checked = IsChecked(dialog, IDC_DS_DB_LINKED_KEY);
    keyColumn = columns.empty() ? AString() : columns.front().name;
    keyValue = columns.empty() ? table : columns.front().name;
  }
  if (found && checked) SetItemFieldText(dialog, IDC_DS_DB_KEY_VALUE, keyValue);
  ShowLinkedKeyControls(dialog, checked);
  ::SendDlgItemMessageW(dialog, IDC_DS_DB_KEY, CB_RESETCONTENT, 0, 0);
  for (const DbColumnInfo& column : columns) AddComboText(dialog, IDC_DS_DB_KEY, column.name, column.sqlType);
  SelectComboStringExact(dialog, IDC_DS_DB_KEY, keyColumn.GetData(), columns.empty() ? -1 : 0);
  return 1;
}

void ShowLinkedKeyControls(HWND dialog, bool linked) {
  ShowDlgItem(dialog, IDC_DS_DB_KEY_VALUE, linked ? SW_SHOWNA : SW_HIDE);
  ShowDlgItem(dialog, IDC_DS_DB_PROMPT, linked ? SW_HIDE : SW_SHOWNA);
  for (const int id : {IDC_DS_KEY_VALUE_CAPTION, IDC_DS_KEY_VALUE_NOTE}) ShowDlgItem(dialog, id, linked ? SW_SHOWNA : SW_HIDE);
  SetPromptCaption(dialog, linked);
}

int StoreDbBindingFromPage(HWND dialog, CLabelSetup* setup, const CField& field) {
  if (!setup) return 1;
  AString keyColumn;
  GetComboSelText(dialog, IDC_DS_DB_KEY, &keyColumn);
  keyColumn.Truncate(std::min(keyColumn.GetLength(), 255));
  CDbBinding binding;
  FindDbBinding(setup->dbBindings, field.dbSource, field.dbTable, &binding);
  binding.useLinkedKeyValue = IsChecked(dialog, IDC_DS_DB_LINKED_KEY) ? 1 : 0;
  if (binding.useLinkedKeyValue) {
    binding.keyValueText = GetItemWideText(dialog, IDC_DS_DB_KEY_VALUE);
  } else {
    GetFieldData(binding.keyValueText, field);
  }
  binding.keyColumn = keyColumn;
  binding.keyColumnType = static_cast<int32_t>(GetComboSelData(dialog, IDC_DS_DB_KEY, 12));
  setup->dbBindings.SetAt(MakeDbBindingKey(field.dbSource, field.dbTable), binding);
  return 1;
}

int ApplyDbFieldSelection(HWND dialog, CLabelSetup* setup, CField& field) {
  AString source, table;
  int isFileDsn = 0;
  // A missing source or table is named as such.
  const bool hasSource = SelectedSource(dialog, &source, &isFileDsn);
  if (!hasSource || !GetComboSelText(dialog, IDC_DS_DB_TABLE, &table)) {
    UiMessageBox(CWnd::FromHandle(dialog), 50050, kMsgBoxOk, false, TranslateUiString(hasSource ? "Table" : "Data Source"));
    ::SetFocus(::GetDlgItem(dialog, hasSource ? IDC_DS_DB_TABLE : IDC_DS_DB_SOURCE));
    return 0;
  }
  field.dbSource = source;
  field.dbTable = table;
  AString column;
  GetComboSelText(dialog, IDC_DS_DB_COLUMN, &column);
  field.dbColumn = column;
  field.dbColumnType = static_cast<int32_t>(GetComboSelData(dialog, IDC_DS_DB_COLUMN, 0));
  field.anchor = static_cast<int16_t>(GetAlignmentChoice(dialog, IDC_DS_DB_ALIGN));
  const bool linked = IsChecked(dialog, IDC_DS_DB_LINKED_KEY);
  field.prompt = GetItemWideText(dialog, linked ? IDC_DS_DB_KEY_VALUE : IDC_DS_DB_PROMPT);
  if (HWND max = ::GetDlgItem(dialog, IDC_DS_DB_MAX); max && (::GetWindowLongW(max, GWL_STYLE) & WS_VISIBLE)) {
    const int maximum = GetItemNumber(dialog, IDC_DS_DB_MAX, 0);
    if (maximum <= 0) {
      UiMessageBox(CWnd::FromHandle(dialog), 50058, kMsgBoxOk, false, TranslateUiString("Max"));
      ::SetFocus(max);
      return 0;
    }
    field.maxChars = static_cast<int16_t>(std::min(maximum, 32767));
  }
  return StoreDbBindingFromPage(dialog, setup, field);
}

int AddDbSourceFromDialog(HWND dialog, const CLabelSetup* setup, const CField& field) {
  CSelectDataSourceDlg choose(CWnd::FromHandle(dialog));
  if (choose.DoModal() != IDOK || choose.m_chosenName.IsEmpty()) return 0;
  if (SelectComboStringExact(dialog, IDC_DS_DB_SOURCE, choose.m_chosenName.GetData(), -1) < 0) {
    RememberDbSource(choose.m_chosenName, choose.m_chosenKind);
    const int index = AddComboText(dialog, IDC_DS_DB_SOURCE, choose.m_chosenName, choose.m_chosenKind);
    ::SendDlgItemMessageW(dialog, IDC_DS_DB_SOURCE, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  FillDbTableCombo(dialog, setup, field);
  return 1;
}

int ShowDbRecords(HWND dialog, CLabelSetup* setup, const CField& field) {
  // The records of the source and table chosen now, not yet stored.
  std::unique_ptr<CField> shown = NewFieldOfKind(field.kind);
  if (!shown) return 0;
  shown->CopyFrom(&field, 0);
  int isFileDsn = 0;
  if (!SelectedSource(dialog, &shown->dbSource, &isFileDsn) || !GetComboSelText(dialog, IDC_DS_DB_TABLE, &shown->dbTable))
    return 0;
  GetComboSelText(dialog, IDC_DS_DB_COLUMN, &shown->dbColumn);
  CLabelSetup none;
  CDbRecordSelectDlg records(CWnd::FromHandle(dialog));
  records.m_viewMode = true;
  records.m_setup = setup ? setup : &none;
  records.m_field = shown.get();
  records.m_fields = {shown.get()};
  return records.DoModal() == IDOK ? 1 : 0;
}
