// The printers the graphics area can make device contexts for: what a
// printer device context needs to know of a printer. The spooler registers
// the printers it knows; tests register printers of their own.
#pragma once

#include <optional>
#include <string>

#include "platform/gdi/gdi.h"

namespace gdi {

// What a printer device context needs to know of a printer. The spooler
// registers the printers it knows; one built-in printer is always there.
struct PrinterSettings {
  int dpiX = 300;
  int dpiY = 300;
  SIZE page{2550, 3300};        // physical page in device pixels
  POINT printableOffset{75, 75};
  SIZE printable{2400, 3150};   // the part of the page that can be drawn on
};
inline constexpr const char* kBuiltInPrinter = "Tavrendel Page Printer";
void RegisterPrinterSettings(const std::string& name, const PrinterSettings& settings);
std::optional<PrinterSettings> FindPrinterSettings(const std::string& name);
// The printer CreateDC uses when no device is named.
std::string DefaultPrinterName();

}  // namespace gdi
