// PNG files through libpng: grey and palette pictures into 8 bits, the
// others into 32-bit blue-green-red-alpha pixels. Transparency (tRNS) is
// kept: palette alpha in the palette, a grey or RGB colour key as an alpha
// channel (so a keyed grey picture comes out in 32 bits).
#pragma once

#include "image/decode/plpicdec.h"

struct png_struct_def;
struct png_info_def;

class PLPNGDecoder : public PLPicDecoder {
 public:
  PLPNGDecoder();
  ~PLPNGDecoder() override;

  void Close() override;
  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

 private:
  void Release();

  int m_ColorType = 0;
  int m_BitDepth = 0;
  bool m_ColourKey = false;  // a grey or RGB picture with a transparent colour
  png_struct_def* m_png = nullptr;
  png_info_def* m_info = nullptr;
};
