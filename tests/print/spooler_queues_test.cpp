// The spooler's printers and device contexts against the tests' own print
// server: its queues, what each can do (read from the queue's PPD), and
// the documents pages become (read back from what each printer received).
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <cups/cups.h>
#include <gtest/gtest.h>

#include "cups_server.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/print_document.h"
#include "platform/kernel/kernel_errors.h"
#include "platform/spool/device_caps.h"
#include "platform/spool/devmode.h"
#include "platform/spool/spool.h"
#include "printed_output.h"

namespace fs = std::filesystem;
using print_test::GreyPage;

namespace {

class SpoolerQueues : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_FALSE(cups_test::ServerFolder().empty()) << "no print server"; }
  void SetUp() override {
    ASSERT_FALSE(cups_test::ServerFolder().empty());
    for (const char* q : {"zpl", "raster", "pdf"}) fs::remove(cups_test::OutputOf(q));
  }
};

// A label of 4 x 2.5 inches at `dpi`, as the designer asks for it.
DEVMODEA LabelMode(int dpi) {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  dm.dmSpecVersion = DM_SPECVERSION;
  dm.dmFields = DM_PAPERWIDTH | DM_PAPERLENGTH | DM_PRINTQUALITY | DM_YRESOLUTION;
  dm.dmPaperWidth = 1016;
  dm.dmPaperLength = 635;
  dm.dmPrintQuality = static_cast<short>(dpi);
  dm.dmYResolution = static_cast<short>(dpi);
  return dm;
}

// Letter paper at `dpi`, for the office printers.
DEVMODEA LetterMode(int dpi) {
  DEVMODEA dm = LabelMode(dpi);
  dm.dmFields = DM_PAPERSIZE | DM_PRINTQUALITY | DM_YRESOLUTION;
  dm.dmPaperSize = DMPAPER_LETTER;
  return dm;
}

// Bars at known device positions, a different set per page: page p has a
// bar of (p + 2) dots at x = 40 + 10 p, and one of 3 dots at x = 200.
struct Bar {
  int x, width;
};
std::vector<Bar> BarsOf(int page) { return {{40 + 10 * page, page + 2}, {200, 3}}; }
constexpr int kBarTop = 30, kBarHeight = 60;

int PrintBars(HDC dc, int pages, const char* output = nullptr) {
  DOCINFOA doc{sizeof(DOCINFOA), "Bars", output, nullptr, 0};
  const int job = StartDocA(dc, &doc);
  if (job <= 0) return job;
  for (int p = 0; p < pages; ++p) {
    if (StartPage(dc) <= 0) return -1;
    for (const Bar& b : BarsOf(p)) PatBlt(dc, b.x, kBarTop, b.width, kBarHeight, BLACKNESS);
    if (EndPage(dc) <= 0) return -1;
  }
  return EndDoc(dc) > 0 ? job : -1;
}

// Pages read back from a PDF may sit a dot off (the reader rounds the
// picture's place); bar widths are exact either way.
void ExpectBars(const std::vector<GreyPage>& pages, int count, POINT offset, int tolerance = 0) {
  ASSERT_EQ(static_cast<int>(pages.size()), count);
  for (int p = 0; p < count; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const auto runs = print_test::BlackRuns(pages[p], offset.y + kBarTop + kBarHeight / 2);
    const auto bars = BarsOf(p);
    ASSERT_EQ(runs.size(), bars.size());
    for (size_t i = 0; i < bars.size(); ++i) {
      EXPECT_NEAR(runs[i].first, offset.x + bars[i].x, tolerance);
      EXPECT_EQ(runs[i].Width(), bars[i].width);
    }
    // The bars' rows: from the top to the bottom of the bar, nothing above or below.
    const int x = runs.empty() ? offset.x + bars[0].x : runs[0].first;
    int top = -1, bottom = -1;
    for (int y = 0; y < pages[p].height; ++y)
      if (pages[p].Black(x, y)) {
        if (top < 0) top = y;
        bottom = y;
      }
    EXPECT_NEAR(top, offset.y + kBarTop, tolerance);
    EXPECT_EQ(bottom - top + 1, kBarHeight);
  }
}

POINT OffsetOf(HDC dc) { return POINT{GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY)}; }

// "device for NAME: URI" lines of lpstat -v.
std::set<std::pair<std::string, std::string>> LpstatDevices() {
  std::set<std::pair<std::string, std::string>> out;
  std::istringstream in(cups_test::Run("lpstat -v"));
  std::string line;
  static const std::regex kLine(R"(device for ([^:]+): (.*))");
  for (std::smatch m; std::getline(in, line);)
    if (std::regex_match(line, m, kLine)) out.insert({m[1], m[2]});
  return out;
}

