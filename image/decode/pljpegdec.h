// JPEG files through libjpeg(-turbo): greyscale into 8 bits, colour into
// 32-bit blue-green-red rows; CMYK and YCCK pictures are read as CMYK and
// turned into RGB. Also serves PICT files that embed JPEG data.
#pragma once

#include <memory>

#include "image/decode/plpicdec.h"

struct PLJpegDecompressState;

class PLJPEGDecoder : public PLPicDecoder {
 public:
  PLJPEGDecoder();
  ~PLJPEGDecoder() override;

  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

 private:
  int ReadCmykRows(PLBmp& bmp);

  std::unique_ptr<PLJpegDecompressState> m_State;  // the libjpeg object and its error manager
};
