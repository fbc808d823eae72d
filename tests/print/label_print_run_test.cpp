// The label print job end to end: the example layouts printed to the test
// print server's queues, to print files and to picture files, each output
// read back (libcups' raster reader, poppler, the picture codecs) and every
// symbol decoded by zxing-cpp to the value it has on its label.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cups_server.h"
#include "document/file/layout_file.h"
#include "document/layout_shell.h"
#include "document/render/label_render.h"
#include "platform/spool/devmode.h"
#include "print/job/label_printer_job.h"
#include "asset_tag_test.h"
#include "printed_output.h"
#include "tests/document/recording_layout_shell.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/document/export_oracles.h"

namespace fs = std::filesystem;
using print_test::GreyPage;

namespace {

// The page arithmetic of a run, as the label setup and the request give it.
struct CountRow {
  const char* what;
  int across, down, quantity, copies, startRow, startColumn;
  bool toImages, driverOutput;
  int offset, total, pages;
};
constexpr CountRow kCounts[] = {
    {"start row 1, column 2 skips five positions", 3, 4, 10, 1, 1, 2, false, true, 5, 15, 2},
    {"copies repeat each label", 3, 4, 10, 2, 0, 0, false, true, 0, 20, 2},
    {"one label a page", 1, 1, 7, 1, 0, 0, false, true, 0, 7, 7},
    {"picture files hold one label each and skip nothing", 3, 4, 3, 1, 1, 2, true, true, 0, 3, 3},
    {"a printer-language job counts rows", 3, 4, 7, 1, 0, 0, false, false, 0, 7, 3},
    {"a full page", 3, 4, 12, 1, 0, 0, false, true, 0, 12, 1},
};

TEST(LabelPageCounts, FollowTheLabelSetup) {
  for (const CountRow& r : kCounts) {
    SCOPED_TRACE(r.what);
    CLabelSetup setup;
    setup.deflt_lblsPerRow = static_cast<int16_t>(r.across);
    setup.deflt_rowsPerPage = static_cast<int16_t>(r.down);
    setup.IsSysPrinter = r.driverOutput ? 1 : 0;
    const PageCounts c = CountPages(setup, r.quantity, r.copies, r.startRow, r.startColumn, r.toImages);
    EXPECT_EQ(c.offset, r.offset);
    EXPECT_EQ(c.totalPositions, r.total);
    EXPECT_EQ(c.pages, r.pages);
  }
}

TEST(LabelPageCounts, AQuarterTurnSwapsTheLabelInTheSheet) {
  CLabelSetup setup;
  setup.labelWidth = 4000;
  setup.labelHeight = 2500;
  setup.deflt_lblsPerRow = 2;
  setup.deflt_rowsPerPage = 3;
  setup.deflt_leftOff = 100;
  setup.deflt_topOff = 50;
  setup.deflt_hGap = 10;
  setup.deflt_vGap = 20;
  EXPECT_EQ(SheetSize(setup).cx, 2 * 4000 + 100 + 10);
  EXPECT_EQ(SheetSize(setup).cy, 3 * 2500 + 50 + 2 * 20);
  setup.deflt_rotation = 1;
  EXPECT_EQ(SheetSize(setup).cx, 2 * 2500 + 100 + 10);
  EXPECT_EQ(SheetSize(setup).cy, 3 * 4000 + 50 + 2 * 20);
}

class LabelPrintRun : public print_test::AssetTagTest {
 protected:
  static void SetUpTestSuite() { WriteLayouts("layouts"); }
  void SetUp() override {
    ASSERT_FALSE(cups_test::ServerFolder().empty());
    AssetTagTest::SetUp();
    for (const char* q : {"zpl", "raster", "pdf"}) fs::remove(cups_test::OutputOf(q));
    WriteCounter("ASSET-000500");
  }

  struct Layout {
    CLabelSetup setup;
    CFieldList fields;
  };
  static Layout Load(const char* name) {
    Layout l;
    EXPECT_EQ(LoadLayoutFile((folder_ + "/" + name + ".bcd").c_str(), nullptr, l.setup, l.fields, nullptr), 1);
    return l;
  }

