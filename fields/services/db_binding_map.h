// The database bindings a layout keeps with its label setup: one per (data
// source, table) pair its Database fields use, with the key column the
// records are ordered by, the chosen records with their quantities and, while
// a print job runs, the job's open connection and query (the data sources
// open and close them). The stored form travels in the label setup stream.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/containers/amap.h"
#include "foundation/string/astring.h"

class COdbcConnection;
class COdbcStatement;

// A chosen record: its 1-based place in the ordered result, the labels to
// print it on, the labels before it (a cache kept by GetDbFieldValue), and
// its values of the binding's key columns (see AppendRecordKeyValue), which
// find it again when the table has changed or the layout was reopened.
// Place 0 means not found yet; a negative place, no longer in the table.
struct SelRecord {
  SelRecord() = default;
  SelRecord(int32_t place, int32_t labels, int32_t before = 0, std::string values = {})
      : record(place), quantity(labels), firstLabel(before), key(std::move(values)) {}
  int32_t record = 0;
  int32_t quantity = 0;
  int32_t firstLabel = 0;
  std::string key;
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
  // The columns whose values identify a chosen record: the key column when
  // its values are unique, else every column the records are ordered by.
  // Empty when the records are known by their place only. Kept with the
  // selection in the layout.
  std::vector<AString> keyColumns;
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
  // then per binding its key, key column, key value text, flag, the chosen
  // records by their key values (empty when there are none, or when they
  // are known by place only) and 16 empty column slots. Returns the count; 0 when a read
  // stops (a length or count beyond what the stream holds).
  int Serialize(bool load, FILE* file);
};

// One column's value appended to a record's key: a presence byte (0 for
// NULL), the length as four bytes and the value's bytes.
void AppendRecordKeyValue(std::string* key, const char* value, size_t length);
// The values of a record's key for a message: "a, b" (NULL as "NULL").
std::string DescribeRecordKey(std::string_view key);

// Key of a (data source, table) pair: "%s;;;;%s".
AString MakeDbBindingKey(const AString& source, const AString& table);
// The data source of a key; the table into *table when given.
AString SplitDbBindingKey(const AString& key, AString* table);
