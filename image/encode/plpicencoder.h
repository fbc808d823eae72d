// Base of the picture encoders: every encoder writes into a data sink, and
// MakeFileFromBmp writes a file through a file sink.
#pragma once

#include <initializer_list>

#include "image/bitmap/planybmp.h"
#include "image/bitmap/plbmp.h"
#include "image/bitmap/plobject.h"
#include "image/io/pldatasink.h"

class PLPicEncoder : public PLObject {
 public:
  PLPicEncoder() = default;
  PLPicEncoder(const PLPicEncoder&) = delete;
  PLPicEncoder& operator=(const PLPicEncoder&) = delete;
  ~PLPicEncoder() override = default;

  // Writes the bitmap as a file: 1 when the whole file was written, 0 when
  // it could not be created, encoding failed or a write or the close failed
  // (no partial file is left then).
  virtual int MakeFileFromBmp(const char* path, PLBmp* bmp);
  // Encodes into a caller's sink: 1, or 0 when encoding failed.
  virtual int SaveBmp(PLBmp* bmp, PLDataSink* sink);

  // First buffer size of the file sink for this bitmap: its memory use plus
  // 4096 bytes, or 1.2 times it (truncated) from 20000 bytes on.
  static int InitialSinkSize(PLBmp* bmp);

 protected:
  virtual int DoEncode(PLBmp* bmp, PLDataSink* sink) = 0;
  // The bitmap to encode: bmp itself, or, when its depth is one of
  // `widened`, a 32-bit copy of it made in `copy`; nullptr when that copy
  // could not be made.
  static PLBmp* WidenedTo32(PLBmp* bmp, std::initializer_list<int> widened, PLAnyBmp& copy);
};