// The resolutions the queue's PPD offers ("*Resolution 203dpi/...") and its default.
std::vector<int> PpdResolutions(const std::string& queue, int* byDefault) {
  std::vector<int> out;
  std::istringstream in(print_test::ReadBytes(cups_test::ServerFolder() + "/etc/ppd/" + queue + ".ppd"));
  std::string line;
  static const std::regex kChoice(R"(\*Resolution (\d+)dpi[/:].*)"), kDefault(R"(\*DefaultResolution: (\d+)dpi.*)");
  for (std::smatch m; std::getline(in, line);) {
    if (std::regex_match(line, m, kChoice)) out.push_back(std::stoi(m[1]));
    if (std::regex_match(line, m, kDefault)) *byDefault = std::stoi(m[1]);
  }
  std::sort(out.begin(), out.end());
  return out;
}

using print_test::JobState;

TEST_F(SpoolerQueues, ThePrintersAreTheServersQueues) {
  DWORD needed = 0, count = 0;
  EnumPrintersA(PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<uint64_t> buffer(needed / 8 + 1);
  ASSERT_TRUE(EnumPrintersA(PRINTER_ENUM_CONNECTIONS, nullptr, 2, reinterpret_cast<LPBYTE>(buffer.data()), needed,
                            &needed, &count));
  std::set<std::pair<std::string, std::string>> listed;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    std::string port = info[i].pPortName;
    if (port.rfind("file:", 0) == 0) port = port.substr(5);  // lpstat shows a file device as its path
    listed.insert({info[i].pPrinterName, port});
  }
  const auto expected = LpstatDevices();
  ASSERT_EQ(expected.size(), 3u);
  EXPECT_EQ(listed, expected);
  // The model is the queue's make and model.
  bool zebra = false;
  for (DWORD i = 0; i < count; ++i)
    zebra |= std::string(info[i].pPrinterName) == "zpl" && std::string(info[i].pDriverName) == "Zebra ZPL Label Printer";
  EXPECT_TRUE(zebra);
}

TEST_F(SpoolerQueues, DeviceContextsMeasureAsTheQueueSays) {
  for (const char* queue : {"zpl", "raster", "pdf"}) {
    SCOPED_TRACE(queue);
    int byDefault = 0;
    const std::vector<int> offered = PpdResolutions(queue, &byDefault);
    ASSERT_FALSE(offered.empty());
    HDC dc = CreateDCA("WINSPOOL", queue, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), byDefault);
    DeleteDC(dc);
    const int n = DeviceCapabilitiesA(queue, nullptr, DC_ENUMRESOLUTIONS, nullptr, nullptr);
    ASSERT_EQ(n, static_cast<int>(offered.size()));
    std::vector<LONG> pairs(2 * n);
    DeviceCapabilitiesA(queue, nullptr, DC_ENUMRESOLUTIONS, reinterpret_cast<LPSTR>(pairs.data()), nullptr);
    for (int i = 0; i < n; ++i) EXPECT_EQ(pairs[2 * i], offered[i]);
    // A label size and a resolution the queue offers, from the settings block.
    const DEVMODEA dm = LabelMode(offered.front());
    dc = CreateDCA("WINSPOOL", queue, nullptr, &dm);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), offered.front());
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), (4 * offered.front()));
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), (5 * offered.front() + 1) / 2);
    DeleteDC(dc);
  }
  // A resolution the queue does not offer is not taken.
  const DEVMODEA odd = LabelMode(777);
  HDC dc = CreateDCA("WINSPOOL", "zpl", nullptr, &odd);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 203);
  DeleteDC(dc);
}

// An office printer's queue is sent PDF; the print system renders it for
// the printer (the file is raster at the job's resolution).
TEST_F(SpoolerQueues, PagesReachARasterQueueThroughPdf) {
  const DEVMODEA dm = LetterMode(300);
  HDC dc = CreateDCA("WINSPOOL", "raster", nullptr, &dm);
  ASSERT_NE(dc, nullptr);
  const POINT offset = OffsetOf(dc);
  const int job = PrintBars(dc, 3);
  DeleteDC(dc);
  ASSERT_GT(job, 0) << gdi::LastPrintError();
  ASSERT_TRUE(cups_test::WaitForOutput("raster"));
  EXPECT_EQ(JobState("raster", job), IPP_JSTATE_COMPLETED);
  const auto pages = print_test::ReadRasterPages(cups_test::OutputOf("raster"));
  ExpectBars(pages, 3, offset, 1);
  ASSERT_FALSE(pages.empty());
  EXPECT_EQ(pages[0].dpiX, 300);
  EXPECT_EQ(pages[0].width, 2550);
  EXPECT_EQ(pages[0].height, 3300);
}

