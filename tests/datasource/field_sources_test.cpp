// Which field may take which source, the list order, the code page of a
// field's text before printing, and the field code's services filled in.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "datasource/counter_file.h"
#include "datasource/field_sources.h"
#include "fields/model/field_kinds.h"
#include "fields/services/field_services.h"
#include "platform/kernel/kernel.h"
#include "temp_folder.h"

namespace {

std::unique_ptr<CField> Barcode(int symbology, int subType) {
  auto f = std::make_unique<CBarcodeField>();
  f->symbology = static_cast<int16_t>(symbology);
  f->subType = static_cast<int16_t>(subType);
  return f;
}

struct Rule {
  const char* field;
  std::unique_ptr<CField> (*make)();
  int type;
  int allowed;
};

TEST(FieldSources, WhichFieldTakesWhichSource) {
  const Rule rules[] = {
      {"text: no Link To File", [] { return std::unique_ptr<CField>(new CTextField); }, 1, 0},
      {"text: Date", [] { return std::unique_ptr<CField>(new CTextField); }, 5, 1},
      {"text: Port Watch never", [] { return std::unique_ptr<CField>(new CTextField); }, 9, 0},
      {"paragraph: Database", [] { return std::unique_ptr<CField>(new CParagraphField); }, 8, 1},
      {"paragraph: no Counter File", [] { return std::unique_ptr<CField>(new CParagraphField); }, 4, 0},
      {"rich text: Link To File", [] { return std::unique_ptr<CField>(new CRtfField); }, 1, 1},
      {"image: Link/Expression", [] { return std::unique_ptr<CField>(new CImageField); }, 7, 1},
      {"image: no Fixed Data", [] { return std::unique_ptr<CField>(new CImageField); }, 0, 0},
      {"QR Code (29): Link To File", [] { return Barcode(29, 0); }, 1, 1},
      {"QR Code (29): no Counter File", [] { return Barcode(29, 0); }, 4, 0},
      {"QR Code (29): no Date", [] { return Barcode(29, 0); }, 5, 0},
      {"symbology 27: Date", [] { return Barcode(27, 0); }, 5, 1},
      {"symbology 27: Time", [] { return Barcode(27, 0); }, 6, 1},
      {"EAN-13 (6): no Date", [] { return Barcode(6, 0); }, 5, 0},
      {"UPC-A (5): no Time", [] { return Barcode(5, 0); }, 6, 0},
      {"Code 39 (1): Date", [] { return Barcode(1, 0); }, 5, 1},
      {"Code 128 (4) sub-type 3: no Date", [] { return Barcode(4, 3); }, 5, 0},
      {"Code 128 (4) sub-type 0: Time", [] { return Barcode(4, 0); }, 6, 1},
      {"Interleaved 2 of 5 (10): no Date", [] { return Barcode(10, 0); }, 5, 0},
      {"linear: no Link To File", [] { return Barcode(1, 0); }, 1, 0},
      {"linear: Counter File", [] { return Barcode(1, 0); }, 4, 1},
      {"line: anything but Port Watch", [] { return std::unique_ptr<CField>(new CLineField); }, 3, 1},
  };
  for (const Rule& r : rules) EXPECT_EQ(IsDataSourceAllowed(r.type, *r.make()), r.allowed) << r.field;
}

TEST(FieldSources, TheSourceListOfATextField) {
  CTextField text;
  std::vector<std::string> offered;
  for (const int16_t* t = DataSourceListOrder(); *t >= 0; ++t) {
    if (IsDataSourceAllowed(*t, text)) offered.emplace_back(DataSourceName(*t));
  }
  EXPECT_EQ(offered, (std::vector<std::string>{"Fixed Data", "Link/Expression", "Database", "Strings In File",
                                               "Prompt Before Print", "Counter File", "Choose From List", "Date",
                                               "Time"}));
  EXPECT_EQ(DataSourceHasStoredText(5), 0);
  EXPECT_EQ(DataSourceHasStoredText(10), 0);
  EXPECT_EQ(DataSourceHasStoredText(8), 1);
  EXPECT_EQ(IsTextOrLinearBarcodeField(*Barcode(27, 0)), 0);
  EXPECT_EQ(IsTextOrLinearBarcodeField(*Barcode(1, 0)), 1);
}

TEST(FieldSources, TraditionalChineseTextGoesToCodePage950) {
  CTextField field;
  field.dataLanguage = 2;  // "Traditional Chinese"
  field.data = AString(4, "\x2D\x4E\x87\x65");  // 中文 in UTF-16
  field.data.SetWide(true);
  CTextField kept;
  kept.CopyFrom(&field, 0);
  EXPECT_EQ(ConvertFieldDataCodePage(kept, 1, 40), 0) << "no-conversion byte set";
  EXPECT_TRUE(kept.data.IsWide());
  EXPECT_EQ(ConvertFieldDataCodePage(kept, 0, 0), 0) << "a text field with a data language on a non-40 printer";
  ASSERT_EQ(ConvertFieldDataCodePage(field, 0, 40), 1);
  EXPECT_FALSE(field.data.IsWide());
  EXPECT_EQ(std::string(field.data.GetData(), static_cast<size_t>(field.data.GetLength())),
            std::string("\xA4\xA4\xA4\xE5"));
  CImageField image;
  EXPECT_EQ(ConvertFieldDataCodePage(image, 0, 40), 0);
  // Through a label setup: left alone by default, converted on request.
  CLabelSetup setup;
  EXPECT_EQ(ConvertFieldDataCodePage(kept, setup), 0);
  setup.noDataConversion = 0;
  setup.printerKind = 40;
  EXPECT_EQ(ConvertFieldDataCodePage(kept, setup), 1);
  EXPECT_EQ(std::string(kept.data.GetData(), 4), std::string("\xA4\xA4\xA4\xE5"));
}

TEST(FieldSources, TheFieldCodeReachesDatesTimesAndCounters) {
  InstallDataSourceServices();
  SYSTEMTIME fixed{};
  fixed.wYear = 2024;
  fixed.wMonth = 2;
  fixed.wDay = 29;
  fixed.wHour = 12;
  fixed.wMinute = 5;
  SetLocalTimeForTesting(&fixed);
  CTextField date;
  date.dataSourceType = 5;
  date.offsetUnit = "dd.mmmm.yyyy";
  date.dateFormat = 1;  // months
  date.dateOffset = 12;
  CBarcodeField time;
  time.symbology = 1;
  time.dataSourceType = 6;
  time.offsetUnit = "hh12:mm";
  time.timeFormat = 4;  // minutes
  time.dateOffset = -6;
  int width = 0;
  const AString d = FormatFieldDateTime(date, &width);
  const AString t = FormatFieldDateTime(time, nullptr);
  SetLocalTimeForTesting(nullptr);
  EXPECT_STREQ(d.GetData(), "28.February.2025");
  EXPECT_EQ(width, 17);
  EXPECT_STREQ(t.GetData(), "11:59 AM");
  TempFolder dir;
  CCounterFileData data;
  data.value = "A-0099";
  ASSERT_EQ(WriteCounterFile(dir.File("c.cntr").c_str(), data), 1);
  CCounterFileData back;
  EXPECT_EQ(ReadCounterFile(dir.File("c.cntr").c_str(), &back), 1);
  EXPECT_STREQ(back.value.GetData(), "A-0099");
  SetFieldDataServices(nullptr);
}

}  // namespace
