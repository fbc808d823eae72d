// The services that the field code needs of the data sources and that need
// files and the clock: the data sources fill the table and the program
// installs it (its composition root does); tests install a fixed one. The
// table is required whole: a table with a missing entry is refused and
// reported at installation, and a call with no table installed reports the
// program's fault on the standard error stream (and answers an empty text, 0).
#pragma once

#include "foundation/string/astring.h"

class CField;

// What a counter file holds: its value and its description.
struct CCounterFileData {
  AString value;
  AString description;
};

struct FieldDataServices {
  // The field's date or time formatted by its format from its current value
  // and offsets; *length receives the text's length.
  AString (*FormatFieldDateTime)(const CField& field, int* length) = nullptr;
  // 1 when a counter file was read into data; 0 otherwise.
  int (*ReadCounterFile)(const char* path, CCounterFileData* data) = nullptr;
};

// Installs the table (null removes it); the table must outlive its use.
// False, and nothing changes, when an entry of the table is missing.
bool SetFieldDataServices(const FieldDataServices* services);
const FieldDataServices* GetFieldDataServices();

AString FormatFieldDateTime(const CField& field, int* length);
int ReadCounterFile(const char* path, CCounterFileData* data);
