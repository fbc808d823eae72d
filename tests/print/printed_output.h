// Reading back what a printer received: CUPS raster pages through libcups'
// raster reader, PDF pages through poppler's pdftoppm at a resolution, as
// grey pictures (0 black, 255 white).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <ZXing/BarcodeFormat.h>
#include <cups/cups.h>
#include <cups/raster.h>

#include "fields/services/label_setup.h"
#include "platform/spool/devmode.h"

namespace print_test {

struct GreyPage {
  int width = 0, height = 0;
  int dpiX = 0, dpiY = 0;
  std::vector<uint8_t> pixels;
  uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool Black(int x, int y) const { return At(x, y) < 128; }
};

// Every page of a CUPS raster file (1-bit black or 8-bit grey); empty when
// the file is no raster. `headers`, when given, gets each page's header.
std::vector<GreyPage> ReadRasterPages(const std::string& path, std::vector<cups_page_header2_t>* headers = nullptr);
// Every graphic a Zebra label printer is sent to store ("~DG", hexadecimal
// rows with the printer's run-length letters, "," "!" and ":" for rows
// ending white, ending black and repeated), one page each, a set bit black.
std::vector<GreyPage> ReadZplGraphics(const std::string& path);
// Every page of a PDF (a printer-job-language wrapper is fine) at `dpi`.
std::vector<GreyPage> ReadPdfPages(const std::string& path, int dpi);
std::string ReadBytes(const std::string& path);
// The run of black pixels along row y starting at x: its first and last x.
struct Run {
  int first = -1, last = -1;
  int Width() const { return last - first + 1; }
};
std::vector<Run> BlackRuns(const GreyPage& page, int y);
// The printer's settings for a layout: its sheet as a custom paper, or
// Letter, at the layout's resolution.
DEVMODEA SheetMode(const CLabelSetup& setup, bool letter);
// The example asset tag's number n ("ASSET-000500" for 500).
std::string AssetNumber(int n);
// The symbol of the format read by zxing-cpp inside a rectangle of the page
// (cut to the page), "(nothing read)" when none is.
std::string SymbolIn(const GreyPage& page, RECT r, ZXing::BarcodeFormat format);
// The Data Matrix symbol read by zxing-cpp inside a rectangle of the page
// (cut to the page), "(nothing read)" when none is.
std::string DataMatrixIn(const GreyPage& page, RECT r);
// Where the example asset tag's symbol stands, with its quiet zone and
// clear of the tag's texts, on a page of `queue` printed one tag a page with
// the settings `dm` (null: the queue's own): the tag starts where the
// queue's printable area does. Empty for a queue the spooler does not know.
RECT AssetSymbolArea(const char* queue, const DEVMODEA* dm);
// The state of a job of the test server (0 when the server knows no such job).
ipp_jstate_t JobState(const std::string& queue, int id);
// The id of the newest job of the queue, 0 when it has none.
int NewestJob(const std::string& queue);

}  // namespace print_test
