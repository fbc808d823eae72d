// The compiled resource file (.res) a resource compiler writes: a sequence
// of records, each a header (sizes, type, name, flags, language) followed by
// its data, every record starting on a 4-byte boundary. The first record of
// a file is an empty marker.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/resource/res_name.h"

namespace resource {

struct ResEntry {
  ResName type;
  ResName name;
  WORD language = 0;
  WORD memoryFlags = 0;
  std::span<const uint8_t> data;  // inside the parsed file
};

// Parses a whole file. Every size and offset is checked against the data;
// any record that does not fit, or a header too short for its own fields,
// refuses the whole file (returns false and leaves entries empty).
bool ParseResFile(std::span<const uint8_t> file, std::vector<ResEntry>& entries);

}  // namespace resource
