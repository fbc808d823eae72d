// Turns a picture of any depth upside down in place.
#pragma once

#include "image/filter/plfilter.h"

class PLFilterFlip : public PLFilter {
 public:
  void ApplyInPlace(PLBmp* bmp) override;
};
