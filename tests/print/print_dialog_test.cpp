// The print dialog and the print thread as a person uses them: a quantity
// typed, Print pressed, the labels read back from the test print server's
// queue, the counter file stepped once after the run; the status window's
// hand-shake, Abort pressed while a 50-page job runs, refused quantities and
// counter files that cannot be read or are in use.
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "../app/dialog_script.h"
#include "cups_server.h"
#include "document/core/rvo_doc.h"
#include "document/layout_shell.h"
#include "fields/model/field_kinds.h"
#include "platform/testing/png_writer.h"
#include "platform/testing/ui.h"
#include "print/dialog/counter_advance.h"
#include "print/dialog/print_job_dlg.h"
#include "print/print_ids.h"
#include "print/thread/print_thread.h"
#include "asset_tag_test.h"
#include "printed_output.h"
#include "print_pictures.h"
#include "tests/barcode/kalvo_request.h"
#include "tests/document/export_oracles.h"

namespace fs = std::filesystem;
using apptest::DialogScript;
using apptest::Press;
using print_test::AssetNumber;
using print_test::DataMatrixIn;
using print_test::GreyPage;
using print_test::PicturePath;

namespace {



std::vector<UINT> MessagesOf(const std::vector<CPrintThread::Handled>& handled) {
  std::vector<UINT> out;
  for (const auto& h : handled) out.push_back(h.message);
  return out;
}

// What the print thread handled in a run that ended normally. The stop is
// posted, not waited for, so the dialog can return before the thread has
// handled it: this waits for it (up to ten seconds).
std::vector<CPrintThread::Handled> HandledThroughStop() {
  std::vector<CPrintThread::Handled> handled;
  for (int i = 0; i < 2000; ++i) {
    handled = ExistingPrintThread()->HandledMessages();
    if (!handled.empty() && handled.back().message == kPrintStatusStop) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return handled;
}

class PrintDialogRun : public print_test::AssetTagDialogTest {
 protected:
  static void SetUpTestSuite() { WriteLayouts("dialog_layouts"); }
  void SetUp() override {
    ASSERT_FALSE(cups_test::ServerFolder().empty());
    AssetTagTest::SetUp();
    for (const char* q : {"raster", "pdf"}) fs::remove(cups_test::OutputOf(q));
    StartAtFirstTag();
    if (CPrintThread* thread = ExistingPrintThread()) thread->ClearHandled();
  }

  static bool Visible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != 0; }

  // Opens the dialog on the layout, types the quantity (when given), runs
  // the print as the Print button does and closes the dialog; the run's
  // result. *fieldDataChanged gets the dialog's flag.
  static int RunDialog(CRvoDoc& doc, const char* quantity, int* fieldDataChanged = nullptr) {
    DialogScript script;
    int result = -1;
    CPrintJobDlg dialog;
    script.Then([&](HWND window) {
      if (quantity) ::SetDlgItemTextA(window, IDC_PRINT_QUANTITY, quantity);
      result = dialog.RunPrint(0, 0, nullptr, 203);
      Press(window, IDCANCEL);
    });
    dialog.m_pDoc = &doc;
    dialog.DoModal();
    if (fieldDataChanged) *fieldDataChanged = dialog.m_fieldDataChanged;
    return result;
  }
};

// Three tags through the dialog to the PDF queue: the queue's document holds
// three pages, each tag with its own number; the counter file then holds the
// next number, and the layout's fields show it. The status window came up
// for the run, showed its page and went away: start, text, stop.
TEST_F(PrintDialogRun, PrintsOnTheQueueAndStepsTheCounterOnceAfterwards) {
  CRvoDoc doc;
  Load(doc, "pdf");
  const DEVMODEA dm = print_test::SheetMode(doc.labelSetup, true);
  DialogScript script;
  bool statusShown = false;
  script.Then([&](HWND dialog) {
    EXPECT_FALSE(Visible(dialog, IDC_PRINT_NO_PRINTER));
    EXPECT_TRUE(Visible(dialog, IDC_PRINT_MARGIN_GROUP));
    EXPECT_EQ(Text(dialog, IDC_PRINT_QUANTITY), "1");
    EXPECT_EQ(Text(dialog, IDC_PRINT_LEFT), "0.000");
    ::SetDlgItemTextA(dialog, IDC_PRINT_QUANTITY, "3");
    uitest::RunUntilIdle();
    uitest::SaveWindowPng(dialog, PicturePath("print_dialog.png"));
    Press(dialog, IDC_PRINT_RUN);
    // The dialog stays for another run.
    statusShown = ExistingPrintThread() && ExistingPrintThread()->HasDialog();
    Press(dialog, IDCANCEL);
  });
  CPrintJobDlg dialog;
  dialog.m_pDoc = &doc;
  dialog.m_printerSettings = &dm;
  dialog.DoModal();
  EXPECT_TRUE(statusShown);
  EXPECT_TRUE(recorded_.shell().shownMessages.empty())
      << (recorded_.shell().shownMessages.empty() ? "" : recorded_.shell().shownMessages.front());
  ASSERT_TRUE(cups_test::WaitForOutput("pdf"));
  const auto pages = print_test::ReadPdfPages(cups_test::OutputOf("pdf"), 300);
  ASSERT_EQ(pages.size(), 3u);
  for (int p = 0; p < 3; ++p) EXPECT_EQ(DataMatrixIn(pages[p], RECT{0, 0, 260, 400}), AssetNumber(500 + p));
  EXPECT_EQ(CounterValue(), AssetNumber(503));
  EXPECT_EQ(dialog.m_fieldDataChanged, 1);
  int counted = 0;
  for (const auto& f : doc.fieldList)
    if (f->dataSourceType == 4) {
      ++counted;
      AString data;
      if (f->IsKind(FieldKind::kText)) data = static_cast<CTextField&>(*f).data;
      else data = static_cast<CBarcodeField&>(*f).data;
      EXPECT_EQ(std::string(data.GetData()), AssetNumber(503));
    }
  EXPECT_EQ(counted, 2);
  // The print thread's side of the run: start (1045), the page "0 / 3"
  // (1044), stop (1047).
  const auto handled = HandledThroughStop();
  EXPECT_EQ(MessagesOf(handled), (std::vector<UINT>{kPrintStatusStart, kPrintStatusText, kPrintStatusStop}));
  if (handled.size() == 3) {
    EXPECT_EQ(handled[1].text, "0 / 3");
  }
  EXPECT_FALSE(::IsWindowVisible(ExistingPrintThread()->StatusWindow()));
}

// Quantities the spinner does not offer are refused with a message, and
// nothing is printed; an empty quantity prints one label.
TEST_F(PrintDialogRun, TheQuantityIsChecked) {
  struct Case {
    const char* typed;
    bool refused;
  };
  for (const Case c : {Case{"10001", true}, Case{"-3", true}, Case{"12x", true}, Case{"99999999999", true}}) {
    SCOPED_TRACE(c.typed);
    recorded_.shell().shownMessages.clear();
    CRvoDoc doc;
    Load(doc, "pdf");
    EXPECT_EQ(RunDialog(doc, c.typed), 0);
    ASSERT_EQ(recorded_.shell().shownMessages.size(), 1u);
    EXPECT_NE(recorded_.shell().shownMessages[0].find("from 1 to 10000"), std::string::npos);
    EXPECT_EQ(CounterValue(), AssetNumber(500));
  }
}

// A layout whose only field is a line kept off the print, without a
// border: nothing to print. With a border the labels are the borders, one
// picture each.
TEST_F(PrintDialogRun, ALabelOfOnlyItsBorderPrints) {
  CRvoDoc doc;
  doc.labelSetup = CLabelSetup();
  doc.labelSetup.labelWidth = 1000;
  doc.labelSetup.labelHeight = 500;
  doc.labelSetup.dpiX = doc.labelSetup.dpiY = 200;
  doc.labelSetup.lastPrinter = "pdf";
  doc.SetPathName((folder_ + "/border_only.bcd").c_str(), FALSE);
  doc.AddLineField(RECT{100, 100, 900, 100})->doNotPrint = 1;
  EXPECT_EQ(RunDialog(doc, nullptr), 0);
  EXPECT_EQ(recorded_.shell().shownMessages, (std::vector<std::string>{"No valid field to print."}));
  // The print job with the border: every label is made, none left out.
  doc.labelSetup.deflt_hasBorder = 1;
  doc.labelSetup.border.width = 20;
  CFieldList none;
  CLabelPrinterJob job;
  const std::string base = cups_test::ServerFolder() + "/out/border";
  job.context().mode = PrintMode::kImages;
  job.context().quantity = 2;
  job.context().layoutPath = base.c_str();
  job.context().severalImages = true;
  job.context().imageFormat = 101;
  job.Prepare(doc.labelSetup, none);
  ASSERT_EQ(job.Run(nullptr), 1) << job.context().error.GetData();
  for (int n = 1; n <= 2; ++n) {
    const auto read = document_test::ReadWithImageMagick(base + "_" + std::to_string(n) + ".png");
    ASSERT_TRUE(read.has_value()) << n;
    ASSERT_EQ(read->width, 200);
    // The border's left edge is dark halfway down.
    const size_t at = (static_cast<size_t>(read->height / 2) * read->width + 1) * 3;
    EXPECT_LT(read->bytes[at], 128) << n;
  }
}

// A counter file that cannot be read stops the run before anything is
// printed, and the serial number is never started again; a counter folder
// another run holds stops it too.
TEST_F(PrintDialogRun, UnreadableOrBusyCounterFilesStopTheRun) {
  for (const bool busy : {false, true}) {
    SCOPED_TRACE(busy ? "in use" : "unreadable");
    recorded_.shell().shownMessages.clear();
    WriteCounter("ASSET-000500");
    CounterFolderLock otherRun;
    if (busy) ASSERT_TRUE(otherRun.Take());
    else fs::resize_file(CounterPath(), 6);  // cut inside its value's length
    CRvoDoc doc;
    Load(doc, "pdf");
    int changed = -1;
    EXPECT_EQ(RunDialog(doc, nullptr, &changed), 0);
    ASSERT_EQ(recorded_.shell().shownMessages.size(), 1u);
    EXPECT_NE(recorded_.shell().shownMessages[0].find(busy ? "in use" : "cannot be read"), std::string::npos)
        << recorded_.shell().shownMessages[0];
    EXPECT_FALSE(fs::exists(cups_test::OutputOf("pdf")));
    EXPECT_EQ(changed, 0);
    if (busy) EXPECT_EQ(CounterValue(), AssetNumber(500));
    else EXPECT_EQ(fs::file_size(CounterPath()), 6u);
  }
}

// The run's main thread lets harmless messages through while it prints:
// this window looks at the job each time, and presses Abort in the status
// window once page `abortAt` is about to start.
struct AbortWatcher {
  static constexpr UINT kLook = WM_APP + 40;
  CPrintJobDlg* dialog = nullptr;
  int abortAt = 0;
  int pressedAt = -1;
  std::string statusWhenPressed;
  HWND window = nullptr;
  static AbortWatcher* current;

