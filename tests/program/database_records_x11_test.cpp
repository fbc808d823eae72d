// A barcode bound to a column of an SQLite table in the real program on its
// own X server with a window manager, driven by xdotool as a person would:
// the field double-clicked in the design view, Database chosen on its data
// page, the data source picked in the Select Data Source dialog with a
// double click; File > Print with Ctrl+P, the table's row in the print
// dialog opens the record select dialog, where one record is picked with a
// click on its quantity cell and another with the arrow keys and Space; OK,
// Print, the pictures' folder typed. The two printed labels' barcodes, read
// by zxing-cpp, are those records' values as the sqlite3 shell reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "datasource/field_sources.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/model/field_kinds.h"
#include "one_barcode_layout.h"
#include "picture_symbols.h"
#include "program_x11_fixture.h"
#include "screen_pixels.h"
#include "screen_symbols.h"
#include "tests/datasource/odbc_test_util.h"

namespace {

namespace fs = std::filesystem;
using apptest::Found;
using apptest::Pixel;
using apptest::TallestWhiteRun;
using apptest::WaitUntil;
using apptest::White;
using apptest::WhiteRun;

constexpr int kWidth = apptest::ProgramX11Test::kScreenWidth, kHeight = apptest::ProgramX11Test::kScreenHeight;
constexpr const char* kFixedData = "PICK-ME";
constexpr const char* kTable = "shelves";
constexpr int kRecords = 12;
// The records picked: the first with the mouse, the second with the keys.
constexpr int kClicked = 2, kKeyed = 5;

// The colour of chosen rows: blue well above red.
bool Highlighted(const std::vector<uint32_t>& screen, int x, int y) {
  const uint32_t p = Pixel(screen, x, y);
  const int red = static_cast<int>(p >> 16 & 0xFF), blue = static_cast<int>(p & 0xFF);
  return blue > red + 60;
}

// A dialog's template units in pixels, from its window's size on the screen.
struct DialogUnits {
  long left = 0, top = 0;
  double x = 1, y = 1;
  int X(double units) const { return static_cast<int>(left + units * x); }
  int Y(double units) const { return static_cast<int>(top + units * y); }
};
// xdotool gives a window's top as that of its client area moved down by the
// height of openbox's title bar; its size is the client area's.
constexpr int kTitleBar = 20;
DialogUnits UnitsOf(const std::vector<long>& box, int templateWidth, int templateHeight) {
  return {box[0], box[1] - kTitleBar, static_cast<double>(box[2]) / templateWidth,
          static_cast<double>(box[3]) / templateHeight};
}

// The first record's row of the record grid, highlighted when the dialog
// opens: its top and the distance from one row to the next, found down the
// quantity column.
struct RecordRows {
  int top = -1, pitch = 0;
  int Middle(int record) const { return top + (record - 1) * pitch + pitch / 2; }
};
RecordRows FindRecordRows(const std::vector<uint32_t>& screen, int fromX, int toX, int fromY, int toY) {
  RecordRows rows;
  int bottom = -1;
  for (int y = fromY; y < toY; ++y) {
    bool lit = false;
    for (int x = fromX; x < toX && !lit; ++x) lit = Highlighted(screen, x, y);
    if (lit && rows.top < 0) rows.top = y;
    if (lit) bottom = y;
    if (!lit && rows.top >= 0 && y > bottom + 3) break;
  }
  if (rows.top >= 0) rows.pitch = bottom - rows.top + 2;  // the row and its grid line
  return rows;
}

class DatabaseRecordsX11 : public apptest::ProgramX11Test {
 protected:
  void SetUp() override { odbc_test::SetUpOdbcSources(); }
  void TearDown() override { odbc_test::TearDownOdbcSources(); }
  void Key(const std::string& key, int times = 1) {
    Xdo({"key", "--clearmodifiers", "--repeat", std::to_string(times), "--delay", "30", key});
    Settle();
  }
};

// The place of Database in a barcode field's list of sources.
int DatabaseEntry(const CField& field) {
  int entry = 0;
  for (const int16_t* type = DataSourceListOrder(); *type >= 0; ++type) {
    if (*type == static_cast<int16_t>(DataSourceType::kDatabase)) return entry;
    if (IsDataSourceAllowed(*type, field)) ++entry;
  }
  return -1;
}

TEST_F(DatabaseRecordsX11, TwoRecordsPickedWithMouseAndKeysPrintTheirBarcodes) {
  ASSERT_TRUE(server.Running());
  ASSERT_FALSE(odbc_test::Folder().empty());
  odbc_test::Sqlite(std::string("CREATE TABLE ") + kTable +
                    " (code VARCHAR(16), place INTEGER); WITH RECURSIVE s(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                    "FROM s WHERE i < " +
                    std::to_string(kRecords) + ") INSERT INTO " + kTable + " SELECT printf('SHELF-%03d', i * 7), i FROM s;");
  // Pictures are written as PNG (the second type of the picture list).
  WriteProfile("[Config]\nbFirstTimeRun=0\nPrint2ImageFileType=2\n");
  CLabelSetup setup;
  setup.LoadDefaults();
  setup.lastPrinter = "";  // pictures only
  auto field = NewReadableBarcode(setup, 4, std::max(2, setup.dpiX / 100), {400, 400});  // Code 128
  field->data = kFixedData;
  const int databaseEntry = DatabaseEntry(*field);
  ASSERT_GT(databaseEntry, 0);
  const std::string file = temp / "shelf.bcd";
  ASSERT_TRUE(SaveOneBarcodeLayout(file, setup, std::move(field)));

  const pid_t designer = runner.Start({file});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitForWindow("shelf"));
  Found symbol;
  ASSERT_TRUE(WaitUntil(
      [&] {
        return (symbol = apptest::ReadScreenSymbol(server.Screenshot(), kWidth, kHeight, ZXing::BarcodeFormat::Code128,
                                                   kFixedData))
            .valid;
      },
      20))
      << "the Code 128 is drawn";

