// The database bindings a layout keeps with its label setup: one per (data
// source, table) pair its Database fields use, with the key column the
// records are ordered by, the chosen records with their quantities and, while
// a print job runs, the job's open connection and query (the data sources
// open and close them). The stored form travels in the label setup stream.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "foundation/containers/amap.h"
#include "foundation/string/astring.h"

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
