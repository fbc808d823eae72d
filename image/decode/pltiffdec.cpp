#include "image/decode/pltiffdec.h"

#include <tiffio.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "image/io/pltrace.h"
#include "image/io/tiff_stream.h"

namespace {

// libtiff's own messages go through the image library's process-wide
// handlers (tiff_stream.h); the decoder's reports when it gives up name the
// step that failed.
constexpr const char* kOpenFailed = "TIFF library could not open the picture.";
constexpr const char* kReadFailed = "TIFF library could not read the picture.";

// A sample of bits 8 or 16 brought to 8 bits, rounded.
inline unsigned To8(unsigned v, int bits) { return bits == 16 ? (v * 255 + 32767) / 65535 : v; }

// The straight colour of a premultiplied (associated-alpha) sample.
inline unsigned Unpremultiply(unsigned premultiplied, unsigned alpha, unsigned max) {
  if (alpha == 0) return 0;
  const unsigned value = (premultiplied * max + alpha / 2) / alpha;
  return value > max ? max : value;
}

// One RGBA pixel of 8- or 16-bit samples with the alpha kind of the file,
// as straight 8-bit values packed the way libtiff's raster holds them.
template <typename Sample>
uint32_t StraightPixel(const Sample* s, int bits, bool associated) {
  const unsigned max = bits == 16 ? 65535 : 255;
  unsigned r = s[0], g = s[1], b = s[2];
  const unsigned a = s[3];
  if (associated) {
    r = Unpremultiply(r, a, max);
    g = Unpremultiply(g, a, max);
    b = Unpremultiply(b, a, max);
  }
  return To8(r, bits) | To8(g, bits) << 8 | To8(b, bits) << 16 | To8(a, bits) << 24;
}

// libtiff's own routines give premultiplied colour for every RGBA picture
// (and cut 16-bit samples after premultiplying); this one stores straight
// colour: unassociated samples as they are, associated ones divided by
// their alpha, at the full precision of the file. Skews are in samples.
void PutStraightContig(TIFFRGBAImage* img, uint32_t* cp, uint32_t x, uint32_t y, uint32_t w, uint32_t h,
                       int32_t fromskew, int32_t toskew, unsigned char* pp) {
  (void)x;
  (void)y;
  const int samples = img->samplesperpixel;
  const int bits = img->bitspersample;
  const bool associated = img->alpha == EXTRASAMPLE_ASSOCALPHA;
  fromskew *= samples;
  if (bits == 16) {
    auto* wp = reinterpret_cast<const uint16_t*>(pp);
    while (h-- > 0) {
      for (uint32_t i = 0; i < w; ++i, wp += samples) *cp++ = StraightPixel(wp, 16, associated);
      cp += toskew;
      wp += fromskew;
    }
    return;
  }
  while (h-- > 0) {
    for (uint32_t i = 0; i < w; ++i, pp += samples) *cp++ = StraightPixel(pp, 8, associated);
    cp += toskew;
    pp += fromskew;
  }
}

// The kind of alpha of a picture's first extra sample: EXTRASAMPLE_* or -1
// when it has none.
int AlphaKind(tiff* tif) {
  uint16_t count = 0;
  uint16_t* types = nullptr;
  if (!TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &count, &types) || count == 0) return -1;
  return types[0];
}

int Rounded(float v) { return int(v + 0.5f); }

}  // namespace

PLTIFFDecoder::PLTIFFDecoder() { InstallTiffMessageHandlers(); }

PLTIFFDecoder::~PLTIFFDecoder() { CloseTiff(); }

void PLTIFFDecoder::CloseTiff() {
  if (m_pTif) TIFFClose(m_pTif);
  m_pTif = nullptr;
}

void PLTIFFDecoder::Close() {
  CloseTiff();
  PLPicDecoder::Close();
}

