// The application identifiers asked before printing, entered as a person
// would: the prompted rows' data typed into the grid, a refused row keeping
// the dialog open on its data cell, OK leaving the field as Fixed Data whose
// symbol zxing-cpp reads back with the entered values; Cancel after a refusal
// leaving the field as it was; pictures in English and Chinese.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "datasource/ui/prompt/prompt_item.h"
#include "dialogs/barcode/ai_entry_dlg.h"
#include "dialogs/barcode/barcode_ids.h"
#include "fields/barcode/symbology_catalogue.h"
#include "tests/dialogs/barcode/barcode_sheet_support.h"
#include "tests/dialogs/barcode/field_on_label.h"

namespace {

using namespace barcode_sheet_test;

// A multi-identifier field whose expiry date (slot 1) and batch (slot 2) are
// asked before printing; the print run has turned the prompted slots into
// Fixed Data and kept their sources aside.
std::unique_ptr<CBarcodeField> PromptedField(const CLabelSetup& setup) {
  InitSymbologyTables();
  auto f = std::make_unique<CBarcodeField>(setup.dpiX);
  f->name = "Barcode_1";
  f->symbology = 20;
  f->offset = {300, 300};
  f->dataSourceType = 2;
  f->aiCode[0] = "01";
  f->aiData[0] = "12345678901231";
  f->aiCode[1] = "17";
  f->aiCode[2] = "10";
  for (size_t slot : {1u, 2u}) {
    f->aiSource[slot] = 0;
    f->aiSourceBackup[slot] = 2;
  }
  return f;
}

CGridPickDlg* DialogOf(HWND window) { return dynamic_cast<CGridPickDlg*>(CWnd::FromHandlePermanent(window)); }

// Types into a data cell of the dialog's grid as a person would.
void TypeInCell(CGridCtrl& grid, int row, const char* text) {
  ::SetFocus(grid.m_hWnd);
  grid.SetFocusCell(row, 1);
  uitest::RunUntilIdle();
  uitest::TypeText(std::string_view(text));
  uitest::RunUntilIdle();
}

int RunDialog(CLabelSetup& setup, CBarcodeField& field, SheetRun& run) {
  CPromptItem row;
  row.m_type = PromptRowType::kAi;
  row.m_field = &field;
  row.m_labelSetup = &setup;
  user::SetModalDialogHook(&SheetHook, &run);
  const int result = RunAiEntryForPromptRow(row, nullptr);
  user::SetModalDialogHook(nullptr, nullptr);
  return result;
}

TEST(AiEntryDialog, ARefusedSlotKeepsTheDialogOnItsCellAndOkLeavesFixedData) {
  CLabelSetup setup;
  auto field = PromptedField(setup);
  LanguageScope english(kUiEnglish);  // the numbered messages' texts
  std::vector<std::string> shown;
  SheetRun run;
  RecordBoxes(run, shown);
  run.script = [&](HWND window) {
    CGridPickDlg* dialog = DialogOf(window);
    ASSERT_NE(dialog, nullptr);
    CGridCtrl& grid = dialog->Grid();
    EXPECT_EQ(grid.GetRowCount(), 7);
    EXPECT_FALSE(grid.IsCellEditable(1, 1)) << "the fixed GTIN is not asked";
    EXPECT_TRUE(grid.IsCellEditable(2, 1));
    EXPECT_TRUE(grid.IsCellEditable(3, 1));
    for (int r = 1; r <= 6; ++r) EXPECT_FALSE(grid.IsCellEditable(r, 0)) << r;
    EXPECT_EQ(Text(window, IDC_BC_AI_RULE), "6 Numeric Characters") << "the first asked row's rule";

    TypeInCell(grid, 2, "261231");
    // The batch left empty is refused: the dialog stays on its data cell.
    ::SendMessageW(window, WM_COMMAND, IDOK, 0);
    uitest::RunUntilIdle();
    ASSERT_TRUE(::IsWindow(window));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "0 characters were given for BATCH/LOT; 1 to 20 are needed.");
    EXPECT_EQ(grid.GetFocusCell().row, 3);
    EXPECT_EQ(grid.GetFocusCell().col, 1);
    EXPECT_TRUE(grid.IsCellSelected(3, 1));
    EXPECT_EQ(::GetFocus(), grid.m_hWnd);
    EXPECT_EQ(Text(window, IDC_BC_AI_RULE), "1-20 Alpha Characters");
    uitest::SaveWindowPng(window, PicturePath("ai_entry_refused_en.png"));

    TypeInCell(grid, 3, "LOT42");
    ::SendMessageW(window, WM_COMMAND, IDOK, 0);
    uitest::RunUntilIdle();
  };
  ASSERT_EQ(RunDialog(setup, *field, run), IDOK);
  EXPECT_EQ(field->dataSourceType, 0);
  EXPECT_STREQ(field->aiData[1].GetData(), "261231");
  EXPECT_STREQ(field->aiData[2].GetData(), "LOT42");
  EXPECT_EQ(field->aiSource[2], 2) << "the saved sources were put back";
  EXPECT_GT(field->width, 0);

