// An unchanged OK changes nothing: random barcode fields, each as a sheet
// would have stored it, are opened in the sheet, every page is visited and
// OK pressed without touching a control; the field's stored record is the
// same byte for byte, in inch and in millimetre layouts.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "barcode/kalvo.h"
#include "datasource/field_sources.h"
#include "dialogs/barcode/barcode_ids.h"
#include "dialogs/barcode/barcode_lists.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/barcode/symbology_catalogue.h"
#include "fields/measure/field_measure.h"
#include "tests/dialogs/barcode/barcode_sheet_support.h"

namespace {

using namespace barcode_sheet_test;

// Data each symbology takes, by sub-type 0 (any sub-type is tried first
// with the same data and dropped to 0 when the data does not suit it).
struct Sample {
  int symbology;
  const char* data;
};
constexpr Sample kSamples[] = {
    {0, "123456"},         {1, "SHEET-39"},      {2, "Full 39"},          {3, "CODE 93"},
    {4, "Sheet 128"},      {5, "1234567"},       {6, "590123412345"},     {7, "0112345678901231"},
    {10, "12345678"},      {11, "1234567890123"}, {12, "123456"},         {18, "00123456789012345"},
    {19, "0112345678901231"}, {20, ""},          {21, "03600029145"},     {22, "123456"},
    {24, "12345678901"},   {26, "123456"},       {27, "PDF 417 round"},   {31, "MICRO"},
    {29, "Data Matrix"},   {33, "QR round trip"},
};

class FieldMaker {
 public:
  explicit FieldMaker(unsigned seed) : rng_(seed) {}

  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool Coin() { return Pick(0, 1) == 1; }

  // A field as the sheet leaves it: settled by the same checks and measuring
  // the sheet's OK runs, so that a second OK has nothing to change.
  std::unique_ptr<CBarcodeField> Make(const CLabelSetup& setup) {
    for (;;) {
      auto f = Draw(setup);
      if (Settle(*f, setup)) return f;
    }
  }

 private:
  std::unique_ptr<CBarcodeField> Draw(const CLabelSetup& setup) {
    const Sample& sample = kSamples[Pick(0, static_cast<int>(std::size(kSamples)) - 1)];
    auto f = std::make_unique<CBarcodeField>(setup.dpiX);
    const int code = sample.symbology;
    f->name = ("Barcode_" + std::to_string(Pick(1, 99))).c_str();
    f->symbology = static_cast<int16_t>(code);
    std::vector<uint16_t> subtypes;
    GetSubtypeCodes(code, subtypes);
    f->subType = subtypes.empty() || Coin() ? 0 : static_cast<int16_t>(subtypes[Pick(0, subtypes.size() - 1)]);
    f->data = sample.data;
    if (code == 20) {
      f->aiCode[0] = "01";
      f->aiData[0] = "12345678901231";
    }
    f->offset = {Pick(200, 2000), Pick(200, 1500)};
    const auto narrow = NarrowBarChoices(code, setup.dpiX);
    f->narrowBar = static_cast<int16_t>(code == 24 ? narrow.back().data : Pick(1, narrow.back().data));
    f->barHeight = code == 24 ? 125 : Pick(50, 3000);
    const auto ratios = RatioChoices(code);
    f->ratio = static_cast<int16_t>(ratios.empty() ? Pick(0, 300) : ratios[Pick(0, ratios.size() - 1)].data);
    // Quarter turns, and angles the list does not hold.
    f->SetRotation(Coin() ? Pick(0, 3) * 90000 : Pick(1, 359999));
    f->increment = Pick(-50, 50);
    f->duplicates = Pick(1, 20);
    f->counterType = static_cast<uint8_t>(Pick(0, 2));
    f->rollover = static_cast<uint8_t>(Pick(0, 1));
    f->rolloverLimit = std::to_string(Pick(0, 999)).c_str();
    f->rolloverResetTo = std::to_string(Pick(0, 9)).c_str();
    f->mod10Start = Pick(0, 4);
    f->addMod10 = Is128CF1Mod10(code, f->subType) ? 1 : 0;
    f->foreColor = static_cast<COLORREF>(Pick(0, 0xFFFFFF));
    f->backColor = static_cast<COLORREF>(Pick(0, 0xFFFFFF));
    f->itfNoSideBearers = static_cast<uint8_t>(Pick(0, 1));
    f->itfBearerFactor = static_cast<uint8_t>(Pick(1, 16));
    f->itfQuietFactor = static_cast<uint8_t>(Pick(1, 16));
    f->barcodeSpare4 = static_cast<int16_t>(Pick(-5, 5));
    Draw2D(*f);
    DrawHumanReadable(*f);
    DrawSource(*f);
    return f;
  }

  void Draw2D(CBarcodeField& f) {
    f.moduleSize2D = static_cast<int16_t>(Pick(1, 12));
    f.rowHeight2D = static_cast<int16_t>(Pick(f.symbology == 31 ? 2 : 1, 22));
    f.pdfSecurity = static_cast<int16_t>(Pick(-1, 8));
    f.symbolColumns = static_cast<int16_t>(Pick(0, 30));
    f.symbolRows = 0;
    f.pdfTruncated = static_cast<uint8_t>(Pick(0, 1));
    f.microPdfMode = static_cast<int16_t>(Pick(20, 33));
    f.qrLevel = static_cast<int16_t>(Pick(0, 3));
    if (f.symbology == 29) {
      const bool automatic = Coin();
      const POINT size = GetDatamatrixNthDimension(Pick(6, 29));
      f.symbolRows = static_cast<int16_t>(automatic ? -1 : size.y);
      f.symbolColumns = static_cast<int16_t>(automatic ? -1 : size.x);
    }
  }

