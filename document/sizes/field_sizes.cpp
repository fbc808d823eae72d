#include "document/sizes/field_sizes.h"

#include "fields/design/design_values.h"
#include "fields/model/field_data.h"
#include "fields/richtext/rtf_field.h"

namespace {

bool IsSampledKind(FieldKind kind) {
  switch (kind) {
    case FieldKind::kText:
    case FieldKind::kBarcode:
    case FieldKind::kImage:
    case FieldKind::kParagraph:
    case FieldKind::kRtf: return true;
    default: return false;
  }
}

}  // namespace

bool UsesSampleData(const CField& field, unsigned flags) {
  if ((flags & kMeasureNoSampleData) || !IsFieldDataComputed(field)) return false;
  if (field.dataSourceType == static_cast<int16_t>(DataSourceType::kLinkToFile)) return true;
  return IsSampledKind(field.Kind()) && IsVariableSourceType(field.dataSourceType);
}

SIZE MeasureFieldWithSampleData(CRtfField& field, const CFieldList& list, const CLabelSetup& setup, unsigned flags) {
  if (!UsesSampleData(field, flags)) return MeasureRtfFieldSize(field);
  AString own;
  GetFieldData(own, field);
  GetFieldDesignValue(field, list, setup, -1);
  const SIZE size = MeasureRtfFieldSize(field);
  SetFieldData(field, own);
  return size;
}

int GetFieldJobCount(const CField& field) {
  if (field.IsKind(FieldKind::kText)) return static_cast<const CTextField&>(field).duplicates;
  if (field.IsKind(FieldKind::kBarcode)) return static_cast<const CBarcodeField&>(field).duplicates;
  return 0;
}
