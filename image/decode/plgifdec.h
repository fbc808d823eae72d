// GIF files through giflib 5: the first image of the file on its logical
// screen (clipped to it when larger), 8 bits per pixel, with the transparent
// colour's alpha 0.
#pragma once

#include "image/decode/plpicdec.h"

struct GifFileType;

class PLGIFDecoder : public PLPicDecoder {
 public:
  PLGIFDecoder();
  ~PLGIFDecoder() override;

  void Close() override;
  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

 private:
  void CloseGif();

  GifFileType* m_pGif = nullptr;
};
