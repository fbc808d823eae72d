// Drawing fields: picture sheets of every kind at the three resolutions and
// six angles, and pixel checks of the drawing rules.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "fields/geometry/units.h"
#include "foundation/geometry/points.h"
#include "foundation/settings/process_settings.h"
#include "tests/fields/draw_fixture.h"
#include "platform/testing/png_writer.h"
#include "tests/fields/field_pictures.h"

namespace {

using fields_test::KindSamples;
using fields_test::SetupAt;

constexpr int kAngles[] = {0, 90000, 180000, 270000, 30000, 135000};

const fields_test::PictureFile& Picture() {
  static fields_test::PictureFile picture;
  return picture;
}

std::unique_ptr<CField> Sample(const char* name, int size, const CLabelSetup& setup) {
  size_t count = 0;
  const auto* samples = KindSamples(&count);
  for (size_t i = 0; i < count; ++i)
    if (std::string(samples[i].name) == name) return samples[i].make(size, setup, Picture().path());
  return nullptr;
}

// Draws one field turned by `angle`, centred on a canvas of `cell` mils.
struct OneField {
  std::unique_ptr<CField> field;
  std::unique_ptr<tavtest::TestCanvas> canvas;
};

OneField DrawOne(const char* kind, int dpi, int angle, unsigned flags = 0, int size = 400, int cell = 700) {
  const CLabelSetup setup = SetupAt(dpi);
  OneField one;
  one.field = Sample(kind, size, setup);
  one.field->SetRotation(angle);
  fields_test::PlaceInCell(*one.field, 0, 0, cell);
  one.canvas = std::make_unique<tavtest::TestCanvas>(MilsToDevice(cell, dpi), MilsToDevice(cell, dpi));
  DrawField(one.canvas->dc(), *one.field, setup, 0, 0, 0, dpi, dpi, flags, 1, 0);
  return one;
}

int Luminance(COLORREF c) { return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3; }

class FieldDrawing : public testing::Test {
 protected:
  void SetUp() override { ConfigSettings().drawFldsOpaque = 1; }
};

// Boxes, square-ended lines, paragraphs, pictures and bars leave everything
// outside their turned outline (grown by one pixel) untouched.
TEST_F(FieldDrawing, NothingOutsideTheTurnedOutline) {
  for (const char* kind : {"box", "line", "paragraph", "image", "bars", "rtf"})
    for (int dpi : fields_test::kDrawResolutions)
      for (int angle : kAngles) {
        OneField one = DrawOne(kind, dpi, angle);
        const auto corners = GetFieldCorners(*one.field, 0, 0, dpi, dpi, 1);
        int outside = 0, inked = 0;
        for (int y = 0; y < one.canvas->height(); ++y)
          for (int x = 0; x < one.canvas->width(); ++x) {
            if (one.canvas->IsWhite(x, y)) continue;
            ++inked;
            if (!PointInPolygon(corners.data(), 4, x, y)) ++outside;
          }
        EXPECT_GT(inked, 0) << kind << " at " << dpi << " dpi, " << angle / 1000;
        EXPECT_EQ(outside, 0) << kind << " at " << dpi << " dpi, " << angle / 1000;
      }
}

// The dark pixels of a canvas, cropped to their bounding box.
kalvo_test::Grey DarkCrop(const tavtest::TestCanvas& c) {
  const RECT box = c.InkBox();
  kalvo_test::Grey g;
  g.width = box.right - box.left;
  g.height = box.bottom - box.top;
  g.pixels.resize(static_cast<size_t>(g.width) * g.height);
  for (int y = 0; y < g.height; ++y)
    for (int x = 0; x < g.width; ++x)
      g.pixels[static_cast<size_t>(y) * g.width + x] =
          Luminance(c.Raw(box.left + x, box.top + y)) < 160 ? 0 : 255;
  return g;
}

// Dark pixels of a that have no dark pixel of b within one pixel.
int Unmatched(const kalvo_test::Grey& a, const kalvo_test::Grey& b) {
  int misses = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) {
      if (a.At(x, y) != 0) continue;
      bool found = false;
      for (int dy = -1; dy <= 1 && !found; ++dy)
        for (int dx = -1; dx <= 1 && !found; ++dx) {
          const int bx = x + dx, by = y + dy;
          found = bx >= 0 && by >= 0 && bx < b.width && by < b.height && b.At(bx, by) == 0;
        }
      misses += found ? 0 : 1;
    }
  return misses;
}

