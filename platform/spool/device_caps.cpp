// DeviceCapabilities over the spooler's printers, and the tables of paper
// forms, sources and resolutions it answers from.
#include "platform/spool/device_caps.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/printer_settings.h"
#include "platform/kernel/kernel.h"
#include "platform/kernel/kernel_errors.h"
#include "platform/spool/cups_queues.h"
#include "platform/spool/spool.h"
#include "platform/spool/spool_internal.h"

namespace spool {
namespace {

constexpr PaperForm kPapers[] = {
    {DMPAPER_LETTER, "Letter (8.5 x 11 in)", 2159, 2794},      {DMPAPER_LEGAL, "Legal (8.5 x 14 in)", 2159, 3556},
    {DMPAPER_EXECUTIVE, "Executive (7.25 x 10.5 in)", 1842, 2667}, {DMPAPER_A3, "A3 (297 x 420 mm)", 2970, 4200},
    {DMPAPER_A4, "A4 (210 x 297 mm)", 2100, 2970},             {DMPAPER_A5, "A5 (148 x 210 mm)", 1480, 2100},
    {DMPAPER_B5, "B5 (182 x 257 mm)", 1820, 2570},
};
static_assert(std::size(kPapers) == 7);
constexpr PaperSource kSources[] = {{DMBIN_AUTO, "Automatically select"}, {DMBIN_UPPER, "Upper tray"},
                                    {DMBIN_LOWER, "Lower tray"},          {DMBIN_MANUAL, "Manual feed"},
                                    {DMBIN_TRACTOR, "Tractor feed"}};
static_assert(std::size(kSources) == 5);
constexpr int kResolutions[] = {75, 150, 200, 300, 600, 1200};
constexpr int kMostCopies = 9999;
constexpr int kTrueTypeAsGraphics = 0x2;
constexpr DWORD kFields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_COPIES |
                          DM_DEFAULTSOURCE | DM_PRINTQUALITY | DM_YRESOLUTION | DM_COLLATE | DM_COLOR;

bool Known(LPCSTR device) {
  HANDLE printer = nullptr;
  if (!device || !OpenPrinterA(const_cast<LPSTR>(device), &printer, nullptr)) return false;
  ClosePrinter(printer);
  return true;
}

// Writes `count` entries through `put` when there is an output, and answers the count.
template <class Put>
int List(LPSTR output, size_t count, Put put) {
  if (output)
    for (size_t i = 0; i < count; ++i) put(output, i);
  return static_cast<int>(count);
}

void PutName(LPSTR output, size_t slot, size_t width, const char* name) {
  char* at = output + slot * width;
  std::memset(at, 0, width);
  std::memcpy(at, name, std::min(std::strlen(name), width - 1));
}

template <class T>
void PutAt(LPSTR output, size_t index, T value) {
  std::memcpy(output + index * sizeof(T), &value, sizeof(T));
}

}  // namespace

std::span<const PaperForm> PaperForms() { return kPapers; }
std::span<const PaperSource> PaperSources() { return kSources; }

const PaperForm* PaperFormOf(short code) {
  for (const PaperForm& p : kPapers)
    if (p.code == code) return &p;
  return nullptr;
}

std::vector<int> ResolutionsOf(const std::string& printer) {
  Printer queue;
  if (FindPrinter(printer.c_str(), &queue) && queue.destination == Destination::Cups)
    if (const auto caps = CupsCapabilitiesOf(queue.name); caps && !caps->resolutions.empty()) return caps->resolutions;
  const auto s = gdi::FindPrinterSettings(printer);
  const int most = s ? s->dpiX : 300;
  std::vector<int> out;
  for (int r : kResolutions)
    if (r <= most) out.push_back(r);
  if (std::find(out.begin(), out.end(), most) == out.end()) out.push_back(most);
  return out;
}

}  // namespace spool

int DeviceCapabilitiesA(LPCSTR device, LPCSTR, WORD capability, LPSTR output, const DEVMODEA*) {
  using namespace spool;
  if (!Known(device)) {
    SetLastError(ERROR_INVALID_PRINTER_NAME);
    return -1;
  }
  const std::span<const PaperForm> papers = PaperForms();
  const std::span<const PaperSource> sources = PaperSources();
  switch (capability) {
    case DC_PAPERS:
      return List(output, papers.size(), [&](LPSTR o, size_t i) { PutAt<WORD>(o, i, static_cast<WORD>(papers[i].code)); });
    case DC_PAPERSIZE:
      return List(output, papers.size(), [&](LPSTR o, size_t i) {
        PutAt<POINT>(o, i, POINT{papers[i].widthTenthsMm, papers[i].lengthTenthsMm});
      });
    case DC_PAPERNAMES:
      return List(output, papers.size(), [&](LPSTR o, size_t i) { PutName(o, i, kPaperNameChars, papers[i].name); });
    case DC_BINS:
      return List(output, sources.size(), [&](LPSTR o, size_t i) { PutAt<WORD>(o, i, static_cast<WORD>(sources[i].code)); });
    case DC_BINNAMES:
      return List(output, sources.size(), [&](LPSTR o, size_t i) { PutName(o, i, kBinNameChars, sources[i].name); });
    case DC_ENUMRESOLUTIONS: {
      const std::vector<int> dpi = ResolutionsOf(device);
      return List(output, dpi.size(), [&](LPSTR o, size_t i) {
        PutAt<LONG>(o, 2 * i, dpi[i]);
        PutAt<LONG>(o, 2 * i + 1, dpi[i]);
      });
    }
    case DC_MINEXTENT:
    case DC_MAXEXTENT: {
      short width = papers[0].widthTenthsMm, length = papers[0].lengthTenthsMm;
      for (const PaperForm& p : papers) {
        width = capability == DC_MINEXTENT ? std::min(width, p.widthTenthsMm) : std::max(width, p.widthTenthsMm);
        length = capability == DC_MINEXTENT ? std::min(length, p.lengthTenthsMm) : std::max(length, p.lengthTenthsMm);
      }
      return static_cast<int>(MAKELONG(static_cast<WORD>(width), static_cast<WORD>(length)));
    }
    case DC_COPIES: return kMostCopies;
    case DC_COLLATE: return 1;
    case DC_COLORDEVICE: return 1;
    case DC_DUPLEX: return 0;
    case DC_ORIENTATION: return 90;
    case DC_FIELDS: return static_cast<int>(kFields);
    case DC_SIZE: return static_cast<int>(sizeof(DEVMODEA));
    case DC_EXTRA: return 0;
    case DC_VERSION: return DM_SPECVERSION;
    case DC_DRIVER: return 1;
    case DC_TRUETYPE: return kTrueTypeAsGraphics;
    case DC_FILEDEPENDENCIES: return 0;
    default: SetLastError(ERROR_NOT_SUPPORTED); return -1;
  }
}
