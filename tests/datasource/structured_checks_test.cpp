// The checks on application-identifier and HIBC rows, and the MaxiCode
// postal code, as tables.
#include <gtest/gtest.h>

#include "datasource/structured_checks.h"
#include "fields/barcode/structured_parts.h"
#include "fields/barcode/symbology_catalogue.h"

namespace {

struct AiCase {
  const char* why;
  std::array<AiRow, 6> rows;
  int accepted;
  int message;
  int badRow;
};

TEST(StructuredChecks, ApplicationIdentifierRows) {
  InitSymbologyTables();
  const typAIdef* sscc = FindAIDefinition("00");
  ASSERT_NE(sscc, nullptr);
  ASSERT_EQ(sscc->minLength, 18);
  ASSERT_EQ(sscc->maxLength, 18);
  const AiCase cases[] = {
      {"an SSCC of 18 digits", {{{"00", "123456789012345675", 0}}}, 1, 0, -1},
      {"an SSCC whose check digit is wrong", {{{"00", "123456789012345678", 0}}}, 0, 50077, 0},
      {"a GTIN whose check digit is wrong", {{{"10", "A1", 0}, {}, {"01", "12345678901234", 0}}}, 0, 50077, 2},
      {"a GTIN with its check digit", {{{"01", "12345678901231", 0}}}, 1, 0, -1},
      {"a GSIN whose check digit is wrong", {{{"402", "12345678901234567", 0}}}, 0, 50077, 0},
      {"a GSIN with its check digit", {{{"402", "12345678901234560", 0}}}, 1, 0, -1},
      {"a GSRN whose check digit is wrong", {{{"8018", "123456789012345678", 0}}}, 0, 50077, 0},
      {"a GSRN with its check digit", {{{"8017", "123456789012345675", 0}}}, 1, 0, -1},
      {"a batch has no check digit", {{{"10", "123456789012345678", 0}}}, 1, 0, -1},
      {"seventeen digits and a letter in a digits-only identifier", {{{"00", "12345678901234567X", 0}}}, 0, 50075, 0},
      {"seventeen digits", {{{}, {"00", "12345678901234567", 0}}}, 0, 50073, 1},
      {"a range identifier too long", {{{"10", "123456789012345678901", 0}}}, 0, 50074, 0},
      {"a prompted row is not checked at design time", {{{"00", "", 2}}}, 1, 0, -1},
      {"a linked row is not checked", {{{"00", "x", 7}}}, 1, 0, -1},
      {"no identifier at all", {}, 0, 50050, 0},
  };
  for (const AiCase& c : cases) {
    CBarcodeField field;
    field.symbology = 20;
    field.aiCode[5] = "01";  // a row the grid left at "None" is emptied
    field.aiData[5] = "stale";
    int badRow = -1;
    PartMessage message;
    EXPECT_EQ(ApplyAiRows(field, c.rows, false, &badRow, &message), c.accepted) << c.why;
    EXPECT_EQ(message.number, c.message) << c.why;
    EXPECT_EQ(badRow, c.badRow) << c.why;
    if (c.accepted || c.message == 50050) {  // a refused row ends the reading
      EXPECT_TRUE(field.aiCode[5].IsEmpty()) << c.why;
      EXPECT_TRUE(field.aiData[5].IsEmpty()) << c.why;
    }
  }
}

TEST(StructuredChecks, PromptedAiRowsTakeOnlyTheirText) {
  InitSymbologyTables();
  CBarcodeField field;
  field.aiCode[0] = "00";
  field.aiData[0] = "123456789012345678";
  field.aiSource[0] = 0;
  field.aiCode[1] = "10";
  field.aiSource[1] = 2;
  std::array<AiRow, 6> rows{};
  rows[0].data = "changed";
  rows[1].data = "LOT42";
  int badRow = -1;
  PartMessage message;
  EXPECT_EQ(ApplyAiRows(field, rows, true, &badRow, &message), 1);
  EXPECT_STREQ(field.aiData[0].GetData(), "123456789012345678");
  EXPECT_STREQ(field.aiData[1].GetData(), "LOT42");
}

TEST(StructuredChecks, HibcRows) {
  struct Case {
    const char* why;
    int form;
    std::array<HibcRow, 6> rows;
    int accepted;
    int message;
    int badRow;
  } cases[] = {
      {"all rows", 0, {{{0, "A123"}, {0, "PCN1"}, {0, "1"}, {1, "12"}, {1, "240229"}, {0, "LOT"}}}, 1, 0, -1},
      {"a short labeler code", 0, {{{0, "A12"}, {0, "PCN1"}, {0, "1"}}}, 0, 50073, 0},
      {"a quantity with a letter", 0, {{{0, "A123"}, {0, "P"}, {0, "1"}, {1, "1x"}}}, 0, 50075, 3},
      {"a date too short for YYMMDD", 0, {{{0, "A123"}, {0, "P"}, {0, "1"}, {0, ""}, {1, "2402"}}}, 0, 50073, 4},
      {"a product code too long", 0, {{{0, "A123"}, {0, "12345678901234"}, {0, "1"}}}, 0, 50074, 1},
      {"primary form ignores what rows 3-5 show", 1,
       {{{0, "A123"}, {0, "P"}, {0, "1"}, {2, "xx"}, {1, "bad"}, {0, "12345678901234567"}}}, 1, 0, -1},
  };
  for (const Case& c : cases) {
    CBarcodeField field;
    field.SetDefaults();
    field.hibcForm = static_cast<uint8_t>(c.form);
    field.aiData[3] = "99";
    field.upsSource[kHibcQuantityFormatSlot] = 1;
    int badRow = -1;
    PartMessage message;
    EXPECT_EQ(ApplyHibcRows(field, c.rows, false, &badRow, &message), c.accepted) << c.why;
    EXPECT_EQ(message.number, c.message) << c.why;
    EXPECT_EQ(badRow, c.badRow) << c.why;
    if (c.form == 1) {
      for (size_t r = 3; r < 6; ++r) EXPECT_TRUE(field.aiData[r].IsEmpty()) << c.why << " row " << r;
      EXPECT_EQ(field.upsSource[kHibcQuantityFormatSlot], 0) << c.why;
    }
  }
  // "Quantity 0 Digits": the quantity has no value.
  CBarcodeField field;
  field.SetDefaults();
  std::array<HibcRow, 6> rows{{{0, "A123"}, {0, "P"}, {0, "1"}, {0, "77"}, {0, ""}, {0, ""}}};
  int badRow = -1;
  PartMessage message;
  EXPECT_EQ(ApplyHibcRows(field, rows, false, &badRow, &message), 1);
  EXPECT_TRUE(field.aiData[3].IsEmpty());
}

TEST(StructuredChecks, MaxiCodePostalCode) {
  struct Case {
    const char* text;
    int mode;
    uint8_t source;
    const char* expected;
  } cases[] = {
      {"ab12345x", 3, 0, "AB1234"},
      {"ab12345x", 3, 2, "AB12345X"},
      {"ab12345x", 2, 0, "12345"},
      {"12-345 6789", 2, 0, "123456789"},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(ShapeMaxiPostalCode(c.text, c.mode, c.source).GetData(), c.expected) << c.text << " " << c.mode;
  }
  EXPECT_EQ(MaxiPostalCodeLength(3), 6);
  EXPECT_EQ(MaxiPostalCodeLength(2), 9);
}

}  // namespace
