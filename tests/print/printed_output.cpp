#include "printed_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <cups/raster.h>

#include "cups_server.h"
#include "tests/barcode/kalvo_request.h"
#include "platform/gdi/gdi_owners.h"
#include "print/job/label_printer_job.h"

namespace print_test {
namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<GreyPage> ReadRasterPages(const std::string& path, std::vector<cups_page_header2_t>* headers) {
  std::vector<GreyPage> pages;
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return pages;
  cups_raster_t* raster = cupsRasterOpen(fd, CUPS_RASTER_READ);
  cups_page_header2_t header;
  while (raster && cupsRasterReadHeader2(raster, &header)) {
    if (headers) headers->push_back(header);
    GreyPage page;
    page.width = static_cast<int>(header.cupsWidth);
    page.height = static_cast<int>(header.cupsHeight);
    page.dpiX = static_cast<int>(header.HWResolution[0]);
    page.dpiY = static_cast<int>(header.HWResolution[1]);
    page.pixels.assign(static_cast<size_t>(page.width) * page.height, 255);
    std::vector<uint8_t> row(header.cupsBytesPerLine);
    const bool bits = header.cupsBitsPerPixel == 1;
    const bool inkIsDark = header.cupsColorSpace == CUPS_CSPACE_K;
    for (int y = 0; y < page.height; ++y) {
      if (cupsRasterReadPixels(raster, row.data(), header.cupsBytesPerLine) != header.cupsBytesPerLine) break;
      for (int x = 0; x < page.width; ++x) {
        uint8_t v;
        if (bits) {
          const bool set = row[x / 8] & (0x80 >> (x % 8));
          v = set == inkIsDark ? 0 : 255;
        } else {
          const size_t step = header.cupsBitsPerPixel / 8;
          v = row[x * step];
          if (inkIsDark) v = static_cast<uint8_t>(255 - v);
        }
        page.pixels[static_cast<size_t>(y) * page.width + x] = v;
      }
    }
    pages.push_back(std::move(page));
  }
  if (raster) cupsRasterClose(raster);
  ::close(fd);
  return pages;
}

namespace {

// The rows of hexadecimal digits of one "~DG" graphic's data, starting at
// `at`, until `rowCount` rows or the next command.
std::vector<std::string> ZplRows(const std::string& zpl, size_t at, size_t rowChars, size_t rowCount) {
  std::vector<std::string> rows;
  std::string row;
  size_t repeat = 0;
  const auto endRow = [&](char fill) {
    row.resize(rowChars, fill);
    rows.push_back(row);
    row.clear();
  };
  for (; at < zpl.size() && rows.size() < rowCount; ++at) {
    const char c = zpl[at];
    if (c >= 'G' && c <= 'Y') {
      repeat += static_cast<size_t>(c - 'G' + 1);
    } else if (c >= 'g' && c <= 'z') {
      repeat += static_cast<size_t>(c - 'g' + 1) * 20;
    } else if (std::isxdigit(static_cast<unsigned char>(c))) {
      row.append(std::max<size_t>(repeat, 1), static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
      repeat = 0;
      if (row.size() >= rowChars) endRow('0');
    } else if (c == ',' || c == '!') {
      endRow(c == ',' ? '0' : 'F');
    } else if (c == ':') {
      row = rows.empty() ? std::string(rowChars, '0') : rows.back();
      endRow('0');
    } else if (c == '^' || c == '~') {
      break;
    }
  }
  return rows;
}

// A binary PGM (P5, 8-bit) as pdftoppm writes it.
bool ReadPgm(const std::string& path, GreyPage& page) {
  const std::string bytes = ReadBytes(path);
  std::istringstream in(bytes);
  std::string magic;
  int maxValue = 0;
  in >> magic >> page.width >> page.height >> maxValue;
  if (magic != "P5" || maxValue != 255 || page.width <= 0 || page.height <= 0) return false;
  in.get();
  const size_t size = static_cast<size_t>(page.width) * page.height;
  const size_t at = static_cast<size_t>(in.tellg());
  if (bytes.size() < at + size) return false;
  page.pixels.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
  return true;
}

}  // namespace

std::vector<GreyPage> ReadZplGraphics(const std::string& path) {
  const std::string zpl = ReadBytes(path);
  std::vector<GreyPage> pages;
  for (size_t at = zpl.find("~DG"); at != std::string::npos; at = zpl.find("~DG", at + 3)) {
    // ~DGname,total bytes,bytes a row,data
    const size_t total = zpl.find(',', at), perRow = zpl.find(',', total + 1), data = zpl.find(',', perRow + 1);
    if (data == std::string::npos) break;
    const long bytes = std::atol(zpl.c_str() + total + 1), rowBytes = std::atol(zpl.c_str() + perRow + 1);
    if (rowBytes <= 0 || bytes <= 0 || bytes % rowBytes != 0 || bytes > (1L << 26)) break;
    const std::vector<std::string> rows =
        ZplRows(zpl, data + 1, static_cast<size_t>(rowBytes) * 2, static_cast<size_t>(bytes / rowBytes));
    GreyPage page;
    page.width = static_cast<int>(rowBytes * 8);
    page.height = static_cast<int>(rows.size());
    page.pixels.assign(static_cast<size_t>(page.width) * page.height, 255);
    for (int y = 0; y < page.height; ++y)
      for (int x = 0; x < page.width; ++x) {
        const char digit = rows[static_cast<size_t>(y)][static_cast<size_t>(x / 4)];
        const int nibble = digit <= '9' ? digit - '0' : digit - 'A' + 10;
        if (nibble & (8 >> (x % 4))) page.pixels[static_cast<size_t>(y) * page.width + x] = 0;
      }
    pages.push_back(std::move(page));
  }
  return pages;
}

std::vector<GreyPage> ReadPdfPages(const std::string& path, int dpi) {
  std::vector<GreyPage> pages;
  std::string pattern = (fs::temp_directory_path() / "tav-pdfpages-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return pages;
  const std::string dir = pattern;
  int status = 0;
  cups_test::Run("pdftoppm -r " + std::to_string(dpi) + " -gray -aa no -aaVector no '" + path + "' '" + dir +
                     "/page' 2>&1",
                 &status);
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& f : files) {
    GreyPage page;
    page.dpiX = page.dpiY = dpi;
    if (ReadPgm(f.string(), page)) pages.push_back(std::move(page));
  }
  fs::remove_all(dir);
  return pages;
}

std::vector<Run> BlackRuns(const GreyPage& page, int y) {
  std::vector<Run> runs;
  for (int x = 0; x < page.width; ++x) {
    if (!page.Black(x, y)) continue;
    if (runs.empty() || runs.back().last != x - 1) runs.push_back({x, x});
    else runs.back().last = x;
  }
  return runs;
}

DEVMODEA SheetMode(const CLabelSetup& setup, bool letter) {
  DEVMODEA dm{};
  dm.dmSize = sizeof dm;
  dm.dmSpecVersion = DM_SPECVERSION;
  dm.dmFields = DM_PRINTQUALITY | DM_YRESOLUTION | (letter ? DM_PAPERSIZE : DM_PAPERWIDTH | DM_PAPERLENGTH);
  const SIZE sheet = SheetSize(setup);
  dm.dmPaperSize = DMPAPER_LETTER;
  dm.dmPaperWidth = static_cast<short>((sheet.cx * 254 + 500) / 1000);
  dm.dmPaperLength = static_cast<short>((sheet.cy * 254 + 500) / 1000);
  dm.dmPrintQuality = dm.dmYResolution = static_cast<short>(setup.dpiX);
  return dm;
}

RECT AssetSymbolArea(const char* queue, const DEVMODEA* dm) {
  const UniqueDc ic(CreateICA("WINSPOOL", queue, nullptr, dm));
  if (!ic) return RECT{0, 0, 0, 0};
  const POINT at{GetDeviceCaps(ic.get(), PHYSICALOFFSETX), GetDeviceCaps(ic.get(), PHYSICALOFFSETY)};
  // The symbol is about half an inch square, 0.12 inch into the tag; the
  // texts start 0.9 inch into it.
  return RECT{at.x, at.y, at.x + GetDeviceCaps(ic.get(), LOGPIXELSX) * 8 / 10,
              at.y + GetDeviceCaps(ic.get(), LOGPIXELSY) * 8 / 10};
}

ipp_jstate_t JobState(const std::string& queue, int id) {
  cups_job_t* jobs = nullptr;
  const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
  ipp_jstate_t state = static_cast<ipp_jstate_t>(0);
  for (int i = 0; i < n; ++i)
    if (jobs[i].id == id) state = jobs[i].state;
  cupsFreeJobs(n, jobs);
  return state;
}

int NewestJob(const std::string& queue) {
  cups_job_t* jobs = nullptr;
  const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
  int newest = 0;
  for (int i = 0; i < n; ++i) newest = std::max(newest, jobs[i].id);
  cupsFreeJobs(n, jobs);
  return newest;
}

std::string AssetNumber(int n) {
  char text[32];
  std::snprintf(text, sizeof text, "ASSET-%06d", n);
  return text;
}

std::string SymbolIn(const GreyPage& page, RECT r, ZXing::BarcodeFormat format) {
  kalvo_test::Grey grey;
  r.left = std::max<LONG>(0, r.left);
  r.top = std::max<LONG>(0, r.top);
  r.right = std::min<LONG>(page.width, r.right);
  r.bottom = std::min<LONG>(page.height, r.bottom);
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

std::string DataMatrixIn(const GreyPage& page, RECT r) { return SymbolIn(page, r, ZXing::BarcodeFormat::DataMatrix); }

}  // namespace print_test
