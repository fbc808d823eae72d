#include "document/setup/last_printer.h"

#include "document/layout_shell.h"
#include "foundation/system/printer_metrics.h"

namespace {

constexpr const char* kSection = "Config";

}  // namespace

int ReadLastPrinter(CLabelSetup& setup) {
  CLayoutShell* shell = LayoutShell();
  setup.lastPrinter = shell->GetProfileString(kSection, "lastPrinter", "");
  setup.lastPort = shell->GetProfileString(kSection, "lastPort", "");
  setup.lastPrinterModel = shell->GetProfileString(kSection, "lastPrinterModel", "");
  setup.IsSysPrinter = static_cast<uint8_t>(shell->GetProfileInt(kSection, "IsSysPrinter", 0));
  setup.dpiX = shell->GetProfileInt(kSection, "dpiX", 0);
  setup.dpiY = shell->GetProfileInt(kSection, "dpiY", 0);
  if (!setup.lastPrinter.IsEmpty() && (setup.dpiX == 0 || setup.dpiY == 0)) {
    PrinterMetrics metrics;
    GetPrinterMetrics(setup.lastPrinter.GetData(), &metrics);
    setup.dpiX = metrics.dpiX;
    setup.dpiY = metrics.dpiY;
    if (setup.dpiX == 0 || setup.dpiY == 0) return 0;
  }
  return !setup.lastPrinter.IsEmpty() && !setup.lastPrinterModel.IsEmpty() && !setup.lastPort.IsEmpty() ? 1 : 0;
}

int WriteLastPrinter(const char* name, const char* port, const char* model, int isSysPrinter, int dpiX, int dpiY) {
  CLayoutShell* shell = LayoutShell();
  bool ok = shell->WriteProfileString(kSection, "lastPrinter", name ? name : "");
  ok = shell->WriteProfileString(kSection, "lastPort", port ? port : "") && ok;
  ok = shell->WriteProfileString(kSection, "lastPrinterModel", model ? model : "") && ok;
  ok = shell->WriteProfileInt(kSection, "IsSysPrinter", isSysPrinter) && ok;
  ok = shell->WriteProfileInt(kSection, "dpiX", dpiX) && ok;
  ok = shell->WriteProfileInt(kSection, "dpiY", dpiY) && ok;
  return ok ? 1 : 0;
}