  // The field's sheet, on its data page.
  std::vector<long> sheet;
  ASSERT_NO_FATAL_FAILURE(
      OpenWithDoubleClick(symbol.CentreX(), symbol.CentreY(), "Barcode Setup", "db_records_1_sheet", &sheet));
  // The data box of the page's source panel: its top is 32 of the panel's
  // units below the panel's top, its width 260 units (less its scroll bar).
  std::vector<uint32_t> screen = server.Screenshot();
  // (Down the middle of the sheet, right of the data's text.)
  const int column = static_cast<int>(sheet[0] + sheet[2] / 2);
  const WhiteRun dataBox =
      TallestWhiteRun(screen, column, static_cast<int>(sheet[1] + sheet[3] / 3), static_cast<int>(sheet[1] + sheet[3] - 40));
  ASSERT_GT(dataBox.length, 40) << "the data box";
  int boxLeft = column, boxRight = column;
  while (boxLeft > sheet[0] && White(screen, boxLeft - 1, dataBox.top + 10)) --boxLeft;
  while (boxRight < sheet[0] + sheet[2] && White(screen, boxRight + 1, dataBox.top + 10)) ++boxRight;
  const DialogUnits panel{boxLeft, 0, (boxRight - boxLeft + 1) / 250.0, dataBox.length / 60.0};
  const int panelTop = static_cast<int>(dataBox.top - 32 * panel.y);

  // The source list (62 to 192 units across, 2 to 14 down) dropped down,
  // Database chosen with the keys.
  ClickAt(panel.X(110), panelTop + static_cast<int>(8 * panel.y));
  Key("Home");
  Key("Down", databaseEntry);
  Key("Return");
  Picture("db_records_2_database_chosen");

  // Add... beside the data source list (216 to 260 units across, 19 to 33
  // down): the data sources of the user's odbc.ini, the SQLite one first,
  // double-clicked.
  ClickAt(panel.X(236), panelTop + static_cast<int>(28 * panel.y));
  ASSERT_TRUE(WaitForWindow("Select Data Source"));
  Settle();
  const std::vector<long> chooseBox = Geometry(WindowNamed("Select Data Source"));
  Picture("db_records_3_select_data_source");
  // The first source is chosen as the dialog opens: its highlighted row.
  const RecordRows sources = FindRecordRows(server.Screenshot(), static_cast<int>(chooseBox[0] + 30),
                                            static_cast<int>(chooseBox[0] + 40), static_cast<int>(chooseBox[1]),
                                            static_cast<int>(chooseBox[1] + chooseBox[3] / 2));
  ASSERT_GE(sources.top, 0) << "the chosen source's row";
  ClickAt(static_cast<int>(chooseBox[0] + 60), sources.Middle(1), 2);
  ASSERT_TRUE(WaitUntil([&] { return WindowNamed("Select Data Source").empty(); }, 20)) << "the source was chosen";
  Settle();
  Picture("db_records_4_source_chosen");

  ASSERT_NO_FATAL_FAILURE(PressSheetOk(sheet, "Barcode Setup"));

