// Windows and OS/2 bitmap files: 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed, RLE4, RLE8 and bit fields, into 8-bit or 32-bit bitmaps.
#pragma once

#include <cstdint>
#include <memory>

#include "image/bitmap/plpixel32.h"
#include "image/decode/plpicdec.h"

struct PLBmpInfoHeader {
  uint32_t size = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint16_t planes = 0;
  uint16_t bitCount = 0;
  uint32_t compression = 0;
  uint32_t imageSize = 0;
  int32_t xPelsPerMeter = 0;
  int32_t yPelsPerMeter = 0;
  uint32_t colorsUsed = 0;
  uint32_t colorsImportant = 0;
};

class PLBmpDecoder : public PLPicDecoder {
 public:
  PLBmpDecoder();
  ~PLBmpDecoder() override;

  void Close() override;
  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

 private:
  struct Masks {
    uint32_t red = 0, green = 0, blue = 0, alpha = 0;
  };
  void ReadMasks(const PLBYTE* p, bool withAlpha);
  void DecodeUncompressed(PLBmp& bmp);
  void DecodeRle(PLBmp& bmp, bool fourBit);
  PLBYTE** RowFor(PLBmp& bmp, int fileRow);

  PLPixel32 m_Pal[256];
  std::unique_ptr<PLBmpInfoHeader> m_pBmih;
  Masks m_Masks;
  bool m_bHasMasks = false;
  bool m_bTopDown = false;
};
