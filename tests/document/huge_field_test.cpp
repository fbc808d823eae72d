// A box field of absurd size (0x7F7F7F7F thousandths of an inch, as a
// damaged or hostile layout file may hold) renders as quickly as any box:
// its region is built from the part of its outline the bitmap shows, and a
// file's geometry is bounded when read. What shows must be what a box that
// merely runs off the label draws.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "doc_test_support.h"
#include "document/file/label_stream.h"
#include "document/file/layout_file.h"
#include "document/render/image_export.h"
#include "document/render/image_formats.h"
#include "document/render/label_render.h"
#include "fields/geometry/units.h"
#include "fields/model/field_kinds.h"
#include "image/bitmap/plwinbmp.h"
#include "platform/testing/png_writer.h"
#include "tests/document/export_oracles.h"
#include "tests/fields/draw_fixture.h"

namespace {

constexpr int kResolution = 200;
constexpr int32_t kHuge = 0x7F7F7F7F;

// A 3 x 2 inch label with one opaque box from (0.2, 0.3) inches, 0.05 inch
// lines, as wide and as high as asked.
struct BoxLabel {
  CLabelSetup setup = fields_test::SetupAt(kResolution);
  CFieldList fields;
  BoxLabel(int32_t width, int32_t height, int32_t rotation = 0) {
    setup.labelWidth = 3000;
    setup.labelHeight = 2000;
    setup.deflt_shape = 1;
    auto box = std::make_unique<CBoxField>();
    box->offset = {200, 300};
    box->width = width;
    box->height = height;
    box->rotation = rotation;
    box->horizontalLineWidth = box->verticalLineWidth = 50;
    box->foreColor = 0x000000;
    fields.push_back(std::move(box));
  }
};

document_test::Rgb Render(BoxLabel& label, const char* name) {
  UniqueBitmap bitmap = RenderLabelBitmap(label.setup, label.fields, kResolution, 0x302);
  EXPECT_NE(bitmap, nullptr);
  if (!bitmap) return {};
  PLWinBmp picture;
  EXPECT_TRUE(picture.CreateFromHBitmap(bitmap.get()));
  // For a person to look at.
  EXPECT_EQ(SaveBitmapAsImageFile(tavtest::BuildFolderPng(name).c_str(), picture, kImageFormatPng), 1);
  return document_test::RgbOf(picture);
}

bool Dark(const document_test::Rgb& rgb, int x, int y) {
  const size_t at = (static_cast<size_t>(y) * rgb.width + x) * 3;
  return rgb.bytes[at] < 64 && rgb.bytes[at + 1] < 64 && rgb.bytes[at + 2] < 64;
}

TEST(HugeField, AHugeBoxDrawsWhatABoxRunningOffTheLabelDraws) {
  BoxLabel runsOff(4000, 1000);
  const document_test::Rgb want = Render(runsOff, "huge_box_runs_off");
  BoxLabel huge(kHuge, 1000);
  const document_test::Rgb got = Render(huge, "huge_box");
  ASSERT_EQ(got.width, 600);
  ASSERT_EQ(got.height, 400);
  EXPECT_EQ(got.bytes, want.bytes);
  // The box's left line at 0.2 inch (x 40 to 49), its top line at 0.3 inch
  // (y 60 to 69), its bottom line ending at 1.3 inches, white inside.
  EXPECT_TRUE(Dark(got, 42, 200));
  EXPECT_TRUE(Dark(got, 300, 62));
  EXPECT_TRUE(Dark(got, 300, 257));
  EXPECT_FALSE(Dark(got, 300, 150));
  EXPECT_FALSE(Dark(got, 20, 150));
}

TEST(HugeField, HugeBoxesEveryWayRender) {
  struct Case {
    const char* name;
    int32_t width, height, rotation;
  };
  const Case cases[] = {
      {"huge_box_tall", 1000, kHuge, 0},
      {"huge_box_both", kHuge, kHuge, 0},
      {"huge_box_turned", kHuge, kHuge, 30000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BoxLabel label(c.width, c.height, c.rotation);
    const document_test::Rgb got = Render(label, c.name);
    ASSERT_EQ(got.width, 600);
    // The left line runs down from the box's corner.
    if (c.rotation == 0) {
      EXPECT_TRUE(Dark(got, 42, 200));
    }
  }
}

TEST(HugeField, AFilesGeometryIsBoundedWhenRead) {
  BoxLabel label(kHuge, -kHuge);
  auto& box = static_cast<CBoxField&>(*label.fields.front());
  box.offset = {kHuge, -kHuge};
  box.horizontalLineWidth = kHuge;
  doc_test::TempFolder dir;
  const std::string file = dir / "huge.bcd";
  ASSERT_GT(WriteLabelStream(file.c_str(), label.setup, label.fields), 0);
  CLabelSetup setup;
  CFieldList fields;
  ASSERT_EQ(LoadLayoutFile(file.c_str(), nullptr, setup, fields, nullptr), 1);
  ASSERT_EQ(fields.size(), 1u);
  const auto& read = static_cast<const CBoxField&>(*fields.front());
  EXPECT_EQ(read.width, kFileGeometryLimit);
  EXPECT_EQ(read.height, -kFileGeometryLimit);
  EXPECT_EQ(read.offset.x, kFileGeometryLimit);
  EXPECT_EQ(read.offset.y, -kFileGeometryLimit);
  EXPECT_EQ(read.horizontalLineWidth, kFileGeometryLimit);
  EXPECT_EQ(read.verticalLineWidth, 50);
}

}  // namespace
