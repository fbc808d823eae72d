// The device context text is measured on: the label printer's when the label
// setup names one that exists, else a memory context compatible with the
// screen. Fonts are sized from the label setup's resolution either way.
#pragma once

#include "fields/services/label_setup.h"
#include "platform/gdi/gdi_owners.h"

class MeasureDc {
 public:
  // Uses `given` when it is not null.
  MeasureDc(const CLabelSetup& setup, HDC given);
  HDC get() const { return dc_; }

 private:
  UniqueDc owned_;
  HDC dc_ = nullptr;
};
