// The Strings In File data source's cache entry, kept in an AMap keyed by file
// name: an open C stdio file and the file's lines.
#pragma once

#include <cstdio>

#include "foundation/build.h"
#include "foundation/containers/aarray.h"

FOUNDATION_BEGIN

struct StringsFileEntry {
  FILE* file = nullptr;  // not owned: the data source closes it
  AArray<AString> lines;

  StringsFileEntry() = default;
  StringsFileEntry(const StringsFileEntry& other) : file(other.file) { lines.Copy(other.lines); }
  StringsFileEntry& operator=(const StringsFileEntry& other) {
    file = other.file;
    lines.Copy(other.lines);
    return *this;
  }
};

FOUNDATION_END
