#include "datasource/record_bytes.h"

#include <cstring>

bool ReadRecordMagic(ByteReader& in, const char* magic) {
  const auto bytes = in.Bytes(kRecordMagicLength);
  return bytes.size() == kRecordMagicLength && std::memcmp(bytes.data(), magic, kRecordMagicLength) == 0;
}

void AppendRecordMagic(AString& out, const char* magic) { out.Append(magic, static_cast<int>(kRecordMagicLength)); }

void AppendInt32(AString& out, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                         static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
  out.Append(bytes, 4);
}

void AppendCountedText(AString& out, const AString& text) {
  AppendInt32(out, text.GetLength());
  out.Append(text.GetData(), text.GetLength());
}

AString BytesAsString(std::span<const uint8_t> bytes) {
  return AString(static_cast<int>(bytes.size()), reinterpret_cast<const char*>(bytes.data()));
}