  const std::string read =
      ReadFieldAsPrinted(setup, std::move(field), ZXing::BarcodeFormat::Code128, PicturePath("ai_entry_label.png"));
  EXPECT_NE(read.find("0112345678901231"), std::string::npos) << read;
  EXPECT_NE(read.find("17261231"), std::string::npos) << read;
  EXPECT_NE(read.find("10LOT42"), std::string::npos) << read;
}

TEST(AiEntryDialog, CancelAfterARefusalLeavesTheFieldAsItWas) {
  CLabelSetup setup;
  auto field = PromptedField(setup);
  field->aiData[1] = "250101";
  LanguageScope english(kUiEnglish);  // the numbered messages' texts
  std::vector<std::string> shown;
  SheetRun run;
  RecordBoxes(run, shown);
  run.script = [&](HWND window) {
    CGridCtrl& grid = DialogOf(window)->Grid();
    TypeInCell(grid, 2, "2612");  // too short
    ::SendMessageW(window, WM_COMMAND, IDOK, 0);
    uitest::RunUntilIdle();
    ASSERT_TRUE(::IsWindow(window));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "4 characters were given for USE BY OR EXPIRY; exactly 6 are needed.");
    EXPECT_EQ(grid.GetFocusCell().row, 2);
    ::SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    uitest::RunUntilIdle();
  };
  ASSERT_EQ(RunDialog(setup, *field, run), IDCANCEL);
  EXPECT_STREQ(field->aiData[1].GetData(), "250101");
  EXPECT_EQ(field->dataSourceType, 2);
}

TEST(AiEntryDialog, PicturesInEnglishAndChinese) {
  for (const int language : {kUiEnglish, kUiChineseSimplified}) {
    LanguageScope scope(language);
    CLabelSetup setup;
    auto field = PromptedField(setup);
    SheetRun run;
    run.script = [&](HWND window) {
      uitest::RunUntilIdle();
      const std::string name = language == kUiEnglish ? "en" : "zh";
      uitest::SaveWindowPng(window, PicturePath("ai_entry_" + name + ".png"));
      if (language != kUiEnglish) {
        EXPECT_NE(Text(window, IDC_BC_AI_RULE), "6 Numeric Characters");
        // The rule box's own text, read as a Unicode caller reads it, is the
        // language file's, not the program's code page's narrowing of it.
        WCHAR rule[64] = {};
        ::GetWindowTextW(::GetDlgItem(window, IDC_BC_AI_RULE), rule, 64);
        EXPECT_EQ(std::u16string(rule), u"6 \u4E2A\u6570\u5B57\u5B57\u7B26");  // "6 个数字字符"
      }
      ::SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_EQ(RunDialog(setup, *field, run), IDCANCEL);
  }
}

}  // namespace
