#include "datasource/ui/select_source/add_data_source_dlg.h"

#include <algorithm>
#include <vector>

#include "app/ui/msg_box.h"
#include "app/ui/ui_language.h"
#include "datasource/db_source_lists.h"
#include "datasource/odbc_connection.h"
#include "datasource/ui/select_source/select_source_ids.h"
#include "datasource/ui/select_source/window_text.h"

namespace {

// Characters a data source name may not hold (the driver manager's rule).
constexpr const char* kNameForbidden = "[]{}(),;?*=!@\\";

}  // namespace

BEGIN_MESSAGE_MAP(CAddDataSourceDlg, CSkinDialog)
  ON_CBN_SELCHANGE(IDC_ADD_DRIVER, OnDriverChange)
  ON_BN_CLICKED(IDC_ADD_TEST, OnTest)
END_MESSAGE_MAP()

CAddDataSourceDlg::CAddDataSourceDlg(CWnd* parent) : CSkinDialog(IDD_ADD_DATA_SOURCE, parent) {}

CAddDataSourceDlg::~CAddDataSourceDlg() = default;

BOOL CAddDataSourceDlg::OnInitDialog() {
  CSkinDialog::OnInitDialog();
  HWND drivers = ::GetDlgItem(m_hWnd, IDC_ADD_DRIVER);
  for (const std::string& driver : InstalledOdbcDrivers())
    ::SendMessageA(drivers, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(driver.c_str()));
  ::SendMessageA(drivers, CB_SETCURSEL, 0, 0);
  OnDriverChange();
  return TRUE;
}

std::string CAddDataSourceDlg::ItemUtf8(int id) const { return WindowTextUtf8(::GetDlgItem(m_hWnd, id)); }

std::string CAddDataSourceDlg::Driver() const {
  HWND drivers = ::GetDlgItem(m_hWnd, IDC_ADD_DRIVER);
  const auto selection = static_cast<int>(::SendMessageA(drivers, CB_GETCURSEL, 0, 0));
  if (selection < 0) return {};
  char name[512] = {};
  ::SendMessageA(drivers, CB_GETLBTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(name));
  return name;
}

OdbcKeyValues CAddDataSourceDlg::Keys() const {
  OdbcKeyValues keys;
  for (int row = 0; row < ADD_DATA_SOURCE_ROWS; ++row) {
    std::string key = ItemUtf8(IDC_ADD_KEY_FIRST + row);
    key.erase(0, key.find_first_not_of(' '));
    key.erase(key.find_last_not_of(' ') + 1);
    if (!key.empty()) keys.emplace_back(key, ItemUtf8(IDC_ADD_VALUE_FIRST + row));
  }
  return keys;
}

std::string CAddDataSourceDlg::Password() const { return ItemUtf8(IDC_ADD_PASSWORD); }

void CAddDataSourceDlg::OnDriverChange() {
  // The driver's usual keys fill the first rows; values typed for a key
  // that stays are kept.
  const OdbcKeyValues typed = Keys();
  const std::vector<std::string> usual = UsualOdbcKeys(Driver());
  for (int row = 0; row < ADD_DATA_SOURCE_ROWS; ++row) {
    const bool hasKey = row < static_cast<int>(usual.size());
    const std::string key = hasKey ? usual[static_cast<size_t>(row)] : std::string();
    std::string value;
    for (const auto& [k, v] : typed)
      if (k == key) value = v;
    ::SetDlgItemTextA(m_hWnd, IDC_ADD_KEY_FIRST + row, key.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_ADD_VALUE_FIRST + row, value.c_str());
  }
}

void CAddDataSourceDlg::Tell(const AString& text, bool translate) {
  ShowMsgBoxDlg(this, translate ? TranslateUiString(text.GetData()) : text, kMsgBoxOk, 1, -1,
                TranslateUiString("Add Data Source"));
}

void CAddDataSourceDlg::OnTest() {
  std::string password = Password();
  const std::string text = BuildOdbcConnectString(Driver(), Keys(), password);
  std::fill(password.begin(), password.end(), '\0');
  COdbcConnection connection;
  if (connection.DriverConnect(text.c_str())) {
    Tell(AString("The connection succeeded"), true);
    return;
  }
  // The driver's own diagnostic, as it gave it.
  Tell(connection.GetErrorText(), false);
}

void CAddDataSourceDlg::OnOK() {
  const std::string name = ItemUtf8(IDC_ADD_NAME);
  if (name.empty() || name.find_first_of(kNameForbidden) != std::string::npos || name.front() == ' ') {
    Tell(AString("The name of a data source must not be empty nor hold brackets, braces, parentheses, commas, semicolons, question marks, asterisks, equals signs, exclamation marks, at signs or backslashes"), true);
    GotoDlgCtrl(GetDlgItem(IDC_ADD_NAME));
    return;
  }
  if (Driver().empty()) {
    Tell(AString("No ODBC driver is installed"), true);
    return;
  }
  std::string error;
  if (!WriteUserDataSource(name, Driver(), Keys(), &error)) {
    Tell(AString(error.c_str()), false);
    return;
  }
  m_name = AString(name.c_str());
  // A password typed here serves this run's connections; no file keeps it.
  std::string password = Password();
  if (!password.empty()) {
    COdbcConnection connection;
    ConnectDataSourceWithPassword(m_name, password.c_str(), &connection);
    std::fill(password.begin(), password.end(), '\0');
  }
  CSkinDialog::OnOK();
}
