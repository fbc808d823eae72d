// A layout file of one barcode field, sized as the field measures, for the
// journeys that open it in the real program; the field made large enough to
// be read from the screen.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "document/file/layout_file.h"
#include "fields/barcode/barcode_checks.h"
#include "fields/measure/field_measure.h"
#include "fields/model/field_kinds.h"

// A barcode field as the designer makes it, large enough to be read from the
// screen: named Barcode_1, bars `narrowBar` dots wide and 600 high, no text
// under them, at `offset` (in mils).
inline std::unique_ptr<CBarcodeField> NewReadableBarcode(const CLabelSetup& setup, int16_t symbology, int narrowBar,
                                                         FieldPoint offset) {
  auto field = std::make_unique<CBarcodeField>(setup.dpiX);
  SetNewBarcodeDefaults(*field, setup);
  field->name = "Barcode_1";
  field->symbology = symbology;
  field->narrowBar = static_cast<int16_t>(narrowBar);
  field->barHeight = 600;
  field->showHr = 0;
  field->offset = offset;
  return field;
}

inline bool SaveOneBarcodeLayout(const std::string& path, const CLabelSetup& setup,
                                 std::unique_ptr<CBarcodeField> field) {
  const CFieldList none;
  const SIZE size = MeasureBarcodeField(*field, none, setup, 0);
  field->width = size.cx;
  field->height = size.cy;
  CFieldList fields;
  fields.push_back(std::move(field));
  return SaveLayoutFile(path.c_str(), setup, fields, SaveVersions::kFreshStore) == 1;
}
