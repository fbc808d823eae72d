// Reading compiled resource files.
#include "platform/resource/res_file.h"

namespace resource {
namespace {

// A record header's fixed part: the two sizes, 4-byte type and name ordinals,
// data version, flags, language, version and characteristics.
constexpr uint32_t kSmallestHeader = 32;

// Reads the record starting at the cursor; false when it does not fit.
bool ReadRecord(ByteReader& in, std::span<const uint8_t> file, ResEntry& entry) {
  const size_t start = in.position();
  const uint32_t dataSize = in.U32();
  const uint32_t headerSize = in.U32();
  if (!in.ok() || headerSize < kSmallestHeader || headerSize > file.size() - start) return false;
  // The header's fields are read within the header alone.
  ByteReader header(file.subspan(start + 8, headerSize - 8));
  entry.type = ReadResName(header);
  entry.name = ReadResName(header);
  header.Align(4);  // relative to the record start, which is itself aligned
  header.U32();     // data version
  entry.memoryFlags = header.U16();
  entry.language = header.U16();
  header.U32();  // version
  header.U32();  // characteristics
  if (!header.ok()) return false;
  in.Skip(headerSize - 8);
  entry.data = in.Bytes(dataSize);
  if (!in.ok()) return false;
  in.Align(4);
  return in.ok();
}

}  // namespace

bool ParseResFile(std::span<const uint8_t> file, std::vector<ResEntry>& entries) {
  entries.clear();
  ByteReader in(file);
  std::vector<ResEntry> found;
  bool first = true;
  while (!in.AtEnd()) {
    if (in.position() % 4 != 0) return false;
    ResEntry entry;
    if (!ReadRecord(in, file, entry)) return false;
    // The leading marker: no data, type and name ordinal 0.
    const bool marker = first && entry.data.empty() && entry.type == ResName{} && entry.name == ResName{};
    first = false;
    if (!marker) found.push_back(std::move(entry));
  }
  if (!in.ok()) return false;
  entries = std::move(found);
  return true;
}

}  // namespace resource
