// What a field's content does when its box was resized by a handle: text
// fonts follow the box, barcodes refit, paragraphs rewrap, rich text fits.
#pragma once

#include "fields/model/field_kinds.h"
#include "fields/services/design_view.h"

// Puts the value the field shows into its data for the resize (the design
// value for computed data, the formatted value of a text field), the old data
// stashed; true when RestoreShownValue must put it back.
bool StashShownValue(CField& field);
void RestoreShownValue(CField& field, bool stashed);

// Fits the field's content to its new box, measuring on the screen at the
// view's resolution (the screen's without a view). With keepMinimum a text
// field takes its measured size and rich text drops its cached pictures.
void FitContentToResizedField(CField& field, const IDesignView* view, int keepMinimum);

// The width percentage (10000 normal) that makes the text field's string
// fill its width at dpi on dc, within 3 mils where it can.
int FitTextWidthPercent(CTextField& field, HDC dc, int dpi);
