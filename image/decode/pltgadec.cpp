#include "image/decode/pltgadec.h"

#include "image/decode/pixel555.h"
#include "image/decode/plreader.h"
#include "image/io/pltrace.h"

using namespace pl_read;

namespace {

// One pixel of 15, 16, 24 or 32 bits as blue, green, red, alpha. The top
// bit of a 16-bit pixel is its alpha only when the descriptor gives the
// picture an alpha bit (set: opaque); otherwise it means nothing.
PLPixel32 ToPixel(const PLBYTE* p, int depth, bool alphaBit = false) {
  switch (depth) {
    case 15:
    case 16: {
      const unsigned v = LE16At(p);
      const auto alpha = PLBYTE(!alphaBit || (v & 0x8000) ? 255 : 0);
      return PixelFrom555(v, alpha);
    }
    case 24: return PLPixel32(p[2], p[1], p[0], 255);
    default: return PLPixel32(p[2], p[1], p[0], p[3]);
  }
}

int BytesOf(int bits) { return (bits + 7) / 8; }

}  // namespace

PLTGADecoder::PLTGADecoder() = default;
PLTGADecoder::~PLTGADecoder() = default;

int PLTGADecoder::Open(PLDataSource* dataSrc) {
  PLDataSource& s = *dataSrc;
  Trace(2, "Decoding TGA.\n");
  const PLBYTE* p = s.ReadBytes(18);
  PLTGAHeader& h = m_Tgah;
  h.idLength = p[0];
  h.colorMapType = p[1];
  h.imageType = p[2];
  h.cmapIndex = LE16At(p + 3);
  h.cmapLength = LE16At(p + 5);
  h.cmapEntrySize = p[7];
  h.xOrigin = LE16At(p + 8);
  h.yOrigin = LE16At(p + 10);
  h.width = LE16At(p + 12);
  h.height = LE16At(p + 14);
  h.pixelDepth = p[16];
  h.imageDescriptor = p[17];
  Skip(s, h.idLength);

  const int depth = h.pixelDepth;
  if (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32) {
    RaiseError(2, "Unsupported TGA pixel depth.");
    return 0;
  }
  const int type = h.imageType & 7;
  if ((h.imageType & ~8) == 0 || type > 3) {
    RaiseError(2, "Unknown TGA image type.");
    return 0;
  }
  // The colour map sits between the header and the pixels. Only
  // colour-mapped pictures use it; the others skip it.
  for (auto& e : m_Pal) e = PLPixel32(0, 0, 0, 255);
  m_bHasPalette = false;
  if (h.colorMapType != 0) {
    const int entryBytes = BytesOf(h.cmapEntrySize);
    const bool usable = type == 1 && entryBytes >= 2 && entryBytes <= 4;
    // Entries of unusual sizes are read as the nearest whole-byte size.
    const int entryDepth = h.cmapEntrySize == 16 ? 16 : entryBytes == 2 ? 15 : entryBytes * 8;
    for (int i = 0; i < h.cmapLength; ++i) {
      const PLBYTE* e = s.ReadBytes(entryBytes);
      if (usable) m_Pal[(h.cmapIndex + i) % 256] = ToPixel(e, entryDepth);
    }
    m_bHasPalette = usable;
  }
  // The descriptor's low four bits count the alpha bits of a pixel.
  const int alphaBits = h.imageDescriptor & 0x0F;
  int bpp = 8;
  bool alpha = false;
  bool greyscale = type == 3;
  if (depth == 15 || depth == 24) bpp = 32;
  else if (depth == 32) bpp = 32, alpha = true;
  else if (depth == 16) bpp = 32, alpha = alphaBits != 0;
  // Grey with alpha: a grey byte, then an alpha byte.
  if (depth == 16 && type == 3) alpha = true, greyscale = false;
  else if (bpp == 32 && type != 2) {
    RaiseError(2, "Unknown TGA image type.");
    return 0;
  }
  if (!PLBmp::IsValidGeometry(h.width, h.height, bpp)) {
    RaiseError(2, "TGA picture is empty or too large.");
    return 0;
  }
  const uint64_t pixels = uint64_t(h.width) * h.height;
  const uint64_t pixelBytes = uint64_t(BytesOf(depth));
  // A run-length packet gives at most 128 pixels.
  RequireBytes(s, (h.imageType & 8) ? (pixels + 127) / 128 * (1 + pixelBytes) : pixels * pixelBytes);
  SetDescription(h.width, h.height, bpp, depth, s.GetFileSize(), alpha, greyscale);
  return 1;
}

int PLTGADecoder::GetImage(PLBmp& bmp) {
  PLDataSource& s = *m_pDataSrc;
  const PLTGAHeader& h = m_Tgah;
  const int type = h.imageType & 7;
  if (type == 3 && bmp.GetBitsPerPixel() == 8) bmp.SetGreyPalette();
  else if (m_bHasPalette) bmp.SetPalette(m_Pal);
  const bool rle = (h.imageType & 8) != 0;
  const bool topFirst = (h.imageDescriptor & 0x20) != 0;
  const bool rightToLeft = (h.imageDescriptor & 0x10) != 0;
  const bool alphaBit = (h.imageDescriptor & 0x0F) != 0;
  const int width = bmp.GetWidth();
  const int height = bmp.GetHeight();
  const int depth = h.pixelDepth;
  const int pixelBytes = BytesOf(depth);
  const bool greyAlpha = type == 3 && depth == 16;
  // Run-length packets may run on into the next row; what is left of one
  // carries over.
  int left = 0;
  bool repeat = false;
  const PLBYTE* repeated = nullptr;
  PLBmpLock lock(bmp, false, true);
  for (int k = 0; k < height; ++k) {
    PLBYTE* row = bmp.GetLineArray()[topFirst ? k : height - 1 - k];
    auto* row32 = reinterpret_cast<PLPixel32*>(row);
    for (int i = 0; i < width; ++i) {
      const int x = rightToLeft ? width - 1 - i : i;
      const PLBYTE* p;
      if (!rle) {
        p = s.ReadBytes(pixelBytes);
      } else {
        if (left == 0) {
          const int header = U8(s);
          repeat = (header & 0x80) != 0;
          left = (header & 0x7F) + 1;
          if (repeat) repeated = s.ReadBytes(pixelBytes);
        }
        p = repeat ? repeated : s.ReadBytes(pixelBytes);
        --left;
      }
      if (depth <= 8) row[x] = p[0];
      else if (greyAlpha) row32[x] = PLPixel32(p[0], p[0], p[0], p[1]);
      else row32[x] = ToPixel(p, depth, alphaBit);
    }
  }
  return 1;
}
