// The printer-capability map's entries: what a printer offers (papers,
// sources, resolutions, copies), read through DeviceCapabilities once and
// then kept by the printer's name.
#pragma once

#include "foundation/build.h"
#include "foundation/containers/aarray.h"
#include "foundation/containers/atypedarray.h"
#include "foundation/string/astring.h"
#include "foundation/window_helpers/screen_rects.h"
#include "platform/win.h"

FOUNDATION_BEGIN

struct PrinterCapsEntry {
  AArray<WORD> papers;             // paper codes (DMPAPER_*)
  ATypedArray<POINT> paperSizes;   // width and length of each, tenths of a millimetre
  AArray<AString> paperNames;
  AArray<WORD> bins;               // paper sources (DMBIN_*)
  AArray<AString> binNames;
  ATypedArray<POINT> resolutions;  // dots per inch, across and down
  int maxCopies = 0;
  int collate = 0;
  int duplex = 0;
  int colour = 0;
  int landscapeAngle = 0;  // 90 or 270; 0 when the printer cannot turn the page
  int loaded = 0;          // 1 once read from a printer
};

// Reads what `printer` offers into `entry` (emptied first). 1 when read; 0
// for a printer the spooler does not know (the entry stays empty).
int ReadPrinterCaps(const char* printer, PrinterCapsEntry* entry);
// The map's entry for `printer`, read from the printer the first time it is
// asked for; null for a printer the spooler does not know (nothing is kept).
const PrinterCapsEntry* FindPrinterCaps(PrinterCapsMap& map, const char* printer);

FOUNDATION_END
