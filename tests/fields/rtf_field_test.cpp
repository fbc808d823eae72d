// Rich-text fields through the shared rich-text host: measured at a width,
// drawn inside their outline at the printers' resolutions, independent of
// the zoom and font step of an earlier drawing, cloned and converted.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fields/geometry/field_outline.h"
#include "fields/geometry/units.h"
#include "fields/lifecycle/field_lifecycle.h"
#include "fields/richtext/rich_text_host.h"
#include "fields/richtext/rtf_field.h"
#include "foundation/geometry/points.h"
#include "foundation/settings/process_settings.h"
#include "platform/gdi/gdi_owners.h"
#include "tests/fields/draw_fixture.h"

namespace {

using fields_test::PictureFile;
using fields_test::SetupAt;

// Long enough to wrap into several lines at a narrow width.
constexpr char kLongRtf[] =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24 "
    "Rich text fields wrap their words inside the width they are given, "
    "line after line.\\par}";

std::unique_ptr<CRtfField> RtfField(const std::string& path, int width) {
  auto f = std::make_unique<CRtfField>();
  f->rtfFile = path.c_str();
  f->useFolder = 0;
  f->width = width;
  f->height = 100;
  return f;
}

class RtfFields : public testing::Test {
 protected:
  void SetUp() override {
    ConfigSettings().drawFldsOpaque = 1;
    longPath_ = (files_.folder() / "long.rtf").string();
    std::ofstream(longPath_, std::ios::binary) << kLongRtf;
  }
  PictureFile files_;
  std::string longPath_;
};

TEST_F(RtfFields, HostSendsZoomAsTheServicesTakeIt) {
  CRichTextHost host;
  ASSERT_EQ(host.Init(), 0);
  const struct { double zoom; LONG num, den; } cases[] = {{0.5, 3200, 6400}, {2.0, 128, 64}, {1.0, 64, 64}};
  for (const auto& c : cases) {
    host.SetZoom(c.zoom);
    LONG num = 0, den = 0;
    host.Services()->TxSendMessage(EM_GETZOOM, reinterpret_cast<WPARAM>(&num), reinterpret_cast<LPARAM>(&den),
                                   nullptr);
    EXPECT_EQ(num, c.num) << c.zoom;
    EXPECT_EQ(den, c.den) << c.zoom;
  }
  DWORD bits = 0;
  EXPECT_EQ(host.TxGetPropertyBits(0, &bits), S_OK);
  EXPECT_EQ(bits, 0x200403u);
  void* out = &host;
  EXPECT_EQ(host.QueryInterface(IID_ITextHost, &out), S_FALSE);
  EXPECT_EQ(out, nullptr);
}

TEST_F(RtfFields, MeasuresInHundredthsOfAMillimetre) {
  // 1000 mils go to the services as 2540 units, and come back divided by 2.54.
  IRichTextHost* host = GetRichTextHost();
  ASSERT_NE(host, nullptr);
  const int mils = MeasureRichTextHeight(kLongRtf, sizeof kLongRtf - 1, 1000);
  host->SetText(kLongRtf, sizeof kLongRtf - 1);
  int units = 0;
  ASSERT_EQ(host->GetNaturalHeight(2540, &units), 0);
  EXPECT_GT(mils, 0);
  EXPECT_EQ(mils, static_cast<int>(units / 2.54));
  // A 12-point line is about 170 mils; the text takes several at an inch.
  EXPECT_GT(mils, 2 * 150);
}

TEST_F(RtfFields, WiderFieldWrapsIntoFewerLines) {
  const CLabelSetup setup = SetupAt(300);
  auto narrow = RtfField(longPath_, 1000), wide = RtfField(longPath_, 4000);
  const SIZE n = MeasureField(*narrow, {}, setup, 0), w = MeasureField(*wide, {}, setup, 0);
  EXPECT_EQ(n.cx, 1000);
  EXPECT_EQ(w.cx, 4000);
  EXPECT_GT(n.cy, w.cy + 150);  // at least one line more
  EXPECT_GT(w.cy, 100);
  // Drawn, the narrow field's ink runs further down.
  auto inkHeight = [&](CRtfField& f) {
    const SIZE s = MeasureField(f, {}, setup, 0);
    f.height = s.cy;
    f.offset = {50, 50};
    tavtest::TestCanvas canvas(MilsToDevice(4200, 300), MilsToDevice(s.cy + 200, 300));
    DrawField(canvas.dc(), f, setup, 0, 0, 0, 300, 300, 0, 1, 0);
    const RECT ink = canvas.InkBox();
    return ink.bottom - ink.top;
  };
  EXPECT_GT(inkHeight(*narrow), inkHeight(*wide));
}

TEST_F(RtfFields, DrawnInsideTheOutlineAtEachResolution) {
  for (int dpi : fields_test::kDrawResolutions) {
    const CLabelSetup setup = SetupAt(dpi);
    for (int angle : {0, 90000, 30000}) {
      auto f = RtfField(longPath_, 1500);
      const SIZE s = MeasureField(*f, {}, setup, 0);
      f->height = s.cy;
      f->SetRotation(angle);
      fields_test::PlaceInCell(*f, 0, 0, 2200);
      tavtest::TestCanvas canvas(MilsToDevice(2200, dpi), MilsToDevice(2200, dpi));
      DrawField(canvas.dc(), *f, setup, 0, 0, 0, dpi, dpi, 0, 1, 0);
      const auto corners = GetFieldCorners(*f, 0, 0, dpi, dpi, 1);
      int inked = 0, outside = 0;
      for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
          if (canvas.IsWhite(x, y)) continue;
          ++inked;
          if (!PointInPolygon(corners.data(), 4, x, y)) ++outside;
        }
      // Text, not a filled box: ink covers only part of the field.
      const int area = MilsToDevice(f->width, dpi) * MilsToDevice(f->height, dpi);
      EXPECT_GT(inked, area / 50) << dpi << " dpi, " << angle / 1000;
      EXPECT_LT(inked, area / 2) << dpi << " dpi, " << angle / 1000;
      EXPECT_EQ(outside, 0) << dpi << " dpi, " << angle / 1000;
      EXPECT_EQ(canvas.Count(kRtfPlaceholderHatch), 0) << dpi << " dpi";
    }
  }
}

