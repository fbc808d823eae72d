// Resizing by a handle changes what a field shows: a text's font follows its
// box and its characters widen or narrow to fill it, a barcode takes the
// narrow bar or module size that fits, a paragraph rewraps, rich text fits
// its font or takes its text's height; the data shown meanwhile is put back.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "fields/barcode/barcode_fit.h"
#include "fields/geometry/field_geometry.h"
#include "fields/geometry/resize_content.h"
#include "fields/measure/text_measure.h"
#include "fields/richtext/rich_text_host.h"
#include "fields/richtext/rtf_field.h"
#include "platform/gdi/gdi_owners.h"
#include "tests/fields/draw_fixture.h"

namespace {

using fields_test::PictureFile;
using fields_test::SetupAt;

// A view at a resolution, for the field code's questions.
class FixedView : public IDesignView {
 public:
  explicit FixedView(int dpi, const CLabelSetup* setup = nullptr) : dpi_(dpi), setup_(setup) {}
  const CLabelSetup* LabelSetup() const override { return setup_; }
  POINT GetScrollOrigin() const override { return {0, 0}; }
  int ZoomX() const override { return dpi_; }
  int ZoomY() const override { return dpi_; }
  int HandleSize() const override { return 5; }
  int HandleMargin() const override { return 2; }
  RECT& PendingInvalidRect() override { return pending_; }
  void InvalidateRectNoErase(const RECT&) override {}

