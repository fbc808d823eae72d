// The barcode sheet in the real program on its own X server with a window
// manager, driven by xdotool as a person would: a Code 128 field of a layout
// double-clicked in the design view, its data typed anew and its symbology
// changed to QR Code in the sheet, OK; the view draws the new symbol
// (read by zxing-cpp from the screen), and the layout saved with Ctrl+S holds
// it and renders it as a QR Code that zxing-cpp reads.
#include <gtest/gtest.h>

#include <ZXing/ReadBarcode.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/core/instance_channel.h"
#include "designer_app_fixture.h"
#include "document/file/layout_file.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/measure/field_measure.h"
#include "fields/model/field_kinds.h"
#include "program_runner.h"
#include "tests/dialogs/barcode/field_on_label.h"
#include "tests/platform/x11/x11_server.h"

namespace {

using apptest::ProgramRunner;
using apptest::WaitUntil;

constexpr int kWidth = 1280, kHeight = 1024;
constexpr const char* kOldData = "OLD-128";
constexpr const char* kNewData = "QR FROM THE SHEET";

// Where zxing-cpp finds a symbol holding `text` on the screen.
struct Found {
  bool valid = false;
  int left = kWidth, top = kHeight, right = 0, bottom = 0;
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};

Found Read(const std::vector<uint32_t>& screen, ZXing::BarcodeFormat format, const std::string& text) {
  if (screen.size() != static_cast<size_t>(kWidth) * kHeight) return {};
  std::vector<uint8_t> grey(screen.size());
  for (size_t i = 0; i < grey.size(); ++i) {
    const uint32_t p = screen[i];
    grey[i] = static_cast<uint8_t>(((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) / 3);
  }
  ZXing::DecodeHints hints;
  hints.setFormats(format);
  hints.setTryHarder(true);
  for (const ZXing::Result& r :
       ZXing::ReadBarcodes(ZXing::ImageView(grey.data(), kWidth, kHeight, ZXing::ImageFormat::Lum), hints)) {
    const auto& bytes = r.bytes();
    if (std::string(bytes.begin(), bytes.end()) != text) continue;
    Found f;
    f.valid = true;
    for (int i = 0; i < 4; ++i) {
      f.left = std::min(f.left, r.position()[i].x);
      f.right = std::max(f.right, r.position()[i].x);
      f.top = std::min(f.top, r.position()[i].y);
      f.bottom = std::max(f.bottom, r.position()[i].y);
    }
    return f;
  }
  return {};
}

class BarcodeSheetX11 : public apptest::DesignerAppTest {
 protected:
  BarcodeSheetX11() { profileProgram = "tavrendel"; }
  static bool MainAnswers() { return CInstanceChannel::SendActivate(2000) == CInstanceChannel::Answer::Yes; }
  std::string WindowNamed(const std::string& text) {
    std::string out;
    server.Run({"xdotool", "search", "--onlyvisible", "--name", text}, &out);
    return out.substr(0, out.find('\n'));
  }
  void Xdo(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    EXPECT_EQ(server.Run(argv), 0) << args.front();
  }
  void ClickAt(int x, int y, int clicks = 1) {
    Xdo({"mousemove", "--sync", std::to_string(x), std::to_string(y)});
    Xdo({"click", "--repeat", std::to_string(clicks), "--delay", "80", "1"});
    Settle();
  }
  static void Settle() { std::this_thread::sleep_for(std::chrono::milliseconds(400)); }
  void Picture(const std::string& name) {
    Settle();
    const std::string folder = std::string(TAV_BUILD_DIR) + "/pictures/program";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(server.SavePicture(0, 0, kWidth, kHeight, folder + "/x11_barcode_sheet_" + name + ".png"));
  }
  // A window's place on the screen: x, y, width, height.
  std::vector<long> Geometry(const std::string& id) {
    std::string shell;
    server.Run({"xdotool", "getwindowgeometry", "--shell", id}, &shell);
    std::vector<long> g(4, 0);
    std::istringstream lines(shell);
    for (std::string line; std::getline(lines, line);) {
      const size_t eq = line.find('=');
      if (eq == std::string::npos) continue;
      const std::string key = line.substr(0, eq);
      const long value = std::atol(line.c_str() + eq + 1);
      if (key == "X") g[0] = value;
      if (key == "Y") g[1] = value;
      if (key == "WIDTH") g[2] = value;
      if (key == "HEIGHT") g[3] = value;
    }
    return g;
  }

  x11test::Server server{{kWidth, kHeight, true}};
  apptest::ScopedEnv onScreen{"TAV_DISPLAY", nullptr};
  apptest::ScopedEnv displayName{"DISPLAY", server.Name().c_str()};
  ProgramRunner runner{{}};
};

// A layout of one Code 128 field, large enough to be read from the screen.
void WriteCode128Layout(const std::string& path) {
  CLabelSetup setup;
  setup.LoadDefaults();
  auto field = std::make_unique<CBarcodeField>(setup.dpiX);
  SetNewBarcodeDefaults(*field, setup);
  field->name = "Barcode_1";
  field->symbology = 4;
  field->data = kOldData;
  field->narrowBar = static_cast<int16_t>(std::max(2, setup.dpiX / 100));
  field->barHeight = 600;
  field->showHr = 0;
  field->offset = {400, 400};
  const CFieldList none;
  const SIZE size = MeasureBarcodeField(*field, none, setup, 0);
  field->width = size.cx;
  field->height = size.cy;
  CFieldList fields;
  fields.push_back(std::move(field));
  ASSERT_EQ(SaveLayoutFile(path.c_str(), setup, fields, SaveVersions::kFreshStore), 1);
}

// The tallest white run down a column: the data box of the sheet's page.
struct WhiteRun {
  int top = -1, length = 0;
};
WhiteRun TallestWhiteRun(const std::vector<uint32_t>& screen, int x, int fromY, int toY) {
  WhiteRun best, current;
  for (int y = fromY; y < toY; ++y) {
    if ((screen[static_cast<size_t>(y) * kWidth + x] & 0xFFFFFF) == 0xFFFFFF) {
      if (current.length++ == 0) current.top = y;
      if (current.length > best.length) best = current;
    } else {
      current = {};
    }
  }
  return best;
}

TEST_F(BarcodeSheetX11, DoubleClickedFieldTakesNewDataAndSymbology) {
  ASSERT_TRUE(server.Running());
  WriteProfile("[Config]\nbFirstTimeRun=0\n");
  const std::string file = temp / "sheet.bcd";
  WriteCode128Layout(file);
  const pid_t designer = runner.Start({file});
  ASSERT_TRUE(WaitUntil(MainAnswers));
  ASSERT_TRUE(WaitUntil([&] { return !WindowNamed("sheet").empty(); }, 20));
  Found old;
  ASSERT_TRUE(WaitUntil([&] { return (old = Read(server.Screenshot(), ZXing::BarcodeFormat::Code128, kOldData)).valid; },
                        20))
      << "the Code 128 is drawn";
  Picture("1_layout");

  // A double click on the symbol opens its sheet.
  ClickAt(old.CentreX(), old.CentreY(), 2);
  ASSERT_TRUE(WaitUntil([&] { return !WindowNamed("Barcode Setup").empty(); }, 20));
  const std::string sheet = WindowNamed("Barcode Setup");
  Settle();
  Picture("2_sheet_opened");
  const std::vector<long> box = Geometry(sheet);
  ASSERT_GT(box[2], 300);

  // The data: the tallest white box of the page's left half, typed anew.
  const std::vector<uint32_t> screen = server.Screenshot();
  const int column = static_cast<int>(box[0] + 60);
  const WhiteRun dataBox = TallestWhiteRun(screen, column, static_cast<int>(box[1] + box[3] / 3),
                                   static_cast<int>(box[1] + box[3] - 40));
  ASSERT_GT(dataBox.length, 40) << "the data box";
  ClickAt(column, dataBox.top + 10);
  Xdo({"key", "--clearmodifiers", "ctrl+End"});
  for (int i = 0; i < 12; ++i) Xdo({"key", "BackSpace"});
  Xdo({"type", "--delay", "30", kNewData});
  Settle();

  // The symbology list at the top of the page, whose last entry is QR Code
  // (its place from the page's template: 346 dots above the data box's
  // lower edge, 140 right of where the box was found).
  ClickAt(column + 140, dataBox.top + dataBox.length - 346);
  Xdo({"key", "End"});
  Xdo({"key", "Return"});
  Settle();
  Picture("3_qr_chosen");
  Xdo({"key", "Return"});  // the sheet's default button: OK
  ASSERT_TRUE(WaitUntil([&] { return WindowNamed("Barcode Setup").empty(); }, 20)) << "the sheet closed with OK";

  // The view draws the new symbol.
  Found qr;
  ASSERT_TRUE(WaitUntil([&] { return (qr = Read(server.Screenshot(), ZXing::BarcodeFormat::QRCode, kNewData)).valid; },
                        20))
      << "the QR Code is drawn";
  Picture("4_qr_drawn");
  EXPECT_FALSE(Read(server.Screenshot(), ZXing::BarcodeFormat::Code128, kOldData).valid);

  // Saved: the layout holds the QR Code, which its rendering shows.
  const auto before = std::filesystem::last_write_time(file);
  Xdo({"windowactivate", "--sync", WindowNamed("sheet")});
  Xdo({"key", "--clearmodifiers", "ctrl+s"});
  ASSERT_TRUE(WaitUntil([&] { return std::filesystem::last_write_time(file) != before; }, 20));
  EXPECT_EQ(runner.Run({"-q"}), 0);
  EXPECT_EQ(runner.Wait(designer, 30), 0);

  CLabelSetup setup;
  CFieldList fields;
  ASSERT_EQ(LoadLayoutFile(file.c_str(), nullptr, setup, fields, nullptr), 1);
  ASSERT_EQ(fields.size(), 1u);
  const auto* saved = dynamic_cast<const CBarcodeField*>(fields[0].get());
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->symbology, 33);
  EXPECT_STREQ(saved->data.GetData(), kNewData);
  document_test::TempFolder folder("sheet-x11");
  const auto grey = barcode_sheet_test::RenderFieldOnLabel(setup, std::move(fields[0]), folder, "saved",
                                                           std::string(TAV_BUILD_DIR) +
                                                               "/pictures/program/x11_barcode_sheet_5_saved.png");
  ASSERT_TRUE(grey.has_value());
  EXPECT_EQ(barcode_sheet_test::ReadSymbol(*grey, ZXing::BarcodeFormat::QRCode), kNewData);
}

}  // namespace
