// Reading a printer's capabilities through the spooler's
// DeviceCapabilities, and keeping them in the printer-capability map.
#include "foundation/window_helpers/printer_caps.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

FOUNDATION_BEGIN

namespace {

// The entries of one list capability: asked for their count first, then read
// into a buffer of exactly that many `width`-byte slots.
std::vector<char> ReadList(const char* printer, WORD capability, size_t width, int* count) {
  *count = DeviceCapabilitiesA(printer, nullptr, capability, nullptr, nullptr);
  if (*count <= 0) {
    *count = 0;
    return {};
  }
  std::vector<char> buffer(static_cast<size_t>(*count) * width);
  const int again = DeviceCapabilitiesA(printer, nullptr, capability, buffer.data(), nullptr);
  // A list that changed between the two calls is read no further than both.
  *count = again < 0 ? 0 : std::min(*count, again);
  return buffer;
}

template <class T>
T At(const std::vector<char>& buffer, int index) {
  T value;
  std::memcpy(&value, buffer.data() + static_cast<size_t>(index) * sizeof(T), sizeof(T));
  return value;
}

// A name slot's text up to its first zero, never past the slot.
AString NameAt(const std::vector<char>& buffer, int index, size_t width) {
  const char* slot = buffer.data() + static_cast<size_t>(index) * width;
  return AString(static_cast<int>(strnlen(slot, width)), slot);
}

void Clear(PrinterCapsEntry* entry) { *entry = PrinterCapsEntry{}; }

}  // namespace

int ReadPrinterCaps(const char* printer, PrinterCapsEntry* entry) {
  if (!entry) return 0;
  Clear(entry);
  if (!printer || DeviceCapabilitiesA(printer, nullptr, DC_FIELDS, nullptr, nullptr) < 0) return 0;
  int n = 0;
  std::vector<char> list = ReadList(printer, DC_PAPERS, sizeof(WORD), &n);
  for (int i = 0; i < n; ++i) entry->papers.Add(At<WORD>(list, i));
  list = ReadList(printer, DC_PAPERSIZE, sizeof(POINT), &n);
  for (int i = 0; i < n; ++i) entry->paperSizes.Add(At<POINT>(list, i));
  list = ReadList(printer, DC_PAPERNAMES, kPaperNameChars, &n);
  for (int i = 0; i < n; ++i) entry->paperNames.Add(NameAt(list, i, kPaperNameChars));
  list = ReadList(printer, DC_BINS, sizeof(WORD), &n);
  for (int i = 0; i < n; ++i) entry->bins.Add(At<WORD>(list, i));
  list = ReadList(printer, DC_BINNAMES, kBinNameChars, &n);
  for (int i = 0; i < n; ++i) entry->binNames.Add(NameAt(list, i, kBinNameChars));
  list = ReadList(printer, DC_ENUMRESOLUTIONS, 2 * sizeof(LONG), &n);
  for (int i = 0; i < n; ++i) entry->resolutions.Add(POINT{At<LONG>(list, 2 * i), At<LONG>(list, 2 * i + 1)});
  entry->maxCopies = std::max(DeviceCapabilitiesA(printer, nullptr, DC_COPIES, nullptr, nullptr), 0);
  entry->collate = DeviceCapabilitiesA(printer, nullptr, DC_COLLATE, nullptr, nullptr) == 1;
  entry->duplex = DeviceCapabilitiesA(printer, nullptr, DC_DUPLEX, nullptr, nullptr) == 1;
  entry->colour = DeviceCapabilitiesA(printer, nullptr, DC_COLORDEVICE, nullptr, nullptr) == 1;
  entry->landscapeAngle = std::max(DeviceCapabilitiesA(printer, nullptr, DC_ORIENTATION, nullptr, nullptr), 0);
  entry->loaded = 1;
  return 1;
}

const PrinterCapsEntry* FindPrinterCaps(PrinterCapsMap& map, const char* printer) {
  if (!printer) return nullptr;
  const AString name(printer);
  if (PrinterCapsEntry* kept = map.LookupPtr(name); kept && kept->loaded) return kept;
  PrinterCapsEntry read;
  if (!ReadPrinterCaps(printer, &read)) return nullptr;
  map.SetAt(name, read);
  return map.LookupPtr(name);
}

FOUNDATION_END
