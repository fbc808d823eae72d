// Strings In File: label n of a run prints entry n of a text file cut at the
// field's separator. The run keeps each file open, with the entries read so
// far, until the run ends.
#pragma once

#include <map>
#include <string>

#include "foundation/containers/strings_file_entry.h"
#include "foundation/string/astring.h"
#include "platform/kernel/types.h"

// The files one run reads, by path; closes them when the run ends.
class CStringsFileMap {
 public:
  CStringsFileMap() = default;
  CStringsFileMap(const CStringsFileMap&) = delete;
  CStringsFileMap& operator=(const CStringsFileMap&) = delete;
  ~CStringsFileMap();

  StringsFileEntry* Lookup(const AString& path);
  StringsFileEntry* Add(const AString& path, FILE* file);
  int GetCount() const { return static_cast<int>(entries_.size()); }

 private:
  std::map<std::string, StringsFileEntry> entries_;
};

// Entry n (0-based) of the file: 1 and the entry, else 0 and out empty. A file
// that starts with a UTF-16 mark is cut at the 16-bit separator and gives wide
// entries; any other is cut at the separator byte. Each entry loses one CR
// before its separator and is trimmed at both ends.
int GetStringsInFileValue(CStringsFileMap& run, const AString& path, WORD separator, int n, AString* out);
