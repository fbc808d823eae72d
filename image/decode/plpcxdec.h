// PCX files: 1 bit in 1 to 4 planes, 2, 4 and 8 bits in one plane, and 8
// bits in 3 (RGB) or 4 (RGBA) planes, into 32-bit bitmaps.
#pragma once

#include "image/decode/plpicdec.h"

class PLPCXDecoder : public PLPicDecoder {
 public:
  PLPCXDecoder();
  ~PLPCXDecoder() override;

  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

 private:
  const PLBYTE* m_pHeader = nullptr;  // inside the source's data while it is open
};
