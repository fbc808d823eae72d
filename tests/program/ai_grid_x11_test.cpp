// The application-identifier grid of a UCC/EAN 128 Multi field in the real
// program on its own X server with a window manager, driven by xdotool as a
// person would: the field double-clicked in the design view, an identifier
// picked from a row's drop list and its data typed, a range dragged, a
// column divider dragged, the wheel turned, a cell range copied and pasted
// with Ctrl+C and Ctrl+V, OK; the layout saved with Ctrl+S renders a GS1-128
// symbol carrying the rows, read by zxing-cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "fields/barcode/barcode_checks.h"
#include "fields/barcode/symbology_catalogue.h"
#include "fields/measure/field_measure.h"
#include "fields/model/field_kinds.h"
#include "one_barcode_layout.h"
#include "program_x11_fixture.h"
#include "screen_pixels.h"
#include "screen_symbols.h"
#include "tests/dialogs/barcode/field_on_label.h"

namespace {

using apptest::Found;
using apptest::WaitUntil;
using apptest::White;

constexpr int kWidth = apptest::ProgramX11Test::kScreenWidth, kHeight = apptest::ProgramX11Test::kScreenHeight;
constexpr int kUccEanMulti = 20;
constexpr const char* kGtin = "12345678901231";

// The GS1-128 symbol on the screen whose data holds `part`.
Found ReadGs1(const std::vector<uint32_t>& screen, const std::string& part) {
  return apptest::ReadScreenSymbolWhere(screen, kWidth, kHeight, ZXing::BarcodeFormat::Code128,
                                        [&](const std::string& bytes) { return bytes.find(part) != std::string::npos; });
}

// The identifier grid as the screen shows it: its six rows (white runs down
// a column of the page through the data column's empty right part, between
// the grid's lines) and the dividers between its columns (the single lines
// across an empty row's top line of pixels, up to the grid's thicker edges).
struct GridOnScreen {
  std::vector<int> rowTops;
  int rowHeight = 0;
  std::vector<int> dividers;
  int Middle(int row) const { return rowTops[static_cast<size_t>(row)] + rowHeight / 2; }
  int HeaderMiddle() const { return rowTops[0] - rowHeight / 2 - 1; }
};

// The single lines across the line of pixels at `y`, through the data
// column's empty right part, up to the grid's thicker edges.
std::vector<int> FindDividers(const std::vector<uint32_t>& screen, const std::vector<long>& sheet, int y) {
  std::vector<int> dividers;
  int left = static_cast<int>(sheet[0] + sheet[2] * 6 / 10);
  while (left > sheet[0] && (White(screen, left - 1, y) || White(screen, left - 2, y))) --left;
  for (int at = left; at < sheet[0] + sheet[2] && (White(screen, at, y) || White(screen, at + 1, y)); ++at)
    if (!White(screen, at, y)) dividers.push_back(at);
  return dividers;
}

GridOnScreen FindGrid(const std::vector<uint32_t>& screen, const std::vector<long>& sheet) {
  GridOnScreen grid;
  const int x = static_cast<int>(sheet[0] + sheet[2] * 6 / 10);
  int top = -1;
  for (int y = static_cast<int>(sheet[1] + 100); y < sheet[1] + sheet[3] - 40 && grid.rowTops.size() < 6; ++y) {
    if (White(screen, x, y)) {
      if (top < 0) top = y;
    } else if (top >= 0) {
      if (y - top >= 8) {
        grid.rowTops.push_back(top);
        grid.rowHeight = y - top + 1;
      }
      top = -1;
    }
  }
  if (grid.rowTops.size() == 6) grid.dividers = FindDividers(screen, sheet, grid.rowTops[4]);
  return grid;
}

class AiGridX11 : public apptest::ProgramX11Test {
 protected:
  void MoveTo(int x, int y) { Xdo({"mousemove", "--sync", std::to_string(x), std::to_string(y)}); }
  void DragFrom(int x, int y, int toX, int toY) {
    MoveTo(x, y);
    Xdo({"mousedown", "1"});
    for (int step = 1; step <= 4; ++step) {
      Xdo({"sleep", "0.1"});
      MoveTo(x + (toX - x) * step / 4, y + (toY - y) * step / 4);
    }
    Xdo({"mouseup", "1"});
    Settle();
  }
  void Key(const std::string& key, int times = 1) {
    Xdo({"key", "--clearmodifiers", "--repeat", std::to_string(times), "--delay", "10", key});
  }
  // A row's identifier picked from its drop list: the cell clicked, the
  // list opened with F2 and walked down from "None".
  void PickIdentifier(const GridOnScreen& grid, int row, const char* code) {
    const typAIdef* def = FindAIDefinition(code);
    ASSERT_NE(def, nullptr) << code;
    ClickAt(grid.dividers[0] - 40, grid.Middle(row));
    Key("F2");
    Settle();
    Key("Down", static_cast<int>(def - GetAiDefinitions().data()) + 1);
    Key("Return");
    Settle();
  }
  void TypeData(const GridOnScreen& grid, int row, const char* text) {
    ClickAt(grid.dividers[0] + 30, grid.Middle(row));
    Xdo({"type", "--delay", "30", text});
    Key("Return");
    Settle();
  }
};

// A layout of one UCC/EAN 128 Multi field holding a GTIN, large enough to be
// read from the screen.
void WriteMultiLayout(const std::string& path) {
  CLabelSetup setup;
  setup.LoadDefaults();
  setup.labelWidth = 6000;  // room for the four rows' symbol
  auto field = NewReadableBarcode(setup, kUccEanMulti, std::max(4, setup.dpiX / 75), {150, 400});
  field->aiCode[0] = "01";
  field->aiData[0] = kGtin;
  ASSERT_TRUE(SaveOneBarcodeLayout(path, setup, std::move(field)));
}

TEST_F(AiGridX11, RowsTypedCopiedAndPastedInTheGridMakeTheSymbol) {
  ASSERT_TRUE(server.Running());
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  InitSymbologyTables();
  const std::string file = temp / "multi.bcd";
  WriteMultiLayout(file);
  const pid_t designer = runner.Start({file});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitForWindow("multi"));
  const std::string stored = std::string("01") + kGtin;
  Found symbol;
  ASSERT_TRUE(WaitUntil(
      [&] {
        return (symbol = ReadGs1(server.Screenshot(), stored)).valid;
      },
      20))
      << "the GS1-128 symbol is drawn";
  Picture("ai_grid_1_layout");

