// The small text files that hold string maps, name-number maps, string lists
// and #define tables. Files with a binary count are opened in binary mode and
// their lines end in "\r\n", written and stripped explicitly.
#pragma once

#include "foundation/build.h"
#include "foundation/containers/aarray.h"
#include "foundation/containers/ahashmap.h"
#include "foundation/string/astring.h"

FOUNDATION_BEGIN

// String map file: a 32-bit little-endian count, then for each entry a key line
// and a value line. Lines are trimmed of blanks, tabs and line ends when read
// and cut to 1023 characters. Loading adds the pairs to the map and returns 1;
// a file that cannot be opened, or that holds fewer pairs than its count, gives
// 0 and leaves the map as it was.
int LoadMapFile(const char* path, AHashMap<AString, AString>& map);
// Writes the map in its iteration order; 1 when every byte was written.
int SaveMapFile(const char* path, const AHashMap<AString, AString>& map);

// Name-number file: pairs of lines, a name and a decimal number, to the end of
// the file. Loading adds the pairs and returns 1; a missing file or a name
// without its number line gives 0 and leaves the map as it was.
int LoadNameNumberMap(const char* path, AHashMap<AString, int>& map);
int SaveNameNumberMap(const char* path, const AHashMap<AString, int>& map);

// String list file: a 32-bit little-endian count of the array's elements, then
// each non-empty element as a line. Reading empties the array, refuses (0) a
// count below 0 or above the limit, then reads up to count lines (the writer
// leaves out empty elements, so fewer lines may follow), trims each and
// appends the non-empty ones. Returns 1 on success.
inline constexpr int kStringListLimit = 100000;
int ReadStringListFile(const char* path, AArray<AString>& out, int limit = kStringListLimit);
int WriteStringArrayFile(const char* path, const AArray<AString>& array);

// Define file: "#define NAME value" or "#define NAME \"value\"" lines (cut at
// "//"); map[name] = value for each line with a non-empty name and value.
// Returns the number of entries stored; 0 when the file cannot be opened.
int LoadDefineFile(const char* path, AHashMap<AString, AString>& map);

// Empties the map and adds keys[i] -> values[i] until a null key (a null
// value stores an empty string). Returns the count.
int FillMapFromArrays(AHashMap<AString, AString>& map, const char* const* keys, const char* const* values);

FOUNDATION_END
