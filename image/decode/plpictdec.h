// Macintosh PICT files (version 1 and 2): the first bitmap of the picture,
// or the JPEG data it embeds. Vector data is read past.
#pragma once

#include <cstdint>

#include "image/bitmap/plpixel32.h"
#include "image/decode/plpicdec.h"

class PLJPEGDecoder;

struct PLPictRect {
  int16_t top = 0, left = 0, bottom = 0, right = 0;
};

struct PLPictPixMap {
  PLPictRect bounds;
  uint16_t version = 0;
  uint16_t packType = 0;
  uint32_t packSize = 0;
  int32_t hRes = 0;
  int32_t vRes = 0;
  uint16_t pixelType = 0;
  uint16_t pixelSize = 0;
  uint16_t cmpCount = 0;
  uint16_t cmpSize = 0;
  uint32_t planeBytes = 0;
  uint32_t pmTable = 0;
  uint32_t pmReserved = 0;
};

class PLPictDecoder : public PLPicDecoder {
 public:
  enum class Kind : int { None = 0, DirectBits = 1, Jpeg = 2, PixMapBits = 3, Version1Bitmap = 4 };

  explicit PLPictDecoder(PLJPEGDecoder* jpegDecoder);
  ~PLPictDecoder() override;

  int Open(PLDataSource* dataSrc) override;
  int GetImage(PLBmp& bmp) override;

 private:
  bool SetDescriptionFromPixMap();
  // The fewest bytes one row of the opened bitmap can take in the file, and
  // whether what is left of the file can hold every row (reported if not):
  // a file is refused before any bitmap is made for what it cannot fill.
  uint64_t LeastRowBytes() const;
  bool DataCanFillRows(PLDataSource& s);
  void ReadPixMap(PLDataSource& s);
  PLPictRect ReadRect(PLDataSource& s);
  void SkipRegion(PLDataSource& s);
  void ReadColourTable(PLDataSource& s, PLPixel32* palette);
  void SkipPixPat(PLDataSource& s);
  bool ReadBitmapOpcode(PLDataSource& s);
  bool ReadJpegOpcode(PLDataSource& s);
  // Rows of the picture into the bitmap by pixel size.
  int DecodeRows(PLBmp& bmp, int pixelSize, int rowBytes);
  void Decode8(PLBmp& bmp, int rowBytes);
  void Decode32(PLBmp& bmp, int rowBytes);
  int UnpackBits(PLBmp& bmp, int rowBytes, int pixelSize);
  // One row of rowBytes bytes, unpacked when the opcode packs (unit: the
  // size of one PackBits unit in bytes).
  const PLBYTE* ReadRow(PLDataSource& s, PLBYTE* buffer, int rowBytes, int unit);

  PLJPEGDecoder* m_pJPEGDecoder;  // not owned
  Kind m_PictType = Kind::None;
  PLPictPixMap m_PixMap;
  uint16_t m_rowBytes = 0;
  PLPictRect m_Bounds;
  bool m_bIsRegion = false;
  bool m_bPacked = true;
  int m_Version = 0;
};
