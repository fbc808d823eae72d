// Counter files (".cntr"): the counter's value as text and a description.
//   "CNTR0001", value length (int32 >= 1), value bytes,
//   description length (int32 >= 0), description bytes; little-endian.
#pragma once

#include "fields/services/field_services.h"
#include "foundation/string/astring.h"

// Reads a counter file (the fields reach it as ReadCounterFile through their
// service table): 1 when the whole file was read. A zero description length
// leaves the description as it was; a failure after the value was read leaves
// the value.
int ReadCounterFileContent(const char* path, CCounterFileData* data);
// Writes the file through a temporary file and a rename: 1 when written in
// full, 0 (the old file kept) otherwise.
int WriteCounterFile(const char* path, const CCounterFileData& data);
// The bytes of a counter file.
AString CounterFileBytes(const CCounterFileData& data);