TEST_F(FieldDrawing, RightAnglesMatchTheUprightDrawingTurned) {
  for (const char* kind : {"box", "line", "paragraph", "image", "bars", "rtf"})
    for (int dpi : fields_test::kDrawResolutions) {
      const kalvo_test::Grey upright = DarkCrop(*DrawOne(kind, dpi, 0).canvas);
      for (int quarter = 1; quarter < 4; ++quarter) {
        // Turned back clockwise by the same quarters it was drawn turned.
        const kalvo_test::Grey back = fields_test::TurnBackQuarters(DarkCrop(*DrawOne(kind, dpi, quarter * 90000).canvas), quarter);
        EXPECT_LE(std::abs(back.width - upright.width), 1) << kind << " " << dpi << " " << quarter;
        EXPECT_LE(std::abs(back.height - upright.height), 1) << kind << " " << dpi << " " << quarter;
        int dark = 0;
        for (uint8_t p : upright.pixels) dark += p == 0;
        // Text is rasterised anew at each angle: a few glyph pixels may move.
        const int allowed = std::string(kind) == "paragraph" ? dark / 20 : 0;
        EXPECT_LE(Unmatched(upright, back), allowed) << kind << " " << dpi << " dpi, quarter " << quarter;
        EXPECT_LE(Unmatched(back, upright), allowed) << kind << " " << dpi << " dpi, quarter " << quarter;
      }
    }
}

TEST_F(FieldDrawing, NotXorBoxLeavesItsInsideUnchanged) {
  const int dpi = 300;
  const CLabelSetup setup = SetupAt(dpi);
  tavtest::TestCanvas canvas(300, 300);
  // A background with something on it.
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 300; ++x) SetPixel(canvas.dc(), x, y, RGB((x * 7) & 255, 120, (y * 5) & 255));
  const std::vector<BYTE> before = canvas.Snapshot();
  auto box = Sample("box", 600, setup);
  box->offset = {100, 100};
  ConfigSettings().drawFldsOpaque = 0;
  DrawField(canvas.dc(), *box, setup, 0, 0, 0, dpi, dpi, 0, 1, 0);
  ConfigSettings().drawFldsOpaque = 1;
  const auto& b = static_cast<const CBoxField&>(*box);
  const int left = MilsToDevice(100 + b.verticalLineWidth, dpi) + 1, right = MilsToDevice(100 + b.width - b.verticalLineWidth, dpi) - 1;
  const int top = MilsToDevice(100 + b.horizontalLineWidth, dpi) + 1, bottom = MilsToDevice(100 + b.height - b.horizontalLineWidth, dpi) - 1;
  const std::vector<BYTE> after = canvas.Snapshot();
  int changedInside = 0, changedBorder = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 300; ++x) {
      const size_t i = (static_cast<size_t>(y) * 300 + x) * 4;
      const bool changed = std::memcmp(&before[i], &after[i], 3) != 0;
      const bool inside = x >= left && x < right && y >= top && y < bottom;
      if (inside) changedInside += changed;
      if (!inside && x == MilsToDevice(100, dpi) + 2 && y > top && y < bottom) changedBorder += changed;
    }
  EXPECT_EQ(changedInside, 0);
  EXPECT_GT(changedBorder, 0);
}

TEST_F(FieldDrawing, MarkedFrameIsThreeRedPixels) {
  OneField one = DrawOne("box", 300, 0);
  one.field->doNotPrint = 1;
  one.canvas->Clear();
  const CLabelSetup setup = SetupAt(300);
  DrawField(one.canvas->dc(), *one.field, setup, 0, 0, 0, 300, 300, 0, 1, 0);
  const int x = MilsToDevice(one.field->offset.x + one.field->width / 2, 300);
  const int top = MilsToDevice(one.field->offset.y, 300);
  int run = 0;
  for (int y = top - 4; y <= top + 4; ++y) run += one.canvas->Raw(x, y) == kMarkedFrame;
  EXPECT_EQ(run, kMarkedFrameWidth);
  const int w = MilsToDevice(one.field->width, 300), h = MilsToDevice(one.field->height, 300);
  EXPECT_GE(one.canvas->Count(kMarkedFrame), 3 * 2 * (w + h) - 36);
}

