// Copies of fields that undo steps keep: every setting, the serial number
// included, so that a field put back is the field that was there.
#pragma once

#include <memory>

#include "fields/model/field.h"

std::unique_ptr<CField> CopyFieldForUndo(const CField& field);