TEST_F(SpoolerQueues, PagesReachAPdfQueueAsPdf) {
  const DEVMODEA dm = LetterMode(300);
  HDC dc = CreateDCA("WINSPOOL", "pdf", nullptr, &dm);
  ASSERT_NE(dc, nullptr);
  const POINT offset = OffsetOf(dc);
  const int job = PrintBars(dc, 2);
  DeleteDC(dc);
  ASSERT_GT(job, 0) << gdi::LastPrintError();
  ASSERT_TRUE(cups_test::WaitForOutput("pdf"));
  EXPECT_NE(print_test::ReadBytes(cups_test::OutputOf("pdf")).find("%PDF-"), std::string::npos);
  ExpectBars(print_test::ReadPdfPages(cups_test::OutputOf("pdf"), 300), 2, offset, 1);
}

TEST_F(SpoolerQueues, PagesReachALabelPrinterInItsLanguage) {
  const DEVMODEA dm = LabelMode(203);
  HDC dc = CreateDCA("WINSPOOL", "zpl", nullptr, &dm);
  ASSERT_NE(dc, nullptr);
  const int job = PrintBars(dc, 2);
  DeleteDC(dc);
  ASSERT_GT(job, 0) << gdi::LastPrintError();
  ASSERT_TRUE(cups_test::WaitForOutput("zpl"));
  const std::string zpl = print_test::ReadBytes(cups_test::OutputOf("zpl"));
  // One label format (^XA ... ^XZ) per page, each printing its downloaded graphic.
  size_t formats = 0;
  for (size_t at = zpl.find("^XG"); at != std::string::npos; at = zpl.find("^XG", at + 1)) ++formats;
  EXPECT_EQ(formats, 2u) << zpl.substr(0, 300);
  EXPECT_NE(zpl.find("~DG"), std::string::npos);
  EXPECT_NE(zpl.find("^PW812"), std::string::npos);  // 4 inches at 203 dpi
}

TEST_F(SpoolerQueues, PrintToFileWritesTheDocumentTheQueueWouldGet) {
  const std::string folder = cups_test::ServerFolder() + "/out";
  const DEVMODEA dm = LabelMode(203);
  HDC dc = CreateDCA("WINSPOOL", "zpl", nullptr, &dm);
  ASSERT_NE(dc, nullptr);
  const POINT offset = OffsetOf(dc);
  ASSERT_GT(PrintBars(dc, 2, (folder + "/zpl.prn").c_str()), 0) << gdi::LastPrintError();
  DeleteDC(dc);
  ExpectBars(print_test::ReadRasterPages(folder + "/zpl.prn"), 2, offset);

  const DEVMODEA pdfMode = LabelMode(300);
  dc = CreateDCA("WINSPOOL", "pdf", nullptr, &pdfMode);
  ASSERT_NE(dc, nullptr);
  ASSERT_GT(PrintBars(dc, 2, (folder + "/pdf.prn").c_str()), 0) << gdi::LastPrintError();
  const POINT pdfOffset = OffsetOf(dc);
  DeleteDC(dc);
  ExpectBars(print_test::ReadPdfPages(folder + "/pdf.prn", 300), 2, pdfOffset, 1);
  // Nothing reached the queues.
  EXPECT_FALSE(fs::exists(cups_test::OutputOf("zpl")));
}

TEST_F(SpoolerQueues, AnAbortedDocumentCancelsItsJob) {
  const DEVMODEA dm = LabelMode(300);
  HDC dc = CreateDCA("WINSPOOL", "raster", nullptr, &dm);
  ASSERT_NE(dc, nullptr);
  DOCINFOA doc{sizeof(DOCINFOA), "Aborted", nullptr, nullptr, 0};
  const int job = StartDocA(dc, &doc);
  ASSERT_GT(job, 0) << gdi::LastPrintError();
  for (int p = 0; p < 2; ++p) {
    StartPage(dc);
    PatBlt(dc, 10, 10, 20, 20, BLACKNESS);
    ASSERT_GT(EndPage(dc), 0);
  }
  EXPECT_GT(AbortDoc(dc), 0);
  DeleteDC(dc);
  ipp_jstate_t state{};
  for (int i = 0; i < 100 && (state = JobState("raster", job)) != IPP_JSTATE_CANCELED; ++i) usleep(50000);
  EXPECT_EQ(state, IPP_JSTATE_CANCELED);
}

