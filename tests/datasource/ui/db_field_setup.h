// A Database text field printing one column of a table, and its layout's
// binding of that table keyed by one column: what the record select tests
// open the dialog on.
#pragma once

#include "datasource/db_bindings.h"
#include "fields/model/field_kinds.h"

namespace dsui_test {

struct DbFieldSetup {
  CTextField field;
  CLabelSetup setup;
  DbFieldSetup(const char* dsn, const char* table, const char* column = "code", const char* key = "n") {
    field.dataSourceType = static_cast<int16_t>(DataSourceType::kDatabase);
    field.dbSource = dsn;
    field.dbTable = table;
    field.dbColumn = column;
    CDbBinding binding;
    binding.keyColumn = key;
    setup.dbBindings.SetAt(MakeDbBindingKey(field.dbSource, field.dbTable), binding);
  }
};

}  // namespace dsui_test
