#include "foundation/system/font_entry.h"

#include <cstring>

FOUNDATION_BEGIN

FontListEntry::FontListEntry(const LOGFONT& font, int fontType, const char* script)
    : scriptName(script ? script : ""), logFont(font), fontType(fontType) {
  char face[LF_FACESIZE + 1] = {};
  std::memcpy(face, font.lfFaceName, LF_FACESIZE);
  faceName = face;
  const char* tag = font.lfCharSet == GB2312_CHARSET        ? kGbTag
                    : font.lfCharSet == CHINESEBIG5_CHARSET ? kBig5Tag
                                                            : nullptr;
  if (tag) {
    displayName = tag;
    if (face[0] != '@') displayName += ' ';
  }
  displayName += face;
}

FOUNDATION_END