  // Runs a job on the layout; its result.
  static int Print(Layout& l, const char* printer, PrintMode mode, int quantity, const std::string& output,
                   bool letter = false, int startRow = 0, int startColumn = 0) {
    l.setup.lastPrinter = printer;
    l.setup.IsSysPrinter = 1;
    const DEVMODEA dm = print_test::SheetMode(l.setup, letter);
    CLabelPrinterJob job;
    job.context().mode = mode;
    job.context().quantity = quantity;
    job.context().startRow = startRow;
    job.context().startColumn = startColumn;
    job.context().layoutPath = output.c_str();
    job.context().severalImages = quantity > 1;
    job.outputPath = output.c_str();
    job.SetPrinterSettings(&dm);
    job.Prepare(l.setup, l.fields);
    const int result = job.Run(nullptr);
    pages_ = job.context().pageCount;
    return result;
  }

  // Reads the symbol of the format inside a rectangle of the page.
  static std::string DecodeIn(const GreyPage& page, RECT r, ZXing::BarcodeFormat format) {
    kalvo_test::Grey grey;
    r.left = std::max<LONG>(0, r.left), r.top = std::max<LONG>(0, r.top);
    r.right = std::min<LONG>(page.width, r.right), r.bottom = std::min<LONG>(page.height, r.bottom);
    grey.width = r.right - r.left;
    grey.height = r.bottom - r.top;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) grey.pixels.push_back(page.At(x, y));
    ZXing::DecodeHints hints;
    hints.setFormats(format);
    hints.setTryHarder(true);
    const ZXing::Result result = kalvo_test::Decode(grey, 20, hints);
    return result.isValid() ? kalvo_test::BytesOf(result) : "(nothing read)";
  }

  // The print run's messages and questions, recorded and answered by default.
  RecordedLayoutMessages recorded_;
  static int pages_;
};
int LabelPrintRun::pages_ = 0;

// The label at (column, row) of a page, in dots.
RECT LabelRect(const CLabelSetup& s, int dpi, int column, int row, POINT origin = {0, 0}) {
  const int x = origin.x + static_cast<int>((s.deflt_leftOff + column * (s.labelWidth + s.deflt_hGap)) * dpi / 1000);
  const int y = origin.y + static_cast<int>((s.deflt_topOff + row * (s.labelHeight + s.deflt_vGap)) * dpi / 1000);
  return RECT{x, y, x + s.labelWidth * dpi / 1000, y + s.labelHeight * dpi / 1000};
}

std::string AssetNumber(int n) {
  char text[32];
  std::snprintf(text, sizeof text, "ASSET-%06d", n);
  return text;
}

// Across 3, down 4, ten labels from row 1, column 2: two pages; the first
// leaves its first five positions empty, every label carries the counter
// stepped by its number.
TEST_F(LabelPrintRun, APrintFileHoldsThePagesTheSetupAsksFor) {
  Layout l = Load("asset_tag");
  l.setup.deflt_lblsPerRow = 3;
  l.setup.deflt_rowsPerPage = 4;
  const std::string file = cups_test::ServerFolder() + "/out/assets.prn";
  ASSERT_EQ(Print(l, "zpl", PrintMode::kFile, 10, file, false, 1, 2), 1) << l.setup.lastPrinter.GetData();
  EXPECT_EQ(pages_, 2);
  const auto pages = print_test::ReadRasterPages(file);
  ASSERT_EQ(pages.size(), 2u);
  const int dpi = pages[0].dpiX;
  ASSERT_EQ(dpi, 300);  // the layout's resolution, which the label printer offers
  int label = 0;
  for (int p = 0; p < 2; ++p)
    for (int position = 0; position < 12; ++position) {
      SCOPED_TRACE("page " + std::to_string(p + 1) + " position " + std::to_string(position));
      const RECT r = LabelRect(l.setup, dpi, position % 3, position / 3);
      const std::string read = DecodeIn(pages[p], r, ZXing::BarcodeFormat::DataMatrix);
      const bool filled = (p == 0 && position >= 5) || (p == 1 && position < 3);
      EXPECT_EQ(read, filled ? AssetNumber(500 + label++) : std::string("(nothing read)"));
    }
  EXPECT_EQ(label, 10);
}

