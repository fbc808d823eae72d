// Turning a whole layout by quarter turns: the label's width and height
// change places and every field moves and turns with the label.
#pragma once

#include "fields/model/field_list.h"
#include "fields/services/label_setup.h"

// One quarter turn counter-clockwise: the width and height are exchanged,
// each field's new position is (old y, new height - old x), its rotation
// grows by 90 degrees (thousandths of a degree, kept in 0..359999), and the
// fonts of text, paragraph and barcode fields turn with it.
void RotateLayoutQuarterTurn(CFieldList& fields, CLabelSetup& setup);

// The quarter turns from one rotation (0-3) to another, counter-clockwise.
int QuarterTurnsBetween(int from, int to);
