// Windows bitmap files: 1 and 8 bits with their palette, everything else as
// 24 bits.
#pragma once

#include "image/encode/plpicencoder.h"

class PLBmpEncoder : public PLPicEncoder {
 protected:
  int DoEncode(PLBmp* bmp, PLDataSink* sink) override;
};
