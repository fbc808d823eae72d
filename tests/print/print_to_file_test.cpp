// Printing to a file as a person does it: Print To File ticked in the print
// dialog, the Print To File... button pressed and the save dialog answered
// with a path. The file holds the document the queue itself would receive
// (read back as the queue's output is, every symbol decoded), replaces an
// earlier file only once it is complete, and a full disk (a file-size limit
// in a child process) ends the run as a failure that names its reason,
// leaving the earlier file and the counter file as they were.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../app/dialog_script.h"
#include "cups_server.h"
#include "datasource/field_sources.h"
#include "document/core/rvo_doc.h"
#include "platform/comdlg/comdlg_ids.h"
#include "platform/testing/ui.h"
#include "print/dialog/print_job_dlg.h"
#include "print/print_ids.h"
#include "asset_tag_test.h"
#include "printed_output.h"
#include "print_pictures.h"

namespace fs = std::filesystem;
using apptest::DialogScript;
using apptest::Press;
using print_test::AssetNumber;
using print_test::DataMatrixIn;

namespace {

// Set in the child process of the full-disk test: the parent's folder, whose
// layout and counter file the child prints with.
constexpr const char* kChildFolder = "TAV_PRINT_TO_FILE_CHILD_FOLDER";

class PrintToFile : public print_test::AssetTagDialogTest {
 protected:
  static void SetUpTestSuite() {
    if (const char* shared = std::getenv(kChildFolder)) {
      // The child prints through the parent's server (CUPS_SERVER is
      // inherited) with the parent's layouts.
      folder_ = shared;
      InstallDataSourceServices();
      return;
    }
    WriteLayouts("file_layouts");
  }
  void SetUp() override {
    AssetTagTest::SetUp();
    if (!std::getenv(kChildFolder)) StartAtFirstTag();
  }

  struct Outcome {
    std::string runButton;              // the Print button's text once the box is ticked
    std::vector<std::string> captions;  // every dialog that came up, in order
    int fieldDataChanged = -1;          // the dialog's flag once it closed
  };
  // Opens the print dialog, types the quantity, ticks Print To File (when
  // `toFile`) and presses the Print button; answers the save dialog with
  // `path` and Yes to its question when the file exists; closes the dialog.
  static Outcome PrintThroughDialog(CRvoDoc& doc, const DEVMODEA& dm, const char* quantity, bool toFile,
                                    const std::string& path, const std::string& picture = {}) {
    Outcome out;
    DialogScript script;
    script.Then([&](HWND dialog) {
      ::SetDlgItemTextA(dialog, IDC_PRINT_QUANTITY, quantity);
      if (toFile) Press(dialog, IDC_PRINT_TO_FILE);
      uitest::RunUntilIdle();
      out.runButton = Text(dialog, IDC_PRINT_RUN);
      if (!picture.empty()) uitest::SaveWindowPng(dialog, print_test::PicturePath(picture));
      Press(dialog, IDC_PRINT_RUN);
      Press(dialog, IDCANCEL);
    });
    if (toFile) {
      script.Then([&](HWND save) {
        ::SetDlgItemTextA(save, edt1, path.c_str());
        Press(save, IDOK);
      });
      // "File already exists. Overwrite it?" when it does.
      script.Then([&](HWND question) { Press(question, IDYES); });
    }
    CPrintJobDlg dialog;
    dialog.m_pDoc = &doc;
    dialog.m_printerSettings = &dm;
    dialog.DoModal();
    out.captions = script.captions;
    out.fieldDataChanged = dialog.m_fieldDataChanged;
    return out;
  }

  // Prints `quantity` tags to `name`, a new file in the layouts' folder:
  // only the print dialog and the save dialog come up. The file's path.
  static std::string PrintToNewFile(CRvoDoc& doc, const DEVMODEA& dm, const char* quantity, const char* name) {
    const std::string path = folder_ + "/" + name;
    fs::remove(path);
    const Outcome out = PrintThroughDialog(doc, dm, quantity, true, path);
    EXPECT_EQ(out.captions, (std::vector<std::string>{"Print to Image/Printer", "Print To File"}));
    return path;
  }

  // The resolution the queue's pages are drawn at.
  static int QueueResolution(const char* queue, const DEVMODEA& dm) {
    HDC dc = CreateDCA("WINSPOOL", queue, nullptr, &dm);
    if (!dc) return 0;
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    DeleteDC(dc);
    return dpi;
  }

