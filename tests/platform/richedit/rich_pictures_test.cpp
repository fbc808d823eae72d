// Pictures a developer looks at: a page of formatted text drawn through the
// text services at 96, 300 and 600 dots per inch, and turned 90 degrees.
// The build folder keeps them as richedit_page_*.png.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/gdi/printer_settings.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/test_canvas.h"
#include "tests/platform/richedit/rich_test_util.h"
#include "tests/platform/richedit/test_host.h"

namespace {

using richtest::Services;
using richtest::TestHost;

// A page of what label fields hold: a centred heading, fonts, sizes,
// colours, a justified paragraph, tab stops, Chinese and Japanese text.
constexpr const char* kPage =
    R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;})"
    R"({\f2\fmodern Courier New;}{\f3\fnil\fcharset134 SimSun;}})"
    R"({\colortbl ;\red200\green0\blue0;\red0\green90\blue200;\red0\green128\blue0;})"
    R"(\pard\qc\sa120\f0\fs36\b Shipping Label\b0\par)"
    R"(\pard\qj\sa80\f1\fs22 This paragraph is justified: its lines run from margin to margin, )"
    R"(with {\b bold}, {\i italic}, {\ul underlined} and {\strike struck} words, {\cf1 red} and {\cf2 blue} )"
    R"(text, and a size {\fs32 larger} than the rest.\par)"
    R"(\pard\tx1440\tqr\tx4320\f2\fs20 Item\tab Code\tab Qty\par)"
    R"(Widget\tab W-100\tab 12\par)"
    R"(\pard\qr\f0\fs20\cf3 Right-aligned, green\cf0\par)"
    R"(\pard\li360\fi-360\f3\fs24 \u8226?\tab\u20013?\u25991?\u25991?\u26412?\u65292?\u26085?\u26412?\u35486?\u12398?)"
    R"(\u12486?\u12461?\u12473?\u12488?\u12290?\par})";

constexpr int kPageWidthInches10 = 40;   // 4 inches
constexpr int kPageHeightInches10 = 30;  // 3 inches

// A memory context that measures like a printer of the given resolution.
class DpiCanvas {
 public:
  explicit DpiCanvas(int dpi, bool turned = false) {
    gdi::PrinterSettings settings;
    settings.dpiX = settings.dpiY = dpi;
    const std::string name = "Rich Text " + std::to_string(dpi);
    gdi::RegisterPrinterSettings(name, settings);
    printer_ = CreateDCA("WINSPOOL", name.c_str(), nullptr, nullptr);
    dc_ = CreateCompatibleDC(printer_);
    width_ = dpi * kPageWidthInches10 / 10;
    height_ = dpi * kPageHeightInches10 / 10;
    if (turned) std::swap(width_, height_);
    const tavtest::DibInfo info = tavtest::MakeDibInfo(width_, -height_, 32);
    bitmap_ = CreateDIBSection(dc_, const_cast<tavtest::DibInfo&>(info).get(), DIB_RGB_COLORS, &bits_, nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    std::fill_n(static_cast<uint32_t*>(bits_), static_cast<size_t>(width_) * height_, 0xFFFFFFFFu);
  }
  ~DpiCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    DeleteDC(printer_);
  }
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t At(int x, int y) const { return static_cast<const uint32_t*>(bits_)[static_cast<size_t>(y) * width_ + x]; }
  // The box of the pixels that are not white.
  RECT Ink() const {
    RECT box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if ((At(x, y) & 0xFFFFFF) == 0xFFFFFF) continue;
        box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
    }
    return box;
  }
  void Save(const std::string& name) const {
    tavtest::WritePng(tavtest::BuildFolderPng(name), width_, height_, static_cast<const uint8_t*>(bits_));
  }

 private:
  HDC printer_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

RECT DrawPage(DpiCanvas& canvas, int dpi) {
  TestHost host;
  Services s(&host);
  s.SetRtf(kPage);
  // A quarter-inch margin all round.
  const RECT bounds{dpi / 4, dpi / 4, dpi * kPageWidthInches10 / 10 - dpi / 4, dpi * kPageHeightInches10 / 10 - dpi / 4};
  EXPECT_EQ(s->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, canvas.dc(), nullptr, &bounds, nullptr, nullptr, nullptr,
                      0, TXTVIEW_INACTIVE),
            S_OK);
  return bounds;
}