// The shipping label on the label printer, to a file (raster, read back) and
// to the queue (its own language): the symbols read, and the pages hold the
// label where a rendering of it at the same resolution has it.
TEST_F(LabelPrintRun, TheShippingLabelPrintsOnTheLabelPrinter) {
  Layout l = Load("shipping_label");
  const std::string file = cups_test::ServerFolder() + "/out/shipping.prn";
  ASSERT_EQ(Print(l, "zpl", PrintMode::kFile, 2, file), 1);
  const auto pages = print_test::ReadRasterPages(file);
  ASSERT_EQ(pages.size(), 2u);
  for (const GreyPage& page : pages) {
    EXPECT_EQ(page.width, 812);
    EXPECT_EQ(page.height, 1218);
    const RECT all{0, 0, page.width, page.height};
    EXPECT_EQ(DecodeIn(page, all, ZXing::BarcodeFormat::QRCode), "TRK 1Z4A7-0093-5521");
    EXPECT_EQ(DecodeIn(page, all, ZXing::BarcodeFormat::Code128), "0112345678901231" "10LOT7");
  }
  // Every dark pixel of the rendering's symbols is dark on the page, within one dot.
  Layout reference = Load("shipping_label");
  UniqueBitmap rendered = RenderLabelBitmap(reference.setup, reference.fields, 203, 0);
  ASSERT_TRUE(rendered);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 812, -1218, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<uint32_t> pixels(812 * 1218);
  UniqueDc dc(CreateCompatibleDC(nullptr));
  ASSERT_EQ(GetDIBits(dc.get(), rendered.get(), 0, 1218, pixels.data(), &info, DIB_RGB_COLORS), 1218);
  int checked = 0, missed = 0;
  // The QR code (right of the tracking text) and the GS1-128 bars (above their text).
  const auto inSymbol = [](int x, int y) {
    const int mx = x * 1000 / 203, my = y * 1000 / 203;
    return (mx >= 2600 && my >= 2250 && my < 3400) || (my >= 3800 && my < 4900);
  };
  for (int y = 0; y < 1218; ++y)
    for (int x = 1; x < 811; ++x)
      if (inSymbol(x, y) && (pixels[static_cast<size_t>(y) * 812 + x] & 0xFFFFFF) == 0) {
        ++checked;
        missed += !(pages[0].Black(x, y) || pages[0].Black(x - 1, y) || pages[0].Black(x + 1, y));
      }
  EXPECT_GT(checked, 10000);
  EXPECT_EQ(missed, 0);
  // Bars are whole dots: every bar of the GS1-128 symbol is a whole number of modules.
  const int row = 4000 * 203 / 1000;
  auto runs = print_test::BlackRuns(pages[0], row);
  ASSERT_GT(runs.size(), 20u);
  runs.erase(runs.begin());  // the box's left side
  runs.pop_back();
  int module = 1000;
  for (const auto& r : runs) module = std::min(module, r.Width());
  for (const auto& r : runs) EXPECT_EQ(r.Width() % module, 0) << r.first;

  ASSERT_EQ(Print(l, "zpl", PrintMode::kPrinter, 2, ""), 1);
  ASSERT_TRUE(cups_test::WaitForOutput("zpl"));
  const std::string zpl = print_test::ReadBytes(cups_test::OutputOf("zpl"));
  size_t labels = 0;
  for (size_t at = zpl.find("^XG"); at != std::string::npos; at = zpl.find("^XG", at + 1)) ++labels;
  EXPECT_EQ(labels, 2u);
  EXPECT_NE(zpl.find("^PW812"), std::string::npos);
}

// Office printers: the product label four to a Letter sheet through the PDF
// queue, the asset tag through the raster queue.
TEST_F(LabelPrintRun, LabelsPrintFourToASheetOnOfficePrinters) {
  Layout product = Load("product_label");
  product.setup.deflt_lblsPerRow = 2;
  product.setup.deflt_rowsPerPage = 2;
  product.setup.deflt_leftOff = 500;
  product.setup.deflt_topOff = 1000;
  product.setup.deflt_hGap = 250;
  product.setup.deflt_vGap = 500;
  ASSERT_EQ(Print(product, "pdf", PrintMode::kPrinter, 4, "", true), 1);
  ASSERT_TRUE(cups_test::WaitForOutput("pdf"));
  auto pages = print_test::ReadPdfPages(cups_test::OutputOf("pdf"), 300);
  ASSERT_EQ(pages.size(), 1u);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE("label " + std::to_string(i));
    EXPECT_EQ(DecodeIn(pages[0], LabelRect(product.setup, 300, i % 2, i / 2), ZXing::BarcodeFormat::EAN13),
              "9780306406157");
  }
  // Bars are whole dots at 300 dpi too.
  const RECT first = LabelRect(product.setup, 300, 0, 0);
  auto runs = print_test::BlackRuns(pages[0], first.top + 1200 * 300 / 1000);
  std::erase_if(runs, [&](const print_test::Run& r) { return r.first < first.left || r.last >= first.right; });
  ASSERT_GT(runs.size(), 20u);
  int module = 1000;
  for (const auto& r : runs) module = std::min(module, r.Width());
  for (const auto& r : runs) EXPECT_EQ(r.Width() % module, 0) << r.first;

  Layout tag = Load("asset_tag");
  tag.setup.deflt_lblsPerRow = 2;
  tag.setup.deflt_rowsPerPage = 2;
  ASSERT_EQ(Print(tag, "raster", PrintMode::kPrinter, 4, "", true), 1);
  ASSERT_TRUE(cups_test::WaitForOutput("raster"));
  pages = print_test::ReadRasterPages(cups_test::OutputOf("raster"));
  ASSERT_EQ(pages.size(), 1u);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(DecodeIn(pages[0], LabelRect(tag.setup, 300, i % 2, i / 2), ZXing::BarcodeFormat::DataMatrix),
              AssetNumber(500 + i));
}

