// The key under which printing keeps a printer font for a field's appearance.
#pragma once

#include "foundation/build.h"
#include "foundation/string/astring.h"

FOUNDATION_BEGIN

// "%s@%s@%X!%X!%X": face, the printer's second name, height, width, style.
AString MakeFontKey(const char* face, const char* printerName2, int height, int width, int style);

FOUNDATION_END
