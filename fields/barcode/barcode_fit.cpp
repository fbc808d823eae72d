#include "fields/barcode/barcode_fit.h"

#include <algorithm>

#include "fields/measure/field_measure.h"

namespace {

constexpr int kLargestStep = 999;

// Measures at rotation 0, the field's own rotation put back after.
SIZE MeasureUnturned(CBarcodeField& field, const CLabelSetup& setup) {
  const int32_t rotation = field.rotation;
  field.rotation = 0;
  const SIZE size = MeasureBarcodeField(field, {}, setup, 0);
  field.rotation = rotation;
  return size;
}

}  // namespace

int FitNarrowBarToWidth(CBarcodeField& field, const CLabelSetup& setup, int apply) {
  const int target = field.width;
  SIZE measured{0, 0};
  for (int bar = 1; bar <= kLargestStep; ++bar) {
    field.narrowBar = static_cast<int16_t>(bar);
    measured = MeasureUnturned(field, setup);
    if (measured.cx == target) break;
    if (measured.cx > target) {
      if (bar > 1) {
        field.narrowBar = static_cast<int16_t>(bar - 1);
        measured = MeasureUnturned(field, setup);
      }
      break;
    }
  }
  field.barHeight = field.height - field.textHeight - field.textGap;
  if (field.symbology == 11) field.barHeight -= 2 * field.bearerWidth;
  if (apply) field.width = measured.cx;
  return field.narrowBar;
}

int FitModulesToSize(CBarcodeField& field, const CLabelSetup& setup, int apply) {
  const int ratio = std::max(1, field.moduleSize2D > 0 ? field.rowHeight2D / field.moduleSize2D : 1);
  SIZE kept{0, 0};
  int keptModule = 0;
  for (int i = 1; i <= kLargestStep; ++i) {
    field.moduleSize2D = static_cast<int16_t>(i);
    field.rowHeight2D = static_cast<int16_t>(ratio * i);
    const SIZE size = MeasureUnturned(field, setup);
    if (size.cx >= field.width || size.cy >= field.height) {
      const bool fits = size.cx <= field.width && size.cy <= field.height;
      if (fits || keptModule == 0) {
        kept = size;
        keptModule = i;
      }
      break;
    }
    kept = size;
    keptModule = i;
  }
  if (keptModule == 0) keptModule = 1;
  field.moduleSize2D = static_cast<int16_t>(keptModule);
  field.rowHeight2D = static_cast<int16_t>(ratio * keptModule);
  if (apply) {
    field.width = kept.cx;
    field.height = kept.cy;
  }
  return keptModule;
}
