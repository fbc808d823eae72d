// Finding the file of a TrueType face through the system's font list.
#pragma once

#include "foundation/build.h"
#include "foundation/string/astring.h"

FOUNDATION_BEGIN

// Where a relative file name of the font list lives.
inline constexpr const char* kSystemFontsFolder = "/usr/share/fonts/";

// Looks the face up (without case, '@' ignored) among the TrueType entries of
// the system's font list: first an entry named exactly the face (blanks,
// "(TrueType)" and "Normal" aside), then one holding every word of the face.
// A face found nowhere is tried once more as the family its font substitute
// names, and realFace then names that family. path receives the file (an
// absolute name, or a relative one put after kSystemFontsFolder); realFace
// starts as the face. Returns 1 when found, 0 otherwise (an empty face
// included).
int FindTrueTypeFontFile(const char* face, AString* path, AString* realFace);

FOUNDATION_END
