// Default field names and the values fields show at design time.
#include <gtest/gtest.h>

#include "fields/design/design_values.h"
#include "fields/model/field_data.h"
#include "fields/services/field_services.h"
#include "fields/services/label_setup.h"

namespace {

TEST(DefaultNames, OneMoreThanTheHighestUsed) {
  CFieldList list;
  EXPECT_TRUE(MakeDefaultFieldName(3, list) == "Barcode_1");
  EXPECT_TRUE(MakeDefaultFieldName(9, list) == "RRect_1");
  for (const char* name : {"barcode_7", "BARCODE_x", "Barcode_", "Text_12"}) {
    auto f = std::make_unique<CBarcodeField>();
    f->name = name;
    list.push_back(std::move(f));
  }
  EXPECT_TRUE(MakeDefaultFieldName(3, list) == "Barcode_8");
  EXPECT_TRUE(MakeDefaultFieldName(2, list) == "Text_13");
  EXPECT_TRUE(MakeDefaultFieldName(42, list).IsEmpty());
  CBoxField box;
  EXPECT_EQ(AssignDefaultFieldName(box, list), 1);
  EXPECT_TRUE(box.name == "Box_1");
}

AString DesignValueOf(CField& f, int numeric = -1) {
  CLabelSetup setup;
  GetFieldDesignValue(f, {}, setup, numeric);
  AString out;
  GetFieldData(out, f);
  return out;
}

TEST(DesignValues, PlaceholdersOfTheMaximumLength) {
  CTextField db;
  db.dataSourceType = 8;
  db.maxChars = 5;
  EXPECT_TRUE(DesignValueOf(db) == "DBDBD");
  CTextField hr;
  hr.dataSourceType = 8;
  hr.maxChars = 5;
  hr.customHR = 1;
  EXPECT_TRUE(DesignValueOf(hr) == "00000");
  CTextField prompt;
  prompt.dataSourceType = 2;
  prompt.maxChars = 3;
  EXPECT_TRUE(DesignValueOf(prompt) == "XXX");
  EXPECT_TRUE(DesignValueOf(prompt, 1) == "000");
  CBarcodeField pdf;
  pdf.symbology = 27;
  pdf.dataSourceType = 2;
  pdf.maxChars = 300;
  EXPECT_TRUE(DesignValueOf(pdf) == AString('0', 40));
  CBarcodeField ean;
  ean.symbology = 6;
  ean.dataSourceType = 2;
  ean.maxChars = 30;
  EXPECT_EQ(DesignValueOf(ean).GetLength(), 12);  // limited to the longest valid length
}

TEST(DesignValues, UpsPartsFedAtPrintTimeAreShaped) {
  CBarcodeField maxi;
  maxi.symbology = 28;
  maxi.maxiMode = 2;
  maxi.upsField[0] = "AB12";
  maxi.upsSource[0] = 2;
  EXPECT_EQ(FillUpsPlaceholders(maxi), 1);
  EXPECT_TRUE(maxi.upsField[0] == "000000012");
  CBarcodeField fixed;
  EXPECT_EQ(FillUpsPlaceholders(fixed), 0);
}

AString FixedDate(const CField&, int* length) {
  *length = 8;
  return AString("10.12.26");
}

int FixedCounter(const char*, CCounterFileData* data) {
  data->value = "0042";
  return 1;
}

TEST(DesignValues, DatesAndCountersComeFromTheServices) {
  static const FieldDataServices services{FixedDate, FixedCounter};
  SetFieldDataServices(&services);
  CTextField date;
  date.dataSourceType = 5;
  EXPECT_TRUE(DesignValueOf(date) == "10.12.26");
  EXPECT_EQ(date.maxChars, 8);
  CTextField counter;
  counter.dataSourceType = 4;
  counter.counterFile = "c.cntr";
  EXPECT_TRUE(DesignValueOf(counter) == "0042");
  SetFieldDataServices(nullptr);
}

TEST(DesignValues, BarcodesAreMadeAcceptable) {
  CBarcodeField code39;
  code39.symbology = 1;
  code39.data = "abc";
  EXPECT_TRUE(DesignValueOf(code39) == "ABC");
  CBarcodeField hibc;
  hibc.SetDefaults();
  hibc.hibcForm = 1;
  hibc.aiData[0] = "A123";
  hibc.aiData[1] = "P1";
  hibc.aiData[2] = "0";
  EXPECT_TRUE(DesignValueOf(hibc) == "+A123P10");
}

TEST(DesignValues, DatePartIndex) {
  struct { const char* text; int index; } cases[] = {
      {"Weekday", 0}, {"Min", -1}, {"MONTH", 1}, {"year and day", 0}, {"hour", 3}, {"minutes", 4}, {"Second", 5}};
  for (auto c : cases) EXPECT_EQ(DatePartIndex(c.text), c.index) << c.text;
}

}  // namespace
