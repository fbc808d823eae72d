// What the ODBC tests share: the two sources, one connection to each, the
// splitting of the command-line tools' output.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

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

// Statements are deleted through their connection.
struct StatementDeleter {
  COdbcConnection* connection;
  void operator()(COdbcStatement* s) const { connection->DeleteStatement(s); }
};
using StatementPtr = std::unique_ptr<COdbcStatement, StatementDeleter>;

inline StatementPtr Open(COdbcConnection& c, const std::string& sql, bool bindAsText) {
  return StatementPtr(c.OpenQuery(sql.c_str(), bindAsText), StatementDeleter{&c});
}

}  // namespace odbc_test
