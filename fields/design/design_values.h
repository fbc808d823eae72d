// Default names of new fields and the text a field shows at design time.
#pragma once

#include "fields/model/field_kinds.h"
#include "fields/model/field_list.h"

class CLabelSetup;

// The kind word, "_" and one more than the highest number already used after
// that prefix (compared without regard to case); empty for unknown kinds.
AString MakeDefaultFieldName(int kind, const CFieldList& list);
int AssignDefaultFieldName(CField& field, const CFieldList& list);

// Puts the field's design-time value into its data. numeric -1 means numeric
// for barcode fields only. Returns 1.
int GetFieldDesignValue(CField& field, const CFieldList& list, const CLabelSetup& setup, int numeric);

// Shape the structured parts fed at print time (Prompt Before Print or
// Link/Expression, by the live or the backup code); 1 when any was shaped.
int FillAiPlaceholders(CBarcodeField& field);
int FillHibcPlaceholders(CBarcodeField& field);
int FillUpsPlaceholders(CBarcodeField& field);

// The first of "day" 0, "month" 1, "year" 2, "hour" 3, "minute" 4, "second" 5
// in the lower-cased text; -1 when none.
int DatePartIndex(const char* text);
