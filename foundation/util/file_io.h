// Whole files, byte-order marks and the length-prefixed string record,
// through the C library's streams. Paths are in the process ANSI code page.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "foundation/build.h"
#include "foundation/string/astring.h"
#include "foundation/string/file_records.h"  // FileSize, BytesLeftInFile

FOUNDATION_BEGIN

// Byte-order marks: 1 for FF FE (UTF-16LE), 2 for FE FF (UTF-16BE).
inline constexpr int kBomNone = 0;
inline constexpr int kBomUtf16Le = 1;
inline constexpr int kBomUtf16Be = 2;

// The file's bytes in a new buffer 32 bytes longer than the file (the spare
// bytes zeroed); null when the file cannot be opened or read in full.
std::unique_ptr<uint8_t[]> ReadWholeFile(const char* path, int* size);

// The file's bytes as a string ("rb" or "rt"). With detectBom and a file of at
// least 2 bytes, FF FE gives kind 1 and FE FF kind 2 and the mark is dropped;
// kind 2 text has each byte pair swapped to little-endian. The string is empty
// when the read is short, or when the text after a mark has an odd length.
AString ReadFileToString(const char* path, bool binary, bool detectBom, int* bomKind);
// The same, marking the result wide when a mark was found.
AString ReadFileToStringWide(const char* path, bool binary, bool detectBom, int* bomKind);
// 1 for FF FE, 2 for FE FF, else 0.
int DetectByteOrderMark(const char* path);
// Writes the text ("wb"): kind 1 with FF FE in front, kind 2 with FE FF and
// every byte pair swapped, any other kind as it is. 1 when every byte was written.
int WriteTextFile(const char* path, const AString& text, int kind);

// Appends src (from its current position) to the end of dst in 1024-byte
// blocks; returns the bytes written.
long AppendFileTo(FILE* dst, FILE* src);

// The string record: 32-bit little-endian length, then the bytes (no
// terminator). Returns the length, -1 when the record could not be written.
int WriteStringToFile(const AString& s, FILE* file);
// Reads a string record. A stored length of 0 or less gives an empty string
// and 0. A record that cannot be read in full (no length, or fewer bytes left
// in the file than its length) gives an empty string and -1.
int ReadStringFromFile(AString& s, FILE* file);

FOUNDATION_END
