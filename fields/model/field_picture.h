// CFieldPicture: the picture cache that image, OLE, paragraph and RTF fields
// carry. Only the settings bytes of the image field are part of its record.
#pragma once

#include <cstdint>
#include <memory>

#include "foundation/string/astring.h"
#include "image/bitmap/plbmp.h"

class CField;

struct CFieldPicture {
  CField* owner = nullptr;                // set by the field's constructor
  std::unique_ptr<PLBmp> bitmap;          // the prepared picture
  uint8_t plainPicture = 0;               // bitmap holds the picture without print contrast or dimming
  uint8_t pictureOption = 0;              // image field: colour mode (0 none, 1 black and white, 2 greyscale)
  uint8_t mirror = 0;                     // image field: mirror and flip, 0-3
  uint8_t ditherMethod = 0;               // image field: dithering method, 0-3
  uint8_t invert = 0;
  int32_t lightness = 0;
  int32_t contrast = 0;
  std::unique_ptr<PLBmp> sourceBitmap;
  int32_t sizeX = 0;                      // requested size
  int32_t sizeY = 0;

  // What the prepared drawing bitmap (sourceBitmap) was made for.
  int32_t preparedRotation = 0;
  int32_t preparedWidth = 0;
  int32_t preparedHeight = 0;
  // Everything else the prepared bitmap was drawn from (text, fonts, colours,
  // resolution, mode, the linked file's time): a drawing with another key
  // draws it anew.
  AString preparedKey;

  // Deletes bitmap when freeSource is set, and always sourceBitmap.
  void FreeBitmaps(int freeSource) {
    if (freeSource) bitmap.reset();
    sourceBitmap.reset();
  }
  // Image: the owner and the bitmap exist and the owner's file exists.
  bool IsCacheValid() const;
  // The picture for drawing, built on demand and adjusted by lightness,
  // contrast and inversion; null when there is none.
  PLBmp* GetBitmap(int mode, int noContrast, int dim, int force, const int* sizeXY);
};

// Image fields: the picture file decoded at 32 bits per pixel; null when it is
// missing or cannot be decoded. Rich-text fields: their text at the screen's
// resolution (null without a readable file). OLE fields have no picture here.
std::unique_ptr<PLBmp> BuildFieldPicture(const CField& owner);
// Bit 0 mirrors left-right; a flags byte of 2 or more flips upside down.
void MirrorFlipBitmap(PLBmp& bitmap, unsigned flags);
