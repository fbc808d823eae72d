#include "image/encode/plbmpencoder.h"

#include <vector>

#include "image/bitmap/planybmp.h"
#include "image/encode/le_writer.h"

namespace {

// Dots per inch to per metre, rounded (300 dpi gives 11811).
uint32_t PixelsPerMetre(int dpi) {
  return uint32_t(int(static_cast<long double>(dpi) * static_cast<long double>(39.37) + 0.5L));
}

}  // namespace

int PLBmpEncoder::DoEncode(PLBmp* bmp, PLDataSink* sink) {
  // A 24-bit bitmap is written from a 32-bit copy.
  PLAnyBmp wide;
  PLBmp* src = WidenedTo32(bmp, {24}, wide);
  if (!src) return 0;
  int bpp = src->GetBitsPerPixel();
  if (bpp != 1 && bpp != 8 && bpp != 32) return 0;
  int w = src->GetWidth(), h = src->GetHeight();
  int fileBpp = bpp <= 8 ? bpp : 24;
  uint64_t rowBytes = PLBmp::PaddedLineBytes(w, fileBpp);
  uint32_t offset = 54 + (bpp <= 8 ? 4u << bpp : 0u);
  uint64_t fileSize = offset + rowBytes * uint64_t(h);
  if (fileSize > 0x7FFFFFFF) return 0;

  PLBmpLock lock(*src, true, false);
  sink->WriteBytes(2, "BM");
  WriteLE32(sink, uint32_t(fileSize));
  WriteLE16(sink, 0);
  WriteLE16(sink, 0);
  WriteLE32(sink, offset);
  WriteLE32(sink, 40);
  WriteLE32(sink, uint32_t(w));
  WriteLE32(sink, uint32_t(h));
  WriteLE16(sink, 1);
  WriteLE16(sink, uint16_t(fileBpp));
  WriteLE32(sink, 0);
  WriteLE32(sink, 0);
  WriteLE32(sink, PixelsPerMetre(src->GetResolution().x));
  WriteLE32(sink, PixelsPerMetre(src->GetResolution().y));
  WriteLE32(sink, 0);
  WriteLE32(sink, 0);

  std::vector<PLBYTE> row(size_t(rowBytes), 0);
  if (bpp <= 8) {
    const PLPixel32* pal = src->GetPalette();
    for (int i = 0; i < (1 << bpp); ++i) {
      PLPixel32 c = pal ? pal[i] : PLPixel32();
      const PLBYTE entry[4] = {c.b, c.g, c.r, c.a};
      sink->WriteBytes(4, entry);
    }
    size_t line = PLBmp::PackedLineBytes(w, bpp);
    for (int y = h - 1; y >= 0; --y) {
      // The row's padding is written as zeros.
      std::copy(src->GetLineArray()[y], src->GetLineArray()[y] + line, row.begin());
      sink->WriteBytes(int(rowBytes), row.data());
    }
    return 1;
  }
  static constexpr PLBYTE kPad[3] = {0x20, 0x00, 0x00};
  for (int y = h - 1; y >= 0; --y) {
    const PLPixel32* in = src->GetLineArray32()[y];
    size_t k = 0;
    for (int x = 0; x < w; ++x) {
      row[k++] = in[x].b;
      row[k++] = in[x].g;
      row[k++] = in[x].r;
    }
    for (size_t p = 0; k < rowBytes; ++p) row[k++] = kPad[p];
    sink->WriteBytes(int(rowBytes), row.data());
  }
  return 1;
}