TEST_F(RtfFields, InkScalesWithTheResolution) {
  // The same field covers the same share of its box at every resolution.
  double shares[3];
  int i = 0;
  for (int dpi : fields_test::kDrawResolutions) {
    const CLabelSetup setup = SetupAt(dpi);
    auto f = RtfField(longPath_, 2000);
    f->height = MeasureField(*f, {}, setup, 0).cy;
    tavtest::TestCanvas canvas(MilsToDevice(2100, dpi), MilsToDevice(f->height + 100, dpi));
    DrawField(canvas.dc(), *f, setup, 0, 0, 0, dpi, dpi, 0, 1, 0);
    const RECT ink = canvas.InkBox();
    shares[i++] = static_cast<double>(ink.bottom - ink.top) / MilsToDevice(f->height, dpi);
  }
  EXPECT_NEAR(shares[0], shares[2], 0.2);
  EXPECT_NEAR(shares[1], shares[2], 0.2);
}

TEST_F(RtfFields, MeasuringIgnoresTheLastZoomedDrawing) {
  const int before = MeasureRichTextHeight(kLongRtf, sizeof kLongRtf - 1, 1500);
  ASSERT_GT(before, 0);
  tavtest::TestCanvas canvas(400, 400);
  const RECT r{0, 0, 400, 400};
  ASSERT_EQ(DrawRichTextScaled(canvas.dc(), kLongRtf, sizeof kLongRtf - 1, &r, 6, 3.0), 1);
  EXPECT_GT(canvas.Inked(), 0);
  EXPECT_EQ(MeasureRichTextHeight(kLongRtf, sizeof kLongRtf - 1, 1500), before);
  ASSERT_EQ(DrawRichText(canvas.dc(), &r, 0.5), 1);
  EXPECT_EQ(MeasureRichTextHeight(kLongRtf, sizeof kLongRtf - 1, 1500), before);
  // Through the field, after a drawing at 600 dpi.
  const CLabelSetup setup = SetupAt(600);
  auto f = RtfField(longPath_, 1500);
  f->fitFont = 1;
  f->fontSizeStep = 4;
  const int measured = MeasureField(*f, {}, setup, 0).cy;
  f->height = measured;
  tavtest::TestCanvas big(MilsToDevice(1600, 600), MilsToDevice(measured + 100, 600));
  DrawField(big.dc(), *f, setup, 0, 0, 0, 600, 600, 0, 1, 0);
  EXPECT_EQ(MeasureField(*f, {}, setup, 0).cy, measured);
}

