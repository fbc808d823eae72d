#include "datasource/counter_file.h"

#include <span>

#include "datasource/record_bytes.h"
#include "datasource/replace_file.h"
#include "foundation/util/file_io.h"

namespace {

constexpr char kMagic[] = "CNTR0001";

}  // namespace

int ReadCounterFileContent(const char* path, CCounterFileData* data) {
  if (!path || !data) return 0;
  int size = 0;
  const auto buffer = ReadWholeFile(path, &size);
  if (!buffer) return 0;
  ByteReader in(buffer.get(), static_cast<size_t>(size));
  if (!ReadRecordMagic(in, kMagic)) return 0;
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
  AppendRecordMagic(out, kMagic);
  AppendCountedText(out, data.value);
  AppendCountedText(out, data.description);
  return out;
}

int WriteCounterFile(const char* path, const CCounterFileData& data) {
  const AString bytes = CounterFileBytes(data);
  return ReplaceFileWithBytes(
      path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.GetData()),
                                     static_cast<size_t>(bytes.GetLength())));
}
