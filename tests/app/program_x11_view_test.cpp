// The designer's layout windows in the real program on an X server with a
// window manager (Xvfb and openbox, started by the test), driven by xdotool
// as a person would: the shipping example zoomed in twice, its QR Code and
// Code 128 read by zxing-cpp from the screen at each zoom and found inside
// the label, growing with it; Delete removes the selected field; Add Line
// draws a line between the drag's points; the Window menu's list and Ctrl+F6
// switch layouts and the status bar follows.
#include <gtest/gtest.h>

#include <ZXing/ReadBarcode.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/core/instance_channel.h"
#include "designer_app_fixture.h"
#include "program_runner.h"
#include "screen_symbols.h"
#include "tests/platform/x11/x11_server.h"

namespace {

using apptest::ProgramRunner;
using apptest::WaitUntil;

constexpr int kScreenWidth = 1600, kScreenHeight = 2000;  // tall enough for a 4 x 6 in label at 200 dpi
constexpr uint32_t kDesk = 0x919BC3;  // the desk around the label
constexpr const char* kQrText = "TRK 1Z4A7-0093-5521";
constexpr const char* kCode128Text = "0112345678901231" "10LOT7";

struct Screen {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0xRRGGBB
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
  bool Dark(int x, int y) const {
    const uint32_t p = At(x, y);
    return ((p >> 16) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3 < 100;
  }
};

using apptest::Found;

Found Read(const Screen& s, ZXing::BarcodeFormat format, const std::string& text) {
  return apptest::ReadScreenSymbol(s.pixels, s.width, s.height, format, text);
}

// The label's frame (the shipping label's black box, 80 mils inside its
// edges) on the row through a symbol: the first dark pixels left and right
// of it; and the desk where the label ends on the right.
struct Label {
  int left = -1, right = -1, deskRight = -1;
};
Label LabelAround(const Screen& s, const Found& symbol) {
  Label l;
  const int y = symbol.CentreY();
  // The first dark pixel after a white stretch: the symbol's own last bars
  // lie before it.
  auto scan = [&](int from, int step) {
    int light = 0;
    for (int i = from; i >= 0 && i < s.width; i += step) {
      if (!s.Dark(i, y)) {
        ++light;
      } else if (light >= 15) {
        return i;
      } else {
        light = 0;
      }
    }
    return -1;
  };
  l.left = scan(symbol.left, -1);
  l.right = scan(symbol.right, 1);
  for (int i = std::max(l.right, 0); i < s.width && l.deskRight < 0; ++i)
    if (s.At(i, y) == kDesk) l.deskRight = i;
  return l;
}

class ProgramX11View : public apptest::DesignerAppTest {
 protected:
  ProgramX11View() { profileProgram = "tavrendel"; }
  static bool MainAnswers() { return CInstanceChannel::SendActivate(2000) == CInstanceChannel::Answer::Yes; }
  std::string WindowsNamed(const std::string& text) {
    std::string out;
    server.Run({"xdotool", "search", "--name", text}, &out);
    return out;
  }
  Screen Shot() {
    Screen s;
    s.width = kScreenWidth;
    s.height = kScreenHeight;
    s.pixels = server.Screenshot();
    if (s.pixels.size() != static_cast<size_t>(s.width) * s.height) s.pixels.assign(static_cast<size_t>(s.width) * s.height, 0);
    return s;
  }
  void Picture(const std::string& name) {
    const std::string dir = std::string(TAV_BUILD_DIR) + "/pictures/app";
    std::filesystem::create_directories(dir);
    EXPECT_TRUE(server.SavePicture(0, 0, kScreenWidth, kScreenHeight, dir + "/x11_view_" + name + ".png"));
  }
  void Keys(const std::string& keys) {
    server.Run({"xdotool", "key", "--clearmodifiers", keys});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
  void MouseTo(int x, int y) { server.Run({"xdotool", "mousemove", std::to_string(x), std::to_string(y)}); }
  // The main window filling the screen.
  void FillScreen() {
    // The main window: the largest shown window of that name. The program
    // shows it once its start-up has opened the files, and a window moved
    // before it is shown is placed anew by the window manager, so this waits
    // for it to be shown.
    std::string all;
    WaitUntil([&] {
      server.Run({"xdotool", "search", "--onlyvisible", "--name", "Tavrendel"}, &all);
      return !all.empty();
    }, 20);
    std::string id;
    long largest = -1;
    std::istringstream ids(all);
    for (std::string candidate; std::getline(ids, candidate);) {
      std::string shape;
      server.Run({"xdotool", "getwindowgeometry", "--shell", candidate}, &shape);
      long width = 0, height = 0;
      std::istringstream lines(shape);
      for (std::string line; std::getline(lines, line);) {
        if (line.rfind("WIDTH=", 0) == 0) width = std::atol(line.c_str() + 6);
        if (line.rfind("HEIGHT=", 0) == 0) height = std::atol(line.c_str() + 7);
      }
      if (width * height > largest) largest = width * height, id = candidate;
    }
    ASSERT_FALSE(id.empty()) << "no window named Tavrendel is shown";
    server.Run({"xdotool", "windowmove", id, "0", "0"});
    server.Run({"xdotool", "windowsize", id, std::to_string(kScreenWidth - 10), std::to_string(kScreenHeight - 40)});
    std::string geometry;
    ASSERT_TRUE(WaitUntil([&] {
      server.Run({"xdotool", "getwindowgeometry", id}, &geometry);
      return geometry.find("x" + std::to_string(kScreenHeight - 40)) != std::string::npos;
    }, 10)) << geometry;
  }
  // The status bar's left part (resolution, printer, label size) as pixels:
  // the rows above the main window's bottom edge, found where the screen
  // below the window starts.
  static std::vector<uint32_t> StatusStrip(const Screen& s) {
    int bottom = s.height - 1;
    while (bottom > 0 && s.At(5, bottom) == 0) --bottom;
    std::vector<uint32_t> strip;
    for (int row = std::max(0, bottom - 18); row < bottom - 2; ++row)
      for (int col = 0; col < 600 && col < s.width; ++col) strip.push_back(s.At(col, row));
    return strip;
  }

  x11test::Server server{x11test::Server::Options{kScreenWidth, kScreenHeight, true}};
  apptest::ScopedEnv onScreen{"TAV_DISPLAY", nullptr};
  apptest::ScopedEnv displayName{"DISPLAY", server.Name().c_str()};
  ProgramRunner runner{{}};
};

// The frame is 3.84 inches wide: fitted, about 200 pixels to the inch here,
// so that the Code 128's 10-mil bars are two pixels wide.
constexpr int kFittedLabelWidth = 3840 * 190 / 1000;

TEST_F(ProgramX11View, ZoomDeleteLineAndWindowSwitching) {
  ASSERT_TRUE(server.Running());
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  for (const char* name : {"shipping_label.bcd", "product_label.bcd", "product_picture.png"})
    std::filesystem::copy_file(std::string(TAV_SOURCE_DIR) + "/examples/" + name, temp / name);
  const std::string shipping = temp / "shipping_label.bcd", product = temp / "product_label.bcd";
  const pid_t designer = runner.Start({shipping});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitUntil([&] { return !WindowsNamed("shipping_label").empty(); }));
  ASSERT_NO_FATAL_FAILURE(FillScreen());
  MouseTo(kScreenWidth - 40, 12);  // out of the label's way
  Keys("alt+v");
  Keys("f");  // Fit In Frame

