// Resizing filters: the base holds the new size; the box filter resamples in
// two passes (rows, then columns) with integer weights.
#pragma once

#include "image/filter/plfilter.h"

class PLFilterResize : public PLFilter {
 public:
  PLFilterResize(int newWidth, int newHeight) : m_NewWidth(newWidth), m_NewHeight(newHeight) {}
  ~PLFilterResize() override = default;

 protected:
  int m_NewWidth;
  int m_NewHeight;
};

class PLFilterResizeBox : public PLFilterResize {
 public:
  PLFilterResizeBox(int newWidth, int newHeight) : PLFilterResize(newWidth, newHeight) {}
  // The target gets the new size and the source's description. Sources of
  // other depths than 32 are resampled from a 32-bit copy, and the target is
  // then 32-bit.
  void Apply(PLBmp* source, PLBmp* target) override;
};
