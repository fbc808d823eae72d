// The abstract bitmap: a description, a palette and an array of row pointers
// (row 0 is the top row whatever the storage order). Depths 1, 8, 24 and 32.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/bitmap/plbmpinfo.h"
#include "image/bitmap/plpixel32.h"

using PLBYTE = unsigned char;

class PLBmp : public PLBmpInfo {
 public:
  PLBmp() = default;
  PLBmp(const PLBmp&) = delete;
  PLBmp& operator=(const PLBmp&) = delete;
  ~PLBmp() override = default;

  virtual int CreateFromInfo(const PLBmpInfo& info);
  // Replaces the storage; 0 when it cannot be had (size, depth or memory).
  virtual int Create(int width, int height, int bpp, int fileBpp, int fileSize, bool alpha, bool greyscale,
                     const PLPoint& resolution = PLPoint{});
  virtual long GetMemoryUsed() = 0;
  virtual long GetLineSize() = 0;
  virtual void Lock(bool forRead, bool forWrite);
  virtual void Unlock();

 protected:
  virtual int AllocateStorage(int width, int height, int bpp, int fileBpp, int fileSize, bool alpha,
                              bool greyscale) = 0;
  virtual void FreeStorage() = 0;
  virtual void BuildLineArray() = 0;

 public:
  // Copies the source at the wanted depth (0: the source's own depth).
  void CreateCopy(const PLBmp& source, int wantedBpp = 0);

  PLBYTE** GetLineArray() const { return m_pLineArray; }
  PLPixel32** GetLineArray32() const { return reinterpret_cast<PLPixel32**>(m_pLineArray); }
  PLPixel32* GetPalette() const { return m_pPal; }
  int GetNumColors() const { return m_bpp <= 8 ? 1 << m_bpp : 0; }
  // The 32-bit value at (x, y); 32-bit bitmaps only.
  uint32_t GetPixel32(int x, int y) const;
  void SetPaletteEntry(PLBYTE index, PLBYTE r, PLBYTE g, PLBYTE b, PLBYTE a);
  void SetGreyPalette();
  void SetPalette(const PLPixel32* entries);

  int GetLockCount() const { return m_LockCount; }
  int GetDitherMethod() const { return m_DitherMethod; }
  void SetDitherMethod(int method) { m_DitherMethod = method; }
  int GetQuantizationMethod() const { return m_QuantizationMethod; }
  void SetQuantizationMethod(int method) { m_QuantizationMethod = method; }
  bool IsWindowsDIB() const { return m_bWindowsDIB != 0; }

  // Bytes of one unpadded row (width x bpp / 8, one more for a 1-bit row
  // whose width is not a multiple of 8) and of one row padded to 4 bytes.
  // Both are 0 for a size or depth the library does not hold.
  static size_t PackedLineBytes(int width, int bpp);
  static size_t PaddedLineBytes(int width, int bpp);
  // Whether width x height at this depth can be held: positive sizes, a
  // supported depth and at most kMaxImageBytes of pixels.
  static bool IsValidGeometry(int width, int height, int bpp);
  static constexpr size_t kMaxImageBytes = size_t(1) << 30;

 protected:
  // Shared last step of every AllocateStorage: description, line array and
  // the grey ramp palette.
  void InitBitmap(int width, int height, int bpp, int fileBpp, int fileSize, bool alpha, bool greyscale);

  PLPixel32* m_pPal = nullptr;
  PLBYTE** m_pLineArray = nullptr;
  int m_LockCount = 0;
  int m_DitherMethod = 0;
  int m_QuantizationMethod = 2;
  int m_bWindowsDIB = 0;
};

// Brackets pixel access with Lock and Unlock.
class PLBmpLock {
 public:
  PLBmpLock(PLBmp& bmp, bool forRead, bool forWrite) : m_Bmp(bmp) { m_Bmp.Lock(forRead, forWrite); }
  ~PLBmpLock() { m_Bmp.Unlock(); }
  PLBmpLock(const PLBmpLock&) = delete;
  PLBmpLock& operator=(const PLBmpLock&) = delete;

 private:
  PLBmp& m_Bmp;
};