TEST_F(RtfFields, HostIsMadeAgainAfterFreeing) {
  ASSERT_NE(GetRichTextHost(), nullptr);
  FreeRichTextHost();
  ASSERT_NE(GetRichTextHost(), nullptr);
  EXPECT_GT(MeasureRichTextHeight(kLongRtf, sizeof kLongRtf - 1, 1500), 0);
}

TEST_F(RtfFields, UnreadableFileKeepsTheSizeAndShowsThePlaceholder) {
  const CLabelSetup setup = SetupAt(300);
  auto f = RtfField((files_.folder() / "absent.rtf").string(), 1234);
  f->height = 567;
  const SIZE s = MeasureField(*f, {}, setup, 0);
  EXPECT_EQ(s.cx, 1234);
  EXPECT_EQ(s.cy, 567);
  tavtest::TestCanvas canvas(MilsToDevice(1400, 300), MilsToDevice(700, 300));
  f->offset = {50, 50};
  DrawField(canvas.dc(), *f, setup, 0, 0, 0, 300, 300, 0, 0, 0);
  EXPECT_GT(canvas.Count(kRtfPlaceholderHatch), 50);
}

TEST_F(RtfFields, ClonesLikeTheOthers) {
  auto f = RtfField(longPath_, 1500);
  f->fitFont = 1;
  f->fontSizeStep = -2;
  auto clone = CloneField(f.get(), 0, 0);
  ASSERT_NE(clone, nullptr);
  ASSERT_TRUE(clone->IsKind(FieldKind::kRtf));
  const auto& c = static_cast<const CRtfField&>(*clone);
  EXPECT_EQ(std::string(c.rtfFile.GetData()), longPath_);
  EXPECT_EQ(c.fitFont, 1);
  EXPECT_EQ(c.fontSizeStep, -2);
  EXPECT_EQ(c.width, 1500);
}

TEST_F(RtfFields, ConvertsToAnImageOfItsText) {
  const CLabelSetup setup = SetupAt(300);
  auto f = RtfField(longPath_, 1500);
  f->height = MeasureField(*f, {}, setup, 0).cy;
  f->name = "R";
  const AString path = (files_.folder() / "converted.bmp").string().c_str();
  {
    auto image = ConvertRtfFieldToImage(setup, *f, path);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->kind, 4);
    EXPECT_EQ(image->convertedFlag, 1);
    EXPECT_EQ(image->deleteFileOnDestroy, 1);
    ASSERT_TRUE(std::filesystem::exists(path.GetData()));
    const SIZE size = GetImageFileSize(path.GetData());
    EXPECT_EQ(size.cx, MilsToDevice(1500, 300));
    EXPECT_EQ(size.cy, MilsToDevice(f->height, 300));
  }
  EXPECT_FALSE(std::filesystem::exists(path.GetData()));
  EXPECT_EQ(ConvertRtfFieldToImage(setup, *f, AString("/nonexistent/folder/x.bmp")), nullptr);
}

}  // namespace

namespace {

TEST_F(RtfFields, PictureIsTheTextAtTheScreensResolution) {
  auto f = RtfField(longPath_, 2000);
  f->height = 500;
  PLBmp* bmp = f->picture.GetBitmap(0, 0, 0, 0, nullptr);
  ASSERT_NE(bmp, nullptr);
  WindowDc screen;
  EXPECT_EQ(bmp->GetWidth(), 2000 * GetDeviceCaps(screen.get(), LOGPIXELSX) / 1000);
  EXPECT_EQ(bmp->GetHeight(), 500 * GetDeviceCaps(screen.get(), LOGPIXELSY) / 1000);
  ASSERT_EQ(bmp->GetBitsPerPixel(), 32);
  int dark = 0;
  for (int y = 0; y < bmp->GetHeight(); ++y)
    for (int x = 0; x < bmp->GetWidth(); ++x) {
      const PLPixel32& p = bmp->GetLineArray32()[y][x];
      dark += p.GetR() < 128 && p.GetG() < 128 && p.GetB() < 128;
    }
  EXPECT_GT(dark, 50);
  CRtfField none;
  EXPECT_EQ(none.picture.GetBitmap(0, 0, 0, 0, nullptr), nullptr);
}

}  // namespace
