// Adds percent x 2.55 to every channel of a 32-bit picture.
#pragma once

#include "image/filter/plfilter.h"

class PLFilterLightness : public PLFilter {
 public:
  explicit PLFilterLightness(int lightness) : m_Lightness(lightness) {}
  void Apply(PLBmp* source, PLBmp* target) override;

 private:
  int m_Lightness;
};
