// Add Data Source: a data source of an installed driver made in the
// designer (Debian's driver manager has no administrator window of its
// own): its name, the driver's usual keys and further key/value rows, a
// Test that connects and shows the driver's answer, and Save, which writes
// it to the user's odbc.ini without its password.
#pragma once

#include <string>

#include "app/ui/skin_dialog.h"
#include "datasource/ui/select_source/odbc_ini.h"
#include "foundation/string/astring.h"

class CAddDataSourceDlg : public CSkinDialog {
 public:
  explicit CAddDataSourceDlg(CWnd* parent);
  ~CAddDataSourceDlg() override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  // The data source saved (after OK).
  AString m_name;

 protected:
  void OnDriverChange();
  void OnTest();
  DECLARE_MESSAGE_MAP()

 private:
  std::string Driver() const;
  OdbcKeyValues Keys() const;
  std::string Password() const;
  std::string ItemUtf8(int id) const;
  void Tell(const AString& text, bool translate);
};
