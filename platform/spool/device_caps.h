// What a printer can do, as DeviceCapabilities reports it: the paper forms,
// sources and resolutions the spooler's printers offer, one table each that
// the printer dialogs use too.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/kernel/types.h"
#include "platform/spool/devmode.h"

inline constexpr WORD DC_FIELDS = 1, DC_PAPERS = 2, DC_PAPERSIZE = 3, DC_MINEXTENT = 4, DC_MAXEXTENT = 5,
                      DC_BINS = 6, DC_DUPLEX = 7, DC_SIZE = 8, DC_EXTRA = 9, DC_VERSION = 10, DC_DRIVER = 11,
                      DC_BINNAMES = 12, DC_ENUMRESOLUTIONS = 13, DC_FILEDEPENDENCIES = 14, DC_TRUETYPE = 15,
                      DC_PAPERNAMES = 16, DC_ORIENTATION = 17, DC_COPIES = 18, DC_COLLATE = 22,
                      DC_COLORDEVICE = 32;
// The sizes of the name slots DC_PAPERNAMES and DC_BINNAMES fill, in characters.
inline constexpr size_t kPaperNameChars = 64, kBinNameChars = 24;

// Answers for the printer named `device` (the port is not needed): a count
// of entries written to `output` (which may be null to ask the count first),
// a value, or -1 for an unknown printer (ERROR_INVALID_PRINTER_NAME) or an
// unknown capability (ERROR_NOT_SUPPORTED).
//   DC_PAPERS        WORD paper codes          DC_PAPERSIZE   POINT sizes, tenths of a millimetre
//   DC_PAPERNAMES    char[64] names            DC_BINS        WORD source codes
//   DC_BINNAMES      char[24] names            DC_ENUMRESOLUTIONS LONG pairs (x, y) dots per inch
//   DC_MINEXTENT / DC_MAXEXTENT  the smallest / largest paper, MAKELONG(width, length) in tenths of a millimetre
//   DC_COPIES the most copies; DC_COLLATE, DC_DUPLEX, DC_COLORDEVICE 1 or 0; DC_ORIENTATION 90 (landscape
//   turns the page a quarter anticlockwise); DC_FIELDS the DEVMODE fields the printer takes; DC_SIZE,
//   DC_EXTRA, DC_VERSION, DC_DRIVER the DEVMODE's size, extra bytes and versions; DC_TRUETYPE 0x2
//   (TrueType drawn as graphics); DC_FILEDEPENDENCIES 0.
int DeviceCapabilitiesA(LPCSTR device, LPCSTR port, WORD capability, LPSTR output, const DEVMODEA* devMode);

namespace spool {

struct PaperForm {
  short code;
  const char* name;
  short widthTenthsMm, lengthTenthsMm;
};
struct PaperSource {
  short code;
  const char* name;
};
std::span<const PaperForm> PaperForms();
const PaperForm* PaperFormOf(short code);
std::span<const PaperSource> PaperSources();
// The resolutions a printer prints at, in dots per inch, lowest first: the
// usual steps up to its own resolution, and its own.
std::vector<int> ResolutionsOf(const std::string& printer);

}  // namespace spool
