#include "fields/measure/measure_dc.h"

MeasureDc::MeasureDc(const CLabelSetup& setup, HDC given) : dc_(given) {
  if (dc_) return;
  if (!setup.lastPrinter.IsEmpty()) owned_.reset(CreateDCA("WINSPOOL", setup.lastPrinter.GetData(), nullptr, nullptr));
  if (!owned_) owned_.reset(CreateCompatibleDC(nullptr));
  dc_ = owned_.get();
}
