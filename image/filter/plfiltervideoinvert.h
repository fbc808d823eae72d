// Inverts the brightness of a 32-bit picture: value becomes 255 - value in
// hue, saturation, value terms, so hues stay.
#pragma once

#include "image/filter/plfilter.h"

class PLFilterVideoInvert : public PLFilter {
 public:
  void Apply(PLBmp* source, PLBmp* target) override;
};
