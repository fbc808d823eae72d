#include "datasource/ui/select_source/password_prompt.h"

#include <algorithm>

#include "app/ui/ui_language.h"
#include "datasource/db_source_lists.h"
#include "datasource/ui/select_source/select_source_ids.h"
#include "datasource/ui/select_source/window_text.h"

CDataSourcePasswordDlg::CDataSourcePasswordDlg(CWnd* parent, const AString& source)
    : CSkinDialog(IDD_DATA_SOURCE_PASSWORD, parent), source_(source) {}

CDataSourcePasswordDlg::~CDataSourcePasswordDlg() { std::fill(password_.begin(), password_.end(), '\0'); }

BOOL CDataSourcePasswordDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  // A connection string shows without any password it holds.
  const bool connectString = GetDbSourceKind(source_, false) == DbSourceKind::kConnectString;
  const AString shown = connectString ? RemoveConnectStringPassword(source_.GetData()) : source_;
  Skin().SetDlgItemText(IDC_PASSWORD_SOURCE, shown.GetData());
  GotoDlgCtrl(GetDlgItem(IDC_PASSWORD_VALUE));
  return FALSE;
}

void CDataSourcePasswordDlg::OnOK() {
  password_ = WindowTextUtf8(::GetDlgItem(m_hWnd, IDC_PASSWORD_VALUE));
  CSkinDialog::OnOK();
}

int ConnectDataSourceAsking(CWnd* owner, const AString& name, bool isFileDsn, COdbcConnection* connection) {
  if (ConnectDataSource(name, isFileDsn, connection)) return 1;
  while (NeedsDataSourcePassword(name, *connection)) {
    CDataSourcePasswordDlg ask(owner, name);
    if (ask.DoModal() != IDOK) return 0;
    COdbcConnection given;
    if (ConnectDataSourceWithPassword(name, ask.Password().c_str(), &given)) {
      // The run's cache now holds the completed string: connect through it.
      connection->Disconnect();
      return ConnectDataSource(name, isFileDsn, connection);
    }
    connection->SetErrorText(given.GetErrorText());
  }
  return 0;
}
