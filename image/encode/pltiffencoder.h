// TIFF files through libtiff: 1 bit (black and white, or a two-colour
// palette), 8 bits with a palette, everything else as red, green, blue.
#pragma once

#include <tiffio.h>

#include "image/encode/plpicencoder.h"

class PLTIFFEncoder : public PLPicEncoder {
 public:
  // The TIFF compression code (default 32773, PackBits).
  void SetCompression(int compression) { m_Compression = compression; }

 protected:
  int DoEncode(PLBmp* bmp, PLDataSink* sink) override;
  // Writes the colour map (when there is one) and the rows; 0 when libtiff
  // refuses a row.
  virtual int WriteTiffImage(PLBmp* bmp, TIFF* tiff);

 private:
  int m_Compression = COMPRESSION_PACKBITS;
};
