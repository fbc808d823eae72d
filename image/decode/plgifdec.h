// GIF files through giflib 5: the first image of the file on its logical
// screen (clipped to it when larger), 8 bits per pixel, with the transparent
// colour's alpha 0. The first frame is found when the file is opened, so a
// file whose compressed data cannot fill the frame it declares (or a large
// screen) is refused before any bitmap is made for it.
#pragma once

#include <cstdint>

#include "image/decode/plpicdec.h"

struct GifFileType;

class PLGIFDecoder : public PLPicDecoder {
 public:
  PLGIFDecoder();
  ~PLGIFDecoder() override;

  void Close() override;
  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

  // The most pixels LZW data of this many bytes can give: each code adds
  // one entry to the table, so the i-th code since a clear stands for at
  // most i pixels (never more than 4096), and codes widen as the table
  // grows (12 bits once it is full).
  static uint64_t MostLzwPixels(uint64_t bytes);

 private:
  void CloseGif();
  // Reads the records before the first frame and its descriptor; false
  // (reported) when there is none or the file is damaged.
  bool ReadToFirstFrame();

  GifFileType* m_pGif = nullptr;
  int m_Transparent = -1;
};
