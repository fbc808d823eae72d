// The library's character tables and application-identifier table, built when
// the library is loaded and only read afterwards.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "barcode/request/cbcode.h"

namespace kalvo {

// Valid characters of Code 39 and Code 93 (value = index), Codabar likewise.
inline constexpr std::string_view kCode39Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
inline constexpr std::string_view kCodabarChars = "0123456789-$:/.+ABCD";

struct LibraryTables {
  std::string folder;                 // folder of the library file, with its trailing '/'
  std::string code39;                 // kCode39Chars followed by "*" (44)
  std::string code93;                 // values 0-42
  std::string code93Shift;            // "abcde": values 43-47
  std::string codabar;                // index = Codabar value
  static constexpr int kAiCapacity = 700;
  std::array<typAIdef, kAiCapacity> ai{};
  LONG aiCount = 0;
};

// The tables of the loaded library.
LibraryTables& Tables();

// Index of `c` in the Code 39 table ("*" is 43), or -1.
int Code39Value(char c);
// Code 93 value (0-47), or -1.
int Code93Value(char c);
// Codabar value (0-19), or -1.
int CodabarValue(char c);

// The definition of an identifier in the loaded table, or null.
const typAIdef* FindApplicationIdentifier(std::string_view identifier);

// Reads "internal1.dat" from `folder` into `table` (at most `capacity`
// records). Returns false when the file cannot be opened.
bool ReadApplicationIdentifiers(const std::string& folder, typAIdef* table, LONG capacity, LONG* count);

// Parses one unscrambled line; false when the line holds no record (a
// comment, or no identifier, title or length).
bool ParseApplicationIdentifierLine(std::string_view line, typAIdef* record);

}  // namespace kalvo