  // File > Print: the table's row is the first of the print dialog's
  // prompt list, its button has the focus, Space opens the records.
  Xdo({"windowactivate", "--sync", WindowNamed("shelf")});
  Key("ctrl+p");
  ASSERT_TRUE(WaitForWindow("Print to Image/Printer"));
  Settle();
  Picture("db_records_5_print_dialog");
  Key("space");
  ASSERT_TRUE(WaitForWindow("Database Record Select"));
  Settle();
  const DialogUnits records = UnitsOf(Geometry(WindowNamed("Database Record Select")), 400, 262);
  Picture("db_records_6_record_select");

  // The grid (8 to 392 units across, 8 to 178 down) shows the first record
  // chosen; its rows are found down the quantity column.
  const RecordRows rows = FindRecordRows(server.Screenshot(), records.X(8) + 6, records.X(8) + 14, records.Y(8),
                                         records.Y(178));
  ASSERT_GE(rows.top, 0) << "the first record's row";
  ASSERT_GT(rows.pitch, 8);
  // A click on a record's quantity cell picks it for one label; the arrow
  // keys go on to the other record, whose value cell takes Space.
  ClickAt(records.X(8) + 10, rows.Middle(kClicked));
  Key("Right");
  Key("Down", kKeyed - kClicked);
  Key("space");
  Picture("db_records_7_two_records");
  // OK (282 to 334 units across, 240 to 254 down).
  ClickAt(records.X(308), records.Y(247));
  ASSERT_TRUE(WaitUntil([&] { return WindowNamed("Database Record Select").empty(); }, 20)) << "OK";
  Settle();
  Picture("db_records_8_records_chosen");

  // Print (138 to 198 units across, 10 to 24 above the dialog's lower
  // edge: the prompt list above makes the dialog taller), then the
  // pictures' name typed.
  const std::vector<long> printBox = Geometry(WindowNamed("Print to Image/Printer"));
  const DialogUnits print = UnitsOf(printBox, 262, 150);
  ClickAt(print.X(168), static_cast<int>(printBox[1] - kTitleBar + printBox[3] - 17 * records.y));
  ASSERT_TRUE(WaitForWindow("Select Folder")) << "two labels are pictures in a folder";
  Settle();
  const fs::path out = temp / "labels";
  fs::create_directories(out);
  Xdo({"type", "--delay", "20", (out / "shelf").string()});
  Picture("db_records_9_folder");
  Key("Return");
  ASSERT_TRUE(WaitUntil(
      [&] {
        std::error_code ec;
        return std::distance(fs::directory_iterator(out, ec), fs::directory_iterator()) >= 2;
      },
      30))
      << "two pictures are written";
  Settle();
  Picture("db_records_10_printed");
  Key("Escape");

  // The labels, in the order printed, carry the two records' values as the
  // database holds them.
  std::vector<std::string> pictures;
  for (const auto& entry : fs::directory_iterator(out)) pictures.push_back(entry.path().string());
  std::sort(pictures.begin(), pictures.end());
  ASSERT_EQ(pictures.size(), 2u);
  std::vector<std::string> printed;
  for (size_t i = 0; i < pictures.size(); ++i) {
    const std::string kept = std::string(TAV_BUILD_DIR) + "/pictures/program/x11_db_records_label_" +
                             std::to_string(i + 1) + fs::path(pictures[i]).extension().string();
    fs::copy_file(pictures[i], kept, fs::copy_options::overwrite_existing);
    printed.push_back(programtest::Code128In(pictures[i]));
  }
  const std::vector<std::string> codes =
      odbc_test::Lines(odbc_test::Sqlite(std::string("SELECT code FROM ") + kTable + " ORDER BY code;"));
  ASSERT_EQ(codes.size(), static_cast<size_t>(kRecords));
  EXPECT_EQ(printed, (std::vector<std::string>{codes[kClicked - 1], codes[kKeyed - 1]}));

  // Saved, the layout names the source and table chosen.
  ASSERT_NO_FATAL_FAILURE(SaveAndQuit("shelf", file, designer));
  SavedLayout<CField> saved;
  ASSERT_NO_FATAL_FAILURE(LoadSavedField(file, &saved));
  EXPECT_EQ(saved.field->dataSourceType, static_cast<int16_t>(DataSourceType::kDatabase));
  EXPECT_STREQ(saved.field->dbSource.GetData(), odbc_test::kSqliteDsn);
  EXPECT_STREQ(saved.field->dbTable.GetData(), kTable);
}

}  // namespace
