// The layout's printer: reading a layout asks the spooler for the metrics of
// its system printer and keeps them; the last printer of the settings takes
// its resolution from the spooler when the settings hold none.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "doc_test_support.h"
#include "document/file/label_stream.h"
#include "document/setup/last_printer.h"
#include "foundation/system/printer_metrics.h"
#include "platform/comdlg/comdlg.h"
#include "platform/gdi/printer_settings.h"
#include "platform/kernel/kernel.h"
#include "platform/spool/spool.h"

namespace {

using doc_test::TempFolder;

std::string UniqueName(const char* what) {
  static int made = 0;
  return std::string("Layout ") + what + " " + std::to_string(::getpid()) + "-" + std::to_string(made++);
}

// A printer of the spooler whose jobs go to a file, gone with the object.
class SpoolPrinter {
 public:
  SpoolPrinter(const std::string& name, const std::string& port) : name_(name), port_(port) {
    PRINTER_INFO_2A info{};
    info.pPrinterName = name_.data();
    info.pPortName = port_.data();
    char driver[] = "Raw Label Driver";
    info.pDriverName = driver;
    handle_ = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  }
  ~SpoolPrinter() {
    if (!handle_) return;
    DeletePrinter(handle_);
    ClosePrinter(handle_);
  }
  SpoolPrinter(const SpoolPrinter&) = delete;
  SpoolPrinter& operator=(const SpoolPrinter&) = delete;
  bool ok() const { return handle_ != nullptr; }
  const std::string& name() const { return name_; }

 private:
  std::string name_, port_;
  HANDLE handle_ = nullptr;
};

// Gives a printer's device contexts another resolution and page.
void ChangePrinter(const std::string& name, int dpi) {
  gdi::PrinterSettings s;
  s.dpiX = s.dpiY = dpi;
  s.page = {4 * dpi, 6 * dpi};
  s.printable = s.page;
  s.printableOffset = {dpi / 10, dpi / 10};
  gdi::RegisterPrinterSettings(name, s);
}

// A stream whose setup names the printer, read back into a new setup.
int ReadLayoutFor(const std::string& printer, uint8_t isSysPrinter, CLabelSetup& read) {
  CLabelSetup setup;
  setup.lastPrinter = printer.c_str();
  setup.IsSysPrinter = isSysPrinter;
  const std::vector<uint8_t> bytes = LabelStreamBytes(setup, CFieldList());
  CFieldList fields;
  return ReadLabelStreamBytes(bytes, nullptr, read, &fields, nullptr);
}

class LayoutPrinter : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_DATA_HOME");
    hadData_ = old != nullptr;
    if (old) savedData_ = old;
    ::setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
  }
  void TearDown() override {
    if (hadData_)
      ::setenv("XDG_DATA_HOME", savedData_.c_str(), 1);
    else
      ::unsetenv("XDG_DATA_HOME");
  }
  TempFolder folder_;
  doc_test::ScriptedApp app_;

 private:
  bool hadData_ = false;
  std::string savedData_;
};

// The metrics of the layout's printer are kept when the layout is read:
// later changes of the printer are not seen until they are forgotten. A
// layout for a label printer in its own language asks nothing.
TEST_F(LayoutPrinter, ReadingALayoutKeepsItsSystemPrintersMetrics) {
  const struct {
    uint8_t isSysPrinter;
    int seenAfterChange;
  } cases[] = {{1, 300}, {0, 600}};
  for (const auto& c : cases) {
    SpoolPrinter printer(UniqueName("Printer"), folder_ / "out.prn");
    ASSERT_TRUE(printer.ok());
    SCOPED_TRACE(c.isSysPrinter);
    CLabelSetup read;
    ASSERT_EQ(ReadLayoutFor(printer.name(), c.isSysPrinter, read), 1);
    EXPECT_EQ(read.IsSysPrinter, c.isSysPrinter);
    ChangePrinter(printer.name(), 600);
    PrinterMetrics m;
    ASSERT_EQ(GetPrinterMetrics(printer.name().c_str(), &m), 1);
    EXPECT_EQ(m.dpiX, c.seenAfterChange);
    EXPECT_EQ(m.dpiY, c.seenAfterChange);
    ForgetPrinterMetrics(printer.name().c_str());
  }
}

// A printer of the profile's [Devices] section is known to the spooler but
// has no device context until the spooler is asked: reading the layout
// opens it, so its metrics are there.
TEST_F(LayoutPrinter, APrinterOfTheProfileIsAskedThroughTheSpooler) {
  const std::string name = UniqueName("Profile Printer");
  ASSERT_FALSE(gdi::FindPrinterSettings(name));
  ASSERT_TRUE(WriteProfileStringA("Devices", name.c_str(), ("Raw Driver," + (folder_ / "p.prn")).c_str()));
  CLabelSetup read;
  ASSERT_EQ(ReadLayoutFor(name, 1, read), 1);
  ChangePrinter(name, 203);
  PrinterMetrics m;
  ASSERT_EQ(GetPrinterMetrics(name.c_str(), &m), 1);
  const gdi::PrinterSettings defaults;
  EXPECT_EQ(m.dpiX, defaults.dpiX);
  EXPECT_EQ(m.physicalWidth, defaults.page.cx);
  EXPECT_EQ(m.offsetX, defaults.printableOffset.x);
  EXPECT_EQ(m.widthMils, defaults.page.cx * 1000 / defaults.dpiX);
  ForgetPrinterMetrics(name.c_str());
  WriteProfileStringA("Devices", name.c_str(), nullptr);
}

