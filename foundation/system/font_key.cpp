#include "foundation/system/font_key.h"

FOUNDATION_BEGIN

AString MakeFontKey(const char* face, const char* printerName2, int height, int width, int style) {
  AString key;
  key.Format("%s@%s@%X!%X!%X", face ? face : "", printerName2 ? printerName2 : "", static_cast<unsigned>(height),
             static_cast<unsigned>(width), static_cast<unsigned>(style));
  return key;
}

FOUNDATION_END
