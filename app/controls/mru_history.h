// The history file of a history combo box: plain text in the per-user
// folder, one entry a line (carriage return and line feed), most recent
// first, no empty entries.
#pragma once

#include <string>
#include <vector>

#include "foundation/string/astring.h"

inline constexpr int kHistoryEntryLimit = 1024;  // bytes of one entry

// "<folder>combomru<key>.bin"; the folder ends with '/'.
std::string HistoryFilePath(const std::string& folder, const char* key);
// The per-user folder of the designer's own files ($XDG_DATA_HOME/Zorvik/).
std::string DefaultHistoryFolder();

// The entries of a history file: whole lines, each stripped of the line
// ends at its end and cut to the entry limit, empty ones skipped, at most
// `maximum`. Empty when the file cannot be read.
std::vector<AString> ReadHistoryFile(const std::string& path, int maximum, int codePage);
// Writes the entries (empty ones skipped) whole or not at all: a file that
// cannot be written is left as it was. False on failure.
bool WriteHistoryFile(const std::string& path, const std::vector<AString>& entries);
// The text cut to the entry limit at a character boundary of the code page.
AString CutHistoryEntry(const AString& text, int codePage);