TEST(RichPictures, APageAtEachResolution) {
  // Lines may break differently at 96 dpi, where hinted letters are wider;
  // from 300 dpi on the page is the same, only finer.
  RECT ink300{};
  for (int dpi : {96, 300, 600}) {
    DpiCanvas canvas(dpi);
    const RECT bounds = DrawPage(canvas, dpi);
    canvas.Save("richedit_page_" + std::to_string(dpi));
    const RECT ink = canvas.Ink();
    EXPECT_GE(ink.left, bounds.left) << dpi;
    EXPECT_GE(ink.top, bounds.top) << dpi;
    EXPECT_LE(ink.right, bounds.right) << dpi;
    EXPECT_LE(ink.bottom, bounds.bottom) << dpi;
    EXPECT_GT(ink.bottom - ink.top, canvas.height() / 2) << dpi;
    if (dpi == 96) continue;
    if (dpi == 300) {
      ink300 = ink;
      continue;
    }
    const double scale = dpi / 300.0;
    const double tolerance = 0.02 * (ink300.bottom - ink300.top) * scale;
    EXPECT_NEAR(ink.top, ink300.top * scale, tolerance) << dpi;
    EXPECT_NEAR(ink.bottom, ink300.bottom * scale, tolerance) << dpi;
    EXPECT_NEAR(ink.left, ink300.left * scale, 0.01 * canvas.width()) << dpi;
    EXPECT_NEAR(ink.right, ink300.right * scale, 0.01 * canvas.width()) << dpi;
  }
}

TEST(RichPictures, APageTurnedNinetyDegrees) {
  const int dpi = 300;
  DpiCanvas flat(dpi);
  DrawPage(flat, dpi);
  const RECT ink = flat.Ink();

  DpiCanvas turned(dpi, true);
  SetGraphicsMode(turned.dc(), GM_ADVANCED);
  // Logical x runs down the device, logical y to the left.
  const XFORM turn{0, 1, -1, 0, static_cast<FLOAT>(turned.width()), 0};
  SetWorldTransform(turned.dc(), &turn);
  DrawPage(turned, dpi);
  turned.Save("richedit_page_300_turned");
  const RECT t = turned.Ink();
  // The turned ink is the flat ink's box turned: x' = width - y, y' = x.
  EXPECT_NEAR(t.top, ink.left, 4);
  EXPECT_NEAR(t.bottom, ink.right, 4);
  EXPECT_NEAR(t.left, turned.width() - ink.bottom, 6);
  EXPECT_NEAR(t.right, turned.width() - ink.top, 6);
}

TEST(RichPictures, MappingModesMeasureLikeTheirDevice) {
  // Twips on a 96-dpi surface: the same text takes the same room as in pixels.
  TestHost host;
  Services s(&host);
  s.SetRtf(R"({\rtf1\fs24 Twelve-point text on one line})");
  tavtest::TestCanvas pixels(600, 100);
  LONG w = 600, h = 0;
  SIZE extent{600, 10000};
  ASSERT_EQ(s->TxGetNaturalSize(DVASPECT_CONTENT, pixels.dc(), nullptr, nullptr, TXTNS_FITTOCONTENT, &extent, &w, &h), S_OK);
  tavtest::TestCanvas twips(600, 100);
  SetMapMode(twips.dc(), MM_TWIPS);
  LONG tw = 600 * 15, th = 0;
  ASSERT_EQ(s->TxGetNaturalSize(DVASPECT_CONTENT, twips.dc(), nullptr, nullptr, TXTNS_FITTOCONTENT, &extent, &tw, &th), S_OK);
  EXPECT_NEAR(th, h * 15, 15 * 2);
  EXPECT_NEAR(tw, w * 15, 15 * 4);
  // Drawn in twips (y upwards), the text lands where it does in pixels.
  const RECT bounds{0, 0, 600 * 15, -100 * 15};
  s->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, twips.dc(), nullptr, &bounds, nullptr, nullptr, nullptr, 0,
            TXTVIEW_INACTIVE);
  const RECT pixelBounds{0, 0, 600, 100};
  s->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, pixels.dc(), nullptr, &pixelBounds, nullptr, nullptr, nullptr, 0,
            TXTVIEW_INACTIVE);
  const RECT a = pixels.InkBox(), b = twips.InkBox();
  EXPECT_NEAR(a.top, b.top, 2);
  EXPECT_NEAR(a.bottom, b.bottom, 2);
  EXPECT_NEAR(a.left, b.left, 2);
  EXPECT_NEAR(a.right, b.right, 3);
}

}  // namespace
