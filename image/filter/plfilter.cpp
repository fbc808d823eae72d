#include "image/filter/plfilter.h"

#include "image/bitmap/planybmp.h"

void PLFilter::ApplyInPlace(PLBmp* bmp) {
  PLAnyBmp temporary;
  Apply(bmp, &temporary);
  bmp->CreateCopy(temporary, 0);
}

void PLFilter::Apply(PLBmp* source, PLBmp* target) {
  if (source != target) target->CreateCopy(*source, 0);
  ApplyInPlace(target);
}
