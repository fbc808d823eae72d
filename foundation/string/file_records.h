// The pieces every file form of the foundation is read and written with: C
// streams opened by ANSI names, 32-bit little-endian numbers, and text records
// whose stored length is checked against what the file still holds. Built into
// both deliverables (the string class's file form uses them).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "foundation/build.h"
#include "foundation/string/astring.h"

FOUNDATION_BEGIN

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

// Opens a file whose name is in the process ANSI code page (converted as the
// kernel's A functions convert names); null when it cannot be opened.
FilePtr OpenFile(const char* path, const char* mode);

// The size of the file, keeping the current position; -1 when it cannot be told.
long FileSize(FILE* file);
// Bytes between the current position and the end; -1 when the stream cannot tell.
long BytesLeftInFile(FILE* file);

bool ReadInt32(FILE* file, int32_t* value);
bool WriteInt32(FILE* file, int32_t value);
bool ReadBytes(FILE* file, void* data, size_t n);
bool WriteBytes(FILE* file, const void* data, size_t n);

// Reads the n bytes of a text record (n >= 0) into a new narrow string with
// code page -1. Refused before anything is allocated when the file holds
// fewer than n + after bytes (after: what the record still has behind its
// text) or when n is more than a string holds; a stream of unknown size is read
// in steps, so a short stream costs what it held. False on any short read.
bool ReadTextRecord(FILE* file, int32_t n, long after, AString& text);

FOUNDATION_END
