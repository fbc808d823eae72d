// The headless renderer, the real program: a layout whose barcodes take
// their data from the date, the time and a counter file renders with those
// values, read back from its picture by zxing-cpp.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "app_test_util.h"
#include "barcode/request/symbology.h"
#include "datasource/counter_file.h"
#include "document/file/layout_file.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/model/field_kinds.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/document/export_oracles.h"

namespace {

constexpr int kDpi = 300;

// A Code 39 barcode at a height on the label, its data from a source.
std::unique_ptr<CBarcodeField> Code39From(const CLabelSetup& setup, DataSourceType source, const char* format,
                                          int y) {
  auto f = std::make_unique<CBarcodeField>(setup.dpiX);
  SetNewBarcodeDefaults(*f, setup);
  f->symbology = static_cast<int16_t>(kalvo::CodeOf(kalvo::Symbology::Code39));
  f->data = "0";
  f->dataSourceType = static_cast<int16_t>(source);
  f->offsetUnit = format;
  f->barHeight = 500;
  f->offset = {300, y};
  f->width = 3000;
  f->height = 700;
  return f;
}

std::string Now(const char* format) {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  char text[32] = {};
  std::strftime(text, sizeof text, format, &local);
  return text;
}

// The rows from y0 to y1 (pixels) of the picture.
kalvo_test::Grey Band(const document_test::Rgb& rgb, int y0, int y1) {
  kalvo_test::Grey grey;
  grey.width = rgb.width;
  grey.height = y1 - y0;
  for (int y = y0; y < y1; ++y) {
    for (int x = 0; x < rgb.width; ++x) {
      const size_t i = (static_cast<size_t>(y) * rgb.width + x) * 3;
      grey.pixels.push_back(static_cast<uint8_t>((rgb.bytes[i] + rgb.bytes[i + 1] + rgb.bytes[i + 2]) / 3));
    }
  }
  return grey;
}

std::string Decoded(const kalvo_test::Grey& band) {
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::Code39);
  hints.setTryHarder(true);
  const ZXing::Result r = kalvo_test::Decode(band, 20, hints);
  return r.isValid() ? kalvo_test::BytesOf(r) : "(none)";
}

TEST(HeadlessRenderer, DrawsDateTimeAndCounterFileValues) {
  apptest::TempFolder temp;
  CLabelSetup setup;
  setup.labelWidth = 4000;
  setup.labelHeight = 3000;
  setup.dpiX = setup.dpiY = kDpi;
  CCounterFileData counter;
  counter.value = "4711";
  counter.description = "Cartons";
  const std::string counterFile = temp / "cartons.cntr";
  ASSERT_EQ(WriteCounterFile(counterFile.c_str(), counter), 1);
  CFieldList fields;
  fields.push_back(Code39From(setup, DataSourceType::kDate, "ddmmyyyy", 200));
  fields.push_back(Code39From(setup, DataSourceType::kTime, "hhmm", 1100));
  auto counted = Code39From(setup, DataSourceType::kCounterFile, "", 2000);
  counted->counterFile = counterFile.c_str();
  fields.push_back(std::move(counted));
  const std::string layout = temp / "dated.bcd";
  ASSERT_EQ(SaveLayoutFile(layout.c_str(), setup, fields, SaveVersions::kFreshStore), 1);

  const std::string out = temp / "out";
  const std::string dateBefore = Now("%d%m%Y"), timeBefore = Now("%H%M");
  int status = -1;
  const std::string log =
      apptest::RunCommand(apptest::Quote(std::string(TAV_BUILD_DIR) + "/program/tavrendel_render") + " " +
                              apptest::Quote(out) + " " + apptest::Quote(layout) + " 2>&1",
                          &status);
  const std::string dateAfter = Now("%d%m%Y"), timeAfter = Now("%H%M");
  ASSERT_EQ(status, 0) << log;
  EXPECT_EQ(log.find("lacks a service"), std::string::npos) << log;
  const std::string png = out + "/dated.png";
  std::filesystem::create_directories(std::string(TAV_BUILD_DIR) + "/pictures/program");
  std::filesystem::copy_file(png, std::string(TAV_BUILD_DIR) + "/pictures/program/render_date_time_counter.png",
                             std::filesystem::copy_options::overwrite_existing);
  // Written compressed: a label is mostly white.
  EXPECT_LT(std::filesystem::file_size(png), 1200u * 900u / 20);
  const auto rgb = document_test::ReadWithImageMagick(png);
  ASSERT_TRUE(rgb.has_value());
  ASSERT_EQ(rgb->width, 1200);
  ASSERT_EQ(rgb->height, 900);

  const std::string date = Decoded(Band(*rgb, 0, 300));
  EXPECT_TRUE(date == dateBefore || date == dateAfter) << date << " for " << dateBefore;
  const std::string time = Decoded(Band(*rgb, 300, 570));
  EXPECT_TRUE(time == timeBefore || time == timeAfter) << time << " for " << timeBefore;
  EXPECT_EQ(Decoded(Band(*rgb, 570, 900)), "4711");
}

}  // namespace
