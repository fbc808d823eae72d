// A bitmap in plain heap memory: top-down rows without padding and its own
// palette. Used for temporaries of the filters and converters.
#pragma once

#include "image/bitmap/plbmp.h"

class PLAnyBmp : public PLBmp {
 public:
  // Starts as 16 x 16 at 8 bits per pixel with the grey palette.
  PLAnyBmp();
  ~PLAnyBmp() override;

  PLAnyBmp& operator=(const PLBmp& source);
  PLAnyBmp& operator=(const PLAnyBmp& source) { return *this = static_cast<const PLBmp&>(source); }

  long GetMemoryUsed() override;
  long GetLineSize() override;

  PLBYTE* GetPixels() const { return m_pBits; }

 protected:
  int AllocateStorage(int width, int height, int bpp, int fileBpp, int fileSize, bool alpha,
                      bool greyscale) override;
  void FreeStorage() override;
  void BuildLineArray() override;

 private:
  PLBYTE* m_pBits = nullptr;
};
