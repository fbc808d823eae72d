// The barcode setup sheet's runner: "Barcode Setup" (or "HIBC Barcode
// Setup") with its Barcode / Data, Human Readable and Options pages around a
// working copy of the field; on OK the field takes the size the data page
// measured.
#pragma once

#include <memory>

#include "fields/model/field.h"
#include "fields/model/field_list.h"

class CLabelSetup;

// field: the field to edit, or null (or pointing to null) for a new one,
// handed to *field on OK. hibc: the HIBC variant (a new field starts as an
// HIBC Code 39; callers pass an existing field's own flag). 1 on OK.
int RunBarcodeSetupSheet(CLabelSetup* setup, CField** field, int hibc, CFieldList& list,
                         std::unique_ptr<CField>* undoClone);
