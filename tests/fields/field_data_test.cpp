// Field data access, the variable-data questions, padding, code pages and
// the service table of the data sources.
#include <gtest/gtest.h>

#include <cstring>

#include "fields/model/field_data.h"
#include "fields/model/field_kinds.h"
#include "fields/services/field_services.h"

namespace {

TEST(FieldData, EachKindKeepsItsDataInItsOwnMember) {
  struct { int kind; const char* value; } cases[] = {{2, "text"}, {3, "123"}, {4, "a.png"}, {6, "para"}, {7, "f.rtf"}};
  for (auto c : cases) {
    auto f = NewFieldOfKind(c.kind);
    SetFieldData(*f, AString(c.value));
    AString out;
    GetFieldData(out, *f);
    EXPECT_TRUE(out == c.value) << c.kind;
    EXPECT_EQ(GetFieldDataLength(*f), static_cast<int>(std::strlen(c.value))) << c.kind;
  }
  CBoxField box;
  SetFieldData(box, AString("ignored"));
  AString out("x");
  GetFieldData(out, box);
  EXPECT_TRUE(out.IsEmpty());
  EXPECT_EQ(GetFieldDataLength(box), 0);
}

TEST(FieldData, PaddingFillsWithTheFirstCharacter) {
  struct { int kind; const char* data; int16_t max; int result; const char* padded; } cases[] = {
      {3, "", 5, 5, "     "},   // an empty barcode: spaces
      {4, "12", 4, 4, "1211"},  // an image name: its first character
      {4, "", 3, 3, "999"},     // an empty image name: nines
      {2, "abc", 3, 0, "abc"},  // already full: nothing added
      {2, "abcd", 3, -1, "abcd"},
  };
  for (auto c : cases) {
    auto f = NewFieldOfKind(c.kind);
    SetFieldData(*f, AString(c.data));
    f->maxChars = c.max;
    EXPECT_EQ(PadFieldDataToMaxLength(*f), c.result) << c.data;
    AString out;
    GetFieldData(out, *f);
    EXPECT_TRUE(out == c.padded) << c.data;
  }
}

TEST(FieldData, ControlCharactersAreReplaced) {
  AString s("a\tb\nc\x1f");
  ReplaceControlChars(s, ' ');
  EXPECT_TRUE(s == "a b c ");
}

TEST(FieldData, VariableAndComputedBySourceType) {
  // type -> variable, computed for a text field
  struct { int16_t type; int variable; int computed; } cases[] = {
      {0, 0, 0}, {1, 0, 1}, {2, 1, 1}, {3, 1, 1}, {4, 1, 1}, {5, 1, 1}, {6, 1, 1},
      {7, 1, 1}, {8, 1, 1}, {9, 1, 1}, {10, 0, 0}, {11, 1, 1},
  };
  for (auto c : cases) {
    CTextField t;
    t.dataSourceType = c.type;
    EXPECT_EQ(IsVariableDataField(t, 0), c.variable) << c.type;
    EXPECT_EQ(IsFieldDataComputed(t), c.computed) << c.type;
  }
  CImageField image;
  image.dataSourceType = 1;
  EXPECT_EQ(IsFieldDataComputed(image), 0);
  CBoxField box;
  box.dataSourceType = 2;
  EXPECT_EQ(IsVariableDataField(box, 0), 0);
}

TEST(FieldData, MaxiCodePartsDecideWhetherTheFieldVaries) {
  CBarcodeField m;
  m.symbology = 28;
  EXPECT_EQ(IsVariableDataField(m, 0), 0);
  m.upsSource[5] = 2;
  EXPECT_EQ(GetMaxiCodePartSources(m, 0), 2);
  EXPECT_EQ(IsVariableDataField(m, 0), 1);
  m.upsSourceBackup[5] = 2;
  m.upsSourceBackup[6] = 7;
  EXPECT_EQ(GetMaxiCodePartSources(m, 1), 3);
  EXPECT_EQ(IsVariableDataField(m, 1), 0);

  CBarcodeField ai;
  ai.symbology = 20;
  ai.aiSource[0] = 2;
  EXPECT_EQ(GetAiPartSources(ai, 0), 0);  // no identifier: skipped
  EXPECT_EQ(IsVariableDataField(ai, 0), 0);
  ai.aiCode[0] = "01";
  EXPECT_EQ(GetAiPartSources(ai, 0), 2);
  EXPECT_EQ(IsVariableDataField(ai, 0), 1);
  CTextField t;
  EXPECT_EQ(GetAiPartSources(t, 0), -1);
}

TEST(FieldData, CodePageOfTheDataLanguageOrTheFont) {
  CTextField t;
  EXPECT_EQ(GetFieldDataCodePage(t, nullptr), 1252);
  t.logFont.lfCharSet = 128;
  EXPECT_EQ(GetFieldDataCodePage(t, nullptr), 932);
  CBoxField box;
  EXPECT_EQ(GetFieldDataCodePage(box, nullptr), -1);
  CImageField image;
  EXPECT_EQ(GetFieldDataCodePage(image, nullptr), -1);
}

TEST(FieldData, StockSizeWithoutAPrinterName) {
  const SIZE s = GetStockSize(nullptr, nullptr);
  EXPECT_EQ(s.cx, 9000);
  EXPECT_EQ(s.cy, 16000);
}

AString FixedDate(const CField&, int* length) {
  if (length) *length = 10;
  return AString("2026-12-10");
}

int FixedCounter(const char* path, CCounterFileData* data) {
  if (std::strcmp(path, "c.cntr") != 0) return 0;
  data->value = "0042";
  return 1;
}

TEST(FieldData, ServiceTableIsWhatTheProgramInstalls) {
  CTextField t;
  int length = -1;
  SetFieldDataServices(nullptr);
  EXPECT_TRUE(FormatFieldDateTime(t, &length).IsEmpty());
  EXPECT_EQ(length, 0);
  CCounterFileData counter;
  EXPECT_EQ(ReadCounterFile("c.cntr", &counter), 0);

  static const FieldDataServices fixed{FixedDate, FixedCounter};
  EXPECT_TRUE(SetFieldDataServices(&fixed));
  // A table without one of its entries is refused: the one installed stays.
  static const FieldDataServices noCounter{FixedDate, nullptr};
  static const FieldDataServices noDate{nullptr, FixedCounter};
  EXPECT_FALSE(SetFieldDataServices(&noCounter));
  EXPECT_FALSE(SetFieldDataServices(&noDate));
  EXPECT_EQ(GetFieldDataServices(), &fixed);
  EXPECT_TRUE(FormatFieldDateTime(t, &length) == "2026-12-10");
  EXPECT_EQ(length, 10);
  EXPECT_EQ(ReadCounterFile("c.cntr", &counter), 1);
  EXPECT_TRUE(counter.value == "0042");
  SetFieldDataServices(nullptr);
}

}  // namespace