// Picture files, one per label, named after the output path and the labels
// done; asked once whether to overwrite a run's earlier files.
TEST_F(LabelPrintRun, PictureFilesHoldOneLabelEach) {
  struct Format {
    int code;
    const char* extension;
  };
  for (const Format f : {Format{101, "png"}, Format{100, "bmp"}, Format{104, "tif"}, Format{103, "pcx"}}) {
    SCOPED_TRACE(f.extension);
    Layout l = Load("asset_tag");
    const std::string base = cups_test::ServerFolder() + "/out/tag";
    l.setup.lastPrinter = "";
    CLabelPrinterJob job;
    job.context().mode = PrintMode::kImages;
    job.context().quantity = 3;
    job.context().layoutPath = base.c_str();
    job.context().severalImages = true;
    job.context().imageFormat = f.code;
    job.context().imageResolution = 300;
    job.Prepare(l.setup, l.fields);
    ASSERT_EQ(job.Run(nullptr), 1) << job.context().error.GetData();
    for (int n = 1; n <= 3; ++n) {
      const std::string name = base + "_" + std::to_string(n) + "." + f.extension;
      const auto read = f.code == 103 ? document_test::ReadWithPcxToPpm(name) : document_test::ReadWithImageMagick(name);
      ASSERT_TRUE(read.has_value()) << name;
      EXPECT_EQ(read->width, 600);
      EXPECT_EQ(read->height, 300);
      GreyPage page;
      page.width = read->width;
      page.height = read->height;
      for (size_t i = 0; i + 2 < read->bytes.size(); i += 3)
        page.pixels.push_back(static_cast<uint8_t>((read->bytes[i] + read->bytes[i + 1] + read->bytes[i + 2]) / 3));
      EXPECT_EQ(DecodeIn(page, RECT{0, 0, 600, 300}, ZXing::BarcodeFormat::DataMatrix), AssetNumber(500 + n - 1));
    }
  }
  // A second run onto the same names asks once, and overwrites after yes.
  Layout l = Load("asset_tag");
  CLabelPrinterJob again;
  again.context().mode = PrintMode::kImages;
  again.context().quantity = 3;
  again.context().layoutPath = (cups_test::ServerFolder() + "/out/tag").c_str();
  again.context().severalImages = true;
  again.context().imageFormat = 101;
  again.Prepare(l.setup, l.fields);
  ASSERT_EQ(again.Run(nullptr), 1);
  int asked = 0;
  for (const std::string& m : recorded_.shell().shownMessages) asked += m.find("20002") != std::string::npos;
  EXPECT_EQ(asked, 1);
}

TEST_F(LabelPrintRun, AQueueThatRejectsJobsEndsTheRunWithItsReason) {
  int status = 0;
  cups_test::Run("cupsreject -r 'out of labels' zpl", &status);
  Layout l = Load("asset_tag");
  EXPECT_EQ(Print(l, "zpl", PrintMode::kPrinter, 2, ""), 0);
  ASSERT_FALSE(recorded_.shell().shownMessages.empty());
  EXPECT_NE(recorded_.shell().shownMessages.back().find("not accepting"), std::string::npos)
      << recorded_.shell().shownMessages.back();
  cups_test::Run("cupsaccept zpl", &status);
  EXPECT_FALSE(fs::exists(cups_test::OutputOf("zpl")));
}

}  // namespace