 private:
  int dpi_;
  const CLabelSetup* setup_;
  RECT pending_{};
};

template <class F>
std::unique_ptr<F> Placed(int width, int height) {
  auto f = std::make_unique<F>();
  f->offset = {500, 500};
  f->width = width;
  f->height = height;
  f->SaveGeometry();
  return f;
}

int MeasuredWidth(const CTextField& t, int dpi) {
  WindowDc screen;
  return MeasureTextExtent(t, SetupAt(dpi), screen.get(), false).cx;
}

TEST(ResizeByHandle, TextFontFollowsTheBoxAndFillsItsWidth) {
  const FixedView view(300);
  const struct { int code, dx, dy; const char* why; } cases[] = {
      {23, 900, 0, "wider: the characters widen"},
      {23, -300, 0, "narrower: the characters narrow"},
      {32, 0, 150, "taller: a larger font, then the width fitted"},
      {33, 400, 100, "the corner: both"},
  };
  for (const auto& c : cases) {
    auto t = Placed<CTextField>(0, 0);
    t->data = "Resize me";
    t->logFont.lfHeight = 12;
    const SIZE natural = MeasureTextExtent(*t, SetupAt(300), WindowDc().get(), false);
    t->width = natural.cx;
    t->height = natural.cy;
    t->SaveGeometry();
    ResizeFieldByHandle(*t, c.code, c.dx, c.dy, &view, 0, nullptr);
    EXPECT_EQ(t->logFont.lfHeight, std::max(2, t->height * 72 / 1000)) << c.why;
    // Within 3 mils where it can; else a pixel of each character short,
    // the characters' widths coming in whole pixels.
    const int measured = MeasuredWidth(*t, 300);
    const int characters = t->data.GetLength();
    EXPECT_LE(measured, t->width + 3) << c.why << " (" << t->logFont.lfWidth << ")";
    EXPECT_GE(measured, t->width - 3 - characters * 1000 / 300) << c.why << " (" << t->logFont.lfWidth << ")";
    if (c.dy == 0 && c.dx > 0) {
      EXPECT_GT(t->logFont.lfWidth, 10000) << c.why;
    }
    if (c.dy == 0 && c.dx < 0) {
      EXPECT_LT(t->logFont.lfWidth, 10000) << c.why;
    }
  }
  // With the keep-minimum flag the box takes the text's size.
  auto t = Placed<CTextField>(800, 200);
  t->data = "Minimum";
  ResizeFieldByHandle(*t, 23, 250, 0, &view, 1, nullptr);
  const SIZE s = MeasureTextExtent(*t, SetupAt(300), WindowDc().get(), false);
  EXPECT_EQ(t->width, s.cx);
  EXPECT_EQ(t->height, s.cy);
}

TEST(ResizeByHandle, ShownValueIsPutBack) {
  const FixedView view(300);
  auto t = Placed<CTextField>(900, 200);
  t->data = "12.5";
  t->prefix = "$";
  t->dataSourceType = 0;
  ResizeFieldByHandle(*t, 23, 200, 0, &view, 0, nullptr);
  EXPECT_STREQ(t->data.GetData(), "12.5");
  auto dated = Placed<CTextField>(900, 200);
  dated->data = "kept";
  dated->dataSourceType = 5;
  ResizeFieldByHandle(*dated, 23, 200, 0, &view, 0, nullptr);
  EXPECT_STREQ(dated->data.GetData(), "kept");
  EXPECT_EQ(dated->dataSourceType, 5);
}

TEST(ResizeByHandle, ParagraphRewrapsAndKeepsALine) {
  const FixedView view(300);
  auto p = Placed<CParagraphField>(1500, 600);
  p->data = "A paragraph that wraps";
  p->logFont.lfHeight = 10;
  ResizeFieldByHandle(*p, 23, 400, 0, &view, 0, nullptr);
  EXPECT_EQ(p->wrapWidth, 1900);
  ResizeFieldByHandle(*p, 32, 0, -590, &view, 0, nullptr);
  CTextField blank;
  TextFieldFromParagraph(blank, *p);
  blank.data = " ";
  EXPECT_EQ(p->height, MeasureTextExtent(blank, SetupAt(300), WindowDc().get(), false).cy)
      << "at least one line of a blank";
}

TEST(ResizeByHandle, BarcodesTakeTheBarOrModuleThatFits) {
  const CLabelSetup setup = SetupAt(300);
  const FixedView view(300, &setup);
  auto linear = Placed<CBarcodeField>(0, 0);
  linear->symbology = 4;
  linear->data = "CODE39";
  linear->narrowBar = 1;
  const SIZE base = MeasureBarcodeField(*linear, {}, setup, 0);
  linear->width = base.cx;
  linear->height = base.cy;
  linear->SaveGeometry();
  ResizeFieldByHandle(*linear, 23, base.cx * 2, 0, &view, 0, nullptr);
  const int chosen = linear->narrowBar;
  EXPECT_GE(chosen, 2);
  auto widthAt = [&](int bar) {
    CBarcodeField probe;
    probe.symbology = 4;
    probe.data = "CODE39";
    probe.narrowBar = static_cast<int16_t>(bar);
    return MeasureBarcodeField(probe, {}, setup, 0).cx;
  };
  EXPECT_LE(widthAt(chosen), linear->width);
  EXPECT_GT(widthAt(chosen + 1), linear->width);
  EXPECT_EQ(linear->cachedBitmap, nullptr);

  CBarcodeField qr(300);
  qr.symbology = 26;
  qr.data = "https://example.org";
  const SIZE small = MeasureBarcodeField(qr, {}, setup, 0);
  qr.width = small.cx * 3;
  qr.height = small.cy * 3;
  const int module = FitModulesToSize(qr, setup, 1);
  EXPECT_GE(module, 2);
  EXPECT_LE(qr.width, small.cx * 3);
  EXPECT_LE(qr.height, small.cy * 3);
}

TEST(ResizeByHandle, RichTextFitsOrTakesItsHeight) {
  PictureFile files;
  auto r = Placed<CRtfField>(1500, 400);
  r->rtfFile = files.rtfPath().c_str();
  r->useFolder = 0;
  const FixedView view(300);
  ResizeFieldByHandle(*r, 23, 500, 0, &view, 0, nullptr);
  std::ifstream in(files.rtfPath(), std::ios::binary);
  const std::string rtf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(r->height, MeasureRichTextHeight(rtf.data(), static_cast<int>(rtf.size()), 2000));

  r->fitFont = 1;
  r->SaveGeometry();
  ResizeFieldByHandle(*r, 32, 0, 600, &view, 0, nullptr);
  const int step = r->fontSizeStep;
  EXPECT_GT(step, 0) << "a taller box grows the text";
  EXPECT_LE(MeasureRichTextHeightStepped(rtf.data(), static_cast<int>(rtf.size()), r->width, step), r->height);
  EXPECT_GT(MeasureRichTextHeightStepped(rtf.data(), static_cast<int>(rtf.size()), r->width, step + 1), r->height);
}

}  // namespace
