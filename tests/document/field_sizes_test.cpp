// Field sizes against a layout: sample data for print-time sources, the
// duplicate count of a print job.
#include <gtest/gtest.h>

#include <memory>

#include "document/sizes/field_sizes.h"
#include "fields/model/field_data.h"
#include "fields/richtext/rtf_field.h"

namespace {

struct SampleCase {
  const char* name;
  FieldKind kind;
  DataSourceType source;
  unsigned flags;
  bool sampled;
};

std::unique_ptr<CField> Make(FieldKind kind) {
  switch (kind) {
    case FieldKind::kText: return std::make_unique<CTextField>();
    case FieldKind::kBarcode: return std::make_unique<CBarcodeField>();
    case FieldKind::kImage: return std::make_unique<CImageField>();
    case FieldKind::kParagraph: return std::make_unique<CParagraphField>();
    case FieldKind::kRtf: return std::make_unique<CRtfField>();
    case FieldKind::kBox: return std::make_unique<CBoxField>();
    default: return std::make_unique<CLineField>();
  }
}

const SampleCase kSampleCases[] = {
    {"rich text fed by a date", FieldKind::kRtf, DataSourceType::kDate, 0, true},
    {"rich text fed by a counter", FieldKind::kRtf, DataSourceType::kCounterFile, 0, true},
    {"rich text of fixed data", FieldKind::kRtf, DataSourceType::kFixedData, 0, false},
    {"sample data refused by the flags", FieldKind::kRtf, DataSourceType::kDate, kMeasureNoSampleData, false},
    {"text prompted at print time", FieldKind::kText, DataSourceType::kPromptBeforePrint, 0, true},
    {"barcode from a database", FieldKind::kBarcode, DataSourceType::kDatabase, 0, true},
    {"text on shift: stored data", FieldKind::kText, DataSourceType::kOnShift, 0, false},
};

TEST(FieldSizes, WhichFieldsAreMeasuredWithSampleData) {
  for (const SampleCase& c : kSampleCases) {
    auto f = Make(c.kind);
    f->dataSourceType = static_cast<int16_t>(c.source);
    EXPECT_EQ(UsesSampleData(*f, c.flags), c.sampled && IsFieldDataComputed(*f)) << c.name;
  }
}

TEST(FieldSizes, SampleDataIsGivenBackAfterMeasuring) {
  CRtfField f;
  f.rtfFile = "notes.rtf";
  f.width = 1200;
  f.height = 300;
  f.dataSourceType = static_cast<int16_t>(DataSourceType::kDate);
  const CLabelSetup setup;
  const SIZE size = MeasureFieldWithSampleData(f, {}, setup, 0);
  EXPECT_EQ(size.cx, 1200);
  EXPECT_STREQ(f.rtfFile.GetData(), "notes.rtf");
}

TEST(FieldSizes, JobCountOfTextAndBarcodesOnly) {
  CTextField text;
  text.duplicates = 3;
  CBarcodeField code;
  code.duplicates = 5;
  CLineField line;
  CBoxField box;
  EXPECT_EQ(GetFieldJobCount(text), 3);
  EXPECT_EQ(GetFieldJobCount(code), 5);
  EXPECT_EQ(GetFieldJobCount(line), 0);
  EXPECT_EQ(GetFieldJobCount(box), 0);
}

}  // namespace
