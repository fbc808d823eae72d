// Portable pixmaps (P3 text, P6 binary) into 32-bit bitmaps.
#pragma once

#include "image/decode/plpicdec.h"
#include "image/decode/plpnmscan.h"

class PLPPMDecoder : public PLPicDecoder {
 public:
  PLPPMDecoder();
  ~PLPPMDecoder() override;

  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

 private:
  PLPNMHeader m_PPMHead;
};
