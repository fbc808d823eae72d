// The symbology catalogue, the HIBC text, the structured parts and the checks
// of barcode data.
#include <gtest/gtest.h>

#include <memory>

#include "fields/barcode/barcode_checks.h"
#include "fields/barcode/structured_parts.h"
#include "fields/barcode/symbology_catalogue.h"
#include "fields/services/label_setup.h"
#include "fields/services/ui_messages.h"
#include "ui_message_recorder.h"

namespace {

TEST(SymbologyCatalogue, DisplayNames) {
  struct { int code; const char* name; } cases[] = {
      {0, "CODABAR"}, {6, "EAN13"}, {20, "UCC/EAN 128 Multi"}, {27, "PDF 417"}, {33, "QR Code"}, {34, "Aztech"},
      {35, ""}, {36, ""}, {-1, ""}};
  for (auto c : cases) EXPECT_STREQ(SymbologyDisplayName(c.code), c.name) << c.code;
}

TEST(SymbologyCatalogue, SubtypesInListOrder) {
  EXPECT_EQ(GetSubtypeName(2, 1), "Mod 43");  // symbology 2 uses the entry of 1
  EXPECT_EQ(GetSubtypeName(4, 0), "Code 128 Auto");
  EXPECT_EQ(GetSubtypeName(4, 9), "");
  EXPECT_EQ(GetSubtypeName(7, 0), "");
  std::vector<uint16_t> codes;
  EXPECT_EQ(GetSubtypeCodes(4, codes), 5);
  EXPECT_EQ(codes, (std::vector<uint16_t>{1, 2, 3, 0, 4}));
  EXPECT_EQ(GetSubtypeCodes(2, codes), 2);
  EXPECT_EQ(GetSubtypeCodes(27, codes), 0);
  struct { int symbology, subType, has; } supplements[] = {{5, 1, 1}, {6, 2, 1}, {21, 0, 0}, {22, 1, 1}, {4, 1, 0}};
  for (auto c : supplements) EXPECT_EQ(HasSupplement(c.symbology, c.subType), c.has);
}

TEST(SymbologyCatalogue, ParsesTypeNames) {
  struct { const char* name; int symbology; int subType; } cases[] = {
      {"UPC-A +2", 21, 1},      {"B_UPCA_PLUS_5", 21, 2}, {"upc-e", 22, 0},         {"B_UPCSHIP", 23, 0},
      {"EAN 8 + 5", 5, 2},      {"EAN-13", 6, 0},         {"EAN 128", 7, 0},        {"UCC/EAN 128", 19, 0},
      {"Code 39 Mod 43", 1, 1}, {"Code 39 Full ASCII", 2, 0}, {"B_CD39", 1, 0},    {"Code 128C F1 Mod10", 4, 4},
      {"Code 93", 3, 0},        {"Code 128A", 4, 1},      {"Code 128", 4, 0},       {"Codabar", 0, 0},
      {"Interleaved 2 of 5 mod 10", 10, 1}, {"ITF14", 11, 0}, {"Plessey", 12, 0},   {"MSI", 26, 0},
      {"Postnet", 24, 0},       {"RSS14 Composite", 13, 14}, {"RSS-14", 13, 0},    {"SSCC18", 15, 0},
      {"SSCC14 Int", 16, 0},    {"SSCC14 128", 16, 1},    {"UCC EAN 128 Multi", 20, 0},
      {"Micro PDF 417", 31, 0}, {"PDF417", 27, 0},        {"MaxiCode", 28, 0},      {"Data Matrix", 29, 0},
      {"QR Code", 33, 0},       {"nothing", -1, 0},
  };
  for (auto c : cases) {
    int subType = -5;
    EXPECT_EQ(ParseSymbologyName(c.name, &subType), c.symbology) << c.name;
    EXPECT_EQ(subType, c.subType) << c.name;
  }
}

TEST(SymbologyCatalogue, AiTableIsLoadedOnce) {
  InitSymbologyTables();
  const auto first = GetAiDefinitions();
  ASSERT_GT(first.size(), 10u);
  EXPECT_LE(first.size(), static_cast<size_t>(kAiTableCapacity));
  const typAIdef* gtin = FindAIDefinition("01");
  ASSERT_NE(gtin, nullptr);
  EXPECT_EQ(gtin->minLength, 14);
  InitSymbologyTables();
  EXPECT_EQ(GetAiDefinitions().size(), first.size());
  EXPECT_EQ(FindAIDefinition("no such"), nullptr);
}

std::shared_ptr<CBarcodeField> Hibc(int form, std::array<const char*, 6> rows, int quantityFormat = 0,
                                    int dateFormat = 0) {
  auto f = std::make_shared<CBarcodeField>();
  f->SetDefaults();
  f->hibcForm = static_cast<uint8_t>(form);
  for (size_t i = 0; i < 6; ++i) f->aiData[i] = rows[i];
  f->upsSource[kHibcQuantityFormatSlot] = static_cast<uint8_t>(quantityFormat);
  f->upsSource[kHibcDateFormatSlot] = static_cast<uint8_t>(dateFormat);
  return f;
}

TEST(HibcText, FormsAndSecondaryTexts) {
  struct { const char* what; std::shared_ptr<CBarcodeField> field; const char* text; } cases[] = {
      {"primary only", Hibc(1, {"A123", "BJC5D6E71", "0", "", "", ""}), "+A123BJC5D6E710"},
      {"both, batch", Hibc(0, {"A123", "BJC5D6E71", "0", "", "", "3C001"}), "+A123BJC5D6E710/$3C001"},
      {"secondary, 5-digit date", Hibc(2, {"", "", "", "", "03365", "LOT"}), "+03365LOT"},
      {"secondary, date code 2", Hibc(2, {"", "", "", "", "120526", ""}, 0, 2), "+$$2120526"},
      {"quantity 2 with date", Hibc(2, {"", "", "", "24", "120526", "B1"}, 1, 1), "+$$824120526B1"},
      {"quantity 5 no date", Hibc(2, {"", "", "", "00100", "", ""}, 2), "+$$900100"},
      {"quantity with batch", Hibc(2, {"", "", "", "24", "", "B1"}, 1), "+$$8247B1"},
  };
  for (auto& c : cases)
    EXPECT_TRUE(BuildHibcText(*c.field) == c.text) << c.what << ": " << BuildHibcText(*c.field).GetData();
  struct { int code; const char* out; } dates[] = {{0, "7"}, {1, "D"}, {2, "2D"}, {6, "6D"}, {7, ""}};
  for (auto d : dates) EXPECT_TRUE(FormatHibcDate(AString("D"), d.code) == d.out) << d.code;
}

TEST(HibcText, RowLimitsFollowTheFormAndFormats) {
  struct { int form, row, quantity, date; int used, maximum, minimum; } cases[] = {
      {0, 0, 0, 0, 1, 4, 4},  {0, 1, 0, 0, 1, 13, 1}, {1, 3, 0, 0, 0, 0, 0},  {2, 0, 0, 0, 0, 0, 0},
      {2, 3, 0, 0, 0, 0, 0},  {2, 3, 1, 0, 1, 2, 1},  {0, 3, 2, 0, 1, 5, 1},  {0, 4, 0, 5, 1, 5, 5},
      {0, 4, 0, 4, 1, 8, 8},  {2, 4, 0, 0, 0, 0, 0},  {0, 5, 0, 0, 1, 13, 0},
  };
  for (auto c : cases) {
    auto f = Hibc(c.form, {"", "", "", "", "", ""}, c.quantity, c.date);
    int maximum = -1, minimum = -1;
    EXPECT_EQ(GetHibcRowLimits(*f, c.row, &maximum, &minimum), c.used) << c.form << "/" << c.row;
    if (c.used) {
      EXPECT_EQ(maximum, c.maximum) << c.form << "/" << c.row;
      EXPECT_EQ(minimum, c.minimum) << c.form << "/" << c.row;
    }
  }
}

TEST(StructuredParts, ShapingRule) {
  struct { const char* in; bool numeric; int minimum, maximum; const char* out; } cases[] = {
      {"AB12", true, 9, 9, "000000012"}, {"123456789012", true, 9, 9, "123456789"},
      {"ab", false, 3, 5, "0ab"},        {"", false, 0, 30, ""},
  };
  for (auto c : cases) {
    AString s(c.in);
    ShapePart(s, c.numeric, c.minimum, c.maximum);
    EXPECT_TRUE(s == c.out) << c.in << " gave " << s.GetData();
  }
  EXPECT_STREQ(kUpsParts[0].name, "Ship To Postal Code");
  EXPECT_EQ(kUpsParts[10].maximum, 35);
}

std::shared_ptr<CBarcodeField> WithData(int symbology, int subType, const char* data) {
  auto f = std::make_shared<CBarcodeField>();
  f->symbology = static_cast<int16_t>(symbology);
  f->subType = static_cast<int16_t>(subType);
  f->data = data;
  return f;
}

TEST(BarcodeChecks, ValidationMessages) {
  fields_test::RecordUiMessages messages;
  struct { const char* what; std::shared_ptr<CBarcodeField> f; int valid; UINT message; } cases[] = {
      {"empty", WithData(1, 0, ""), 0, kMsgDataEmpty},
      {"a tilde in Code 39", WithData(1, 0, "AB~"), 0, kMsgInvalidCharacter},
      {"EAN-13 of 5 digits", WithData(6, 0, "12345"), 0, kMsgInvalidLength},
      {"EAN-13 of 12", WithData(6, 0, "590123412345"), 1, 0},
      {"QR passes always", WithData(33, 0, ""), 1, 0},
      {"Codabar with an inner start letter", WithData(0, 0, "1A2"), 0, kMsgInvalidCharacter},
  };
  for (auto& c : cases) {
    EXPECT_EQ(ValidateBarcodeData(nullptr, *c.f, 1), c.valid) << c.what;
    const auto shown = messages.Take();
    if (c.message) {
      ASSERT_EQ(shown.size(), 1u) << c.what;
      EXPECT_EQ(shown[0].id, c.message) << c.what;
    } else {
      EXPECT_TRUE(shown.empty()) << c.what;
    }
  }
  EXPECT_EQ(ValidateBarcodeData(nullptr, *WithData(1, 0, ""), 0), 0);
  EXPECT_TRUE(messages.Take().empty());
}

TEST(BarcodeChecks, FittingAndNormalising) {
  struct { int symbology, subType; const char* in; int change; const char* out; } fits[] = {
      {6, 0, "12345", 7, "000000012345"},     // padded to the length above
      {6, 0, "12A45678901", 1, "012045678901"},  // invalid character, then padded
  };
  for (auto c : fits) {
    auto f = WithData(c.symbology, c.subType, c.in);
    EXPECT_EQ(FitBarcodeData(*f), c.change) << c.in;
    EXPECT_TRUE(f->data == c.out) << c.in << " gave " << f->data.GetData();
  }
  struct { int symbology, subType; const char* in; const char* out; } norms[] = {
      {1, 0, "abc", "ABC"}, {3, 0, "x1", "X1"}, {4, 1, "ab", "AB"}, {4, 2, "ab", "ab"}, {4, 3, "123", "0123"},
  };
  for (auto c : norms) {
    auto f = WithData(c.symbology, c.subType, c.in);
    EXPECT_EQ(NormalizeBarcodeData(*f), 1);
    EXPECT_TRUE(f->data == c.out) << c.in;
  }
  EXPECT_EQ(NormalizeBarcodeData(*WithData(1, 0, "")), 0);
  AString s("1a2");
  FitDigits(s, 1, 5, 4);
  EXPECT_TRUE(s == "0010");
}

TEST(BarcodeChecks, NewDefaultsAndPrinterText) {
  CLabelSetup setup;
  setup.dpiX = 600;
  setup.driverFlag = 1;
  CBarcodeField f;
  f.hrSeparate = 1;
  SetNewBarcodeDefaults(f, setup);
  EXPECT_EQ(f.narrowBar, 6);
  EXPECT_EQ(f.hrSeparate, 0);
  EXPECT_EQ(f.hrLogFont.lfHeight, 9);
  setup.dpiX = 50;
  SetNewBarcodeDefaults(f, setup);
  EXPECT_EQ(f.narrowBar, 1);

  struct { int symbology, subType, designer, separate, result; } cases[] = {
      {1, 1, 1, 0, 1}, {1, 0, 1, 0, 0}, {6, 0, 1, 0, 1}, {6, 0, 0, 0, 0}, {4, 4, 0, 0, 1},
      {4, 0, 0, 0, 0}, {18, 0, 0, 0, 1}, {0, 0, 0, 0, 1}, {27, 0, 0, 0, 0}, {0, 0, 0, 1, 0},
  };
  for (auto c : cases) {
    auto b = WithData(c.symbology, c.subType, "1");
    b->designerDrawsText = static_cast<uint8_t>(c.designer);
    b->hrSeparate = static_cast<int16_t>(c.separate);
    EXPECT_EQ(TestBarcodeHrForPrinter(*b), c.result) << c.symbology << "/" << c.subType;
  }
}

TEST(BarcodeChecks, DateFormatsPerSymbology) {
  struct { int symbology, subType; const char* format; int valid; } cases[] = {
      {6, 0, "yymmdd", 1},  {6, 0, "yy/mm/dd", 0}, {6, 0, "dd mmm yy", 0}, {1, 0, "yy/mm/dd", 1},
      {1, 0, "hh:mm", 0},   {0, 0, "yymmdd", 1},   {0, 0, "yy mm", 0},      {4, 3, "yy.mm", 0},
      {4, 0, "yy.mm", 1},   {27, 0, "dd mmm, yyyy", 1},
  };
  for (auto c : cases) EXPECT_EQ(IsDateFormatValidForSymbology(c.symbology, c.subType, c.format), c.valid) << c.format;
}

TEST(BarcodeChecks, UpsFieldsStopAtTheFirstFailure) {
  CBarcodeField f;
  f.symbology = 28;
  f.maxiMode = 2;
  const char* good[13] = {"123456789", "840", "001", "1Z12345678", "123456", "123", "", "1/1", "10", "Y", "", "City", "NY"};
  for (size_t i = 0; i < 13; ++i) f.upsField[i] = good[i];
  fields_test::RecordUiMessages messages;
  int failed = -1;
  EXPECT_EQ(ValidateUpsFields(nullptr, f, &failed, 0), 1);
  f.upsField[9] = "X";
  EXPECT_EQ(ValidateUpsFields(nullptr, f, &failed, 0), 0);
  EXPECT_EQ(failed, 9);
  f.upsField[9] = "N";
  f.upsField[3] = "123";
  EXPECT_EQ(ValidateUpsFields(nullptr, f, &failed, 0), 0);
  EXPECT_EQ(failed, 3);
  f.upsSource[3] = 2;  // prompted: not checked
  EXPECT_EQ(ValidateUpsFields(nullptr, f, &failed, 0), 1);
  const auto shown = messages.Take();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].id, kMsgAddressValidation);
  EXPECT_EQ(shown[1].id, kMsgPartLengthRange);
}

}  // namespace
