// Base of every picture decoder: opens a file, a resource or a memory block
// as a data source, reads the description (Open) and fills a bitmap created
// from it (GetImage), at the format's own depth or a wanted one.
#pragma once

#include <cstddef>

#include "image/bitmap/plbmp.h"
#include "image/bitmap/plbmpinfo.h"
#include "image/io/pldatasource.h"
#include "platform/kernel/types.h"

class PLPicDecoder : public PLBmpInfo {
 public:
  PLPicDecoder() = default;
  PLPicDecoder(const PLPicDecoder&) = delete;
  PLPicDecoder& operator=(const PLPicDecoder&) = delete;
  ~PLPicDecoder() override;

  // 1 when the picture was read into bmp, 0 otherwise. End of data inside a
  // decoder passes out as PLTextException (code 11) after the source is closed.
  virtual int MakeBmpFromFile(const char* fileName, PLBmp* bmp, int wantedBpp = 0,
                              ProgressNotifier* notifier = nullptr);
  virtual int MakeBmpFromResource(HINSTANCE instance, int resourceId, PLBmp* bmp, int wantedBpp = 0,
                                  const char* resourceType = nullptr);
  virtual int MakeBmpFromMemory(const unsigned char* data, int size, PLBmp* bmp, int wantedBpp = 0);
  // Decodes from the source opened by Open.
  virtual int MakeBmp(PLBmp* bmp, int wantedBpp);
  virtual void Close();
  // Reads the header and fills the description; takes ownership of nothing
  // (the Make... functions hand the source over).
  virtual int Open(PLDataSource* dataSrc) = 0;
  virtual int GetImage(PLBmp& bmp) = 0;

  int OpenFile(const char* fileName, ProgressNotifier* notifier);

  // Apple PackBits: rows of fewer than 8 bytes are stored raw and are
  // returned straight from the source; otherwise packedLength bytes are read
  // and unpacked into buffer, which holds rowBytes bytes (nothing is written
  // past them; bytes the data leaves out are 0).
  static const PLBYTE* UnpackPackBitsRow(PLBYTE* buffer, PLDataSource* source, int width, int rowBytes,
                                         int packedLength);
  // The PackBits walk alone: consumes exactly packed.size() bytes into out.
  static void UnpackPackBits(const PLBYTE* packed, size_t packedSize, PLBYTE* out, size_t outSize);

  PLDataSource* GetDataSource() const { return m_pDataSrc; }
  // Hands a source (owned) to this decoder; used by PLAnyPicDecoder.
  void SetDataSource(PLDataSource* source) { m_pDataSrc = source; }

 protected:
  // Runs Open, MakeBmp and Close over an opened source (owned from here on).
  int DecodeSource(PLDataSource* source, PLBmp* bmp, int wantedBpp);
  // Sets the whole description at once.
  void SetDescription(int width, int height, int bpp, int fileBpp, int fileSize, bool alpha, bool greyscale,
                      PLPoint resolution = PLPoint{});

  PLDataSource* m_pDataSrc = nullptr;  // owned while open
};
