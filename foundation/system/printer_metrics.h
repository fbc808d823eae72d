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
  int offsetX = 0;       // printable area's offset on the page; 0 on tractor feed
  int offsetY = 0;
  int widthMils = 0;     // physical page in thousandths of an inch
  int heightMils = 0;
};

// 1 with the metrics from the cache or, the first time a printer is asked,
// from the spooler: the printer is opened, its current settings taken and an
// information context made on them. 0 (metrics zeroed) when the spooler
// knows no such printer or makes no context for it; nothing is kept then.
int GetPrinterMetrics(const char* printerName, PrinterMetrics* out);
// The horizontal resolution, 0 for an unknown printer.
int GetPrinterDpiX(const char* printerName);
// Forgets the cached metrics of one printer (all printers for null), so that
// the next call asks the spooler again.
void ForgetPrinterMetrics(const char* printerName);

FOUNDATION_END
