// Counter files (".cntr"): the counter's value as text and a description.
//   "CNTR0001", value length (int32 >= 1), value bytes,
//   description length (int32 >= 0), description bytes; little-endian.
#pragma once

#include "foundation/string/astring.h"

struct CCounterFileData {
  AString value;
  AString description;
};

// 1 when the whole file was read. A zero description length leaves the
// description as it was; a failure after the value was read leaves the value.
int ReadCounterFile(const char* path, CCounterFileData* data);
// Writes the file through a temporary file and a rename: 1 when written in
// full, 0 (the old file kept) otherwise.
int WriteCounterFile(const char* path, const CCounterFileData& data);
// The bytes of a counter file.
AString CounterFileBytes(const CCounterFileData& data);
