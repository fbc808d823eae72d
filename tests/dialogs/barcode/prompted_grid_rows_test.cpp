// Rows of the structured-data grids switched to Prompt Before Print from
// their source list, as a person would: the data cell shows "X" as many times
// as the identifier's longest value (at most 30; 8 without an identifier and
// on HIBC rows) and takes no typing; switched back, the row's text returns;
// after OK the prompted row keeps its "X"s as its sample data.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialogs/barcode/barcode_ids.h"
#include "fields/barcode/symbology_catalogue.h"
#include "grid/grid_ctrl.h"
#include "tests/dialogs/barcode/barcode_sheet_support.h"
#include "tests/grid/grid_driving.h"

namespace {

using namespace barcode_sheet_test;

constexpr int kFixedOption = 0;
constexpr int kPromptOption = 1;
constexpr int kLinkedOption = 2;

std::string Cell(CGridCtrl& grid, int row) {
  const AString text = grid.GetItemText(row, 1);
  return std::string(text.GetData(), static_cast<size_t>(text.GetLength()));
}

// An identifier whose longest value is above 30 characters, if the table has one.
const typAIdef* LongIdentifier() {
  for (const typAIdef& def : GetAiDefinitions())
    if (def.maxLength > 30) return &def;
  return nullptr;
}

TEST(PromptedGridRows, IdentifierRowsShowXsAndGetTheirTextBack) {
  InitSymbologyTables();
  CLabelSetup setup;
  auto field = MultiFieldWithGtin(setup);
  field->aiCode[1] = "10";
  field->aiData[1] = "LOT42";
  field->aiCode[2] = "21";
  field->aiData[2] = "XXXXXXXXXXXXXXXXXXXX";
  field->aiSource[2] = 2;  // prompted when the sheet opens
  const typAIdef* longOne = LongIdentifier();
  if (longOne) {
    field->aiCode[3] = longOne->identifier;
    field->aiData[3] = "ABC";
  }
  SheetRun run;
  run.script = [&](HWND sheet) {
    CGridCtrl* grid = GridOf(ShowPage(sheet, 0), IDC_BC_AI_GRID);
    ASSERT_NE(grid, nullptr);
    struct Step {
      const char* what;
      int row, option;
      std::string shown;
      bool editable;
    };
    std::vector<Step> steps = {
        {"01 prompted: fourteen Xs", 1, kPromptOption, std::string(14, 'X'), false},
        {"10 prompted: twenty Xs", 2, kPromptOption, std::string(20, 'X'), false},
        {"01 back to Fixed Data: its number again", 1, kFixedOption, "12345678901231", true},
        {"10 to Link/Expression: its text again", 2, kLinkedOption, "LOT42", true},
        {"21, prompted as stored, to Fixed Data: nothing was kept", 3, kFixedOption, "", true},
        {"an empty row prompted: eight Xs", 6, kPromptOption, std::string(8, 'X'), false},
    };
    if (longOne) steps.push_back({"a long identifier: thirty Xs", 4, kPromptOption, std::string(30, 'X'), false});
    steps.push_back({"10 prompted again", 2, kPromptOption, std::string(20, 'X'), false});
    for (const Step& step : steps) {
      SCOPED_TRACE(step.what);
      grid_test::PickOption(*grid, step.row, 2, step.option);
      EXPECT_EQ(Cell(*grid, step.row), step.shown);
      EXPECT_EQ(grid->IsCellEditable(step.row, 1), step.editable);
    }
    // The third row's data typed again, to be taken on OK.
    grid_test::PickOption(*grid, 3, 2, kFixedOption);
    grid_test::TypeIntoCell(*grid, 3, 1, "SN7");
    uitest::SaveWindowPng(sheet, PicturePath("barcode_data_ai_prompted_rows.png"));
    PressOk(sheet);
  };
  CField* edited = field.get();
  ASSERT_EQ(RunSheet(setup, &edited, 0, run), 1);
  EXPECT_STREQ(field->aiData[0].GetData(), "12345678901231");
  EXPECT_EQ(field->aiSource[0], 0);
  EXPECT_EQ(std::string(field->aiData[1].GetData()), std::string(20, 'X'));
  EXPECT_EQ(field->aiSource[1], 2);
  EXPECT_STREQ(field->aiData[2].GetData(), "SN7");
  EXPECT_EQ(field->aiSource[2], 0);
}

TEST(PromptedGridRows, HibcRowsShowEightXs) {
  CLabelSetup setup;
  auto field = std::make_unique<CBarcodeField>(setup.dpiX);
  field->name = "Barcode_1";
  field->symbology = 1;
  field->subType = 1;
  field->useHibc = 1;
  field->hibcForm = 1;
  field->aiData[0] = "A123";
  field->aiData[1] = "PROD1";
  field->aiData[2] = "0";
  SheetRun run;
  run.script = [&](HWND sheet) {
    CGridCtrl* grid = GridOf(ShowPage(sheet, 0), IDC_BC_HIBC_GRID);
    ASSERT_NE(grid, nullptr);
    grid_test::PickOption(*grid, 1, 2, kPromptOption);
    EXPECT_EQ(Cell(*grid, 1), std::string(8, 'X'));
    EXPECT_FALSE(grid->IsCellEditable(1, 1));
    grid_test::PickOption(*grid, 1, 2, kFixedOption);
    EXPECT_EQ(Cell(*grid, 1), "PROD1");
    grid_test::PickOption(*grid, 0, 2, kPromptOption);
    EXPECT_EQ(Cell(*grid, 0), std::string(8, 'X'));
    PressOk(sheet);
  };
  CField* edited = field.get();
  ASSERT_EQ(RunSheet(setup, &edited, 1, run), 1);
  EXPECT_EQ(std::string(field->aiData[0].GetData()), std::string(8, 'X'));
  EXPECT_EQ(field->aiSource[0], 2);
  EXPECT_STREQ(field->aiData[1].GetData(), "PROD1");
}

}  // namespace
