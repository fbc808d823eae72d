// The "Insert Special Character" buttons of the data pages: a control
// character picked from the popup of their names goes into a data box as its
// bracketed name, where OK turns it back into the character.
#pragma once

#include "platform/win.h"

// Pops up the names of bytes 1 to 31 at the mouse pointer; the picked name
// ("[gs]") replaces the edit's selection, as typing it would. The focus goes
// back to the edit when `focus` is set, whether or not a name was picked. 1 when a name went in, 0 when the
// popup was dismissed.
int InsertControlCharName(HWND edit, HWND owner, bool focus);
