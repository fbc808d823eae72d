// A filter turns a bitmap into a second bitmap or changes it in place. Each
// filter overrides one of the two entry points; the other default uses it.
#pragma once

#include "image/bitmap/plbmp.h"
#include "image/bitmap/plobject.h"

class PLFilter : public PLObject {
 public:
  PLFilter() = default;
  ~PLFilter() override = default;

  // Default: Apply into a temporary, then copy it back into bmp.
  virtual void ApplyInPlace(PLBmp* bmp);
  // Default: copy the source into the target, then ApplyInPlace on the target.
  virtual void Apply(PLBmp* source, PLBmp* target);
};
