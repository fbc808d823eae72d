// The Strings In File data source's cache entry, kept in a map keyed by file
// name: an open C stdio file, the entries cut from it so far, and the text
// read after the last separator, which waits for the next chunk.
#pragma once

#include <cstdio>

#include "foundation/build.h"
#include "foundation/containers/aarray.h"

FOUNDATION_BEGIN

struct StringsFileEntry {
  FILE* file = nullptr;  // not owned: the run that keeps the map closes it
  AArray<AString> lines;
  AString pending;       // text after the last separator read so far
  int bomKind = -1;      // -1 not yet known; 0 none, 1 FF FE, 2 FE FF (16-bit units)

  StringsFileEntry() = default;
  StringsFileEntry(const StringsFileEntry& other)
      : file(other.file), pending(other.pending), bomKind(other.bomKind) {
    lines.Copy(other.lines);
  }
  StringsFileEntry& operator=(const StringsFileEntry& other) {
    file = other.file;
    lines.Copy(other.lines);
    pending = other.pending;
    bomKind = other.bomKind;
    return *this;
  }
};

FOUNDATION_END
