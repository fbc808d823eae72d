// The design view draws a barcode at the view's zoom, its modules included:
// the shipping example's QR Code and Code 128, drawn by the view at several
// zooms, are read back by zxing-cpp from the view's pixels, each inside its
// field's rectangle at that zoom and as wide as the library's own symbol at
// the label's resolution scaled to the zoom. At the label's own resolution
// the view shows exactly what the field's drawing puts on a label.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "document/file/layout_file.h"
#include "document/tools/example_layouts.h"
#include "fields/barcode/barcode_render.h"
#include "fields/draw/field_draw.h"
#include "fields/geometry/field_outline.h"
#include "image/bitmap/planybmp.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/document/export_oracles.h"
#include "view_session.h"

namespace {

using viewtest::Session;
using viewtest::ShellApp;

constexpr int kLabelDpi = 203;  // the shipping example's resolution

struct Symbol {
  const char* name;
  ZXing::BarcodeFormat format;
  const char* data;
};

const Symbol kSymbols[] = {
    {"QR Code", ZXing::BarcodeFormat::QRCode, "TRK 1Z4A7-0093-5521"},
    {"Code 128", ZXing::BarcodeFormat::Code128, "0112345678901231" "10LOT7"},
};

// The part of a picture inside a rectangle, grey.
kalvo_test::Grey GreyOf(const uitest::Picture& picture, RECT r) {
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, picture.width);
  r.bottom = std::min<LONG>(r.bottom, picture.height);
  kalvo_test::Grey grey;
  grey.width = std::max<LONG>(0, r.right - r.left);
  grey.height = std::max<LONG>(0, r.bottom - r.top);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const uint32_t p = picture.At(x, y);
      grey.pixels.push_back(static_cast<uint8_t>(((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) / 3));
    }
  return grey;
}

ZXing::Result Read(const kalvo_test::Grey& grey, ZXing::BarcodeFormat format) {
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  hints.setTryHarder(true);
  return kalvo_test::Decode(grey, 20, hints);
}

// The leftmost and rightmost x of a symbol zxing found (quiet zone of the
// read taken off again).
std::pair<int, int> Span(const ZXing::Result& r, int quiet) {
  const auto& q = r.position();
  int lo = q[0].x, hi = q[0].x;
  for (int i = 1; i < 4; ++i) {
    lo = std::min(lo, q[i].x);
    hi = std::max(hi, q[i].x);
  }
  return {lo - quiet, hi - quiet};
}

CBarcodeField* FieldOf(CRvoDoc& doc, ZXing::BarcodeFormat format) {
  for (const auto& f : doc.fieldList) {
    if (!f->IsKind(FieldKind::kBarcode)) continue;
    auto* b = static_cast<CBarcodeField*>(f.get());
    const bool qr = b->symbology == kalvo::CodeOf(kalvo::Symbology::QrCode);
    if (qr == (format == ZXing::BarcodeFormat::QRCode)) return b;
  }
  return nullptr;
}

// The symbol's width in pixels as the library draws it for the label.
int LabelSymbolWidth(CBarcodeField& field, const CLabelSetup& setup, ZXing::BarcodeFormat format) {
  PLAnyBmp symbol;
  RenderBarcodeToBitmap(&field, setup.dpiX, setup.dpiX, nullptr, 0, &symbol, nullptr, nullptr, 0);
  uitest::Picture picture;
  picture.width = symbol.GetWidth();
  picture.height = symbol.GetHeight();
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      picture.pixels.push_back(reinterpret_cast<const uint32_t*>(symbol.GetLineArray()[y])[x] & 0xFFFFFF);
  const ZXing::Result r = Read(GreyOf(picture, {0, 0, picture.width, picture.height}), format);
  if (!r.isValid()) return -1;
  const auto [lo, hi] = Span(r, 20);
  return hi - lo;
}

// One zoom of the view and what it must show: below about one and a half
// pixels to the narrow bar (the Code 128's 2 dots at 203 dpi below zoom
// 160) a bar code cannot be read from the screen, only its place checked.
struct ZoomRow {
  int zoom;
  bool code128Readable;
};

const ZoomRow kZooms[] = {{100, false}, {150, false}, {203, true}, {250, true}, {300, true}};

class ViewBarcodeZoom : public ::testing::TestWithParam<ZoomRow> {
 protected:
  void SetUp() override {
    ASSERT_EQ(WriteExampleLayouts(folder.File("examples")).size(), 3u);
    layout = folder.File("examples") + "/shipping_label.bcd";
  }
  ShellApp app;
  document_test::TempFolder folder{"view-zoom"};
  std::string layout;
};

