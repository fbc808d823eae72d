// The structured data on the Barcode / Data page, filled as a person would:
// identifiers picked from the grid's drop lists and their data typed for a
// UCC/EAN 128 Multi field, the HIBC rows typed for an HIBC field, the UPS
// message typed part by part into a MaxiCode field's two lists; after OK
// the field holds the rows and zxing-cpp reads them from the label's
// picture. A refused row keeps the sheet on the page with its data cell
// chosen.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/barcode/barcode_ids.h"
#include "fields/barcode/symbology_catalogue.h"
#include "grid/grid_ctrl.h"
#include "datasource/ui/prompt/prompt_list.h"
#include "tests/dialogs/barcode/barcode_sheet_support.h"
#include "tests/dialogs/barcode/field_on_label.h"
#include "tests/grid/grid_driving.h"

namespace {

using namespace barcode_sheet_test;

using grid_test::FocusCell;

void Pick(CGridCtrl& grid, int row, int col, int option) { grid_test::PickOption(grid, row, col, option); }
void TypeCell(CGridCtrl& grid, int row, const char* text) { grid_test::TypeIntoCell(grid, row, 1, text); }

// Edits a data cell's text: F2, the old characters erased, the new typed.
void RetypeCell(CGridCtrl& grid, int row, int erase, const char* text) {
  FocusCell(grid, row, 1);
  uitest::Key(VK_F2);
  for (int i = 0; i < erase; ++i) uitest::Key(VK_BACK);
  uitest::TypeText(std::string_view(text));
  uitest::Key(VK_RETURN);
  uitest::RunUntilIdle();
}

// The sheet run on a new field; the field it made, or null.
std::unique_ptr<CBarcodeField> RunOnNewField(CLabelSetup& setup, int hibc, SheetRun& run, int* result) {
  CField* made = nullptr;
  *result = RunSheet(setup, &made, hibc, run);
  return std::unique_ptr<CBarcodeField>(static_cast<CBarcodeField*>(made));
}

int OptionOf(const char* code) {
  const typAIdef* def = FindAIDefinition(code);
  return def ? static_cast<int>(def - GetAiDefinitions().data()) + 1 : 0;
}

TEST(BarcodeStructuredData, IdentifiersPickedInTheGridMakeTheSymbol) {
  InitSymbologyTables();
  LanguageScope english(kUiEnglish);
  CLabelSetup setup;
  std::vector<std::string> shown;
  SheetRun run;
  RecordBoxes(run, shown);
  run.script = [&](HWND sheet) {
    HWND page = ShowPage(sheet, 0);
    EXPECT_FALSE(Shown(page, IDC_BC_AI_GRID)) << "Code 39 has no identifiers";
    ASSERT_TRUE(ChooseData(page, IDC_BC_SYMBOLOGY, 20));
    ASSERT_TRUE(Shown(page, IDC_BC_AI_GRID));
    EXPECT_FALSE(::IsWindowVisible(PanelOf(page))) << "the rows stand in the data's place";
    CGridCtrl* grid = GridOf(page, IDC_BC_AI_GRID);
    ASSERT_NE(grid, nullptr);
    Pick(*grid, 1, 0, OptionOf("01"));
    EXPECT_EQ(Text(page, IDC_BC_AI_RULE), "14 Numeric Characters");
    TypeCell(*grid, 1, "12345678901231");
    Pick(*grid, 2, 0, OptionOf("00"));
    TypeCell(*grid, 2, "1234");
    uitest::SaveWindowPng(sheet, PicturePath("barcode_data_ai_grid_en.png"));
    // Four digits of an SSCC are refused: the page stays on the row.
    PressOk(sheet);
    ASSERT_TRUE(::IsWindow(sheet));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "4 characters were given for SSCC; exactly 18 are needed.");
    EXPECT_EQ(grid->GetFocusCell().row, 2);
    EXPECT_EQ(grid->GetFocusCell().col, 1);
    Pick(*grid, 2, 0, OptionOf("10"));
    RetypeCell(*grid, 2, 4, "LOT42");
    PressOk(sheet);
  };
  int result = 0;
  std::unique_ptr<CBarcodeField> field = RunOnNewField(setup, 0, run, &result);
  ASSERT_EQ(result, 1) << (shown.empty() ? "" : shown.back());
  EXPECT_EQ(field->symbology, 20);
  EXPECT_STREQ(field->aiCode[0].GetData(), "01");
  EXPECT_STREQ(field->aiData[0].GetData(), "12345678901231");
  EXPECT_STREQ(field->aiCode[1].GetData(), "10");
  EXPECT_STREQ(field->aiData[1].GetData(), "LOT42");

