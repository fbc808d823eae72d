// CUPS raster through libcups' raster writer: 1 bit per pixel (1 = black)
// for black-and-white pages, 8-bit grey otherwise; the drawable part of the
// page is placed at its offset on the physical page.
#include <sys/types.h>

#include <cstring>
#include <vector>

#include <cups/raster.h>

#include "platform/spool/page_writers.h"

namespace spool {
namespace {

uint8_t Grey(uint32_t pixel) {
  const uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  return static_cast<uint8_t>((r * 299 + g * 587 + b * 114 + 500) / 1000);
}

class RasterWriter : public PageWriter {
 public:
  explicit RasterWriter(ByteSink sink) : sink_(std::move(sink)) {}
  ~RasterWriter() override {
    if (raster_) cupsRasterClose(raster_);
  }

  bool AddPage(const gdi::PrintedPage& page) override {
    if (!raster_) raster_ = cupsRasterOpenIO(&RasterWriter::Write, this, CUPS_RASTER_WRITE_COMPRESSED);
    if (!raster_) return Fail("The raster document could not be started");
    cups_page_header2_t header;
    std::memset(&header, 0, sizeof header);
    const int width = std::max<int>(page.physical.cx, page.offset.x + page.width);
    const int height = std::max<int>(page.physical.cy, page.offset.y + page.height);
    header.HWResolution[0] = static_cast<unsigned>(page.dpiX);
    header.HWResolution[1] = static_cast<unsigned>(page.dpiY);
    header.PageSize[0] = static_cast<unsigned>((width * 72 + page.dpiX / 2) / page.dpiX);
    header.PageSize[1] = static_cast<unsigned>((height * 72 + page.dpiY / 2) / page.dpiY);
    header.cupsPageSize[0] = static_cast<float>(width) * 72.0f / static_cast<float>(page.dpiX);
    header.cupsPageSize[1] = static_cast<float>(height) * 72.0f / static_cast<float>(page.dpiY);
    header.ImagingBoundingBox[0] = static_cast<unsigned>(page.offset.x * 72 / page.dpiX);
    header.ImagingBoundingBox[1] = static_cast<unsigned>(page.offset.y * 72 / page.dpiY);
    header.ImagingBoundingBox[2] = static_cast<unsigned>((page.offset.x + page.width) * 72 / page.dpiX);
    header.ImagingBoundingBox[3] = static_cast<unsigned>((page.offset.y + page.height) * 72 / page.dpiY);
    header.NumCopies = 1;
    header.cupsWidth = static_cast<unsigned>(width);
    header.cupsHeight = static_cast<unsigned>(height);
    header.cupsColorOrder = CUPS_ORDER_CHUNKED;
    header.cupsNumColors = 1;
    const bool mono = page.blackAndWhite;
    header.cupsBitsPerColor = mono ? 1 : 8;
    header.cupsBitsPerPixel = mono ? 1 : 8;
    header.cupsColorSpace = mono ? CUPS_CSPACE_K : CUPS_CSPACE_SW;
    header.cupsBytesPerLine = mono ? (header.cupsWidth + 7) / 8 : header.cupsWidth;
    if (!cupsRasterWriteHeader2(raster_, &header)) return Fail("The raster page could not be written");
    std::vector<uint8_t> row(header.cupsBytesPerLine);
    for (int y = 0; y < height; ++y) {
      std::fill(row.begin(), row.end(), mono ? 0x00 : 0xFF);  // white paper
      const int py = y - page.offset.y;
      if (py >= 0 && py < page.height) {
        const uint32_t* pixels = page.pixels + static_cast<size_t>(py) * page.stride;
        if (mono)
          MarkBlackPixels(pixels, page.width, row.data(), page.offset.x, true);
        else
          for (int px = 0; px < page.width; ++px) row[px + page.offset.x] = Grey(pixels[px] & 0xFFFFFFu);
      }
      if (cupsRasterWritePixels(raster_, row.data(), header.cupsBytesPerLine) != header.cupsBytesPerLine)
        return Fail("The raster page could not be written");
    }
    return !failed_;
  }

  bool Finish() override {
    if (raster_) cupsRasterClose(raster_);
    raster_ = nullptr;
    return !failed_;
  }
  const std::string& Error() const override { return error_; }

 private:
  static ssize_t Write(void* context, unsigned char* bytes, size_t length) {
    auto* self = static_cast<RasterWriter*>(context);
    if (self->failed_ || !self->sink_({bytes, length})) {
      self->failed_ = true;
      return -1;
    }
    return static_cast<ssize_t>(length);
  }
  bool Fail(const char* what) {
    if (error_.empty()) error_ = what;
    failed_ = true;
    return false;
  }

  ByteSink sink_;
  cups_raster_t* raster_ = nullptr;
  bool failed_ = false;
  std::string error_;
};

}  // namespace

std::unique_ptr<PageWriter> MakeRasterWriter(ByteSink sink) { return std::make_unique<RasterWriter>(std::move(sink)); }

}  // namespace spool
