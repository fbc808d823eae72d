// The documents a printer receives, written page by page as the pages come:
// CUPS raster (for drivers that take raster: label printers) and PDF (one
// image per page at the device's resolution, a 1-bit stencil where the page
// is black and white, so bars keep their exact dots). Both go to a byte
// sink: a job of a queue or a file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/gdi/print_document.h"

namespace spool {

using ByteSink = std::function<bool(std::span<const uint8_t>)>;

enum class DocumentFormat { Pdf, CupsRaster };
// The MIME type a queue is sent.
const char* MimeTypeOf(DocumentFormat format);

class PageWriter {
 public:
  virtual ~PageWriter() = default;
  virtual bool AddPage(const gdi::PrintedPage& page) = 0;
  // Ends the document (the PDF's trailer); false when the sink failed.
  virtual bool Finish() = 0;
  virtual const std::string& Error() const = 0;
};

std::unique_ptr<PageWriter> MakePageWriter(DocumentFormat format, ByteSink sink);

// Sets a bit in `bits` for every black pixel (0x000000; the fourth byte is
// ignored) of a row of `count` pixels, the first pixel's bit being bit
// `first` of the row; within a byte bits run from the most significant when
// `highFirst`, else from the least. Other bits stay as they are. Without a
// branch a pixel: bars make black and white alternate unpredictably.
inline void MarkBlackPixels(const uint32_t* pixels, int count, uint8_t* bits, int first, bool highFirst) {
  for (int i = 0; i < count; ++i) {
    const int bit = first + i;
    const uint32_t black = (pixels[i] & 0xFFFFFFu) == 0;
    bits[bit >> 3] |= static_cast<uint8_t>(black << (highFirst ? 7 - (bit & 7) : bit & 7));
  }
}

}  // namespace spool
