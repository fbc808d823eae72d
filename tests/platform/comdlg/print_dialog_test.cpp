// PrintDlg and DocumentProperties over the spooler's printers, driven as a
// person would: choosing a printer, the page range, copies and collation,
// print to file, the properties dialog; the blocks and device context the
// caller gets back, and the errors of bad requests.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/gdi/printer_settings.h"
#include "tests/platform/comdlg/comdlg_test_util.h"

namespace {

using comdlgtest::ClickItem;
using comdlgtest::Next;
using comdlgtest::TempFolder;
using comdlgtest::TypeInto;

constexpr const char* kPrinter = "Label Printer A4";

// A file printer of 600 dpi with A4 pages, there for one test.
class TestPrinter {
 public:
  explicit TestPrinter(const TempFolder& temp) {
    port_ = temp.path() + "/printed.bin";
    PRINTER_INFO_2A info{};
    info.pPrinterName = const_cast<char*>(kPrinter);
    info.pPortName = port_.data();
    info.pDriverName = const_cast<char*>("Label Driver");
    handle_ = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
    gdi::RegisterPrinterSettings(kPrinter, gdi::PrinterSettings{600, 600, {4961, 7016}, {100, 100}, {4761, 6816}});
  }
  ~TestPrinter() {
    if (handle_) DeletePrinter(handle_);
  }
  const std::string& port() const { return port_; }

 private:
  std::string port_;
  HANDLE handle_ = nullptr;
};

struct Names {
  std::string driver, device, output;
  WORD flags = 0;
};

Names ReadNames(HGLOBAL block) {
  Names n;
  const auto* bytes = static_cast<const char*>(GlobalLock(block));
  if (!bytes) return n;
  DEVNAMES d{};
  std::memcpy(&d, bytes, sizeof d);
  n.driver = bytes + d.wDriverOffset;
  n.device = bytes + d.wDeviceOffset;
  n.output = bytes + d.wOutputOffset;
  n.flags = d.wDefault;
  GlobalUnlock(block);
  return n;
}

DEVMODEA ReadMode(HGLOBAL block) {
  DEVMODEA m{};
  if (const auto* at = static_cast<const DEVMODEA*>(GlobalLock(block))) {
    m = *at;
    GlobalUnlock(block);
  }
  return m;
}

PRINTDLGA Request(DWORD flags) {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.Flags = flags;
  pd.nFromPage = 1;
  pd.nToPage = 1;
  pd.nMinPage = 1;
  pd.nMaxPage = 12;
  pd.nCopies = 1;
  return pd;
}

void Free(PRINTDLGA& pd) {
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  if (pd.hDC) DeleteDC(pd.hDC);
}

void ChoosePrinter(HWND dialog, const char* name) {
  const HWND combo = GetDlgItem(dialog, cmb4);
  const LRESULT at = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(comdlgtest::Wide(name).c_str()));
  ASSERT_GE(at, 0);
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

TEST(PrintDialog, ReturnDefaultNeedsNoDialogAndNoBlocksOfTheCallers) {
  PRINTDLGA pd = Request(PD_RETURNDEFAULT);
  ASSERT_TRUE(PrintDlgA(&pd));
  const Names names = ReadNames(pd.hDevNames);
  EXPECT_EQ(names.device, gdi::DefaultPrinterName());
  EXPECT_EQ(names.flags, DN_DEFAULTPRN);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(ReadMode(pd.hDevMode).dmDeviceName)), names.device);
  PRINTDLGA again = Request(PD_RETURNDEFAULT);
  again.hDevMode = pd.hDevMode;
  EXPECT_FALSE(PrintDlgA(&again));
  EXPECT_EQ(CommDlgExtendedError(), PDERR_RETDEFFAILURE);
  Free(pd);
}

