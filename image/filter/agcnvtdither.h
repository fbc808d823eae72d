// Turns a 32-bit colour or 8-bit greyscale bitmap into one bit per pixel
// (palette: 0 black, 1 white) by error diffusion or an ordered matrix.
#pragma once

#include "image/bitmap/plbmp.h"

class AgCnvt {
 public:
  virtual int ApplyInPlace(PLBmp* bmp) = 0;
  virtual int Convert(PLBmp* source, PLBmp* target) = 0;
  virtual ~AgCnvt() = default;
};

enum AgDitherMethod : int {
  AG_DITHER_FLOYD_STEINBERG = 0,
  AG_DITHER_ORDERED = 1,
  AG_DITHER_ORDERED_LEVELS = 2,
  AG_DITHER_BURKES = 3,
};

class AgCnvtDither : public AgCnvt {
 public:
  explicit AgCnvtDither(int method) : m_Method(method) {}

  // Converts through a temporary and copies it back into bmp; a refused
  // source leaves bmp as it was. Returns the result of Convert.
  int ApplyInPlace(PLBmp* bmp) override;
  // 0 without touching the target when the source has fewer than 32 bits per
  // pixel and is not flagged greyscale; else 1. An unknown method leaves the
  // target's bits clear.
  int Convert(PLBmp* source, PLBmp* target) override;

  int GetProgress() const { return m_Progress; }

 private:
  int m_Progress = 0;
  int m_Method;
};
