// An 8-bit greyscale copy (grey ramp palette) of a 32-bit picture.
#pragma once

#include "image/filter/plfilter.h"

class PLFilterGrayscale : public PLFilter {
 public:
  void Apply(PLBmp* source, PLBmp* target) override;
};
