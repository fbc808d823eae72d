#include "foundation/system/printer_metrics.h"

#include <map>
#include <mutex>
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_owners.h"

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

bool AskSpooler(const char* name, PrinterMetrics* m) {
  const UniqueDc owner(CreateICA("WINSPOOL", name, nullptr, nullptr));
  HDC ic = owner.get();
  if (!ic) return false;
  m->dpiX = GetDeviceCaps(ic, LOGPIXELSX);
  m->dpiY = GetDeviceCaps(ic, LOGPIXELSY);
  m->pageWidth = GetDeviceCaps(ic, HORZRES);
  m->pageHeight = GetDeviceCaps(ic, VERTRES);
  m->physicalWidth = GetDeviceCaps(ic, PHYSICALWIDTH);
  m->physicalHeight = GetDeviceCaps(ic, PHYSICALHEIGHT);
  m->offsetX = GetDeviceCaps(ic, PHYSICALOFFSETX);
  m->offsetY = GetDeviceCaps(ic, PHYSICALOFFSETY);
  return m->dpiX > 0;
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
