// Select Data Source: the data sources of the user's and the system's ODBC
// lists and the remembered file data sources; Add Data Source makes a new
// one, Show Detail shows a source's connection string without its password,
// OK checks that the chosen source connects (asking for a password the
// source leaves out). In list mode (Likely-Used Databases) the rows are the
// sources the database combos offer first: rows are added, deleted and
// sorted, and OK makes them the list.
#pragma once

#include <vector>

#include "app/ui/skin_dialog.h"
#include "foundation/string/astring.h"

class CSelectDataSourceDlg : public CSkinDialog {
 public:
  // dialogId 0: choose mode; else list mode on that template.
  explicit CSelectDataSourceDlg(CWnd* parent, UINT dialogId = 0);
  ~CSelectDataSourceDlg() override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  // After OK: the chosen source (empty when no row was selected) and its
  // kind (0 a data source by name, 1 a file data source).
  AString m_chosenName;
  int m_chosenKind = 0;

 protected:
  void OnAdd();
  void OnDetail();
  void OnSelectionChange();
  void OnRowDoubleClick();
  void OnDelete();
  void OnSort();
  DECLARE_MESSAGE_MAP()

 private:
  struct Row {
    AString shown;
    AString full;  // what the dialog connects with: a name or a file's path
    int kind = 0;
  };
  void FillRows();
  void FillLikelyRows();
  void ShowRows();
  int AddRow(const AString& full, int kind);
  int SelectedRow() const;
  void SelectRow(int row);
  void ShowFullText();

  std::vector<Row> rows_;
  bool listMode_ = false;
  bool sortedAscending_ = false;
};

// The Likely-Used Databases dialog as the application's command runs it:
// 1 when OK made its rows the list.
int RunLikelyDatabasesDialog(CWnd* parent);

// The text Show Detail gives for a connection string: one key=value per
// line, braced values whole, the PWD and PASSWORD pairs left out.
AString FormatConnectionDetail(const char* connectString);
