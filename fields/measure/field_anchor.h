// Keeping a field's text anchored when its printed value differs in width
// from the design-time value it was placed with.
#pragma once

#include "fields/model/field_list.h"

class CLabelSetup;

// Measures the field with its design-time value and with its stored value,
// takes the second size, and moves a field anchored right (1) by the whole
// width difference, centre (0) by half of it, along its rotation. 0 for image
// fields and for other anchors, else 1. A paragraph keeps its anchor; other
// kinds are left with anchor -1 as the printed copy needs.
int AdjustFieldAnchor(CField& field, const CFieldList& list, const CLabelSetup& setup);
