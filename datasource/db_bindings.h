// Database fields and their tables: one binding per (data source, table) pair
// that the layout's Database fields use, with the key column the records are
// ordered by, the chosen records with their quantities and, while a print job
// runs, the open connection and query; and which record label n prints.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "datasource/strings_file.h"
#include "fields/services/db_binding_map.h"
#include "fields/services/label_setup.h"
#include "foundation/string/astring.h"

class CField;
class COdbcConnection;
class COdbcStatement;

// The query of a binding: the table and its key column in the driver's
// quotes, ordered by the key and then by every other column, so the record
// dialog and the print job see one order; reversed, the same records last
// to first (a window near the end is then a short OFFSET from its start).
// Empty for an empty key column.
enum class DbOrder { kForward, kReversed };
AString BuildDbSelect(COdbcConnection& connection, const AString& table, const AString& keyColumn,
                      DbOrder order = DbOrder::kForward);
// The query counting the table's records (drivers answer 0 or -1 for the
// rows of a result): empty when the name cannot be given to the driver.
AString BuildDbCount(COdbcConnection& connection, const AString& table);
// The columns that identify a record of the table for a binding keyed by
// keyColumn: the key column alone when its values are unique and never
// NULL, else every column the records are ordered by; empty when the names
// cannot be given to the driver.
std::vector<AString> DbRecordKeyColumns(COdbcConnection& connection, const AString& table,
                                        const AString& keyColumn);
// The result columns of those names (exact, else without regard to case):
// false when one is missing.
bool FindKeyColumns(COdbcStatement& statement, const std::vector<AString>& keyColumns, std::vector<int>* indexes);
// The same over the names of the result's columns.
bool FindKeyColumns(const std::vector<AString>& resultColumns, const std::vector<AString>& keyColumns,
                    std::vector<int>* indexes);
// The key of the statement's current record over those result columns.
std::string RecordKeyAt(COdbcStatement& statement, const std::vector<int>& indexes);
// Finds the binding's chosen records by their key values in one read of
// its ordered query, setting each one's place (-1 when the table no longer
// holds it; those indexes into *missing). 0 when the query failed (the
// reason in the connection's error text); 1 at once for records known by
// place only.
int ResolveDbSelection(COdbcConnection& connection, const AString& table, CDbBinding* binding,
                       std::vector<size_t>* missing);
int FindDbBinding(CDbBindingMap& map, const AString& source, const AString& table, CDbBinding* out);
AString FormatRecordsQty(int records, int quantity);
int IsNumericSqlType(int sqlType);
int FindStatementColumn(COdbcStatement& statement, const char* name);
int GetStatementColumnType(COdbcStatement& statement, const char* name);
// The column's value in the current row as text: empty for NULL or an
// unknown column; long values whole.
AString GetColumnTextByName(COdbcStatement& statement, const char* name);

// Where each binding stands in a print job: the label asked for last, the
// selection entry that served it, and the labels of the whole selection
// (each entry's first label is worked out once per job).
struct DbLabelCursor {
  int lastLabel = 0;
  int lastEntry = 0;
  long long total = 0;
  bool prepared = false;
};

// What a print run keeps for the data sources of its fields: the bindings of
// the label setup it prints, a label cursor per binding, and the Strings In
// File files it reads (closed when the run ends).
struct CDataRunContext {
  CDbBindingMap* bindings = nullptr;
  std::map<std::string, DbLabelCursor> cursors;
  CStringsFileMap stringsFiles;
};

// Entry n of a Strings In File field's file (its path and separator).
int GetStringsInFileValue(CDataRunContext& context, const CField& field, int n, AString* out);

// The same on a label setup's bindings.
void PruneDbBindings(CLabelSetup& setup, const std::vector<const CField*>& fields);
int OpenDbBindings(CLabelSetup& setup, AString* reason = nullptr, AString* notice = nullptr);
int CloseDbBindings(CLabelSetup& setup);

// The columns a record list shows for a field: its binding's key column (an
// empty name when it has none), the output column of every Database field of
// the list, then its own; each name once, in that order. Returns the count.
int CollectUsedDbColumns(CLabelSetup& setup, const std::vector<const CField*>& fields, const CField& field,
                         std::vector<AString>* names);

// Removes the bindings no Database field (by its type or previous type) uses.
void PruneDbBindings(CDbBindingMap& map, const std::vector<const CField*>& fields);
// Opens every binding's connection and query: 1 when all are open (or there
// is none); else none stays open and the reason is in *reason. Chosen
// records known by their key values are found again; the ones the table no
// longer holds print nothing, and *notice names them.
int OpenDbBindings(CDbBindingMap& map, AString* reason = nullptr, AString* notice = nullptr);
int CloseDbBindings(CDbBindingMap& map);
// The value of a Database column on label n of the job (0-based): 1 with the
// text; 0 when there is no binding, no chosen record, or the record cannot be
// reached (the reason in the statement's error text).
int GetDbValue(CDataRunContext& context, const AString& source, const AString& table, const AString& column, int n,
               AString* out);
int GetDbFieldValue(CDataRunContext& context, const CField& field, int n, AString* out);
int DbBindingsHaveSelection(CDbBindingMap& map);
int GetMaxDbSelectionQuantity(CDbBindingMap& map);
