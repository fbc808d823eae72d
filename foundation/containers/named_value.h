// A text with an integer value: the element of the typed arrays that hold
// named numbers (ATypedArray<NamedValue>).
#pragma once

#include <cstdint>

#include "foundation/build.h"
#include "foundation/string/astring.h"

FOUNDATION_BEGIN

struct NamedValue {
  AString text;       // starts empty
  int32_t value = 0;
};

FOUNDATION_END