TEST(PrintDialog, PrinterPagesCopiesAndCollationAreReturned) {
  TempFolder temp;
  TestPrinter printer(temp);
  PRINTDLGA pd = Request(PD_RETURNDC | PD_NOSELECTION);
  std::string where;
  Next([&](HWND dialog) {
    ChoosePrinter(dialog, kPrinter);
    where = comdlgtest::Utf8(comdlgtest::Text(GetDlgItem(dialog, stc7)));
    ClickItem(dialog, rad3);
    TypeInto(dialog, edt1, u"2");
    TypeInto(dialog, edt2, u"5");
    TypeInto(dialog, edt3, u"3");
    ClickItem(dialog, chx2);
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(PrintDlgA(&pd));
  EXPECT_EQ(where, printer.port());
  EXPECT_EQ(pd.Flags & (PD_PAGENUMS | PD_SELECTION | PD_COLLATE | PD_PRINTTOFILE), PD_PAGENUMS | PD_COLLATE);
  EXPECT_EQ(pd.nFromPage, 2);
  EXPECT_EQ(pd.nToPage, 5);
  EXPECT_EQ(pd.nCopies, 3);
  const Names names = ReadNames(pd.hDevNames);
  EXPECT_EQ(names.device, kPrinter);
  EXPECT_EQ(names.driver, "Label Driver");
  EXPECT_EQ(names.output, printer.port());
  EXPECT_EQ(names.flags, 0);
  const DEVMODEA mode = ReadMode(pd.hDevMode);
  EXPECT_EQ(mode.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(mode.dmPrintQuality, 600);
  ASSERT_NE(pd.hDC, nullptr);
  EXPECT_EQ(GetDeviceCaps(pd.hDC, LOGPIXELSX), 600);
  Free(pd);
}

TEST(PrintDialog, PrintToFileAndDeviceModeCopies) {
  TempFolder temp;
  TestPrinter printer(temp);
  PRINTDLGA pd = Request(PD_USEDEVMODECOPIES);
  Next([](HWND dialog) {
    ChoosePrinter(dialog, kPrinter);
    ClickItem(dialog, chx1);
    TypeInto(dialog, edt3, u"4");
    ClickItem(dialog, chx2);
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(PrintDlgA(&pd));
  EXPECT_TRUE(pd.Flags & PD_PRINTTOFILE);
  EXPECT_FALSE(pd.Flags & PD_PAGENUMS);
  EXPECT_EQ(ReadNames(pd.hDevNames).output, "FILE:");
  const DEVMODEA mode = ReadMode(pd.hDevMode);
  EXPECT_EQ(mode.dmCopies, 4);
  EXPECT_EQ(mode.dmCollate, DMCOLLATE_TRUE);
  EXPECT_EQ(pd.nCopies, 1);
  EXPECT_EQ(pd.hDC, nullptr) << "no device context unless asked";
  Free(pd);
}

TEST(PrintDialog, APageRangeOutsideTheDocumentIsRefusedAndCancelChangesNothing) {
  PRINTDLGA pd = Request(0);
  int complaints = 0;
  Next([&](HWND dialog) {
    ClickItem(dialog, rad3);
    TypeInto(dialog, edt1, u"3");
    TypeInto(dialog, edt2, u"40");
    Next([&](HWND box) {
      ++complaints;
      ClickItem(box, IDOK);
    });
    ClickItem(dialog, IDOK);
    ClickItem(dialog, IDCANCEL);
  });
  EXPECT_FALSE(PrintDlgA(&pd));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(complaints, 1);
  EXPECT_EQ(pd.nFromPage, 1);
  EXPECT_EQ(pd.nToPage, 1);
  EXPECT_EQ(pd.Flags, 0u);
  EXPECT_EQ(pd.hDevMode, nullptr);
  EXPECT_EQ(pd.hDevNames, nullptr);
}

TEST(PrintDialog, ThePropertiesButtonChangesTheDeviceMode) {
  TempFolder temp;
  TestPrinter printer(temp);
  PRINTDLGA pd = Request(0);
  Next([](HWND dialog) {
    ChoosePrinter(dialog, kPrinter);
    Next([](HWND properties) {
      ClickItem(properties, TAV_PROP_LANDSCAPE);
      const HWND paper = GetDlgItem(properties, TAV_PROP_PAPER);
      SendMessageW(paper, CB_SETCURSEL, 0, 0);  // Letter
      ClickItem(properties, IDOK);
    });
    ClickItem(dialog, psh2);
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(PrintDlgA(&pd));
  const DEVMODEA mode = ReadMode(pd.hDevMode);
  EXPECT_EQ(mode.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(mode.dmPaperSize, DMPAPER_LETTER);
  EXPECT_EQ(mode.dmPaperWidth, 2159);
  Free(pd);
}

TEST(PrintDialog, TheCallersBlocksChooseThePrinterAndAnUnknownOneIsAnError) {
  TempFolder temp;
  TestPrinter printer(temp);
  PRINTDLGA first = Request(0);
  Next([](HWND dialog) {
    ChoosePrinter(dialog, kPrinter);
    ClickItem(dialog, IDOK);
  });
  ASSERT_TRUE(PrintDlgA(&first));
  PRINTDLGA again = Request(0);
  again.hDevNames = first.hDevNames;
  std::u16string shown;
  Next([&](HWND dialog) {
    shown = comdlgtest::Text(GetDlgItem(dialog, cmb4));
    ClickItem(dialog, IDCANCEL);
  });
  EXPECT_FALSE(PrintDlgA(&again));
  EXPECT_EQ(shown, comdlgtest::Wide(kPrinter));
  PRINTDLGA unknown = Request(0);
  DEVMODEA mode{};
  std::strcpy(reinterpret_cast<char*>(mode.dmDeviceName), "No Such Printer");
  unknown.hDevMode = GlobalAlloc(GMEM_MOVEABLE, sizeof mode);
  std::memcpy(GlobalLock(unknown.hDevMode), &mode, sizeof mode);
  GlobalUnlock(unknown.hDevMode);
  EXPECT_FALSE(PrintDlgA(&unknown));
  EXPECT_EQ(CommDlgExtendedError(), PDERR_PRINTERNOTFOUND);
  GlobalFree(unknown.hDevMode);
  Free(first);
  PRINTDLGA bad{};
  bad.lStructSize = 10;
  EXPECT_FALSE(PrintDlgA(&bad));
  EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
}

TEST(DocumentProperties, SizeDefaultsMergingAndThePrompt) {
  TempFolder temp;
  TestPrinter printer(temp);
  char name[] = "Label Printer A4";
  EXPECT_EQ(DocumentPropertiesA(nullptr, nullptr, name, nullptr, nullptr, 0), static_cast<LONG>(sizeof(DEVMODEA)));
  DEVMODEA out{};
  ASSERT_EQ(DocumentPropertiesA(nullptr, nullptr, name, &out, nullptr, DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.dmDeviceName)), kPrinter);
  EXPECT_EQ(out.dmSize, sizeof(DEVMODEA));
  EXPECT_EQ(out.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(out.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(out.dmPrintQuality, 600);
  EXPECT_EQ(out.dmDefaultSource, DMBIN_AUTO);
  // An input mode changes what it names and what the printer can do.
  DEVMODEA in = out;
  in.dmFields = DM_ORIENTATION | DM_PRINTQUALITY | DM_DEFAULTSOURCE;
  in.dmOrientation = DMORIENT_LANDSCAPE;
  in.dmPrintQuality = 1200;  // more than the printer has: kept as it was
  in.dmDefaultSource = DMBIN_TRACTOR;
  in.dmPaperSize = DMPAPER_A3;  // not named in dmFields
  DEVMODEA merged{};
  ASSERT_EQ(DocumentPropertiesA(nullptr, nullptr, name, &merged, &in, DM_IN_BUFFER | DM_OUT_BUFFER), IDOK);
  EXPECT_EQ(merged.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(merged.dmPrintQuality, 600);
  EXPECT_EQ(merged.dmDefaultSource, DMBIN_TRACTOR);
  EXPECT_EQ(merged.dmPaperSize, DMPAPER_A4);
  // The prompt: cancelled, nothing is written; chosen, the choices are.
  DEVMODEA prompted{};
  prompted.dmCopies = 77;
  Next([](HWND properties) { ClickItem(properties, IDCANCEL); });
  EXPECT_EQ(DocumentPropertiesA(nullptr, nullptr, name, &prompted, &merged, DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER),
            IDCANCEL);
  EXPECT_EQ(prompted.dmCopies, 77);
  Next([](HWND properties) {
    const HWND resolution = GetDlgItem(properties, TAV_PROP_RESOLUTION);
    SendMessageW(resolution, CB_SETCURSEL, 1, 0);  // 150 dpi
    const HWND source = GetDlgItem(properties, TAV_PROP_SOURCE);
    SendMessageW(source, CB_SETCURSEL, 3, 0);  // manual feed
    ClickItem(properties, TAV_PROP_PORTRAIT);
    ClickItem(properties, IDOK);
  });
  EXPECT_EQ(DocumentPropertiesA(nullptr, nullptr, name, &prompted, &merged, DM_IN_BUFFER | DM_IN_PROMPT | DM_OUT_BUFFER),
            IDOK);
  EXPECT_EQ(prompted.dmPrintQuality, 150);
  EXPECT_EQ(prompted.dmYResolution, 150);
  EXPECT_EQ(prompted.dmDefaultSource, DMBIN_MANUAL);
  EXPECT_EQ(prompted.dmOrientation, DMORIENT_PORTRAIT);
  char unknown[] = "No Such Printer";
  EXPECT_LT(DocumentPropertiesA(nullptr, nullptr, unknown, &out, nullptr, DM_OUT_BUFFER), 0);
}

TEST(PrintDialogPictures, PrintAndPropertiesDialogs) {
  TempFolder temp;
  TestPrinter printer(temp);
  PRINTDLGA pd = Request(PD_PAGENUMS | PD_COLLATE);
  pd.nFromPage = 2;
  pd.nToPage = 3;
  pd.nCopies = 2;
  bool saved = false, savedProperties = false;
  Next([&](HWND dialog) {
    ChoosePrinter(dialog, kPrinter);
    uitest::RunUntilIdle();
    saved = uitest::SaveWindowPng(dialog, comdlgtest::PicturePath("print_dialog.png"));
    Next([&](HWND properties) {
      uitest::RunUntilIdle();
      savedProperties = uitest::SaveWindowPng(properties, comdlgtest::PicturePath("printer_properties_dialog.png"));
      ClickItem(properties, IDCANCEL);
    });
    ClickItem(dialog, psh2);
    ClickItem(dialog, IDCANCEL);
  });
  PrintDlgA(&pd);
  EXPECT_TRUE(saved);
  EXPECT_TRUE(savedProperties);
}

}  // namespace