// A layout whose printer is missing opens all the same, silently, and the
// missing printer is not remembered as known.
TEST_F(LayoutPrinter, AMissingPrinterLeavesTheLayoutReadable) {
  const std::string name = UniqueName("Missing");
  CLabelSetup read;
  ASSERT_EQ(ReadLayoutFor(name, 1, read), 1);
  EXPECT_EQ(std::string(read.lastPrinter.GetData()), name);
  EXPECT_TRUE(app_.shownMessages.empty());
  PrinterMetrics m;
  EXPECT_EQ(GetPrinterMetrics(name.c_str(), &m), 0);
  // Once it is there, it is asked.
  SpoolPrinter printer(name, folder_ / "late.prn");
  ASSERT_TRUE(printer.ok());
  ChangePrinter(name, 203);
  EXPECT_EQ(GetPrinterMetrics(name.c_str(), &m), 1);
  EXPECT_EQ(m.dpiX, 203);
  ForgetPrinterMetrics(name.c_str());
}

// The metrics in mils, and tractor feed without unprintable margins.
TEST_F(LayoutPrinter, MetricsInMilsAndTractorFeed) {
  SpoolPrinter printer(UniqueName("Tractor"), folder_ / "t.prn");
  ASSERT_TRUE(printer.ok());
  gdi::PrinterSettings s;
  s.dpiX = s.dpiY = 600;
  s.page = {5100, 6600};
  s.printable = {4800, 6300};
  s.printableOffset = {150, 120};
  gdi::RegisterPrinterSettings(printer.name(), s);
  PrinterMetrics m;
  ASSERT_EQ(GetPrinterMetrics(printer.name().c_str(), &m), 1);
  EXPECT_EQ(m.widthMils, 8500);
  EXPECT_EQ(m.heightMils, 11000);
  EXPECT_EQ(m.offsetX, 150);
  EXPECT_EQ(m.offsetY, 120);
  ForgetPrinterMetrics(printer.name().c_str());

  DEVMODEA mode{};
  mode.dmFields = DM_DEFAULTSOURCE;
  mode.dmDefaultSource = DMBIN_TRACTOR;
  std::string device = printer.name();
  HANDLE h = nullptr;
  ASSERT_TRUE(OpenPrinterA(device.data(), &h, nullptr));
  ASSERT_EQ(DocumentPropertiesA(nullptr, h, device.data(), nullptr, &mode, DM_IN_BUFFER | DM_UPDATE), IDOK);
  ClosePrinter(h);
  ASSERT_EQ(GetPrinterMetrics(printer.name().c_str(), &m), 1);
  EXPECT_EQ(m.offsetX, 0);
  EXPECT_EQ(m.offsetY, 0);
  EXPECT_EQ(m.widthMils, 8500);
  ForgetPrinterMetrics(printer.name().c_str());
}

// The settings' last printer: its resolution from the settings, else from
// the printer; no resolution at all gives 0.
class ProfileApp : public doc_test::ScriptedApp {
 public:
  AString GetProfileString(const char*, const char* key, const char* d) override {
    const auto it = strings.find(key);
    return AString(it != strings.end() ? it->second.c_str() : d);
  }
  int GetProfileInt(const char*, const char* key, int d) override {
    const auto it = ints.find(key);
    return it != ints.end() ? it->second : d;
  }
  std::map<std::string, std::string> strings;
  std::map<std::string, int> ints;
};

TEST(LastPrinter, ResolutionFromTheSettingsElseFromThePrinter) {
  TempFolder folder;
  SpoolPrinter printer(UniqueName("Last"), folder / "l.prn");
  ASSERT_TRUE(printer.ok());
  ChangePrinter(printer.name(), 203);
  const struct {
    const char* name;
    const char* model;
    int dpiX, dpiY;
    int result, wantX, wantY;
  } cases[] = {
      {"<printer>", "Model", 300, 600, 1, 300, 600},  // the settings' own values stay
      {"<printer>", "Model", 0, 300, 1, 203, 203},    // one missing: both from the printer
      {"<printer>", "", 0, 0, 0, 203, 203},           // no model: 0, the resolution still asked
      {"No Such Printer Here", "Model", 0, 0, 0, 0, 0},
      {"", "Model", 0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    ProfileApp app;
    const std::string name = std::string(c.name) == "<printer>" ? printer.name() : c.name;
    SCOPED_TRACE(name + " " + std::to_string(c.dpiX));
    app.strings = {{"lastPrinter", name}, {"lastPort", "FILE:"}, {"lastPrinterModel", c.model}};
    app.ints = {{"IsSysPrinter", 1}, {"dpiX", c.dpiX}, {"dpiY", c.dpiY}};
    CLabelSetup setup;
    EXPECT_EQ(ReadLastPrinter(setup), c.result);
    EXPECT_EQ(setup.dpiX, c.wantX);
    EXPECT_EQ(setup.dpiY, c.wantY);
    EXPECT_EQ(setup.IsSysPrinter, 1);
  }
  ForgetPrinterMetrics(printer.name().c_str());
}

}  // namespace
