// The "..." of a prompt row as a person uses it before printing: the
// database row opens the record select dialog over the real SQLite table,
// the records picked there show in the row as "Records:%d,Qty:%d", and the
// print quantity beside the list follows them (several records fix it to
// their labels and lock it; one record raises it); a row whose dialog the
// program has not installed does nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../odbc_environment.h"
#include "datasource/db_bindings.h"
#include "datasource/ui/prompt/prompt_actions.h"
#include "datasource/ui/prompt/prompt_list.h"
#include "datasource/ui/records/record_select_dlg.h"
#include "datasource/ui/records/records_ids.h"
#include "fields/model/field_kinds.h"
#include "panel_test_support.h"

namespace {

using apptest::DialogScript;
using apptest::Press;

constexpr int kQuantityEdit = 1238;

struct HostWindow : CWnd {
  HostWindow() { CreateEx(0, nullptr, "Print", WS_POPUP | WS_VISIBLE | WS_CAPTION, 40, 40, 460, 300, nullptr, nullptr); }
};

// The print dialog's part that matters: the prompt list with a database row
// and a long-text row, and the quantity edit.
struct PrintPrompts {
  CTextField field;
  CLabelSetup setup;
  std::vector<const CField*> fields{&field};
  HostWindow hostWindow;
  CPromptList list;
  HWND quantity = nullptr;

  PrintPrompts() {
    odbc_test::Sqlite(
        "DROP TABLE IF EXISTS prompt_parts; CREATE TABLE prompt_parts (n INTEGER, code VARCHAR(10));"
        "WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM s WHERE i < 20) "
        "INSERT INTO prompt_parts SELECT i, printf('P%03d', i) FROM s;");
    field.dataSourceType = static_cast<int16_t>(DataSourceType::kDatabase);
    field.dbSource = odbc_test::kSqliteDsn;
    field.dbTable = "prompt_parts";
    field.dbColumn = "code";
    CDbBinding binding;
    binding.keyColumn = "n";
    setup.dbBindings.SetAt(MakeDbBindingKey(field.dbSource, field.dbTable), binding);
    list.m_rowsPerView = 6;
    list.Create(RECT{8, 8, 448, 200}, &hostWindow, 1249);
    list.m_onButton = &RunPromptRowAction;
    quantity = ::CreateWindowExW(0, u"Edit", u"1", WS_CHILD | WS_VISIBLE | WS_BORDER, 8, 220, 80, 22,
                                 hostWindow.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kQuantityEdit)),
                                 nullptr, nullptr);
    auto* records = new CPromptItem;
    list.AddItem(records);
    records->Init("prompt_parts", FormatRecordsQty(0, 0), -1, 0, PromptRowType::kRecords, "", 1024, &list, {}, 0,
                  false, false);
    records->m_labelSetup = &setup;
    records->m_field = &field;
    records->m_fieldList = &fields;
    auto* address = new CPromptItem;
    list.AddItem(address);
    address->Init("Address", "1 Main St", -1, 0, PromptRowType::kLongText, "", 1024, &list, {}, 0, false, false);
    uitest::RunUntilIdle();
  }
  ~PrintPrompts() {
    list.DestroyWindow();
    hostWindow.DestroyWindow();
    CWnd::DeleteTempMap();
  }
  std::string Quantity() const {
    char text[16] = {};
    ::GetWindowTextA(quantity, text, sizeof text);
    return text;
  }
  void ClickButton(int row) {
    uitest::Click(list.Item(row)->Button());
    uitest::RunUntilIdle();
  }
};

class PromptActions : public ::testing::Test {
 protected:
  void TearDown() override {
    SetPromptRowDialogs(nullptr);
    CWnd::DeleteTempMap();
  }
  apptest::LanguageScope english_{kUiEnglish};
};

TEST_F(PromptActions, RecordsChosenThroughTheRowSetItsTextAndTheQuantity) {
  PrintPrompts p;
  struct Choice {
    const char* what;
    std::vector<std::pair<int, int>> quantities;  // place, labels (0 clears)
    const char* rowText;
    const char* quantity;
    bool quantityEditable;
  };
  const Choice choices[] = {
      {"two records, one label each", {{3, 1}, {7, 1}}, "Records:2,Qty:2", "2", false},
      {"record 3 alone, five labels", {{7, 0}, {3, 5}}, "Records:1,Qty:5", "5", true},
  };
  for (const Choice& c : choices) {
    DialogScript script;
    script.Then([&](HWND dialog) {
      for (const auto& [place, labels] : c.quantities) {
        script.Then([n = std::to_string(labels)](HWND ask) {
          dsui_test::TypeInto(ask, IDC_QUANTITY_VALUE, n.c_str());
          Press(ask, IDOK);
        });
        auto* records = static_cast<CDbRecordSelectDlg*>(CWnd::FromHandlePermanent(dialog));
        ASSERT_NE(records, nullptr);
        records->Grid().SetSelectedRange(place, 0, place, records->Grid().GetColumnCount() - 1);
        Press(dialog, IDC_RECORD_SET_QTY);
      }
      Press(dialog, IDOK);
    });
    p.ClickButton(0);
    EXPECT_EQ(std::string(p.list.Item(0)->GetText().GetData()), c.rowText) << c.what;
    EXPECT_EQ(p.Quantity(), c.quantity) << c.what;
    EXPECT_EQ(::IsWindowEnabled(p.quantity) != FALSE, c.quantityEditable) << c.what;
  }
  uitest::SaveWindowPng(p.hostWindow.m_hWnd, dsui_test::PicturePath("prompt_records_row_en.png"));
}

TEST_F(PromptActions, ALongTextRowRunsTheInstalledDialogOnly) {
  PrintPrompts p;
  p.ClickButton(1);
  EXPECT_STREQ(p.list.Item(1)->GetText().GetData(), "1 Main St");
  static int runs = 0;
  static const PromptRowDialogs kDialogs{
      .longText = [](CWnd* parent, CPromptItem& row) {
        ++runs;
        EXPECT_NE(parent, nullptr);
        row.m_text = "2 Side St";
        return IDOK;
      },
  };
  SetPromptRowDialogs(&kDialogs);
  p.ClickButton(1);
  EXPECT_EQ(runs, 1);
  EXPECT_STREQ(p.list.Item(1)->GetText().GetData(), "2 Side St");
}

}  // namespace
