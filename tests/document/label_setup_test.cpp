// The label setup record: its defaults, copying and the stored block.
#include <gtest/gtest.h>

#include "document/setup/label_setup_block.h"
#include "fields/services/label_setup.h"
#include "fields/records/record_slot.h"

namespace {

int32_t I32At(const LabelSetupBlock& b, int offset) {
  int32_t v = 0;
  record_codec::Get(b.data() + offset, v);
  return v;
}

TEST(LabelSetup, ANewRecordDescribesAFourByTwoAndAHalfInchLabel) {
  const CLabelSetup s;
  EXPECT_EQ(s.labelWidth, 4000);
  EXPECT_EQ(s.labelHeight, 2500);
  EXPECT_EQ(s.deflt_lblsPerRow, 1);
  EXPECT_EQ(s.deflt_rowsPerPage, 1);
  EXPECT_EQ(s.dpiX, 300);
  EXPECT_EQ(s.dpiY, 300);
  EXPECT_EQ(s.deflt_bkclr, 0xFFFFFFu);
  EXPECT_EQ(s.deflt_hasBorder, 0);
  EXPECT_EQ(s.deflt_holeDiameter, 1650);
}

TEST(LabelSetup, CopyWithoutStringsKeepsTheTargetsPrinterAndBindings) {
  CLabelSetup source;
  source.labelWidth = 1234;
  source.lastPrinter = "Source printer";
  source.description = "described";
  source.dbBindings.SetAt(AString("a;;;;b"), CDbBinding());
  CLabelSetup target;
  target.lastPrinter = "Mine";
  EXPECT_EQ(target.CopyFrom(source, 1), 1);
  EXPECT_EQ(target.labelWidth, 1234);
  EXPECT_STREQ(target.lastPrinter.GetData(), "Mine");
  EXPECT_TRUE(target.description.IsEmpty());
  EXPECT_EQ(target.dbBindings.GetCount(), 0);
  EXPECT_EQ(target.CopyFrom(source, 0), 1);
  EXPECT_STREQ(target.lastPrinter.GetData(), "Source printer");
  EXPECT_STREQ(target.description.GetData(), "described");
  EXPECT_EQ(target.dbBindings.GetCount(), 1);
}

TEST(LabelSetup, CopyPageSettingsKeepingTheSizeTakesRotationAndPrinter) {
  CLabelSetup source;
  source.labelWidth = 9000;
  source.deflt_lblsPerRow = 3;
  source.deflt_rotation = 2;
  source.lastPrinter = "P";
  source.dpiX = 203;
  CLabelSetup target;
  target.CopyPageSettings(source, 1);
  EXPECT_EQ(target.labelWidth, 4000);
  EXPECT_EQ(target.deflt_lblsPerRow, 1);
  EXPECT_EQ(target.deflt_rotation, 2);
  EXPECT_STREQ(target.lastPrinter.GetData(), "P");
  EXPECT_EQ(target.dpiX, 203);
  target.CopyPageSettings(source, 0);
  EXPECT_EQ(target.labelWidth, 9000);
  EXPECT_EQ(target.deflt_lblsPerRow, 3);
}

// The block's bytes at the offsets the stored form gives, for the defaults.
TEST(LabelSetup, TheDefaultBlockHoldsTheDefaultsAtTheirOffsets) {
  const LabelSetupBlock b = PutLabelSetupBlock(CLabelSetup());
  struct Case {
    int offset;
    int width;
    int64_t value;
  };
  const Case cases[] = {
      {0, 4, 0},      {4, 4, 4000},  {8, 4, 2500},    {32, 2, 1},    {34, 2, 1},    {36, 1, 0},
      {37, 1, 1},     {39, 1, 1},    {40, 1, 1},      {41, 1, 0},    {46, 4, 300},  {50, 4, 300},
      {54, 4, 0xFFFFFF}, {58, 4, 0}, {62, 4, 12},     {74, 4, 100},  {82, 4, 120},  {100, 4, 0},
      {104, 1, 1},    {107, 1, 10},  {109, 1, 13},    {112, 1, 31},  {120, 1, 2},   {126, 4, 1},
      {130, 4, 567},  {134, 4, 420}, {150, 4, 100},   {342, 2, 0},   {470, 4, 1650},
  };
  for (const Case& c : cases) {
    int64_t v = c.width == 4 ? I32At(b, c.offset) : c.width == 2 ? (b[c.offset] | b[c.offset + 1] << 8) : b[c.offset];
    EXPECT_EQ(v, c.value) << "offset " << c.offset;
  }
  for (int i = 154; i < 342; ++i) EXPECT_EQ(b[i], 0) << "string bytes at " << i;
  for (int i = 474; i < 726; ++i) EXPECT_EQ(b[i], 0) << "reserved byte " << i;
}

TEST(LabelSetup, EveryStoredNumberReadsBackFromItsBlock) {
  CLabelSetup s;
  s.labelWidth = 5555;
  s.deflt_vGap = -7;
  s.deflt_rowsPerPage = 9;
  s.border = BdrData{3, 40, 1, 0x123456};
  s.values113[6] = 0xAB;
  s.value346 = -2;
  s.deflt_holeDiameter = 999;
  const LabelSetupBlock b = PutLabelSetupBlock(s);
  CLabelSetup r;
  GetLabelSetupBlock(r, b);
  EXPECT_EQ(PutLabelSetupBlock(r), b);
  EXPECT_EQ(r.labelWidth, 5555);
  EXPECT_EQ(r.deflt_vGap, -7);
  EXPECT_EQ(r.border, s.border);
  EXPECT_EQ(r.values113[6], 0xAB);
  EXPECT_EQ(r.value346, -2);
}

}  // namespace
