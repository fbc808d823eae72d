// Finding a string in a string-table block.
#include "platform/resource/string_table.h"

#include "platform/kernel/byte_reader.h"

namespace resource {

std::optional<StringRef> FindStringInBlock(std::span<const uint8_t> block, UINT id) {
  ByteReader in(block);
  for (UINT index = 0; index < (id & 15u); ++index) in.Skip(2u * in.U16());
  const uint16_t length = in.U16();
  StringRef ref{in.Bytes(2u * length)};
  if (!in.ok()) return std::nullopt;
  return ref;
}

}  // namespace resource
