// A bitmap stored as one packed device-independent bitmap (40-byte header,
// palette, bottom-up rows padded to 4 bytes) so that GDI can take it as it is.
#pragma once

#include "image/bitmap/plbmp.h"
#include "platform/gdi/gdi.h"
#include "platform/kernel/types.h"

class PLWinBmp : public PLBmp {
 public:
  // Starts as 16 x 16 at 8 bits per pixel with the grey palette.
  PLWinBmp();
  ~PLWinBmp() override;

  PLWinBmp& operator=(const PLBmp& source);
  PLWinBmp& operator=(const PLWinBmp& source) { return *this = static_cast<const PLBmp&>(source); }

  long GetMemoryUsed() override;
  long GetLineSize() override;

  // Replaces the bitmap by the RT_BITMAP resource with this id.
  virtual void LoadResourceBitmap(HINSTANCE instance, int resourceId);
  // These return the number of scan lines drawn (0 on failure).
  virtual int Draw(HDC dc, int x, int y, DWORD rop = SRCCOPY);
  virtual int StretchDraw(HDC dc, int x, int y, int width, int height, DWORD rop = SRCCOPY);
  virtual int StretchDrawScaled(HDC dc, int x, int y, double factor, DWORD rop = SRCCOPY);
  virtual int DrawRegion(HDC dc, int x, int y, int left, int top, int right, int bottom);
  // Copies a packed device-independent bitmap (header, palette, rows); 0
  // when it is not one the library holds or memory cannot be had.
  virtual int CreateFromDIB(const BITMAPINFOHEADER* header, int fileBpp, int fileSize);
  // A GMEM_MOVEABLE copy of the whole block, for the clipboard; throws
  // PLTextException (10) when the memory cannot be had.
  virtual HGLOBAL CopyToGlobalMemory();

 protected:
  virtual void SetDIBPointers();

 public:
  // Replaces the bitmap by the pixels of a GDI bitmap (depths above 8 become
  // 32, 2 and 4 become 8); 0 when the handle gives nothing.
  int CreateFromHBitmap(HBITMAP bitmap);

  BITMAPINFO* GetBMI() const { return reinterpret_cast<BITMAPINFO*>(m_pBMI); }
  PLBYTE* GetBits() const { return m_pBits; }
  // Bytes of the whole block: header, palette and rows.
  size_t GetDIBSize() const;

 protected:
  int AllocateStorage(int width, int height, int bpp, int fileBpp, int fileSize, bool alpha,
                      bool greyscale) override;
  void FreeStorage() override;
  void BuildLineArray() override;

 private:
  PLBYTE* m_pBMI = nullptr;   // the packed block
  PLBYTE* m_pBits = nullptr;  // first byte of the rows inside it
};