  const std::string read = ReadFieldAsPrinted(setup, std::move(field), ZXing::BarcodeFormat::Code128,
                                              PicturePath("barcode_data_ai_label.png"));
  EXPECT_NE(read.find("0112345678901231"), std::string::npos) << read;
  EXPECT_NE(read.find("10LOT42"), std::string::npos) << read;
}

TEST(BarcodeStructuredData, AStoredIdentifierRetypedIsTaken) {
  InitSymbologyTables();
  CLabelSetup setup;
  auto field = MultiFieldWithGtin(setup);
  SheetRun run;
  run.script = [&](HWND sheet) {
    CGridCtrl* grid = GridOf(ShowPage(sheet, 0), IDC_BC_AI_GRID);
    ASSERT_NE(grid, nullptr);
    RetypeCell(*grid, 1, 14, "09876543210982");
    PressOk(sheet);
  };
  CField* edited = field.get();
  ASSERT_EQ(RunSheet(setup, &edited, 0, run), 1);
  EXPECT_STREQ(field->aiData[0].GetData(), "09876543210982");
}

TEST(BarcodeStructuredData, HibcRowsTypedInTheGridMakeTheSymbol) {
  LanguageScope english(kUiEnglish);
  CLabelSetup setup;
  std::vector<std::string> shown;
  SheetRun run;
  RecordBoxes(run, shown);
  run.script = [&](HWND sheet) {
    HWND page = ShowPage(sheet, 0);
    ASSERT_TRUE(Shown(page, IDC_BC_HIBC_GRID));
    ASSERT_TRUE(Shown(page, IDC_BC_HIBC_TYPE));
    EXPECT_FALSE(::IsWindowVisible(PanelOf(page)));
    CGridCtrl* grid = GridOf(page, IDC_BC_HIBC_GRID);
    ASSERT_NE(grid, nullptr);
    ASSERT_TRUE(ChooseData(page, IDC_BC_HIBC_TYPE, 1));  // primary: rows 0 to 2
    EXPECT_FALSE(grid->IsCellEditable(5, 1));
    TypeCell(*grid, 0, "A123");
    TypeCell(*grid, 1, "PROD1");
    TypeCell(*grid, 2, "0");
    uitest::SaveWindowPng(sheet, PicturePath("barcode_data_hibc_grid_en.png"));
    PressOk(sheet);
  };
  int result = 0;
  std::unique_ptr<CBarcodeField> field = RunOnNewField(setup, 1, run, &result);
  ASSERT_EQ(result, 1) << (shown.empty() ? "" : shown.back());
  EXPECT_EQ(field->hibcForm, 1);
  EXPECT_STREQ(field->aiData[0].GetData(), "A123");
  EXPECT_STREQ(field->aiData[1].GetData(), "PROD1");

  const std::string read = ReadFieldAsPrinted(setup, std::move(field), ZXing::BarcodeFormat::Code39,
                                              PicturePath("barcode_data_hibc_label.png"));
  EXPECT_EQ(read.rfind("+A123PROD10", 0), 0u) << read;
}

// The UPS message of a MaxiCode field in mode 2, typed part by part; its
// postal code one digit short at first.
constexpr const char* kUpsMessage[] = {"84170667", "840", "001", "1Z12345678", "123456", "089", "",
                                       "1/1", "10", "Y", "", "ATLANTA", "GA"};

