// Targa files: colour-mapped, true-colour and greyscale (16-bit grey with an
// alpha byte too), raw or run-length encoded, in any of the four row and
// column orders the descriptor gives.
#pragma once

#include <cstdint>

#include "image/bitmap/plpixel32.h"
#include "image/decode/plpicdec.h"

struct PLTGAHeader {
  uint8_t idLength = 0;
  uint8_t colorMapType = 0;
  uint8_t imageType = 0;
  uint16_t cmapIndex = 0;
  uint16_t cmapLength = 0;
  uint8_t cmapEntrySize = 0;
  uint16_t xOrigin = 0;
  uint16_t yOrigin = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t pixelDepth = 0;
  uint8_t imageDescriptor = 0;
};

class PLTGADecoder : public PLPicDecoder {
 public:
  PLTGADecoder();
  ~PLTGADecoder() override;

  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

 private:
  PLTGAHeader m_Tgah;
  PLPixel32 m_Pal[256];
  bool m_bHasPalette = false;
};