  std::vector<long> sheet;
  ASSERT_NO_FATAL_FAILURE(
      OpenWithDoubleClick(symbol.CentreX(), symbol.CentreY(), "Barcode Setup", "ai_grid_2_opened", &sheet));
  GridOnScreen grid = FindGrid(server.Screenshot(), sheet);
  ASSERT_EQ(grid.rowTops.size(), 6u) << "the grid's rows";
  ASSERT_GE(grid.dividers.size(), 2u) << "the grid's columns";

  // A batch in the second row, typed.
  PickIdentifier(grid, 1, "10");
  TypeData(grid, 1, "LOT42");
  // Two more identifiers whose data come from the clipboard.
  PickIdentifier(grid, 2, "400");
  PickIdentifier(grid, 3, "21");
  Picture("ai_grid_3_typed");

  // The first two rows' data chosen, copied and pasted into the next two. A
  // press on a cell of this grid opens its editor at once, so a drag over
  // the cells chooses no range (a drag along the header row would choose
  // whole columns): Escape leaves the editor on the cell, and Shift+Down
  // stretches the choice over the second row.
  ClickAt(grid.dividers[0] + 30, grid.Middle(0));
  Key("Escape");
  Key("shift+Down");
  Settle();
  Picture("ai_grid_4_range_selected");
  {
    const std::vector<uint32_t> screen = server.Screenshot();
    const int x = grid.dividers[0] + 3;
    EXPECT_FALSE(White(screen, x, grid.rowTops[0] + 1)) << "the first row's data cell is highlighted";
    EXPECT_FALSE(White(screen, x, grid.rowTops[1] + 1)) << "the second row's data cell is highlighted";
    EXPECT_TRUE(White(screen, x, grid.rowTops[2] + 1)) << "the third row's is not";
  }
  Key("ctrl+c");
  ClickAt(grid.dividers[0] + 30, grid.Middle(2));
  Key("Escape");
  Key("ctrl+v");
  Settle();
  Picture("ai_grid_5_pasted");

  // The divider between identifier and data dragged 60 dots left (the data
  // column's right part, where the dividers are found, stays empty).
  const int oldDivider = grid.dividers[0];
  DragFrom(oldDivider, grid.HeaderMiddle(), oldDivider - 60, grid.HeaderMiddle());
  Picture("ai_grid_6_column_resized");
  // The rows stay where they were; rows 3 and 4, highlighted, are no longer
  // white, so only the dividers are found again, on an empty row.
  grid.dividers = FindDividers(server.Screenshot(), sheet, grid.rowTops[4]);
  ASSERT_GE(grid.dividers.size(), 2u);
  EXPECT_NEAR(grid.dividers[0], oldDivider - 60, 2) << "the identifier column is narrower";

  // The wheel turned over the grid: all six rows fit, so nothing moves.
  auto rowsShown = [&] {
    const std::vector<uint32_t> screen = server.Screenshot();
    const auto from = screen.begin() + static_cast<long>(grid.rowTops[0]) * kWidth;
    return std::vector<uint32_t>(from, from + static_cast<long>(6 * grid.rowHeight) * kWidth);
  };
  MoveTo(grid.dividers[0] + 30, grid.Middle(4));
  const std::vector<uint32_t> unwheeled = rowsShown();
  Xdo({"click", "--repeat", "3", "--delay", "50", "5"});
  Settle();
  EXPECT_TRUE(rowsShown() == unwheeled) << "the rows stay in place";
  Picture("ai_grid_7_wheeled");

  ASSERT_NO_FATAL_FAILURE(PressSheetOk(sheet, "Barcode Setup"));
  // The longer symbol runs past the view's edge at this zoom: the saved
  // layout's rendering is what is read.
  Picture("ai_grid_8_drawn");

  // Saved: the layout holds the four rows, and renders them.
  ASSERT_NO_FATAL_FAILURE(SaveAndQuit("multi", file, designer));

  SavedLayout<CBarcodeField> layout;
  ASSERT_NO_FATAL_FAILURE(LoadSavedField(file, &layout));
  const CBarcodeField* saved = layout.field;
  const std::vector<std::pair<std::string, std::string>> rows{
      {"01", kGtin}, {"10", "LOT42"}, {"400", kGtin}, {"21", "LOT42"}};
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(saved->aiCode[i].GetData(), rows[i].first) << i;
    EXPECT_EQ(saved->aiData[i].GetData(), rows[i].second) << i;
  }
  const std::string read = barcode_sheet_test::ReadFieldAsPrinted(
      layout.setup, std::move(layout.fields[0]), ZXing::BarcodeFormat::Code128,
      std::string(TAV_BUILD_DIR) + "/pictures/program/x11_ai_grid_9_saved.png");
  // Each identifier and its data exactly, a group separator after those of
  // variable length (the batch and the order number).
  EXPECT_EQ(read, std::string("01") + kGtin + "10LOT42\x1d" + "400" + kGtin + "\x1d" + "21LOT42");
}

}  // namespace
