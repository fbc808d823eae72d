// What the print dialog and the printer properties share: the spooler's
// printers as the dialogs list them, each printer's settings as a DEVMODE,
// and the properties dialog over one.
#pragma once

#include <string>
#include <vector>

#include "platform/comdlg/comdlg.h"

namespace comdlg {

struct PrinterEntry {
  std::string name;
  std::string port;
  std::string driver;
};
// Local printers and connections, as the spooler lists them.
std::vector<PrinterEntry> ListPrinters();
// The one the system prints to when none is chosen.
std::string DefaultPrinter(const std::vector<PrinterEntry>& printers);

// The printer's settings: those kept for it in this process (DM_UPDATE),
// else its defaults (portrait, its paper and resolution, automatic source).
// False for a printer the spooler does not know.
bool PrinterDevMode(const std::string& printer, DEVMODEA& out);
// Takes the fields an input DEVMODE names (dmFields) that the printer can do.
void MergeDevMode(DEVMODEA& into, const DEVMODEA& from);
// The properties dialog over `mode`; true (and mode changed) on OK.
bool PromptProperties(HWND owner, const std::string& printer, DEVMODEA& mode);

}  // namespace comdlg
