// PNG files through libpng.
#pragma once

#include "image/encode/plpicencoder.h"

class PLPNGEncoder : public PLPicEncoder {
 public:
  // zlib level 0 (stored) to 9; the default 0 writes without compression.
  void SetCompressionLevel(int level) { m_CompressionLevel = level; }

 protected:
  int DoEncode(PLBmp* bmp, PLDataSink* sink) override;

 private:
  // The libpng part; keeps no object with a destructor, since libpng errors
  // return here by longjmp.
  int Write(PLBmp* bmp);

  PLBmp* m_pBmp = nullptr;
  PLDataSink* m_pSink = nullptr;
  int m_CompressionLevel = 0;
};