TEST_F(SpoolerQueues, AQueueThatRejectsJobsRefusesTheDocumentWithItsReason) {
  int status = 0;
  cups_test::Run("cupsreject -r 'out of labels' zpl", &status);
  ASSERT_EQ(status, 0);
  HDC dc = CreateDCA("WINSPOOL", "zpl", nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  DOCINFOA doc{sizeof(DOCINFOA), "Refused", nullptr, nullptr, 0};
  EXPECT_EQ(StartDocA(dc, &doc), SP_ERROR);
  EXPECT_NE(gdi::LastPrintError().find("zpl"), std::string::npos) << gdi::LastPrintError();
  EXPECT_NE(gdi::LastPrintError().find("not accepting"), std::string::npos) << gdi::LastPrintError();
  DeleteDC(dc);
  cups_test::Run("cupsaccept zpl", &status);
  EXPECT_EQ(status, 0);
}

TEST_F(SpoolerQueues, AFullDiskEndsPrintToFileWithItsReasonAndLeavesNoFile) {
  const std::string target = cups_test::ServerFolder() + "/out/full.pdf";
  // In a child whose files may not grow past 2 kB: the disk is full for it.
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{2048, 2048};
    setrlimit(RLIMIT_FSIZE, &limit);
    const DEVMODEA dm = LabelMode(300);
    HDC dc = CreateDCA("WINSPOOL", "pdf", nullptr, &dm);
    DOCINFOA doc{sizeof(DOCINFOA), "Full", target.c_str(), nullptr, 0};
    if (!dc || StartDocA(dc, &doc) <= 0) _exit(2);
    bool failed = false;
    for (int p = 0; p < 20 && !failed; ++p) {
      StartPage(dc);
      for (int x = 0; x < 1000; x += 7) PatBlt(dc, x, (x * 13) % 600, 3, 100, BLACKNESS);
      failed = EndPage(dc) <= 0;
    }
    if (!failed) failed = EndDoc(dc) <= 0;
    const bool toldWhy = gdi::LastPrintError().find("full.pdf") != std::string::npos &&
                         gdi::LastPrintError().find("too large") != std::string::npos;
    _exit(failed && toldWhy ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_FALSE(fs::exists(target));
  for (const auto& e : fs::directory_iterator(cups_test::ServerFolder() + "/out"))
    EXPECT_EQ(e.path().filename().string().rfind(".tavdoc", 0), std::string::npos) << e.path();
}

// Printer commands sent as they are (the print system passes them to the
// device unfiltered; a file device keeps no copy of a job without filters,
// so the job's size on the server is the judge).
TEST_F(SpoolerQueues, RawJobsReachTheQueueAsTheyAre) {
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterA(const_cast<LPSTR>("zpl"), &printer, nullptr));
  DOC_INFO_1A doc{const_cast<LPSTR>("Raw"), nullptr, const_cast<LPSTR>("RAW")};
  const DWORD before = StartDocPrinterA(printer, 1, reinterpret_cast<LPBYTE>(&doc));
  ASSERT_GT(before, 0u);
  std::string commands;
  while (commands.size() < 6000) commands += "^XA^FO50,50^A0N,30,30^FDRaw label^FS^XZ\n";
  DWORD written = 0;
  ASSERT_TRUE(WritePrinter(printer, commands.data(), static_cast<DWORD>(commands.size()), &written));
  EXPECT_EQ(written, commands.size());
  EXPECT_TRUE(EndDocPrinter(printer));
  ClosePrinter(printer);
  cups_job_t* jobs = nullptr;
  const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "zpl", 0, CUPS_WHICHJOBS_ALL);
  ASSERT_GT(n, 0);
  const cups_job_t& last = jobs[n - 1];
  EXPECT_STREQ(last.format, "application/vnd.cups-raw");
  EXPECT_EQ(last.size, static_cast<int>((commands.size() + 1023) / 1024));
  cupsFreeJobs(n, jobs);
}

TEST_F(SpoolerQueues, AServerThatIsGoneRefusesTheDocument) {
  // The server stops; a later test gets a fresh one.
  const DEVMODEA dm = LabelMode(300);
  HDC dc = CreateDCA("WINSPOOL", "pdf", nullptr, &dm);
  ASSERT_NE(dc, nullptr);
  cups_test::StopServer();
  DOCINFOA doc{sizeof(DOCINFOA), "Gone", nullptr, nullptr, 0};
  EXPECT_EQ(StartDocA(dc, &doc), SP_ERROR);
  EXPECT_FALSE(gdi::LastPrintError().empty());
  DeleteDC(dc);
}

}  // namespace
