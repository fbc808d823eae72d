// A Database text field printing one column of a table, and its layout's
// binding of that table keyed by one column: what the record select tests
// open the dialog on.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

  // The (place, quantity) pairs of the binding's stored choice.
  std::vector<std::pair<int, int>> Chosen() {
    CDbBinding binding;
    FindDbBinding(setup.dbBindings, field.dbSource, field.dbTable, &binding);
    std::vector<std::pair<int, int>> chosen;
    for (const SelRecord& entry : binding.selection) chosen.emplace_back(entry.record, entry.quantity);
    return chosen;
  }

  // The field's values on the first `labels` labels of a print run.
  std::vector<std::string> Printed(int labels) {
    EXPECT_EQ(OpenDbBindings(setup.dbBindings), 1);
    CDataRunContext run;
    run.bindings = &setup.dbBindings;
    std::vector<std::string> printed;
    for (int label = 0; label < labels; ++label) {
      AString value;
      EXPECT_EQ(GetDbFieldValue(run, field, label, &value), 1) << "label " << label;
      printed.emplace_back(value.IsEmpty() ? "" : value.GetData());
    }
    CloseDbBindings(setup.dbBindings);
    return printed;
  }
};

}  // namespace dsui_test