int PLTIFFDecoder::Open(PLDataSource* dataSrc) {
  CloseTiff();
  // The stream only reads, so the source's read-only bytes are safe here.
  m_pTif = OpenTiffMemoryStream(const_cast<PLBYTE*>(dataSrc->GetCurrentData()), dataSrc->GetBytesLeft(), nullptr);
  if (!m_pTif) {
    RaiseError(1, kOpenFailed);
    return 0;
  }
  uint32_t width = 0, height = 0;
  uint16_t bits = 1, samples = 1, photometric = 0;
  TIFFGetFieldDefaulted(m_pTif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetFieldDefaulted(m_pTif, TIFFTAG_IMAGELENGTH, &height);
  TIFFGetFieldDefaulted(m_pTif, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(m_pTif, TIFFTAG_SAMPLESPERPIXEL, &samples);
  if (!TIFFGetField(m_pTif, TIFFTAG_PHOTOMETRIC, &photometric)) photometric = PHOTOMETRIC_MINISWHITE;
  m_Bits = bits;
  m_Samples = samples;
  m_Photometric = photometric;
  m_AlphaKind = AlphaKind(m_pTif);
  const bool grey = photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK;
  // Grey with an alpha sample in strips: read by scanlines into 32 bits,
  // since libtiff's RGBA interface drops a grey picture's alpha.
  m_GreyAlpha = grey && samples == 2 && (bits == 8 || bits == 16) && !TIFFIsTiled(m_pTif) &&
                (m_AlphaKind == EXTRASAMPLE_ASSOCALPHA || m_AlphaKind == EXTRASAMPLE_UNASSALPHA);

  // Scanlines serve strip pictures of one sample of 1, 2, 4 or 8 bits and
  // of two 8-bit samples; libtiff's RGBA interface serves all the others.
  int bpp = 32;
  if (!TIFFIsTiled(m_pTif)) {
    if (samples == 1 && bits == 1) bpp = 1;
    else if (samples == 1 && (bits == 2 || bits == 4 || bits == 8)) bpp = 8;
    else if (samples == 2 && bits == 8 && !m_GreyAlpha) bpp = 8;
  }
  const bool alpha = (samples == 4 && photometric <= PHOTOMETRIC_PALETTE) || m_GreyAlpha;

  PLPoint resolution;
  float xRes = 0, yRes = 0;
  uint16_t unit = RESUNIT_INCH;
  const bool hasX = TIFFGetField(m_pTif, TIFFTAG_XRESOLUTION, &xRes) && xRes > 1;
  const bool hasY = TIFFGetField(m_pTif, TIFFTAG_YRESOLUTION, &yRes) && yRes > 1;
  if (!hasX) xRes = 0;
  if (!hasY) yRes = 0;
  if (!TIFFGetField(m_pTif, TIFFTAG_RESOLUTIONUNIT, &unit)) unit = RESUNIT_INCH;
  float factor = unit == RESUNIT_INCH ? 1.0f : unit == RESUNIT_CENTIMETER ? 2.54f : 0.025400052f;
  if (xRes * factor < 1e7f && yRes * factor < 1e7f) resolution = PLPoint{Rounded(xRes * factor), Rounded(yRes * factor)};

  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF || !PLBmp::IsValidGeometry(int(width), int(height), bpp)) {
    RaiseError(2, "TIFF picture too large or empty.");
    CloseTiff();
    return 0;
  }
  SetDescription(int(width), int(height), bpp, samples, dataSrc->GetFileSize(), alpha, grey && bpp <= 8, resolution);
  return 1;
}

int PLTIFFDecoder::GetImage(PLBmp& bmp) {
  if (!m_pTif) return 0;
  if (m_GreyAlpha) return DoGreyAlpha(bmp);
  return bmp.GetBitsPerPixel() <= 8 ? DoLoColor(bmp) : DoRGBA(bmp);
}

int PLTIFFDecoder::DoGreyAlpha(PLBmp& bmp) {
  uint16_t planar = PLANARCONFIG_CONTIG;
  TIFFGetFieldDefaulted(m_pTif, TIFFTAG_PLANARCONFIG, &planar);
  const bool separate = planar == PLANARCONFIG_SEPARATE;
  const tmsize_t lineSize = TIFFScanlineSize(m_pTif);
  const int width = bmp.GetWidth();
  const int height = bmp.GetHeight();
  const size_t sampleBytes = size_t(m_Bits / 8);
  // Both samples of a row: side by side, or one plane after the other.
  const size_t needed = size_t(width) * sampleBytes * (separate ? 1 : 2);
  if (lineSize <= 0 || size_t(lineSize) < needed) {
    RaiseError(7, kReadFailed);
    return 0;
  }
  std::vector<PLBYTE> grey(static_cast<size_t>(lineSize)), alpha(separate ? static_cast<size_t>(lineSize) : 0);
  const unsigned max = m_Bits == 16 ? 65535 : 255;
  const bool associated = m_AlphaKind == EXTRASAMPLE_ASSOCALPHA;
  const bool inverted = m_Photometric == PHOTOMETRIC_MINISWHITE;
  auto sample = [&](const std::vector<PLBYTE>& line, size_t index) -> unsigned {
    if (m_Bits == 8) return line[index];
    uint16_t v;
    std::memcpy(&v, line.data() + 2 * index, 2);  // libtiff gives native order
    return v;
  };
  PLBmpLock lock(bmp, false, true);
  for (int i = 0; i < height; ++i) {
    const bool read = TIFFReadScanline(m_pTif, grey.data(), uint32_t(i), 0) >= 0 &&
                      (!separate || TIFFReadScanline(m_pTif, alpha.data(), uint32_t(i), 1) >= 0);
    if (!read) {
      if (i < height / 3) {
        RaiseError(7, kReadFailed);
        return 0;
      }
      continue;
    }
    PLPixel32* row = bmp.GetLineArray32()[i];
    for (int x = 0; x < width; ++x) {
      unsigned g = separate ? sample(grey, size_t(x)) : sample(grey, 2 * size_t(x));
      const unsigned a = separate ? sample(alpha, size_t(x)) : sample(grey, 2 * size_t(x) + 1);
      if (associated) g = Unpremultiply(g, a, max);
      if (inverted) g = max - g;
      const auto v = PLBYTE(To8(g, m_Bits));
      row[x] = PLPixel32(v, v, v, PLBYTE(To8(a, m_Bits)));
    }
  }
  return 1;
}

int PLTIFFDecoder::DoLoColor(PLBmp& bmp) {
  int photometric = m_Photometric;
  if (photometric != PHOTOMETRIC_MINISWHITE && photometric != PHOTOMETRIC_MINISBLACK &&
      photometric != PHOTOMETRIC_PALETTE) {
    Trace(2, "unexpected PhotometricInterpretation, default to PHOTOMETRIC_MINISWHITE");
    photometric = PHOTOMETRIC_MINISWHITE;
  }
  const tmsize_t lineSize = TIFFScanlineSize(m_pTif);
  if (lineSize <= 0) {
    RaiseError(7, kReadFailed);
    return 0;
  }
  std::vector<PLBYTE> line;
  try {
    line.resize(size_t(lineSize));
  } catch (const std::exception&) {
    RaiseError(10, "Out of memory allocating TIFF buffer.");
    return 0;
  }
  const int entries = 1 << m_Bits;
  PLPixel32 palette[256];
  for (auto& e : palette) e = PLPixel32(0, 0, 0, 255);
  if (photometric == PHOTOMETRIC_PALETTE) {
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (TIFFGetField(m_pTif, TIFFTAG_COLORMAP, &red, &green, &blue)) {
      bool eightBit = true;
      for (int i = 0; i < entries; ++i)
        if (red[i] >= 256 || green[i] >= 256 || blue[i] >= 256) eightBit = false;
      for (int i = 0; i < entries; ++i) {
        auto c = [&](uint16_t v) { return PLBYTE(eightBit ? v : v >> 8); };
        palette[i] = PLPixel32(c(red[i]), c(green[i]), c(blue[i]), 255);
      }
    }
  } else {
    const int step = 255 / (entries - 1);
    for (int i = 0; i < entries; ++i) {
      auto v = PLBYTE(step * (photometric == PHOTOMETRIC_MINISBLACK ? i : entries - 1 - i));
      palette[i] = PLPixel32(v, v, v, 255);
    }
  }

  const int width = bmp.GetWidth();
  const int height = bmp.GetHeight();
  const size_t rowBytes = PLBmp::PackedLineBytes(width, bmp.GetBitsPerPixel());
  bmp.Lock(false, true);
  for (int i = 0; i < height; ++i) {
    if (TIFFReadScanline(m_pTif, line.data(), uint32_t(i), 0) < 0) {
      // A picture that fails in its first third is not worth showing.
      if (i < height / 3) {
        bmp.Unlock();
        RaiseError(7, kReadFailed);
        return 0;
      }
      continue;
    }
    PLBYTE* row = bmp.GetLineArray()[i];
    if (bmp.GetBitsPerPixel() == 1) {
      std::memcpy(row, line.data(), std::min(rowBytes, line.size()));
    } else if (m_Samples == 2) {
      for (int x = 0; x < width && size_t(2 * x) < line.size(); ++x) row[x] = line[size_t(2 * x)];
    } else if (m_Bits == 8) {
      std::memcpy(row, line.data(), std::min(size_t(width), line.size()));
    } else {
      const int perByte = 8 / m_Bits;
      const int mask = (1 << m_Bits) - 1;
      for (int x = 0; x < width && size_t(x / perByte) < line.size(); ++x)
        row[x] = PLBYTE((line[size_t(x / perByte)] >> (8 - m_Bits * (x % perByte + 1))) & mask);
    }
  }
  bmp.Unlock();
  bmp.SetPalette(palette);
  return 1;
}

int PLTIFFDecoder::DoRGBA(PLBmp& bmp) {
  char message[1024] = {};
  TIFFRGBAImage img;
  if (!TIFFRGBAImageOK(m_pTif, message) || !TIFFRGBAImageBegin(&img, m_pTif, 1, message)) {
    RaiseError(1, message);
    CloseTiff();
    return 0;
  }
  const int width = bmp.GetWidth();
  const int height = bmp.GetHeight();
  std::unique_ptr<uint32_t[]> raster(new (std::nothrow) uint32_t[size_t(width) * size_t(height)]);
  if (!raster) {
    RaiseError(10, "Out of memory allocating TIFF buffer.");
    TIFFRGBAImageEnd(&img);
    CloseTiff();
    return 0;
  }
  if (m_Samples == 4 && (m_Bits == 8 || m_Bits == 16) && m_Photometric == PHOTOMETRIC_RGB &&
      (m_AlphaKind == EXTRASAMPLE_ASSOCALPHA || m_AlphaKind == EXTRASAMPLE_UNASSALPHA) && img.isContig &&
      img.put.contig) {
    img.put.contig = PutStraightContig;
  }
  if (!TIFFRGBAImageGet(&img, raster.get(), uint32_t(width), uint32_t(height))) {
    TIFFRGBAImageEnd(&img);
    CloseTiff();
    RaiseError(1, kReadFailed);
    return 0;
  }
  bmp.Lock(false, true);
  for (int i = 0; i < height; ++i) {
    const uint32_t* src = raster.get() + size_t(height - 1 - i) * size_t(width);
    PLPixel32* row = bmp.GetLineArray32()[i];
    for (int x = 0; x < width; ++x)
      row[x] = PLPixel32(PLBYTE(TIFFGetR(src[x])), PLBYTE(TIFFGetG(src[x])), PLBYTE(TIFFGetB(src[x])),
                         PLBYTE(TIFFGetA(src[x])));
  }
  bmp.Unlock();
  TIFFRGBAImageEnd(&img);
  return 1;
}
