// The print run at volume: the example shipping label (4 x 6 inches at 203
// dpi, one label a page) printed 1,000 and 10,000 times as a PDF file (print
// to file on the PDF queue), as the CUPS raster the label printer's queue
// takes (print to file on that queue: the printer device context's raster
// writer) and as PNG files (print to image). Each run is a fresh child
// process, so its peak resident size (VmHWM) is the run's own; a page leaves
// memory at EndPage, so the peak must not grow with the number of labels.
// The queues are those of a CUPS server the benchmark starts, as the tests
// do.
//
// Labels per second on the 8-core development machine (Release build),
// 1,000 / 10,000 labels:
//                 PDF file     CUPS raster   PNG files
//   before        19 / 7-13    42 / 41-46    21 / 14-21
//   after         41 / 40      388 / 377     36 / 37
// (before: 1,000 at load 1; 10,000 as measured when the benchmark was
// written. After: load falling from 6 to 1 over the run, other builds
// running beside it.)
// What went: the printer's measuring context was made for every measured
// text, each time asking the print server for its queues (about seven
// requests a label; now one context a run), symbols were ANDed onto the page
// through the general per-pixel blit, and finding a black-and-white page and
// packing its bits branched on every pixel. The largest cost left in the PDF
// and PNG runs is compression (zlib inside cairo's PDF images and the PNG
// encoder). Peak resident size stays flat from 1,000 to 10,000 labels.
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "cups_server.h"
#include "datasource/field_sources.h"
#include "document/file/layout_file.h"
#include "document/tools/example_layouts.h"
#include "platform/spool/devmode.h"
#include "print/job/abort_flag.h"
#include "print/job/label_printer_job.h"
#include "tests/document/recording_layout_shell.h"

namespace fs = std::filesystem;

namespace {

enum Output : int { kPdf = 0, kRaster = 1, kPng = 2 };

// What a child reports: the run's seconds and result, and its peak size.
struct ChildReport {
  double seconds = 0;
  long peakKb = 0;
  int result = 0;
  long outputBytes = 0;
};

long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

long BytesUnder(const std::string& path) {
  std::error_code ec;
  if (fs::is_regular_file(path, ec)) return static_cast<long>(fs::file_size(path, ec));
  long total = 0;
  for (const auto& e : fs::directory_iterator(path, ec))
    if (e.is_regular_file(ec)) total += static_cast<long>(e.file_size(ec));
  return total;
}

// In the child: the layout printed `labels` times; never returns.
[[noreturn]] void PrintInChild(int fd, Output output, int labels, const std::string& layout, const std::string& out) {
  RecordedLayoutMessages messages;  // a failure is reported, never asked
  InstallDataSourceServices();
  CLabelSetup setup;
  CFieldList fields;
  ChildReport report;
  if (LoadLayoutFile(layout.c_str(), nullptr, setup, fields, nullptr) == 1) {
    setup.lastPrinter = output == kRaster ? "zpl" : "pdf";
    setup.IsSysPrinter = 1;
    // The label is the page.
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_PAPERWIDTH | DM_PAPERLENGTH | DM_PRINTQUALITY | DM_YRESOLUTION;
    dm.dmPaperWidth = static_cast<short>((setup.labelWidth * 254 + 500) / 1000);
    dm.dmPaperLength = static_cast<short>((setup.labelHeight * 254 + 500) / 1000);
    dm.dmPrintQuality = dm.dmYResolution = static_cast<short>(setup.dpiX);
    CLabelPrinterJob job;
    CPrintJob& ctx = job.context();
    ctx.mode = output == kPng ? PrintMode::kImages : PrintMode::kFile;
    ctx.quantity = labels;
    ctx.layoutPath = out.c_str();
    ctx.severalImages = output == kPng;
    ctx.imageFormat = 101;
    ctx.overwriteAnswer = 1;
    job.outputPath = out.c_str();
    job.SetPrinterSettings(&dm);
    job.Prepare(setup, fields);
    ClearPrintAbort();
    const auto start = std::chrono::steady_clock::now();
    report.result = job.Run(nullptr);
    report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (report.result != 1)
      for (const std::string& m : messages.shell().shownMessages) std::fprintf(stderr, "print run: %s\n", m.c_str());
  }
  report.peakKb = PeakResidentKb();
  report.outputBytes = BytesUnder(output == kPng ? fs::path(out).parent_path().string() : out);
  const ssize_t written = ::write(fd, &report, sizeof report);
  ::_exit(written == static_cast<ssize_t>(sizeof report) ? 0 : 1);
}

const std::string& Layout() {
  static const std::string path = [] {
    const std::string folder = cups_test::ServerFolder() + "/bench_layouts";
    InstallDataSourceServices();
    for (const std::string& p : WriteExampleLayouts(folder))
      if (p.find("shipping_label") != std::string::npos) return p;
    return std::string();
  }();
  return path;
}

void BM_PrintShippingLabels(benchmark::State& state) {
  const auto output = static_cast<Output>(state.range(0));
  const int labels = static_cast<int>(state.range(1));
  if (cups_test::ServerFolder().empty() || Layout().empty()) {
    state.SkipWithError("no print server");
    return;
  }
  ChildReport report;
  for (auto _ : state) {
    const std::string folder = cups_test::ServerFolder() + "/bench_out";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string out = folder + (output == kPng ? "/label" : output == kPdf ? "/labels.pdf" : "/labels.ras");
    int fds[2];
    if (::pipe(fds) != 0) {
      state.SkipWithError("no pipe");
      return;
    }
    // A fresh process: the peak resident size is this run's.
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(fds[0]);
      PrintInChild(fds[1], output, labels, Layout(), out);
    }
    ::close(fds[1]);
    const ssize_t got = ::read(fds[0], &report, sizeof report);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    fs::remove_all(folder);
    if (got != static_cast<ssize_t>(sizeof report) || report.result != 1) {
      state.SkipWithError("the print run failed");
      return;
    }
    state.SetIterationTime(report.seconds);
  }
  state.counters["labels_per_second"] = labels / report.seconds;
  state.counters["peak_rss_MB"] = static_cast<double>(report.peakKb) / 1024.0;
  state.counters["output_MB"] = static_cast<double>(report.outputBytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_PrintShippingLabels)
    ->ArgNames({"output", "labels"})
    ->ArgsProduct({{kPdf, kRaster, kPng}, {1000, 10000}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  cups_test::StopServer();
  return 0;
}