TEST_F(FieldDrawing, PlaceholdersAndOutlineHatches) {
  const CLabelSetup setup = SetupAt(300);
  struct { const char* what; std::unique_ptr<CField> field; COLORREF hatch; } cases[] = {
      {"prompted image", Sample("image", 500, setup), kImagePlaceholderHatch},
      {"rich text", Sample("rtf", 500, setup), kRtfPlaceholderHatch},
  };
  cases[0].field->dataSourceType = 2;
  static_cast<CRtfField&>(*cases[1].field).rtfFile = "missing.rtf";  // no text to show
  for (auto& c : cases) {
    tavtest::TestCanvas canvas(300, 300);
    c.field->offset = {100, 100};
    DrawField(canvas.dc(), *c.field, setup, 0, 0, 0, 300, 300, 0, 0, 0);
    EXPECT_GT(canvas.Count(c.hatch), 50) << c.what;
    EXPECT_GT(canvas.Count(kPlaceholderCaption), 10) << c.what;
  }
  tavtest::TestCanvas canvas(300, 300);
  auto box = Sample("box", 600, setup);
  box->offset = {100, 100};
  DrawField(canvas.dc(), *box, setup, 0, 0, 0, 300, 300, kDrawOutline, 1, 0);
  EXPECT_GT(canvas.Count(kOutlineHatch), 100);
}

// Sheets of every kind at each resolution: six angles in each of the normal,
// outline and marked modes, and a row of placeholders.
TEST_F(FieldDrawing, PictureSheets) {
  constexpr int kCell = 600, kSize = 380;
  const struct { const char* name; unsigned flags; bool marked; } modes[] = {
      {"normal", 0, false}, {"outline", kDrawOutline, false}, {"marked", 0, true}};
  size_t kinds = 0;
  const auto* samples = KindSamples(&kinds);
  for (int dpi : fields_test::kDrawResolutions) {
    const CLabelSetup setup = SetupAt(dpi);
    const int columns = static_cast<int>(std::size(kAngles) * std::size(modes));
    tavtest::TestCanvas sheet(MilsToDevice(columns * kCell, dpi), MilsToDevice(static_cast<int>(kinds + 1) * kCell, dpi));
    for (size_t k = 0; k < kinds; ++k)
      for (size_t m = 0; m < std::size(modes); ++m)
        for (size_t a = 0; a < std::size(kAngles); ++a) {
          auto f = samples[k].make(kSize, setup, Picture().path());
          f->SetRotation(kAngles[a]);
          f->doNotPrint = modes[m].marked;
          const int column = static_cast<int>(m * std::size(kAngles) + a);
          fields_test::PlaceInCell(*f, column * kCell, static_cast<int>(k) * kCell, kCell);
          DrawField(sheet.dc(), *f, setup, 0, 0, 0, dpi, dpi, modes[m].flags, 1, 0);
        }
    // Placeholders: an image fed by a prompt and by a database, prompted rich text.
    for (int i = 0; i < 3; ++i) {
      auto f = Sample(i < 2 ? "image" : "rtf", kSize, setup);
      f->dataSourceType = i == 0 ? 2 : i == 1 ? 8 : 2;
      f->SetRotation(i == 1 ? 30000 : 0);
      fields_test::PlaceInCell(*f, i * kCell, static_cast<int>(kinds) * kCell, kCell);
      DrawField(sheet.dc(), *f, setup, 0, 0, 0, dpi, dpi, 0, 0, 0);
    }
    EXPECT_TRUE(sheet.SavePng(tavtest::BuildFolderPng("fields_sheet_" + std::to_string(dpi))));
    EXPECT_GT(sheet.Inked(), 1000);
  }
}

}  // namespace
