// Print runs one after another in one process. A run keeps what it looks up
// once for its length (the printer's measuring context, so the print system
// is asked for its queues once a run, not once a measured text): text
// measured on a kept context has the sizes a fresh context gives; the same
// run printed again, after a run on a printer of another resolution, gives
// the same pages, every symbol read by zxing-cpp; and a queue added, moved to
// another device or removed between runs is seen by the next run.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cups_server.h"
#include "datasource/field_sources.h"
#include "document/file/layout_file.h"
#include "document/tools/example_layouts.h"
#include "fields/measure/measure_dc.h"
#include "fields/measure/text_measure.h"
#include "platform/gdi/gdi_owners.h"
#include "platform/spool/devmode.h"
#include "print/job/abort_flag.h"
#include "print/job/label_printer_job.h"
#include "printed_output.h"
#include "tests/document/recording_layout_shell.h"

namespace fs = std::filesystem;
using print_test::GreyPage;
using print_test::SymbolIn;

namespace {

class RepeatedRuns : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_FALSE(cups_test::ServerFolder().empty()) << "no print server";
    folder_ = cups_test::ServerFolder() + "/repeated_runs";
    InstallDataSourceServices();
    for (const std::string& p : WriteExampleLayouts(folder_))
      if (p.find("shipping_label") != std::string::npos) shipping_ = p;
    ASSERT_FALSE(shipping_.empty());
  }
  void SetUp() override {
    ASSERT_FALSE(cups_test::ServerFolder().empty());
    ClearPrintAbort();
  }

  struct Layout {
    CLabelSetup setup;
    CFieldList fields;
  };
  static Layout Shipping() {
    Layout l;
    EXPECT_EQ(LoadLayoutFile(shipping_.c_str(), nullptr, l.setup, l.fields, nullptr), 1);
    return l;
  }

  // The shipping label printed `quantity` times on the printer, to `output`
  // when the mode is a file, asking for `dpi` (the layout's when 0); the
  // run's result.
  static int Print(const char* printer, PrintMode mode, int quantity, const std::string& output, int dpi = 0) {
    Layout l = Shipping();
    l.setup.lastPrinter = printer;
    l.setup.IsSysPrinter = 1;
    DEVMODEA dm = print_test::SheetMode(l.setup, false);
    if (dpi) dm.dmPrintQuality = dm.dmYResolution = static_cast<short>(dpi);
    CLabelPrinterJob job;
    job.context().mode = mode;
    job.context().quantity = quantity;
    job.context().layoutPath = output.c_str();
    job.outputPath = output.c_str();
    job.SetPrinterSettings(&dm);
    job.Prepare(l.setup, l.fields);
    return job.Run(nullptr);
  }

  // Every symbol of the shipping label read from the page.
  static void ExpectShippingSymbols(const GreyPage& page) {
    const RECT all{0, 0, page.width, page.height};
    EXPECT_EQ(SymbolIn(page, all, ZXing::BarcodeFormat::QRCode), "TRK 1Z4A7-0093-5521");
    EXPECT_EQ(SymbolIn(page, all, ZXing::BarcodeFormat::Code128), "0112345678901231" "10LOT7");
  }

  static std::string folder_, shipping_;
  RecordedLayoutMessages recorded_;
};
std::string RepeatedRuns::folder_;
std::string RepeatedRuns::shipping_;

// Text measured on the kept context of each printer equals text measured on
// a context made for the measurement, whichever printer was measured on
// before and however often.
TEST_F(RepeatedRuns, AKeptMeasuringContextMeasuresAsAFreshOne) {
  struct Printer {
    const char* name;
    int dpi;
  };
  // The label printer, two office queues, no printer and one the server
  // does not have (both measured on a memory context).
  constexpr Printer kPrinters[] = {{"zpl", 203}, {"raster", 300}, {"pdf", 600}, {"", 96}, {"no such queue", 300}};
  struct Text {
    const char* face;
    LONG points, widthPercent;
    const char* value;
  };
  constexpr Text kTexts[] = {
      {"DejaVu Sans", 10, 0, "SHIP TO: 1200 HARBOR BLVD"},
      {"DejaVu Sans", 24, 7500, "narrowed to three quarters"},
      {"DejaVu Serif", 7, 15000, "widened by half, 0123456789"},
      {"Liberation Mono", 36, 0, "W"},
  };
  const auto measure = [](const Printer& p, const Text& t) {
    CLabelSetup setup;
    setup.lastPrinter = p.name;
    setup.dpiX = setup.dpiY = p.dpi;
    CTextField field;
    std::snprintf(field.logFont.lfFaceName, sizeof field.logFont.lfFaceName, "%s", t.face);
    field.logFont.lfHeight = t.points;
    field.logFont.lfWidth = t.widthPercent;
    field.data = t.value;
    const SIZE device = MeasureTextExtent(field, setup, nullptr, true);
    const SIZE mils = MeasureTextExtent(field, setup, nullptr, false);
    return std::vector<LONG>{device.cx, device.cy, mils.cx, mils.cy};
  };
  std::vector<std::vector<LONG>> fresh;
  for (const Printer& p : kPrinters)
    for (const Text& t : kTexts) fresh.push_back(measure(p, t));
  MeasureDcReuse kept;
  for (int round = 0; round < 2; ++round) {
    size_t at = 0;
    for (const Printer& p : kPrinters)
      for (const Text& t : kTexts) {
        SCOPED_TRACE(std::string(p.name) + ": " + t.value + ", round " + std::to_string(round));
        const std::vector<LONG> now = measure(p, t);
        EXPECT_GT(now[0], 0);
        EXPECT_EQ(now, fresh[at++]);
      }
  }
}

