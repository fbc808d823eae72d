#include "image/encode/plpngencoder.h"

#include <png.h>

#include <cstring>

#include "image/bitmap/planybmp.h"
#include "image/encode/one_bit_colours.h"
#include "image/io/png_messages.h"
#include "image/io/pltrace.h"

namespace {

void PngWrite(png_structp png, png_bytep data, png_size_t length) {
  auto* sink = static_cast<PLDataSink*>(png_get_io_ptr(png));
  bool ok = false;
  try {
    ok = length <= 0x7FFFFFFF && sink->WriteBytes(int(length), data) == int(length);
  } catch (...) {
    ok = false;
  }
  if (!ok) png_error(png, "Error writting file");
}

void PngFlush(png_structp) {}


}  // namespace

int PLPNGEncoder::DoEncode(PLBmp* bmp, PLDataSink* sink) {
  int bpp = bmp->GetBitsPerPixel();
  if (bpp != 1 && bpp != 8 && bpp != 24 && bpp != 32) return 0;
  m_pBmp = bmp;
  m_pSink = sink;
  PLBmpLock lock(*bmp, true, false);
  int result = Write(bmp);
  m_pBmp = nullptr;
  m_pSink = nullptr;
  return result;
}

int PLPNGEncoder::Write(PLBmp* bmp) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, const_cast<char*>(m_pSink->GetName()),
                                            PngRaiseError, PngIgnoreWarning);
  if (!png) return 0;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return 0;
  }
  png_set_compression_level(png, m_CompressionLevel & 0xFFFF);
  png_set_write_fn(png, m_pSink, PngWrite, PngFlush);

  int bpp = bmp->GetBitsPerPixel();
  const PLPixel32* pal = bmp->GetPalette();
  bool alpha = bmp->HasAlpha() && bpp == 32;
  // A 1-bit bitmap is grey when its colours are black and white (in either
  // order, inverted when white comes first), else a two-entry palette.
  const OneBitColours oneBit = ClassifyOneBitColours(pal);
  bool oneBitGrey = bpp == 1 && oneBit != OneBitColours::Other;
  bool oneBitInverted = bpp == 1 && oneBit == OneBitColours::WhiteFirst;
  int colourType, depth;
  if (bpp == 1) {
    depth = 1;
    colourType = oneBitGrey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_PALETTE;
  } else if (bpp == 8) {
    depth = 8;
    colourType = PNG_COLOR_TYPE_PALETTE;
  } else {
    depth = 8;
    colourType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
  }
  png_set_IHDR(png, info, png_uint_32(bmp->GetWidth()), png_uint_32(bmp->GetHeight()), depth, colourType,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    png_color entries[256];
    int n = 1 << bpp;
    for (int i = 0; i < n; ++i) {
      entries[i].red = pal ? pal[i].r : png_byte(i);
      entries[i].green = pal ? pal[i].g : png_byte(i);
      entries[i].blue = pal ? pal[i].b : png_byte(i);
    }
    png_set_PLTE(png, info, entries, n);
  }
  png_color_8 sig;
  std::memset(&sig, 0, sizeof sig);
  // Palette entries always carry 8 bits per channel.
  sig.red = sig.green = sig.blue = png_byte(colourType == PNG_COLOR_TYPE_PALETTE ? 8 : depth);
  sig.gray = colourType == PNG_COLOR_TYPE_GRAY ? png_byte(depth) : 0;
  sig.alpha = alpha ? 8 : 0;
  png_set_sBIT(png, info, &sig);
  // An unknown resolution writes no pHYs chunk.
  PLPoint res = bmp->GetResolution();
  if (res.x != 0) {
    // Dots per inch to per metre, truncated in extended precision (300 dpi
    // gives 11810).
    auto perMetre = [](int dpi) { return png_uint_32(static_cast<long double>(dpi) * static_cast<long double>(39.37)); };
    png_set_pHYs(png, info, perMetre(res.x), perMetre(res.y), PNG_RESOLUTION_METER);
  }
  png_write_info(png, info);
  if (bpp == 32 && !alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
  if (bpp >= 24) png_set_bgr(png);
  if (oneBitGrey && oneBitInverted) png_set_invert_mono(png);
  png_write_image(png, bmp->GetLineArray());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return 1;
}
