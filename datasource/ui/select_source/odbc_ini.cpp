#include "datasource/ui/select_source/odbc_ini.h"

#include <strings.h>

#include <algorithm>
#include <array>

#include "datasource/odbc_api.h"

#define HWND odbc_HWND
#define LPWSTR odbc_LPWSTR
#define LPCWSTR odbc_LPCWSTR
#define WCHAR odbc_WCHAR
#include <odbcinst.h>
#undef HWND
#undef LPWSTR
#undef LPCWSTR
#undef WCHAR
#undef BOOL

namespace {

// The usual keys by the driver library's name.
struct DriverKeys {
  const char* library;  // a part of the library's file name
  std::array<const char*, 4> keys;
};
constexpr DriverKeys kDriverKeys[] = {
    {"sqlite", {"Database", nullptr, nullptr, nullptr}},
    {"psqlodbc", {"Servername", "Port", "Database", "Username"}},
};

std::string InstallerError() {
  DWORD code = 0;
  char message[512] = {};
  WORD length = 0;
  std::string text;
  for (WORD i = 1; i <= 8; ++i) {
    if (SQLInstallerError(i, &code, message, sizeof message, &length) != SQL_SUCCESS) break;
    if (!text.empty()) text += '\n';
    text += message;
  }
  return text.empty() ? std::string("The ODBC installer gave no reason.") : text;
}

// The user's odbc.ini for the installer calls of a scope, the mode as it
// was afterwards.
class UserConfigScope {
 public:
  UserConfigScope() {
    SQLGetConfigMode(&old_);
    SQLSetConfigMode(ODBC_USER_DSN);
  }
  ~UserConfigScope() { SQLSetConfigMode(old_); }
  UserConfigScope(const UserConfigScope&) = delete;
  UserConfigScope& operator=(const UserConfigScope&) = delete;

 private:
  UWORD old_ = ODBC_BOTH_DSN;
};

std::string Braced(const std::string& value) {
  if (!value.empty() && value.find_first_of(";{}= ") == std::string::npos) return value;
  std::string out = "{";
  for (const char c : value) out += c == '}' ? std::string("}}") : std::string(1, c);
  return out + "}";
}

}  // namespace

std::vector<std::string> InstalledOdbcDrivers() {
  std::vector<char> buffer(16384, '\0');
  WORD used = 0;
  std::vector<std::string> drivers;
  if (!SQLGetInstalledDrivers(buffer.data(), static_cast<WORD>(buffer.size()), &used)) return drivers;
  for (size_t i = 0; i < buffer.size() && buffer[i];) {
    const std::string name(buffer.data() + i);
    drivers.push_back(name);
    i += name.size() + 1;
  }
  return drivers;
}

std::string OdbcDriverLibrary(const std::string& driver) {
  char library[1024] = {};
  SQLGetPrivateProfileString(driver.c_str(), "Driver", "", library, sizeof library, "odbcinst.ini");
  return library;
}

std::vector<std::string> UsualOdbcKeys(const std::string& driver) {
  std::string library = OdbcDriverLibrary(driver);
  std::transform(library.begin(), library.end(), library.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const DriverKeys& row : kDriverKeys) {
    if (library.find(row.library) == std::string::npos) continue;
    std::vector<std::string> keys;
    for (const char* key : row.keys)
      if (key) keys.emplace_back(key);
    return keys;
  }
  return {};
}

bool IsPasswordKey(const std::string& key) {
  return strcasecmp(key.c_str(), "PWD") == 0 || strcasecmp(key.c_str(), "PASSWORD") == 0;
}

bool WriteUserDataSource(const std::string& name, const std::string& driver, const OdbcKeyValues& keys,
                         std::string* error) {
  UserConfigScope user;
  if (!SQLWriteDSNToIni(name.c_str(), driver.c_str())) {
    if (error) *error = InstallerError();
    return false;
  }
  for (const auto& [key, value] : keys) {
    if (key.empty() || IsPasswordKey(key)) continue;
    if (!SQLWritePrivateProfileString(name.c_str(), key.c_str(), value.c_str(), "odbc.ini")) {
      if (error) *error = InstallerError();
      return false;
    }
  }
  return true;
}

std::string BuildOdbcConnectString(const std::string& driver, const OdbcKeyValues& keys, const std::string& password) {
  std::string text = "DRIVER=" + Braced(driver);
  for (const auto& [key, value] : keys) {
    if (key.empty() || IsPasswordKey(key)) continue;
    text += ";" + key + "=" + Braced(value);
  }
  if (!password.empty()) text += ";PWD=" + Braced(password);
  return text;
}
