// The shape dialogs' working copies are plain copies of the field: every
// member the record carries and the strings, the serial number and the
// record size too (the saved print-time data is not copied: the dialogs
// never run while a field holds it).
#pragma once

#include "fields/model/field.h"

// Copies from into to (both of one kind); returns to.
CField& AssignShapeField(CField& to, const CField& from);
