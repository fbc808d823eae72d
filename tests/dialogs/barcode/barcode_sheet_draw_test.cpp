// After OK the field draws as it was set: for every symbology the Barcode /
// Data page offers, a new field is given its symbology and data through the
// sheet, the label is saved and rendered to PNG as the program does, and the
// symbol read back by zxing-cpp from the PNG as ImageMagick reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <set>
#include <string>

#include "barcode/kalvo.h"
#include "dialogs/barcode/barcode_ids.h"
#include "dialogs/barcode/barcode_lists.h"
#include "document/file/layout_file.h"
#include "document/render/layout_png.h"
#include "fields/barcode/symbology_catalogue.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/barcode/zxing_wasm.h"
#include "tests/dialogs/barcode/barcode_sheet_support.h"
#include "tests/dialogs/barcode/field_on_label.h"
#include "tests/document/export_oracles.h"

namespace {

using namespace barcode_sheet_test;

struct DrawRow {
  int symbology;
  const char* data;         // typed into the data edit
  ZXing::BarcodeFormat format;  // None: zxing-cpp reads no such symbol
  const char* read;         // what the symbol holds (contained in what is read)
};

// Micro PDF417 is read by zxing-wasm; Plessey, Posnet and MSI by neither:
// their symbols are only seen drawn.
constexpr int kMicroPdf = 31;
constexpr int kMaxiCode = 28;
// A UPS carrier message in the thirteen parts of a MaxiCode field.
constexpr std::array<const char*, 13> kUpsMessage = {"841706672", "840", "001", "1Z12345678", "123456", "089", "",
                                                     "1/1", "10", "Y", "", "ATLANTA", "GA"};
constexpr const char* kMicroPdfData = "MICRO 417";

const DrawRow kRows[] = {
    {0, "123456", ZXing::BarcodeFormat::Codabar, "123456"},
    {1, "SHEET-39", ZXing::BarcodeFormat::Code39, "SHEET-39"},
    {2, "Full 39", ZXing::BarcodeFormat::Code39, "Full 39"},
    {3, "CODE 93", ZXing::BarcodeFormat::Code93, "CODE 93"},
    {4, "Sheet 128", ZXing::BarcodeFormat::Code128, "Sheet 128"},
    {5, "1234567", ZXing::BarcodeFormat::EAN8, "12345670"},
    {6, "590123412345", ZXing::BarcodeFormat::EAN13, "5901234123457"},
    {7, "0112345678901231", ZXing::BarcodeFormat::Code128, "0112345678901231"},
    {10, "12345678", ZXing::BarcodeFormat::ITF, "12345678"},
    {11, "1234567890123", ZXing::BarcodeFormat::ITF, "12345678901231"},
    {12, "123456", ZXing::BarcodeFormat::None, nullptr},
    {18, "00123456789012345", ZXing::BarcodeFormat::Code128, "00123456789012345"},
    {19, "0112345678901231", ZXing::BarcodeFormat::Code128, "0112345678901231"},
    {20, "", ZXing::BarcodeFormat::Code128, "0112345678901231"},
    {21, "03600029145", ZXing::BarcodeFormat::UPCA, "036000291452"},
    {22, "123456", ZXing::BarcodeFormat::UPCE, "123456"},
    {24, "12345678901", ZXing::BarcodeFormat::None, nullptr},
    {26, "123456", ZXing::BarcodeFormat::None, nullptr},
    {27, "PDF417 from the sheet", ZXing::BarcodeFormat::PDF417, "PDF417 from the sheet"},
    {kMicroPdf, kMicroPdfData, ZXing::BarcodeFormat::None, nullptr},
    {kMaxiCode, "SHEET", ZXing::BarcodeFormat::MaxiCode, "ATLANTA"},
    {29, "Data Matrix 29", ZXing::BarcodeFormat::DataMatrix, "Data Matrix 29"},
    {33, "QR from the sheet", ZXing::BarcodeFormat::QRCode, "QR from the sheet"},
};

TEST(BarcodeSheetDraw, EveryOfferedSymbologyDrawsAsSetAndReadsBack) {
  std::set<int> covered;
  for (const DrawRow& row : kRows) covered.insert(row.symbology);
  for (int code : OfferedSymbologies(false)) EXPECT_EQ(covered.count(code), 1u) << "no row for " << code;

  document_test::TempFolder folder("barcode-sheet");
  kalvo_test::Grey microPdf;
  MessageRecorder messages;
  for (const DrawRow& row : kRows) {
    SCOPED_TRACE(SymbologyDisplayName(row.symbology));
    CLabelSetup setup;
    // Symbols built from parts are set up on an existing field that holds
    // them; the others start as a new field of the sheet's own.
    std::unique_ptr<CField> made;
    CField* edited = nullptr;
    if (row.symbology == 20 || row.symbology == kMaxiCode) {
      auto existing = std::make_unique<CBarcodeField>(setup.dpiX);
      existing->name = "Barcode_1";
      existing->aiCode[0] = "01";
      existing->aiData[0] = "12345678901231";
      for (size_t i = 0; i < kUpsMessage.size(); ++i) existing->upsField[i] = kUpsMessage[i];
      edited = existing.get();
      made = std::move(existing);
    }
    SheetRun run;
    run.script = [&](HWND sheet) {
      HWND page = ShowPage(sheet, 0);
      ASSERT_TRUE(ChooseData(page, IDC_BC_SYMBOLOGY, row.symbology));
      if (row.symbology == kMicroPdf) {
        ASSERT_TRUE(ChooseData(page, IDC_BC_MICRO_MODE, 20));
      }
      if (row.symbology == kMaxiCode) {
        ASSERT_TRUE(ChooseData(page, IDC_BC_MAXI_MODE, 2));  // UPS (US): a nine-digit postal code
      }
      if (row.symbology == 4) {
        // Code 128 in its automatic sub-type keeps lower case.
        ASSERT_TRUE(ChooseData(page, IDC_BC_SUBTYPE, 0));
      }
      if (*row.data) Type(PanelOf(page), IDC_DS_DATA, row.data);
      PressOk(sheet);
    };
    ASSERT_EQ(RunSheet(setup, &edited, 0, run), 1) << "message " << messages.Last() << ", boxes "
                                                   << run.nestedCaptions.size();
    if (!made) made.reset(edited);
    auto* field = static_cast<CBarcodeField*>(made.get());
    EXPECT_EQ(field->symbology, row.symbology);
    EXPECT_GT(field->width, 0);
    const std::string name = "symbol" + std::to_string(row.symbology);
    const auto read =
        RenderFieldOnLabel(setup, std::move(made), folder, name, PicturePath("barcode_sheet_drawn_" + name + ".png"));
    ASSERT_TRUE(read.has_value());
    const kalvo_test::Grey& grey = *read;
    EXPECT_GT(DarkPixels(grey), 100) << "the symbol is drawn";
    if (row.symbology == kMicroPdf) microPdf = grey;
    if (row.format == ZXing::BarcodeFormat::None) continue;
    ZXing::DecodeHints hints;
    hints.setFormats(row.format);
    hints.setTryHarder(true);
    hints.setTryCode39ExtendedMode(row.symbology == 2);
    const ZXing::Result r = kalvo_test::Decode(grey, 20, hints);
    ASSERT_TRUE(r.isValid());
    EXPECT_NE(kalvo_test::BytesOf(r).find(row.read), std::string::npos) << kalvo_test::BytesOf(r);
  }
  ASSERT_TRUE(kalvo_test::ZxingWasmInstalled()) << "zxing-wasm is missing: run scripts/install-deps.sh";
  kalvo_test::ZxingWasmReader reader;
  reader.Add(microPdf, 20, "MicroPDF417");
  const auto read = reader.ReadAll();
  ASSERT_EQ(read.size(), 1u);
  ASSERT_TRUE(read[0].has_value());
  EXPECT_EQ(*read[0], kMicroPdfData);
}

}  // namespace
