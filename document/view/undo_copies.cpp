#include "document/view/undo_copies.h"

#include "fields/lifecycle/field_lifecycle.h"

std::unique_ptr<CField> CopyFieldForUndo(const CField& field) {
  std::unique_ptr<CField> copy = CloneField(&field, 0, 1);
  if (copy) copy->serialId = field.serialId;
  return copy;
}
