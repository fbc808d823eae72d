// The driver manager's installer library: the installed drivers, the keys a
// driver's data sources usually take, and a data source written to the
// user's odbc.ini (never with a password).
#pragma once

#include <string>
#include <utility>
#include <vector>

using OdbcKeyValues = std::vector<std::pair<std::string, std::string>>;

// The drivers of odbcinst.ini, in its order.
std::vector<std::string> InstalledOdbcDrivers();
// The driver's library (its "Driver" key); empty when it names none.
std::string OdbcDriverLibrary(const std::string& driver);
// The keys a data source of the driver usually takes: the database file for
// SQLite; server, port, database and user for PostgreSQL; none otherwise.
std::vector<std::string> UsualOdbcKeys(const std::string& driver);
// Whether a key names a password (PWD, PASSWORD; any case).
bool IsPasswordKey(const std::string& key);

// Writes the data source to the user's odbc.ini: its driver and every key
// but a password. Returns true when written; else false with the
// installer's message in *error.
bool WriteUserDataSource(const std::string& name, const std::string& driver, const OdbcKeyValues& keys,
                         std::string* error);
// The connection string of a driver and keys ("DRIVER={...};key=value..."),
// with the password when one is given; values braced when they need it.
std::string BuildOdbcConnectString(const std::string& driver, const OdbcKeyValues& keys, const std::string& password);
