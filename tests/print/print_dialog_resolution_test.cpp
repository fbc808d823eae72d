// The print dialog's resolution warning tells what the run then does: the
// 300-dpi asset tag printed through the dialog on the raster queue, the
// queue's own default resolution and the printer settings the dialog is
// given varied. The warning shows exactly when the run prints at another
// resolution than the layout's, and names that resolution, also after a
// resolution is chosen in Printer Preferences; the raster the queue's printer
// receives is at the resolution the dialog said.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "../app/dialog_script.h"
#include "cups_server.h"
#include "document/core/rvo_doc.h"
#include "foundation/system/printer_metrics.h"
#include "platform/spool/cups_queues.h"
#include "platform/testing/ui.h"
#include "print/dialog/print_job_dlg.h"
#include "print/print_ids.h"
#include "asset_tag_test.h"
#include "print_pictures.h"
#include "printed_output.h"

namespace fs = std::filesystem;
using apptest::DialogScript;
using apptest::Press;

namespace {

// Sets the default resolution of a queue of the test server, as its
// administrator does, for the life of the object; the earlier default after.
class QueueDefaultResolution {
 public:
  QueueDefaultResolution(const std::string& queue, int dpi) : queue_(queue) {
    if (const auto caps = spool::CupsCapabilitiesOf(queue)) earlier_ = caps->defaultResolution;
    ok_ = earlier_ > 0 && Set(dpi);
  }
  ~QueueDefaultResolution() {
    if (earlier_ > 0) Set(earlier_);
  }
  bool ok() const { return ok_; }

 private:
  bool Set(int dpi) {
    const std::string value = std::to_string(dpi) + "dpi";
    int status = -1;
    cups_test::Run("lpadmin -p " + queue_ + " -o Resolution=" + value + " -o printer-resolution-default=" + value +
                       " 2>&1",
                   &status);
    // Asked again: what the queue now says.
    spool::ForgetCupsCapabilities();
    ForgetPrinterMetrics(nullptr);
    const auto caps = spool::CupsCapabilitiesOf(queue_);
    return status == 0 && caps && caps->defaultResolution == dpi;
  }
  std::string queue_;
  int earlier_ = 0;
  bool ok_ = false;
};

class PrintDialogResolution : public print_test::AssetTagDialogTest {
 protected:
  static void SetUpTestSuite() { WriteLayouts("resolution_layouts"); }
};

struct Case {
  const char* name;
  int queueDefault;  // the queue's own resolution
  int settings;      // the resolution of the settings the dialog is given, 0 for none
  int printed;       // what the run prints at, and the dialog names
};
constexpr Case kCases[] = {
    {"queue_300", 300, 0, 300},
    {"queue_600", 600, 0, 600},
    // The settings kept for the printer ask for the layout's resolution:
    // the queue's default of 600 is not what prints.
    {"settings_300_queue_600", 600, 300, 300},
    {"settings_600_queue_300", 300, 600, 600},
};

TEST_F(PrintDialogResolution, TheWarningNamesTheResolutionTheRunPrintsAt) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    CRvoDoc doc;
    Load(doc, "raster");
    ASSERT_EQ(doc.labelSetup.dpiX, 300);
    QueueDefaultResolution queue("raster", c.queueDefault);
    ASSERT_TRUE(queue.ok()) << "the raster queue takes no default of " << c.queueDefault << " dpi";
    DEVMODEA dm = print_test::SheetMode(doc.labelSetup, true);
    if (c.settings) dm.dmPrintQuality = dm.dmYResolution = static_cast<short>(c.settings);
    fs::remove(cups_test::OutputOf("raster"));
    StartAtFirstTag();

