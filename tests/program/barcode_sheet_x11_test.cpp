// The barcode sheet in the real program on its own X server with a window
// manager, driven by xdotool as a person would: a Code 128 field of a layout
// double-clicked in the design view, its data typed anew and its symbology
// changed to QR Code in the sheet, OK; the view draws the new symbol
// (read by zxing-cpp from the screen), and the layout saved with Ctrl+S holds
// it and renders it as a QR Code that zxing-cpp reads.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "fields/barcode/barcode_checks.h"
#include "fields/measure/field_measure.h"
#include "fields/model/field_kinds.h"
#include "one_barcode_layout.h"
#include "program_x11_fixture.h"
#include "screen_pixels.h"
#include "screen_symbols.h"
#include "tests/dialogs/barcode/field_on_label.h"

namespace {

using apptest::TallestWhiteRun;
using apptest::WaitUntil;
using apptest::WhiteRun;

constexpr int kWidth = apptest::ProgramX11Test::kScreenWidth, kHeight = apptest::ProgramX11Test::kScreenHeight;
constexpr const char* kOldData = "OLD-128";
constexpr const char* kNewData = "QR FROM THE SHEET";

using apptest::Found;

Found Read(const std::vector<uint32_t>& screen, ZXing::BarcodeFormat format, const std::string& text) {
  return apptest::ReadScreenSymbol(screen, kWidth, kHeight, format, text);
}

class BarcodeSheetX11 : public apptest::ProgramX11Test {};

// A layout of one Code 128 field, large enough to be read from the screen.
void WriteCode128Layout(const std::string& path) {
  CLabelSetup setup;
  setup.LoadDefaults();
  auto field = NewReadableBarcode(setup, 4, std::max(2, setup.dpiX / 100), {400, 400});  // Code 128
  field->data = kOldData;
  ASSERT_TRUE(SaveOneBarcodeLayout(path, setup, std::move(field)));
}

TEST_F(BarcodeSheetX11, DoubleClickedFieldTakesNewDataAndSymbology) {
  ASSERT_TRUE(server.Running());
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string file = temp / "sheet.bcd";
  WriteCode128Layout(file);
  const pid_t designer = runner.Start({file});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitForWindow("sheet"));
  Found old;
  ASSERT_TRUE(WaitUntil([&] { return (old = Read(server.Screenshot(), ZXing::BarcodeFormat::Code128, kOldData)).valid; },
                        20))
      << "the Code 128 is drawn";
  Picture("barcode_sheet_1_layout");

  // A double click on the symbol opens its sheet.
  std::vector<long> box;
  ASSERT_NO_FATAL_FAILURE(
      OpenWithDoubleClick(old.CentreX(), old.CentreY(), "Barcode Setup", "barcode_sheet_2_opened", &box));
  ASSERT_GT(box[2], 300);

  // The data: the tallest white box of the page's left half, typed anew.
  const std::vector<uint32_t> screen = server.Screenshot();
  const int column = static_cast<int>(box[0] + 60);
  const WhiteRun dataBox = TallestWhiteRun(screen, column, static_cast<int>(box[1] + box[3] / 3),
                                   static_cast<int>(box[1] + box[3] - 40));
  ASSERT_GT(dataBox.length, 40) << "the data box";
  ClickAt(column, dataBox.top + 10);
  Xdo({"key", "--clearmodifiers", "ctrl+End"});
  for (int i = 0; i < 12; ++i) Xdo({"key", "BackSpace"});
  Xdo({"type", "--delay", "30", kNewData});
  Settle();

  // The symbology list at the top of the page, whose last entry is QR Code
  // (its place from the page's template: 346 dots above the data box's
  // lower edge, 140 right of where the box was found).
  ClickAt(column + 140, dataBox.top + dataBox.length - 346);
  Xdo({"key", "End"});
  Xdo({"key", "Return"});
  Settle();
  Picture("barcode_sheet_3_qr_chosen");
  Xdo({"key", "Return"});  // the sheet's default button: OK
  ASSERT_TRUE(WaitUntil([&] { return WindowNamed("Barcode Setup").empty(); }, 20)) << "the sheet closed with OK";

  // The view draws the new symbol.
  Found qr;
  ASSERT_TRUE(WaitUntil([&] { return (qr = Read(server.Screenshot(), ZXing::BarcodeFormat::QRCode, kNewData)).valid; },
                        20))
      << "the QR Code is drawn";
  Picture("barcode_sheet_4_qr_drawn");
  EXPECT_FALSE(Read(server.Screenshot(), ZXing::BarcodeFormat::Code128, kOldData).valid);

  // Saved: the layout holds the QR Code, which its rendering shows.
  ASSERT_NO_FATAL_FAILURE(SaveAndQuit("sheet", file, designer));

  SavedLayout<CBarcodeField> layout;
  ASSERT_NO_FATAL_FAILURE(LoadSavedField(file, &layout));
  const CBarcodeField* saved = layout.field;
  EXPECT_EQ(saved->symbology, 33);
  EXPECT_STREQ(saved->data.GetData(), kNewData);
  EXPECT_EQ(barcode_sheet_test::ReadFieldAsPrinted(
                layout.setup, std::move(layout.fields[0]), ZXing::BarcodeFormat::QRCode,
                std::string(TAV_BUILD_DIR) + "/pictures/program/x11_barcode_sheet_5_saved.png"),
            kNewData);
}

}  // namespace
