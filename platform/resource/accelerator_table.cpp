// Reading accelerator tables.
#include "platform/resource/accelerator_table.h"

#include "platform/kernel/byte_reader.h"

namespace resource {
namespace {
constexpr uint16_t kLastEntry = 0x80;
}

bool ParseAcceleratorTable(std::span<const uint8_t> data, std::vector<AcceleratorEntry>& out) {
  out.clear();
  ByteReader in(data);
  std::vector<AcceleratorEntry> entries;
  for (;;) {
    const uint16_t flags = in.U16();
    AcceleratorEntry e;
    e.flags = static_cast<BYTE>(flags & 0x7F);
    e.key = in.U16();
    e.command = in.U16();
    in.U16();  // padding
    if (!in.ok()) return false;
    entries.push_back(e);
    if (flags & kLastEntry) break;
  }
  out = std::move(entries);
  return true;
}

}  // namespace resource
