// What the ODBC tests share: the two sources, one connection to each, the
// splitting of the command-line tools' output.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "datasource/db_bindings.h"
#include "datasource/odbc_connection.h"
#include "datasource/odbc_statement.h"
#include "odbc_environment.h"

namespace odbc_test {

struct Source {
  const char* name;
  const char* dsn;
  bool postgres;
};

inline const Source kSources[] = {{"SQLite", kSqliteDsn, false}, {"PostgreSQL", kPgDsn, true}};

// A connection to the source; fails the test when it cannot be made.
inline std::unique_ptr<COdbcConnection> Connect(const Source& source) {
  if (source.postgres && PostgresSocketFolder().empty()) {
    ADD_FAILURE() << "the PostgreSQL test server did not start";
    return nullptr;
  }
  auto connection = std::make_unique<COdbcConnection>();
  if (!connection->Connect(source.dsn, nullptr, nullptr)) {
    ADD_FAILURE() << source.name << ": " << connection->GetErrorText().GetData();
    return nullptr;
  }
  return connection;
}

// The output of the command-line tool for the source.
inline std::string Cli(const Source& source, const std::string& sql) {
  return source.postgres ? Psql(sql) : Sqlite(sql);
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

using StatementDeleter = OdbcStatementDeleter;
using StatementPtr = OdbcStatementPtr;

inline StatementPtr Open(COdbcConnection& c, const std::string& sql, bool bindAsText) {
  return StatementPtr(c.OpenQuery(sql.c_str(), bindAsText), StatementDeleter{&c});
}

// Records 1 to count, each printed once.
inline CSelRecordArray FirstRecords(int count) {
  CSelRecordArray chosen;
  for (int i = 1; i <= count; ++i) chosen.push_back({i, 1, 0});
  return chosen;
}

// A job's binding map holding one table of a source, keyed by one column,
// with the records chosen; the run reads through it, and the bindings are
// closed when it goes. Open it with OpenDbBindings(map).
struct BoundTable {
  CDbBindingMap map;
  CDataRunContext run;
  AString key;
  BoundTable(const char* dsn, const char* table, const char* keyColumn, const CSelRecordArray& chosen)
      : key(MakeDbBindingKey(dsn, table)) {
    CDbBinding b;
    b.keyColumn = keyColumn;
    b.SetSelection(chosen);
    map.SetAt(key, b);
    run.bindings = &map;
  }
  ~BoundTable() { CloseDbBindings(map); }
  BoundTable(const BoundTable&) = delete;
  BoundTable& operator=(const BoundTable&) = delete;
  // The table's binding in the map (set more of it before opening).
  CDbBinding& Binding() { return *map.LookupPtr(key); }
};

}  // namespace odbc_test
