// Portable greymaps (P2 text, P5 binary) into 8-bit greyscale bitmaps.
#pragma once

#include "image/decode/plpicdec.h"
#include "image/decode/plpnmscan.h"

class PLPGMDecoder : public PLPicDecoder {
 public:
  PLPGMDecoder();
  ~PLPGMDecoder() override;

  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

 private:
  PLPNMHeader m_PGMHead;
};
