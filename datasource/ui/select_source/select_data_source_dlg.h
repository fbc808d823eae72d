// Select Data Source: the data sources of the user's and the system's ODBC
// lists and the remembered file data sources; Add Data Source makes a new
// one, Show Detail shows a source's connection string without its password,
// OK checks that the chosen source connects (asking for a password the
// source leaves out).
#pragma once

#include <vector>

#include "app/ui/skin_dialog.h"
#include "foundation/string/astring.h"

class CSelectDataSourceDlg : public CSkinDialog {
 public:
  explicit CSelectDataSourceDlg(CWnd* parent);
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
  DECLARE_MESSAGE_MAP()

 private:
  struct Row {
    AString shown;
    AString full;  // what the dialog connects with: a name or a file's path
    int kind = 0;
  };
  void FillRows();
  int AddRow(const AString& full, int kind);
  int SelectedRow() const;
  void SelectRow(int row);
  void ShowFullText();

  std::vector<Row> rows_;
};

// The text Show Detail gives for a connection string: one key=value per
// line, braced values whole, the PWD and PASSWORD pairs left out.
AString FormatConnectionDetail(const char* connectString);
