// PDF through cairo: each page one picture at the device's resolution, a
// 1-bit stencil painted black when the page is black and white (every bar
// stays whole dots when read back at that resolution), else an RGB picture.
#include <bit>
#include <cstring>

#include <cairo-pdf.h>
#include <cairo.h>

#include "platform/spool/page_writers.h"

namespace spool {
namespace {

struct SurfaceOwner {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using UniqueSurface = std::unique_ptr<cairo_surface_t, SurfaceOwner>;
struct ContextOwner {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using UniqueContext = std::unique_ptr<cairo_t, ContextOwner>;
struct PatternOwner {
  void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
using UniquePattern = std::unique_ptr<cairo_pattern_t, PatternOwner>;

// The page's pixels as a cairo picture: a stencil (a set bit paints black)
// or opaque RGB.
UniqueSurface PictureOf(const gdi::PrintedPage& page) {
  const cairo_format_t format = page.blackAndWhite ? CAIRO_FORMAT_A1 : CAIRO_FORMAT_RGB24;
  UniqueSurface image(cairo_image_surface_create(format, page.width, page.height));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(image.get());
  unsigned char* data = cairo_image_surface_get_data(image.get());
  const int stride = cairo_image_surface_get_stride(image.get());
  for (int y = 0; y < page.height; ++y) {
    unsigned char* row = data + static_cast<size_t>(y) * stride;
    if (page.blackAndWhite) {
      std::memset(row, 0, static_cast<size_t>(stride));
      // A1 pixels are bits of native 32-bit words, the first pixel lowest:
      // on a little-endian machine, bytes whose first pixel is the lowest bit.
      static_assert(std::endian::native == std::endian::little);
      MarkBlackPixels(page.pixels + static_cast<size_t>(y) * page.stride, page.width, row, 0, false);
    } else {
      std::memcpy(row, &page.pixels[static_cast<size_t>(y) * page.stride], static_cast<size_t>(page.width) * 4);
    }
  }
  cairo_surface_mark_dirty(image.get());
  return image;
}

class PdfWriter : public PageWriter {
 public:
  explicit PdfWriter(ByteSink sink) : sink_(std::move(sink)) {}

  bool AddPage(const gdi::PrintedPage& page) override {
    const double width = static_cast<double>(std::max<int>(page.physical.cx, page.offset.x + page.width)) * 72.0 / page.dpiX;
    const double height = static_cast<double>(std::max<int>(page.physical.cy, page.offset.y + page.height)) * 72.0 / page.dpiY;
    if (!pdf_) {
      pdf_.reset(cairo_pdf_surface_create_for_stream(&PdfWriter::Write, this, width, height));
      if (cairo_surface_status(pdf_.get()) != CAIRO_STATUS_SUCCESS) return Fail("The PDF document could not be started");
    } else {
      cairo_pdf_surface_set_size(pdf_.get(), width, height);
    }
    UniqueSurface picture = PictureOf(page);
    if (!picture) return Fail("Out of memory for the PDF page");
    UniqueContext cr(cairo_create(pdf_.get()));
    cairo_scale(cr.get(), 72.0 / page.dpiX, 72.0 / page.dpiY);
    cairo_translate(cr.get(), page.offset.x, page.offset.y);
    UniquePattern pattern(cairo_pattern_create_for_surface(picture.get()));
    cairo_pattern_set_filter(pattern.get(), CAIRO_FILTER_NEAREST);
    if (page.blackAndWhite) {
      cairo_set_source_rgb(cr.get(), 0, 0, 0);
      cairo_mask(cr.get(), pattern.get());
    } else {
      cairo_set_source(cr.get(), pattern.get());
      cairo_paint(cr.get());
    }
    cairo_show_page(cr.get());
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS || failed_) return Fail("The PDF page could not be written");
    return true;
  }

  bool Finish() override {
    if (pdf_) {
      cairo_surface_finish(pdf_.get());
      if (cairo_surface_status(pdf_.get()) != CAIRO_STATUS_SUCCESS) Fail("The PDF document could not be written");
      pdf_.reset();
    }
    return !failed_;
  }
  const std::string& Error() const override { return error_; }

 private:
  static cairo_status_t Write(void* context, const unsigned char* bytes, unsigned int length) {
    auto* self = static_cast<PdfWriter*>(context);
    if (self->failed_ || !self->sink_({bytes, length})) {
      self->failed_ = true;
      return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
  }
  bool Fail(const char* what) {
    if (error_.empty()) error_ = what;
    failed_ = true;
    return false;
  }

  ByteSink sink_;
  UniqueSurface pdf_;
  bool failed_ = false;
  std::string error_;
};

}  // namespace

std::unique_ptr<PageWriter> MakePdfWriter(ByteSink sink) { return std::make_unique<PdfWriter>(std::move(sink)); }

}  // namespace spool
