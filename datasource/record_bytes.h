// The pieces the small binary data files (counter files, choose lists) are
// made of: an eight-byte magic, little-endian 32-bit counts and texts that
// stand behind their byte count. Reading goes through the one ByteReader.
#pragma once

#include <cstdint>
#include <span>

#include "foundation/string/astring.h"
#include "platform/kernel/byte_reader.h"

// The length of every data file's magic.
inline constexpr size_t kRecordMagicLength = 8;

// Reads the magic in order; false when the file does not start with it.
bool ReadRecordMagic(ByteReader& in, const char* magic);

void AppendRecordMagic(AString& out, const char* magic);
// Little-endian, whatever the host.
void AppendInt32(AString& out, int32_t value);
// The text's byte count, then its bytes.
void AppendCountedText(AString& out, const AString& text);

AString BytesAsString(std::span<const uint8_t> bytes);
