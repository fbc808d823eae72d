// The grids of structured barcode data driven as a person would: identifiers
// and formats picked from the cells' drop lists with the keyboard, data typed
// into the cells, the rows read back into the field and refusals shown in the
// message box; pictures of both grids.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datasource/ui/structured/structured_grids.h"
#include "fields/barcode/structured_parts.h"
#include "fields/barcode/symbology_catalogue.h"
#include "grid/grid_combo.h"
#include "panel_test_support.h"
#include "tests/grid/grid_driving.h"

namespace {

using apptest::DialogScript;
using apptest::LanguageScope;
using apptest::Press;

struct HostWindow : CWnd {
  HostWindow() {
    CreateEx(0, nullptr, "Barcode data", WS_POPUP | WS_VISIBLE | WS_CAPTION, 30, 30, 620, 260, nullptr, nullptr);
  }
};

std::string Utf8(const AString& s) { return s.IsEmpty() ? std::string() : std::string(s.GetData(), s.GetLength()); }

struct GridFixture {
  LanguageScope english{kUiEnglish};  // the numbered messages' texts
  HostWindow host;
  CGridCtrl grid;
  GridFixture() {
    InitSymbologyTables();
    grid.Create({10, 10, 600, 210}, &host, 1256);
  }
  std::string Cell(int row, int col) const { return Utf8(grid.GetItemText(row, col)); }
  void Focus(int row, int col) { grid_test::FocusCell(grid, row, col); }
  // Opens the cell's drop list with F2 and walks to the option with the arrow keys.
  void Pick(int row, int col, int option) { grid_test::PickOption(grid, row, col, option); }
  void Type(int row, int col, const char* text) { grid_test::TypeIntoCell(grid, row, col, text); }
  bool ReadOnly(int row, int col) const { return !grid.IsCellEditable(row, col); }
};

// The drop-list option of an identifier: "None" comes first.
int OptionOf(const char* code) {
  const typAIdef* def = FindAIDefinition(code);
  return def ? static_cast<int>(def - GetAiDefinitions().data()) + 1 : 0;
}

// Applies the grid; the message box that comes up is read and closed.
struct Applied {
  int result = -1;
  int badRow = -1;
  std::string shown;
};
template <class ApplyFn>
Applied Apply(ApplyFn apply) {
  Applied out;
  DialogScript script;
  script.Then([&](HWND box) {
    out.shown = dsui_test::ShownText(box);
    Press(box, IDOK);
  });
  out.result = apply(&out.badRow);
  return out;
}

TEST(StructuredGrids, AiGridShowsTheFieldsRows) {
  GridFixture f;
  CBarcodeField field;
  field.symbology = 20;
  field.aiCode[0] = "00";
  field.aiData[0] = "123456789012345678";
  field.aiCode[1] = "10";
  field.aiSource[1] = 2;
  SetupAiGrid(f.grid, field, false);
  EXPECT_EQ(f.grid.GetRowCount(), 7);
  EXPECT_EQ(f.grid.GetFixedRowCount(), 1);
  EXPECT_EQ(f.Cell(0, 0), "Application Identifier");
  EXPECT_EQ(f.Cell(0, 2), "Data source");
  EXPECT_EQ(f.Cell(1, 0), "  00   SSCC");
  EXPECT_EQ(f.Cell(1, 1), "123456789012345678");
  EXPECT_EQ(f.Cell(2, 2), "Prompt Before Print");
  EXPECT_EQ(f.Cell(3, 0), "None");
  EXPECT_TRUE(f.ReadOnly(2, 1)) << "a prompted row's data is asked before printing";
  EXPECT_FALSE(f.ReadOnly(1, 1));
  auto* sscc = dynamic_cast<CGridCell*>(f.grid.GetCell(1, 1));
  EXPECT_EQ(sscc->m_nLengthLimit, 18);
  EXPECT_TRUE(sscc->m_bDigitsOnly);
  for (int col = 0; col < 3; ++col) EXPECT_GT(f.grid.GetColumnWidth(col), 40) << "every column can be seen";
  uitest::RunUntilIdle();
  uitest::SaveWindowPng(f.host.m_hWnd, dsui_test::PicturePath("ai_grid_en.png"));

  // The prompt dialog: only the prompted row's data is editable.
  SetupAiGrid(f.grid, field, true);
  EXPECT_TRUE(f.ReadOnly(1, 1));
  EXPECT_FALSE(f.ReadOnly(2, 1));
  for (int row = 1; row <= 6; ++row) {
    EXPECT_TRUE(f.ReadOnly(row, 0)) << row;
    EXPECT_TRUE(f.ReadOnly(row, 2)) << row;
  }
}

TEST(StructuredGrids, AiGridRefusesWhatTheIdentifierForbids) {
  struct Case {
    const char* why;
    const char* code;
    const char* stored;  // data the field held (an older layout), or null
    const char* typed;   // typed into the data cell, or null
    int result;
    int badRow;
    const char* shown;   // a piece of the message, or "" for none
  };
  const Case cases[] = {
      {"an SSCC of 18 digits", "00", nullptr, "123456789012345675", 1, -1, ""},
      {"an SSCC whose check digit is wrong", "00", nullptr, "123456789012345678", 0, 0,
       "\"123456789012345678\" for SSCC ends in a wrong check digit; it must end in 5."},
      {"seventeen digits and a letter", "00", "12345678901234567X", nullptr, 0, 0,
       "\"12345678901234567X\" for SSCC must be exactly 18 digits."},
      {"seventeen digits", "00", nullptr, "12345678901234567", 0, 0,
       "17 characters were given for SSCC; exactly 18 are needed."},
      {"a batch too long", "10", "ABCDEFGHIJKLMNOPQRSTU", nullptr, 0, 0,
       "21 characters were given for BATCH/LOT; 1 to 20 are needed."},
      {"the cell takes no more than the identifier allows", "10", nullptr, "ABCDEFGHIJKLMNOPQRSTUVWXY", 1, -1, ""},
      {"the cell takes digits only", "00", nullptr, "12345678901234567X5", 1, -1, ""},
      {"no identifier", nullptr, nullptr, nullptr, 0, 0, "Data must not be empty."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    GridFixture f;
    CBarcodeField field;
    field.symbology = 20;
    if (c.stored) {
      field.aiCode[0] = c.code;
      field.aiData[0] = c.stored;
    }
    SetupAiGrid(f.grid, field, false);
    if (c.code && !c.stored) {
      f.Pick(1, 0, OptionOf(c.code));
      RefreshAiGridRow(f.grid, 1, false);  // as the page does when the cell's editing ends
    }
    if (c.typed) f.Type(1, 1, c.typed);
    const Applied a = Apply([&](int* bad) { return ApplyAiGrid(&f.host, f.grid, field, bad, false); });
    EXPECT_EQ(a.result, c.result);
    EXPECT_EQ(a.badRow, c.badRow);
    if (*c.shown) {
      EXPECT_NE(a.shown.find(c.shown), std::string::npos) << a.shown;
    } else {
      EXPECT_EQ(a.shown, "");
    }
    if (c.result == 1) {
      const typAIdef* def = FindAIDefinition(c.code);
      EXPECT_STREQ(field.aiCode[0].GetData(), c.code);
      EXPECT_EQ(field.aiData[0].GetLength(), def->maxLength) << "cut to the identifier's length";
      if (def->charKinds == 1) {
        for (int i = 0; i < field.aiData[0].GetLength(); ++i) EXPECT_TRUE(isdigit(field.aiData[0].GetData()[i]));
      }
    }
  }
}

TEST(StructuredGrids, AiGridBuildsTheFieldsIdentifiers) {
  GridFixture f;
  CBarcodeField field;
  field.symbology = 20;
  field.aiCode[4] = "01";  // a slot the user sets back to "None"
  field.aiData[4] = "stale";
  SetupAiGrid(f.grid, field, false);
  f.Pick(1, 0, OptionOf("17"));
  RefreshAiGridRow(f.grid, 1, false);
  f.Type(1, 1, "261231");
  f.Pick(2, 0, OptionOf("10"));
  RefreshAiGridRow(f.grid, 2, false);
  f.Pick(2, 2, 1);  // Prompt Before Print
  RefreshAiGridRow(f.grid, 2, false);
  EXPECT_TRUE(f.ReadOnly(2, 1));
  f.Pick(5, 0, 0);
  const Applied a = Apply([&](int* bad) { return ApplyAiGrid(&f.host, f.grid, field, bad, false); });
  EXPECT_EQ(a.result, 1) << a.shown;
  EXPECT_STREQ(field.aiCode[0].GetData(), "17");
  EXPECT_STREQ(field.aiData[0].GetData(), "261231");
  EXPECT_EQ(field.aiSource[0], 0);
  EXPECT_STREQ(field.aiCode[1].GetData(), "10");
  EXPECT_EQ(field.aiSource[1], 2);
  EXPECT_EQ(field.aiSourceBackup[1], 2);
  EXPECT_TRUE(field.aiCode[4].IsEmpty());
  EXPECT_TRUE(field.aiData[4].IsEmpty());

  // Before printing: the prompted batch is typed and checked.
  SetupAiGrid(f.grid, field, true);
  f.Type(2, 1, "LOT42");
  const Applied p = Apply([&](int* bad) { return ApplyAiGrid(&f.host, f.grid, field, bad, true); });
  EXPECT_EQ(p.result, 1) << p.shown;
  EXPECT_STREQ(field.aiData[1].GetData(), "LOT42");
  EXPECT_STREQ(field.aiData[0].GetData(), "261231");
}

TEST(StructuredGrids, HibcGridBuildsItsData) {
  GridFixture f;
  CBarcodeField field;
  field.symbology = 1;
  field.useHibc = 1;
  SetupHibcGrid(f.grid, field, false);
  EXPECT_EQ(f.grid.GetRowCount(), 6);
  EXPECT_EQ(f.grid.GetFixedRowCount(), 0);
  EXPECT_EQ(f.Cell(0, 0), kHibcRows[0].name);
  EXPECT_EQ(f.Cell(3, 0), "Quantity 0 Digits");
  EXPECT_EQ(f.Cell(4, 0), "Date Format: None");
  EXPECT_TRUE(f.ReadOnly(3, 1)) << "no quantity digits: nothing to type";
  EXPECT_TRUE(f.ReadOnly(3, 2));
  EXPECT_TRUE(f.ReadOnly(0, 0));
  f.Type(0, 1, "A123");
  f.Type(1, 1, "PROD1");
  f.Type(2, 1, "0");
  f.Pick(3, 0, 1);  // two quantity digits
  SetHibcDataCellLimit(f.grid, 3, 1);
  EXPECT_FALSE(f.ReadOnly(3, 1));
  EXPECT_FALSE(f.ReadOnly(3, 2)) << "its source can be chosen again";
  f.Type(3, 1, "12");
  f.Pick(4, 0, 1);  // YYMMDD
  SetHibcDataCellLimit(f.grid, 4, 1);
  f.Type(4, 1, "26a1211");  // the date cell takes digits only
  f.Type(5, 1, "LOT7");
  uitest::RunUntilIdle();
  uitest::SaveWindowPng(f.host.m_hWnd, dsui_test::PicturePath("hibc_grid_en.png"));
  const Applied a = Apply([&](int* bad) { return ApplyHibcGrid(&f.host, f.grid, field, bad, false); });
  EXPECT_EQ(a.result, 1) << a.shown;
  const std::vector<std::string> rows{"A123", "PROD1", "0", "12", "261211", "LOT7"};
  for (size_t r = 0; r < rows.size(); ++r) EXPECT_EQ(Utf8(field.aiData[r]), rows[r]) << r;
  EXPECT_EQ(field.upsSource[kHibcQuantityFormatSlot], 1);
  EXPECT_EQ(field.upsSource[kHibcDateFormatSlot], 1);
  const std::string data = Utf8(BuildHibcText(field));
  EXPECT_EQ(data.rfind("+A123PROD10", 0), 0u) << data;
  EXPECT_NE(data.find("261211"), std::string::npos) << data;
  EXPECT_NE(data.find("LOT7"), std::string::npos) << data;
}

TEST(StructuredGrids, HibcGridKeepsToItsForm) {
  GridFixture f;
  CBarcodeField field;
  field.symbology = 1;
  field.useHibc = 1;
  field.aiData[0] = "A123";
  field.aiData[1] = "PROD1";
  field.aiData[2] = "0";
  field.aiData[5] = "LOT7";
  field.upsSource[kHibcQuantityFormatSlot] = 1;
  field.aiData[3] = "12";
  SetupHibcGrid(f.grid, field, false);
  field.hibcForm = 1;  // primary: rows 3 to 5 go, whatever the grid shows
  EnableHibcGridRows(f.grid, field);
  for (int row = 3; row <= 5; ++row) EXPECT_TRUE(f.ReadOnly(row, 1)) << row;
  EXPECT_FALSE(f.ReadOnly(0, 1));
  const Applied a = Apply([&](int* bad) { return ApplyHibcGrid(&f.host, f.grid, field, bad, false); });
  EXPECT_EQ(a.result, 1) << a.shown;
  for (size_t r = 3; r <= 5; ++r) EXPECT_TRUE(field.aiData[r].IsEmpty()) << r;
  EXPECT_EQ(field.upsSource[kHibcQuantityFormatSlot], 0);

  // A LIC of three characters is refused and names its row.
  field.hibcForm = 0;
  SetupHibcGrid(f.grid, field, false);
  f.Type(0, 1, "A12");
  const Applied refused = Apply([&](int* bad) { return ApplyHibcGrid(&f.host, f.grid, field, bad, false); });
  EXPECT_EQ(refused.result, 0);
  EXPECT_EQ(refused.badRow, 0);
  EXPECT_NE(refused.shown.find("3 characters were given for Labeler Identification Code (LIC) (4 a/n); exactly 4 are "
                               "needed."),
            std::string::npos)
      << refused.shown;
}

TEST(StructuredGrids, GridsInChinese) {
  GridFixture f;
  LanguageScope chinese(kUiChineseSimplified);
  CBarcodeField field;
  field.symbology = 20;
  field.aiCode[0] = "00";
  SetupAiGrid(f.grid, field, false);
  EXPECT_EQ(f.Cell(1, 2), Utf8(TranslateUiString("Fixed Data")));
  EXPECT_NE(f.Cell(0, 0), "Application Identifier");
  uitest::RunUntilIdle();
  uitest::SaveWindowPng(f.host.m_hWnd, dsui_test::PicturePath("ai_grid_zh.png"));
  field.symbology = 1;
  field.useHibc = 1;
  SetupHibcGrid(f.grid, field, false);
  EXPECT_NE(f.Cell(0, 0), kHibcRows[0].name);
  uitest::RunUntilIdle();
  uitest::SaveWindowPng(f.host.m_hWnd, dsui_test::PicturePath("hibc_grid_zh.png"));
}

}  // namespace
