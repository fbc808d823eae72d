#include "datasource/db_source_lists.h"

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include "datasource/data_folders.h"
#include "datasource/odbc_statement.h"
#include "datasource/replace_file.h"
#include "datasource/text_mode.h"
#include "foundation/util/file_io.h"
#include "platform/kernel/byte_reader.h"

namespace {

constexpr const char* kSourceListFile = "DbLst.bin";
constexpr const char* kFileDsnListFile = "DbFDsnLst.bin";
constexpr int kLineLimit = 1023;

std::string Std(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }
AString FromStd(const std::string& s) { return AString(static_cast<int>(s.size()), s.data()); }

std::map<std::string, std::string>& ConnectStringCache() {
  static std::map<std::string, std::string> cache;
  return cache;
}

// The completed strings of the PostgreSQL sources read with a cursor on the
// server, by name: a print job connects once.
std::map<std::string, std::string>& StreamingConnectStrings() {
  static std::map<std::string, std::string> cache;
  return cache;
}

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFF));
}

// One key=value pair of a connection string.
struct ConnectPair {
  std::string key;
  std::string value;     // braces removed, "}}" read as "}"
  std::string original;  // the pair as it stood
};

std::vector<ConnectPair> SplitConnectString(const char* text) {
  std::vector<ConnectPair> pairs;
  const std::string s = text ? text : "";
  size_t i = 0;
  while (i < s.size()) {
    const size_t start = i;
    const size_t eq = s.find('=', i);
    if (eq == std::string::npos) break;
    ConnectPair p;
    p.key = s.substr(i, eq - i);
    p.key.erase(0, p.key.find_first_not_of(' '));
    p.key.erase(p.key.find_last_not_of(' ') + 1);
    i = eq + 1;
    if (i < s.size() && s[i] == '{') {
      ++i;
      while (i < s.size()) {
        if (s[i] == '}') {
          if (i + 1 < s.size() && s[i + 1] == '}') {
            p.value += '}';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        p.value += s[i++];
      }
      while (i < s.size() && s[i] != ';') ++i;
    } else {
      const size_t end = s.find(';', i);
      p.value = s.substr(i, end == std::string::npos ? std::string::npos : end - i);
      i = end == std::string::npos ? s.size() : end;
    }
    p.original = s.substr(start, i - start);
    if (i < s.size() && s[i] == ';') ++i;
    pairs.push_back(std::move(p));
  }
  return pairs;
}

}  // namespace

std::vector<NamedValue>& LikelyUsedDbSources() {
  static std::vector<NamedValue> list;
  return list;
}

AArray<AString>& FileDsnList() {
  static AArray<AString> list;
  return list;
}

void RememberDbSource(const AString& name, int isFileDsn) {
  if (name.IsEmpty()) return;
  auto& list = LikelyUsedDbSources();
  for (const NamedValue& v : list) {
    if (v.text == name) return;
  }
  list.push_back(NamedValue{name, isFileDsn ? 1 : 0});
  if (isFileDsn) {
    AArray<AString>& files = FileDsnList();
    for (int i = 0; i < files.GetSize(); ++i) {
      if (files[i] == name) return;
    }
    files.Add(name);
  }
}

std::vector<uint8_t> DbSourceListBytes(const std::vector<NamedValue>& list) {
  std::vector<uint8_t> out;
  const auto named = std::count_if(list.begin(), list.end(), [](const NamedValue& v) { return !v.text.IsEmpty(); });
  const size_t count = std::min<size_t>(static_cast<size_t>(named), 0xFFFF);
  PutU16(out, static_cast<uint32_t>(count));
  size_t written = 0;
  for (const NamedValue& v : list) {
    if (v.text.IsEmpty() || written == count) continue;
    PutU32(out, static_cast<uint32_t>(v.text.GetLength()));
    out.insert(out.end(), v.text.GetData(), v.text.GetData() + v.text.GetLength());
    PutU32(out, static_cast<uint32_t>(v.value));
    ++written;
  }
  return out;
}

int ReadDbSourceListBytes(const std::vector<uint8_t>& bytes, std::vector<NamedValue>* list) {
  ByteReader in(bytes.data(), bytes.size());
  const uint16_t count = in.U16();
  if (!in.ok()) return 0;
  int added = 0;
  for (uint16_t i = 0; i < count && in.HasMore(4); ++i) {
    const int32_t length = in.I32();
    AString name;
    if (length > 0) {
      if (!in.HasMore(static_cast<uint64_t>(length))) break;  // a length beyond the file ends the list
      const auto span = in.Bytes(static_cast<uint64_t>(length));
      name = AString(static_cast<int>(span.size()), reinterpret_cast<const char*>(span.data()));
    }
    const int32_t flag = in.I32();
    if (!in.ok()) break;
    if (name.IsEmpty()) continue;
    list->push_back(NamedValue{name, flag});
    ++added;
  }
  return added;
}

int LoadDbSourceLists() {
  const AString folder = GetDataFolder(DataFolder::kDbLists);
  int loaded = 0;
  int size = 0;
  if (auto bytes = ReadWholeFile((folder + kSourceListFile).GetData(), &size)) {
    ReadDbSourceListBytes(std::vector<uint8_t>(bytes.get(), bytes.get() + size), &LikelyUsedDbSources());
    loaded = 1;
  }
  if (auto bytes = ReadWholeFile((folder + kFileDsnListFile).GetData(), &size)) {
    const std::vector<uint8_t> stream = FromTextMode(bytes.get(), static_cast<size_t>(size));
    ByteReader in(stream.data(), stream.size());
    const uint32_t count = in.U32();
    if (in.ok()) {
      AArray<AString>& files = FileDsnList();
      files.RemoveAll();
      const std::string rest(reinterpret_cast<const char*>(stream.data()) + 4, stream.size() - 4);
      size_t at = 0;
      for (uint32_t line = 0; line < count && at < rest.size(); ++line) {
        size_t end = rest.find('\n', at);
        if (end == std::string::npos) end = rest.size();
        std::string text = rest.substr(at, std::min<size_t>(end - at, kLineLimit));
        at = end + 1;
        text.erase(text.find_last_not_of("\r\n \t") + 1);
        if (!text.empty()) files.Add(FromStd(text));
      }
    }
  }
  return loaded;
}

int SaveDbSourceLists() {
  const AString folder = GetDataFolder(DataFolder::kDbLists);
  const std::vector<uint8_t> list = DbSourceListBytes(LikelyUsedDbSources());
  const int saved = ReplaceFileWithBytes((folder + kSourceListFile).GetData(), list);
  std::vector<uint8_t> stream;
  const AArray<AString>& files = FileDsnList();
  PutU32(stream, static_cast<uint32_t>(files.GetSize()));
  for (int i = 0; i < files.GetSize(); ++i) {
    if (files[i].IsEmpty()) continue;
    stream.insert(stream.end(), files[i].GetData(), files[i].GetData() + files[i].GetLength());
    stream.push_back('\r');
    stream.push_back('\n');
  }
  ReplaceFileWithBytes((folder + kFileDsnListFile).GetData(), ToTextMode(stream));
  return saved;
}

DbSourceKind GetDbSourceKind(const AString& name, bool isFileDsn) {
  const int equals = name.Find('=');
  if (equals > 0) {
    const AString key = name.Left(equals);
    if (key.Find('/') < 0 && key.Find('\\') < 0) return DbSourceKind::kConnectString;
  }
  if (isFileDsn || name.Find('/') >= 0 || name.Find('\\') >= 0) return DbSourceKind::kFileDsn;
  return DbSourceKind::kDsn;
}

bool IsFileDsnName(const AString& name) { return GetDbSourceKind(name, false) == DbSourceKind::kFileDsn; }

int ListOdbcDataSources(AArray<AString>* names) {
  if (!names) return 0;
  COdbcConnection connection;
  char name[512] = {};
  if (!connection.GetFirstDataSource(name, sizeof name)) return names->GetSize();
  names->RemoveAll();
  do {
    names->Add(AString(name));
  } while (connection.GetNextDataSource(name, sizeof name));
  return names->GetSize();
}

namespace {

bool HoldsPassword(const char* connectString) {
  return GetConnectStringValue(connectString, "PWD", nullptr) || GetConnectStringValue(connectString, "PASSWORD", nullptr);
}

// The driver's refusal of a login: SQL state 28000, or a server's own words
// for a missing or wrong password.
bool IsLoginRefusal(const AString& errorText) {
  AString text = errorText;
  text.MakeLower();
  return text.Find("state = 28") >= 0 || text.Find("password") >= 0;
}

}  // namespace

int ConnectDataSource(const AString& name, bool isFileDsn, COdbcConnection* connection) {
  if (!connection) return 0;
  auto& cache = ConnectStringCache();
  const auto cached = cache.find(Std(name));
  std::string text;
  if (cached != cache.end()) {
    text = cached->second;
  } else {
    switch (GetDbSourceKind(name, isFileDsn)) {
      case DbSourceKind::kConnectString: text = Std(name); break;
      case DbSourceKind::kFileDsn: text = "FILEDSN=" + Std(name); break;
      case DbSourceKind::kDsn: text = "DSN=" + Std(name); break;
    }
  }
  if (!connection->DriverConnect(text.c_str())) {
    if (NeedsDataSourcePassword(name, *connection)) {
      connection->SetErrorText("The password of this data source is not stored: it has to be given again.\n" +
                               connection->GetErrorText());
    }
    return 0;
  }
  cache[Std(name)] = connection->GetCompletedConnectString();
  return 1;
}

bool NeedsDataSourcePassword(const AString& name, const COdbcConnection& failed) {
  // A data source of the lists may leave its password out as well (the
  // designer's own Add Data Source never writes one).
  if (GetDbSourceKind(name, false) == DbSourceKind::kConnectString && HoldsPassword(name.GetData())) return false;
  return IsLoginRefusal(failed.GetErrorText());
}

int ConnectDataSourceWithPassword(const AString& name, const char* password, COdbcConnection* connection) {
  if (!connection || name.IsEmpty()) return 0;
  std::string base;
  switch (GetDbSourceKind(name, false)) {
    case DbSourceKind::kConnectString: base = Std(name); break;
    case DbSourceKind::kFileDsn: base = "FILEDSN=" + Std(name); break;
    case DbSourceKind::kDsn: base = "DSN=" + Std(name); break;
  }
  const AString text = SetConnectStringValue(base.c_str(), "PWD", password ? password : "");
  if (!connection->DriverConnect(text.GetData())) return 0;
  ConnectStringCache()[Std(name)] = connection->GetCompletedConnectString();
  return 1;
}

namespace {

// The settings that make a driver hand over a forward-only result as it is
// read instead of reading all of it first, by the driver's library name.
struct StreamingSetting {
  const char* driver;
  const char* key;
  const char* value;
};
constexpr StreamingSetting kStreamingSettings[] = {
    // PostgreSQL: a cursor on the server, fetched a thousand rows at a time.
    {"psqlodbc", "UseDeclareFetch", "1"},
    {"psqlodbc", "Fetch", "1000"},
    // SQLite: each row stepped to as it is fetched.
    {"sqlite3odbc", "StepAPI", "1"},
};

}  // namespace

int ConnectDataSourceForReading(const AString& name, COdbcConnection* connection) {
  if (!connection) return 0;
  auto& streaming = StreamingConnectStrings();
  const auto known = streaming.find(Std(name));
  if (known != streaming.end() && connection->DriverConnect(known->second.c_str())) return 1;
  if (!ConnectDataSource(name, IsFileDsnName(name), connection)) return 0;
  AString driver = connection->GetDriverName();
  driver.MakeLower();
  const std::string completed = connection->GetCompletedConnectString();
  AString streamed = FromStd(completed);
  for (const StreamingSetting& setting : kStreamingSettings) {
    if (driver.Find(setting.driver) >= 0) streamed = SetConnectStringValue(streamed.GetData(), setting.key, setting.value);
  }
  if (Std(streamed) == completed) return 1;
  if (connection->DriverConnect(streamed.GetData())) {
    streaming[Std(name)] = connection->GetCompletedConnectString();
    return 1;
  }
  return connection->DriverConnect(completed.c_str());
}

int ResolveDsnConnectString(const AString& name, bool isFileDsn, AString* connectString) {
  auto& cache = ConnectStringCache();
  const auto cached = cache.find(Std(name));
  if (cached != cache.end()) {
    if (connectString) *connectString = FromStd(cached->second);
    return 1;
  }
  COdbcConnection connection;
  if (!ConnectDataSource(name, isFileDsn, &connection)) return 0;
  if (connectString) *connectString = connection.GetCompletedConnectString();
  return 1;
}

int ConnectAndRememberDataSource(const AString& connectString, AString* name, int* isFileDsn) {
  COdbcConnection connection;
  if (!connection.DriverConnect(connectString.GetData())) return 0;
  const char* completed = connection.GetCompletedConnectString();
  AString value;
  AString chosen;
  int fileDsn = 0;
  if (GetConnectStringValue(completed, "FILEDSN", &value)) {
    chosen = value;
    fileDsn = 1;
  } else if (GetConnectStringValue(completed, "DSN", &value) && !value.IsEmpty()) {
    chosen = value;
  } else {
    // A name is stored in fields, bindings and DbLst.bin: never a password.
    chosen = StoredConnectStringName(completed, connectString.GetData());
  }
  ConnectStringCache()[Std(chosen)] = completed;
  if (name) *name = chosen;
  if (isFileDsn) *isFileDsn = fileDsn;
  return 1;
}

int GetConnectStringValue(const char* text, const char* key, AString* value) {
  if (!key) return 0;
  for (const ConnectPair& p : SplitConnectString(text)) {
    if (strcasecmp(p.key.c_str(), key) == 0) {
      if (value) *value = FromStd(p.value);
      return 1;
    }
  }
  return 0;
}

namespace {

// The pairs of a connection string but those of the keys.
std::string WithoutKeys(const char* text, std::initializer_list<const char*> keys) {
  std::string out;
  for (const ConnectPair& p : SplitConnectString(text)) {
    if (std::any_of(keys.begin(), keys.end(), [&](const char* k) { return strcasecmp(p.key.c_str(), k) == 0; })) {
      continue;
    }
    if (!out.empty()) out += ';';
    out += p.original;
  }
  return out;
}

// key=value, the value braced (a '}' in it doubled) when it needs it.
std::string PairText(const char* key, const std::string& value) {
  std::string out = std::string(key) + '=';
  if (!value.empty() && value.find_first_of(";{}= ") == std::string::npos) return out + value;
  out += '{';
  for (char c : value) out += c == '}' ? std::string("}}") : std::string(1, c);
  return out + '}';
}

}  // namespace

AString SetConnectStringValue(const char* text, const char* key, const char* value) {
  std::string out = WithoutKeys(text, {key});
  if (!out.empty()) out += ';';
  return FromStd(out + PairText(key, value ? value : ""));
}

std::vector<std::pair<AString, AString>> SplitConnectStringPairs(const char* text) {
  std::vector<std::pair<AString, AString>> pairs;
  for (const ConnectPair& p : SplitConnectString(text)) pairs.emplace_back(FromStd(p.key), FromStd(p.value));
  return pairs;
}

AString RemoveConnectStringPassword(const char* text) { return FromStd(WithoutKeys(text, {"PWD", "PASSWORD"})); }

AString StoredConnectStringName(const char* completed, const char* given) {
  AString driver;
  if (GetConnectStringValue(completed, "DRIVER", nullptr) || !GetConnectStringValue(given, "DRIVER", &driver)) {
    return RemoveConnectStringPassword(completed);
  }
  // Some drivers complete the string without their own name (SQLite's gives
  // an empty DSN): the name then takes the driver the user gave, first, so
  // that a later run finds it.
  const std::string rest = WithoutKeys(completed, {"DRIVER", "DSN", "PWD", "PASSWORD"});
  return FromStd(PairText("DRIVER", Std(driver)) + (rest.empty() ? "" : ";" + rest));
}

int ListDbTableNames(const AString& source, bool isFileDsn, AArray<AString>* tables) {
  if (!tables) return 0;
  COdbcConnection connection;
  if (!ConnectDataSource(source, isFileDsn, &connection)) return 0;
  AString dbms = connection.GetDbmsName();
  dbms.MakeLower();
  const bool oracle = dbms.Find("oracle") >= 0;
  int excelVersion = 0;
  const bool newExcel = connection.IsExcel(&excelVersion) && excelVersion > 4;
  const char* types = newExcel ? "'TABLE','VIEW','SYSTEM TABLE','SYSTEM TABLES'" : "'TABLE','VIEW'";
  OdbcStatementPtr statement(
      oracle ? connection.OpenQuery("Select * From user_objects Where object_type IN ('TABLE', 'VIEW')", false)
             : connection.GetTables(nullptr, types),
      OdbcStatementDeleter{&connection});
  if (!statement || !statement->MoveFirst()) return 0;
  tables->RemoveAll();
  const int column = oracle ? 0 : 2;
  do {
    const char* name = statement->GetText(column);
    if (name) tables->Add(AString(name));
  } while (statement->MoveNext());
  return tables->GetSize();
}

int ListTableColumns(COdbcConnection& connection, const char* table, std::vector<DbColumnInfo>* columns) {
  if (!columns) return 0;
  OdbcStatementPtr statement(connection.GetColumns(table), OdbcStatementDeleter{&connection});
  if (!statement || !statement->MoveFirst()) return 0;
  columns->clear();
  do {
    DbColumnInfo info;
    const char* name = statement->GetText(3);
    info.name = name ? name : "";
    info.sqlType = static_cast<short>(statement->GetInt(4));
    info.columnSize = statement->GetInt(6);
    info.decimalDigits = static_cast<short>(statement->GetInt(8));
    info.displayWidth = GetSqlDisplayWidth(info.sqlType, info.columnSize);
    const bool listed = std::any_of(columns->begin(), columns->end(),
                                    [&](const DbColumnInfo& c) { return c.name == info.name; });
    if (!listed) columns->push_back(info);
  } while (statement->MoveNext());
  return static_cast<int>(columns->size());
}

int ListSourceColumns(COdbcConnection* connection, const AString& source, int isFileDsn, const char* table,
                      std::vector<DbColumnInfo>* columns) {
  if (!table || !columns) return 0;
  const bool fileDsn = isFileDsn < 0 ? IsFileDsnName(source) : isFileDsn != 0;
  std::unique_ptr<COdbcConnection> own;
  if (!connection) {
    own = std::make_unique<COdbcConnection>();
    connection = own.get();
  }
  if (!ConnectDataSource(source, fileDsn, connection)) return 0;
  return ListTableColumns(*connection, table, columns);
}

int GetSqlDisplayWidth(int sqlType, int size) {
  switch (sqlType) {
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
      return size == 0 ? 6144 : std::clamp(size, 2, 40);
    case SQL_NUMERIC:
    case SQL_DECIMAL:
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
      return 18;
    case SQL_INTEGER: return 11;
    case SQL_SMALLINT: return 6;
    case SQL_FLOAT:
    case SQL_DOUBLE:
      return 24;
    case SQL_REAL: return 14;
    case SQL_DATE:
    case SQL_TYPE_DATE:
      return 10;
    case SQL_TIME:
    case SQL_TYPE_TIME:
      return 8;
    case SQL_TIMESTAMP:
    case SQL_TYPE_TIMESTAMP:
      return 19;
    case SQL_BIT: return 1;
    case SQL_TINYINT: return 4;
    case SQL_BIGINT: return 20;
    default: return std::clamp(size, 16, 40);
  }
}
