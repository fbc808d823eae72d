// The password a data source leaves out: asked for when the driver refuses
// the login, used for the connection and kept for this run only (the
// connection-string cache), never written to a file.
#pragma once

#include <string>

#include "app/ui/skin_dialog.h"
#include "datasource/odbc_connection.h"
#include "foundation/string/astring.h"

class CDataSourcePasswordDlg : public CSkinDialog {
 public:
  CDataSourcePasswordDlg(CWnd* parent, const AString& source);
  ~CDataSourcePasswordDlg() override;
  BOOL OnInitDialog() override;
  void OnOK() override;

  // The typed password, until the dialog goes (then overwritten).
  const std::string& Password() const { return password_; }

 private:
  AString source_;
  std::string password_;
};

// Connects to the source; when the login is refused for want of a
// password, asks for it (again after a refused one) until it connects or
// the user cancels. 1 when connected; 0 with the driver's reason in the
// connection's error text.
int ConnectDataSourceAsking(CWnd* owner, const AString& name, bool isFileDsn, COdbcConnection* connection);
