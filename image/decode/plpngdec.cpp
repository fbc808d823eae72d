#include "image/decode/plpngdec.h"

#include <png.h>

#include <cstring>

#include "image/io/png_messages.h"
#include "image/io/pltrace.h"
#include "platform/kernel/png_limits.h"

namespace {

// libpng's read callback: a short source ends the picture through the error
// routine, since no exception may pass through libpng's frames.
void ReadFn(png_structp png, png_bytep data, size_t length) {
  auto* source = static_cast<PLDataSource*>(png_get_io_ptr(png));
  if (length > size_t(source->GetBytesLeft())) png_error(png, "End of file reached while decoding.");
  std::memcpy(data, source->ReadBytes(int(length)), length);
}

}  // namespace

PLPNGDecoder::PLPNGDecoder() = default;

PLPNGDecoder::~PLPNGDecoder() { Release(); }

void PLPNGDecoder::Release() {
  if (m_png) png_destroy_read_struct(&m_png, m_info ? &m_info : nullptr, nullptr);
  m_png = nullptr;
  m_info = nullptr;
}

void PLPNGDecoder::Close() {
  Release();
  PLPicDecoder::Close();
}

int PLPNGDecoder::Open(PLDataSource* dataSrc) {
  Release();
  // The limits on sides, chunks and libpng's memory are set there; the
  // bitmap size limit applies too.
  m_png = CreateLimitedPngReader(nullptr, PngRaiseError, PngIgnoreWarning);
  if (!m_png) {
    RaiseError(10, "Cannot allocate PNG read structure.");
    return 0;
  }
  m_info = png_create_info_struct(m_png);
  if (!m_info) {
    RaiseError(10, "Cannot allocate PNG info structure.");
    Release();
    return 0;
  }
  if (setjmp(png_jmpbuf(m_png))) {
    Release();
    return 0;
  }
  png_set_read_fn(m_png, dataSrc, ReadFn);
  png_read_info(m_png, m_info);
  png_uint_32 width = 0, height = 0;
  int interlace = 0;
  png_get_IHDR(m_png, m_info, &width, &height, &m_BitDepth, &m_ColorType, &interlace, nullptr, nullptr);

  int bpp = 32;
  bool alpha = false, grey = false;
  const bool transparency = png_get_valid(m_png, m_info, PNG_INFO_tRNS) != 0;
  m_ColourKey = transparency && (m_ColorType == PNG_COLOR_TYPE_GRAY || m_ColorType == PNG_COLOR_TYPE_RGB);
  switch (m_ColorType) {
    case PNG_COLOR_TYPE_GRAY:
      if (m_ColourKey) {
        // The key becomes an alpha channel: grey, alpha, then colour.
        png_set_tRNS_to_alpha(m_png);
        png_set_gray_to_rgb(m_png);
        png_set_bgr(m_png);
        alpha = true;
        break;
      }
      bpp = 8;
      grey = true;
      break;
    case PNG_COLOR_TYPE_RGB:
      png_set_bgr(m_png);
      if (m_ColourKey) {
        png_set_tRNS_to_alpha(m_png);
        alpha = true;
      } else {
        png_set_filler(m_png, 0xFF, PNG_FILLER_AFTER);
      }
      break;
    case PNG_COLOR_TYPE_PALETTE:
      bpp = 8;
      alpha = transparency;
      break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      png_set_gray_to_rgb(m_png);
      png_set_expand(m_png);
      png_set_bgr(m_png);
      alpha = true;
      break;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      png_set_bgr(m_png);
      alpha = true;
      break;
    default:
      png_error(m_png, "Unknown PNG colour type.");
  }
  PLPoint resolution;
  png_uint_32 xRes = 0, yRes = 0;
  int unit = 0;
  if (png_get_pHYs(m_png, m_info, &xRes, &yRes, &unit) && unit == PNG_RESOLUTION_METER) {
    resolution = PLPoint{int(float(xRes) * 0.025400052f + 0.5f), int(float(yRes) * 0.025400052f + 0.5f)};
  }
  if (!PLBmp::IsValidGeometry(int(width), int(height), bpp)) png_error(m_png, "Picture too large.");
  SetDescription(int(width), int(height), bpp, m_BitDepth, dataSrc->GetFileSize(), alpha, grey, resolution);
  return 1;
}

int PLPNGDecoder::GetImage(PLBmp& bmp) {
  if (!m_png) return 0;
  volatile bool locked = false;
  if (setjmp(png_jmpbuf(m_png))) {
    if (locked) bmp.Unlock();
    Release();
    return 0;
  }
  if (m_ColorType == PNG_COLOR_TYPE_GRAY && !m_ColourKey) {
    const int entries = m_BitDepth >= 8 ? 256 : 1 << m_BitDepth;
    for (int i = 0; i < entries; ++i) {
      auto v = PLBYTE(i * 255 / (entries - 1));
      bmp.SetPaletteEntry(PLBYTE(i), v, v, v, 255);
    }
  } else if (m_ColorType == PNG_COLOR_TYPE_PALETTE) {
    png_colorp palette = nullptr;
    int count = 0;
    // Palette alpha: the first entries' alpha; the rest are opaque.
    png_bytep alpha = nullptr;
    int alphaCount = 0;
    if (!png_get_tRNS(m_png, m_info, &alpha, &alphaCount, nullptr)) alphaCount = 0;
    if (png_get_PLTE(m_png, m_info, &palette, &count)) {
      for (int i = 0; i < count && i < 256; ++i)
        bmp.SetPaletteEntry(PLBYTE(i), palette[i].red, palette[i].green, palette[i].blue,
                            i < alphaCount && alpha ? alpha[i] : 255);
    }
  }
  if (m_BitDepth == 16) png_set_strip_16(m_png);
  if (m_BitDepth < 8 && !m_ColourKey) png_set_packing(m_png);
  png_set_interlace_handling(m_png);
  png_read_update_info(m_png, m_info);
  // The rows libpng will deliver must fit the bitmap's rows.
  if (png_get_rowbytes(m_png, m_info) > PLBmp::PackedLineBytes(bmp.GetWidth(), bmp.GetBitsPerPixel()))
    png_error(m_png, "Row size does not match the picture.");
  bmp.Lock(false, true);
  locked = true;
  png_read_image(m_png, bmp.GetLineArray());
  locked = false;
  bmp.Unlock();
  png_read_end(m_png, nullptr);
  Release();
  return 1;
}
