// Accelerator tables as a resource stores them: 8-byte entries (flags, key,
// command, padding), the last one marked in its flags.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/kernel/types.h"

namespace resource {

struct AcceleratorEntry {
  BYTE flags = 0;  // FVIRTKEY, FSHIFT, FCONTROL, FALT, FNOINVERT
  WORD key = 0;
  WORD command = 0;
  bool operator==(const AcceleratorEntry&) const = default;
};

// False when the data ends before the entry marked last.
bool ParseAcceleratorTable(std::span<const uint8_t> data, std::vector<AcceleratorEntry>& out);

}  // namespace resource
