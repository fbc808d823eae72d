#include "image/decode/plpcxdec.h"

#include <cstring>
#include <vector>

#include "image/decode/plreader.h"
#include "image/io/pltrace.h"

using namespace pl_read;

namespace {

struct PcxLayout {
  int bits, planes, bytesPerLine;
};

}  // namespace

PLPCXDecoder::PLPCXDecoder() = default;
PLPCXDecoder::~PLPCXDecoder() = default;

int PLPCXDecoder::Open(PLDataSource* dataSrc) {
  Trace(2, "Decoding PCX.\n");
  const PLBYTE* h = dataSrc->ReadBytes(128);
  m_pHeader = h;
  if (h[0] != 10) {
    RaiseError(1, "Error decoding pcx: Not a PCX file.");
    return 0;
  }
  if (h[2] != 1) {
    RaiseError(1, "File has unknown encoding scheme.");
    return 0;
  }
  const int bits = h[3];
  const int planes = h[65];
  const int bytesPerLine = LE16At(h + 66);
  const bool supported = (bits == 1 && planes >= 1 && planes <= 4) ||
                         ((bits == 2 || bits == 4 || bits == 8) && planes == 1) || (bits == 8 && (planes == 3 || planes == 4));
  if (!supported) {
    RaiseError(2, bits == 1 ? "Can't handle image with more than 4 planes."
                            : "Can't handle bits per pixel image with planes.");
    return 0;
  }
  const int xmin = LE16At(h + 4), ymin = LE16At(h + 6), xmax = LE16At(h + 8), ymax = LE16At(h + 10);
  const int width = xmax - xmin + 1;
  const int height = ymax - ymin + 1;
  if (xmax < xmin || ymax < ymin || !PLBmp::IsValidGeometry(width, height, 32) ||
      int64_t(bytesPerLine) * 8 < int64_t(width) * bits) {
    RaiseError(2, "Error decoding pcx: Illegal size.");
    return 0;
  }
  // A run gives at most 63 bytes for two.
  RequireBytes(*dataSrc, (uint64_t(planes) * uint64_t(bytesPerLine) * uint64_t(height) + 62) / 63 * 2);
  SetDescription(width, height, 32, bits, dataSrc->GetFileSize(), planes == 4 && bits == 8, false,
                 PLPoint{LE16At(h + 12), LE16At(h + 14)});
  return 1;
}

int PLPCXDecoder::GetImage(PLBmp& bmp) {
  PLDataSource& s = *m_pDataSrc;
  const PLBYTE* h = m_pHeader;
  Trace(2, "Decoding PCX.\n");
  const int bits = h[3];
  const int planes = h[65];
  const size_t bytesPerLine = LE16At(h + 66);
  const int width = bmp.GetWidth();
  const int height = bmp.GetHeight();
  const size_t lineTotal = bytesPerLine * size_t(planes);
  const size_t total = lineTotal * size_t(height);
  if (total > PLBmp::kMaxImageBytes) return 0;
  std::vector<PLBYTE> data(total);
  // Run-length data: a byte of 0xC0 and up counts the repeats of the next.
  size_t pos = 0;
  while (pos < total) {
    PLBYTE b = U8(s);
    if (b >= 0xC0) {
      size_t count = b & 0x3F;
      const PLBYTE value = U8(s);
      if (count > total - pos) {
        RaiseError(7, "repeat count spans end of image.");
        count = total - pos;
      }
      std::memset(data.data() + pos, value, count);
      pos += count;
    } else {
      data[pos++] = b;
    }
  }

  PLPixel32 pal[256];
  for (int i = 0; i < 16; ++i) pal[i] = PLPixel32(h[16 + 3 * i], h[17 + 3 * i], h[18 + 3 * i], 255);
  if (bits == 8 && planes == 1) {
    Skip(s, 1);
    const PLBYTE* p = s.ReadBytes(768);
    for (int i = 0; i < 256; ++i) pal[i] = PLPixel32(p[3 * i], p[3 * i + 1], p[3 * i + 2], 255);
  } else if (bits == 1 && planes == 1) {
    pal[0] = PLPixel32(0, 0, 0, 255);
    pal[1] = PLPixel32(255, 255, 255, 255);
  }

  std::vector<PLBYTE> index(static_cast<size_t>(width));
  PLBmpLock lock(bmp, false, true);
  for (int y = 0; y < height; ++y) {
    const PLBYTE* line = data.data() + size_t(y) * lineTotal;
    PLPixel32* row = bmp.GetLineArray32()[y];
    if (bits == 8 && planes >= 3) {
      for (int x = 0; x < width; ++x)
        row[x] = PLPixel32(line[x], line[bytesPerLine + x], line[2 * bytesPerLine + x],
                           planes == 4 ? line[3 * bytesPerLine + x] : 255);
      continue;
    }
    if (planes == 1) {
      const int perByte = 8 / bits;
      const int mask = (1 << bits) - 1;
      for (int x = 0; x < width; ++x)
        index[x] = PLBYTE((line[x / perByte] >> (8 - bits * (x % perByte + 1))) & mask);
    } else {
      for (int x = 0; x < width; ++x) {
        int v = 0;
        for (int p = 0; p < planes; ++p) v |= ((line[size_t(p) * bytesPerLine + x / 8] >> (7 - x % 8)) & 1) << p;
        index[x] = PLBYTE(v);
      }
    }
    for (int x = 0; x < width; ++x) row[x] = pal[index[x]];
  }
  return 1;
}
