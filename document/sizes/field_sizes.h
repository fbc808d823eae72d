// Sizes of fields that depend on a layout: rich text measured with the
// design-time sample of data that only exists at print time (from the
// fields), and the duplicate count a print job takes from a field.
#pragma once

#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"
#include "fields/richtext/rtf_fit.h"
#include "fields/services/label_setup.h"

// The duplicate count of a text or barcode field; 0 for other kinds.
int GetFieldJobCount(const CField& field);
