// Sizes of fields that depend on a layout: rich text measured with the
// design-time sample of data that only exists at print time, and the
// duplicate count a print job takes from a field.
#pragma once

#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"

inline constexpr unsigned kMeasureNoSampleData = 0x8;

// Whether a field is measured with its design-time sample: never with
// kMeasureNoSampleData or when its shown data is stored; else for text,
// barcode, image, paragraph and rich-text fields fed at print time (prompt,
// list, counter, date, time, expression, database, port, strings in a
// file), and for any field linked to a file.
bool UsesSampleData(const CField& field, unsigned flags);

// The rich-text field measured as MeasureRtfFieldSize does, with its sample
// data in place of its own while it is measured; the field keeps its own
// data afterwards. (field width, text height) in mils.
SIZE MeasureFieldWithSampleData(CRtfField& field, const CFieldList& list, const CLabelSetup& setup, unsigned flags);

// The duplicate count of a text or barcode field; 0 for other kinds.
int GetFieldJobCount(const CField& field);
