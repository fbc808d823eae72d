// Fitting a rich-text field's font to its box, and measuring it with the
// sample text it shows at design time.
#pragma once

#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"
#include "platform/gdi/gdi.h"

class CLabelSetup;

// Steps the size of all the field's text, a point at a time, until the text
// laid out at the field's width is as high as the box: shrinking stops at the
// first step that fits, growing at the first that overflows (keeping the one
// before). The step found goes to fontSizeStep. 0 when the field's text
// cannot be read, else 1.
int FitRtfFontToHeight(CRtfField& field);

// Measuring flag: the data as it stands, never the design-time sample.
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
SIZE MeasureFieldWithSampleData(CRtfField& field, const CFieldList& list, const CLabelSetup& setup,
                                unsigned flags);
