#include "datasource/counter_file.h"

#include <cstring>
#include <span>

#include "datasource/replace_file.h"
#include "foundation/util/file_io.h"
#include "platform/kernel/byte_reader.h"

namespace {

constexpr char kMagic[] = "CNTR0001";
constexpr size_t kMagicLength = 8;

void AppendInt32(AString& out, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                         static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
  out.Append(bytes, 4);
}

AString BytesAsString(std::span<const uint8_t> bytes) {
  return AString(static_cast<int>(bytes.size()), reinterpret_cast<const char*>(bytes.data()));
}

}  // namespace

int ReadCounterFileContent(const char* path, CCounterFileData* data) {
  if (!path || !data) return 0;
  int size = 0;
  const auto buffer = ReadWholeFile(path, &size);
  if (!buffer) return 0;
  ByteReader in(buffer.get(), static_cast<size_t>(size));
  const auto magic = in.Bytes(kMagicLength);
  if (magic.size() != kMagicLength || std::memcmp(magic.data(), kMagic, kMagicLength) != 0) return 0;
  const int32_t valueLength = in.I32();
  if (!in.ok() || valueLength < 1 || !in.HasMore(static_cast<uint64_t>(valueLength))) return 0;
  data->value = BytesAsString(in.Bytes(static_cast<uint64_t>(valueLength)));
  const int32_t descriptionLength = in.I32();
  if (!in.ok() || descriptionLength < 0 || !in.HasMore(static_cast<uint64_t>(descriptionLength))) return 0;
  if (descriptionLength > 0) data->description = BytesAsString(in.Bytes(static_cast<uint64_t>(descriptionLength)));
  return 1;
}

AString CounterFileBytes(const CCounterFileData& data) {
  AString out;
  out.Append(kMagic, static_cast<int>(kMagicLength));
  AppendInt32(out, data.value.GetLength());
  out.Append(data.value.GetData(), data.value.GetLength());
  AppendInt32(out, data.description.GetLength());
  out.Append(data.description.GetData(), data.description.GetLength());
  return out;
}

int WriteCounterFile(const char* path, const CCounterFileData& data) {
  const AString bytes = CounterFileBytes(data);
  return ReplaceFileWithBytes(
      path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.GetData()),
                                     static_cast<size_t>(bytes.GetLength())));
}
