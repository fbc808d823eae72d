// The printer-capability map over the spooler: DeviceCapabilities of a test
// printer as a table of capabilities, the entry read from it, and the map
// reading each printer once and keeping nothing for an unknown one.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/window_helpers/printer_caps.h"
#include "platform/gdi/printer_settings.h"
#include "platform/win.h"

namespace {

constexpr const char* kPrinter = "Capability Test Printer";

// A file printer of 600 dpi for one test; its port is never written.
class TestPrinter {
 public:
  TestPrinter() {
    PRINTER_INFO_2A info{};
    std::string port = "/nonexistent/printer-caps.prn";
    info.pPrinterName = const_cast<char*>(kPrinter);
    info.pPortName = port.data();
    info.pDriverName = const_cast<char*>("Label Driver");
    handle_ = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    gdi::RegisterPrinterSettings(kPrinter, gdi::PrinterSettings{600, 600, {4960, 7016}, {100, 100}, {4760, 6816}});
  }
  ~TestPrinter() {
    if (handle_) DeletePrinter(handle_);
  }
  TestPrinter(const TestPrinter&) = delete;
  TestPrinter& operator=(const TestPrinter&) = delete;
  bool Added() const { return handle_ != nullptr; }

 private:
  HANDLE handle_ = nullptr;
};

TEST(PrinterCaps, DeviceCapabilitiesTable) {
  TestPrinter printer;
  ASSERT_TRUE(printer.Added());
  struct Row {
    WORD capability;
    int answer;  // the count of a list, or the value
  } const rows[] = {
      {DC_PAPERS, 7},      {DC_PAPERSIZE, 7},     {DC_PAPERNAMES, 7},
      {DC_BINS, 5},        {DC_BINNAMES, 5},      {DC_ENUMRESOLUTIONS, 5},  // 75, 150, 200, 300 and its own 600
      {DC_COPIES, 9999},   {DC_COLLATE, 1},       {DC_DUPLEX, 0},
      {DC_ORIENTATION, 90}, {DC_COLORDEVICE, 1},  {DC_SIZE, static_cast<int>(sizeof(DEVMODEA))},
      {DC_VERSION, DM_SPECVERSION},
      {DC_MINEXTENT, static_cast<int>(MAKELONG(1480, 2100))},  // A5
      {DC_MAXEXTENT, static_cast<int>(MAKELONG(2970, 4200))},  // A3
  };
  for (const Row& r : rows)
    EXPECT_EQ(DeviceCapabilitiesA(kPrinter, nullptr, r.capability, nullptr, nullptr), r.answer)
        << "capability " << r.capability;
  SetLastError(0);
  EXPECT_EQ(DeviceCapabilitiesA(kPrinter, nullptr, 999, nullptr, nullptr), -1) << "an unknown capability";
  EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
  SetLastError(0);
  EXPECT_EQ(DeviceCapabilitiesA("No Such Printer", nullptr, DC_PAPERS, nullptr, nullptr), -1);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PRINTER_NAME);
  EXPECT_EQ(DeviceCapabilitiesA(nullptr, nullptr, DC_PAPERS, nullptr, nullptr), -1);

  // The lists: A4's code, size and name at the same place in each; names in
  // their 64-character slots, zero-ended.
  std::vector<WORD> papers(7);
  std::vector<POINT> sizes(7);
  std::vector<char> names(7 * 64, 'x');
  DeviceCapabilitiesA(kPrinter, nullptr, DC_PAPERS, reinterpret_cast<LPSTR>(papers.data()), nullptr);
  DeviceCapabilitiesA(kPrinter, nullptr, DC_PAPERSIZE, reinterpret_cast<LPSTR>(sizes.data()), nullptr);
  DeviceCapabilitiesA(kPrinter, nullptr, DC_PAPERNAMES, names.data(), nullptr);
  size_t a4 = 0;
  while (a4 < papers.size() && papers[a4] != DMPAPER_A4) ++a4;
  ASSERT_LT(a4, papers.size());
  EXPECT_EQ(sizes[a4].x, 2100);
  EXPECT_EQ(sizes[a4].y, 2970);
  EXPECT_STREQ(&names[a4 * 64], "A4 (210 x 297 mm)");
  std::vector<LONG> dpi(10);
  DeviceCapabilitiesA(kPrinter, nullptr, DC_ENUMRESOLUTIONS, reinterpret_cast<LPSTR>(dpi.data()), nullptr);
  EXPECT_EQ(dpi, (std::vector<LONG>{75, 75, 150, 150, 200, 200, 300, 300, 600, 600}));
}

TEST(PrinterCaps, EntryReadFromThePrinter) {
  TestPrinter printer;
  PrinterCapsEntry entry;
  ASSERT_EQ(ReadPrinterCaps(kPrinter, &entry), 1);
  EXPECT_EQ(entry.loaded, 1);
  ASSERT_EQ(entry.papers.GetSize(), 7);
  ASSERT_EQ(entry.paperSizes.GetSize(), 7);
  ASSERT_EQ(entry.paperNames.GetSize(), 7);
  for (int i = 0; i < entry.papers.GetSize(); ++i) {
    if (entry.papers[i] != DMPAPER_LETTER) continue;
    EXPECT_EQ(entry.paperSizes[i].x, 2159);
    EXPECT_EQ(entry.paperSizes[i].y, 2794);
    EXPECT_STREQ(entry.paperNames[i].GetData(), "Letter (8.5 x 11 in)");
  }
  EXPECT_EQ(entry.bins.GetSize(), 5);
  EXPECT_EQ(entry.binNames.GetSize(), 5);
  ASSERT_EQ(entry.resolutions.GetSize(), 5);
  EXPECT_EQ(entry.resolutions[4].x, 600);
  EXPECT_EQ(entry.maxCopies, 9999);
  EXPECT_EQ(entry.collate, 1);
  EXPECT_EQ(entry.duplex, 0);
  EXPECT_EQ(entry.landscapeAngle, 90);
  // An unknown printer empties the entry.
  EXPECT_EQ(ReadPrinterCaps("No Such Printer", &entry), 0);
  EXPECT_EQ(entry.loaded, 0);
  EXPECT_EQ(entry.papers.GetSize(), 0);
  EXPECT_EQ(ReadPrinterCaps(kPrinter, nullptr), 0);
}

TEST(PrinterCaps, MapReadsEachPrinterOnce) {
  TestPrinter printer;
  PrinterCapsMap map;
  const PrinterCapsEntry* first = FindPrinterCaps(map, kPrinter);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(map.GetCount(), 1);
  EXPECT_EQ(FindPrinterCaps(map, kPrinter), first) << "kept, not read again";
  EXPECT_EQ(FindPrinterCaps(map, "No Such Printer"), nullptr);
  EXPECT_EQ(map.GetCount(), 1) << "nothing kept for an unknown printer";
  PrinterCapsEntry copy;
  EXPECT_EQ(map.Lookup(AString(kPrinter), copy), 1);
  EXPECT_EQ(copy.papers.GetSize(), 7) << "Lookup copies the whole entry out";
  map.RemoveAll();
  EXPECT_EQ(map.GetCount(), 0);
}

}  // namespace
