#include "document/sizes/field_sizes.h"

int GetFieldJobCount(const CField& field) {
  if (field.IsKind(FieldKind::kText)) return static_cast<const CTextField&>(field).duplicates;
  if (field.IsKind(FieldKind::kBarcode)) return static_cast<const CBarcodeField&>(field).duplicates;
  return 0;
}