TEST_P(ViewBarcodeZoom, SymbolsFollowTheZoom) {
  const int zoom = GetParam().zoom;
  Session s(4000, 6000, 100, {1200, 900});
  ASSERT_EQ(LoadLayoutFile(layout.c_str(), s.doc, s.doc->labelSetup, s.doc->fieldList, nullptr), 1);
  ASSERT_EQ(s.doc->labelSetup.dpiX, kLabelDpi);
  s.view->SetZoom(zoom, zoom);
  s.view->UpdateScrollSizes();
  const std::string dir = std::string(TAV_BUILD_DIR) + "/pictures/document";
  std::filesystem::create_directories(dir);

  for (const Symbol& symbol : kSymbols) {
    SCOPED_TRACE(std::string(symbol.name) + " at zoom " + std::to_string(zoom));
    CBarcodeField* field = FieldOf(*s.doc, symbol.format);
    ASSERT_NE(field, nullptr);
    // Scrolled so that the field is in sight, a little below the top.
    const RECT absolute = GetFieldBoundingRect(*field, 0, 0, zoom, zoom);
    const POINT was = s.view->GetScrollOrigin();
    s.view->OnScrollBy(CSize(0, std::max<int>(0, absolute.top - 60) - was.y));
    s.Repaint();
    const uitest::Picture picture = uitest::CaptureWindow(s.hwnd());
    EXPECT_TRUE(uitest::SavePng(picture, dir + "/view_" + (symbol.format == ZXing::BarcodeFormat::QRCode ? "qr" : "code128") +
                                             "_zoom" + std::to_string(zoom) + ".png"));
    // The field's rectangle in the view, as its handles surround it.
    const POINT o = s.view->GetScrollOrigin();
    const RECT box = GetFieldBoundingRect(*field, -o.x, -o.y, zoom, zoom);
    ASSERT_GE(box.top, 0);
    ASSERT_LE(box.bottom, picture.height);
    // Every pixel the field changes lies in its rectangle: a symbol that
    // kept another size would run past it. The view is drawn again without
    // the field to see what it changed.
    {
      auto at = std::find_if(s.doc->fieldList.begin(), s.doc->fieldList.end(),
                             [&](const auto& f) { return f.get() == field; });
      std::unique_ptr<CField> taken = std::move(*at);
      s.doc->fieldList.erase(at);
      s.Repaint();
      const uitest::Picture without = uitest::CaptureWindow(s.hwnd());
      s.doc->fieldList.push_back(std::move(taken));
      int outside = 0, changed = 0;
      for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
          if (picture.At(x, y) == without.At(x, y)) continue;
          ++changed;
          if (!::PtInRect(&box, POINT{x, y})) ++outside;
        }
      EXPECT_GT(changed, 0);
      EXPECT_EQ(outside, 0);
    }
    RECT around = box;
    ::InflateRect(&around, 40, 40);
    const kalvo_test::Grey grey = GreyOf(picture, around);
    if (symbol.format == ZXing::BarcodeFormat::Code128 && !GetParam().code128Readable) continue;
    const ZXing::Result r = Read(grey, symbol.format);
    ASSERT_TRUE(r.isValid());
    EXPECT_EQ(kalvo_test::BytesOf(r), symbol.data);
    const auto [lo, hi] = Span(r, 20);
    const int left = around.left + lo, right = around.left + hi;
    EXPECT_GE(left, box.left - 1);
    EXPECT_LE(right, box.right + 1);
    // As wide as the label's symbol scaled to the zoom, within a pixel or
    // two of rounding at each edge.
    const int labelWidth = LabelSymbolWidth(*field, s.doc->labelSetup, symbol.format);
    ASSERT_GT(labelWidth, 0);
    EXPECT_NEAR(right - left, labelWidth * zoom / kLabelDpi, 3);
  }
}

INSTANTIATE_TEST_SUITE_P(Zooms, ViewBarcodeZoom, ::testing::ValuesIn(kZooms),
                         [](const ::testing::TestParamInfo<ZoomRow>& info) {
                           return "Zoom" + std::to_string(info.param.zoom);
                         });

// At the label's own resolution the view's symbols are the label's: the
// pixels inside each barcode field equal the field drawn alone on white.
TEST(ViewBarcodeAtLabelResolution, IsTheFieldsOwnDrawing) {
  ShellApp app;
  document_test::TempFolder folder("view-own");
  ASSERT_EQ(WriteExampleLayouts(folder.File("examples")).size(), 3u);
  Session s(4000, 6000, 100, {1000, 1300});
  ASSERT_EQ(LoadLayoutFile((folder.File("examples") + "/shipping_label.bcd").c_str(), s.doc, s.doc->labelSetup,
                           s.doc->fieldList, nullptr),
            1);
  s.view->SetZoom(kLabelDpi, kLabelDpi);
  s.view->UpdateScrollSizes();
  s.Repaint();
  const uitest::Picture view = uitest::CaptureWindow(s.hwnd());
  for (const Symbol& symbol : kSymbols) {
    SCOPED_TRACE(symbol.name);
    CBarcodeField* field = FieldOf(*s.doc, symbol.format);
    ASSERT_NE(field, nullptr);
    const RECT box = GetFieldBoundingRect(*field, 0, 0, kLabelDpi, kLabelDpi);
    const int w = box.right - box.left, h = box.bottom - box.top;
    ASSERT_GT(w, 0);
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap;
    {
      WindowDc screen;
      bitmap.reset(::CreateCompatibleBitmap(screen.get(), w, h));
    }
    SelectScope select(dc.get(), bitmap.get());
    const RECT all{0, 0, w, h};
    ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    DrawField(dc.get(), *field, s.doc->labelSetup, 0, -box.left, -box.top, kLabelDpi, kLabelDpi, 0, 1, 0);
    int differing = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const COLORREF own = ::GetPixel(dc.get(), x, y);
        const uint32_t shown = view.At(box.left + x, box.top + y);
        const COLORREF shownRef = RGB((shown >> 16) & 0xFF, (shown >> 8) & 0xFF, shown & 0xFF);
        if (own != shownRef) ++differing;
      }
    EXPECT_EQ(differing, 0) << "of " << w * h << " pixels";
  }
}

}  // namespace
