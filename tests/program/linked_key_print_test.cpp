// File > Print in the running designer on a layout whose barcode prints a
// column of the record a linked key value selects: the print dialog asks
// for the key in a row of its prompt list, the key is typed there and the
// label printed to a picture, whose barcode zxing-cpp reads as the record's
// value that the sqlite3 shell reads. A key no record holds prints nothing
// and the message says which key of which column.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "barcode/request/symbology.h"
#include "datasource/db_bindings.h"
#include "datasource/ui/prompt/print_prompt_rows.h"
#include "designer_fixture.h"
#include "document/core/rvo_doc.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/measure/field_measure.h"
#include "fields/model/field_kinds.h"
#include "platform/testing/ui.h"
#include "print/dialog/print_job_dlg.h"
#include "print/print_ids.h"
#include "tests/datasource/odbc_environment.h"
#include "tests/dialogs/barcode/field_on_label.h"

namespace {

namespace fs = std::filesystem;
using programtest::DesignerTest;
using programtest::PicturePath;
using programtest::Press;
using programtest::ShownDialog;

constexpr const char* kTable = "bins";
constexpr const char* kDesignData = "DESIGN-DATA";

struct KeyCase {
  const char* name;
  const char* typed;
  bool held;  // a record of the table has this key
};

class LinkedKeyPrint : public DesignerTest, public ::testing::WithParamInterface<KeyCase> {
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
  auto f = std::make_unique<CBarcodeField>(setup.dpiX);
  SetNewBarcodeDefaults(*f, setup);
  f->name = "Barcode_1";
  f->symbology = static_cast<int16_t>(kalvo::CodeOf(kalvo::Symbology::Code128));
  f->data = kDesignData;
  f->dataSourceType = static_cast<int16_t>(DataSourceType::kDatabase);
  f->dbSource = odbc_test::kSqliteDsn;
  f->dbTable = kTable;
  f->dbColumn = "label";
  f->narrowBar = static_cast<int16_t>(std::max(2, setup.dpiX / 100));
  f->barHeight = 500;
  f->showHr = 0;
  f->offset = {200, 200};
  const SIZE size = MeasureBarcodeField(*f, CFieldList{}, setup, 0);
  f->width = size.cx;
  f->height = size.cy;
  CDbBinding binding;
  binding.keyColumn = "code";
  binding.useLinkedKeyValue = 1;
  setup.dbBindings.SetAt(MakeDbBindingKey(f->dbSource, f->dbTable), binding);
  return f;
}

TEST_P(LinkedKeyPrint, TheTypedKeysRecordPrintsOrNothingDoes) {
  ::SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_NEW, 0);
  Pump();
  auto* doc = dynamic_cast<CRvoDoc*>(App().GetActiveLayoutDoc());
  ASSERT_NE(doc, nullptr);
  doc->labelSetup.lastPrinter = "";  // picture files only
  doc->fieldList.push_back(KeyedBarcode(doc->labelSetup));
  doc->SetModifiedFlag(FALSE);

  const fs::path out = temp / "labels";
  fs::create_directories(out);
  const std::string picture = (out / (std::string(GetParam().name) + ".png")).string();

  std::string caption, message;
  act = [&](const ShownDialog& d) {
    CPrintJobDlg* print = CPrintJobDlg::Showing();
    if (!print || print->m_hWnd != d.window) {
      if (!d.text.empty()) {
        message = d.text;  // the job's message
      } else {
        ::SetDlgItemTextA(d.window, edt1, picture.c_str());  // the picture's name
        // The job's message, when there is one, is the next dialog.
        if (!GetParam().held) this->picture = "linked_key_message_unheld.png";
      }
      Press(d, IDOK);
      return;
    }
    auto* rows = dynamic_cast<CPrintPromptRows*>(print->Prompts());
    ASSERT_NE(rows, nullptr) << "the print dialog shows no prompt rows";
    ASSERT_EQ(rows->List().RowCount(), 1);
    caption = rows->List().Item(0)->m_caption.GetData();
    // The key typed into the row, which has the focus.
    uitest::TypeText(std::string_view(GetParam().typed));
    uitest::RunUntilIdle();
    uitest::SaveWindowPng(d.window, PicturePath(std::string("linked_key_") + GetParam().name + ".png"));
    Press(d, IDC_PRINT_RUN);
    Pump();
    Press(d, IDCANCEL);
  };
  ::SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_PRINT, 0);
  Pump();
  act = nullptr;

  EXPECT_EQ(caption, std::string(kTable) + ": code");
  if (GetParam().held) {
    EXPECT_TRUE(message.empty()) << message;
    ASSERT_TRUE(fs::exists(picture));
    fs::copy_file(picture, PicturePath(std::string("linked_key_label_") + GetParam().name + ".png"),
                  fs::copy_options::overwrite_existing);
    std::string record = odbc_test::Sqlite(std::string("SELECT label FROM ") + kTable + " WHERE code = '" +
                                           GetParam().typed + "';");
    while (!record.empty() && (record.back() == '\n' || record.back() == '\r')) record.pop_back();
    ASSERT_FALSE(record.empty());
    const auto rgb = document_test::ReadWithImageMagick(picture);
    ASSERT_TRUE(rgb.has_value());
    EXPECT_EQ(barcode_sheet_test::ReadSymbol(barcode_sheet_test::GreyOf(*rgb), ZXing::BarcodeFormat::Code128), record);
  } else {
    EXPECT_FALSE(fs::exists(picture)) << "no label is printed";
    EXPECT_NE(message.find(std::string("No record has the key value ") + GetParam().typed + " in its column code"),
              std::string::npos)
        << message;
  }
  doc->SetModifiedFlag(FALSE);
}

INSTANTIATE_TEST_SUITE_P(Keys, LinkedKeyPrint,
                         ::testing::Values(KeyCase{"held", "B-02", true}, KeyCase{"unheld", "B-77", false}),
                         [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

}  // namespace