  // What the child process of the full-disk test does: it may write files of
  // up to `limit` bytes (a larger write fails with EFBIG, its signal ignored),
  // prints ten tags to the file through the dialog and says on stderr what the
  // run showed; it exits with 0 when exactly one message came and no counter
  // moved.
  [[noreturn]] static void PrintOnAFullDisk(CRvoDoc& doc, const DEVMODEA& dm, const std::string& path,
                                            RecordingLayoutShell& shell, rlim_t limit) {
    const rlimit small{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &small);
    ::signal(SIGXFSZ, SIG_IGN);
    const int changed = PrintThroughDialog(doc, dm, "10", true, path).fieldDataChanged;
    for (const std::string& m : shell.shownMessages) std::fprintf(stderr, "message: %s\n", m.c_str());
    std::fprintf(stderr, "field data changed: %d\n", changed);
    std::fflush(stderr);
    std::_Exit(shell.shownMessages.size() == 1 && changed == 0 ? 0 : 1);
  }
};

// Two tags to a file over an earlier one: the overwrite question comes once,
// the file is the PDF the queue takes and keeps the permissions of the file
// it replaced; read at the queue's resolution it holds two pages whose
// symbols read the numbers the counter file gave, and the counter file steps
// once. The same two tags printed on the queue come out as the same pages.
TEST_F(PrintToFile, TheFileIsTheDocumentTheQueueReceives) {
  CRvoDoc doc;
  Load(doc, "pdf");
  const DEVMODEA dm = print_test::SheetMode(doc.labelSetup, true);
  const int dpi = QueueResolution("pdf", dm);
  ASSERT_GT(dpi, 0);
  // The tag's symbol: left of its texts, which start 0.9 inch into the
  // label, itself a quarter inch into the page.
  const RECT symbolArea{0, 0, dpi * 110 / 100, dpi * 3 / 2};
  const std::string path = folder_ + "/tags.prn";
  std::ofstream(path, std::ios::binary) << "earlier labels";
  fs::permissions(path, static_cast<fs::perms>(0640));
  const Outcome out = PrintThroughDialog(doc, dm, "2", true, path, "print_to_file.png");
  EXPECT_EQ(out.runButton, "Print To File...");
  EXPECT_EQ(out.captions, (std::vector<std::string>{"Print to Image/Printer", "Print To File", "Tavrendel"}));
  EXPECT_TRUE(recorded_.shell().shownMessages.empty())
      << (recorded_.shell().shownMessages.empty() ? "" : recorded_.shell().shownMessages.front());
  EXPECT_EQ(print_test::ReadBytes(path).substr(0, 5), "%PDF-");
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0640));
  const auto pages = print_test::ReadPdfPages(path, dpi);
  ASSERT_EQ(pages.size(), 2u);
  for (int p = 0; p < 2; ++p) EXPECT_EQ(DataMatrixIn(pages[p], symbolArea), AssetNumber(500 + p)) << p;
  EXPECT_EQ(CounterValue(), AssetNumber(502));
  // No half-written file is left beside it.
  for (const auto& e : fs::directory_iterator(folder_))
    EXPECT_EQ(e.path().filename().string().rfind(".tavdoc", 0), std::string::npos) << e.path();

  // The queue, from the same counter value.
  WriteCounter("ASSET-000500");
  fs::remove(cups_test::OutputOf("pdf"));
  PrintThroughDialog(doc, dm, "2", false, {});
  ASSERT_TRUE(cups_test::WaitForOutput("pdf"));
  const auto queued = print_test::ReadPdfPages(cups_test::OutputOf("pdf"), dpi);
  ASSERT_EQ(queued.size(), 2u);
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(queued[p].width, pages[p].width) << p;
    EXPECT_EQ(queued[p].height, pages[p].height) << p;
    EXPECT_TRUE(queued[p].pixels == pages[p].pixels) << "page " << p << " differs from the file's";
  }
}

