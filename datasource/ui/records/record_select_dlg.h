// Database Record Select: the records of a Database field's table in the
// grid, in the order of its binding's key column. The grid is virtual: it
// asks for the cells it shows, and the dialog reads them a window at a time
// (only a bounded number of rows is held, however long the table);
// in selection mode each record gets a quantity (labels to print), stored
// as the binding's selection on OK. In view mode ("Database View") the
// table is only browsed.
#pragma once

#include <memory>
#include <vector>

#include "app/ui/skin_dialog.h"
#include "datasource/db_source_lists.h"
#include "datasource/odbc_connection.h"
#include "datasource/ui/records/record_quantities.h"
#include "datasource/ui/records/record_rows.h"
#include "fields/model/field.h"
#include "fields/services/label_setup.h"
#include "grid/grid_ctrl.h"

class CDbRecordSelectDlg : public CSkinDialog {
 public:
  explicit CDbRecordSelectDlg(CWnd* parent);
  ~CDbRecordSelectDlg() override;

  // Set by the opener.
  bool m_viewMode = false;
  CLabelSetup* m_setup = nullptr;
  const CField* m_field = nullptr;
  std::vector<const CField*> m_fields;

  // After OK in selection mode: the records chosen and their labels.
  int m_records = 0;
  int m_totalQuantity = 0;

  BOOL OnInitDialog() override;
  void OnOK() override;

  // For the tests and the prompt list: the grid, the records of the query,
  // the quantity of record r (1-based).
  CGridCtrl& Grid() { return grid_; }
  long long RecordCount() const { return recordCount_; }
  int Quantity(int record) const;
  // Rows held now (the others are read when shown).
  int LoadedRows() const;
  // Windows of rows read from the database so far.
  long long RowReads() const { return rows_.Reads(); }

 protected:
  LRESULT OnLoadRows(WPARAM firstRow, LPARAM lastRow);
  void OnGridCacheHint(NMHDR* header, LRESULT* result);
  void OnGridSetText(NMHDR* header, LRESULT* result);
  LRESULT OnRowAction(WPARAM row, LPARAM);
  void OnGridSelChanged(NMHDR* header, LRESULT* result);
  void OnGridEndEdit(NMHDR* header, LRESULT* result);
  void OnGridDoubleClick(NMHDR* header, LRESULT* result);
  void OnSearch();
  void OnSelectAll();
  void OnClearAll();
  void OnSetQuantity();
  void OnShowAllFields();
  DECLARE_MESSAGE_MAP()

 private:
  bool OpenQuery(AString* why);
  void SetUpGrid();
  // The binding's earlier choice shown in the quantity column.
  void ShowEarlierChoice();
  // The key values of the chosen records (in place order), for a binding
  // ordered by keyColumn; the columns they are taken from.
  std::vector<AString> KeyChosenRecords(const AString& keyColumn, CSelRecordArray* chosen);
  void LoadRows(long long first, long long count);
  // The grid's cells: headings, quantities and the held rows' values.
  static BOOL CellFor(GridDispInfo* info, LPARAM dialog);
  void FillCell(GridItem& item);
  void SetQuantity(int record, int quantity);
  void ShowColumnWidths();
  void RefreshCounters();
  void SelectRecordRow(int row);
  int QuantityColumn() const { return m_viewMode ? -1 : 0; }
  int FirstDataColumn() const { return m_viewMode ? 0 : 1; }

  CGridCtrl grid_;
  std::unique_ptr<COdbcConnection> connection_;
  RecordRows rows_;
  std::vector<DbColumnInfo> columns_;
  std::vector<AString> used_;
  AString keyColumn_;
  long long recordCount_ = 0;
  int columnCount_ = 0;
  RecordQuantities quantities_;
  bool showAllFields_ = false;
};
