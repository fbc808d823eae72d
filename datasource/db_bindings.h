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

#include "foundation/containers/amap.h"
#include "foundation/string/astring.h"

class CField;
class COdbcConnection;
class COdbcStatement;

// A chosen record: its 1-based place in the ordered result, the labels to
// print it on, and the labels before it (a cache kept by GetDbFieldValue).
struct SelRecord {
  int32_t record = 0;
  int32_t quantity = 0;
  int32_t firstLabel = 0;
};
using CSelRecordArray = std::vector<SelRecord>;

class CDbBinding {
 public:
  CDbBinding() { Reset(); }
  CDbBinding(const CDbBinding& other) { *this = other; }
  // Copies everything but the column slots' names; their numbers become 0.
  CDbBinding& operator=(const CDbBinding& other);
  // Forgets connection and statement (without closing them), the selection
  // and the key value; the key column stays.
  void Reset();
  // Replaces the selection and counts its records and labels (a negative
  // quantity counts as 0).
  void SetSelection(const CSelRecordArray& records);

  AString keyColumn;
  int32_t keyColumnType = 12;
  AString keyValueText;
  int32_t useLinkedKeyValue = 0;
  COdbcConnection* connection = nullptr;
  COdbcStatement* statement = nullptr;
  CSelRecordArray selection;
  int32_t currentRecord = 0;
  int32_t spareCounter = 0;
  int32_t selectedCount = 0;
  int32_t totalQuantity = 0;
  struct ColumnSlot {
    AString name;
    int16_t number16 = 0;
    int32_t number32 = 0;
  };
  std::array<ColumnSlot, 16> slots;
};

class CDbBindingMap : public AMap<AString, CDbBinding> {
 public:
  CDbBindingMap() : AMap(16) {}
  CDbBindingMap(const CDbBindingMap& other) : AMap(16) { Copy(other); }
  CDbBindingMap& operator=(const CDbBindingMap& other) { return Copy(other); }
  CDbBindingMap& Copy(const CDbBindingMap& other);
  // The keys in walk order.
  std::vector<AString> Keys() const;
  // Reads (load) or writes the map in the label setup stream: the count,
  // then per binding its key, key column, key value text, flag, an empty
  // spare string and 16 empty column slots. Returns the count; 0 when a read
  // stops (a length or count beyond what the stream holds).
  int Serialize(bool load, FILE* file);
};

// Key of a (data source, table) pair: "%s;;;;%s".
AString MakeDbBindingKey(const AString& source, const AString& table);
// The data source of a key; the table into *table when given.
AString SplitDbBindingKey(const AString& key, AString* table);
// The query of a binding: the table and its key column in the driver's
// quotes, ordered by the key and then by every other column, so the record
// dialog and the print job see one order. Empty for an empty key column.
AString BuildDbSelect(COdbcConnection& connection, const AString& table, const AString& keyColumn);
int FindDbBinding(CDbBindingMap& map, const AString& source, const AString& table, CDbBinding* out);
AString FormatRecordsQty(int records, int quantity);
int IsNumericSqlType(int sqlType);
int FindStatementColumn(COdbcStatement& statement, const char* name);
int GetStatementColumnType(COdbcStatement& statement, const char* name);
// The column's value in the current row as text: empty for NULL or an
// unknown column; long values whole.
AString GetColumnTextByName(COdbcStatement& statement, const char* name);

// Where each binding stands in a print job.
struct DbLabelCursor {
  std::vector<int> checkpoints;  // entry k: the selection entry of label 100 k
  int lastLabel = 0;
  int lastEntry = 0;
};

// What a print job keeps for the data sources of its fields: the bindings of
// the label setup it prints, a label cursor per binding, the open strings files.
struct CDbRunContext {
  CDbBindingMap* bindings = nullptr;
  std::map<std::string, DbLabelCursor> cursors;
};

// Removes the bindings no Database field (by its type or previous type) uses.
void PruneDbBindings(CDbBindingMap& map, const std::vector<const CField*>& fields);
// Opens every binding's connection and query: 1 when all are open (or there
// is none); else none stays open and the reason is in *reason.
int OpenDbBindings(CDbBindingMap& map, AString* reason = nullptr);
int CloseDbBindings(CDbBindingMap& map);
// The value of a Database column on label n of the job (0-based): 1 with the
// text; 0 when there is no binding, no chosen record, or the record cannot be
// reached (the reason in the statement's error text).
int GetDbValue(CDbRunContext& context, const AString& source, const AString& table, const AString& column, int n,
               AString* out);
int GetDbFieldValue(CDbRunContext& context, const CField& field, int n, AString* out);
int DbBindingsHaveSelection(CDbBindingMap& map);
int GetMaxDbSelectionQuantity(CDbBindingMap& map);
