// The metrics of a printer by name, asked of the spooler once and then kept.
#pragma once

#include "foundation/build.h"

FOUNDATION_BEGIN

struct PrinterMetrics {
  int dpiX = 0;
  int dpiY = 0;
  int pageWidth = 0;     // printable area, device pixels
  int pageHeight = 0;
  int physicalWidth = 0;   // whole page, device pixels
  int physicalHeight = 0;
  int offsetX = 0;       // printable area's offset on the page
  int offsetY = 0;
};

// 1 with the metrics from the cache or from the printer's information
// context; 0 (metrics zeroed) when no such printer exists.
int GetPrinterMetrics(const char* printerName, PrinterMetrics* out);
// The horizontal resolution, 0 for an unknown printer.
int GetPrinterDpiX(const char* printerName);
// Forgets the cached metrics of one printer (all printers for null), so that
// the next call asks the spooler again.
void ForgetPrinterMetrics(const char* printerName);

FOUNDATION_END
