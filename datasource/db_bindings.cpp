#include "datasource/db_bindings.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

#include "datasource/db_source_lists.h"
#include "datasource/odbc_connection.h"
#include "datasource/odbc_statement.h"
#include "fields/model/field.h"
#include "foundation/string/file_records.h"

namespace {

constexpr int16_t kDatabaseSource = 8;

std::string Std(const AString& s) { return std::string(s.GetData(), static_cast<size_t>(s.GetLength())); }

std::string QuoteName(const AString& name, const std::string& quote) {
  if (quote.empty() || quote == " ") return Std(name);
  std::string out = quote;
  for (char c : Std(name)) {
    out += c;
    if (std::string(1, c) == quote) out += c;  // a quote inside the name is doubled
  }
  return out + quote;
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

void CloseBinding(CDbBinding& b) {
  if (b.statement) {
    if (b.connection) b.connection->DeleteStatement(b.statement);
    else delete b.statement;
  }
  delete b.connection;
  b.statement = nullptr;
  b.connection = nullptr;
}

}  // namespace

AString BuildDbSelect(COdbcConnection& connection, const AString& table, const AString& keyColumn) {
  if (keyColumn.IsEmpty() || table.IsEmpty()) return AString();
  const std::string quote = IdentifierQuote(connection);
  std::string sql = "SELECT * FROM " + QuoteName(table, quote) + " ORDER BY " + QuoteName(keyColumn, quote);
  std::vector<DbColumnInfo> columns;
  ListTableColumns(connection, table.GetData(), &columns);
  for (const DbColumnInfo& c : columns) {
    if (c.name == keyColumn) continue;
    // Long values cannot order a result in every database; the other
    // columns settle every tie that matters.
    if (c.sqlType == SQL_LONGVARCHAR || c.sqlType == SQL_WLONGVARCHAR || c.sqlType == SQL_LONGVARBINARY ||
        c.sqlType == SQL_BINARY || c.sqlType == SQL_VARBINARY) {
      continue;
    }
    sql += ", " + QuoteName(c.name, quote);
  }
  return AString(static_cast<int>(sql.size()), sql.data());
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

int OpenDbBindings(CDbBindingMap& map, AString* reason) {
  for (const AString& key : map.Keys()) {
    CDbBinding& b = *map.LookupPtr(key);
    AString table;
    const AString source = SplitDbBindingKey(key, &table);
    auto stop = [&](const AString& why, std::unique_ptr<COdbcConnection> made) {
      made.reset();
      if (reason) *reason = why;
      CloseDbBindings(map);
      return 0;
    };
    if (!b.useLinkedKeyValue && b.selection.empty()) return stop("No records are chosen for " + key, nullptr);
    auto connection = std::make_unique<COdbcConnection>();
    if (!ConnectDataSource(source, IsFileDsnName(source), connection.get())) {
      return stop(connection->GetErrorText(), std::move(connection));
    }
    const AString select = BuildDbSelect(*connection, table, b.keyColumn);
    if (select.IsEmpty()) return stop("No key column for " + key, std::move(connection));
    COdbcStatement* statement = nullptr;
    if (!b.useLinkedKeyValue) {
      statement = connection->OpenQuery(select.GetData(), true);
    } else {
      // The records whose key equals the linked value, in the same order.
      const AString sql = select.Left(select.Find(" ORDER BY")) + " WHERE " + b.keyColumn + " = ?" +
                          select.Mid(select.Find(" ORDER BY"));
      statement = connection->CreateStatement();
      statement->AllocParameters(1);
      const SQLULEN size = static_cast<SQLULEN>(std::max(b.keyValueText.GetLength(), 1));
      bool ok = statement->Prepare(sql.GetData());
      statement->AllocParameters(1);
      ok = ok && statement->BindParameter(0, SQL_VARCHAR, SQL_C_CHAR, static_cast<SQLLEN>(size) + 1, size, 0) &&
           statement->SetParamText(0, b.keyValueText.GetData()) && statement->Execute() &&
           statement->BindColumns(true);
      if (!ok) {
        connection->SetErrorText(statement->GetErrorText());
        connection->DeleteStatement(statement);
        statement = nullptr;
      } else {
        b.SetSelection({SelRecord{1, 1, 0}});
      }
    }
    if (!statement) return stop(connection->GetErrorText(), std::move(connection));
    b.connection = connection.release();
    b.statement = statement;
    b.currentRecord = 0;
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
  if (record == 0 || !b->statement) return 0;
  if (record != b->currentRecord) {
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
int OpenDbBindings(CLabelSetup& setup, AString* reason) { return OpenDbBindings(setup.dbBindings, reason); }
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
