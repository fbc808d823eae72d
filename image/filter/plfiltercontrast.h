// Contrast about a pivot (128 for factors above 1, else 255) on 24- and 32-bit
// pictures.
#pragma once

#include "image/filter/plfilter.h"

class PLFilterContrast : public PLFilter {
 public:
  // The offset is accepted for the interface; the result depends on the factor alone.
  PLFilterContrast(double contrast, unsigned char /*offset*/) : m_Contrast(contrast) {}
  void Apply(PLBmp* source, PLBmp* target) override;

 private:
  double m_Contrast;
};