  // At the fitted zoom and after each Zoom In: both symbols read from the
  // screen, inside the label, and as wide against the label as before.
  int lastLabelWidth = 0;
  double codeShare = 0;
  Found qr;
  for (int step = 0; step < 3; ++step) {
    SCOPED_TRACE("zoom step " + std::to_string(step));
    Screen s;
    Found code;
    Label label;
    // The view repaints after the command: wait for the symbols at a new size.
    ASSERT_TRUE(WaitUntil([&] {
      s = Shot();
      qr = Read(s, ZXing::BarcodeFormat::QRCode, kQrText);
      code = Read(s, ZXing::BarcodeFormat::Code128, kCode128Text);
      if (!qr.valid || !code.valid) return false;
      label = LabelAround(s, code);
      // Wider than before, and at least as wide as a fitted label: a picture
      // of the view taken before the command has repainted it is not taken
      // for the result.
      const int width = label.right - label.left;
      return width > lastLabelWidth * 105 / 100 && width > kFittedLabelWidth;
    }, 20));
    Picture("zoom" + std::to_string(step));
    ASSERT_GT(label.left, 0);
    ASSERT_GT(label.right, label.left);
    // Both symbols inside the label's frame, the label ending in the desk.
    for (const Found* f : {&qr, &code}) {
      EXPECT_GT(f->left, label.left);
      EXPECT_LT(f->right, label.right);
    }
    EXPECT_GT(label.deskRight, label.right);
    const int width = label.right - label.left;
    EXPECT_GT(width, kFittedLabelWidth);
    const double share = static_cast<double>(code.right - code.left) / width;
    if (step > 0) {
      EXPECT_NEAR(share, codeShare, 0.02) << "the Code 128 keeps its share of the label's width";
    }
    codeShare = share;
    lastLabelWidth = width;
    if (step < 2) {
      Keys("alt+v");
      Keys("i");  // Zoom In
    }
  }

