// The data sources the user has used (DbLst.bin and DbFDsnLst.bin in the
// lists folder), the connection strings the drivers completed this run, and
// the catalogue: data sources, tables, columns.
#pragma once

#include <utility>
#include <vector>

#include "datasource/odbc_connection.h"
#include "foundation/containers/aarray.h"
#include "foundation/containers/named_value.h"
#include "foundation/string/astring.h"

// One column of a table, as ListTableColumns gives it.
struct DbColumnInfo {
  AString name;
  short sqlType = 0;
  int columnSize = 0;
  int displayWidth = 0;
  short decimalDigits = 0;
};

// The process-wide lists.
std::vector<NamedValue>& LikelyUsedDbSources();  // name, 1 for a file DSN
AArray<AString>& FileDsnList();
// Adds a source to the likely-used list unless it is there already.
void RememberDbSource(const AString& name, int isFileDsn);

// Loads DbLst.bin and DbFDsnLst.bin from the lists folder, each on its own:
// 1 when DbLst.bin was read.
int LoadDbSourceLists();
// Saves both files, each through a temporary file and a rename: 1 when
// DbLst.bin was written.
int SaveDbSourceLists();
// The bytes of DbLst.bin for a list, and the list of such bytes.
std::vector<uint8_t> DbSourceListBytes(const std::vector<NamedValue>& list);
int ReadDbSourceListBytes(const std::vector<uint8_t>& bytes, std::vector<NamedValue>* list);

// What a stored source name names: a data source of the driver manager's
// lists, a file data source (its path), or a source chosen by a connection
// string of its own (stored without its password). A connection string holds
// '=' (which no DSN name may hold) with no path separator before it (which a
// file data source's path has).
enum class DbSourceKind {
  kDsn,
  kFileDsn,
  kConnectString,
};
DbSourceKind GetDbSourceKind(const AString& name, bool isFileDsn);
// A source name is a file DSN when it holds a path separator and is no
// connection string.
bool IsFileDsnName(const AString& name);
int ListOdbcDataSources(AArray<AString>* names);
// Connects by the cached completed string, else by "DSN=name",
// "FILEDSN=name" or the name itself when it is a connection string;
// remembers the completed string. When a connection string without its
// password is refused, the error text says the password has to be given.
int ConnectDataSource(const AString& name, bool isFileDsn, COdbcConnection* connection);
// Whether the failed connection to the source was refused for want of the
// password the stored name (or the data source's entry) leaves out (the
// caller asks for it then).
bool NeedsDataSourcePassword(const AString& name, const COdbcConnection& failed);
// Connects to a source (a connection string, a data source or a file data
// source) with the password the user gives;
// the completed string is cached under the name for this run, so later
// connections of the run need no password.
int ConnectDataSourceWithPassword(const AString& name, const char* password, COdbcConnection* connection);
// Connects for reading results from front to back, as a print job does: as
// ConnectDataSource, and with PostgreSQL's driver fetching rows from the
// server in blocks as the cursor moves instead of all at the start.
int ConnectDataSourceForReading(const AString& name, COdbcConnection* connection);
int ResolveDsnConnectString(const AString& name, bool isFileDsn, AString* connectString);
// Connects with a connection string the caller gives and names the source
// after it: its FILEDSN or DSN value, else the completed string without its
// password. The completed string is cached under that name for this run.
int ConnectAndRememberDataSource(const AString& connectString, AString* name, int* isFileDsn);
// The value of a key of a connection string (keys without regard to case,
// values in braces taken whole): 1 when present.
int GetConnectStringValue(const char* text, const char* key, AString* value);
// The key=value pairs of a connection string in order: keys trimmed, braced
// values taken whole ("}}" read as "}").
std::vector<std::pair<AString, AString>> SplitConnectStringPairs(const char* text);
// The connection string without its PWD and PASSWORD keys.
AString RemoveConnectStringPassword(const char* text);
// The name a source chosen by a connection string without a DSN is stored
// under: the completed string without its password, and with the driver the
// user gave when the driver left it out.
AString StoredConnectStringName(const char* completed, const char* given);
// The connection string with key set to value (earlier pairs of the key
// removed, the new one last, braced when the value needs it).
AString SetConnectStringValue(const char* text, const char* key, const char* value);

int ListDbTableNames(const AString& source, bool isFileDsn, AArray<AString>* tables);
int ListTableColumns(COdbcConnection& connection, const char* table, std::vector<DbColumnInfo>* columns);
int ListSourceColumns(COdbcConnection* connection, const AString& source, int isFileDsn, const char* table,
                      std::vector<DbColumnInfo>* columns);
int GetSqlDisplayWidth(int sqlType, int size);