CPromptList* PartList(HWND page, int id) {
  return dynamic_cast<CPromptList*>(CWnd::FromHandlePermanent(::GetDlgItem(page, id)));
}

void TypePart(CPromptList& list, int row, const char* text) {
  list.MakeCurrent(row, true);
  uitest::RunUntilIdle();
  HWND editor = list.Item(row)->Editor();
  ASSERT_NE(editor, nullptr) << row;
  ::SetFocus(editor);
  ::SendMessageW(editor, EM_SETSEL, 0, -1);
  uitest::Key(VK_DELETE);
  uitest::TypeText(std::string_view(text));
  uitest::RunUntilIdle();
}

TEST(BarcodeStructuredData, UpsMessageTypedIntoTheMaxiCodeListsMakesTheSymbol) {
  LanguageScope english(kUiEnglish);
  CLabelSetup setup;
  std::vector<std::string> shown;
  SheetRun run;
  RecordBoxes(run, shown);
  MessageRecorder messages;  // the field's checks speak through numbered messages
  std::string postalInModeThree;
  run.script = [&](HWND sheet) {
    HWND page = ShowPage(sheet, 0);
    ASSERT_TRUE(ChooseData(page, IDC_BC_SYMBOLOGY, 28));
    ASSERT_TRUE(ChooseData(page, IDC_BC_MAXI_MODE, 2));
    ASSERT_TRUE(Shown(page, IDC_BC_MAXI_PARTS));
    ASSERT_TRUE(Shown(page, IDC_BC_MAXI_PARTS2));
    EXPECT_FALSE(::IsWindowVisible(PanelOf(page))) << "the parts stand in the data's place";
    CPromptList* first = PartList(page, IDC_BC_MAXI_PARTS);
    CPromptList* second = PartList(page, IDC_BC_MAXI_PARTS2);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->RowCount(), 7);
    EXPECT_EQ(second->RowCount(), 6);
    // Mode 3 takes six characters of a postal code, upper case; back in mode
    // 2 only its digits stay.
    ASSERT_TRUE(ChooseData(page, IDC_BC_MAXI_MODE, 3));
    TypePart(*first, 0, "ab12345x");
    postalInModeThree = first->Item(0)->GetText().GetData();
    ASSERT_TRUE(ChooseData(page, IDC_BC_MAXI_MODE, 2));
    EXPECT_STREQ(first->Item(0)->GetText().GetData(), "1234");
    for (int part = 0; part < 13; ++part) {
      if (*kUpsMessage[part]) TypePart(part < 7 ? *first : *second, part < 7 ? part : part - 7, kUpsMessage[part]);
    }
    uitest::SaveWindowPng(sheet, PicturePath("barcode_data_maxicode_en.png"));
    // Eight digits of a nine-digit postal code are refused on the part.
    PressOk(sheet);
    ASSERT_TRUE(::IsWindow(sheet));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.Last(), static_cast<UINT>(kMsgPostalCodeLength));
    EXPECT_EQ(first->m_current, 0) << "the refused part is current";
    TypePart(*first, 0, "841706672");
    PressOk(sheet);
  };
  int result = 0;
  std::unique_ptr<CBarcodeField> field = RunOnNewField(setup, 0, run, &result);
  ASSERT_EQ(result, 1) << "message " << messages.Last();
  EXPECT_EQ(postalInModeThree, "AB1234");
  EXPECT_EQ(field->maxiMode, 2);
  EXPECT_STREQ(field->upsField[0].GetData(), "841706672");
  EXPECT_STREQ(field->upsField[11].GetData(), "ATLANTA");

  const std::string read = ReadFieldAsPrinted(setup, std::move(field), ZXing::BarcodeFormat::MaxiCode,
                                              PicturePath("barcode_data_maxicode_label.png"));
  EXPECT_NE(read.find("ATLANTA"), std::string::npos) << read;
  EXPECT_NE(read.find("1Z12345678"), std::string::npos) << read;
}

}  // namespace
