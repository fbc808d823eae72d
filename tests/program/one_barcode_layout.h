// A layout file of one barcode field, sized as the field measures, for the
// journeys that open it in the real program.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "document/file/layout_file.h"
#include "fields/measure/field_measure.h"
#include "fields/model/field_kinds.h"

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
