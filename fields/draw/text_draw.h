// Drawing one line of text of a text field.
#pragma once

#include "fields/model/field_kinds.h"
#include "platform/gdi/gdi.h"

class CLabelSetup;

// Draws the field's string at (x, y) in device pixels with its colours and
// its font record, which must already be in device units. The characters go
// along the escapement; with spreadWidth they are spread over that width;
// with clipWidth a character beyond it is left out. Returns 1.
int DrawTextFieldOnDC(HDC dc, const CTextField& field, int x, int y, int spreadWidth, bool quality,
                      unsigned colourFlags, int clipWidth);

// Draws a text field at the origin and resolutions (dpiY 0: dpiX); 0 for an
// empty string.
int DrawTextField(HDC dc, CTextField& field, const CLabelSetup& setup, int drawFlag, int originX, int originY,
                  int dpiX, int dpiY, int outline, int extra);
