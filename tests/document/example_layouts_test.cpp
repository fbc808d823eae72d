// The sample layouts written through saving, opened again and rendered
// headless to PNG: each one's symbols read back by zxing-cpp from the PNG as
// ImageMagick reads it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "document/file/layout_file.h"
#include "document/render/layout_png.h"
#include "document/tools/example_layouts.h"
#include "fields/design/design_values.h"
#include "fields/model/field_kinds.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/document/export_oracles.h"

namespace {

struct Expected {
  const char* layout;
  ZXing::BarcodeFormat format;
  const char* data;  // what the symbol holds
  int width, height;  // pixels at the layout's resolution
};

const Expected kExamples[] = {
    {"shipping_label", ZXing::BarcodeFormat::Code128, "0112345678901231" "10LOT7", 812, 1218},
    {"shipping_label", ZXing::BarcodeFormat::QRCode, "TRK 1Z4A7-0093-5521", 812, 1218},
    {"product_label", ZXing::BarcodeFormat::EAN13, "9780306406157", 900, 600},
    // A counter's symbol shows the counter's design-time value.
    {"asset_tag", ZXing::BarcodeFormat::DataMatrix, nullptr, 600, 300},
};

// What the design shows for the layout's counter-fed barcode field.
std::string CounterDesignValue(const std::string& layout) {
  CLabelSetup setup;
  CFieldList fields;
  if (!LoadLayoutFile(layout.c_str(), nullptr, setup, fields, nullptr)) return "(not opened)";
  for (const auto& f : fields) {
    if (!f->IsKind(FieldKind::kBarcode) || f->dataSourceType != 4) continue;
    GetFieldDesignValue(*f, fields, setup, -1);
    return static_cast<const CBarcodeField&>(*f).data.GetData();
  }
  return "(no counter field)";
}

TEST(ExampleLayouts, WrittenOpenedAndRenderedWithTheirSymbols) {
  document_test::TempFolder folder("examples");
  const std::string dir = folder.File("examples");
  ASSERT_EQ(WriteExampleLayouts(dir).size(), 3u);
  EXPECT_TRUE(std::filesystem::exists(dir + "/product_picture.png"));
  EXPECT_FALSE(std::filesystem::exists(dir + "/asset_tag.bcd.010"));
  for (const Expected& e : kExamples) {
    SCOPED_TRACE(e.layout);
    const std::string png = folder.File(std::string(e.layout) + ".png");
    ASSERT_EQ(RenderLayoutFileToPng((dir + "/" + e.layout + ".bcd").c_str(), png.c_str(), 0), 1);
    const auto read = document_test::ReadWithImageMagick(png);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->width, e.width);
    EXPECT_EQ(read->height, e.height);
    kalvo_test::Grey grey;
    grey.width = read->width;
    grey.height = read->height;
    for (size_t i = 0; i + 2 < read->bytes.size(); i += 3)
      grey.pixels.push_back(static_cast<uint8_t>((read->bytes[i] + read->bytes[i + 1] + read->bytes[i + 2]) / 3));
    ZXing::DecodeHints hints;
    hints.setFormats(e.format);
    hints.setTryHarder(true);
    const ZXing::Result r = kalvo_test::Decode(grey, 0, hints);
    ASSERT_TRUE(r.isValid());
    EXPECT_EQ(kalvo_test::BytesOf(r), e.data ? std::string(e.data) : CounterDesignValue(dir + "/" + e.layout + ".bcd"));
  }
}

TEST(ExampleLayouts, AFileThatIsNotALayoutRendersNothing) {
  document_test::TempFolder folder("render");
  const std::string bogus = folder.File("bogus.bcd");
  document_test::WriteBytes(bogus, {'n', 'o', 't', ' ', 'a', ' ', 'l', 'a', 'y', 'o', 'u', 't'});
  EXPECT_EQ(RenderLayoutFileToPng(bogus.c_str(), folder.File("bogus.png").c_str(), 0), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.File("bogus.png")));
}

}  // namespace