// A run asks the print server as often for 25 labels as for one: what it
// looks up, it looks up once.
TEST_F(RepeatedRuns, ARunAsksThePrintServerAsOftenForManyLabelsAsForOne) {
  const std::string file = cups_test::ServerFolder() + "/out/requests.prn";
  const auto first = cups_test::LoggedRequests();
  ASSERT_EQ(Print("zpl", PrintMode::kFile, 1, file), 1);
  const auto second = cups_test::LoggedRequests();
  ASSERT_EQ(Print("zpl", PrintMode::kFile, 25, file), 1);
  const auto third = cups_test::LoggedRequests();
  ASSERT_TRUE(first && second && third) << "the access log could not be counted";
  // Each count adds no request of its own to the next.
  EXPECT_GT(*second - *first, 0u);
  EXPECT_EQ(*third - *second, *second - *first);
  EXPECT_EQ(print_test::ReadRasterPages(file).size(), 25u);
}

// The shipping label on the 203-dpi label printer, then on an office queue
// at 300 dpi (the PDF it takes, read at that resolution), then on the label printer again: the last run's
// pages are the first run's, dot for dot, and every page reads.
TEST_F(RepeatedRuns, TheSameRunAfterAnotherPrinterGivesTheSamePages) {
  const std::string first = cups_test::ServerFolder() + "/out/repeat_first.prn";
  const std::string other = cups_test::ServerFolder() + "/out/repeat_other.prn";
  const std::string again = cups_test::ServerFolder() + "/out/repeat_again.prn";
  ASSERT_EQ(Print("zpl", PrintMode::kFile, 2, first), 1);
  ASSERT_EQ(Print("pdf", PrintMode::kFile, 2, other, 300), 1);
  {
    Layout l = Shipping();
    DEVMODEA dm = print_test::SheetMode(l.setup, false);
    dm.dmPrintQuality = dm.dmYResolution = 300;
    UniqueDc dc(CreateDCA("WINSPOOL", "pdf", nullptr, &dm));
    ASSERT_TRUE(dc);
    EXPECT_EQ(GetDeviceCaps(dc.get(), LOGPIXELSX), 300) << "the office queue prints at another resolution";
  }
  ASSERT_EQ(Print("zpl", PrintMode::kFile, 2, again), 1);
  const std::vector<GreyPage> a = print_test::ReadRasterPages(first);
  const std::vector<GreyPage> b = print_test::ReadPdfPages(other, 300);
  const std::vector<GreyPage> c = print_test::ReadRasterPages(again);
  ASSERT_EQ(a.size(), 2u);
  ASSERT_EQ(b.size(), 2u);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(a[0].dpiX, 203);
  for (size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE("page " + std::to_string(i + 1));
    ExpectShippingSymbols(a[i]);
    ExpectShippingSymbols(b[i]);
    EXPECT_EQ(c[i].width, a[i].width);
    EXPECT_EQ(c[i].height, a[i].height);
    EXPECT_TRUE(c[i].pixels == a[i].pixels) << "the repeated run's page differs";
  }
  EXPECT_TRUE(a[0].pixels == a[1].pixels) << "two labels of one run differ";
}

// A queue the server gets between runs is printed on by the next run; moved
// to another device, the next run's job reaches that device; removed, the
// next run says it cannot reach it.
TEST_F(RepeatedRuns, QueuesChangedBetweenRunsAreSeenByTheNextRun) {
  // The devices' files, as the test server names them.
  const std::string firstDevice = cups_test::OutputOf("spare"), secondDevice = cups_test::OutputOf("spare_moved");
  int status = 0;
  ASSERT_EQ(Print("spare", PrintMode::kPrinter, 1, ""), 0) << "no such queue yet";
  ASSERT_FALSE(recorded_.shell().shownMessages.empty());
  EXPECT_NE(recorded_.shell().shownMessages.back().find("spare"), std::string::npos);

  cups_test::Run("lpadmin -p spare -E -v file:" + firstDevice + " -m drv:///sample.drv/zebra.ppd 2>&1", &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(Print("spare", PrintMode::kPrinter, 1, ""), 1) << "the added queue is seen";
  ASSERT_TRUE(cups_test::WaitForOutput("spare"));
  EXPECT_NE(print_test::ReadBytes(firstDevice).find("^XG"), std::string::npos);

  cups_test::Run("lpadmin -p spare -v file:" + secondDevice + " 2>&1", &status);
  ASSERT_EQ(status, 0);
  fs::remove(firstDevice);
  ASSERT_EQ(Print("spare", PrintMode::kPrinter, 1, ""), 1);
  ASSERT_TRUE(cups_test::WaitForOutput("spare_moved"));
  EXPECT_NE(print_test::ReadBytes(secondDevice).find("^XG"), std::string::npos) << "the moved queue's new device";
  EXPECT_FALSE(fs::exists(firstDevice));

  cups_test::Run("lpadmin -x spare 2>&1", &status);
  ASSERT_EQ(status, 0);
  const size_t shown = recorded_.shell().shownMessages.size();
  EXPECT_EQ(Print("spare", PrintMode::kPrinter, 1, ""), 0) << "the removed queue is gone";
  ASSERT_GT(recorded_.shell().shownMessages.size(), shown);
  EXPECT_NE(recorded_.shell().shownMessages.back().find("spare"), std::string::npos)
      << recorded_.shell().shownMessages.back();
}

}  // namespace
