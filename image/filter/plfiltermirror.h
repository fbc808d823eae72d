// Mirrors a picture of any depth left to right.
#pragma once

#include "image/filter/plfilter.h"

class PLFilterMirror : public PLFilter {
 public:
  void Apply(PLBmp* source, PLBmp* target) override;
};
