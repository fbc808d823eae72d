// TIFF files through libtiff: 1-bit and low-colour strip pictures, and grey
// with alpha, through scanlines, everything else through libtiff's RGBA
// interface into 32 bits. Alpha always comes out straight (unpremultiplied).
#pragma once

#include "image/decode/plpicdec.h"

struct tiff;

class PLTIFFDecoder : public PLPicDecoder {
 public:
  PLTIFFDecoder();
  ~PLTIFFDecoder() override;

  void Close() override;
  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

 private:
  int DoLoColor(PLBmp& bmp);
  int DoRGBA(PLBmp& bmp);
  int DoGreyAlpha(PLBmp& bmp);
  void CloseTiff();

  tiff* m_pTif = nullptr;
  int m_Bits = 0;
  int m_Samples = 0;
  int m_Photometric = 0;
  int m_AlphaKind = -1;  // EXTRASAMPLE_* of the first extra sample, -1: none
  bool m_GreyAlpha = false;
};