  void DrawHumanReadable(CBarcodeField& f) {
    const int code = f.symbology;
    const bool possible = code != 24 && !Is2DBCode(code, f.subType);
    f.showHr = static_cast<uint8_t>(possible && Coin() ? 1 : 0);
    f.designerDrawsText = f.showHr;
    f.textShowsStars = static_cast<uint8_t>(Pick(0, 1));
    f.textShowsStartStop = static_cast<uint8_t>(Pick(0, 1));
    f.codabarUpper = static_cast<uint8_t>(Pick(0, 1));
    f.textShowsCheck = static_cast<uint8_t>(Pick(0, 1));
    f.codabarStart = static_cast<uint8_t>(Pick(0, 3));
    f.codabarStop = static_cast<uint8_t>(Pick(0, 3));
    f.useTextMask = static_cast<uint8_t>(!IsUPCEANGroup(code) && Coin() ? 1 : 0);
    f.textMask = f.useTextMask ? "##-##" : "";
    f.aiParentheses = static_cast<uint8_t>(code == 20 && f.useTextMask ? 255 : Pick(0, 1));
    if (f.showHr) {
      f.textAlign = Pick(-1, 1);
      f.hrAbove = Pick(0, 1);
      f.textGap = Pick(0, 400);
    } else {
      f.textAlign = 1;
      f.hrAbove = 0;
      f.textGap = 10;
    }
    f.hrFontFace = Coin() ? "Arial" : "DejaVu Sans";
    std::strncpy(f.hrLogFont.lfFaceName, f.hrFontFace.GetData(), LF_FACESIZE - 1);
  }

  void DrawSource(CBarcodeField& f) {
    // Fixed Data, or a type whose settings need no file or database (the
    // panel's own tests cover those).
    const int candidates[] = {0, 0, 0, 5, 6, 7};
    const int type = candidates[Pick(0, static_cast<int>(std::size(candidates)) - 1)];
    // As the sheet stores a type: the identifier and carrier-message parts
    // follow it.
    f.SetDataSourceType(static_cast<int16_t>(IsDataSourceAllowed(type, f) ? type : 0), 0);
    if (!DataSourceHasStoredText(f.dataSourceType)) f.increment = 0;
  }

  bool Settle(CBarcodeField& f, const CLabelSetup& setup) {
    NormalizeBarcodeData(f);
    const int type = f.dataSourceType;
    if ((type == 0) && f.symbology != 20 && !ValidateBarcodeData(nullptr, f, 0)) {
      if (f.subType == 0) return false;
      f.subType = 0;
      f.addMod10 = Is128CF1Mod10(f.symbology, 0) ? 1 : 0;
      if (!ValidateBarcodeData(nullptr, f, 0)) return false;
    }
    const int longest = GetBarcodeMaxDataLength(f);
    if (longest >= 0) f.maxChars = static_cast<int16_t>(longest);
    if (f.symbology == 24 && type == 0) f.showHr = 0;
    // Measuring keeps what it found (text height, guard bars) and reads it
    // the next time: a settled field is one measured until nothing moves.
    SIZE size = MeasureBarcodeField(f, {}, setup, 0);
    for (int again = 0; again < 3; ++again) size = MeasureBarcodeField(f, {}, setup, 0);
    if (size.cx <= 0 || size.cy <= 0 || f.encodeResult[0] == 100 || f.encodeResult[0] == 101) return false;
    f.width = size.cx;
    f.height = size.cy;
    return true;
  }

  std::mt19937 rng_;
};

class BarcodeSheetRoundTrip : public ::testing::TestWithParam<RoundTripUnit> {};

TEST_P(BarcodeSheetRoundTrip, AnUnchangedOkStoresTheFieldByteForByte) {
  InstallDataSourceServices();
  CLabelSetup setup;
  setup.DefaultUnits = static_cast<uint8_t>(GetParam());
  MessageRecorder messages;
  FieldMaker maker(20261211u + static_cast<unsigned>(GetParam()));
  for (int i = 0; i < kRoundTripFields; ++i) {
    auto field = maker.Make(setup);
    const std::vector<uint8_t> before = RecordBytes(*field);
    SheetRun run;
    run.script = [](HWND sheet) {
      for (int page = 2; page >= 0; --page) ShowPage(sheet, page);
      PressOk(sheet);
    };
    CField* edited = field.get();
    ASSERT_EQ(RunSheet(setup, &edited, 0, run), 1)
        << "field " << i << ", " << SymbologyDisplayName(field->symbology) << ", message " << messages.Last() << ", boxes " << run.nestedCaptions.size();
    const std::vector<uint8_t> after = RecordBytes(*field);
    ASSERT_EQ(before.size(), after.size());
    size_t first = 0;
    while (first < before.size() && before[first] == after[first]) ++first;
    EXPECT_EQ(first, before.size()) << "field " << i << " (" << SymbologyDisplayName(field->symbology)
                                    << ") differs from byte " << first;
  }
}

TAV_ROUND_TRIP_UNITS(BarcodeSheetRoundTrip);

}  // namespace
