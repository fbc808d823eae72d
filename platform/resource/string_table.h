// String tables: each RT_STRING resource is a block of 16 strings, block n
// holding ids (n - 1) * 16 to n * 16 - 1, each stored as a 16-bit length and
// that many UTF-16 units (no terminator).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/kernel/types.h"

namespace resource {

inline constexpr WORD StringBlockId(UINT id) { return static_cast<WORD>((id >> 4) + 1); }

// The string of id within its block's data; nullopt when the block is too
// short for it (an absent string reads as an empty one, as it is stored).
// The characters are read from the bytes, which need not be 2-byte aligned.
struct StringRef {
  std::span<const uint8_t> bytes;  // 2 * length bytes
  size_t length() const { return bytes.size() / 2; }
  char16_t at(size_t i) const { return static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8)); }
};

std::optional<StringRef> FindStringInBlock(std::span<const uint8_t> block, UINT id);

}  // namespace resource
