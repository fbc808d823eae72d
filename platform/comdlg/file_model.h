// The file dialog's model, apart from its windows: the entries of a folder,
// the caller's filter, matching names against its patterns, sorting, and
// the paths and places the dialog moves between. Paths are UTF-16 with '/'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/kernel/types.h"

namespace comdlg {

struct FileEntry {
  std::u16string name;
  bool folder = false;
  uint64_t size = 0;
  int64_t modified = 0;  // seconds since 1970
  std::u16string type;   // the filter's description that names the file, or "Folder", or "XYZ File"
};

// One description and its patterns ("*.bcd;*.bak" gives two).
struct FilterSpec {
  std::u16string description;
  std::vector<std::u16string> patterns;
};
// The pairs of a filter list (strings ending in a zero, the list in two).
std::vector<FilterSpec> ParseFilter(LPCWSTR filter);

// Whether a name matches a pattern with '*' and '?', ignoring case; "*.*"
// matches names without a dot too.
bool MatchesPattern(std::u16string_view name, std::u16string_view pattern);
bool MatchesAny(std::u16string_view name, const std::vector<std::u16string>& patterns);
bool HasWildcards(std::u16string_view text);

// The folder's entries without "." and "..", names beginning with '.'
// only when asked. False when the folder cannot be read.
bool ReadFolder(const std::u16string& folder, bool showHidden, std::vector<FileEntry>& entries);
// Keeps the folders and the files that match one of the patterns (all when none).
void KeepMatching(std::vector<FileEntry>& entries, const std::vector<std::u16string>& patterns);
// Fills each entry's type from the filter.
void NameTypes(std::vector<FileEntry>& entries, const std::vector<FilterSpec>& filters);

enum class SortKey { Name, Size, Type, Date };
// Folders first, then files, each in the asked order (names break ties).
void SortEntries(std::vector<FileEntry>& entries, SortKey key, bool descending);
// Case-folded comparison of names as a person reads them.
int CompareNames(std::u16string_view a, std::u16string_view b);

// Paths
std::u16string JoinPath(std::u16string_view folder, std::u16string_view name);
std::u16string ParentFolder(std::u16string_view path);  // "/" stays "/"
std::u16string FileNamePart(std::u16string_view path);
// An absolute path with "." and ".." taken out and no repeated or trailing
// '/'; a relative path is taken from folder, "~" from the home folder.
std::u16string ResolvePath(std::u16string_view folder, std::u16string_view typed);
bool IsFolder(const std::u16string& path);
bool Exists(const std::u16string& path);
std::u16string CurrentFolder();
std::u16string HomeFolder();

struct Place {
  std::u16string label;
  std::u16string path;
};
// The home folder, the XDG user folders that exist (from user-dirs.dirs),
// and the root of the file system.
std::vector<Place> Places();

// The texts a row shows.
std::u16string SizeText(const FileEntry& entry);
std::u16string DateText(const FileEntry& entry);

}  // namespace comdlg
