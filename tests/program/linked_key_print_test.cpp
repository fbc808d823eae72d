// File > Print in the running designer on a layout whose barcode prints a
// column of the record a linked key value selects: the print dialog asks
// for the key in a row of its prompt list, the key is typed there and the
// label printed to a picture, whose barcode zxing-cpp reads as the record's
// value that the sqlite3 shell reads. A key no record holds prints nothing
// and the message says which key of which column.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "datasource/db_bindings.h"
#include "datasource/ui/prompt/print_prompt_rows.h"
#include "platform/testing/ui.h"
#include "print_to_picture.h"
#include "tests/datasource/odbc_test_util.h"

namespace {

namespace fs = std::filesystem;
using programtest::PicturePath;

constexpr const char* kTable = "bins";
constexpr const char* kDesignData = "DESIGN-DATA";

struct KeyCase {
  const char* name;
  const char* typed;
  bool held;  // a record of the table has this key
};

class LinkedKeyPrint : public programtest::PrintToPictureTest, public ::testing::WithParamInterface<KeyCase> {
 protected:
  // The driver manager reads the sources' list once a process.
  static void SetUpTestSuite() { odbc_test::SetUpOdbcSources(); }
  static void TearDownTestSuite() { odbc_test::TearDownOdbcSources(); }
  void SetUp() override {
    ASSERT_FALSE(odbc_test::Folder().empty());
    odbc_test::Sqlite(std::string("DROP TABLE IF EXISTS ") + kTable + "; CREATE TABLE " + kTable +
                      " (code VARCHAR(8), label VARCHAR(20)); INSERT INTO " + kTable +
                      " VALUES ('B-01', 'LABEL-ALPHA'), ('B-02', 'LABEL-BRAVO'), ('B-03', 'LABEL-CHARLIE');");
    // Pictures are written as PNG (the second type of the picture list).
    WriteProfile("[Config]\nbFirstTimeRun=0\nPrint2ImageFileType=2\n");
    ASSERT_TRUE(StartProgram({}));
  }
};

// A Code 128 printing the label column of the record its linked key selects.
std::unique_ptr<CBarcodeField> KeyedBarcode(CLabelSetup& setup) {
  auto f = programtest::ReadableCode128(setup, kDesignData);
  f->dataSourceType = static_cast<int16_t>(DataSourceType::kDatabase);
  f->dbSource = odbc_test::kSqliteDsn;
  f->dbTable = kTable;
  f->dbColumn = "label";
  programtest::FitToMeasure(*f, setup);
  CDbBinding binding;
  binding.keyColumn = "code";
  binding.useLinkedKeyValue = 1;
  setup.dbBindings.SetAt(MakeDbBindingKey(f->dbSource, f->dbTable), binding);
  return f;
}

TEST_P(LinkedKeyPrint, TheTypedKeysRecordPrintsOrNothingDoes) {
  CRvoDoc* doc = NewPictureLayout();
  ASSERT_NE(doc, nullptr);
  doc->fieldList.push_back(KeyedBarcode(doc->labelSetup));
  doc->SetModifiedFlag(FALSE);

  const fs::path out = temp / "labels";
  fs::create_directories(out);
  const std::string picture = (out / (std::string(GetParam().name) + ".png")).string();

  std::string caption;
  if (!GetParam().held) messagePicture = "linked_key_message_unheld.png";
  PrintFromMenu(picture, [&](const programtest::ShownDialog& d, CPrintJobDlg& print) {
    auto* rows = dynamic_cast<CPrintPromptRows*>(print.Prompts());
    ASSERT_NE(rows, nullptr) << "the print dialog shows no prompt rows";
    ASSERT_EQ(rows->List().RowCount(), 1);
    caption = rows->List().Item(0)->m_caption.GetData();
    // The key typed into the row, which has the focus.
    uitest::TypeText(std::string_view(GetParam().typed));
    uitest::RunUntilIdle();
    uitest::SaveWindowPng(d.window, PicturePath(std::string("linked_key_") + GetParam().name + ".png"));
  });

  EXPECT_EQ(caption, std::string(kTable) + ": code");
  if (GetParam().held) {
    EXPECT_EQ(messages, std::vector<std::string>{});
    ASSERT_TRUE(fs::exists(picture));
    fs::copy_file(picture, PicturePath(std::string("linked_key_label_") + GetParam().name + ".png"),
                  fs::copy_options::overwrite_existing);
    const std::vector<std::string> record = odbc_test::Lines(odbc_test::Sqlite(
        std::string("SELECT label FROM ") + kTable + " WHERE code = '" + GetParam().typed + "';"));
    ASSERT_EQ(record.size(), 1u);
    EXPECT_EQ(programtest::Code128In(picture), record[0]);
  } else {
    EXPECT_FALSE(fs::exists(picture)) << "no label is printed";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(std::string("No record has the key value ") + GetParam().typed + " in its column code"),
              std::string::npos)
        << messages[0];
  }
  doc->SetModifiedFlag(FALSE);
}

INSTANTIATE_TEST_SUITE_P(Keys, LinkedKeyPrint,
                         ::testing::Values(KeyCase{"held", "B-02", true}, KeyCase{"unheld", "B-77", false}),
                         [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

}  // namespace
