// A layout file's status as the document keeps it: times, size, the
// read-only and system attribute bits and the full name.
#pragma once

#include <cstdint>

#include "foundation/string/astring.h"

struct LayoutFileStatus {
  int64_t modifiedTime = 0;   // seconds since 1970
  int64_t changeTime = 0;
  int64_t size = 0;
  uint8_t attribute = 0;      // bit 0 read-only
  AString fullName;

  bool operator==(const LayoutFileStatus& o) const {
    return modifiedTime == o.modifiedTime && changeTime == o.changeTime && size == o.size &&
           attribute == o.attribute;
  }
};

// Reads the status of an existing file; false when it cannot be read.
bool ReadLayoutFileStatus(const char* path, LayoutFileStatus& status);