  static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kLook) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    AbortWatcher* self = current;
    CLabelPrinterJob* job = self->dialog->Job();
    if (job && job->context().pageIndex >= self->abortAt) {
      HWND status = ExistingPrintThread()->StatusWindow();
      self->pressedAt = job->context().pageIndex;
      char text[64] = {};
      ::GetDlgItemTextA(status, IDC_PRINT_STATUS_LINE, text, sizeof text);
      self->statusWhenPressed = text;
      uitest::SaveWindowPng(status, PicturePath("print_status.png"));
      ::SendMessageA(::GetDlgItem(status, IDCANCEL), BM_CLICK, 0, 0);
      return 0;
    }
    ::PostMessageW(hwnd, kLook, 0, 0);
    return 0;
  }
};
AbortWatcher* AbortWatcher::current = nullptr;

// Abort after page 4 of a 50-page job: the run ends at that page, the
// queue's job is cancelled, "Printing Aborted!" is said, the counter file is
// unchanged; the next run starts at once and prints.
TEST_F(PrintDialogRun, AbortEndsTheRunAtAPageAndTheNextRunPrints) {
  CRvoDoc doc;
  Load(doc, "raster");
  const DEVMODEA dm = print_test::SheetMode(doc.labelSetup, true);
  static const uitest::TestWindowClass kClass{u"PrintAbortWatcher", &AbortWatcher::Proc};
  ASSERT_TRUE(uitest::RegisterTestClass(kClass));
  AbortWatcher watcher;
  AbortWatcher::current = &watcher;
  watcher.abortAt = 4;
  watcher.window = uitest::CreateTestWindow(kClass, u"watcher", WS_OVERLAPPED, 0, 0, 10, 10);
  ASSERT_NE(watcher.window, nullptr);
  const int jobsBefore = print_test::NewestJob("raster");
  DialogScript script;
  CPrintJobDlg dialog;
  watcher.dialog = &dialog;
  int firstRun = -1;
  script.Then([&](HWND window) {
    ::SetDlgItemTextA(window, IDC_PRINT_QUANTITY, "50");
    ::PostMessageW(watcher.window, AbortWatcher::kLook, 0, 0);
    firstRun = dialog.RunPrint(0, 0, nullptr, 203);
    Press(window, IDCANCEL);
  });
  dialog.m_pDoc = &doc;
  dialog.m_printerSettings = &dm;
  dialog.DoModal();
  EXPECT_EQ(firstRun, 1);  // the run went through, to its abort
  EXPECT_EQ(watcher.pressedAt, 4);
  ASSERT_EQ(recorded_.shell().shownMessages.size(), 1u);
  EXPECT_EQ(recorded_.shell().shownMessages[0], "Printing Aborted!");
  EXPECT_EQ(CounterValue(), AssetNumber(500));
  EXPECT_EQ(dialog.m_fieldDataChanged, 0);
  const int aborted = print_test::NewestJob("raster");
  ASSERT_GT(aborted, jobsBefore);
  ipp_jstate_t state{};
  for (int i = 0; i < 100 && (state = print_test::JobState("raster", aborted)) != IPP_JSTATE_CANCELED; ++i)
    usleep(50000);
  EXPECT_EQ(state, IPP_JSTATE_CANCELED);
  // The thread saw: start, the pages 0 and 4, then the abort hid its window
  // (the Abort button, not a message); no stop after an abort.
  const auto handled = ExistingPrintThread()->HandledMessages();
  ASSERT_FALSE(handled.empty());
  EXPECT_EQ(handled.front().message, kPrintStatusStart);
  EXPECT_EQ(handled.back().message, kPrintStatusText);
  EXPECT_FALSE(::IsWindowVisible(ExistingPrintThread()->StatusWindow()));

  // The next run: the status window comes back (start, its page, stop), and
  // two tags print with the numbers the counter file holds.
  recorded_.shell().shownMessages.clear();
  ExistingPrintThread()->ClearHandled();
  fs::remove(cups_test::OutputOf("raster"));
  DialogScript again;
  CPrintJobDlg second;
  again.Then([&](HWND window) {
    ::SetDlgItemTextA(window, IDC_PRINT_QUANTITY, "2");
    Press(window, IDC_PRINT_RUN);
    Press(window, IDCANCEL);
  });
  second.m_pDoc = &doc;
  second.m_printerSettings = &dm;
  second.DoModal();
  EXPECT_TRUE(recorded_.shell().shownMessages.empty());
  EXPECT_EQ(MessagesOf(HandledThroughStop()),
            (std::vector<UINT>{kPrintStatusStart, kPrintStatusText, kPrintStatusStop}));
  ASSERT_TRUE(cups_test::WaitForOutput("raster"));
  const auto pages = print_test::ReadRasterPages(cups_test::OutputOf("raster"));
  ASSERT_EQ(pages.size(), 2u);
  for (int p = 0; p < 2; ++p) EXPECT_EQ(DataMatrixIn(pages[p], RECT{0, 0, 600, 300}), AssetNumber(500 + p));
  EXPECT_EQ(CounterValue(), AssetNumber(502));
  ::DestroyWindow(watcher.window);
}

}  // namespace
