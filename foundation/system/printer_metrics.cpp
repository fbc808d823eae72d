#include "foundation/system/printer_metrics.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>

#include "platform/comdlg/comdlg.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_owners.h"
#include "platform/spool/spool.h"

FOUNDATION_BEGIN

namespace {

struct MetricsCache {
  std::mutex lock;
  std::map<std::string, PrinterMetrics> byName;
};

MetricsCache& Cache() {
  static MetricsCache cache;
  return cache;
}

struct PrinterCloser {
  void operator()(HANDLE printer) const { ClosePrinter(printer); }
};
using UniquePrinter = std::unique_ptr<std::remove_pointer_t<HANDLE>, PrinterCloser>;

// The printer's current settings; none when the spooler gives none.
std::optional<DEVMODEA> CurrentSettings(HANDLE printer, const char* name) {
  LPSTR device = const_cast<LPSTR>(name);
  const LONG size = DocumentPropertiesA(nullptr, printer, device, nullptr, nullptr, 0);
  if (size <= 0 || static_cast<size_t>(size) > sizeof(DEVMODEA)) return std::nullopt;
  DEVMODEA mode{};
  if (DocumentPropertiesA(nullptr, printer, device, &mode, nullptr, DM_OUT_BUFFER) != IDOK) return std::nullopt;
  return mode;
}

int Mils(int dots, int dpi) { return dpi > 0 ? static_cast<int>(int64_t{dots} * 1000 / dpi) : 0; }

bool AskSpooler(const char* name, PrinterMetrics* m) {
  // Opening the printer makes the spooler's printers (the profile's, the
  // CUPS queues) known to device contexts, and gives its current settings.
  // A printer that has only a device context is asked without them.
  HANDLE opened = nullptr;
  const UniquePrinter printer(OpenPrinterA(const_cast<LPSTR>(name), &opened, nullptr) ? opened : nullptr);
  const std::optional<DEVMODEA> mode = printer ? CurrentSettings(printer.get(), name) : std::nullopt;
  const UniqueDc owner(CreateICA("WINSPOOL", name, nullptr, mode ? &*mode : nullptr));
  HDC ic = owner.get();
  if (!ic) return false;
  m->dpiX = GetDeviceCaps(ic, LOGPIXELSX);
  m->dpiY = GetDeviceCaps(ic, LOGPIXELSY);
  m->pageWidth = GetDeviceCaps(ic, HORZRES);
  m->pageHeight = GetDeviceCaps(ic, VERTRES);
  m->physicalWidth = GetDeviceCaps(ic, PHYSICALWIDTH);
  m->physicalHeight = GetDeviceCaps(ic, PHYSICALHEIGHT);
  // Continuous stock on a tractor has no unprintable margin to step over.
  const bool tractor = mode && (mode->dmFields & DM_DEFAULTSOURCE) && mode->dmDefaultSource == DMBIN_TRACTOR;
  m->offsetX = tractor ? 0 : GetDeviceCaps(ic, PHYSICALOFFSETX);
  m->offsetY = tractor ? 0 : GetDeviceCaps(ic, PHYSICALOFFSETY);
  m->widthMils = Mils(m->physicalWidth, m->dpiX);
  m->heightMils = Mils(m->physicalHeight, m->dpiY);
  return m->dpiX > 0 && m->dpiY > 0;
}

}  // namespace

int GetPrinterMetrics(const char* printerName, PrinterMetrics* out) {
  *out = PrinterMetrics{};
  if (!printerName || !*printerName) return 0;
  MetricsCache& cache = Cache();
  {
    std::lock_guard<std::mutex> hold(cache.lock);
    if (auto it = cache.byName.find(printerName); it != cache.byName.end()) {
      *out = it->second;
      return 1;
    }
  }
  PrinterMetrics m;
  if (!AskSpooler(printerName, &m)) return 0;
  std::lock_guard<std::mutex> hold(cache.lock);
  cache.byName[printerName] = m;
  *out = m;
  return 1;
}

int GetPrinterDpiX(const char* printerName) {
  PrinterMetrics m;
  return GetPrinterMetrics(printerName, &m) ? m.dpiX : 0;
}

void ForgetPrinterMetrics(const char* printerName) {
  MetricsCache& cache = Cache();
  std::lock_guard<std::mutex> hold(cache.lock);
  if (printerName)
    cache.byName.erase(printerName);
  else
    cache.byName.clear();
}

FOUNDATION_END