  // Delete: the QR Code clicked and the key pressed; the Code 128 stays.
  server.Run({"xdotool", "mousemove", std::to_string(qr.CentreX()), std::to_string(qr.CentreY()), "click", "1"});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  Keys("Delete");
  Screen afterDelete;
  EXPECT_TRUE(WaitUntil([&] {
    afterDelete = Shot();
    return !Read(afterDelete, ZXing::BarcodeFormat::QRCode, kQrText).valid;
  }, 10));
  Picture("deleted");
  EXPECT_TRUE(Read(afterDelete, ZXing::BarcodeFormat::Code128, kCode128Text).valid);

  // Add Line, dragged down and right across the QR Code's empty place.
  const POINT from{qr.left, qr.top}, to{qr.right, qr.bottom};
  Keys("alt+l");
  Keys("l");
  // The menu closes and the command takes effect before the press comes; on
  // a loaded machine the press could otherwise meet the menu still open.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  server.Run({"xdotool", "mousemove", std::to_string(from.x), std::to_string(from.y), "mousedown", "1"});
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  for (int i = 1; i <= 8; ++i)
    server.Run({"xdotool", "mousemove", std::to_string(from.x + (to.x - from.x) * i / 8),
                std::to_string(from.y + (to.y - from.y) * i / 8)});
  server.Run({"xdotool", "mouseup", "1"});
  MouseTo(kScreenWidth - 40, 12);
  Screen line;
  const POINT middle{(from.x + to.x) / 2, (from.y + to.y) / 2};
  EXPECT_TRUE(WaitUntil([&] {
    line = Shot();
    return line.Dark(middle.x, middle.y);
  }, 20));
  Picture("line");
  // Dark along the diagonal, light at the drag's other two corners.
  for (int i = 1; i < 8; ++i) {
    const int x = from.x + (to.x - from.x) * i / 8, y = from.y + (to.y - from.y) * i / 8;
    bool near = false;
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -3; dx <= 3; ++dx) near = near || line.Dark(x + dx, y + dy);
    EXPECT_TRUE(near) << "no line at " << x << ", " << y;
  }
  EXPECT_FALSE(line.Dark(to.x - 4, from.y + 4));
  EXPECT_FALSE(line.Dark(from.x + 4, to.y - 4));

  // A second layout handed over; then the Window menu's list and Ctrl+F6
  // switch between the two, and the status bar shows each one's panes.
  const std::vector<uint32_t> shippingStrip = StatusStrip(Shot());
  EXPECT_EQ(runner.Run({product}), 0);
  ASSERT_TRUE(WaitUntil([&] { return !WindowsNamed("product_label").empty(); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const std::vector<uint32_t> productStrip = StatusStrip(Shot());
  Picture("handed_over");
  ASSERT_FALSE(shippingStrip.empty());
  EXPECT_NE(shippingStrip, productStrip) << "the status bar shows the handed-over layout's size";
  Keys("alt+w");
  Picture("window_menu");
  Keys("1");
  EXPECT_TRUE(WaitUntil([&] { return !WindowsNamed("shipping_label").empty(); }, 10));
  EXPECT_TRUE(WaitUntil([&] { return StatusStrip(Shot()) == shippingStrip; }, 10));
  Picture("window_menu_chose");
  Keys("ctrl+F6");
  EXPECT_TRUE(WaitUntil([&] { return !WindowsNamed("product_label").empty(); }, 10));
  EXPECT_TRUE(WaitUntil([&] { return StatusStrip(Shot()) == productStrip; }, 10));
  Picture("ctrl_f6");
  runner.Kill(designer);
}

}  // namespace
