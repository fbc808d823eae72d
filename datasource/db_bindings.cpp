#include "datasource/db_bindings.h"

#include <strings.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "datasource/db_source_lists.h"
#include "datasource/odbc_connection.h"
#include "datasource/odbc_statement.h"
#include "fields/model/field.h"
#include "foundation/string/file_records.h"

namespace {

constexpr int16_t kDatabaseSource = 8;

std::string Std(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

// The name in the driver's identifier quotes, a quote inside it doubled. A
// driver without quotes gets plain names only: a layout file is untrusted,
// and an unquoted name would be read as SQL. No name holds a NUL (the text
// would end there).
bool QuoteName(const AString& name, const std::string& quote, std::string* out) {
  const std::string text = Std(name);
  if (text.empty() || text.find('\0') != std::string::npos) return false;
  if (quote.empty() || quote == " ") {
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
      return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
    if (plain) *out = text;
    return plain;
  }
  *out = quote;
  for (char c : text) {
    *out += c;
    if (quote.size() == 1 && c == quote[0]) *out += c;
  }
  *out += quote;
  return true;
}

std::string IdentifierQuote(COdbcConnection& connection) {
  char quote[8] = {};
  SQLSMALLINT length = 0;
  if (!SqlSucceeded(SQLGetInfo(connection.GetConnectionHandle(), SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof quote,
                               &length))) {
    return "\"";
  }
  return quote;
}

// Long values cannot order a result in every database; the other columns
// settle every tie that matters.
bool OrdersRecords(const DbColumnInfo& c) {
  return !(c.sqlType == SQL_LONGVARCHAR || c.sqlType == SQL_WLONGVARCHAR || c.sqlType == SQL_LONGVARBINARY ||
           c.sqlType == SQL_BINARY || c.sqlType == SQL_VARBINARY);
}

// The columns a binding's records are ordered by: the key column, then
// every other column that can order them.
std::vector<AString> OrderColumns(const AString& keyColumn, const std::vector<DbColumnInfo>& columns) {
  std::vector<AString> order{keyColumn};
  for (const DbColumnInfo& c : columns)
    if (c.name != keyColumn && OrdersRecords(c)) order.push_back(c.name);
  return order;
}

// The query of a binding over the table's columns, with or without a
// condition on the key column (its value the statement's one parameter):
// empty when a name cannot be quoted.
AString BuildSelect(COdbcConnection& connection, const AString& table, const AString& keyColumn, bool whereKey,
                    const std::vector<DbColumnInfo>& columns, DbOrder order = DbOrder::kForward) {
  if (keyColumn.IsEmpty() || table.IsEmpty()) return AString();
  const std::string quote = IdentifierQuote(connection);
  std::string quotedTable, quotedKey;
  if (!QuoteName(table, quote, &quotedTable) || !QuoteName(keyColumn, quote, &quotedKey)) return AString();
  // Every term turned: NULLs come first one way and last the other in
  // SQLite and in PostgreSQL alike, so the order is the exact reverse.
  const char* direction = order == DbOrder::kReversed ? " DESC" : "";
  std::string sql = "SELECT * FROM " + quotedTable;
  if (whereKey) sql += " WHERE " + quotedKey + " = ?";
  sql += " ORDER BY " + quotedKey + direction;
  for (const AString& column : OrderColumns(keyColumn, columns)) {
    if (column == keyColumn) continue;
    std::string quotedColumn;
    if (QuoteName(column, quote, &quotedColumn)) sql += ", " + quotedColumn + direction;
  }
  return AString(static_cast<int>(sql.size()), sql.data());
}

// Which chosen records the table no longer holds (at most a few named).
AString MissingRecordsText(const CDbBinding& b, const std::vector<size_t>& missing) {
  constexpr size_t kNamed = 5;
  std::string columns;
  for (const AString& c : b.keyColumns) columns += (columns.empty() ? "" : ", ") + Std(c);
  std::string text = missing.size() == 1 ? "A chosen record is no longer in the table"
                                         : std::to_string(missing.size()) + " chosen records are no longer in the table";
  text += " (" + columns + "):";
  for (size_t i = 0; i < missing.size() && i < kNamed; ++i) text += "\n  " + DescribeRecordKey(b.selection[missing[i]].key);
  if (missing.size() > kNamed) text += "\n  ...";
  text += "\nTheir labels print without the table's values.\n";
  return AString(static_cast<int>(text.size()), text.data());
}

void CloseBinding(CDbBinding& b) {
  if (b.statement) {
    if (b.connection) b.connection->DeleteStatement(b.statement);
    else delete b.statement;
  }
  delete b.connection;
  b.statement = nullptr;
  b.connection = nullptr;
}

// A selection in record order is printed by reading the result once from
// front to back; any other order needs a cursor that scrolls.
bool ReadsForward(const CDbBinding& b) {
  int last = 0;
  for (const SelRecord& entry : b.selection) {
    if (entry.record == 0) continue;
    if (entry.record < last) return false;
    last = entry.record;
  }
  return true;
}

// How a binding's records are read: front to back (the drivers hand the
// rows over as they are read), or in any order (the drivers keep the result
// to scroll it, which costs memory but no round trip for each move).
enum class RecordOrder {
  kAsChosen,
  kAnyOrder,
};

// Opens one binding's connection and query for a print job: true, with both
// stored in the binding; else false with the reason (the driver's words
// where the driver refused).
bool OpenBinding(const AString& key, CDbBinding& b, AString* why, AString* notice,
                 RecordOrder order = RecordOrder::kAsChosen) {
  AString table;
  const AString source = SplitDbBindingKey(key, &table);
  const AString where = "Table " + table + " of data source " + source + ":\n";
  if (!b.useLinkedKeyValue && b.selection.empty()) {
    *why = "No records are chosen for " + key;
    return false;
  }
  if (b.keyColumn.IsEmpty()) {
    *why = "No key column for " + key;
    return false;
  }
  auto connection = std::make_unique<COdbcConnection>();
  const bool forward = order == RecordOrder::kAsChosen && ReadsForward(b);
  if (!(forward ? ConnectDataSourceForReading(source, connection.get())
                : ConnectDataSource(source, IsFileDsnName(source), connection.get()))) {
    *why = where + connection->GetErrorText();
    return false;
  }
  std::vector<DbColumnInfo> columns;
  ListTableColumns(*connection, table.GetData(), &columns);
  // Checked here, not left to the query: SQLite reads a quoted name that is
  // no column as a text, and would order by it or compare with it.
  const bool keyListed = std::any_of(columns.begin(), columns.end(), [&](const DbColumnInfo& c) {
    return strcasecmp(c.name.GetData(), b.keyColumn.GetData()) == 0;
  });
  if (!columns.empty() && !keyListed) {
    *why = where + "The key column " + b.keyColumn + " is not a column of the table";
    return false;
  }
  if (!b.useLinkedKeyValue) {
    std::vector<size_t> missing;
    if (!ResolveDbSelection(*connection, table, &b, &missing)) {
      *why = where + connection->GetErrorText();
      return false;
    }
    if (!missing.empty() && notice) *notice += where + MissingRecordsText(b, missing);
  }
  const AString select = BuildSelect(*connection, table, b.keyColumn, b.useLinkedKeyValue != 0, columns);
  if (select.IsEmpty()) {
    *why = where + "The names of the table and its key column cannot be given to this driver";
    return false;
  }
  const OdbcCursor cursor = forward ? OdbcCursor::kForwardOnly : OdbcCursor::kScrolling;
  OdbcStatementPtr statement(nullptr, OdbcStatementDeleter{connection.get()});
  if (!b.useLinkedKeyValue) {
    statement.reset(connection->OpenQuery(select.GetData(), true, cursor));
    if (!statement) {
      *why = where + connection->GetErrorText();
      return false;
    }
  } else {
    // The records whose key equals the linked value, in the same order.
    statement.reset(connection->CreateStatement(OdbcCursor::kForwardOnly));
    const SQLULEN size = static_cast<SQLULEN>(std::max(b.keyValueText.GetLength(), 1));
    bool ok = statement->Prepare(select.GetData()) != 0;
    if (ok) {
      statement->AllocParameters(1);
      ok = statement->BindParameter(0, SQL_VARCHAR, SQL_C_CHAR, static_cast<SQLLEN>(size) + 1, size, 0) &&
           statement->SetParamText(0, b.keyValueText.GetData()) && statement->Execute() &&
           statement->BindColumns(true);
    }
    if (!ok) {
      *why = where + statement->GetErrorText();
      return false;
    }
    // A value no record holds stops the job before a label is made: its
    // labels would otherwise print the layout's own data in the field.
    if (!statement->MoveFirst()) {
      const AString error = statement->GetErrorText();
      *why = where + (error.IsEmpty() ? "No record has the key value " + b.keyValueText + " in its column " + b.keyColumn
                                      : error);
      return false;
    }
    b.SetSelection({SelRecord{1, 1, 0}});
  }
  b.statement = statement.release();
  b.connection = connection.release();
  // The linked key's record has been read already.
  b.currentRecord = b.useLinkedKeyValue ? 1 : 0;
  return true;
}

}  // namespace

AString BuildDbCount(COdbcConnection& connection, const AString& table) {
  std::string quotedTable;
  if (!QuoteName(table, IdentifierQuote(connection), &quotedTable)) return AString();
  const std::string sql = "SELECT COUNT(*) FROM " + quotedTable;
  return AString(static_cast<int>(sql.size()), sql.data());
}

AString BuildDbSelect(COdbcConnection& connection, const AString& table, const AString& keyColumn, DbOrder order) {
  std::vector<DbColumnInfo> columns;
  if (!keyColumn.IsEmpty() && !table.IsEmpty()) ListTableColumns(connection, table.GetData(), &columns);
  return BuildSelect(connection, table, keyColumn, false, columns, order);
}

std::vector<AString> DbRecordKeyColumns(COdbcConnection& connection, const AString& table,
                                        const AString& keyColumn) {
  std::vector<DbColumnInfo> columns;
  if (keyColumn.IsEmpty() || table.IsEmpty()) return {};
  ListTableColumns(connection, table.GetData(), &columns);
  const std::string quote = IdentifierQuote(connection);
  std::string quotedTable, quotedKey;
  if (!QuoteName(table, quote, &quotedTable) || !QuoteName(keyColumn, quote, &quotedKey)) return {};
  // Records whose key repeats (or is NULL) are told apart by the values of
  // every column that orders them.
  const std::string sql = "SELECT COUNT(*) - COUNT(DISTINCT " + quotedKey + ") FROM " + quotedTable;
  OdbcStatementPtr counted(connection.OpenQuery(sql.c_str(), true, OdbcCursor::kForwardOnly),
                           OdbcStatementDeleter{&connection});
  const bool unique = counted && counted->MoveFirst() && counted->GetText(0) && std::atoll(counted->GetText(0)) == 0;
  return unique ? std::vector<AString>{keyColumn} : OrderColumns(keyColumn, columns);
}

bool FindKeyColumns(const std::vector<AString>& resultColumns, const std::vector<AString>& keyColumns,
                    std::vector<int>* indexes) {
  indexes->clear();
  const int count = static_cast<int>(resultColumns.size());
  for (const AString& name : keyColumns) {
    int found = -1;
    for (int i = 0; found < 0 && i < count; ++i)
      if (resultColumns[static_cast<size_t>(i)] == name) found = i;
    for (int i = 0; found < 0 && i < count; ++i)
      if (strcasecmp(resultColumns[static_cast<size_t>(i)].GetData(), name.GetData()) == 0) found = i;
    if (found < 0) return false;
    indexes->push_back(found);
  }
  return !indexes->empty();
}

bool FindKeyColumns(COdbcStatement& statement, const std::vector<AString>& keyColumns, std::vector<int>* indexes) {
  std::vector<AString> names;
  for (int i = 0; i < statement.GetColumnCount(); ++i) names.emplace_back(statement.GetColumnInfo(i)->name);
  return FindKeyColumns(names, keyColumns, indexes);
}

std::string RecordKeyAt(COdbcStatement& statement, const std::vector<int>& indexes) {
  std::string key;
  for (const int i : indexes) {
    const char* text = statement.IsNull(i) ? nullptr : statement.GetText(i);
    AppendRecordKeyValue(&key, text, text ? std::strlen(text) : 0);
  }
  return key;
}

int ResolveDbSelection(COdbcConnection& connection, const AString& table, CDbBinding* binding,
                       std::vector<size_t>* missing) {
  if (missing) missing->clear();
  if (!binding || binding->keyColumns.empty()) return 1;
  CSelRecordArray& chosen = binding->selection;
  std::vector<DbColumnInfo> columns;
  ListTableColumns(connection, table.GetData(), &columns);
  const AString select = BuildSelect(connection, table, binding->keyColumn, false, columns);
  if (select.IsEmpty()) return 0;
  OdbcStatementPtr statement(connection.OpenQuery(select.GetData(), true, OdbcCursor::kForwardOnly),
                             OdbcStatementDeleter{&connection});
  if (!statement) return 0;
  std::vector<int> indexes;
  const bool keyed = FindKeyColumns(*statement, binding->keyColumns, &indexes);
  // Each key's records, the first last; one read of the result finds them.
  std::unordered_map<std::string, std::vector<size_t>> wanted;
  size_t left = 0;
  for (size_t i = chosen.size(); i-- > 0;) {
    chosen[i].record = -1;
    if (keyed && !chosen[i].key.empty()) {
      wanted[chosen[i].key].push_back(i);
      ++left;
    }
  }
  for (int place = 1; left > 0 && (place == 1 ? statement->MoveFirst() : statement->MoveNext()); ++place) {
    const auto found = wanted.find(RecordKeyAt(*statement, indexes));
    if (found == wanted.end() || found->second.empty()) continue;
    chosen[found->second.back()].record = place;
    found->second.pop_back();
    --left;
  }
  if (missing)
    for (size_t i = 0; i < chosen.size(); ++i)
      if (chosen[i].record < 0) missing->push_back(i);
  return 1;
}

int FindDbBinding(CDbBindingMap& map, const AString& source, const AString& table, CDbBinding* out) {
  CDbBinding found;
  if (!map.Lookup(MakeDbBindingKey(source, table), found)) return 0;
  if (out) *out = found;
  return 1;
}

AString FormatRecordsQty(int records, int quantity) {
  AString text;
  text.Format("Records:%d,Qty:%d", records, quantity);
  return text;
}

int IsNumericSqlType(int sqlType) { return (sqlType >= 2 && sqlType <= 8) || sqlType == -7 || sqlType == -6; }

int FindStatementColumn(COdbcStatement& statement, const char* name) {
  if (!name) return -1;
  for (int i = 0; i < statement.GetColumnCount(); ++i) {
    if (std::strcmp(statement.GetColumnInfo(i)->name, name) == 0) return i;
  }
  return -1;
}

int GetStatementColumnType(COdbcStatement& statement, const char* name) {
  const int i = FindStatementColumn(statement, name);
  return i < 0 ? 0 : statement.GetColumnInfo(i)->sqlType;
}

AString GetColumnTextByName(COdbcStatement& statement, const char* name) {
  const int i = FindStatementColumn(statement, name);
  if (i < 0 || statement.IsNull(i)) return AString();
  const char* text = statement.GetText(i);
  return text ? AString(text) : AString();
}

void PruneDbBindings(CDbBindingMap& map, const std::vector<const CField*>& fields) {
  std::vector<std::string> used;
  for (const CField* f : fields) {
    if (f && f->UsesDataSource(kDatabaseSource)) used.push_back(Std(MakeDbBindingKey(f->dbSource, f->dbTable)));
  }
  for (const AString& key : map.Keys()) {
    if (std::find(used.begin(), used.end(), Std(key)) == used.end()) map.RemoveKey(key);
  }
}

int OpenDbBindings(CDbBindingMap& map, AString* reason, AString* notice) {
  for (const AString& key : map.Keys()) {
    AString why;
    if (!OpenBinding(key, *map.LookupPtr(key), &why, notice)) {
      if (reason) *reason = why;
      CloseDbBindings(map);
      return 0;
    }
  }
  return 1;
}

int CloseDbBindings(CDbBindingMap& map) {
  for (const AString& key : map.Keys()) {
    CDbBinding& b = *map.LookupPtr(key);
    CloseBinding(b);
    b.Reset();
  }
  return 1;
}

int GetDbValue(CDataRunContext& context, const AString& source, const AString& table, const AString& column, int n,
               AString* out) {
  if (!out) return 0;
  out->Empty();
  if (!context.bindings || n < 0) return 0;
  const AString key = MakeDbBindingKey(source, table);
  CDbBinding* b = context.bindings->LookupPtr(key);
  if (!b) return 0;
  const int count = static_cast<int>(b->selection.size());
  if (count < 1) return 0;
  DbLabelCursor& cursor = context.cursors[Std(key)];
  if (!cursor.prepared) {
    // Where each entry's labels start, once per job: a label is then found
    // by a binary search, or at once when it follows the last one.
    long long label = 0;
    for (SelRecord& entry : b->selection) {
      entry.firstLabel = static_cast<int32_t>(std::min<long long>(label, INT32_MAX));
      label += std::max(entry.quantity, 0);
    }
    cursor.total = label;
    cursor.prepared = true;
  }
  int index;
  const auto spans = [&](int i) {
    const SelRecord& e = b->selection[static_cast<size_t>(i)];
    return n >= e.firstLabel && static_cast<long long>(n) < static_cast<long long>(e.firstLabel) + std::max(e.quantity, 0);
  };
  if (n >= cursor.total) {
    index = count - 1;
  } else if (cursor.lastEntry < count && spans(cursor.lastEntry)) {
    index = cursor.lastEntry;
  } else if (cursor.lastEntry + 1 < count && spans(cursor.lastEntry + 1)) {
    index = cursor.lastEntry + 1;
  } else {
    const auto after = std::upper_bound(b->selection.begin(), b->selection.end(), n,
                                        [](int label, const SelRecord& e) { return label < e.firstLabel; });
    index = static_cast<int>(after - b->selection.begin()) - 1;
  }
  index = std::clamp(index, 0, count - 1);
  cursor.lastLabel = n;
  cursor.lastEntry = index;
  const int record = b->selection[static_cast<size_t>(index)].record;
  // A record the table no longer holds prints nothing (the job said so
  // when it opened), never another record's values.
  if (record < 0) return 1;
  if (record == 0 || !b->statement) return 0;
  if (record != b->currentRecord) {
    if (b->statement->GetCursor() == OdbcCursor::kForwardOnly && record < b->currentRecord) {
      // The job goes back (a preview, labels asked for out of order): read
      // on a scrolling cursor from now on. Stepping back on the forward
      // cursor would cost a pass over the rows, or with a cursor on the
      // server a round trip, for each step.
      AString why;
      CloseBinding(*b);
      if (!OpenBinding(key, *b, &why, nullptr, RecordOrder::kAnyOrder)) return 0;
    }
    const bool moved = record == 1 ? b->statement->MoveFirst() : b->statement->MoveAbsolute(record);
    if (!moved) {
      b->currentRecord = 0;
      if (b->statement->GetErrorText().IsEmpty()) {
        AString why;
        why.Format("Error:=0\nSql state:=HY109\nRecord %d is not in the result", record);
        b->statement->SetErrorText(why);
      }
      return 0;
    }
    b->currentRecord = record;
  }
  *out = GetColumnTextByName(*b->statement, column.GetData());
  return 1;
}

int GetDbFieldValue(CDataRunContext& context, const CField& field, int n, AString* out) {
  return GetDbValue(context, field.dbSource, field.dbTable, field.dbColumn, n, out);
}

int GetStringsInFileValue(CDataRunContext& context, const CField& field, int n, AString* out) {
  return GetStringsInFileValue(context.stringsFiles, field.stringsFile, static_cast<WORD>(field.stringsDelimiter), n,
                               out);
}

int DbBindingsHaveSelection(CDbBindingMap& map) {
  for (const AString& key : map.Keys()) {
    const CDbBinding& b = *map.LookupPtr(key);
    if (!b.useLinkedKeyValue && b.selectedCount > 1) return 1;
  }
  return 0;
}

int GetMaxDbSelectionQuantity(CDbBindingMap& map) {
  int best = 0;
  for (const AString& key : map.Keys()) {
    const CDbBinding& b = *map.LookupPtr(key);
    if (b.selectedCount >= 2) best = std::max(best, b.totalQuantity);
  }
  return best;
}

void PruneDbBindings(CLabelSetup& setup, const std::vector<const CField*>& fields) {
  PruneDbBindings(setup.dbBindings, fields);
}
int OpenDbBindings(CLabelSetup& setup, AString* reason, AString* notice) {
  return OpenDbBindings(setup.dbBindings, reason, notice);
}
int CloseDbBindings(CLabelSetup& setup) { return CloseDbBindings(setup.dbBindings); }

int CollectUsedDbColumns(CLabelSetup& setup, const std::vector<const CField*>& fields, const CField& field,
                         std::vector<AString>* names) {
  if (!names) return 0;
  names->clear();
  auto add = [&](const AString& name) {
    if (std::find(names->begin(), names->end(), name) == names->end()) names->push_back(name);
  };
  CDbBinding binding;
  add(FindDbBinding(setup.dbBindings, field.dbSource, field.dbTable, &binding) ? binding.keyColumn : AString());
  for (const CField* f : fields) {
    if (f && f->dataSourceType == kDatabaseSource) add(f->dbColumn);
  }
  add(field.dbColumn);
  return static_cast<int>(names->size());
}
