// The print dialog's quantity follows the database records chosen for the
// layout: one record prints at least its own labels (the edit stays open),
// several records print the largest selection's labels (the edit locked).
#include <gtest/gtest.h>

#include <string>

#include "../app/dialog_script.h"
#include "datasource/db_bindings.h"
#include "document/core/rvo_doc.h"
#include "fields/model/field_kinds.h"
#include "print/dialog/print_job_dlg.h"
#include "print/print_ids.h"

namespace {

using apptest::DialogScript;
using apptest::Press;

struct QuantityCase {
  const char* why;
  CSelRecordArray chosen;
  const char* shown;
  bool editable;
};

TEST(PrintDialogRecords, TheQuantityFollowsTheChosenRecords) {
  const QuantityCase cases[] = {
      {"no record chosen", {}, "1", true},
      {"one record of five labels", {SelRecord(3, 5)}, "5", true},
      {"one record of no labels", {SelRecord(3, 0)}, "1", true},
      {"three and two labels of two records", {SelRecord(3, 3), SelRecord(7, 2)}, "5", false},
  };
  for (const QuantityCase& c : cases) {
    SCOPED_TRACE(c.why);
    CRvoDoc doc;
    doc.labelSetup.lastPrinter = "";
    auto field = std::make_unique<CTextField>();
    field->dataSourceType = static_cast<int16_t>(DataSourceType::kDatabase);
    field->dbSource = "stock";
    field->dbTable = "parts";
    field->dbColumn = "code";
    doc.fieldList.push_back(std::move(field));
    CDbBinding binding;
    binding.keyColumn = "code";
    binding.SetSelection(c.chosen);
    doc.labelSetup.dbBindings.SetAt(MakeDbBindingKey("stock", "parts"), binding);
    std::string shown;
    bool editable = false;
    DialogScript script;
    script.Then([&](HWND dialog) {
      char text[16] = {};
      ::GetDlgItemTextA(dialog, IDC_PRINT_QUANTITY, text, sizeof text);
      shown = text;
      editable = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_PRINT_QUANTITY)) != 0;
      Press(dialog, IDCANCEL);
    });
    CPrintJobDlg dialog;
    dialog.m_pDoc = &doc;
    dialog.DoModal();
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(editable, c.editable);
  }
}

}  // namespace
