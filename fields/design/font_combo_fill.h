// Filling a font name combo box for the field property pages.
#pragma once

#include "platform/framework/controls.h"

// Empties the combo and adds every font face the device context knows (the
// screen's when dc is null), each once; selects "Arial", else the first item.
// Returns 1.
int InitFontCombo(CComboBox& combo, HDC dc);
