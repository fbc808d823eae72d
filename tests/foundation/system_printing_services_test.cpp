#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include "foundation/system/font_key.h"
#include "foundation/system/printer_metrics.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/printer_settings.h"

namespace {

TEST(MakeFontKey, FormatsFaceNameAndHexMetrics) {
  const struct {
    const char* face;
    const char* printer;
    int height, width, style;
    const char* key;
  } cases[] = {
      {"Arial", "ZDesigner", 300, 0, 2, "Arial@ZDesigner@12C!0!2"},
      {"Courier New", "", 26, 255, 23, "Courier New@@1A!FF!17"},
      {"Arial", "P", -12, 0, 0, "Arial@P@FFFFFFF4!0!0"},
  };
  for (const auto& c : cases) EXPECT_STREQ(MakeFontKey(c.face, c.printer, c.height, c.width, c.style).GetData(), c.key);
}

TEST(GetPrinterMetrics, AsksThePrinterOnceAndKeepsTheAnswer) {
  const char* builtIn = "Tavrendel Page Printer";
  ForgetPrinterMetrics(nullptr);
  PrinterMetrics m;
  ASSERT_EQ(GetPrinterMetrics(builtIn, &m), 1);
  HDC ic = CreateICA("WINSPOOL", builtIn, nullptr, nullptr);
  ASSERT_NE(ic, nullptr);
  EXPECT_EQ(m.dpiX, GetDeviceCaps(ic, LOGPIXELSX));
  EXPECT_EQ(m.dpiY, GetDeviceCaps(ic, LOGPIXELSY));
  EXPECT_EQ(m.physicalWidth, GetDeviceCaps(ic, PHYSICALWIDTH));
  EXPECT_EQ(m.pageHeight, GetDeviceCaps(ic, VERTRES));
  EXPECT_EQ(m.offsetX, GetDeviceCaps(ic, PHYSICALOFFSETX));
  DeleteDC(ic);
  EXPECT_EQ(GetPrinterDpiX(builtIn), m.dpiX);

  // Later changes of the printer's settings are not seen until the cached
  // metrics are forgotten.
  const std::string name = "Cache Test Printer " + std::to_string(::getpid());
  gdi::PrinterSettings settings;
  settings.dpiX = settings.dpiY = 203;
  gdi::RegisterPrinterSettings(name, settings);
  EXPECT_EQ(GetPrinterDpiX(name.c_str()), 203);
  settings.dpiX = settings.dpiY = 600;
  gdi::RegisterPrinterSettings(name, settings);
  EXPECT_EQ(GetPrinterDpiX(name.c_str()), 203);
  ForgetPrinterMetrics(name.c_str());
  EXPECT_EQ(GetPrinterDpiX(name.c_str()), 600);

  EXPECT_EQ(GetPrinterMetrics("No Such Printer", &m), 0);
  EXPECT_EQ(m.dpiX, 0);
  EXPECT_EQ(GetPrinterDpiX(nullptr), 0);
}

}  // namespace