    bool warned = false;
    std::string warning;
    DialogScript script;
    script.Then([&](HWND dialog) {
      warned = ::IsWindowVisible(::GetDlgItem(dialog, IDC_PRINT_DPI_WARNING)) != 0;
      warning = Text(dialog, IDC_PRINT_DPI_WARNING);
      uitest::RunUntilIdle();
      const std::string picture = std::string("print_dialog_dpi_") + c.name + ".png";
      EXPECT_TRUE(uitest::SaveWindowPng(dialog, print_test::PicturePath(picture)));
      Press(dialog, IDC_PRINT_RUN);
      Press(dialog, IDCANCEL);
    });
    CPrintJobDlg dialog;
    dialog.m_pDoc = &doc;
    dialog.m_printerSettings = c.settings ? &dm : nullptr;
    dialog.DoModal();
    EXPECT_TRUE(recorded_.shell().shownMessages.empty())
        << (recorded_.shell().shownMessages.empty() ? "" : recorded_.shell().shownMessages.front());

    if (c.printed == 300) {
      EXPECT_FALSE(warned) << warning;
    } else {
      EXPECT_TRUE(warned);
      EXPECT_EQ(warning, "The layout is made for 300 dpi; the printer prints at " + std::to_string(c.printed) +
                             " dpi.");
    }
    ASSERT_TRUE(cups_test::WaitForOutput("raster"));
    const auto pages = print_test::ReadRasterPages(cups_test::OutputOf("raster"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].dpiX, c.printed);
    EXPECT_EQ(pages[0].dpiY, c.printed);
    // The tag where the printable area starts: its symbol reads its number.
    EXPECT_EQ(print_test::DataMatrixIn(pages[0], print_test::AssetSymbolArea("raster", c.settings ? &dm : nullptr)),
              print_test::AssetNumber(500));
  }
}

// Printer Preferences changes what the run prints at, and the warning with
// it: on a queue set to 600 the dialog warns of 600; 300 chosen in the
// preferences clears the warning, and the queue's printer gets 300.
TEST_F(PrintDialogResolution, ThePreferencesChosenChangeTheWarning) {
  CRvoDoc doc;
  Load(doc, "raster");
  QueueDefaultResolution queue("raster", 600);
  ASSERT_TRUE(queue.ok());
  fs::remove(cups_test::OutputOf("raster"));
  StartAtFirstTag();
  bool warnedBefore = false, warnedAfter = true;
  std::string before, after;
  DialogScript script;
  script.Then([&](HWND dialog) {
    warnedBefore = ::IsWindowVisible(::GetDlgItem(dialog, IDC_PRINT_DPI_WARNING)) != 0;
    before = Text(dialog, IDC_PRINT_DPI_WARNING);
    Press(dialog, IDC_PRINT_PREFERENCES);  // the preferences come up (the next step)
    warnedAfter = ::IsWindowVisible(::GetDlgItem(dialog, IDC_PRINT_DPI_WARNING)) != 0;
    after = Text(dialog, IDC_PRINT_DPI_WARNING);
    Press(dialog, IDC_PRINT_RUN);
    Press(dialog, IDCANCEL);
  });
  script.Then([&](HWND preferences) {
    const LRESULT at = ::SendDlgItemMessageA(preferences, IDC_PREFS_RESOLUTION, CB_FINDSTRINGEXACT,
                                             static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("300 dpi"));
    ASSERT_GE(at, 0);
    ::SendDlgItemMessageA(preferences, IDC_PREFS_RESOLUTION, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    Press(preferences, IDOK);
  });
  CPrintJobDlg dialog;
  dialog.m_pDoc = &doc;
  dialog.DoModal();
  EXPECT_TRUE(warnedBefore);
  EXPECT_EQ(before, "The layout is made for 300 dpi; the printer prints at 600 dpi.");
  EXPECT_FALSE(warnedAfter) << after;
  ASSERT_TRUE(cups_test::WaitForOutput("raster"));
  const auto pages = print_test::ReadRasterPages(cups_test::OutputOf("raster"));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].dpiX, 300);
  EXPECT_EQ(pages[0].dpiY, 300);
}

}  // namespace
