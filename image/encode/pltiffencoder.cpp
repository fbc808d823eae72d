#include "image/encode/pltiffencoder.h"

#include <vector>

#include "image/bitmap/planybmp.h"
#include "image/encode/one_bit_colours.h"
#include "image/io/tiff_stream.h"

namespace {

// How a 1-bit bitmap is stored: black and white as they are, any other pair
// of colours through a two-entry colour map.
int OneBitPhotometric(const PLBmp* bmp) {
  switch (ClassifyOneBitColours(bmp->GetPalette())) {
    case OneBitColours::BlackFirst:
      return PHOTOMETRIC_MINISBLACK;
    case OneBitColours::WhiteFirst:
      return PHOTOMETRIC_MINISWHITE;
    case OneBitColours::Other:
      break;
  }
  return PHOTOMETRIC_PALETTE;
}

}  // namespace

int PLTIFFEncoder::DoEncode(PLBmp* bmp, PLDataSink* sink) {
  PLAnyBmp wide;
  PLBmp* src = WidenedTo32(bmp, {24}, wide);
  if (!src) return 0;
  int bpp = src->GetBitsPerPixel();
  if (bpp != 1 && bpp != 8 && bpp != 32) return 0;
  InstallTiffMessageHandlers();
  std::vector<PLBYTE> file;
  TIFF* tiff = OpenTiffGrowingStream(&file);
  if (!tiff) return 0;
  PLBmpLock lock(*src, true, false);
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(src->GetWidth()));
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(src->GetHeight()));
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, uint16_t(bpp < 9 ? bpp : 8));
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, uint16_t(bpp < 9 ? 1 : 3));
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, uint16_t(m_Compression));
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, uint16_t(PLANARCONFIG_CONTIG));
  // An unknown resolution (0) is left out rather than written as zero.
  PLPoint res = src->GetResolution();
  if (res.x > 0 && res.y > 0) {
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, float(res.x));
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, float(res.y));
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, uint16_t(RESUNIT_INCH));
  }
  uint16_t photometric = bpp == 1 ? uint16_t(OneBitPhotometric(src))
                                  : (bpp == 8 ? uint16_t(PHOTOMETRIC_PALETTE) : uint16_t(PHOTOMETRIC_RGB));
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, photometric);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
  int ok = WriteTiffImage(src, tiff);
  if (ok && TIFFFlush(tiff) != 1) ok = 0;
  TIFFClose(tiff);
  if (!ok || file.empty()) return 0;
  sink->WriteBytes(int(file.size()), file.data());
  return 1;
}

int PLTIFFEncoder::WriteTiffImage(PLBmp* bmp, TIFF* tiff) {
  int bpp = bmp->GetBitsPerPixel(), w = bmp->GetWidth(), h = bmp->GetHeight();
  uint16_t photometric = 0;
  TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
  if (photometric == PHOTOMETRIC_PALETTE) {
    // Colour map levels run from 0 to 65535.
    int n = 1 << bpp;
    std::vector<uint16_t> red(static_cast<size_t>(n)), green(static_cast<size_t>(n)), blue(static_cast<size_t>(n));
    const PLPixel32* pal = bmp->GetPalette();
    for (int i = 0; i < n && pal; ++i) {
      red[size_t(i)] = uint16_t(pal[i].r * 257);
      green[size_t(i)] = uint16_t(pal[i].g * 257);
      blue[size_t(i)] = uint16_t(pal[i].b * 257);
    }
    TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
  }
  if (bpp == 32) {
    std::vector<PLBYTE> row(size_t(w) * 3);
    for (int y = 0; y < h; ++y) {
      const PLPixel32* in = bmp->GetLineArray32()[y];
      for (int x = 0; x < w; ++x) {
        row[size_t(x) * 3] = in[x].r;
        row[size_t(x) * 3 + 1] = in[x].g;
        row[size_t(x) * 3 + 2] = in[x].b;
      }
      if (TIFFWriteScanline(tiff, row.data(), uint32_t(y), 0) != 1) return 0;
    }
    return 1;
  }
  // 1 and 8 bits: the rows as they are (libtiff takes the packed bytes).
  std::vector<PLBYTE> row(PLBmp::PackedLineBytes(w, bpp));
  for (int y = 0; y < h; ++y) {
    std::copy(bmp->GetLineArray()[y], bmp->GetLineArray()[y] + row.size(), row.begin());
    if (TIFFWriteScanline(tiff, row.data(), uint32_t(y), 0) != 1) return 0;
  }
  return 1;
}
