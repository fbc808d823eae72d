// The databases of the ODBC tests: the test program's own driver and source
// lists (odbcinst.ini, odbc.ini), an SQLite file, and a PostgreSQL server of
// its own in a fresh temporary folder, reached only through a Unix socket
// there. The server starts when the first test asks for it and stops, with
// the whole folder removed, when the program ends.
#pragma once

#include <string>

namespace odbc_test {

inline constexpr const char* kSqliteDsn = "TavSqlite";
inline constexpr const char* kPgDsn = "TavPostgres";
// The same database with the rows fetched from the server as the cursor moves.
inline constexpr const char* kPgStreamedDsn = "TavPostgresStreamed";
inline constexpr const char* kPgRole = "tavuser";
inline constexpr const char* kPgPassword = "Pw-7Kq2-secret";
inline constexpr const char* kPgDatabase = "tavdb";

// Writes the ini files and points the driver manager at them (once, first);
// stops the server and removes the folder (once, last).
void SetUpOdbcSources();
void TearDownOdbcSources();

// The folder of this run (ini files, the SQLite file, the server's folder).
const std::string& Folder();
const std::string& SqliteFile();
// The server's socket folder; starts the server on the first call. Empty
// when it could not be started (the reason on stderr): tests then fail.
const std::string& PostgresSocketFolder();
// A DSN-less connection string of the PostgreSQL source with the password.
std::string PostgresConnectString();
// Runs a command, returns its standard output; *status gets its exit status.
std::string Run(const std::string& command, int* status = nullptr);
// Runs SQL through psql as the test role (unaligned, tuples only) or through
// the sqlite3 shell; returns the output.
std::string Psql(const std::string& sql);
std::string Sqlite(const std::string& sql);
// Runs SQL as the server's superuser.
std::string PsqlAdmin(const std::string& sql);

}  // namespace odbc_test