// The label printer's queue takes CUPS raster: two tags to a file make a
// raster document of two pages, each the size, resolution and kind of page
// the queue's device context draws (one bit a dot, black ink, chunked),
// whose symbols read the numbers the counter file gave. The same two tags
// printed on the queue reach its printer as the same dots.
TEST_F(PrintToFile, TheLabelPrintersFileIsTheRasterItsDriverTakes) {
  CRvoDoc doc;
  Load(doc, "zpl");
  const DEVMODEA dm = print_test::SheetMode(doc.labelSetup, false);
  const std::string path = PrintToNewFile(doc, dm, "2", "tags.zpl.prn");
  EXPECT_TRUE(recorded_.shell().shownMessages.empty())
      << (recorded_.shell().shownMessages.empty() ? "" : recorded_.shell().shownMessages.front());
  std::vector<cups_page_header2_t> headers;
  const auto pages = print_test::ReadRasterPages(path, &headers);
  ASSERT_EQ(pages.size(), 2u);
  HDC dc = CreateDCA("WINSPOOL", "zpl", nullptr, &dm);
  ASSERT_NE(dc, nullptr);
  const SIZE dpi{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)};
  const SIZE paper{GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT)};
  DeleteDC(dc);
  for (const cups_page_header2_t& h : headers) {
    EXPECT_EQ(h.cupsWidth, static_cast<unsigned>(paper.cx));
    EXPECT_EQ(h.cupsHeight, static_cast<unsigned>(paper.cy));
    EXPECT_EQ(h.HWResolution[0], static_cast<unsigned>(dpi.cx));
    EXPECT_EQ(h.HWResolution[1], static_cast<unsigned>(dpi.cy));
    EXPECT_EQ(h.cupsBitsPerColor, 1u);
    EXPECT_EQ(h.cupsBitsPerPixel, 1u);
    EXPECT_EQ(h.cupsColorOrder, CUPS_ORDER_CHUNKED);
    EXPECT_EQ(h.cupsColorSpace, CUPS_CSPACE_K);
    EXPECT_EQ(h.cupsBytesPerLine, (h.cupsWidth + 7) / 8);
  }
  const RECT symbolArea = print_test::AssetSymbolArea("zpl", &dm);
  for (int p = 0; p < 2; ++p) EXPECT_EQ(DataMatrixIn(pages[p], symbolArea), AssetNumber(500 + p)) << p;
  EXPECT_EQ(CounterValue(), AssetNumber(502));

  // The queue, from the same counter value: its printer gets the tags as
  // its own graphics.
  WriteCounter("ASSET-000500");
  fs::remove(cups_test::OutputOf("zpl"));
  PrintThroughDialog(doc, dm, "2", false, {});
  ASSERT_TRUE(cups_test::WaitForOutput("zpl"));
  const auto received = print_test::ReadZplGraphics(cups_test::OutputOf("zpl"));
  ASSERT_EQ(received.size(), 2u);
  for (int p = 0; p < 2; ++p) {
    SCOPED_TRACE(p);
    // Rows of whole bytes: the graphic may be wider than the page by up to seven dots, all white.
    EXPECT_EQ(received[p].height, pages[p].height);
    EXPECT_EQ(received[p].width, (pages[p].width + 7) / 8 * 8);
    int differ = 0;
    for (int y = 0; y < std::min(received[p].height, pages[p].height); ++y)
      for (int x = 0; x < received[p].width; ++x)
        differ += received[p].Black(x, y) != (x < pages[p].width && pages[p].Black(x, y));
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(DataMatrixIn(received[p], symbolArea), AssetNumber(500 + p));
  }
}

// A new print file has the permissions any new file of the user has (not
// the temporary file's owner-only ones).
TEST_F(PrintToFile, ANewFileHasTheUsualPermissions) {
  CRvoDoc doc;
  Load(doc, "pdf");
  const DEVMODEA dm = print_test::SheetMode(doc.labelSetup, true);
  const std::string path = PrintToNewFile(doc, dm, "1", "new_tags.prn");
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(fs::status(path).permissions(), static_cast<fs::perms>(0666 & ~mask));
  EXPECT_EQ(print_test::ReadBytes(path).substr(0, 5), "%PDF-");
}

// A disk that fills while the file is written: the run ends with a message
// naming the file and the reason, the earlier file at the path is byte for
// byte what it was, nothing half-written is left, and the counter file has
// not moved.
TEST_F(PrintToFile, AFullDiskEndsTheRunAndKeepsTheEarlierFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const bool child = std::getenv(kChildFolder) != nullptr;
  const std::string path = folder_ + "/full_disk.prn";
  const std::string earlier = "labels printed yesterday\n";
  if (!child) {
    std::ofstream(path, std::ios::binary) << earlier;
    ::setenv(kChildFolder, folder_.c_str(), 1);
  }
  CRvoDoc doc;
  Load(doc, "pdf");
  const DEVMODEA dm = print_test::SheetMode(doc.labelSetup, true);
  // 4 KB: the counter file and its lock fit, ten Letter pages do not.
  EXPECT_EXIT(PrintOnAFullDisk(doc, dm, path, recorded_.shell(), 4096), ::testing::ExitedWithCode(0),
              "message: [^\n]*full_disk\\.prn: File too large");
  ::unsetenv(kChildFolder);
  EXPECT_EQ(print_test::ReadBytes(path), earlier);
  for (const auto& e : fs::directory_iterator(folder_))
    EXPECT_EQ(e.path().filename().string().rfind(".tavdoc", 0), std::string::npos) << e.path();
  EXPECT_EQ(CounterValue(), AssetNumber(500));
}

}  // namespace
