#include "image/decode/pltgadec.h"

#include "image/decode/pixel555.h"
#include "image/decode/plreader.h"
#include "image/io/pltrace.h"

using namespace pl_read;

namespace {

// One pixel of 15, 16, 24 or 32 bits as blue, green, red, alpha.
PLPixel32 ToPixel(const PLBYTE* p, int depth) {
  switch (depth) {
    case 15:
    case 16: {
      const unsigned v = LE16At(p);
      const auto alpha = PLBYTE(depth == 15 ? 255 : (v & 0x8000) ? 0x80 : 0);
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
  int bpp = 8;
  bool alpha = false;
  if (depth == 15 || depth == 24) bpp = 32;
  else if (depth == 16 || depth == 32) bpp = 32, alpha = true;
  if (bpp == 32 && type != 2) {
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
  SetDescription(h.width, h.height, bpp, depth, s.GetFileSize(), alpha, type == 3);
  return 1;
}

int PLTGADecoder::GetImage(PLBmp& bmp) {
  PLDataSource& s = *m_pDataSrc;
  const PLTGAHeader& h = m_Tgah;
  const int type = h.imageType & 7;
  if (type == 3) bmp.SetGreyPalette();
  else if (m_bHasPalette) bmp.SetPalette(m_Pal);
  const bool rle = (h.imageType & 8) != 0;
  const bool topFirst = (h.imageDescriptor & 0x20) != 0;
  const int width = bmp.GetWidth();
  const int height = bmp.GetHeight();
  const int depth = h.pixelDepth;
  const int pixelBytes = BytesOf(depth);
  // Run-length packets may run on into the next row; what is left of one
  // carries over.
  int left = 0;
  bool repeat = false;
  const PLBYTE* repeated = nullptr;
  PLBmpLock lock(bmp, false, true);
  for (int k = 0; k < height; ++k) {
    PLBYTE* row = bmp.GetLineArray()[topFirst ? k : height - 1 - k];
    auto* row32 = reinterpret_cast<PLPixel32*>(row);
    for (int x = 0; x < width; ++x) {
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
      else row32[x] = ToPixel(p, depth);
    }
  }
  return 1;
}
